#pragma once
// The skin's colours, font faces and change dot, written once for the window and every page.
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
const QColor kFieldText(255, 255, 255);
// The frame of an open list, in the field's scheme: light to dark edges.
const QColor kListFrameLight(96, 96, 96);
const QColor kListFrameMidlight(80, 80, 80);
const QColor kListFrameMid(40, 40, 40);
const QColor kListFrameDark(30, 30, 30);
const QColor kListFrameShadow(0, 0, 0);
// The menu bar's ground on the black window.
const QColor kMenuGround(30, 30, 30);

// The faces the skin's texts ask for (SkinFont.h says what they become where they are missing).
constexpr const char* kCaptionFace = "Arial";              // captions, notes, panels
constexpr const char* kListFace = "Microsoft Sans Serif";  // lists and value fields
constexpr const char* kDialogFace = "MS Shell Dlg";        // page texts
// The pixel size of the note under the page buttons.
constexpr int kNotePixels = 11;

// The dot beside a setting that SEND SETTING would change, in `area`.
inline void drawChangeDot(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOrange);
    painter.drawEllipse(area);
    painter.restore();
}

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
