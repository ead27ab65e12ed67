// sheet save and sheet list: the ESC's settings, or a file's, saved as a setup sheet in the
// racer's own Profile folder with the window's rules; and the sheets the window would list.
#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "SettingsInput.h"
#include "firmware/ProgramFolder.h"
#include "platform/AsciiCase.h"
#include "platform/UserFolders.h"
#include "settings/SetupSheetWriter.h"

namespace orvek::cli {

namespace {

namespace fs = std::filesystem;

std::string categoryList() {
    std::string list;
    for (const char* known : ProfileCategories())
        list += std::string(list.empty() ? "" : ", ") + known;
    return list;
}

// The option texts (and, from a sheet, its notes) of a .cfg or .ini file, checked as write checks
// a file; what the reader passes over is said as a warning.
int contentFromFile(const Console& console, const std::string& from, SetupSheetContent& content) {
    std::vector<std::string> warnings;
    if (const int code = checkSettingsInput(console, "--from", from, warnings)) return code;
    switch (readSetupSheetContent(fileArgument(from), content)) {
        case SheetFileRead::Ok: break;
        case SheetFileRead::Unreadable:
            return console.fail(kExitBadInput,
                                unreadableSettingsFile(from, SettingsFileStatus::Unreadable));
        case SheetFileRead::NoSettings:
            return console.fail(kExitBadInput,
                                from + " holds no settings (every [option] value is empty)");
    }
    for (const std::string& warning : warnings) console.note("warning: " + warning);
    return kExitOk;
}

}  // namespace

int runSheetSave(const GlobalOptions& global, const Console& console,
                 const SheetSaveOptions& options) {
    if (!isProfileCategory(options.category)) {
        return console.fail(kExitUsage, "'" + options.category + "' is no setup sheet category (" +
                                            categoryList() + ")");
    }
    if (const SheetNameProblem problem = checkSheetName(options.name);
        problem != SheetNameProblem::None) {
        return console.fail(kExitUsage, sheetNameProblemText(problem));
    }
    // The notes given on the command line are checked before any device or file is opened.
    std::vector<std::pair<std::size_t, std::string>> infos;
    for (const std::string& given : options.infos) {
        const std::size_t equals = given.find('=');
        const std::string keyName = given.substr(0, equals);
        std::size_t index = kInfoKeyCount;
        for (std::size_t k = 0; k < kInfoKeyCount; ++k)
            if (equalsIgnoringCase(keyName, InfoKeyNames()[k])) index = k;
        if (equals == std::string::npos || index == kInfoKeyCount) {
            return console.fail(kExitUsage,
                                "--info takes KEY=VALUE with a key of the sheet's "
                                "info section (Driver, Date, ... Temp Track), not '" +
                                    given + "'");
        }
        infos.emplace_back(index, given.substr(equals + 1));
    }

    SetupSheetContent content;
    if (options.fromGiven) {
        if (const int code = contentFromFile(console, options.from, content); code != kExitOk)
            return code;
    } else {
        const int code = withEscSettings(
            global, console, [&](Session&, EscIdentity& identity, ParameterLists& lists) {
                content = sheetContentOf(lists, SetupSheetNotes{});
                content.info[kInfoFirmware] = identity.words.escFirmware();
                content.info[kInfoDate] = todayIso();
                return kExitOk;
            });
        if (code != kExitOk) return code;
    }
    for (const auto& [index, value] : infos) content.info[index] = value;
    if (options.memoGiven) content.memo = options.memo;
    if (const auto value = sheetValueProblem(content))
        return console.fail(kExitUsage, sheetValueProblemText(*value));

    const SheetSaveResult saved =
        saveSetupSheet(userDataFolder(), options.category, options.name, content, options.force);
    switch (saved.status) {
        case SheetSaveStatus::Saved: break;
        case SheetSaveStatus::Exists:
            return console.fail(kExitCannotWrite,
                                saved.file.string() + " already exists (--force replaces it)");
        case SheetSaveStatus::NoUserFolder:
            return console.fail(kExitCannotWrite, "no user data folder (HOME is not set)");
        default:
            return console.fail(kExitCannotWrite, "cannot write " + saved.file.string() + ": " +
                                                      saved.error.message());
    }
    console.out("sheet saved: " + saved.file.string());
    Json j;
    j["category"] = options.category;
    j["name"] = std::string(setupSheetName(options.name));
    j["file"] = saved.file.string();
    console.document(j);
    return kExitOk;
}

int runSheetList(const Console& console, const std::string& category) {
    if (!category.empty() && !isProfileCategory(category)) {
        return console.fail(
            kExitUsage, "'" + category + "' is no setup sheet category (" + categoryList() + ")");
    }
    const fs::path program = programFolder();
    const auto user = userDataFolder();
    Json j = Json::array();
    std::size_t listed = 0;
    for (const char* each : ProfileCategories()) {
        if (!category.empty() && category != each) continue;
        for (const SetupSheetEntry& sheet : ListSetupSheets(program, each, user)) {
            ++listed;
            const bool own =
                user && sheet.file.string().rfind((*user / "Profile").string(), 0) == 0;
            console.out(std::string(own ? "* " : "  ") + each + " / " + sheet.title);
            Json entry;
            entry["category"] = each;
            entry["title"] = sheet.title;
            entry["file"] = sheet.file.string();
            entry["own"] = own;
            j.push_back(std::move(entry));
        }
    }
    if (listed == 0) {
        // Where they would be: the installed Profile folder and the racer's own.
        const auto folder = [&](const fs::path& base) {
            const fs::path profile = base / "Profile";
            return fileText(category.empty() ? profile : profile / fileArgument(category));
        };
        std::string where = folder(program);
        if (user) where += " or " + folder(*user);
        console.out("no " + (category.empty() ? std::string() : category + " ") +
                    "setup sheets in " + where);
    }
    console.document(j);
    return kExitOk;
}

}  // namespace orvek::cli
