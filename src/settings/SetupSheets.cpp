#include "settings/SetupSheets.h"

#include "platform/AsciiCase.h"

#include <algorithm>

#include "platform/ProfileFile.h"
#include "settings/OptionLists.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, kProfileCategoryCount> kCategories = {"Modify Touring",
                                                                        "Stock 10.5T Touring",
                                                                        "Stock 13.5T Touring",
                                                                        "Stock 17.5T Touring",
                                                                        "Blinky Mode (zero timing)",
                                                                        "Modify 2wd Buggy",
                                                                        "Modify 4wd Buggy",
                                                                        "Stock 10.5T Buggy",
                                                                        "Drift Car",
                                                                        "Fun Car",
                                                                        "Rock Crawler"};

constexpr std::array<const char*, kInfoKeyCount> kInfoKeys = {
    "Driver", "Date",       "Event",      "Firmware",     "Motor",          "Gear Ratio", "Timing",
    "Rotor",  "Track Name", "Track Type", "Track Design", "Traction Level", "Temp Track"};

constexpr const char* kProfileFolder = "Profile";
constexpr std::string_view kSheetExtension = ".ini";
// Buffer lengths of the Windows reader, terminator included.
constexpr std::size_t kOptionBuffer = 20;
constexpr std::size_t kNoteBuffer = 260;

// A single file or folder name: nothing that could lead out of the folder it is looked up in.
bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<fs::path> findFolderIgnoringCase(const fs::path& folder, std::string_view name) {
    auto found = findEntryIgnoringCase(folder, name);
    std::error_code error;
    if (!found || !fs::is_directory(*found, error)) {
        return std::nullopt;
    }
    return found;
}

}  // namespace

const std::array<const char*, kProfileCategoryCount>& ProfileCategories() { return kCategories; }

bool isProfileCategory(std::string_view category) {
    return std::any_of(kCategories.begin(), kCategories.end(),
                       [&](const char* known) { return category == known; });
}

const std::array<const char*, kInfoKeyCount>& InfoKeyNames() { return kInfoKeys; }

std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, std::string_view name) {
    if (!isPlainName(name)) {
        return std::nullopt;
    }
    // The listing, not a look-up by name: a file system that ignores letter case (Windows)
    // would find any spelling, and the entry keeps the name it has on disk.
    std::error_code error;
    std::optional<std::string> best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().u8string();
        if (entry == name) {
            return it->path();
        }
        if (equalsIgnoringCase(entry, name) && (!best || entry < *best)) {
            best = entry;
        }
    }
    if (best) {
        return folder / fs::u8path(*best);
    }
    // A folder that may be entered but not listed still yields a name that exists as given.
    const fs::path exact = folder / fs::u8path(std::string(name));
    std::error_code statusError;
    if (fs::exists(fs::symlink_status(exact, statusError))) {
        return exact;
    }
    return std::nullopt;
}

std::optional<SheetPlace> sheetPlaceOf(const fs::path& file) {
    const std::string name = file.filename().u8string();
    if (!endsWithIgnoringCase(name, kSheetExtension) || name.size() == kSheetExtension.size())
        return std::nullopt;
    SheetPlace place;
    place.title = name.substr(0, name.size() - kSheetExtension.size());
    const fs::path folder = file.parent_path();
    const std::string category = folder.filename().u8string();
    if (isProfileCategory(category) &&
        equalsIgnoringCase(folder.parent_path().filename().u8string(), kProfileFolder))
        place.category = category;
    return place;
}

namespace {

// The sheets of one Profile tree's category folder, unsorted.
void collectSheets(const fs::path& baseFolder, std::string_view category,
                   std::vector<SetupSheetEntry>& sheets) {
    const auto profile = findFolderIgnoringCase(baseFolder, kProfileFolder);
    const auto folder = profile ? findFolderIgnoringCase(*profile, category) : std::nullopt;
    if (!folder) {
        return;
    }
    std::error_code error;
    for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!endsWithIgnoringCase(name, kSheetExtension) || name.size() == kSheetExtension.size() ||
            !it->is_regular_file(typeError)) {
            continue;
        }
        sheets.push_back({name.substr(0, name.size() - kSheetExtension.size()), it->path()});
    }
}

}  // namespace

std::vector<SetupSheetEntry> ListSetupSheets(const fs::path& programFolder,
                                             std::string_view category,
                                             const std::optional<fs::path>& userFolder) {
    std::vector<SetupSheetEntry> sheets;
    if (userFolder) {
        collectSheets(*userFolder, category, sheets);
    }
    const std::size_t userCount = sheets.size();
    std::vector<SetupSheetEntry> installed;
    collectSheets(programFolder, category, installed);
    for (SetupSheetEntry& sheet : installed) {
        const auto sameTitle = [&](const SetupSheetEntry& own) {
            return equalsIgnoringCase(own.title, sheet.title);
        };
        if (std::none_of(sheets.begin(), sheets.begin() + static_cast<std::ptrdiff_t>(userCount),
                         sameTitle)) {
            sheets.push_back(std::move(sheet));
        }
    }
    std::sort(sheets.begin(), sheets.end(), [](const SetupSheetEntry& a, const SetupSheetEntry& b) {
        return lessIgnoringCase(a.title, b.title);
    });
    return sheets;
}

std::optional<fs::path> findSetupSheet(const fs::path& programFolder, std::string_view category,
                                       std::string_view title,
                                       const std::optional<fs::path>& userFolder) {
    const auto sheets = ListSetupSheets(programFolder, category, userFolder);
    for (const auto& sheet : sheets) {
        if (sheet.title == title) {
            return sheet.file;
        }
    }
    for (const auto& sheet : sheets) {
        if (equalsIgnoringCase(sheet.title, title)) {
            return sheet.file;
        }
    }
    return std::nullopt;
}

SetupSheetNotes LoadSetupSheet(ParameterLists& lists, const fs::path& sheetFile) {
    // An unreadable file reads like an empty one, as it does for the Windows reader.
    const LoadedProfile sheet = loadProfileFile(sheetFile);
    for (const auto& parameter : parameterTable()) {
        const std::string stored =
            readProfileString(sheet.document, "option", parameter.keyName, "", kOptionBuffer);
        selectStoredOption(lists, parameter.keyNumber, stored);
    }
    SetupSheetNotes notes;
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        notes.info[k] = readProfileString(sheet.document, "info", kInfoKeys[k], "", kNoteBuffer);
    }
    notes.showComment = !notes.info[kInfoKeyCount - 1].empty();
    notes.memo = readProfileString(sheet.document, "memo", "memo", "", kNoteBuffer);
    lists.redrawAll();
    return notes;
}

SetupSheetNotes LoadSetupSheet(ParameterLists& lists, const fs::path& programFolder,
                               std::string_view category, std::string_view title) {
    const auto file = findSetupSheet(programFolder, category, title);
    SetupSheetNotes notes = LoadSetupSheet(lists, file ? *file : fs::path());
    lists.origin = {ValuesSource::Sheet, std::string(category) + "/" + std::string(title), false};
    return notes;
}

}  // namespace orvek
