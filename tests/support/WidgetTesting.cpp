#include "support/WidgetTesting.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "resources/SkinRegistry.h"

namespace orvek::testing {
namespace {

// One QApplication for every test of the executable, on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "orvek-widget-tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

const ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

bool near(QRgb a, const QColor& b, int tolerance) {
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

void sendMouse(QWidget& widget, QEvent::Type type, const QPoint& at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event{type,   QPointF(at), QPointF(widget.mapToGlobal(at)),
                      button, buttons,     Qt::NoModifier};
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

QImage renderWidget(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QImage pictureCellOnBlack(int id, const QRect& source) {
    QImage image(source.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.drawImage(QPoint(0, 0), SkinRegistry::image(id), source);
    return image;
}

QImage pictureOnBlack(int id, const QSize& size) {
    return pictureCellOnBlack(id, QRect(QPoint(0, 0), size));
}

bool regionMatches(const QImage& image, const QRect& area, const QImage& expected) {
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QPoint at = area.topLeft() + QPoint(x, y);
            if (!image.rect().contains(at) || !expected.rect().contains(x, y)) continue;
            if (!near(image.pixel(at), QColor(expected.pixel(x, y)), 2)) return false;
        }
    }
    return true;
}

int countPixels(const QImage& image, const QRect& area, const QColor& colour, int tolerance) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (near(image.pixel(x, y), colour, tolerance)) ++count;
        }
    }
    return count;
}

QRect boundsOfColour(const QImage& image, const QRect& area, const QColor& colour, int tolerance) {
    QRect bounds;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (near(image.pixel(x, y), colour, tolerance)) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

void parkPointer() {
    QCursor::setPos(QPoint(-10000, -10000));
    QApplication::processEvents();
}

void sendEnter(QWidget& widget, const QPoint& at) {
    QEnterEvent event{QPointF(at), QPointF(at), QPointF(widget.mapToGlobal(at))};
    QApplication::sendEvent(&widget, &event);
}

void sendLeave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

void sendMove(QWidget& widget, const QPoint& at, Qt::MouseButtons held) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

void sendPress(QWidget& widget, const QPoint& at) {
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void sendRelease(QWidget& widget, const QPoint& at) {
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

}  // namespace orvek::testing
