#pragma once
// The window's menu bar: File, Device and Help (with Help > Language) with their items, in the
// skin's colours. Each item carries its command id; the Device items carry the mode they choose.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "monitor/DeviceMode.h"

class QAction;
class QMenuBar;
class QWidget;

namespace orvek {

class WindowMenu {
public:
    // Makes the bar on `window`, `width` wide; choosing an item calls `command` with its id.
    QMenuBar& make(QWidget& window, int width, std::function<void(int commandId)> command);

    // An item by its command id; null for any other id.
    QAction* action(int commandId) const;
    // The mode a Device item chooses; none for the other ids.
    static std::optional<DeviceMode> modeOf(int commandId);
    // The language a Help > Language item chooses ("de"); none for the other ids.
    static std::optional<std::string> languageOf(int commandId);
    // The Device items' check marks: the one of `mode` only.
    void setDeviceChecks(DeviceMode mode);

private:
    std::vector<QAction*> actions_;
};

}  // namespace orvek
