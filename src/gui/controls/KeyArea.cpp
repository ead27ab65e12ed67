#include "gui/controls/KeyArea.h"

#include <QKeyEvent>
#include <QPainter>

#include <utility>

#include "gui/controls/FocusCue.h"
#include "gui/controls/SkinAccessible.h"
#include "gui/controls/SkinPalette.h"

namespace orvek {

KeyArea::KeyArea(QWidget* page, const QRect& area, const QString& name, QAccessible::Role role,
                 std::function<void()> action)
    : QWidget(page), action_(std::move(action)) {
    setGeometry(area);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Only the keyboard gives it the focus: a click belongs to the page under it.
    setFocusPolicy(Qt::TabFocus);
    // The role first: a name change already builds the interface assistive technology reads.
    setAccessibleRole(*this, role, [this] { activate(); });
    setAccessibleName(name);
    raise();  // over the picture it stands for
    focusCue::follow();
}

void KeyArea::activate() {
    if (isEnabled() && action_) action_();
}

void KeyArea::paintEvent(QPaintEvent*) {
    if (!focusCue::shown(*this)) return;
    QPainter painter(this);
    skin::drawFocusOutline(painter, rect());
}

void KeyArea::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->isAutoRepeat()) {
                event->accept();  // a held key is one press, as a held mouse button is
                return;
            }
            event->accept();
            activate();
            return;
        default: QWidget::keyPressEvent(event);
    }
}

void KeyArea::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void KeyArea::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

}  // namespace orvek
