#pragma once
// Modal message boxes owned by the main window: the application's name as caption, an OK
// button (or Yes and No for a question) and the stop icon or none. Pages and the window show
// them through this interface, so that tests record the texts instead of blocking. Texts are
// handed over in English; the box shows them in the window's language (coreText).
#include <string>

#include "platform/MessageIcon.h"

class QWidget;

namespace orvek {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns once the box is dismissed.
    virtual void show(const std::string& text, MessageIcon icon) = 0;
    // A question with Yes and No; `yesIsDefault` false makes No the default button (and the
    // answer when the box is closed). True for Yes.
    virtual bool ask(const std::string& text, bool yesIsDefault) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    // `owner` may be null (the box is then a window of its own); it must outlive the object.
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void show(const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& text, bool yesIsDefault) override;

private:
    QWidget* owner_;
};

}  // namespace orvek
