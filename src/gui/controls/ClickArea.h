#pragma once
// The rule every page uses for its click areas (links, action and start pictures): the hand
// cursor and a press count only strictly inside the recorded rectangle, its edge pixels not.
#include <QPoint>
#include <QRect>

namespace orvek {

// The rectangle's right and bottom edges lie one past its last pixel, as window rectangles do.
inline bool strictlyInside(const QRect& area, const QPoint& p) {
    return area.left() < p.x() && p.x() < area.left() + area.width() && area.top() < p.y() &&
           p.y() < area.top() + area.height();
}

}  // namespace orvek
