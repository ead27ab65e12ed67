#pragma once
// A recording window for the update workers, a program folder on disk, and a simulator with a
// link opened on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "link/UsbUart.h"
#include "sim/Simulator.h"
#include "support/SimLink.h"
#include "support/TempFolder.h"
#include "update/FirmwareUpdate.h"

namespace orvek::testing {

class RecordingHost : public UpdateHost {
public:
    bool fix = false;
    CardState card = CardState::Identified;

    // When set, what the link looks like at the moments whose order matters: whether the port
    // is open when a box shows, and whether the link is free when timer 1 starts again.
    UsbUart* watchedLink = nullptr;

    void stopPollTimer() override { record("stopPollTimer"); }
    void startPollTimer() override {
        if (watchedLink != nullptr) {
            std::unique_lock<std::mutex> probe(watchedLink->exclusiveUse(), std::try_to_lock);
            observe(probe.owns_lock() ? "timer:link free" : "timer:link held");
        }
        record("startPollTimer");
    }
    void setUpdateIdle(bool idle) override { record(std::string("idle:") + (idle ? "1" : "0")); }
    void clearUpdateRequest(FirmwareTarget t) override { record("clear:" + name(t)); }
    bool fixMode() const override { return fix; }
    CardState cardState() const override { return card; }
    void setCardState(CardState state) override {
        card = state;
        record("cardState:" + std::to_string(toInt(state)));
    }
    void setProgressCaption(FirmwareTarget t, const std::string& c) override {
        record("caption:" + name(t) + ":" + c);
    }
    void showProgress(FirmwareTarget t, bool shown) override {
        record("progress:" + name(t) + ":" + (shown ? "1" : "0"));
    }
    void setStatusPicture(FirmwareTarget t, int id) override {
        record("picture:" + name(t) + ":" + std::to_string(id));
    }
    void showStatusPicture(FirmwareTarget t, bool shown) override {
        record("status:" + name(t) + ":" + (shown ? "1" : "0"));
    }
    void setStartPicture(FirmwareTarget t, int id) override {
        record("start:" + name(t) + ":" + std::to_string(id));
    }
    void invalidatePage() override { record("invalidate"); }
    void showMessage(const std::string& text, MessageIcon icon) override {
        if (watchedLink != nullptr) {
            observe(watchedLink->portOpen() == 1 ? "box:port open" : "box:port closed");
        }
        record(std::string("message:") + (icon == MessageIcon::Stop ? "stop:" : "plain:") + text);
    }

    std::vector<std::string> events() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    std::vector<std::string> eventsStartingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : events()) {
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        }
        return out;
    }
    std::vector<std::string> observations() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return observations_;
    }
    // True when `earlier` was recorded, and before any `later`.
    bool before(const std::string& earlier, const std::string& later) const {
        const auto e = events();
        const auto a = std::find(e.begin(), e.end(), earlier);
        const auto b = std::find(e.begin(), e.end(), later);
        return a != e.end() && (b == e.end() || a < b);
    }
    bool has(const std::string& event) const {
        for (const auto& e : events()) {
            if (e == event) return true;
        }
        return false;
    }

private:
    static std::string name(FirmwareTarget t) { return t == FirmwareTarget::Esc ? "esc" : "card"; }
    void record(std::string e) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(e));
    }
    void observe(std::string o) {
        std::lock_guard<std::mutex> lock(mutex_);
        observations_.push_back(std::move(o));
    }
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
    std::vector<std::string> observations_;
};

// A program folder with its Firmware folder, removed when the test ends.
class ProgramFolder {
public:
    ProgramFolder() { std::filesystem::create_directories(root_.path() / "Firmware"); }
    const std::filesystem::path& path() const { return root_.path(); }
    std::filesystem::path firmware(const std::string& name) const {
        return root_.path() / "Firmware" / name;
    }
    void write(const std::string& name, const std::string& text) const {
        writeBytes(firmware(name), text);
    }

private:
    TempFolder root_;
};

// The link as the monitor leaves it with a device identified.
struct UpdateRig : SimLink {
    explicit UpdateRig(sim::SimOptions options) : SimLink(std::move(options)) {
        host.watchedLink = &link;
        link.setUsbState(UsbState::PortOpen);
        link.setEscState(EscState::Identified);
    }
    UpdateJob job(const std::string& fileName) { return {host, link, folder.firmware(fileName)}; }

    RecordingHost host;
    ProgramFolder folder;
};

// The failure end state every failed update leaves.
inline void expectFailedEndState(const UpdateRig& rig, const std::string& target) {
    EXPECT_EQ(rig.link.portOpen(), 0);
    EXPECT_EQ(rig.link.usbState(), UsbState::NoPort);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_TRUE(rig.host.has("picture:" + target + ":170"));
    EXPECT_TRUE(rig.host.has("clear:" + target));
    EXPECT_TRUE(rig.host.has("idle:1"));
    ASSERT_FALSE(rig.host.events().empty());
    EXPECT_EQ(rig.host.events().back(), "startPollTimer");
}

}  // namespace orvek::testing
