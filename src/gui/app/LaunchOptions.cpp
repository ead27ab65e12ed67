#include "gui/app/LaunchOptions.h"

#include <filesystem>

#include "config/Language.h"
#include "gui/desktop/Translation.h"
#include "gui/window/WindowResources.h"

namespace orvek {

namespace {

std::optional<int> deviceCommandFor(const std::string& name) {
    if (name == "esc") return deviceCommand::Esc;
    if (name == "card") return deviceCommand::ProgramCard;
    if (name == "fix") return deviceCommand::FixMode;
    return std::nullopt;
}

bool knownSimulatedDevice(const std::string& kind) {
    for (const char* k : {"expert", "stock", "blinky", "card", "bootloader"}) {
        if (kind == k) return true;
    }
    return false;
}

}  // namespace

const char* LaunchUsage() {
    return "Usage: orvek-link [OPTIONS]\n"
           "  --port PATH        use this serial port instead of the adapter found (also "
           "ORVEK_PORT)\n"
           "  --simulate[=KIND]  a simulated device on a pseudo-terminal instead of the adapter:\n"
           "                     expert (default), stock, blinky, card or bootloader\n"
           "  --device MODE      start with Device > Esc, Program Card or Fix Mode chosen: esc, "
           "card, fix\n"
           "  --data-dir DIR     the program data (config.ini, Profile, Firmware) in DIR\n"
           "  --lang LANG        the window's language: en, de, ja or fr (over config.ini's\n"
           "                     [Language] name and the locale)\n"
           "  --version          print the version and exit\n"
           "  --help             print this help and exit\n";
}

LaunchParse parseLaunchOptions(const std::vector<std::string>& arguments) {
    LaunchParse result;
    LaunchOptions& o = result.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = name.find('=');
            name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        // The value of an option that needs one: after '=' or the next argument.
        auto value = [&](std::string& out) {
            if (inlineValue) {
                out = *inlineValue;
            } else if (i + 1 < arguments.size()) {
                out = arguments[++i];
            } else {
                result.error = name + " needs a value";
                return false;
            }
            if (out.empty()) result.error = name + " needs a value";
            return !out.empty();
        };
        std::string text;
        if (name == "--help" || name == "-h") {
            o.showHelp = true;
        } else if (name == "--version") {
            o.showVersion = true;
        } else if (name == "--port") {
            if (!value(o.port)) return result;
        } else if (name == "--data-dir") {
            if (!value(o.dataDir)) return result;
        } else if (name == "--lang") {
            // An unknown language is no error: the window speaks English and says so.
            if (!value(text)) return result;
            o.language = text;
        } else if (name == "--simulate") {
            o.simulate = true;
            if (inlineValue) {
                if (!knownSimulatedDevice(*inlineValue)) {
                    result.error = "unknown simulated device '" + *inlineValue +
                                   "' (expert, stock, blinky, card or bootloader)";
                    return result;
                }
                o.simulateKind = *inlineValue;
            }
        } else if (name == "--device") {
            if (!value(text)) return result;
            o.deviceCommand = deviceCommandFor(text);
            if (!o.deviceCommand) {
                result.error = "unknown device '" + text + "' (esc, card or fix)";
                return result;
            }
        } else {
            result.error = "unknown option '" + arguments[i] + "'";
            return result;
        }
    }
    if (o.simulate && !o.port.empty()) result.error = "--simulate and --port exclude each other";
    // A window without its data would start empty and not say why.
    std::error_code error;
    if (!o.dataDir.empty() && !std::filesystem::is_directory(o.dataDir, error)) {
        result.error =
            "--data-dir " + o.dataDir +
            (std::filesystem::exists(o.dataDir, error) ? " is not a folder" : " does not exist");
    }
    return result;
}

std::string installLaunchLanguage(
    const LaunchOptions& options, const std::filesystem::path& programFolder,
    const std::optional<std::filesystem::path>& userFolder,
    const std::function<std::optional<std::string>(const char*)>& environment) {
    const LanguageChoice choice = chooseLanguage(
        environment, readConfiguredLanguage(programFolder, userFolder), options.language);
    std::string note;
    if (!choice.unknown.empty()) {
        note = "the window does not speak '" + choice.unknown + "' (en, de, ja or fr); it speaks " +
               "English";
    }
    if (!installWindowLanguage(choice.code))
        note = "the texts of '" + choice.code + "' are missing; the window speaks English";
    return note;
}

}  // namespace orvek
