#pragma once
// The heartbeat of the device session: each tick of the poll timer opens the adapter's port,
// polls the device of the chosen mode (probe, identify, read its settings), starts requested
// firmware updates on their threads and serves the settings page's defaults and write requests.
// Also the Device menu's modes.
#include <functional>
#include <string>

#include "firmware/DeviceIdentity.h"
#include "history/HistorySink.h"
#include "link/CommandSet.h"
#include "link/UsbUart.h"
#include "monitor/MonitorHost.h"
#include "monitor/MonitorState.h"
#include "settings/ParameterLists.h"
#include "update/UpdateHost.h"
#include "update/UpdateThread.h"

namespace orvek {

namespace monitorText {
constexpr const char* UsbConnection = "USB Connection Error!";
constexpr const char* EscConnection = "ESC Connection Error!";
}  // namespace monitorText

// The text of the progress display for a percentage: the number, a percent sign and a blank.
std::string writeProgressText(int percent);

class ConnectionMonitor {
public:
    // Everything referred to belongs to the session and must outlive the monitor. `updateHost`
    // is handed to the update workers.
    ConnectionMonitor(UsbUart& link, ParameterLists& lists, FirmwareIdentity& identity,
                      RequestFlags& requests, DeviceState& state, MonitorHost& host,
                      UpdateHost& updateHost);
    // Waits for a running update (its thread members join), so that the link and hosts it uses
    // outlive it.
    ~ConnectionMonitor() = default;
    ConnectionMonitor(const ConnectionMonitor&) = delete;
    ConnectionMonitor& operator=(const ConnectionMonitor&) = delete;

    // The poll tick: open the port, poll, then start updates, apply defaults, write settings,
    // in that order. Does nothing while an update runs or someone else holds the link.
    void onPollTimer();

    // The operations below exchange with the device; they run inside the tick, which holds the
    // link for them.
    void PollDevice();
    // InfoQuery; `info` holds the answer only when it came complete (status 0).
    LinkStatus QueryDeviceInfo(EscInfo& info);
    void ReadEscSettings();
    void RefreshStatusLamps();

    // A Device menu command: choosing the mode in force turns it off, any other switches to it.
    void chooseMode(DeviceMode chosen);
    void onDeviceEsc() { chooseMode(DeviceMode::Esc); }
    void onDeviceProgramCard() { chooseMode(DeviceMode::ProgramCard); }
    void onDeviceFixMode() { chooseMode(DeviceMode::Fix); }

    // Settings page requests served by the tick (defaults first, then the write).
    void ApplyFactoryDefaults();
    void SendSettings();

    // An update worker started by a tick still runs.
    bool updateRunning() const { return escUpdate_.running() || cardUpdate_.running(); }
    // Waits for update workers started by ticks (tests, shut-down).
    void waitForUpdates();
    // Called on a worker's thread once its update has ended and updateRunning() tells so.
    void setUpdateEndedHook(std::function<void()> hook) { updateEnded_ = std::move(hook); }
    // Run by each tick right after the poll, while the tick holds the link (a write series
    // serves the ESC just identified there), before the requests are served.
    void setAfterPoll(std::function<void()> step) { afterPoll_ = std::move(step); }
    // Where reads, committed writes, backups and ended updates leave their records (none when
    // null). It must outlive the monitor; updates record from their worker's thread.
    void setHistory(HistorySink* history) { history_ = history; }

private:
    void pollEsc();
    void pollCard();
    void pollBootloaderMode();
    void identifyEsc(const EscInfo& info);
    void startUpdate(FirmwareTarget target);
    // Saves the identified ESC's settings, as read in this run, before its firmware goes.
    void backUpSettingsBeforeUpdate();
    // The poll timer is never restarted while a worker owns the link.
    void restartPollTimer();
    void record(HistoryKind kind, const SettingsValues& bytes);
    // Raises the box of a link that is not open or an ESC that is not identified; true then.
    bool refusedForConnection();
    // Tells the host when the port begins or stops refusing this user or this path, and why.
    void reportPortAccess();

    UsbUart& link_;
    ParameterLists& lists_;
    FirmwareIdentity& identity_;
    RequestFlags& requests_;
    DeviceState& state_;
    MonitorHost& host_;
    UpdateHost& updateHost_;
    bool inTick_ = false;
    // The settings read after the last ESC identification came complete.
    bool settingsRead_ = false;
    std::string portNote_;  // the note the window shows now, empty for none
    std::function<void()> updateEnded_;
    std::function<void()> afterPoll_;
    HistorySink* history_ = nullptr;
    // Last: destroyed first, joining any worker before the rest goes.
    UpdateThread escUpdate_;
    UpdateThread cardUpdate_;
};

}  // namespace orvek
