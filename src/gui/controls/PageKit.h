#pragma once
// What every page is built from: one placement table type, one typed registry of its controls
// by id, and its click areas (the hand cursor, and a press strictly inside an area acts; Space or
// Enter on its key area acts the same).
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "gui/controls/KeyArea.h"

#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace orvek {

// One control of a page's layout table. `Kind` is the page's own list of control kinds.
template <typename Kind>
struct Placement {
    int id;
    Kind kind;
    QRect place;
    int picture = 0;             // skin id of a picture
    const char* text = nullptr;  // a label's fixed text
    bool shown = true;
};

// The page's controls by id, each looked up as the type it is.
class ControlRegistry {
public:
    void add(int id, QWidget* widget) { controls_[id] = widget; }
    // Null for an id the page does not have.
    QWidget* widget(int id) const {
        const auto found = controls_.find(id);
        return found == controls_.end() ? nullptr : found->second;
    }
    // Null also when the control is of another type.
    template <typename Widget>
    Widget* as(int id) const {
        return dynamic_cast<Widget*>(widget(id));
    }

private:
    std::map<int, QWidget*> controls_;
};

// The rectangle's right and bottom edges lie one past its last pixel, as window rectangles do;
// the edge pixels themselves do not count.
inline bool strictlyInside(const QRect& area, const QPoint& p) {
    return area.left() < p.x() && p.x() < area.left() + area.width() && area.top() < p.y() &&
           p.y() < area.top() + area.height();
}

// The click areas of one page (links, action and start pictures).
class ClickAreas {
public:
    void add(const QRect& area, std::function<void()> action) {
        areas_.emplace_back(area, std::move(action));
    }
    // The area under `point`, -1 for none.
    int at(const QPoint& point) const {
        for (std::size_t i = 0; i < areas_.size(); ++i) {
            if (strictlyInside(areas_[i].first, point)) return static_cast<int>(i);
        }
        return -1;
    }
    // The same, also reached from the keyboard: a KeyArea over the area, named for assistive
    // technology, whose Space and Enter run the same action. The page owns the key area.
    KeyArea* addWithKeys(QWidget& page, const QRect& area, const QString& name,
                         QAccessible::Role role, const std::function<void()>& action) {
        add(area, action);
        return new KeyArea(&page, area, name, role, action);
    }
    const QRect& area(int index) const { return areas_[static_cast<std::size_t>(index)].first; }
    // A move over the page: the hand over an area, the page's own cursor elsewhere.
    void track(QWidget& page, const QPoint& point) const {
        if (at(point) >= 0) {
            page.setCursor(Qt::PointingHandCursor);
        } else {
            page.unsetCursor();
        }
    }
    // A press the page accepts: runs the action of the area under it; false when none.
    bool press(const QPoint& point) const {
        const int index = at(point);
        if (index < 0) return false;
        areas_[static_cast<std::size_t>(index)].second();
        return true;
    }

private:
    std::vector<std::pair<QRect, std::function<void()>>> areas_;
};

}  // namespace orvek
