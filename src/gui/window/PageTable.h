#pragma once
// The window's pages, in the order of their buttons down the left column: each button's
// pictures, place and name, when it is enabled, and how its page is made. The window holds no
// per-page code of its own: it shows, latches, enables and tabs through whatever this table
// (and WindowOptions::extraPages) gives it.
#include <filesystem>
#include <functional>
#include <vector>

#include <QRect>

#include "firmware/FirmwareCatalogue.h"
#include "gui/controls/PageBase.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/desktop/UrlOpener.h"
#include "monitor/DeviceMode.h"

namespace orvek {

// What the window lends its pages when it makes them.
struct PageServices {
    std::filesystem::path programFolder;
    UrlOpener& urlOpener;
    MessageBoxes& messages;
    // Raises a firmware update request; the window starts its lockout at once.
    std::function<void(FirmwareTarget, const std::filesystem::path&)> raiseUpdate;
};

struct PageEntry {
    int buttonId;
    // The button's pictures (SkinId) and place in the left column.
    int normalPicture, pressedPicture, hoverPicture;
    QRect buttonPlace;
    // What assistive technology reads for the button.
    const char* buttonName;
    // Whether the button is enabled after `mode` was chosen (and, for None, at the start).
    std::function<bool(DeviceMode mode)> enabledFor;
    // Makes the page in the window's page frame.
    std::function<PageBase*(const PageServices& services, QWidget* frame)> make;
};

// USER SUPPORT, ESC SETUP and FIRMWARE, in that order (the window's Page values).
std::vector<PageEntry> standardPages();

}  // namespace orvek
