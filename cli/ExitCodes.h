#pragma once
// The exit codes of orvek-cli, one per class of failure, so that scripts can tell them apart.

namespace orvek::cli {
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;      // anything not covered below
constexpr int kExitUsage = 2;        // the command line itself is wrong
constexpr int kExitNoAdapter = 3;    // no adapter found, or its port cannot be opened
constexpr int kExitNoDevice = 4;     // no ESC or program card answers
constexpr int kExitTransfer = 5;     // the device refused, or a transfer or verification failed
constexpr int kExitBadInput = 6;     // an input file is missing, unreadable or damaged
constexpr int kExitCannotWrite = 7;  // an output file could not be written
}  // namespace orvek::cli
