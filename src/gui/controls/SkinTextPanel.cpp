#include "gui/controls/SkinTextPanel.h"

#include <QPainter>
#include <QScrollBar>

#include "gui/controls/FocusCue.h"
#include "gui/controls/SkinPalette.h"

namespace orvek {

SkinTextPanel::SkinTextPanel(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(true);
    focusCue::follow();
    // A click selects text as before; Tab reaches it too.
    setFocusPolicy(Qt::StrongFocus);
    // A scroll moves the painted pixels, the outline with them: draw it again where it belongs.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            [this] { viewport()->update(); });
}

void SkinTextPanel::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (!focusCue::shown(*this)) return;
    QPainter painter(viewport());
    skin::drawFocusOutline(painter, viewport()->rect());
}

void SkinTextPanel::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void SkinTextPanel::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
}

}  // namespace orvek
