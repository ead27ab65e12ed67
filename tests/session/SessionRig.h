#pragma once
// A device session on the simulator over a real pseudo-terminal, with no window at all: the views
// record what the session tells them on the test's thread, which runs the event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/DeviceSession.h"
#include "sim/Simulator.h"
#include "support/TempFolder.h"
#include "tools/common/EventPump.h"

namespace orvek::testing {

inline QCoreApplication& coreApplication() {
    static int argc = 1;
    static char name[] = "session_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Every view of the window in one, recording; calls that arrive on another thread are counted.
struct RecordingViews : WindowView, SettingsPageView, FirmwarePageView {
    void setLamps(bool usbOn, DeviceMode identified) override {
        seen();
        usb = usbOn;
        lit = identified;
    }
    void showMessage(const std::string& text, MessageIcon) override {
        seen();
        messages.push_back(text);
    }
    void setDeviceMenuChecks(DeviceMode mode) override {
        seen();
        checked = mode;
    }
    void showUserSupportPage() override { seen(); }
    void enablePagesFor(DeviceMode mode) override {
        seen();
        pagesFor = mode;
    }
    void showPortNote(const std::string& note) override {
        seen();
        portNote = note;
    }
    void showHistoryNote(const std::string&) override { seen(); }
    void statusChanged(const SessionStatus& now) override {
        seen();
        status = now;
        ++statuses;
    }
    void setEscTexts(const std::string& modelName, const std::string&) override {
        seen();
        model = modelName;
    }
    void setWriteProgressText(const std::string& text) override {
        seen();
        progress.push_back(text);
    }
    void settingsChanged(const SettingsModelState& now, std::uint64_t) override {
        seen();
        settings = now;
    }
    void setupSheetLoaded(const SetupSheetNotes&) override { seen(); }
    void seriesChanged(const SeriesState& now) override {
        seen();
        series = now;
        lines.push_back(seriesLine(now));
    }
    void deviceInfoShown(FirmwareTarget, const FirmwareIdentity&) override { seen(); }
    void settingsBackedUp(const SettingsBackup&) override { seen(); }
    void setProgressCaption(FirmwareTarget, const std::string&) override { seen(); }
    void showProgress(FirmwareTarget, bool) override { seen(); }
    void setStatusPicture(FirmwareTarget, int) override { seen(); }
    void showStatusPicture(FirmwareTarget, bool) override { seen(); }
    void setStartPicture(FirmwareTarget, int) override { seen(); }
    void invalidatePage() override { seen(); }

    void seen() {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThread;
    }

    bool usb = false;
    DeviceMode lit = DeviceMode::None;
    DeviceMode checked = DeviceMode::None;
    DeviceMode pagesFor = DeviceMode::None;
    std::string portNote;
    std::string model;
    std::vector<std::string> messages;
    std::vector<std::string> progress;
    SessionStatus status;
    int statuses = 0;
    SettingsModelState settings;
    SeriesState series;
    std::vector<std::string> lines;
    int offThread = 0;
};

struct SessionRig {
    explicit SessionRig(sim::SimOptions simOptions = {}) : sim(std::move(simOptions)) {
        coreApplication();
        ok = sim.start();
        SessionOptions options;
        options.programFolder = folder.path();
        options.port = sim.devicePath();
        options.pollTimer = false;
        options.historyFile = folder.path() / "history.sqlite";
        session =
            std::make_unique<DeviceSession>(options, SessionViews{views, views, views}, &context);
    }
    ~SessionRig() {
        session->stop();
        sim.stop();
    }

    // Everything posted so far served, and what it told shown.
    bool caughtUp() {
        return driving::pumpUntil(
            [this] { return views.status.commandsServed >= session->commandsSent(); });
    }
    bool tick() {
        session->tick();
        return caughtUp();
    }
    // Port open, ESC mode chosen, the ESC identified and its settings read.
    void connectEsc() {
        ASSERT_TRUE(tick());
        session->chooseDevice(DeviceMode::Esc);
        ASSERT_TRUE(tick());
        ASSERT_EQ(views.status.escState, EscState::Identified);
        sim.clearReceived();
    }

    sim::Simulator sim;
    TempFolder folder;
    QObject context;
    RecordingViews views;
    std::unique_ptr<DeviceSession> session;
    bool ok = false;
};

}  // namespace orvek::testing
