#include "series/LineWatch.h"

#include "link/CommandSet.h"
#include "platform/Clock.h"

namespace orvek {

LineWatch watchLine(UsbUart& link, bool arrive, const std::function<bool()>& interrupted,
                    EscInfo& info, int periodMs) {
    for (;;) {
        if (interrupted && interrupted()) return LineWatch::Interrupted;
        const std::uint32_t began = tickCount();
        const EscProbeResult probe = probeEsc(link);
        if (probe == EscProbeResult::LinkLost) return LineWatch::LinkLost;
        if (!arrive && probe == EscProbeResult::NoAnswer) return LineWatch::Gone;
        if (arrive && probe == EscProbeResult::EscPresent &&
            queryInfo(link, info) == LinkStatus::Ok && escInfoValid(info)) {
            return LineWatch::Arrived;
        }
        // From probe start to probe start: a probe left unanswered has waited long enough.
        const std::uint32_t spent = tickCount() - began;
        if (spent < static_cast<std::uint32_t>(periodMs))
            sleepMs(static_cast<std::uint32_t>(periodMs) - spent);
    }
}

}  // namespace orvek
