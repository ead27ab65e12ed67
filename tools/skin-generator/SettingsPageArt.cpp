// Pictures of the ESC SETUP page: panels, headings, label columns and the two action pictures.

#include <QPainterPath>

#include <algorithm>

#include "ArtKit.h"
#include "SkinArtist.h"

namespace orvek::art {
namespace {

QImage panel(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    // Neighbouring panels touch on the page; the inset keeps a dark gap between them.
    drawPanel(p, QRectF(3, 3, width - 6, height - 6));
    return image;
}

QImage heading(int width, int height, const QString& text, int pixelSize) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawHeading(p, QRectF(0, 0, width, height), text, pixelSize);
    return image;
}

QImage divider(int width, int height) {
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    drawFadingLine(p, 0, width, height / 2.0, QColor(88, 88, 94), true);
    return image;
}

// Label rows come from the catalogue, so that each text sits on the middle of its control.
QImage labels(const SkinPicture& picture, int pixelSize, Qt::Alignment alignment, int rightMargin) {
    QImage image = blankImage(picture.width, picture.height);
    QPainter p(&image);
    prepare(p);
    const auto& rows = SkinCatalog::labelRows(picture.id);
    const int usable = picture.width - rightMargin - 1;
    int size = pixelSize;
    for (const SkinLabelRow& row : rows) {
        size = std::min(size, fittedFont(labelText(row.text), usable, pixelSize).pixelSize());
    }
    const QFont font = sansFont(size);
    for (const SkinLabelRow& row : rows) {
        drawLine(p, labelText(row.text), font, kText, 1, picture.width - rightMargin, row.centreY,
                 alignment);
    }
    return image;
}

enum class ActionIcon { Reset, Send };

void drawActionIcon(QPainter& p, const QPointF& centre, ActionIcon kind, const QColor& colour) {
    p.save();
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (kind == ActionIcon::Reset) {
        // An open circle with an arrow head: back to the factory values.
        const QRectF ring(centre.x() - 8, centre.y() - 8, 16, 16);
        p.drawArc(ring, 100 * 16, 290 * 16);
        QPainterPath head;
        head.moveTo(centre.x() - 4.5, centre.y() - 12);
        head.lineTo(centre.x() + 0.5, centre.y() - 8);
        head.lineTo(centre.x() - 4.5, centre.y() - 3.5);
        p.drawPath(head);
    } else {
        // An arrow into a chip: the settings go into the ESC.
        p.drawRoundedRect(QRectF(centre.x() - 9, centre.y() + 1, 18, 9), 2, 2);
        p.drawLine(QPointF(centre.x(), centre.y() - 12), QPointF(centre.x(), centre.y() + 4));
        p.drawPolyline(
            QPolygonF({QPointF(centre.x() - 5, centre.y() - 1), QPointF(centre.x(), centre.y() + 4),
                       QPointF(centre.x() + 5, centre.y() - 1)}));
    }
    p.restore();
}

// `lines` is the caption on two lines split at '\n' (a language may need only one).
QImage actionPicture(int width, int height, const QString& lines, ActionIcon kind) {
    const QString top = lines.section(QLatin1Char('\n'), 0, 0);
    const QString bottom = lines.section(QLatin1Char('\n'), 1);
    QImage image = blankImage(width, height);
    QPainter p(&image);
    prepare(p);
    const bool primary = kind == ActionIcon::Send;
    if (primary) {
        drawButtonFace(p, QRectF(0, 0, width, height), QColor(240, 50, 46), QColor(150, 0, 8),
                       QColor(255, 120, 110));
    } else {
        drawButtonFace(p, QRectF(0, 0, width, height), QColor(74, 74, 78), QColor(36, 36, 40),
                       kRed);
    }
    const QColor ink = primary ? QColor(255, 255, 255) : kText;
    drawActionIcon(p, QPointF(23, height / 2.0), kind, ink);
    const int textLeft = 40;
    // The wider line decides the size of both.
    const int usable = width - textLeft - 6;
    const QFont font = sansFont(std::min(fittedFont(top, usable, 14, true).pixelSize(),
                                         fittedFont(bottom, usable, 14, true).pixelSize()),
                                true);
    drawLine(p, top, font, ink, textLeft, width - 6, height / 2.0 - 8, Qt::AlignLeft);
    drawLine(p, bottom, font, ink, textLeft, width - 6, height / 2.0 + 9, Qt::AlignLeft);
    return image;
}

}  // namespace

QImage drawSettingsPagePicture(const SkinPicture& picture) {
    const int w = picture.width;
    const int h = picture.height;
    switch (picture.id) {
        case SkinId::SettingsLeftPanel:
        case SkinId::SettingsMiddleUpperPanel:
        case SkinId::SettingsMiddleLowerPanel:
        case SkinId::SettingsRightPanel: return panel(w, h);
        case SkinId::EscInformationHeading:
            return heading(w, h, say(QT_TRANSLATE_NOOP("Artwork", "ESC INFORMATION")), 17);
        case SkinId::BasicSetupHeading:
            return heading(w, h, say(QT_TRANSLATE_NOOP("Artwork", "BASIC SETUP")), 14);
        case SkinId::TechnicalSetupHeading:
            return heading(w, h, say(QT_TRANSLATE_NOOP("Artwork", "TECHNICAL SETUP")), 13);
        case SkinId::ProfilesHeading:
            return heading(
                w, h, say(QT_TRANSLATE_NOOP("Artwork", "FACTORY TEAM PRE-SET\nPROFILES SELECT")),
                13);
        case SkinId::SetupCommentHeading:
            return heading(w, h, say(QT_TRANSLATE_NOOP("Artwork", "TEAM DRIVER\nSETUP COMMENT")),
                           13);
        case SkinId::SettingsDivider: return divider(w, h);
        case SkinId::FirmwareLabel: return labels(picture, 13, Qt::AlignLeft, 0);
        case SkinId::BasicSetupLabels: return labels(picture, 13, Qt::AlignRight, 8);
        case SkinId::TechnicalSetupLabels: return labels(picture, 13, Qt::AlignRight, 6);
        case SkinId::InfoLabels: return labels(picture, 13, Qt::AlignRight, 6);
        case SkinId::CategoryLabel:
        case SkinId::SetupSheetLabel: return labels(picture, 12, Qt::AlignLeft, 0);
        case SkinId::DefaultSettingAction:
            return actionPicture(w, h, say(QT_TRANSLATE_NOOP("Artwork", "DEFAULT\nSETTING")),
                                 ActionIcon::Reset);
        case SkinId::SendSettingAction:
            return actionPicture(w, h, say(QT_TRANSLATE_NOOP("Artwork", "SEND\nSETTING")),
                                 ActionIcon::Send);
        default: return {};
    }
}

}  // namespace orvek::art
