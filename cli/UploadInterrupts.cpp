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
char gStopping[256];
std::size_t gStoppingLength = 0;

// Copies a line into a fixed buffer the handler can write without allocating.
template <std::size_t N>
std::size_t fixLine(char (&buffer)[N], const std::string& text) {
    std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length++] = '\n';
    return length;
}

}  // namespace

void armInterruptRule(const std::string& warning, const std::string& stopping) {
    gAbort = false;
    gFirstSignalMs = -1;
    gWarningLength = fixLine(gWarning, warning);
    gStoppingLength = fixLine(gStopping, stopping);
}

void interruptArrived(std::int64_t nowMs) {
    if (gAbort.load()) return;
    const std::int64_t first = gFirstSignalMs.load();
    if (first >= 0 && nowMs - first <= UploadInterrupts::kSecondSignalWindowMs) {
        gAbort.store(true);
        writeToStandardError(gStopping, gStoppingLength);
    } else {
        // A first one, or one long after the last: warn again and go on.
        gFirstSignalMs.store(nowMs);
        writeToStandardError(gWarning, gWarningLength);
    }
}

const std::atomic<bool>& UploadInterrupts::abortRequested() const { return gAbort; }

bool UploadInterrupts::interrupted() const { return gFirstSignalMs.load() >= 0; }

}  // namespace orvek::cli
