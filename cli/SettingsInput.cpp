#include "SettingsInput.h"

#include "ExitCodes.h"
#include "FileArguments.h"
#include "platform/ReadableFile.h"

namespace orvek::cli {

std::string unreadableSettingsFile(const std::string& file, SettingsFileStatus status) {
    switch (status) {
        case SettingsFileStatus::Ok: return {};
        case SettingsFileStatus::Missing: return "no such settings file: " + file;
        case SettingsFileStatus::NotAFile:
            return "cannot read settings file " + file +
                   ": not a regular file (a folder, pipe or device)";
        case SettingsFileStatus::TooLarge:
            return "cannot read settings file " + file + ": larger than " +
                   byteCountText(kProfileFileBytesLimit) +
                   ", more than any settings file or setup sheet";
        case SettingsFileStatus::Unreadable:
        case SettingsFileStatus::WriteFailed: break;
    }
    return "cannot read settings file " + file;
}

int checkSettingsInput(const Console& console, const std::string& given, const std::string& file,
                       std::vector<std::string>& warnings) {
    if (file.empty()) {
        return console.fail(kExitUsage, given + " needs a file name (a .cfg or .ini file)");
    }
    const SettingsFileCheck check = checkSettingsFile(fileArgument(file));
    if (const std::string why = unreadableSettingsFile(file, check.status); !why.empty())
        return console.fail(kExitBadInput, why);
    if (check.keysFound == 0) {
        return console.fail(kExitBadInput, file + " holds no settings (no [option] keys matched)");
    }
    for (std::size_t line : check.passedOver.laterSections) {
        warnings.push_back("line " + std::to_string(line) +
                           ": a second [option] section; only the first is read");
    }
    for (const auto& repeated : check.passedOver.repeatedKeys) {
        warnings.push_back("line " + std::to_string(repeated.line) + ": " + repeated.name +
                           " given again; only its first value is read");
    }
    return kExitOk;
}

}  // namespace orvek::cli
