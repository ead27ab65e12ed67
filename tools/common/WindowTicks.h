#pragma once
// Driving a window whose timers are off, for tests, picture tools and benchmarks: one poll tick
// of its device session, then the window's own events until it has shown what the tick told.
// This pumps the window's event loop and so is never used by the program itself.
#include "gui/window/CTarnwick11Dlg.h"
#include "tools/common/EventPump.h"

namespace orvek::driving {

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
