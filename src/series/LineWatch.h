#pragma once
// Watching the line between the ESCs of a series: an ESC counts as gone when a probe goes
// unanswered, and as the next one when a probe is answered and it identifies. Probes start every
// `periodMs` at most (an unanswered one takes its own time limit), so that an ESC unplugged for
// half a second is seen gone and the next one is seen soon after it answers.
#include <functional>

#include "link/EscInfo.h"
#include "link/UsbUart.h"

namespace orvek {

enum class LineWatch { Arrived, Gone, Interrupted, LinkLost };

constexpr int kSeriesProbePeriodMs = 100;

// Probes until an ESC answers and identifies (`arrive`; its answer in `info`), or until none
// answers (`!arrive`). `interrupted` is asked before each probe: true ends the watch.
LineWatch watchLine(UsbUart& link, bool arrive, const std::function<bool()>& interrupted,
                    EscInfo& info, int periodMs = kSeriesProbePeriodMs);

}  // namespace orvek
