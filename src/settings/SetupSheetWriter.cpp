#include "settings/SetupSheetWriter.h"

#include <algorithm>
#include <ctime>

#include "platform/AsciiCase.h"
#include "platform/FileReplace.h"
#include "platform/ProfileFile.h"
#include "platform/TextFileEncoding.h"
#include "settings/ParamTable.h"

namespace orvek {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCrLf = "\r\n";

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Windows opens a device for these names, whatever extension follows and with blanks before it.
bool isReservedDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (equalsIgnoringCase(base, device)) return true;
    if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
    return equalsIgnoringCase(base.substr(0, 3), "COM") ||
           equalsIgnoringCase(base.substr(0, 3), "LPT");
}

}  // namespace

SheetFileRead readSetupSheetContent(const fs::path& file, SetupSheetContent& content) {
    // Buffer lengths of the sheet reader, terminator included.
    constexpr std::size_t kOptionBuffer = 20;
    constexpr std::size_t kNoteBuffer = 260;
    const LoadedProfile loaded = loadProfileFile(file);
    if (loaded.status != ProfileFileStatus::Loaded) return SheetFileRead::Unreadable;
    int matched = 0;
    for (const EscParameter& parameter : parameterTable()) {
        std::string& value = content.options[static_cast<std::size_t>(parameter.keyNumber)];
        value = readProfileString(loaded.document, "option", parameter.keyName, "", kOptionBuffer);
        if (!value.empty()) ++matched;
    }
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        content.info[k] =
            readProfileString(loaded.document, "info", InfoKeyNames()[k], "", kNoteBuffer);
    }
    content.memo = readProfileString(loaded.document, "memo", "memo", "", kNoteBuffer);
    return matched == 0 ? SheetFileRead::NoSettings : SheetFileRead::Ok;
}

std::string todayIso() {
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    return today;
}

SetupSheetContent sheetContentOf(const ParameterLists& lists, const SetupSheetNotes& notes) {
    SetupSheetContent content;
    for (int k = 0; k < kParameterCount; ++k)
        content.options[static_cast<std::size_t>(k)] = lists.byKey(k).selectedText();
    content.info = notes.info;
    content.memo = notes.memo;
    return content;
}

std::string_view setupSheetName(std::string_view given) {
    constexpr std::string_view kExtension = ".ini";
    if (endsWithIgnoringCase(given, kExtension)) given.remove_suffix(kExtension.size());
    return given;
}

SheetNameProblem checkSheetName(std::string_view given) {
    const std::string_view name = setupSheetName(given);
    if (name.empty()) return SheetNameProblem::Empty;
    // Checked first: the other reasons would be shown with U+FFFD in place of the bytes.
    if (!isValidUtf8(name)) return SheetNameProblem::NotUtf8;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return isControl(static_cast<unsigned char>(c)); })) {
        return SheetNameProblem::ControlCharacter;
    }
    if (name.find_first_of(":*?\"<>|/\\") != std::string_view::npos)
        return SheetNameProblem::ForbiddenCharacter;
    if (name.find_first_not_of(' ') == std::string_view::npos) return SheetNameProblem::OnlySpaces;
    if (name.front() == '.') return SheetNameProblem::StartsWithDot;
    if (name.back() == '.' || name.back() == ' ') return SheetNameProblem::EndsWithDotOrSpace;
    if (isReservedDeviceName(name)) return SheetNameProblem::ReservedName;
    if (name.size() > kSheetNameMaxLength) return SheetNameProblem::TooLong;
    return SheetNameProblem::None;
}

std::string sheetNameProblemText(SheetNameProblem problem) {
    switch (problem) {
        case SheetNameProblem::None: return "";
        case SheetNameProblem::Empty: return "a sheet needs a name";
        case SheetNameProblem::NotUtf8:
            return "a sheet name must be UTF-8 text; this one holds bytes that are not";
        case SheetNameProblem::ControlCharacter:
            return "a sheet name may not hold a tab, line break or other control character";
        case SheetNameProblem::ForbiddenCharacter:
            return "a sheet name may not hold any of : * ? \" < > | / \\ (Windows file names "
                   "cannot)";
        case SheetNameProblem::OnlySpaces: return "a sheet name may not be only spaces";
        case SheetNameProblem::StartsWithDot: return "a sheet name may not start with a dot";
        case SheetNameProblem::EndsWithDotOrSpace:
            return "a sheet name may not end in a dot or a space (Windows drops them from file "
                   "names)";
        case SheetNameProblem::ReservedName:
            return "a sheet name may not be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with "
                   "or without an extension (Windows keeps these names for devices)";
        case SheetNameProblem::TooLong: return "a sheet name may be at most 100 characters long";
    }
    return "";
}

std::optional<SheetValueProblem> sheetValueProblem(const SetupSheetContent& content) {
    const auto problem = [](const std::string& field,
                            const std::string& value) -> std::optional<SheetValueProblem> {
        const bool lineBreak = value.find_first_of("\r\n") != std::string::npos;
        if (!lineBreak && value.size() <= kSheetValueMaxLength) return std::nullopt;
        return SheetValueProblem{field, lineBreak, value.size()};
    };
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        if (auto found = problem(InfoKeyNames()[k], content.info[k])) return found;
    }
    return problem("memo", content.memo);
}

std::string sheetValueProblemText(const SheetValueProblem& problem) {
    const std::string what =
        problem.field == "memo" ? "the memo" : "the " + problem.field + " value";
    if (problem.lineBreak) return what + " holds a line break; a sheet keeps one line";
    // The reader's buffer holds bytes: a plain letter is one, others two to four.
    return what + " is " + std::to_string(problem.bytes) + " bytes long; a sheet keeps at most " +
           std::to_string(kSheetValueMaxLength) +
           " (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)";
}

std::string setupSheetText(const SetupSheetContent& content) {
    std::string text = std::string("[option]") + kCrLf;
    for (const EscParameter& parameter : parameterTable()) {
        text += parameter.keyName;
        text += "=" + content.options[static_cast<std::size_t>(parameter.keyNumber)] + kCrLf;
    }
    text += std::string("[info]") + kCrLf;
    for (std::size_t k = 0; k < kInfoKeyCount; ++k)
        text += std::string(InfoKeyNames()[k]) + "=" + content.info[k] + kCrLf;
    text += std::string("[memo]") + kCrLf + "memo=" + content.memo + kCrLf;
    return text;
}

std::optional<fs::path> findOwnSetupSheet(const std::optional<fs::path>& userFolder,
                                          std::string_view category, std::string_view name) {
    if (!userFolder || checkSheetName(name) != SheetNameProblem::None) return std::nullopt;
    const auto folder = findEntryIgnoringCase(*userFolder / "Profile", category);
    if (!folder) return std::nullopt;
    return findEntryIgnoringCase(*folder, std::string(setupSheetName(name)) + ".ini");
}

SheetSaveResult saveSetupSheet(const std::optional<fs::path>& userFolder, std::string_view category,
                               std::string_view name, const SetupSheetContent& content,
                               bool replace) {
    SheetSaveResult result;
    if (!isProfileCategory(category)) {
        result.status = SheetSaveStatus::BadCategory;
        result.problem = std::string(category);
        return result;
    }
    if (const SheetNameProblem problem = checkSheetName(name); problem != SheetNameProblem::None) {
        result.status = SheetSaveStatus::BadName;
        result.problem = sheetNameProblemText(problem);
        return result;
    }
    if (auto value = sheetValueProblem(content)) {
        result.status = SheetSaveStatus::BadValue;
        result.problem = sheetValueProblemText(*value);
        return result;
    }
    if (!userFolder) {
        result.status = SheetSaveStatus::NoUserFolder;
        return result;
    }
    // The reader finds folders and files without regard to letter case: so does the check for a
    // sheet of that name, and a replaced sheet keeps the name it had.
    const fs::path profile = *userFolder / "Profile";
    const fs::path folder =
        findEntryIgnoringCase(profile, category).value_or(profile / std::string(category));
    const std::string fileName = std::string(setupSheetName(name)) + ".ini";
    const auto existing = findEntryIgnoringCase(folder, fileName);
    result.file = existing.value_or(folder / fileName);
    if (existing && !replace) {
        result.status = SheetSaveStatus::Exists;
        return result;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        result.status = SheetSaveStatus::WriteFailed;
        result.error = error;
        return result;
    }
    result.error = replaceFile(result.file, setupSheetText(content));
    result.status = result.error ? SheetSaveStatus::WriteFailed : SheetSaveStatus::Saved;
    return result;
}

}  // namespace orvek
