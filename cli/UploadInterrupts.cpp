#include "UploadInterrupts.h"

#include <algorithm>
#include <cstring>

#include "UploadInterruptRule.h"

namespace orvek::cli {
namespace {

// Everything the handler touches: lock-free atomics and text fixed before it is installed, so
// that it needs nothing but the clock and a plain write.
std::atomic<bool> gAbort{false};
std::atomic<std::int64_t> gFirstSignalMs{-1};
static_assert(std::atomic<std::int64_t>::is_always_lock_free,
              "read and written by a signal handler");
char gWarning[1024];
std::size_t gWarningLength = 0;
constexpr char kStopping[] = "stopping the upload after the frame on the line\n";

}  // namespace

void armInterruptRule(const std::string& warning) {
    gAbort = false;
    gFirstSignalMs = -1;
    gWarningLength = std::min(warning.size(), sizeof gWarning - 1);
    std::memcpy(gWarning, warning.data(), gWarningLength);
    gWarning[gWarningLength++] = '\n';
}

void interruptArrived(std::int64_t nowMs) {
    if (gAbort.load()) return;
    const std::int64_t first = gFirstSignalMs.load();
    if (first >= 0 && nowMs - first <= UploadInterrupts::kSecondSignalWindowMs) {
        gAbort.store(true);
        writeToStandardError(kStopping, sizeof kStopping - 1);
    } else {
        // A first one, or one long after the last: warn again and go on.
        gFirstSignalMs.store(nowMs);
        writeToStandardError(gWarning, gWarningLength);
    }
}

const std::atomic<bool>& UploadInterrupts::abortRequested() const { return gAbort; }

}  // namespace orvek::cli
