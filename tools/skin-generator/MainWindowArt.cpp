// Pictures of the main window's left column: icon, logos, separators, page buttons, prompt, lamps.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

#include "ArtKit.h"
#include "SkinArtist.h"

namespace orvek::art {
namespace {

QPainterPath boltPath(const QRectF& box) {
    // A lightning bolt in a unit square, scaled into the box.
    const QPointF unit[] = {{0.62, 0.0},  {0.18, 0.56}, {0.46, 0.56}, {0.34, 1.0},
                            {0.82, 0.40}, {0.54, 0.40}, {0.62, 0.0}};
    QPainterPath path;
    for (int i = 0; i < 7; ++i) {
        const QPointF p(box.left() + unit[i].x() * box.width(),
                        box.top() + unit[i].y() * box.height());
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    return path;
}

QImage icon(int size) {
    QImage image = blankImage(size, size);
    QPainter p(&image);
    prepare(p);
    const QRectF body(1, 1, size - 2, size - 2);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor(44, 44, 48));
    fill.setColorAt(1, QColor(8, 8, 9));
    p.setBrush(fill);
    p.setPen(QPen(kRed, size / 16.0));
    p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), size / 5.0, size / 5.0);
    p.setPen(QPen(QColor(90, 40, 0), size / 32.0));
    p.setBrush(kOrange);
    p.drawPath(boltPath(body.adjusted(size * 0.2, size * 0.14, -size * 0.2, -size * 0.14)));
    return image;
}

QImage familyLogo(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    // Swoosh under the word mark.
    QPainterPath swoosh;
    swoosh.moveTo(8, 47);
    swoosh.cubicTo(60, 40, 130, 40, 192, 30);
    swoosh.cubicTo(130, 46, 60, 48, 8, 50);
    swoosh.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPath(swoosh);

    const QFont mark = sansFont(38, true, true);
    const QFontMetricsF metrics(mark);
    const QString first = QStringLiteral("O");
    const QString rest = QStringLiteral("RVEK");
    const qreal total = metrics.horizontalAdvance(first + rest);
    const qreal x = (width - total) / 2;
    p.setFont(mark);
    p.setPen(kRed);
    p.drawText(QPointF(x, 38), first);
    p.setPen(kText);
    p.drawText(QPointF(x + metrics.horizontalAdvance(first), 38), rest);

    QFont sub = sansFont(12, true);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    drawLine(p, QStringLiteral("USB LINK"), sub, kOrange, 0, width, 61, Qt::AlignHCenter);
    return image;
}

QImage separator(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawFadingLine(p, 0, width, height / 2.0 - 0.5, QColor(92, 92, 98), false);
    drawFadingLine(p, 0, width, height / 2.0 + 0.5, QColor(0, 0, 0, 160), false);
    return image;
}

QImage prompt(int width, int height, const QColor& colour) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    // A pointer to the Device menu, in the prompt's colour.
    QPainterPath arrow;
    arrow.moveTo(14, 8);
    arrow.lineTo(14, 26);
    arrow.lineTo(19, 21);
    arrow.lineTo(23, 29);
    arrow.lineTo(26, 27.5);
    arrow.lineTo(22, 19.5);
    arrow.lineTo(28.5, 19.5);
    arrow.closeSubpath();
    p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);

    const QString select = say(QT_TRANSLATE_NOOP("Artwork", "SELECT A DEVICE"));
    drawLine(p, select, fittedFont(select, 150, 16, true), colour, 38, width, 17, Qt::AlignLeft);
    const QString hint = say(QT_TRANSLATE_NOOP("Artwork", "Device menu: Esc or Program Card"));
    drawLine(p, hint, fittedFont(hint, width - 40, 11), colour, 38, width, 36, Qt::AlignLeft);
    return image;
}

QImage lampHeading(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    const QString heading = say(QT_TRANSLATE_NOOP("Artwork", "DEVICE CONNECTION STATUS"));
    // Spaced letters, as narrow as the heading needs to fit.
    QFont font = sansFont(10, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    for (int size = 10; size > 6 && QFontMetricsF(font).horizontalAdvance(heading) > width - 10;) {
        font = sansFont(--size, true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    }
    drawLine(p, heading, font, kOrange, 10, width, height / 2.0, Qt::AlignLeft);
    return image;
}

QImage lampLabels(const SkinPicture& picture) {
    QImage image = blankImage(picture.width, picture.height);
    QPainter p(&image);
    prepare(p);
    int size = 12;
    for (const SkinLabelRow& row : SkinCatalog::labelRows(picture.id))
        size = std::min(size, fittedFont(labelText(row.text), picture.width - 2, 12).pixelSize());
    const QFont font = sansFont(size);
    for (const SkinLabelRow& row : SkinCatalog::labelRows(picture.id)) {
        drawLine(p, labelText(row.text), font, kText, 2, picture.width, row.centreY, Qt::AlignLeft);
    }
    return image;
}

// The lamps differ in shape as well as in colour, so that a racer who cannot tell yellow from
// grey, or sees the window in grey, still reads them: lit is a filled disc with a bright centre
// and a halo, dark is a hollow ring with nothing inside.
QImage lamp(int size, bool lit) {
    QImage image = blankImage(size, size);
    QPainter p(&image);
    prepare(p);
    const QPointF centre(size / 2.0, size / 2.0);
    const qreal radius = size / 2.0 - 2;
    if (!lit) {
        const qreal ring = 2.5;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(20, 20, 20), ring + 1.5));
        p.drawEllipse(centre, radius - ring / 2, radius - ring / 2);
        p.setPen(QPen(QColor(130, 130, 136), ring));
        p.drawEllipse(centre, radius - ring / 2, radius - ring / 2);
        return image;
    }
    QRadialGradient halo(centre, size / 2.0);
    halo.setColorAt(0.6, QColor(255, 210, 40, 120));
    halo.setColorAt(1, QColor(255, 210, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, size / 2.0, size / 2.0);
    QRadialGradient body(centre, radius);
    body.setColorAt(0, QColor(255, 255, 235));
    body.setColorAt(0.35, QColor(255, 244, 150));
    body.setColorAt(0.7, QColor(255, 214, 30));
    body.setColorAt(1, QColor(196, 128, 0));
    p.setBrush(body);
    p.setPen(QPen(QColor(140, 90, 0), 1));
    p.drawEllipse(centre, radius, radius);
    return image;
}

QImage makerLogo(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    // A chequered band, the racing flag.
    const int cell = 5;
    const int bandTop = 8;
    for (int column = 0; column < width / cell; ++column) {
        for (int row = 0; row < 2; ++row) {
            const bool light = (column + row) % 2 == 0;
            QColor colour = light ? kText : QColor(40, 40, 42);
            // Fade the flag out towards the right edge.
            colour.setAlpha(255 - 200 * column * cell / width);
            p.fillRect(QRectF(column * cell, bandTop + row * cell, cell, cell), colour);
        }
    }
    const QFont mark = fittedFont(QStringLiteral("TARNWICK"), width - 4, 28, true, true);
    drawLine(p, QStringLiteral("TARNWICK"), mark, kText, 0, width, 39, Qt::AlignHCenter);
    QFont racing = sansFont(13, true);
    racing.setLetterSpacing(QFont::AbsoluteSpacing, 7);
    // The letter spacing adds a gap after the last letter too; shift to centre the ink.
    drawLine(p, QStringLiteral("RACING"), racing, kRed, 7, width, 60, Qt::AlignHCenter);
    p.fillRect(QRectF(14, 70, width - 28, 2), kRed);
    return image;
}

enum class PageButtonLook { Normal, Pressed, Hover };

QImage pageButton(int width, int height, const QString& label, PageButtonLook look) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    QColor text = kMidGrey;
    if (look == PageButtonLook::Pressed) {
        text = kRed;
        QLinearGradient wash(0, 0, width, 0);
        wash.setColorAt(0, QColor(236, 28, 36, 70));
        wash.setColorAt(1, QColor(236, 28, 36, 0));
        p.fillRect(QRectF(0, 1, width, height - 2), wash);
        p.fillRect(QRectF(0, 1, 3, height - 2), kRed);
    } else if (look == PageButtonLook::Hover) {
        text = kDimText;
        p.fillRect(QRectF(0, 1, width, height - 2), QColor(255, 255, 255, 12));
    }
    // Up to the chevron; a long word is drawn smaller, never cut.
    drawLine(p, label, fittedFont(label, width - 14 - 24, 14, true), text, 14, width, height / 2.0,
             Qt::AlignLeft);
    // A chevron at the right end points to the page.
    const qreal x = width - 16;
    const qreal y = height / 2.0;
    p.setPen(QPen(text, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(x - 3, y - 5), QPointF(x + 2, y), QPointF(x - 3, y + 5)}));
    return image;
}

QImage plainFace(int width, int height, bool framed) {
    QImage image = blankImage(width, height);
    image.fill(kBlack);
    if (framed) {
        QPainter p(&image);
        prepare(p);
        p.setPen(QPen(QColor(70, 70, 74), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 5, 5);
    }
    return image;
}

}  // namespace

QImage drawMainWindowPicture(const SkinPicture& picture) {
    const int w = picture.width;
    const int h = picture.height;
    switch (picture.id) {
        case SkinId::AppIcon: return icon(w);
        case SkinId::FamilyLogo: return familyLogo(w, h);
        case SkinId::Separator: return separator(w, h);
        case SkinId::PromptOrange: return prompt(w, h, kOrange);
        case SkinId::PromptWhite: return prompt(w, h, QColor(255, 255, 255));
        case SkinId::LampHeading: return lampHeading(w, h);
        case SkinId::LampLabels: return lampLabels(picture);
        case SkinId::LampOff: return lamp(w, false);
        case SkinId::LampOn: return lamp(w, true);
        case SkinId::MakerLogo: return makerLogo(w, h);
        case SkinId::UserSupportPressed:
            return pageButton(w, h,
                              say(QT_TRANSLATE_NOOP("windowText", "USER SUPPORT"), "windowText"),
                              PageButtonLook::Pressed);
        case SkinId::UserSupportNormal:
            return pageButton(w, h,
                              say(QT_TRANSLATE_NOOP("windowText", "USER SUPPORT"), "windowText"),
                              PageButtonLook::Normal);
        case SkinId::UserSupportHover:
            return pageButton(w, h,
                              say(QT_TRANSLATE_NOOP("windowText", "USER SUPPORT"), "windowText"),
                              PageButtonLook::Hover);
        case SkinId::FirmwarePressed:
            return pageButton(w, h, say(QT_TRANSLATE_NOOP("windowText", "FIRMWARE"), "windowText"),
                              PageButtonLook::Pressed);
        case SkinId::FirmwareNormal:
            return pageButton(w, h, say(QT_TRANSLATE_NOOP("windowText", "FIRMWARE"), "windowText"),
                              PageButtonLook::Normal);
        case SkinId::FirmwareHover:
            return pageButton(w, h, say(QT_TRANSLATE_NOOP("windowText", "FIRMWARE"), "windowText"),
                              PageButtonLook::Hover);
        case SkinId::EscSetupPressed:
            return pageButton(w, h, say(QT_TRANSLATE_NOOP("windowText", "ESC SETUP"), "windowText"),
                              PageButtonLook::Pressed);
        case SkinId::EscSetupNormal:
            return pageButton(w, h, say(QT_TRANSLATE_NOOP("windowText", "ESC SETUP"), "windowText"),
                              PageButtonLook::Normal);
        case SkinId::EscSetupHover:
            return pageButton(w, h, say(QT_TRANSLATE_NOOP("windowText", "ESC SETUP"), "windowText"),
                              PageButtonLook::Hover);
        case SkinId::SpareFace1:
        case SkinId::SpareFace2: return plainFace(w, h, true);
        case SkinId::ProgressFace: return plainFace(w, h, false);
        default: return {};
    }
}

}  // namespace orvek::art
