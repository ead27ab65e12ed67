#pragma once
// The connection monitor on a simulated device over a real pseudo-terminal, with a window
// that records what the monitor does to it.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "firmware/DeviceIdentity.h"
#include "link/UsbUart.h"
#include "monitor/ConnectionMonitor.h"
#include "monitor/MonitorUpdateHost.h"
#include "settings/ParameterLists.h"
#include "sim/Simulator.h"
#include "support/SimLink.h"

namespace orvek::testing {

class EventLog {
public:
    void record(std::string e) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(e));
    }
    std::vector<std::string> all() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    std::vector<std::string> startingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : all()) {
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        }
        return out;
    }
    bool has(const std::string& event) const {
        for (const auto& e : all()) {
            if (e == event) return true;
        }
        return false;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

inline std::string iconName(MessageIcon icon) {
    return icon == MessageIcon::Stop ? "stop" : "none";
}

class RecordingWindow : public MonitorHost {
public:
    EventLog log;
    std::atomic<bool> timerRunning{true};

    void setLamps(bool usb, DeviceMode identified) override {
        log.record(std::string("lamps:") + (usb ? "1" : "0") + modeBits(identified, false));
    }
    void setEscTexts(const std::string& model, const std::string& firmware) override {
        log.record("texts:" + model + "|" + firmware);
    }
    void setWriteProgressText(const std::string& text) override { log.record("progress:" + text); }
    void stopPollTimer() override {
        timerRunning = false;
        log.record("stopPollTimer");
    }
    void startPollTimer() override {
        timerRunning = true;
        log.record("startPollTimer");
    }
    void showMessage(const std::string& text, MessageIcon icon) override {
        log.record("message:" + iconName(icon) + ":" + text);
        // What a modal box's own event loop may run meanwhile (timer ticks).
        if (duringMessage) duringMessage();
    }
    std::function<void()> duringMessage;
    void setDeviceMenuChecks(DeviceMode mode) override {
        log.record("checks:" + modeBits(mode, true));
    }
    void showUserSupportPage() override { log.record("userSupportPage"); }
    void deviceInfoShown(FirmwareTarget target) override {
        log.record(target == FirmwareTarget::Esc ? "infoShown:esc" : "infoShown:card");
    }
    void showPortNote(const std::string& note) override { log.record("portNote:" + note); }
    void settingsBackedUp(const SettingsBackup& backup) override {
        log.record(std::string("backup:") + (backup.saved ? "saved:" : "failed:") +
                   backup.file.string());
    }
    void enablePagesFor(DeviceMode mode) override { log.record("pages:" + modeBits(mode, true)); }

    // "100" for the ESC, "010" for the program card, "001" for fix mode (when `withFix`).
    static std::string modeBits(DeviceMode mode, bool withFix) {
        std::string bits = std::string(mode == DeviceMode::Esc ? "1" : "0") +
                           (mode == DeviceMode::ProgramCard ? "1" : "0");
        if (withFix) bits += mode == DeviceMode::Fix ? "1" : "0";
        return bits;
    }
};

// The update workers' window: the state half is the monitor's, the rest goes to the same log
// and the same timer as the monitor's calls.
class RecordingUpdateWindow : public MonitorUpdateHost {
public:
    RecordingUpdateWindow(DeviceState& state, RequestFlags& requests, RecordingWindow& window)
        : MonitorUpdateHost(state, requests), window_(window) {}
    void stopPollTimer() override { window_.stopPollTimer(); }
    void startPollTimer() override { window_.startPollTimer(); }
    void setProgressCaption(FirmwareTarget, const std::string&) override {}
    void showProgress(FirmwareTarget, bool) override {}
    void setStatusPicture(FirmwareTarget, int id) override {
        window_.log.record("updatePicture:" + std::to_string(id));
    }
    void showStatusPicture(FirmwareTarget, bool) override {}
    void setStartPicture(FirmwareTarget, int) override {}
    void invalidatePage() override {}
    void showMessage(const std::string& text, MessageIcon icon) override {
        window_.showMessage(text, icon);
    }

private:
    RecordingWindow& window_;
};

inline sim::SimOptions deviceOptions(sim::Peer peer) {
    sim::SimOptions o;
    o.peer = peer;
    return o;
}

struct MonitorRig {
    explicit MonitorRig(sim::SimOptions options = {}) : sim(std::move(options)) {
        ok = sim.start();
        link.setPortOverride(sim.devicePath());
    }

    // The first tick opens the port and lights the USB lamp.
    void plugIn() {
        monitor.onPollTimer();
        ASSERT_EQ(link.usbState(), UsbState::PortOpen);
    }
    // Port open, ESC mode chosen and the ESC identified, logs cleared.
    void connectEsc() {
        plugIn();
        monitor.onDeviceEsc();
        monitor.onPollTimer();
        ASSERT_EQ(link.escState(), EscState::Identified);
        window.log.clear();
        sim.clearReceived();
    }
    std::vector<std::uint8_t> received() const { return receivedBytes(sim); }

    sim::Simulator sim;
    UsbUart link;
    ParameterLists lists;
    FirmwareIdentity identity;
    RequestFlags requests;
    DeviceState state;
    RecordingWindow window;
    RecordingUpdateWindow updateWindow{state, requests, window};
    ConnectionMonitor monitor{link, lists, identity, requests, state, window, updateWindow};
    bool ok = false;
};

}  // namespace orvek::testing
