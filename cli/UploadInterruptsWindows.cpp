#include "UploadInterrupts.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace orvek::cli {
namespace {

// The console runs the handler on a thread of its own: lock-free atomics and text fixed before
// the handler is installed, as on POSIX.
std::atomic<bool> gAbort{false};
std::atomic<std::int64_t> gFirstSignalMs{-1};
char gWarning[1024];
DWORD gWarningLength = 0;
constexpr char kStopping[] = "stopping the upload after the frame on the line\n";

void writeError(const char* text, DWORD length) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), text, length, &written, nullptr);
}

// Ctrl-C and Ctrl-Break; closing the console window or logging off are not refused (Windows
// ends the program after a few seconds whatever the handler says).
BOOL WINAPI onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (!gAbort.load()) {
        const auto now = static_cast<std::int64_t>(::GetTickCount64());
        const std::int64_t first = gFirstSignalMs.load();
        if (first >= 0 && now - first <= UploadInterrupts::kSecondSignalWindowMs) {
            gAbort.store(true);
            writeError(kStopping, sizeof kStopping - 1);
        } else {
            // A first one, or one long after the last: warn again and go on.
            gFirstSignalMs.store(now);
            writeError(gWarning, gWarningLength);
        }
    }
    return TRUE;
}

}  // namespace

UploadInterrupts::UploadInterrupts(const std::string& warning) {
    gAbort = false;
    gFirstSignalMs = -1;
    const std::size_t length = std::min(warning.size(), sizeof gWarning - 1);
    std::memcpy(gWarning, warning.data(), length);
    gWarning[length] = '\n';
    gWarningLength = static_cast<DWORD>(length + 1);
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

UploadInterrupts::~UploadInterrupts() { ::SetConsoleCtrlHandler(onConsoleEvent, FALSE); }

const std::atomic<bool>& UploadInterrupts::abortRequested() const { return gAbort; }

}  // namespace orvek::cli
