#pragma once
// Writing a setup sheet: the page's eighteen option texts, the thirteen info values and the
// memo as an .ini file the sheet reader loads back, into the racer's own Profile folder only.
// Sections "option", "info" and "memo" in the reader's key order, CRLF line ends.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "settings/ParameterLists.h"
#include "settings/SetupSheets.h"

namespace orvek {

// Positions of two info fields the program fills in itself.
constexpr std::size_t kInfoDate = 1;
constexpr std::size_t kInfoFirmware = 3;

struct SetupSheetContent {
    std::array<std::string, kParameterCount> options;  // option texts; empty for no selection
    std::array<std::string, kInfoKeyCount> info;
    std::string memo;
};

// What a .cfg or .ini file holds as sheet content: its option texts and, from a sheet, its info
// values and memo, read as the sheet reader reads them.
enum class SheetFileRead { Ok, Unreadable, NoSettings };
SheetFileRead readSetupSheetContent(const std::filesystem::path& file, SetupSheetContent& content);

// Today's date as the sheets and cards write it (ISO 8601, local time).
std::string todayIso();

// The lists' selected texts (empty where nothing is selected), with the given notes.
SetupSheetContent sheetContentOf(const ParameterLists& lists, const SetupSheetNotes& notes);

// A sheet name must make a file name on every system the sheet may travel to, Windows included.
enum class SheetNameProblem {
    None,
    Empty,
    NotUtf8,
    ControlCharacter,
    ForbiddenCharacter,  // one of : * ? " < > | / and the backslash
    OnlySpaces,
    StartsWithDot,
    EndsWithDotOrSpace,
    ReservedName,  // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
    TooLong
};
constexpr std::size_t kSheetNameMaxLength = 100;
// The name a sheet is saved and listed under: `given` without a trailing ".ini" (any letter
// case), so that "Heat 2.ini" is saved as "Heat 2.ini" and not as "Heat 2.ini.ini".
std::string_view setupSheetName(std::string_view given);
// Checks setupSheetName(name).
SheetNameProblem checkSheetName(std::string_view name);
// Why a name is refused, in lower case as a line of orvek-cli ("" for None).
std::string sheetNameProblemText(SheetNameProblem problem);

// Longest info value or memo the reader keeps whole.
constexpr std::size_t kSheetValueMaxLength = 259;
// A value the sheet could not give back whole: too long for the reader, or more than one line.
struct SheetValueProblem {
    std::string field;  // the info field's key, or "memo"
    bool lineBreak = false;
    std::size_t bytes = 0;  // the value's length in bytes of UTF-8
};
// The first info field (by its key), or the memo, that could not be read back whole; nothing
// when every value can.
std::optional<SheetValueProblem> sheetValueProblem(const SetupSheetContent& content);
// "the memo is 300 bytes long; a sheet keeps at most 259 ...", in lower case.
std::string sheetValueProblemText(const SheetValueProblem& problem);

// The file's text.
std::string setupSheetText(const SetupSheetContent& content);

enum class SheetSaveStatus {
    Saved,
    BadCategory,
    BadName,
    BadValue,
    Exists,
    NoUserFolder,
    WriteFailed
};

struct SheetSaveResult {
    SheetSaveStatus status = SheetSaveStatus::WriteFailed;
    std::filesystem::path file;  // where it went, or would go
    std::string problem;         // the refused name's or field's words
    std::error_code error;       // the system's reason for a failed write
};

// The racer's own sheet of that name in the category, found as the reader finds it (letter case
// aside); nothing when there is none.
std::optional<std::filesystem::path> findOwnSetupSheet(
    const std::optional<std::filesystem::path>& userFolder, std::string_view category,
    std::string_view name);

// Writes <userFolder>/Profile/<category>/<name>.ini in one step (a finished temporary file
// renamed over it). An existing sheet of that name in the user's folder is replaced only when
// `replace` is set (Exists otherwise); an installed sheet of that name is never touched, as the
// user's copy is listed in its place.
SheetSaveResult saveSetupSheet(const std::optional<std::filesystem::path>& userFolder,
                               std::string_view category, std::string_view name,
                               const SetupSheetContent& content, bool replace);

}  // namespace orvek
