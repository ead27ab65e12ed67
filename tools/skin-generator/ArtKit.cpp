#include "ArtKit.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>

#include <QTranslator>

#include <algorithm>
#include <memory>

// The program's .qm files, compiled into its translations library; the macro must be used
// outside a namespace.
static void initTranslations() { Q_INIT_RESOURCE(translations); }

namespace orvek::art {

namespace {
int gPictureScale = 1;
QString gLanguage = QStringLiteral("en");
std::unique_ptr<QTranslator> gTranslator;
QStringList gOverflows;
}  // namespace

QStringList takeOverflows() {
    QStringList overflows;
    overflows.swap(gOverflows);
    return overflows;
}

bool setPictureLanguage(const QString& code) {
    initTranslations();
    if (gTranslator) QCoreApplication::removeTranslator(gTranslator.get());
    gTranslator.reset();
    gLanguage = QStringLiteral("en");
    if (code == QLatin1String("en")) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/orvek-link_%1.qm").arg(code))) return false;
    QCoreApplication::installTranslator(translator.get());
    gTranslator = std::move(translator);
    gLanguage = code;
    return true;
}

QString pictureLanguage() { return gLanguage; }

QString say(const char* english, const char* context) {
    return QCoreApplication::translate(context, english);
}

// The label rows' words that are not settings' names (resources/SkinCatalog.cpp), for lupdate.
[[maybe_unused]] const char* const kLabelRowTexts[] = {
    QT_TRANSLATE_NOOP("Artwork", "USB Connected"),
    QT_TRANSLATE_NOOP("Artwork", "ESC Connected"),
    QT_TRANSLATE_NOOP("Artwork", "Program Card Connected"),
    QT_TRANSLATE_NOOP("Artwork", "Firmware :"),
    QT_TRANSLATE_NOOP("Artwork", "Category"),
    QT_TRANSLATE_NOOP("Artwork", "Setup Sheet"),
};

QString labelText(const char* english) {
    const QString name = say(english, "SettingName");
    return name != QString::fromUtf8(english) ? name : say(english);
}

void setPictureScale(int scale) { gPictureScale = scale; }
int pictureScale() { return gPictureScale; }

QImage blankImage(int width, int height) {
    QImage image(width * gPictureScale, height * gPictureScale,
                 QImage::Format_ARGB32_Premultiplied);
    // A painter on the image then draws in logical pixels, each gPictureScale image pixels wide.
    image.setDevicePixelRatio(gPictureScale);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont sansFont(int pixelSize, bool bold, bool italic) {
    QFont font(QStringLiteral("Liberation Sans"));
    if (gLanguage == QLatin1String("ja"))
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    // Grey-scale antialiasing keeps the pictures the same on every screen.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont fittedFont(const QString& text, int maxWidth, int pixelSize, bool bold, bool italic) {
    QFont font = sansFont(pixelSize, bold, italic);
    while (pixelSize > 6 && QFontMetricsF(font).horizontalAdvance(text) > maxWidth) {
        font = sansFont(--pixelSize, bold, italic);
    }
    return font;
}

void drawLine(QPainter& painter, const QString& text, const QFont& font, const QColor& colour,
              qreal left, qreal right, qreal middleY, Qt::Alignment horizontal) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    if (width > right - left + 0.5) {
        gOverflows.append(QStringLiteral("'%1' (%2) is %3 wide in %4")
                              .arg(text, gLanguage)
                              .arg(width, 0, 'f', 1)
                              .arg(right - left, 0, 'f', 1));
    }
    qreal x = left;
    if (horizontal & Qt::AlignHCenter) x = (left + right - width) / 2;
    if (horizontal & Qt::AlignRight) x = right - width;
    // Centre the capital height on the middle line, which looks centred to the eye.
    const qreal baseline = middleY + metrics.capHeight() / 2;
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(x, baseline), text);
    painter.restore();
}

void drawHeading(QPainter& painter, const QRectF& area, const QString& text, int pixelSize,
                 const QColor& colour) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    int size = pixelSize;
    for (const QString& line : lines) {
        size = std::min(size, fittedFont(line, int(area.width()) - 2, pixelSize, true).pixelSize());
    }
    const QFont font = sansFont(size, true);
    const qreal lineHeight = QFontMetricsF(font).height();
    const qreal firstMiddle = area.center().y() - lineHeight * (lines.size() - 1) / 2;
    for (int i = 0; i < lines.size(); ++i) {
        drawLine(painter, lines[i], font, colour, area.left(), area.right(),
                 firstMiddle + i * lineHeight, Qt::AlignHCenter);
    }
}

void drawPanel(QPainter& painter, const QRectF& area, qreal radius) {
    painter.save();
    const QRectF body = area.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, kPanelTop);
    fill.setColorAt(1, kPanelBottom);
    painter.setBrush(fill);
    painter.setPen(QPen(kPanelEdge, 1));
    painter.drawRoundedRect(body, radius, radius);

    // A faint light line just inside the top edge gives the panel a little depth.
    painter.setPen(QPen(QColor(255, 255, 255, 22), 1));
    painter.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                     QPointF(body.right() - radius, body.top() + 1.5));

    // Red accent along the top-left corner.
    QPainterPath accent;
    accent.moveTo(body.left() + 0.5, body.top() + 34);
    accent.lineTo(body.left() + 0.5, body.top() + radius);
    accent.arcTo(QRectF(body.left() + 0.5, body.top() + 0.5, 2 * radius, 2 * radius), 180, -90);
    accent.lineTo(body.left() + 48, body.top() + 0.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(accent);
    painter.restore();
}

void drawFadingLine(QPainter& painter, qreal left, qreal right, qreal y, const QColor& colour,
                    bool redMiddle) {
    painter.save();
    QLinearGradient line(QPointF(left, y), QPointF(right, y));
    QColor clear = colour;
    clear.setAlpha(0);
    line.setColorAt(0, clear);
    line.setColorAt(0.15, colour);
    line.setColorAt(0.85, colour);
    line.setColorAt(1, clear);
    painter.setPen(QPen(QBrush(line), 1));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    if (redMiddle) {
        const qreal middle = (left + right) / 2;
        const qreal half = (right - left) * 0.18;
        QLinearGradient glow(QPointF(middle - half, y), QPointF(middle + half, y));
        QColor red = kRed;
        QColor redClear = kRed;
        redClear.setAlpha(0);
        glow.setColorAt(0, redClear);
        glow.setColorAt(0.5, red);
        glow.setColorAt(1, redClear);
        painter.setPen(QPen(QBrush(glow), 2));
        painter.drawLine(QPointF(middle - half, y), QPointF(middle + half, y));
    }
    painter.restore();
}

void drawButtonFace(QPainter& painter, const QRectF& area, const QColor& top, const QColor& bottom,
                    const QColor& edge, qreal radius) {
    painter.save();
    const QRectF body = area.adjusted(1, 1, -1, -1);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setBrush(fill);
    painter.setPen(QPen(edge, 1.5));
    painter.drawRoundedRect(body, radius, radius);
    // Gloss on the upper half.
    QLinearGradient gloss(body.topLeft(), QPointF(body.left(), body.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 46));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawRoundedRect(body.adjusted(1.5, 1.5, -1.5, -body.height() / 2), radius - 1,
                            radius - 1);
    painter.restore();
}

}  // namespace orvek::art
