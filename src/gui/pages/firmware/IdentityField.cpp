#include "gui/pages/firmware/IdentityField.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/controls/SkinPalette.h"

namespace orvek {

IdentityField::IdentityField(QWidget* parent) : QWidget(parent) {}

void IdentityField::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

QRect IdentityField::textRect(const QSize& field, int lineHeight) {
    return QRect(0, (field.height() - lineHeight) / 2 + 1, field.width(), lineHeight);
}

void IdentityField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), skin::kFieldGround);
    painter.setFont(font());
    painter.setPen(skin::kFieldText);
    const QRect place = textRect(size(), QFontMetrics(font()).height());
    painter.drawText(place, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text_);
}

}  // namespace orvek
