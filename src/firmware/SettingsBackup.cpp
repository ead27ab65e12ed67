#include "firmware/SettingsBackup.h"

#include <cstdio>
#include <optional>
#include <system_error>

#include "platform/UserFolders.h"
#include "settings/EscFamily.h"
#include "settings/SettingsFile.h"

namespace orvek {

namespace {

std::string withDashes(std::string text) {
    for (char& c : text) {
        if (c == ' ') c = '-';
    }
    return text;
}

std::string timeStamp(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

// The first name in `folder` not taken yet: `stem.cfg`, then `stem-2.cfg`, `stem-3.cfg` ...
std::filesystem::path freeName(const std::filesystem::path& folder, const std::string& stem) {
    std::filesystem::path file = folder / (stem + ".cfg");
    std::error_code error;
    for (int n = 2; std::filesystem::exists(file, error) && n < 1000; ++n) {
        file = folder / (stem + "-" + std::to_string(n) + ".cfg");
    }
    return file;
}

}  // namespace

std::filesystem::path settingsBackupFolder() {
    if (const auto data = userDataFolder()) return *data / "backups";
    std::error_code error;
    return std::filesystem::current_path(error);
}

std::string settingsBackupName(const EscInfo& info, std::time_t when) {
    const std::uint8_t version = info[kEscInfoEscVersion];
    std::string model;
    std::string firmware;
    if (const std::optional<EscModel> row = findEscModel(info[kEscInfoTypeCode])) {
        model = row->modelName;
        firmware = firmwareName(row->firmwarePrefix, version);
    } else {
        char type[16];
        std::snprintf(type, sizeof type, "ESC type %02X", info[kEscInfoTypeCode]);
        model = type;
        firmware = "V" + escVersionText(version);
    }
    return withDashes(model) + "_" + withDashes(firmware) + "_" + timeStamp(when) + ".cfg";
}

SettingsBackup backUpEscSettings(const ParameterLists& lists, const EscInfo& info,
                                 const std::filesystem::path& folder, std::time_t when) {
    std::string stem = settingsBackupName(info, when);
    stem.resize(stem.size() - 4);  // without ".cfg"
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    SettingsBackup backup;
    backup.file = freeName(folder, stem);
    backup.saved = !error && exportSettingsFile(lists, backup.file) == SettingsFileStatus::Ok;
    return backup;
}

}  // namespace orvek
