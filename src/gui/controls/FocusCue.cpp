#include "gui/controls/FocusCue.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPointer>

namespace orvek::focusCue {
namespace {

// Watches every press the window's thread hands out; objects on other threads never reach an
// application's event filter.
class KeyboardWatch : public QObject {
public:
    KeyboardWatch() : QObject(qApp) { qApp->installEventFilter(this); }
    bool keyboard = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress: setKeyboard(true); break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: setKeyboard(false); break;
            default: break;
        }
        return false;
    }

private:
    void setKeyboard(bool on) {
        if (keyboard == on) return;
        keyboard = on;
        // The control with the focus shows or hides its outline at once.
        if (QWidget* focused = QApplication::focusWidget()) {
            focused->update();
            if (auto* area = qobject_cast<QAbstractScrollArea*>(focused))
                area->viewport()->update();
        }
    }
};

KeyboardWatch* watch() {
    if (!qApp) return nullptr;
    static QPointer<KeyboardWatch> instance;
    if (!instance) instance = new KeyboardWatch;
    return instance.data();
}

}  // namespace

void follow() { watch(); }

bool shown(const QWidget& widget) {
    const KeyboardWatch* keys = watch();
    return widget.hasFocus() && keys && keys->keyboard;
}

}  // namespace orvek::focusCue
