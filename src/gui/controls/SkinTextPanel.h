#pragma once
// A read-only text panel of a page (a setup sheet's comment, the firmware information): light
// text on black, no frame, reached with Tab and scrolled with the keys, showing the keyboard
// focus with the skin's focus outline. Tab leaves it instead of being typed into it.
#include <QPlainTextEdit>

namespace orvek {

class SkinTextPanel : public QPlainTextEdit {
public:
    explicit SkinTextPanel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace orvek
