#pragma once
// Settings files (.cfg): the eighteen selections as option texts in section "option",
// keyed by parameter name. Import matches each text against the lists as they are now
// filled; export writes the selected texts. Status results only: the caller decides what
// to show.
#include <array>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/ProfileFile.h"
#include "settings/ParameterLists.h"

namespace orvek {

enum class SettingsFileStatus {
    Ok,
    Missing,      // import: no file at the path
    Unreadable,   // the path holds a file that cannot be read
    NotAFile,     // the path names a folder, pipe or device: neither read nor replaced
    TooLarge,     // larger than any settings file (kProfileFileBytesLimit): refused unread
    WriteFailed,  // export: the file could not be written
};

enum class ImportOutcome {
    Selected,    // the stored text matched an option, which is now selected
    KeyMissing,  // the file has no such key: the list keeps its selection
    EmptyValue,  // stored empty (exported from a list without selection): the list keeps its
                 // selection
    NoMatch,     // the text is no option of the list as filled now: the list keeps its selection
};

struct ImportedSetting {
    int keyNumber = 0;
    std::string value;  // as read: at most 19 characters
    ImportOutcome outcome = ImportOutcome::KeyMissing;
    int selected = -1;  // the option selected when outcome is Selected
};

struct SettingsImport {
    SettingsFileStatus status = SettingsFileStatus::Ok;
    std::array<ImportedSetting, kParameterCount> settings{};  // in key order
    // The settings whose stored text matched nothing, for warnings.
    std::vector<ImportedSetting> unmatched() const;
};

// Reads the file and selects each stored option that matches (whole text, any letter case).
// Only selections change: family, version text and lastReadBlock stay. A missing or
// unreadable file changes nothing.
SettingsImport importSettingsFile(ParameterLists& lists, const std::filesystem::path& file);

// A settings file looked at before any ESC is asked: whether it can be read, how many of the
// eighteen keys its "option" section names, and what the reader passes over there (a second
// section of that name, repeated keys).
struct SettingsFileCheck {
    SettingsFileStatus status = SettingsFileStatus::Ok;
    int keysFound = 0;
    ProfileDocument::PassedOver passedOver;
};
SettingsFileCheck checkSettingsFile(const std::filesystem::path& file);

// Writes the eighteen selected texts (empty for a list without selection) into section
// "option" of the file, creating it if needed and keeping everything else an existing file holds.
// The file is replaced in one step, so a failed write leaves an existing file as it was. On a
// failure `reason`, when given, tells why (as the system reported it).
SettingsFileStatus exportSettingsFile(const ParameterLists& lists,
                                      const std::filesystem::path& file,
                                      std::error_code* reason = nullptr);
// The same for eighteen texts in key order (a history record's, say).
using SettingsTexts = std::array<std::string, kParameterCount>;
SettingsFileStatus exportSettingsFile(const SettingsTexts& texts, const std::filesystem::path& file,
                                      std::error_code* reason = nullptr);
// The selected texts of the lists, in key order (empty for a list without selection).
SettingsTexts selectedSettingsTexts(const ParameterLists& lists);

// The bytes an export of the lists (or of eighteen texts) writes as a new file.
std::string settingsFileBytes(const ParameterLists& lists);
std::string settingsFileBytes(const SettingsTexts& texts);

// The file an export to the chosen name goes to: ".cfg" is added unless the name already
// ends with it (in any letter case).
std::filesystem::path settingsExportPath(const std::filesystem::path& chosen);

}  // namespace orvek
