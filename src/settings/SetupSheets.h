#pragma once
// Setup sheets: read-only .ini files in one folder per profile category under
// <program folder>/Profile, each holding the eighteen options, a team driver's notes and a
// comment. The racer's own sheets, in the same tree under the user data folder
// (~/.local/share/orvek-link/Profile), are listed with them. Folder names and the .ini
// extension are found without regard to letter case, so sheets copied from a Windows machine
// work as they are.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UserFolders.h"
#include "settings/ParameterLists.h"

namespace orvek {

constexpr std::size_t kProfileCategoryCount = 11;
const std::array<const char*, kProfileCategoryCount>& ProfileCategories();
// One of the eleven categories, exactly as written.
bool isProfileCategory(std::string_view category);

constexpr std::size_t kInfoKeyCount = 13;
// Keys of the "info" section, in the order of the page's fields; the last is "Temp Track".
const std::array<const char*, kInfoKeyCount>& InfoKeyNames();

struct SetupSheetEntry {
    std::string title;           // file name without its last extension
    std::filesystem::path file;  // the file as it lies on disk
};

// The sheets of a category in the program folder and in `userFolder`, sorted without regard to
// letter case; empty when neither Profile folder holds the category. A user's sheet whose title
// equals an installed one (letter case aside) takes its place: the racer's copy wins.
std::vector<SetupSheetEntry> ListSetupSheets(
    const std::filesystem::path& programFolder, std::string_view category,
    const std::optional<std::filesystem::path>& userFolder = userDataFolder());

// Where a sheet file lies, as the window names the sheets it lists: its title (the file name
// without ".ini") and, when its folder is a category folder of a Profile folder, the category
// (empty otherwise). Nothing for a file whose name does not end in ".ini" (any letter case).
struct SheetPlace {
    std::string category;
    std::string title;
};
std::optional<SheetPlace> sheetPlaceOf(const std::filesystem::path& file);

// The sheet with this title in the category, found as ListSetupSheets finds it.
std::optional<std::filesystem::path> findSetupSheet(
    const std::filesystem::path& programFolder, std::string_view category, std::string_view title,
    const std::optional<std::filesystem::path>& userFolder = userDataFolder());

struct SetupSheetNotes {
    std::array<std::string, kInfoKeyCount> info;  // empty values included
    std::string memo;
    // The comment field and the info label picture are shown only when "Temp Track" has a value.
    bool showComment = false;
};

// Selects in each list the option the sheet names (an unknown or missing value leaves the
// list as it is), redraws the lists, and returns the notes to show. A missing or unreadable
// file reads as empty values: no list changes and the notes come back empty.
SetupSheetNotes LoadSetupSheet(ParameterLists& lists, const std::filesystem::path& sheetFile);

// Finds the named sheet first; a sheet that is not there loads as a missing file.
SetupSheetNotes LoadSetupSheet(ParameterLists& lists, const std::filesystem::path& programFolder,
                               std::string_view category, std::string_view title);

// The entry of `folder` named `name` without regard to letter case (an exact match first,
// otherwise the first in name order); nothing when there is none.
std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::string_view name);

}  // namespace orvek
