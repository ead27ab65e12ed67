#pragma once
// What an import of a settings file tells the racer: the fixed texts of its boxes and the list
// of settings whose stored text matched no option.
#include <string>

#include "settings/SettingsFile.h"

namespace orvek {

namespace settingsFileText {
constexpr const char* ReadError = "Read File Error!";
constexpr const char* WriteError = "Write File Error!";
}  // namespace settingsFileText

// Empty when every stored text matched (or was missing or empty).
std::string unmatchedSettingsReport(const SettingsImport& imported);

}  // namespace orvek
