#pragma once
// A read-only, one-line identity field of the firmware page: white text on dark grey, centred
// across the field and placed at its vertical middle, one pixel low, as the page has always
// drawn it.
#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

namespace orvek {

class IdentityField : public QWidget {
    Q_OBJECT
public:
    explicit IdentityField(QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    // Where the text goes in a field of `field` size: the field's width, one line high,
    // centred vertically, then moved down by one pixel.
    static QRect textRect(const QSize& field, int lineHeight);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace orvek
