#pragma once
// What the connection monitor does to the window besides its state: lamps, texts, the prompt,
// timer 1, message boxes, menu check marks and page buttons. The window implements it; tests
// record the calls.
#include <string>

#include "firmware/SettingsBackup.h"
#include "update/UpdateHost.h"

namespace orvek {

// Controls and commands of the window the monitor drives, by id (pictures: SkinId).
namespace pageButton {
constexpr int UserSupport = 1001;
constexpr int EscSetup = 1002;
constexpr int Firmware = 1003;
}  // namespace pageButton

namespace deviceCommand {
constexpr int Esc = 32776;
constexpr int ProgramCard = 32777;
constexpr int FixMode = 32778;
}  // namespace deviceCommand

constexpr int kPollTimerId = 1;
constexpr int kPollPeriodMs = 500;
constexpr int kPromptTimerId = 2;
constexpr int kPromptPeriodMs = 200;

class MonitorHost {
public:
    virtual ~MonitorHost() = default;

    // Lamps 1005 (USB), 1006 (ESC), 1007 (program card): on shows LampOn, off LampOff.
    virtual void setLamps(bool usbOn, bool escOn, bool cardOn) = 0;
    // Settings page controls 1000 (model name) and 1001 (firmware text).
    virtual void setEscTexts(const std::string& modelName, const std::string& firmware) = 0;
    // Progress display 1010; the window repaints at once, as the write blocks its thread.
    virtual void setWriteProgressText(const std::string& text) = 0;
    // Device prompt 1004.
    virtual void setPromptPicture(int pictureId) = 0;

    // Timer 1 (kPollTimerId, kPollPeriodMs). Starting a running timer restarts its period.
    virtual void stopPollTimer() = 0;
    virtual void startPollTimer() = 0;

    // A modal box with the application's name as caption and an OK button.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;

    // Check marks of Device > Esc, Program Card, Fix Mode.
    virtual void setDeviceMenuChecks(bool esc, bool programCard, bool fixMode) = 0;
    // The USER SUPPORT page-button action.
    virtual void showUserSupportPage() = 0;
    virtual void enablePageButton(int buttonId, bool enabled) = 0;

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
