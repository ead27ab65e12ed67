#pragma once
// The settings file a command takes (write FILE, sheet save --from, card --from), looked at
// before any device is asked: one set of refusals and warnings, one wording, for all of them.
#include <string>
#include <vector>

#include "Console.h"
#include "settings/SettingsFile.h"

namespace orvek::cli {

// The line for a settings file that cannot be read, saying why; empty when it can.
std::string unreadableSettingsFile(const std::string& file, SettingsFileStatus status);

// Refuses, with its line and exit code, an empty name (`given` says where it was given: "write",
// "--from"), a file that cannot be read and a file in which no key of the [option] section is
// found; adds to `warnings` what the reader passes over (a second [option] section, a key given
// again). 0 when the file can be used.
int checkSettingsInput(const Console& console, const std::string& given, const std::string& file,
                       std::vector<std::string>& warnings);

}  // namespace orvek::cli
