// The USER SUPPORT page face: help text on the left, four product cards on the right and a
// homepage button at the bottom. The clickable areas are fixed by the page; the art follows them.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "ArtKit.h"
#include "SkinArtist.h"

namespace orvek::art {
namespace {

// Link areas of the page (left, top, width, height).
constexpr int kProductLeft = 700;
constexpr int kProductTop = 60;
constexpr int kProductStep = 120;
constexpr int kProductWidth = 250;
constexpr int kProductHeight = 100;
const QRectF kHomeButton(500, 500, 150, 60);

void drawEsc(QPainter& p, const QRectF& box, const QColor& accent) {
    p.save();
    // Wires leave the case on the left: power in red and black, three motor phases.
    const QColor wires[] = {QColor(200, 30, 30), QColor(30, 30, 30), QColor(60, 110, 200),
                            QColor(230, 190, 40), QColor(240, 130, 30)};
    for (int i = 0; i < 5; ++i) {
        const qreal y = box.top() + 16 + i * 9;
        p.setPen(QPen(wires[i], 3.2, Qt::SolidLine, Qt::RoundCap));
        QPainterPath wire;
        wire.moveTo(box.left() + 18, y);
        wire.cubicTo(box.left() + 8, y, box.left() + 8, y + 10, box.left(), y + 12);
        p.drawPath(wire);
    }
    // Case with heat-sink fins.
    const QRectF body(box.left() + 16, box.top() + 8, box.width() - 16, box.height() - 16);
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(92, 92, 98));
    metal.setColorAt(1, QColor(36, 36, 40));
    p.setBrush(metal);
    p.setPen(QPen(QColor(20, 20, 22), 1));
    p.drawRoundedRect(body, 5, 5);
    p.setPen(QPen(QColor(130, 130, 138), 1));
    for (int i = 1; i < 7; ++i) {
        const qreal x = body.left() + i * body.width() / 7;
        p.drawLine(QPointF(x, body.top() + 4), QPointF(x, body.bottom() - 4));
    }
    // Fan on top of the fins.
    const QPointF hub = body.center();
    const qreal radius = body.height() * 0.36;
    p.setBrush(QColor(24, 24, 26));
    p.setPen(QPen(accent, 2));
    p.drawEllipse(hub, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 70, 76));
    for (int blade = 0; blade < 5; ++blade) {
        p.save();
        p.translate(hub);
        p.rotate(blade * 72);
        QPainterPath shape;
        shape.moveTo(0, 0);
        shape.cubicTo(radius * 0.2, -radius * 0.4, radius * 0.7, -radius * 0.5, radius * 0.85,
                      -radius * 0.1);
        shape.cubicTo(radius * 0.5, -radius * 0.05, radius * 0.2, 0, 0, 0);
        p.drawPath(shape);
        p.restore();
    }
    p.setBrush(accent);
    p.drawEllipse(hub, radius * 0.22, radius * 0.22);
    p.restore();
}

void drawProgramCard(QPainter& p, const QRectF& box) {
    p.save();
    const QRectF body(box.left() + 14, box.top() + 4, box.width() - 28, box.height() - 8);
    QLinearGradient shell(body.topLeft(), body.bottomLeft());
    shell.setColorAt(0, QColor(70, 70, 76));
    shell.setColorAt(1, QColor(28, 28, 32));
    p.setBrush(shell);
    p.setPen(QPen(QColor(16, 16, 18), 1));
    p.drawRoundedRect(body, 7, 7);
    // Display.
    const QRectF screen(body.left() + 6, body.top() + 6, body.width() - 12, body.height() * 0.42);
    p.setBrush(QColor(150, 190, 120));
    p.setPen(QPen(QColor(10, 10, 10), 1.5));
    p.drawRoundedRect(screen, 2, 2);
    drawLine(p, QStringLiteral("QLX"), sansFont(13, true), QColor(30, 50, 20), screen.left(),
             screen.right(), screen.center().y(), Qt::AlignHCenter);
    // Four keys.
    const qreal keyTop = screen.bottom() + 8;
    const qreal keyWidth = (body.width() - 12 - 9) / 4;
    for (int i = 0; i < 4; ++i) {
        const QRectF key(body.left() + 6 + i * (keyWidth + 3), keyTop, keyWidth, 10);
        p.setBrush(i == 3 ? kRed : QColor(120, 120, 128));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(key, 3, 3);
    }
    p.restore();
}

void drawProductCard(QPainter& p, const QRectF& area, const QString& name, const QString& kind,
                     int index) {
    p.save();
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, QColor(38, 38, 42));
    fill.setColorAt(1, QColor(16, 16, 18));
    p.setBrush(fill);
    p.setPen(QPen(kPanelEdge, 1));
    p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.fillRect(QRectF(area.left() + 1, area.top() + 12, 3, area.height() - 24), kRed);

    const QRectF pictureBox(area.left() + 12, area.top() + 12, 100, area.height() - 24);
    const QColor accents[] = {kRed, QColor(120, 170, 230), kOrange};
    if (index < 3) {
        drawEsc(p, pictureBox, accents[index]);
    } else {
        drawProgramCard(p, pictureBox.adjusted(14, 0, -14, 0));
    }

    const qreal textLeft = area.left() + 124;
    const qreal textRight = area.right() - 8;
    QFont family = sansFont(11, true);
    family.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    drawLine(p, QStringLiteral("ORVEK"), family, kOrange, textLeft, textRight, area.top() + 20,
             Qt::AlignLeft);
    drawLine(p, name, fittedFont(name, int(textRight - textLeft), 20, true), kText, textLeft,
             textRight, area.top() + 40, Qt::AlignLeft);
    drawLine(p, kind, fittedFont(kind, int(textRight - textLeft), 12), kMidGrey, textLeft,
             textRight, area.top() + 61, Qt::AlignLeft);
    drawLine(p, say(QT_TRANSLATE_NOOP("Artwork", "Product page \u203A")), sansFont(12, true),
             kOrange, textLeft, textRight, area.top() + 81, Qt::AlignLeft);
    p.restore();
}

void drawHelp(QPainter& p, const QRectF& area) {
    p.save();
    drawPanel(p, area);
    const qreal left = area.left() + 28;
    const qreal width = area.width() - 56;
    drawLine(p, say(QT_TRANSLATE_NOOP("windowText", "USER SUPPORT"), "windowText"),
             sansFont(24, true), kOrange, left, left + width, area.top() + 38, Qt::AlignLeft);
    drawFadingLine(p, left - 8, left + width, area.top() + 58, QColor(88, 88, 94), false);

    struct Step {
        QString title;
        QString text;
    };
    const Step steps[] = {
        {say(QT_TRANSLATE_NOOP("Artwork", "Connect")),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "Plug the ORVEK USB link into the computer, then into the ESC's "
             "programming port or the "
             "QLX program card. The USB lamp lights once the adapter is found."))},
        {say(QT_TRANSLATE_NOOP("Artwork", "Choose the device")),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "In the Device menu pick Esc or Program Card. The ESC or program card lamp "
             "lights as soon "
             "as the device answers."))},
        {say(QT_TRANSLATE_NOOP("windowText", "ESC SETUP"), "windowText"),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "The ESC's eighteen settings are read by themselves. Change them and click "
             "SEND SETTING; DEFAULT SETTING puts back the factory values. Team setup "
             "sheets: PRE-SET PROFILES."))},
        {say(QT_TRANSLATE_NOOP("windowText", "FIRMWARE"), "windowText"),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "Shows the firmware on the device. Pick an image and click its FIRMWARE "
             "SAVE picture; keep "
             "the device powered until Finished shows."))},
        {say(QT_TRANSLATE_NOOP("Artwork", "Fix Mode")),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "If an update was cut short, choose Device > Fix Mode, power the ESC and run the ESC "
             "firmware update again."))},
        {say(QT_TRANSLATE_NOOP("Artwork", "Settings files")),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "File > Export Settings saves the settings to a .cfg file; File > Import "
             "Settings loads "
             "them back."))},
        {say(QT_TRANSLATE_NOOP("Artwork", "Keys")),
         say(QT_TRANSLATE_NOOP(
             "Artwork",
             "Tab, Shift+Tab: next, previous control; Space or Enter clicks; arrows "
             "change a list. Alt+1, 2, 3: the pages; Alt+F, D, H: the menus."))},
    };
    const QFont titleFont = sansFont(14, true);
    // The steps fill the panel down to its bottom edge at most: a longer language takes a
    // smaller text, never a cut one.
    auto stepsEnd = [&](const QFontMetricsF& metrics) {
        qreal end = area.top() + 72;
        for (const Step& step : steps) {
            const QRectF textBox(left + 30, end + 20, width - 30, 200);
            end = metrics.boundingRect(textBox, Qt::TextWordWrap, step.text).bottom() + 8;
        }
        return end;
    };
    int textSize = 13;
    while (textSize > 9 && stepsEnd(QFontMetricsF(sansFont(textSize))) > area.bottom() - 4)
        --textSize;
    const QFont textFont = sansFont(textSize);
    const QFontMetricsF textMetrics(textFont);
    qreal y = area.top() + 72;
    int number = 1;
    for (const Step& step : steps) {
        // Numbered badge.
        const QRectF badge(left, y - 1, 20, 20);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(badge);
        drawLine(p, QString::number(number++), sansFont(12, true), QColor(255, 255, 255),
                 badge.left(), badge.right(), badge.center().y(), Qt::AlignHCenter);
        drawLine(p, step.title, titleFont, kText, left + 30, left + width, y + 9, Qt::AlignLeft);
        const QRectF textBox(left + 30, y + 20, width - 30, 200);
        const QRectF used = textMetrics.boundingRect(textBox, Qt::TextWordWrap, step.text);
        p.setFont(textFont);
        p.setPen(kMidGrey);
        p.drawText(textBox, Qt::TextWordWrap, step.text);
        y = used.bottom() + 8;
    }
    p.restore();
}

void drawHomeButton(QPainter& p, const QRectF& area) {
    drawButtonFace(p, area, QColor(240, 50, 46), QColor(150, 0, 8), QColor(255, 120, 110), 10);
    // A small house.
    const QPointF c(area.left() + 25, area.center().y());
    p.save();
    p.setPen(QPen(QColor(255, 255, 255), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({c + QPointF(-10, 0), c + QPointF(0, -9), c + QPointF(10, 0)}));
    p.drawPolyline(QPolygonF(
        {c + QPointF(-7, -2), c + QPointF(-7, 9), c + QPointF(7, 9), c + QPointF(7, -2)}));
    p.restore();
    const QFont font = sansFont(14, true);
    drawLine(p, say(QT_TRANSLATE_NOOP("Artwork", "GO TO")), font, QColor(255, 255, 255),
             area.left() + 44, area.right() - 6, area.center().y() - 8, Qt::AlignLeft);
    drawLine(p, say(QT_TRANSLATE_NOOP("Artwork", "HOMEPAGE")), font, QColor(255, 255, 255),
             area.left() + 44, area.right() - 6, area.center().y() + 9, Qt::AlignLeft);
}

QImage linksPage(int width, int height) {
    QImage image = blankImage(width, height);
    image.fill(kBlack);
    QPainter p(&image);
    prepare(p);
    drawHelp(p, QRectF(10, 10, 470, height - 20));

    drawLine(p, say(QT_TRANSLATE_NOOP("Artwork", "ORVEK PRODUCTS")), sansFont(18, true), kOrange,
             kProductLeft, kProductLeft + kProductWidth, 32, Qt::AlignLeft);
    const QString names[] = {QStringLiteral("ARC"), QStringLiteral("BASIS SPEC"),
                             QStringLiteral("ZETA"), QStringLiteral("QLX")};
    const QString kinds[] = {say(QT_TRANSLATE_NOOP("Artwork", "Brushless ESC")),
                             say(QT_TRANSLATE_NOOP("Artwork", "Spec-class ESC")),
                             say(QT_TRANSLATE_NOOP("Artwork", "Brushless ESC")),
                             say(QT_TRANSLATE_NOOP("Artwork", "Program card"))};
    for (int i = 0; i < 4; ++i) {
        const QRectF card(kProductLeft, kProductTop + kProductStep * i, kProductWidth,
                          kProductHeight);
        drawProductCard(p, card, names[i], kinds[i], i);
    }

    // Between the help and the products: the family mark, large and quiet.
    drawLine(p, QStringLiteral("ORVEK"), fittedFont(QStringLiteral("ORVEK"), 170, 56, true, true),
             QColor(255, 255, 255, 30), 490, 690, 250, Qt::AlignHCenter);
    drawLine(p, QStringLiteral("USB LINK"), sansFont(18, true), QColor(247, 148, 29, 60), 490, 690,
             290, Qt::AlignHCenter);
    const QString click = say(QT_TRANSLATE_NOOP("Artwork", "Click a product for its page"));
    drawLine(p, click, fittedFont(click, 200, 12), kMidGrey, 490, 690, 470, Qt::AlignHCenter);
    drawHomeButton(p, kHomeButton.adjusted(0, 0, 0, -2));
    return image;
}

}  // namespace

QImage drawLinksPagePicture(const SkinPicture& picture) {
    if (picture.id != SkinId::LinksPage) return {};
    return linksPage(picture.width, picture.height);
}

}  // namespace orvek::art
