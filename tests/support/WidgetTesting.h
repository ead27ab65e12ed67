#pragma once
// Helpers for widget tests: a QApplication on the offscreen platform for the whole run, real
// mouse events sent to a widget, and what a widget paints as an image.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace orvek::testing {

// What the widget paints, over a black ground (the pages are black).
QImage renderWidget(QWidget& widget);
// A skin picture as it shows on a black ground, cut or padded to the given size.
QImage pictureOnBlack(int id, const QSize& size);
// The part of a skin picture (e.g. one arrow cell) as it shows on a black ground.
QImage pictureCellOnBlack(int id, const QRect& source);

// True when every pixel of `area` in `image` matches `expected` (its top-left at area's top-left).
bool regionMatches(const QImage& image, const QRect& area, const QImage& expected);
// Pixels of `area` whose colour is within `tolerance` (per channel) of `colour`.
int countPixels(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 0);
// The smallest rectangle holding every such pixel; null when there is none.
QRect boundsOfColour(const QImage& image, const QRect& area, const QColor& colour,
                     int tolerance = 0);

// Moves the window system's pointer far away from every window. The pointer stays where earlier
// tests left it, and a window shown under it would hand its controls an enter event.
void parkPointer();

// Mouse events delivered to the widget itself, with the button state a real mouse would report.
void sendEnter(QWidget& widget, const QPoint& at);
void sendLeave(QWidget& widget);
void sendMove(QWidget& widget, const QPoint& at, Qt::MouseButtons held = Qt::NoButton);
void sendPress(QWidget& widget, const QPoint& at);
void sendRelease(QWidget& widget, const QPoint& at);

}  // namespace orvek::testing
