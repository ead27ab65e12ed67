#pragma once
// The rule both systems' interrupt handlers follow, and what each system gives it: a write to
// standard error that a signal handler may make.
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvek::cli {

// Forgets earlier interrupts and keeps `warning` for the first one and `stopping` for the second
// (each with a line end).
void armInterruptRule(const std::string& warning, const std::string& stopping);

// An interrupt at `nowMs` on a monotonic clock: the first warns, a second within the window
// sets the abort request and says so.
void interruptArrived(std::int64_t nowMs);

// Defined once per system (UploadInterruptsPosix.cpp, UploadInterruptsWindows.cpp).
void writeToStandardError(const char* text, std::size_t length);

}  // namespace orvek::cli
