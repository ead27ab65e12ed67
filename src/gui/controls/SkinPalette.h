#pragma once
// The skin's colours and text fonts, written once for the window and every page.
#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace orvek::skin {

// Label texts on the black pages.
const QColor kLabelText(234, 234, 234);
// Progress captions, notes and change markers.
const QColor kOrange(247, 148, 29);
// Highlights and failures.
const QColor kRed(255, 0, 0);
// Value fields and lists: white text on dark grey.
const QColor kFieldGround(58, 58, 58);
// The menu bar's ground on the black window.
const QColor kMenuGround(30, 30, 30);

// The black ground of the main window and its pages.
inline void paintBlack(QWidget& widget) {
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget.setPalette(palette);
}

// The colour of a label's or field's text.
inline void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

// A field the racer types into, in the pages' value-field colours.
inline void paintField(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, kFieldGround);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Highlight, kRed);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    widget.setPalette(palette);
}

// The keyboard focus: a 2-pixel outline in the skin's orange just inside `area`, drawn by each
// skinned control over its own face, so that the focus is seen by its shape, not only by colour.
constexpr int kFocusOutlineWidth = 2;
inline void drawFocusOutline(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kOrange, kFocusOutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    // A pen of even width straddles its line: move it in by half so both pixels lie inside.
    painter.drawRect(QRectF(area).adjusted(1, 1, -1, -1));
    painter.restore();
}

}  // namespace orvek::skin
