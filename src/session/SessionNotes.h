#pragma once
// The lines the session adds to the diagnostic log beside the link's bytes: what the monitor and
// the update workers told the window (lamps, the mode chosen, an identification, the boxes).
// MonitorNotes keeps what it told last, so that the log gets a line when something changed, not
// one per tick.
#include <optional>
#include <string>

#include "diag/LinkLog.h"
#include "firmware/DeviceIdentity.h"
#include "firmware/SettingsBackup.h"
#include "monitor/DeviceMode.h"
#include "platform/MessageIcon.h"

namespace orvek {

const char* deviceModeName(DeviceMode mode);

// "box: Send fail", "box (stop icon): USB Connection Error!".
std::string boxNote(const std::string& text, MessageIcon icon);
// "identified: ORVEK ARC, Expert V1.30 (info 0B 00 00 03 40 0D 00)".
std::string identityNote(FirmwareTarget target, const FirmwareIdentity& identity);

// Written on the device thread only (the monitor's host runs there).
class MonitorNotes {
public:
    explicit MonitorNotes(LinkLog& log) : log_(log) {}

    void lamps(bool usbOn, DeviceMode identified);
    void mode(DeviceMode mode);
    void portNote(const std::string& note);
    void identified(FirmwareTarget target, const FirmwareIdentity& identity);
    void box(const std::string& text, MessageIcon icon);
    void settingsWrite(bool running);
    void backup(const SettingsBackup& backup);

private:
    LinkLog& log_;
    std::string lamps_;
    std::optional<DeviceMode> mode_;
};

}  // namespace orvek
