#include "gui/controls/PageBase.h"

#include <QMouseEvent>

#include "gui/controls/SkinPalette.h"

namespace orvek {

PageBase::PageBase(QWidget* parent, PressRule rule) : QWidget(parent), pressRule_(rule) {
    skin::paintBlack(*this);
    // The hand cursor over the areas: the page takes the pointer's moves over its pictures.
    setMouseTracking(true);
}

void PageBase::mouseMoveEvent(QMouseEvent* event) {
    clickAreas_.track(*this, event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void PageBase::mousePressEvent(QMouseEvent* event) {
    const bool plain = event->buttons() == Qt::LeftButton &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool acts =
        event->button() == Qt::LeftButton && (pressRule_ == PressRule::LeftButton || plain);
    if (acts) clickAreas_.press(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

}  // namespace orvek
