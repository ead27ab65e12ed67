#include "UploadInterrupts.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace orvek::cli {
namespace {

// Everything the handler touches: lock-free atomics and text fixed before it is installed, so
// that it needs nothing but clock_gettime and write, both safe in a signal handler.
std::atomic<bool> gAbort{false};
std::atomic<std::int64_t> gFirstSignalMs{-1};
static_assert(std::atomic<std::int64_t>::is_always_lock_free,
              "read and written by a signal handler");
char gWarning[1024];
std::size_t gWarningLength = 0;
char gStopping[256];
std::size_t gStoppingLength = 0;

struct sigaction gPreviousInt {};
struct sigaction gPreviousTerm {};

std::int64_t nowMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void writeAll(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(STDERR_FILENO, text, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        text += n;
        length -= static_cast<std::size_t>(n);
    }
}

void onSignal(int) {
    const int savedErrno = errno;
    if (!gAbort.load()) {
        const std::int64_t now = nowMs();
        const std::int64_t first = gFirstSignalMs.load();
        if (first >= 0 && now - first <= UploadInterrupts::kSecondSignalWindowMs) {
            gAbort.store(true);
            writeAll(gStopping, gStoppingLength);
        } else {
            // A first one, or one long after the last: warn again and go on.
            gFirstSignalMs.store(now);
            writeAll(gWarning, gWarningLength);
        }
    }
    errno = savedErrno;
}

// Copies a line into a fixed buffer the handler can write without allocating.
template <std::size_t N>
std::size_t fixLine(char (&buffer)[N], const std::string& text) {
    std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length++] = '\n';
    return length;
}

}  // namespace

UploadInterrupts::UploadInterrupts(const std::string& warning, const std::string& stopping) {
    gAbort = false;
    gFirstSignalMs = -1;
    gWarningLength = fixLine(gWarning, warning);
    gStoppingLength = fixLine(gStopping, stopping);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &gPreviousInt);
    ::sigaction(SIGTERM, &action, &gPreviousTerm);
}

UploadInterrupts::~UploadInterrupts() {
    ::sigaction(SIGINT, &gPreviousInt, nullptr);
    ::sigaction(SIGTERM, &gPreviousTerm, nullptr);
}

const std::atomic<bool>& UploadInterrupts::abortRequested() const { return gAbort; }

}  // namespace orvek::cli
