// Setup sheets under libFuzzer: a sheet file of arbitrary bytes in a category folder, loaded
// into lists filled for a family and version (or still empty, as before any ESC), and a sheet
// looked up by an arbitrary title.
//
// Checked: the load changes no option texts and nothing the ESC is known to hold; every list
// either keeps its selection or selects the first option whose text is the sheet's value for
// it, letter case aside, and a list with such an option does select it; the notes are the
// sheet's values cut to the reader's buffers, and the comment is shown exactly when "Temp
// Track" has a value; a title never finds a file outside its category folder.
#include <unistd.h>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProfileFile.h"
#include "platform/TextFileEncoding.h"
#include "settings/EscFamily.h"
#include "settings/OptionLists.h"
#include "settings/ParameterLists.h"
#include "settings/SetupSheetWriter.h"
#include "settings/SetupSheets.h"

namespace {

using namespace orvek;
namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "setup_sheet: %s\n", what.c_str());
    std::abort();
}

// The longest values the reader takes, without their terminator.
constexpr std::size_t kOptionUnits = 19;
constexpr std::size_t kNoteUnits = 259;

fs::path& programFolder() {
    static fs::path folder;
    return folder;
}

char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

struct ListState {
    std::vector<std::string> texts;
    int selection;
};

std::vector<ListState> snapshot(const ParameterLists& lists) {
    std::vector<ListState> all;
    for (int k = 0; k < kParameterCount; ++k) {
        const OptionList& list = lists.byKey(k);
        ListState s{{}, list.selection()};
        for (int i = 0; i < list.count(); ++i) s.texts.push_back(list.textAt(i));
        all.push_back(s);
    }
    return all;
}

void checkLoad(const ParameterLists& lists, const std::vector<ListState>& before,
               const std::string& bytes, const SetupSheetNotes& notes) {
    const ProfileDocument sheet = ProfileDocument::fromBytes(bytes);
    const auto valueOf = [&](const char* section, const char* key, std::size_t units) {
        return cutToUtf16Units(sheet.value(section, key).value_or(""), units);
    };
    const auto after = snapshot(lists);
    for (int k = 0; k < kParameterCount; ++k) {
        const ListState& was = before[static_cast<std::size_t>(k)];
        const ListState& now = after[static_cast<std::size_t>(k)];
        const char* name = parameterTable()[static_cast<std::size_t>(k)].keyName;
        if (now.texts != was.texts) fail(std::string("options changed: ") + name);
        const std::string value = valueOf("option", name, kOptionUnits);
        int first = -1;
        for (std::size_t i = 0; i < now.texts.size() && first < 0 && !value.empty(); ++i) {
            if (sameText(now.texts[i], value)) first = static_cast<int>(i);
        }
        const int expected = first >= 0 ? first : was.selection;
        if (now.selection != expected) {
            fail(std::string("selection of ") + name + " is " + std::to_string(now.selection) +
                 ", not " + std::to_string(expected));
        }
    }
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        if (utf16Length(notes.info[k]) > kNoteUnits) fail("info value longer than its buffer");
        if (notes.info[k] != valueOf("info", InfoKeyNames()[k], kNoteUnits)) {
            fail(std::string("info value of ") + InfoKeyNames()[k]);
        }
    }
    if (utf16Length(notes.memo) > kNoteUnits || notes.memo != valueOf("memo", "memo", kNoteUnits))
        fail("memo");
    if (notes.showComment != !notes.info[kInfoKeyCount - 1].empty())
        fail("comment shown without Temp Track");
}

// A name the rule lets through makes a file name on Windows too: none of its forbidden or
// control characters, no trailing dot or blank, no leading dot, nothing over the length.
void checkName(const std::string& given) {
    if (checkSheetName(given) != SheetNameProblem::None) return;
    const std::string_view name = setupSheetName(given);
    if (name.empty() || name.size() > kSheetNameMaxLength) fail("name of a refused length");
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F ||
            std::string_view(":*?\"<>|/\\").find(static_cast<char>(c)) != std::string_view::npos)
            fail("name with a character Windows refuses: " + given);
    }
    if (name.front() == '.' || name.back() == '.' || name.back() == ' ')
        fail("name with a dot or blank at its end: " + given);
}

// The lists a card judges a file's texts against: those the firmware text names, or those that
// hold the most of the texts; the lists are filled for what is returned.
void checkJudgedLists(const std::string& bytes) {
    const ProfileDocument sheet = ProfileDocument::fromBytes(bytes);
    std::array<std::string, kParameterCount> texts;
    for (int k = 0; k < kParameterCount; ++k) {
        texts[static_cast<std::size_t>(k)] =
            sheet.value("option", parameterTable()[static_cast<std::size_t>(k)].keyName)
                .value_or("");
    }
    const std::string firmware = sheet.value("info", "Firmware").value_or("");
    ParameterLists lists;
    const FamilyVersion chosen = FillOptionListsForTexts(lists, texts, firmware);
    if (lists.family != chosen.family || lists.versionText != chosen.versionText)
        fail("lists filled for another family than the one named");
    if (const auto named = familyOfFirmwareText(firmware)) {
        if (named->family != chosen.family || named->versionText != chosen.versionText)
            fail("the firmware's family was not taken: " + firmware);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    programFolder() = base / ("orvek-setup-sheet-" + std::to_string(::getpid()));
    fs::remove_all(programFolder(), error);
    for (const char* category : ProfileCategories())
        fs::create_directories(programFolder() / "Profile" / category);
    // A sheet beside the categories, which no title may reach.
    std::ofstream(programFolder() / "Profile" / "outside.ini")
        << "[option]\nOperation Mode=For/Rev\n";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<const char*, 4> kVersions = {"1.30", "1.20", "1.10", ""};
    std::size_t pos = 0;
    const auto byte = [&] { return pos < size ? data[pos++] : std::uint8_t{0}; };
    const std::uint8_t typeCode = byte();
    const std::uint8_t choice = byte();
    std::string title;
    for (std::size_t n = byte() % 32; n > 0 && pos < size; --n) title += static_cast<char>(byte());
    const std::string bytes(reinterpret_cast<const char*>(data) + pos, size - pos);

    const char* category = ProfileCategories()[(choice >> 4) % kProfileCategoryCount];
    const fs::path folder = programFolder() / "Profile" / category;
    const fs::path file = folder / "sheet.ini";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;

    ParameterLists lists;
    // Lists filled for an ESC whose block was read, or still empty as before any ESC.
    if (!(choice & 0x04)) {
        FillOptionLists(lists, escFamilyFromTypeCode(typeCode), kVersions[choice & 0x03]);
        lists.escSettingsKnown = true;
        for (std::size_t p = 0; p < lists.lastReadBlock.size(); ++p)
            lists.lastReadBlock[p] = static_cast<std::uint8_t>(p * 9);
        for (int k = 0; k < kParameterCount; ++k)
            lists.byKey(k).setSelection(static_cast<int>(typeCode % 7) - 1);
    }
    const SettingsValues lastRead = lists.lastReadBlock;
    const bool known = lists.escSettingsKnown;
    const EscFamily family = lists.family;
    const std::string version = lists.versionText;
    const auto before = snapshot(lists);

    const SetupSheetNotes notes = LoadSetupSheet(lists, file);
    checkLoad(lists, before, bytes, notes);
    if (lists.lastReadBlock != lastRead || lists.escSettingsKnown != known ||
        lists.family != family || lists.versionText != version) {
        fail("loading a sheet changed what is known of the ESC");
    }

    // Any title: found only inside its category folder, and the sheet by its own name.
    const auto found = findSetupSheet(programFolder(), category, title, std::nullopt);
    if (found && found->parent_path() != folder)
        fail("title \"" + title + "\" found " + found->string());
    if (sameText(title, "sheet") && !found) fail("sheet not found by its title");
    checkName(title);
    checkJudgedLists(bytes);
    const auto place = sheetPlaceOf(file);
    if (!place || place->category != category || place->title != "sheet")
        fail("the sheet's place is not its category and title");
    std::error_code error;
    fs::remove(file, error);
    return 0;
}
