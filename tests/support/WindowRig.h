#pragma once
// The whole main window on a simulated device over a real pseudo-terminal, with message boxes
// and the link opener recording instead of blocking, and the program data in a fresh folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>

#include "gui/window/CTarnwick11Dlg.h"
#include "gui/window/WindowResources.h"
#include "resources/SkinRegistry.h"
#include "sim/Simulator.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/WidgetTesting.h"
#include "tools/common/WindowTicks.h"

namespace orvek::testing {

// True when the label shows skin picture `id`.
inline bool showsPicture(const QLabel& label, int id) {
    return label.pixmap().toImage() == SkinRegistry::pixmap(id).toImage();
}

// Runs the event loop until `done` holds or `ms` have passed; the result of `done`.
inline bool waitUntil(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QTest::qWait(5);
    return done();
}

struct WindowRig {
    explicit WindowRig(sim::SimOptions simOptions = {}, bool startSimulator = true)
        : sim(std::move(simOptions)) {
        if (startSimulator) ok = sim.start();
        options.programFolder = program.path();
        options.port =
            startSimulator ? sim.devicePath() : (program.path() / "no-such-port").string();
        options.messages = &messages;
        options.urlOpener = &opener;
        options.fileDialogs = &files;
        // The tests run the ticks themselves.
        options.timers = false;
        // Each window its own settings history, beside its program data.
        options.historyFile = program.path() / "history.sqlite";
    }
    ~WindowRig() {
        window.reset();
        sim.stop();
    }

    // Made on first use, so that a test can write config.ini first.
    CTarnwick11Dlg& win() {
        if (!window) {
            parkPointer();
            window = std::make_unique<CTarnwick11Dlg>(options);
            EXPECT_TRUE(driving::sessionCaughtUp(*window));
        }
        return *window;
    }
    // One poll tick of the session, served and shown by the window.
    void tick() { ASSERT_TRUE(driving::tickAndShow(win())) << "the tick did not end"; }
    // Everything posted to the session so far served and shown.
    void settle() { ASSERT_TRUE(driving::sessionCaughtUp(win())); }
    // A Device menu item as the menu triggers it, served by the session.
    void choose(int commandId) {
        win().menuAction(commandId)->trigger();
        settle();
    }
    const SessionStatus& status() { return win().status(); }
    // Port open, Device > Esc chosen and the ESC identified.
    void connectEsc() {
        tick();
        choose(deviceCommand::Esc);
        tick();
        ASSERT_EQ(status().escState, EscState::Identified);
        sim.clearReceived();
        messages.shown.clear();
    }

    sim::Simulator sim;
    testing::TempFolder program;
    RecordingMessageBoxes messages;
    RecordingUrlOpener opener;
    PresetFileDialogs files;
    WindowOptions options;
    std::unique_ptr<CTarnwick11Dlg> window;
    bool ok = true;
};

}  // namespace orvek::testing
