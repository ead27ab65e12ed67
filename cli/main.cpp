// orvek-cli: the ORVEK Link core from a terminal.
#include <CLI/CLI.hpp>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "Commands.h"
#include "ExitCodes.h"

namespace {

// The first word of the command line that is neither an option nor an option's value: the
// command asked for, if any.
std::string commandWord(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--port") == 0 || std::strcmp(a, "--sim-state") == 0) {
            ++i;
            continue;
        }
        if (a[0] != '-') return a;
    }
    return {};
}

// The parser's sentence as one of our lines: they start in lower case ("The following argument"
// becomes "the following argument"); a word in capitals ("ID") stays as it is.
std::string asOurLine(std::string message) {
    if (message.size() > 1 && std::isupper(static_cast<unsigned char>(message[0])) &&
        !std::isupper(static_cast<unsigned char>(message[1]))) {
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    }
    return message;
}

bool asksForJson(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    orvek::cli::prepareConsole();
    using namespace orvek::cli;
    CLI::App app{
        "orvek-cli: configure ORVEK ESCs and the QLX program card from a terminal.\n"
        "Finds the CP210x adapter by itself; --port names another port, --simulate\n"
        "runs against a built-in simulated device."};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("orvek-cli ") + ORVEK_VERSION,
                         "Print the version and exit");
    app.fallthrough();

    GlobalOptions global;
    app.add_option("--port", global.port,
                   "Serial port to use instead of the adapter found (also ORVEK_PORT)");
    app.add_flag("--simulate{expert}", global.simulateKind,
                 "Use a simulated device: expert (default), stock, blinky, card or bootloader");
    app.add_option("--sim-state", global.simulateState,
                   "Keep the simulated ESC's settings in this file");
    app.add_flag("--json", global.json, "Print results as JSON on standard output");
    app.add_flag("-v,--verbose", global.verbose, "Trace every byte on the line on standard error");

    auto* ports =
        app.add_subcommand("ports", "List USB serial adapters; * marks the one that would be used");
    bool infoCard = false;
    auto* info = app.add_subcommand("info", "Identify the attached ESC (or program card)");
    info->add_flag("--card", infoCard, "Probe for a program card instead of an ESC");

    ReadOptions readOptions;
    auto* read = app.add_subcommand("read", "Read the ESC's eighteen settings");
    read->add_option("-o,--output", readOptions.output,
                     "Also save them as a settings file (.cfg); - writes it to standard output");

    WriteOptions writeOptions;
    auto* write = app.add_subcommand(
        "write", "Write the settings of a .cfg or setup-sheet .ini file into the ESC");
    write->add_option("file", writeOptions.file, "Settings file")->required();
    write->add_flag("--dry-run", writeOptions.dryRun, "Show what would change; send nothing");
    write->add_flag("--no-verify", writeOptions.noVerify,
                    "Do not read the settings back to compare");

    WriteOptions defaultsOptions;
    auto* defaults = app.add_subcommand("defaults", "Put the ESC's factory defaults into it");
    defaults->add_flag("--dry-run", defaultsOptions.dryRun, "Show what would change; send nothing");
    defaults->add_flag("--no-verify", defaultsOptions.noVerify,
                       "Do not read the settings back to compare");

    FlashOptions escFlash;
    auto* flashEsc =
        app.add_subcommand("flash-esc", "Replace the ESC's firmware with a .kfw image");
    flashEsc->add_option("image", escFlash.image, ".kfw image")->required();
    flashEsc->add_flag("--fix-mode", escFlash.fixMode,
                       "The ESC only runs its bootloader: skip identification");
    flashEsc->add_flag("--force", escFlash.force, "Send an image that fails the checks");
    flashEsc->add_flag("--no-backup", escFlash.noBackup, "Do not save the ESC's settings first");
    flashEsc->add_option("--backup-dir", escFlash.backupDir, "Folder for the settings backup");

    FlashOptions cardFlash;
    auto* flashCard =
        app.add_subcommand("flash-card", "Replace the program card's firmware with a .xup image");
    flashCard->add_option("image", cardFlash.image, ".xup image")->required();
    flashCard->add_flag("--force", cardFlash.force, "Send an image that fails the checks");
    flashCard->add_flag("--fix-mode", cardFlash.fixMode,
                        "The card only runs its bootloader: skip identification");

    std::string checkImage;
    auto* check = app.add_subcommand("check", "Check a .kfw or .xup image without a device");
    check->add_option("image", checkImage, "Image file")->required();

    auto* folders = app.add_subcommand(
        "folders", "Show where the program data, your own files and backups are");

    auto* sheet = app.add_subcommand("sheet", "Save or list setup sheets");
    sheet->require_subcommand(1);
    SheetSaveOptions sheetSave;
    auto* sheetSaveCommand = sheet->add_subcommand(
        "save", "Save the ESC's settings (or a file's) as a setup sheet in your own folder");
    sheetSaveCommand->add_option("category", sheetSave.category, "One of the eleven categories")
        ->required();
    sheetSaveCommand->add_option("name", sheetSave.name, "The sheet's name")->required();
    sheetSaveCommand->add_option("--from", sheetSave.from,
                                 "Take the settings from a .cfg or .ini file, not the ESC");
    sheetSaveCommand->add_option("--info", sheetSave.infos, "An info value, KEY=VALUE");
    sheetSaveCommand->add_option("--memo", sheetSave.memo, "The sheet's memo (one line)");
    sheetSaveCommand->add_flag("--force", sheetSave.force, "Replace your sheet of that name");
    std::string sheetListCategory;
    auto* sheetListCommand =
        sheet->add_subcommand("list", "List the setup sheets the window lists; * marks yours");
    sheetListCommand->add_option("category", sheetListCategory, "Only this category");

    HistoryOptions history;
    auto* historyCommand = app.add_subcommand(
        "history", "List the settings history: every read, write, defaults and firmware update");
    historyCommand->require_subcommand(0, 1);
    historyCommand->add_option("--model", history.model,
                               "Only the records whose model holds this text (any case)");
    historyCommand->add_option("--limit", history.limitText,
                               "At most this many records, newest first (default 50; 0 for all)");
    auto* historyShow = historyCommand->add_subcommand("show", "Show one record in full");
    historyShow->add_option("id", history.idText, "The record's number")->required();
    auto* historyNote =
        historyCommand->add_subcommand("note", "Give a record a note (one line; empty removes it)");
    historyNote->add_option("id", history.idText, "The record's number")->required();
    historyNote->add_option("text", history.text, "The note")->required();
    auto* historyRestore = historyCommand->add_subcommand(
        "restore", "Write a record's settings into the ESC, as write does with a file");
    historyRestore->add_option("id", history.idText, "The record's number")->required();
    historyRestore->add_flag("--dry-run", history.dryRun, "Show what would change; send nothing");
    historyRestore->add_flag("--no-verify", history.noVerify,
                             "Do not read the settings back to compare");
    auto* historyExport =
        historyCommand->add_subcommand("export", "Save a record's settings as a settings file");
    historyExport->add_option("id", history.idText, "The record's number")->required();
    historyExport->add_option("file", history.text, "Settings file (.cfg)")->required();

    CardOptions cardOptions;
    auto* card = app.add_subcommand(
        "card", "Write a printable setup card (PDF, or PNG for a name ending in .png)");
    card->add_option("file", cardOptions.file, ".pdf or .png file")->required();
    card->add_option("--from", cardOptions.from,
                     "Take the settings from a .cfg or .ini file, not the ESC");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        // One line, as every failure; the command's own help says the rest.
        const Console console(asksForJson(argc, argv));
        const std::string word = commandWord(argc, argv);
        bool known = word.empty();
        for (const CLI::App* sub : app.get_subcommands({}))
            known = known || sub->get_name() == word;
        if (!known) {
            return console.fail(kExitUsage,
                                "unknown command '" + word +
                                    "' (ports, info, read, write, defaults, flash-esc, "
                                    "flash-card, check, folders, sheet, history or card; see "
                                    "--help)");
        }
        return console.fail(kExitUsage, asOurLine(e.what()) + " (see --help)");
    }
    global.simulate = app.count("--simulate") > 0;
    readOptions.save = read->count("--output") > 0;
    sheetSave.memoGiven = sheetSaveCommand->count("--memo") > 0;
    sheetSave.fromGiven = sheetSaveCommand->count("--from") > 0;
    cardOptions.fromGiven = card->count("--from") > 0;
    const Console console(global.json);
    if (global.simulate && !global.port.empty()) {
        return console.fail(kExitUsage, "--simulate and --port exclude each other");
    }

    if (*ports) return runPorts(global, console);
    if (*info) return runInfo(global, console, infoCard);
    if (*read) return runRead(global, console, readOptions);
    if (*write) return runWrite(global, console, writeOptions);
    if (*defaults) return runDefaults(global, console, defaultsOptions);
    if (*flashEsc) return runFlashEsc(global, console, escFlash);
    if (*flashCard) return runFlashCard(global, console, cardFlash);
    if (*check) return runCheck(console, checkImage);
    if (*folders) return runFolders(console);
    if (*sheetSaveCommand) return runSheetSave(global, console, sheetSave);
    if (*sheetListCommand) return runSheetList(console, sheetListCategory);
    if (*historyCommand) {
        if (*historyShow) history.action = HistoryAction::Show;
        if (*historyNote) history.action = HistoryAction::Note;
        if (*historyRestore) history.action = HistoryAction::Restore;
        if (*historyExport) history.action = HistoryAction::Export;
        return runHistory(global, console, history);
    }
    if (*card) return runCard(global, console, cardOptions);
    return kExitUsage;
}
