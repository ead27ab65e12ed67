#pragma once
// The command line of orvek-link.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvek {

struct LaunchOptions {
    std::string port;       // --port PATH
    bool simulate = false;  // --simulate[=KIND]
    std::string simulateKind = "expert";
    std::optional<int> deviceCommand;     // --device esc|card|fix, as the Device menu's command id
    std::string dataDir;                  // --data-dir DIR
    std::optional<std::string> language;  // --lang de|ja|fr|en, over config.ini and the locale
    bool showVersion = false;
    bool showHelp = false;
};

struct LaunchParse {
    LaunchOptions options;
    std::string error;  // empty when the command line was understood
};

// `arguments` without the program name. Both "--opt VALUE" and "--opt=VALUE" are taken.
LaunchParse parseLaunchOptions(const std::vector<std::string>& arguments);

const char* LaunchUsage();

// Chooses the window's language and installs it, before the window is made: --lang, else
// [Language] name in config.ini (`userFolder`'s, then the program folder's), else `environment`
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). The line to print when the language asked for is not one
// the window speaks (it then speaks English); empty otherwise.
std::string installLaunchLanguage(
    const LaunchOptions& options, const std::filesystem::path& programFolder,
    const std::optional<std::filesystem::path>& userFolder,
    const std::function<std::optional<std::string>(const char*)>& environment);

}  // namespace orvek
