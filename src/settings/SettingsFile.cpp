#include "settings/SettingsFile.h"

#include <cerrno>

#include "platform/AsciiCase.h"

#include "platform/ProfileFile.h"
#include "settings/OptionLists.h"

namespace orvek {
namespace {

constexpr const char* kSection = "option";
// Option texts are read into 20-character buffers, terminator included.
constexpr std::size_t kValueBuffer = 20;
constexpr std::string_view kExtension = ".cfg";

// The system's last error, or `fallback` when a check of our own refused without one.
std::error_code lastError(std::errc fallback) {
    return errno != 0 ? std::error_code(errno, std::generic_category())
                      : std::make_error_code(fallback);
}

SettingsFileStatus failed(SettingsFileStatus status, std::error_code error,
                          std::error_code* reason) {
    if (reason) *reason = error;
    return status;
}

SettingsFileStatus statusOf(ProfileFileStatus loaded) {
    switch (loaded) {
        case ProfileFileStatus::Loaded: return SettingsFileStatus::Ok;
        case ProfileFileStatus::Missing: return SettingsFileStatus::Missing;
        case ProfileFileStatus::Unreadable: return SettingsFileStatus::Unreadable;
        case ProfileFileStatus::NotAFile: return SettingsFileStatus::NotAFile;
        case ProfileFileStatus::TooLarge: return SettingsFileStatus::TooLarge;
    }
    return SettingsFileStatus::Unreadable;
}

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

SettingsImport importSettingsFile(ParameterLists& lists, const std::filesystem::path& file) {
    SettingsImport result;
    const LoadedProfile loaded = loadProfileFile(file);
    for (const auto& parameter : parameterTable()) {
        result.settings[static_cast<std::size_t>(parameter.keyNumber)].keyNumber =
            parameter.keyNumber;
    }
    if (loaded.status != ProfileFileStatus::Loaded) {
        result.status = statusOf(loaded.status);
        return result;
    }
    for (const auto& parameter : parameterTable()) {
        ImportedSetting& setting = result.settings[static_cast<std::size_t>(parameter.keyNumber)];
        if (!loaded.document.value(kSection, parameter.keyName)) {
            continue;  // KeyMissing
        }
        setting.value =
            readProfileString(loaded.document, kSection, parameter.keyName, "", kValueBuffer);
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
    lists.origin = {ValuesSource::File, file.string(), false};
    return result;
}

SettingsFileCheck checkSettingsFile(const std::filesystem::path& file) {
    SettingsFileCheck check;
    const LoadedProfile loaded = loadProfileFile(file);
    check.status = statusOf(loaded.status);
    if (loaded.status != ProfileFileStatus::Loaded) return check;
    for (const auto& parameter : parameterTable()) {
        if (loaded.document.value(kSection, parameter.keyName)) ++check.keysFound;
    }
    check.passedOver = loaded.document.passedOver(kSection);
    return check;
}

std::string settingsFileBytes(const ParameterLists& lists) {
    return settingsFileBytes(selectedSettingsTexts(lists));
}

std::string settingsFileBytes(const SettingsTexts& texts) {
    ProfileDocument document;
    for (const auto& parameter : parameterTable()) {
        // A new UTF-8 document holds every option text.
        document.setValue(kSection, parameter.keyName,
                          texts[static_cast<std::size_t>(parameter.keyNumber)]);
    }
    return document.toBytes();
}

SettingsTexts selectedSettingsTexts(const ParameterLists& lists) {
    SettingsTexts texts;
    for (int k = 0; k < kParameterCount; ++k)
        texts[static_cast<std::size_t>(k)] = lists.byKey(k).selectedText();
    return texts;
}

SettingsFileStatus exportSettingsFile(const ParameterLists& lists,
                                      const std::filesystem::path& file, std::error_code* reason) {
    return exportSettingsFile(selectedSettingsTexts(lists), file, reason);
}

SettingsFileStatus exportSettingsFile(const SettingsTexts& texts, const std::filesystem::path& file,
                                      std::error_code* reason) {
    errno = 0;
    LoadedProfile loaded = loadProfileFile(file);
    // A file that cannot be read is not replaced: what it holds besides the settings would go.
    switch (loaded.status) {
        case ProfileFileStatus::Loaded:
        case ProfileFileStatus::Missing: break;
        case ProfileFileStatus::Unreadable:
            return failed(SettingsFileStatus::Unreadable, lastError(std::errc::io_error), reason);
        case ProfileFileStatus::NotAFile: {
            std::error_code typeError;
            const bool folder = std::filesystem::is_directory(file, typeError);
            return failed(SettingsFileStatus::NotAFile,
                          std::make_error_code(folder ? std::errc::is_a_directory
                                                      : std::errc::invalid_argument),
                          reason);
        }
        case ProfileFileStatus::TooLarge:
            return failed(SettingsFileStatus::TooLarge,
                          std::make_error_code(std::errc::file_too_large), reason);
    }
    for (const auto& parameter : parameterTable()) {
        if (!loaded.document.setValue(kSection, parameter.keyName,
                                      texts[static_cast<std::size_t>(parameter.keyNumber)])) {
            // The existing file's encoding cannot hold the text.
            return failed(SettingsFileStatus::WriteFailed,
                          std::make_error_code(std::errc::illegal_byte_sequence), reason);
        }
    }
    errno = 0;
    if (!saveProfileFile(file, loaded.document)) {
        return failed(SettingsFileStatus::WriteFailed, lastError(std::errc::io_error), reason);
    }
    return SettingsFileStatus::Ok;
}

std::filesystem::path settingsExportPath(const std::filesystem::path& chosen) {
    const std::string name = chosen.filename().string();
    if (name.size() > kExtension.size() &&
        equalsIgnoringCase(std::string_view(name).substr(name.size() - kExtension.size()),
                           kExtension)) {
        return chosen;
    }
    std::filesystem::path result = chosen;
    result += std::string(kExtension);
    return result;
}

}  // namespace orvek
