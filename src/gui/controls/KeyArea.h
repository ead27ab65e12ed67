#pragma once
// The keyboard's way into a click area of a page picture (an action picture, a start picture, a
// link): a widget over the area that takes the focus with Tab, shows it with the skin's focus
// outline, and runs the area's own action on Space or Enter, so that a key does exactly what the
// click does. The mouse passes through it to the page, which keeps deciding what a press does.
#include <QAccessible>
#include <QWidget>

#include <functional>

namespace orvek {

class KeyArea : public QWidget {
public:
    // Named for assistive technology as `name`, with `role` (a button or a link).
    KeyArea(QWidget* page, const QRect& area, const QString& name, QAccessible::Role role,
            std::function<void()> action);

    // What Space, Enter and the accessible press action do.
    void activate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<void()> action_;
};

}  // namespace orvek
