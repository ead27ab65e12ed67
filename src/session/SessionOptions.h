#pragma once
// How a device session is started: where the program data lies, which port, whether its poll
// timer runs, and where the settings history is kept.
#include <filesystem>
#include <string>

namespace orvek {

struct SessionOptions {
    std::filesystem::path programFolder;
    // The serial port to use instead of the adapter found (empty: ORVEK_PORT, then discovery).
    std::string port;
    // False: no poll timer; ticks run only when tick() asks (tests, picture tools).
    bool pollTimer = true;
    // The settings history's file; empty for the racer's own (<user data>/history.sqlite).
    std::filesystem::path historyFile;
};

}  // namespace orvek
