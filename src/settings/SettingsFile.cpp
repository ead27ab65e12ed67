#include "settings/SettingsFile.h"

#include "platform/AsciiCase.h"

#include "platform/ProfileFile.h"
#include "settings/OptionLists.h"

namespace orvek {
namespace {

constexpr const char* kSection = "option";
// Option texts are read into 20-character buffers, terminator included.
constexpr std::size_t kValueBuffer = 20;
constexpr std::string_view kExtension = ".cfg";

}  // namespace

std::vector<ImportedSetting> SettingsImport::unmatched() const {
    std::vector<ImportedSetting> result;
    for (const auto& setting : settings) {
        if (setting.outcome == ImportOutcome::NoMatch) {
            result.push_back(setting);
        }
    }
    return result;
}

SettingsImport ImportSettingsFile(ParameterLists& lists, const std::filesystem::path& file) {
    SettingsImport result;
    const LoadedProfile loaded = LoadProfileFile(file);
    for (const auto& parameter : ParameterTable()) {
        result.settings[static_cast<std::size_t>(parameter.keyNumber)].keyNumber = parameter.keyNumber;
    }
    if (loaded.status != ProfileFileStatus::Loaded) {
        result.status = loaded.status == ProfileFileStatus::Missing ? SettingsFileStatus::Missing
                                                                    : SettingsFileStatus::Unreadable;
        return result;
    }
    for (const auto& parameter : ParameterTable()) {
        ImportedSetting& setting = result.settings[static_cast<std::size_t>(parameter.keyNumber)];
        if (!loaded.document.value(kSection, parameter.keyName)) {
            continue;  // KeyMissing
        }
        setting.value = ReadProfileString(loaded.document, kSection, parameter.keyName, "", kValueBuffer);
        if (setting.value.empty()) {
            setting.outcome = ImportOutcome::EmptyValue;
            continue;
        }
        const auto index = FindOption(lists, parameter.keyNumber, setting.value);
        if (!index) {
            setting.outcome = ImportOutcome::NoMatch;
            continue;
        }
        lists.byKey(parameter.keyNumber).setSelection(*index);
        setting.outcome = ImportOutcome::Selected;
        setting.selected = *index;
    }
    return result;
}

SettingsFileStatus ExportSettingsFile(const ParameterLists& lists, const std::filesystem::path& file) {
    LoadedProfile loaded = LoadProfileFile(file);
    if (loaded.status == ProfileFileStatus::Unreadable) {
        return SettingsFileStatus::Unreadable;
    }
    for (const auto& parameter : ParameterTable()) {
        if (!loaded.document.setValue(kSection, parameter.keyName,
                                      lists.byKey(parameter.keyNumber).selectedText())) {
            return SettingsFileStatus::WriteFailed;
        }
    }
    return SaveProfileFile(file, loaded.document) ? SettingsFileStatus::Ok
                                                  : SettingsFileStatus::WriteFailed;
}

std::filesystem::path SettingsExportPath(const std::filesystem::path& chosen) {
    const std::string name = chosen.filename().string();
    if (name.size() > kExtension.size() &&
        equalsIgnoringCase(std::string_view(name).substr(name.size() - kExtension.size()), kExtension)) {
        return chosen;
    }
    std::filesystem::path result = chosen;
    result += std::string(kExtension);
    return result;
}

}  // namespace orvek
