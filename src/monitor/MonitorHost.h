#pragma once
// What the connection monitor tells the window besides its state: lamps, texts, the poll
// timer, message boxes, the Device menu's checks and which pages a mode opens. The session
// passes it on to the window; tests record the calls.
#include <string>

#include "firmware/SettingsBackup.h"
#include "monitor/DeviceMode.h"
#include "update/UpdateHost.h"

namespace orvek {

constexpr int kPollPeriodMs = 500;

class MonitorHost {
public:
    virtual ~MonitorHost() = default;

    // The USB lamp, and the lamp of the device identified now: Esc, ProgramCard or None.
    virtual void setLamps(bool usbOn, DeviceMode identified) = 0;
    // The settings page's model name and firmware text.
    virtual void setEscTexts(const std::string& modelName, const std::string& firmware) = 0;
    // The settings page's progress display, after each pair of a write.
    virtual void setWriteProgressText(const std::string& text) = 0;

    // The poll timer (kPollPeriodMs). Starting a running timer restarts its period.
    virtual void stopPollTimer() = 0;
    virtual void startPollTimer() = 0;

    // A modal box with the application's name as caption and an OK button.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;

    // The Device menu's check marks: the one of `mode`, none for DeviceMode::None.
    virtual void setDeviceMenuChecks(DeviceMode mode) = 0;
    // The USER SUPPORT page-button action.
    virtual void showUserSupportPage() = 0;
    // A mode was chosen: the page buttons it opens are enabled (the others as they were).
    virtual void enablePagesFor(DeviceMode mode) = 0;

    // The firmware identity of `target` was filled from a new identification reply; the
    // firmware page shows it afresh.
    virtual void deviceInfoShown(FirmwareTarget target) = 0;

    // Why the port cannot be used (no permission, or a path that is no serial port), in words
    // for the note under the page buttons; empty when that is over. Told once each time the
    // note begins, changes or ends, never per tick.
    virtual void showPortNote(const std::string& note) = 0;

    // The tick that starts an ESC firmware update first saved the ESC's settings (or tried to);
    // the firmware page says where.
    virtual void settingsBackedUp(const SettingsBackup& backup) = 0;

    // A settings write holds the link: from the moment it passed its checks until it ended,
    // its failure box dismissed. A window that wants to close waits for the end.
    virtual void settingsWriteRunning(bool running) { (void)running; }
};

}  // namespace orvek
