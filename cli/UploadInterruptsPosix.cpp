#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "UploadInterruptRule.h"
#include "UploadInterrupts.h"

namespace orvek::cli {
namespace {

struct sigaction gPreviousInt {};
struct sigaction gPreviousTerm {};

// clock_gettime and write are both safe in a signal handler.
std::int64_t nowMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void onSignal(int) {
    const int savedErrno = errno;
    interruptArrived(nowMs());
    errno = savedErrno;
}

}  // namespace

void writeToStandardError(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(STDERR_FILENO, text, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        text += n;
        length -= static_cast<std::size_t>(n);
    }
}

UploadInterrupts::UploadInterrupts(const std::string& warning, const std::string& stopping) {
    armInterruptRule(warning, stopping);
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

}  // namespace orvek::cli
