#pragma once
// Driving a window whose timers are off, for tests, picture tools and benchmarks: one poll tick
// of its device session, then the window's own events until it has shown what the tick told.
// This pumps the window's event loop and so is never used by the program itself.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

#include "gui/window/CTarnwick11Dlg.h"

namespace orvek::driving {

// Runs the window's events until `done` holds or `ms` have passed; the result of `done`.
inline bool pumpUntil(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!done()) QThread::msleep(1);
    }
    return done();
}

// Everything posted to the session so far has been served and shown.
inline bool sessionCaughtUp(CTarnwick11Dlg& window, int ms = 20000) {
    return pumpUntil(
        [&] { return window.status().commandsServed >= window.session().commandsSent(); }, ms);
}

// One poll tick, served and shown; false when it did not end within `ms`.
inline bool tickAndShow(CTarnwick11Dlg& window, int ms = 20000) {
    window.session().tick();
    return sessionCaughtUp(window, ms);
}

}  // namespace orvek::driving
