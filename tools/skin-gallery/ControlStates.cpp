#include "ControlStates.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/controls/CBitComboBox.h"
#include "gui/controls/CxSkinButton.h"
#include "resources/SkinRegistry.h"

namespace orvek {
namespace {

QImage render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void enter(QWidget& widget) {
    const QPointF at(10, 10);
    QEnterEvent event{at, at, QPointF(widget.mapToGlobal(at.toPoint()))};
    QApplication::sendEvent(&widget, &event);
}

void leave(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

void mouse(QWidget& widget, QEvent::Type type, const QPoint& at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent event{type,   QPointF(at), QPointF(widget.mapToGlobal(at)),
                      button, held,        Qt::NoModifier};
    QApplication::sendEvent(&widget, &event);
}

void press(QWidget& widget) {
    mouse(widget, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
}
void release(QWidget& widget, const QPoint& at = QPoint(10, 10)) {
    mouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

const char* const kOptions[] = {"For/Brake", "For/Rev/Brake", "For/Rev", "Crawler"};

void addListStates(GallerySheet& sheet) {
    QWidget page;
    page.resize(400, 300);
    auto* combo = new CBitComboBox(&page);
    combo->setGeometry(10, 10, 160, kClosedListHeight);
    for (const char* option : kOptions) combo->addString(QString::fromLatin1(option));
    page.show();

    sheet.tile(render(*combo), QStringLiteral("CBitComboBox\nno selection"));
    combo->setCurrentIndex(1);
    sheet.tile(render(*combo), QStringLiteral("CBitComboBox\nselected, normal"));
    enter(*combo);
    sheet.tile(render(*combo), QStringLiteral("CBitComboBox\nhover"));
    press(*combo);
    sheet.tile(render(*combo), QStringLiteral("CBitComboBox\npressed (list opens)"));
    release(*combo);
    if (combo->isListOpen()) {
        QAbstractItemView* list = combo->view();
        list->setCurrentIndex(combo->model()->index(2, 0));
        sheet.tile(render(*list->window()),
                   QStringLiteral("CBitComboBox\nopen list, row 2 highlighted"));
    }
    combo->hidePopup();
    leave(*combo);

    auto* empty = new CBitComboBox(&page);
    empty->setGeometry(10, 50, 160, kClosedListHeight);
    sheet.tile(render(*empty), QStringLiteral("CBitComboBox\nempty"));

    auto* small = new CBitComboBox(&page);
    small->itemFontSize = 85;
    small->setGeometry(10, 90, 180, kClosedListHeight);
    small->addString(QStringLiteral("ESC_Expert_V1.40"));
    small->setCurrentIndex(0);
    sheet.tile(render(*small), QStringLiteral("CBitComboBox 180 wide\nitem font 8.5 pt"));
}

void addButtonStates(GallerySheet& sheet) {
    QWidget page;
    page.resize(400, 300);
    auto* button = new CxSkinButton(&page);
    button->setGeometry(10, 10, 200, 25);
    button->AssignSkin(SkinId::FirmwareNormal, SkinId::FirmwarePressed, SkinId::FirmwareHover);
    page.show();

    sheet.tile(render(*button), QStringLiteral("CxSkinButton page button\nnormal"));
    enter(*button);
    sheet.tile(render(*button), QStringLiteral("CxSkinButton\nhover"));
    press(*button);
    sheet.tile(render(*button), QStringLiteral("CxSkinButton\npressed"));
    mouse(*button, QEvent::MouseMove, QPoint(300, 10), Qt::NoButton, Qt::LeftButton);
    sheet.tile(render(*button), QStringLiteral("CxSkinButton\npressed, dragged off"));
    release(*button, QPoint(300, 10));
    leave(*button);
    button->latched = true;
    sheet.tile(render(*button), QStringLiteral("CxSkinButton\nlatched (current page)"));
    button->latched = false;
    button->setEnabled(false);
    sheet.tile(render(*button), QStringLiteral("CxSkinButton\ndisabled"));

    auto* progress = new CxSkinButton(&page);
    progress->setGeometry(10, 50, 150, 75);
    progress->AssignSkin(SkinId::ProgressFrame, SkinId::ProgressFrame, 0);
    progress->captionFontFace = QStringLiteral("Arial");
    progress->captionFontSize = 200;
    progress->captionColour = QColor(247, 148, 29);
    for (const char* caption : {"0%", "57%", "100%"}) {
        progress->setText(QString::fromLatin1(caption));
        sheet.tile(render(*progress),
                   QStringLiteral("firmware progress\n\"%1\"").arg(QString::fromLatin1(caption)));
    }
    progress->setEnabled(false);
    sheet.tile(render(*progress), QStringLiteral("firmware progress\ndisabled, embossed"));

    auto* display = new CxSkinButton(&page);
    display->setGeometry(10, 140, 80, 30);
    display->AssignSkin(SkinId::ProgressFace, SkinId::ProgressFace, 0);
    display->captionFontFace = QStringLiteral("Arial");
    display->captionFontSize = 100;
    display->captionColour = QColor(247, 148, 29);
    display->setText(QStringLiteral("45% "));
    sheet.tile(render(*display), QStringLiteral("settings write progress\n\"45% \""));
}

}  // namespace

void addControlStates(GallerySheet& sheet) {
    sheet.heading(QStringLiteral("CBitComboBox in its states"));
    addListStates(sheet);
    sheet.heading(QStringLiteral("CxSkinButton in its states"));
    addButtonStates(sheet);
}

}  // namespace orvek
