#pragma once
// What the header of a diagnostic log says, gathered where the log is saved: the program and its
// version, Qt's, the operating system, the adapters found and the port used, the settings
// history's file and state, and the values the program takes from config.ini.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "diag/DiagnosticLog.h"
#include "link/AdapterDiscovery.h"

namespace orvek {

struct DiagnosticFacts {
    std::string program;    // "orvek-link", "orvek-cli"
    std::string command;    // the command line after the program's name; empty for none
    std::string qtVersion;  // empty where the program uses no Qt
    std::filesystem::path programFolder;
    std::string port;  // the port the link opened last (LogSnapshot::port); empty for none
    std::filesystem::path historyFile;
    // "records are kept", or the note the racer is shown instead.
    std::string historyState;
};

// The header lines, in a fixed order. `nowMs` (since the Unix epoch) is the time of saving.
std::vector<HeaderLine> diagnosticHeader(const DiagnosticFacts& facts, std::int64_t nowMs,
                                         const AdapterDiscovery& discovery = AdapterDiscovery());

// Now, in milliseconds since the Unix epoch.
std::int64_t wallClockMs();

}  // namespace orvek
