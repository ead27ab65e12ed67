#include "gui/controls/CxSkinButton.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/controls/FocusCue.h"
#include "gui/controls/SkinFont.h"
#include "gui/controls/SkinPalette.h"
#include "resources/SkinRegistry.h"

namespace orvek {

CxSkinButton::CxSkinButton(QWidget* parent) : QAbstractButton(parent) {
    captionColour = palette().color(QPalette::ButtonText);
    setMouseTracking(true);
    // A focused button shows its resting look (see faceToDraw); taking the focus on a click
    // would hide the pressed look while the mouse holds the button, so only the keyboard gives it.
    setFocusPolicy(Qt::TabFocus);
    focusCue::follow();
}

CxSkinButton::~CxSkinButton() = default;

void CxSkinButton::AssignSkin(int normalId, int pressedId, int hoverId) {
    normal_ = QPixmap();
    pressed_ = QPixmap();
    hover_ = QPixmap();
    disabled_ = QPixmap();
    normal_ = SkinRegistry::pixmap(normalId);
    pressed_ = SkinRegistry::pixmap(pressedId);
    if (hoverId != 0) hover_ = SkinRegistry::pixmap(hoverId);
    disabled_ = SkinRegistry::pixmap(normalId);
    updateGeometry();
    update();
}

QFont CxSkinButton::captionFont() const { return skinFont(captionFontFace, captionFontSize); }

QPoint CxSkinButton::captionPositionFor(const QSize& button, int characters, int averageCharWidth,
                                        int textHeight) {
    // Integer division rounds towards zero, also for captions wider than the button.
    return QPoint((button.width() - characters * averageCharWidth) / 2 - 5,
                  (button.height() - textHeight) / 2);
}

QPoint CxSkinButton::captionPosition() const {
    const QFontMetrics metrics(captionFont());
    return captionPositionFor(size(), int(text().size()), metrics.averageCharWidth(),
                              metrics.height());
}

QSize CxSkinButton::sizeHint() const {
    return normal_.isNull() ? QSize(80, 30) : normal_.deviceIndependentSize().toSize();
}

const QPixmap& CxSkinButton::stateFace() const {
    if (isDown()) return pressed_;
    if (hovered_ && !hover_.isNull()) return hover_;
    return normal_;
}

const QPixmap* CxSkinButton::faceToDraw() const {
    const QPixmap* face = stateFace().isNull() ? nullptr : &stateFace();
    // A focused button keeps its resting look; a latched one always shows the pressed picture.
    if (hasFocus()) {
        const QPixmap& resting = latched ? pressed_ : normal_;
        if (!resting.isNull()) face = &resting;
    }
    if (latched && !pressed_.isNull()) face = &pressed_;
    return face;
}

void CxSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(rect());
    const QFont font = captionFont();
    painter.setFont(font);
    const QPoint caption = captionPosition() + QPoint(0, QFontMetrics(font).ascent());

    if (!isEnabled()) {
        if (disabled_.isNull()) {
            painter.fillRect(rect(), palette().color(QPalette::Button));
        } else {
            painter.drawPixmap(0, 0, disabled_);
        }
        // Embossed: a light copy one pixel down and right under the grey caption.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(caption + QPoint(1, 1), text());
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(caption, text());
        return;
    }

    // Only the top-most picture is drawn: pictures with transparent parts must not show the
    // looks beneath them.
    if (stateFace().isNull()) painter.fillRect(rect(), palette().color(QPalette::Button));
    if (const QPixmap* face = faceToDraw()) painter.drawPixmap(0, 0, *face);

    painter.setPen(captionColour);
    painter.drawText(caption, text());
    if (focusCue::shown(*this)) skin::drawFocusOutline(painter, rect());
}

void CxSkinButton::pointerOver() {
    if (hovered_) return;
    hovered_ = true;
    update();
}

void CxSkinButton::enterEvent(QEnterEvent* event) {
    if (!held_) pointerOver();
    QAbstractButton::enterEvent(event);
}

void CxSkinButton::mouseMoveEvent(QMouseEvent* event) {
    // While held the base class makes the pressed look follow the pointer.
    if (!held_) pointerOver();
    QAbstractButton::mouseMoveEvent(event);
}

void CxSkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        hovered_ = false;
        held_ = true;
    }
    QAbstractButton::mousePressEvent(event);
}

void CxSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) held_ = false;
    QAbstractButton::mouseReleaseEvent(event);
}

void CxSkinButton::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

void CxSkinButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        event->accept();
        if (!event->isAutoRepeat()) click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CxSkinButton::focusOutEvent(QFocusEvent* event) {
    held_ = false;
    QAbstractButton::focusOutEvent(event);
}

}  // namespace orvek
