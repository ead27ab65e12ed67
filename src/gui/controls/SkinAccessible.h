#pragma once
// What assistive technology reads of the skinned controls that Qt's own interfaces would misread:
// a picture that acts as a button or a link, or a caption that shows a progress. The widget keeps
// its accessible name (set with setAccessibleName); this only gives it the right role and, for
// what can be activated, the press action.
#include <QAccessible>
#include <QWidget>

#include <functional>

namespace orvek {

// Gives `widget` the role `role` for assistive technology. Call before the widget is first
// queried (at creation). `press`, when given, is the press action's effect (a click's).
void setAccessibleRole(QWidget& widget, QAccessible::Role role,
                       std::function<void()> press = nullptr);

}  // namespace orvek
