#include "gui/controls/SkinAccessible.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QVariant>

#include <map>
#include <mutex>
#include <utility>

namespace orvek {
namespace {

constexpr const char* kRoleProperty = "orvekAccessibleRole";

// Press actions by widget; entries go with their widgets (destroyed signal).
std::map<const QObject*, std::function<void()>>& pressActions() {
    static std::map<const QObject*, std::function<void()>> actions;
    return actions;
}

class SkinAccessibleWidget : public QAccessibleWidget {
public:
    SkinAccessibleWidget(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text t) const override {
        // A list reads its setting's name, and the option it shows as its value.
        if (t == QAccessible::Value) {
            if (const auto* list = qobject_cast<const QComboBox*>(widget()))
                return list->currentText();
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (press()) names.prepend(QAccessibleActionInterface::pressAction());
        return names;
    }
    void doAction(const QString& actionName) override {
        if (actionName == QAccessibleActionInterface::pressAction()) {
            if (const auto* action = press()) {
                if (widget()->isEnabled()) (*action)();
            }
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    const std::function<void()>* press() const {
        const auto found = pressActions().find(object());
        return found == pressActions().end() ? nullptr : &found->second;
    }
};

QAccessibleInterface* skinFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new SkinAccessibleWidget(static_cast<QWidget*>(object),
                                    static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void setAccessibleRole(QWidget& widget, QAccessible::Role role, std::function<void()> press) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(skinFactory); });
    widget.setProperty(kRoleProperty, static_cast<int>(role));
    if (press) {
        pressActions()[&widget] = std::move(press);
        QObject::connect(&widget, &QObject::destroyed,
                         [](QObject* gone) { pressActions().erase(gone); });
    }
}

}  // namespace orvek
