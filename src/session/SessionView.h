#pragma once
// What the device session tells the window and its pages, one small view per part that draws
// it. Every call is made on the window's thread, in the order the session made it, and carries
// values only: no view keeps a reference into the session. A box shown while the poll is
// stopped holds the session until it is dismissed.
#include <cstdint>
#include <string>

#include "firmware/DeviceIdentity.h"
#include "firmware/SettingsBackup.h"
#include "platform/MessageIcon.h"
#include "session/SeriesState.h"
#include "session/SessionStatus.h"
#include "settings/SettingsModelState.h"
#include "settings/SetupSheets.h"
#include "update/UpdateHost.h"

namespace orvek {

// The main window: lamps, menu checks, page buttons, the port note, boxes and status.
class WindowView {
public:
    virtual ~WindowView() = default;
    // The USB lamp, and the lamp of the device identified now (Esc, ProgramCard or None).
    virtual void setLamps(bool usbOn, DeviceMode identified) = 0;
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
    virtual void setDeviceMenuChecks(DeviceMode mode) = 0;
    virtual void showUserSupportPage() = 0;
    // A mode was chosen: the page buttons it opens are enabled, the others left as they were.
    virtual void enablePagesFor(DeviceMode mode) = 0;
    // The note under the page buttons: why the port cannot be used, empty when it can.
    virtual void showPortNote(const std::string& note) = 0;
    // The settings history could not record (or moved a damaged file aside): one line for the
    // same note, empty once records are kept again.
    virtual void showHistoryNote(const std::string& note) = 0;
    virtual void statusChanged(const SessionStatus& status) = 0;
};

// The ESC SETUP page: the ESC's texts, the write's progress, the settings model, sheet notes.
class SettingsPageView {
public:
    virtual ~SettingsPageView() = default;
    virtual void setEscTexts(const std::string& modelName, const std::string& firmware) = 0;
    virtual void setWriteProgressText(const std::string& text) = 0;
    // The settings model changed; `picksServed` counts the racer's list picks it has taken in.
    virtual void settingsChanged(const SettingsModelState& settings, std::uint64_t picksServed) = 0;
    // A setup sheet was loaded into the model: its notes for the page.
    virtual void setupSheetLoaded(const SetupSheetNotes& notes) = 0;
    // The write series changed: started, an ESC came, went or was served, or it ended.
    virtual void seriesChanged(const SeriesState& series) = 0;
};

// The FIRMWARE page: the device identity and the settings backup, beside what an update shows.
class FirmwarePageView : public UpdateDisplay {
public:
    // The identity of `target` was filled anew; `identity` is the whole of it now.
    virtual void deviceInfoShown(FirmwareTarget target, const FirmwareIdentity& identity) = 0;
    virtual void settingsBackedUp(const SettingsBackup& backup) = 0;
};

struct SessionViews {
    WindowView& window;
    SettingsPageView& settings;
    FirmwarePageView& firmware;
};

}  // namespace orvek
