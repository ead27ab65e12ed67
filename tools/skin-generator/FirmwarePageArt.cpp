// Pictures of the FIRMWARE page (panels, titles, start and status pictures, progress frame) and
// the arrow strip of the skinned list.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>

#include "ArtKit.h"
#include "SkinArtist.h"

namespace orvek::art {
namespace {

QImage panel(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawPanel(p, QRectF(3, 3, width - 6, height - 6));
    return image;
}

QImage title(int width, int height, const QString& text, int pixelSize) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawHeading(p, QRectF(0, 0, width, height), text, pixelSize);
    return image;
}

QImage separator(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawFadingLine(p, 0, width, height / 2.0, QColor(88, 88, 94), true);
    return image;
}

// A chip with a downward arrow: new firmware goes into the device.
void drawFlashIcon(QPainter& p, const QPointF& centre, const QColor& ink) {
    p.save();
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QRectF chip(centre.x() - 10, centre.y() - 2, 20, 13);
    p.drawRoundedRect(chip, 2, 2);
    for (int i = 0; i < 4; ++i) {
        const qreal x = chip.left() + 3.5 + i * 4.3;
        p.drawLine(QPointF(x, chip.bottom() + 1), QPointF(x, chip.bottom() + 4));
    }
    p.drawLine(QPointF(centre.x(), centre.y() - 16), QPointF(centre.x(), centre.y() + 4));
    p.drawPolyline(
        QPolygonF({QPointF(centre.x() - 5, centre.y() - 1), QPointF(centre.x(), centre.y() + 4),
                   QPointF(centre.x() + 5, centre.y() - 1)}));
    p.restore();
}

QImage startPicture(int width, int height, const QStringList& lines) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawButtonFace(p, QRectF(0, 0, width, height), QColor(240, 50, 46), QColor(150, 0, 8),
                   QColor(255, 120, 110), 10);
    const QColor ink(255, 255, 255);
    drawFlashIcon(p, QPointF(27, height / 2.0), ink);
    const qreal left = 48;
    int size = 14;
    for (const QString& line : lines)
        size = std::min(size, fittedFont(line, int(width - left - 8), 14, true).pixelSize());
    const QFont font = sansFont(size, true);
    const qreal lineHeight = QFontMetricsF(font).height();
    const qreal first = height / 2.0 - lineHeight * (lines.size() - 1) / 2;
    for (int i = 0; i < lines.size(); ++i)
        drawLine(p, lines[i], font, ink, left, width - 8, first + i * lineHeight, Qt::AlignLeft);
    return image;
}

enum class Status { Ready, Finished, Failed };

QImage statusPicture(int width, int height, Status status) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    const QColor accent = status == Status::Ready      ? kOrange
                          : status == Status::Finished ? kGreen
                                                       : kRed;
    const QRectF body(1.5, 1.5, width - 3, height - 3);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor(34, 34, 37));
    fill.setColorAt(1, QColor(12, 12, 13));
    p.setBrush(fill);
    p.setPen(QPen(accent, 2));
    p.drawRoundedRect(body, 10, 10);

    // The sign of the state in a ring on the left.
    const QPointF centre(32, height / 2.0);
    p.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 15, 15);
    if (status == Status::Ready) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(centre, 6, 6);
    } else if (status == Status::Finished) {
        p.drawPolyline(QPolygonF(
            {centre + QPointF(-7, 0.5), centre + QPointF(-2, 6), centre + QPointF(8, -6)}));
    } else {
        p.drawLine(centre + QPointF(-6, -6), centre + QPointF(6, 6));
        p.drawLine(centre + QPointF(6, -6), centre + QPointF(-6, 6));
    }
    // The window reads the same words out (its page's context).
    const QString word =
        status == Status::Ready
            ? say(QT_TRANSLATE_NOOP("orvek::CFirmwareDlg", "Ready"), "orvek::CFirmwareDlg")
        : status == Status::Finished
            ? say(QT_TRANSLATE_NOOP("orvek::CFirmwareDlg", "Finished"), "orvek::CFirmwareDlg")
            : say(QT_TRANSLATE_NOOP("orvek::CFirmwareDlg", "Failed"), "orvek::CFirmwareDlg");
    drawLine(p, word, fittedFont(word, width - 62, 22, true), kText, 56, width - 6, height / 2.0,
             Qt::AlignLeft);
    return image;
}

QImage progressFrame(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    const QRectF body(1.5, 1.5, width - 3, height - 3);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor(24, 24, 26));
    fill.setColorAt(1, QColor(6, 6, 7));
    p.setBrush(fill);
    p.setPen(QPen(QColor(96, 96, 102), 2));
    p.drawRoundedRect(body, 12, 12);
    p.setPen(QPen(QColor(247, 148, 29, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(4, 4, -4, -4), 9, 9);
    return image;
}

// One cell of the list arrow: a dark triangle on a face that is flat, raised or sunken.
enum class ArrowCell { Normal, Hover, Pressed };

void drawArrowCell(QPainter& p, const QRectF& cell, ArrowCell look) {
    const QColor light(255, 255, 255);
    const QColor shade(96, 128, 160);
    QLinearGradient face(cell.topLeft(), cell.bottomLeft());
    if (look == ArrowCell::Normal) {
        face.setColorAt(0, QColor(252, 252, 252));
        face.setColorAt(1, QColor(226, 226, 226));
    } else {
        face.setColorAt(0,
                        look == ArrowCell::Hover ? QColor(214, 236, 252) : QColor(170, 206, 236));
        face.setColorAt(1,
                        look == ArrowCell::Hover ? QColor(178, 214, 244) : QColor(196, 224, 248));
    }
    p.fillRect(cell, face);
    const QRectF edge = cell.adjusted(0.5, 0.5, -0.5, -0.5);
    if (look == ArrowCell::Normal) {
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(edge);
    } else {
        // Raised: light top-left, dark bottom-right; sunken the other way round.
        const bool raised = look == ArrowCell::Hover;
        p.setPen(QPen(raised ? light : shade, 1));
        p.drawLine(edge.topLeft(), edge.topRight());
        p.drawLine(edge.topLeft(), edge.bottomLeft());
        p.setPen(QPen(raised ? shade : light, 1));
        p.drawLine(edge.bottomLeft(), edge.bottomRight());
        p.drawLine(edge.topRight(), edge.bottomRight());
    }
    const qreal shift = look == ArrowCell::Pressed ? 1 : 0;
    const QPointF c = cell.center() + QPointF(shift, shift + 0.5);
    QPainterPath arrow;
    arrow.moveTo(c + QPointF(-5, -2.5));
    arrow.lineTo(c + QPointF(5, -2.5));
    arrow.lineTo(c + QPointF(0, 3));
    arrow.closeSubpath();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 32, 36));
    p.drawPath(arrow);
    p.restore();
}

QImage arrowStrip(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    // Crisp edges: the cells are small and sit on a hard-edged box.
    p.setRenderHint(QPainter::Antialiasing, false);
    const int cellWidth = width / 3;
    drawArrowCell(p, QRectF(0, 0, cellWidth, height), ArrowCell::Normal);
    drawArrowCell(p, QRectF(cellWidth, 0, cellWidth, height), ArrowCell::Hover);
    drawArrowCell(p, QRectF(2 * cellWidth, 0, cellWidth, height), ArrowCell::Pressed);
    return image;
}

}  // namespace

QImage drawFirmwarePagePicture(const SkinPicture& picture) {
    const int w = picture.width;
    const int h = picture.height;
    switch (picture.id) {
        case SkinId::FirmwareLeftPanel:
        case SkinId::FirmwareRightPanel: return panel(w, h);
        case SkinId::EscGroupTitle:
            return title(w, h, say(QT_TRANSLATE_NOOP("Artwork", "ESC FIRMWARE")), 18);
        case SkinId::CardGroupTitle:
            return title(w, h, say(QT_TRANSLATE_NOOP("Artwork", "PROGRAM CARD FIRMWARE")), 18);
        case SkinId::InformationTitle:
            return title(w, h, say(QT_TRANSLATE_NOOP("Artwork", "FIRMWARE INFORMATION")), 18);
        case SkinId::FirmwareSeparator: return separator(w, h);
        case SkinId::EscFirmwareStart:
            return startPicture(
                w, h,
                say(QT_TRANSLATE_NOOP("Artwork", "ESC\nFIRMWARE\nSAVE")).split(QLatin1Char('\n')));
        case SkinId::CardFirmwareStart:
            return startPicture(w, h,
                                say(QT_TRANSLATE_NOOP("Artwork", "PROGRAM CARD\nFIRMWARE\nSAVE"))
                                    .split(QLatin1Char('\n')));
        case SkinId::StatusReady: return statusPicture(w, h, Status::Ready);
        case SkinId::StatusFinished: return statusPicture(w, h, Status::Finished);
        case SkinId::StatusFailed: return statusPicture(w, h, Status::Failed);
        case SkinId::ProgressFrame: return progressFrame(w, h);
        case SkinId::ArrowStrip: return arrowStrip(w, h);
        default: return {};
    }
}

}  // namespace orvek::art
