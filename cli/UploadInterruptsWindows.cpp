#include <windows.h>

#include "UploadInterruptRule.h"
#include "UploadInterrupts.h"

namespace orvek::cli {
namespace {

// Ctrl-C and Ctrl-Break, on the thread the console starts for them. Closing the console window
// or logging off are not refused: Windows ends the program then whatever the handler says.
BOOL WINAPI onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    interruptArrived(static_cast<std::int64_t>(::GetTickCount64()));
    return TRUE;
}

}  // namespace

void writeToStandardError(const char* text, std::size_t length) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length), &written,
                nullptr);
}

UploadInterrupts::UploadInterrupts(const std::string& warning, const std::string& stopping) {
    armInterruptRule(warning, stopping);
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

UploadInterrupts::~UploadInterrupts() { ::SetConsoleCtrlHandler(onConsoleEvent, FALSE); }

}  // namespace orvek::cli
