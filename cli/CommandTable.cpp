#include "CommandTable.h"

#include <cstddef>

#include "ExitCodes.h"

namespace orvek::cli {
namespace {

struct Command;

// A run of commands in the table: the top level, or a group's subcommands.
struct Commands {
    const Command* first = nullptr;
    std::size_t count = 0;
    const Command* begin() const;
    const Command* end() const;
};

struct Command {
    const char* name;
    const char* summary;  // the help line
    // Adds the command's arguments and options; none when it takes none.
    void (*define)(CLI::App& command, Arguments& arguments);
    // Runs the parsed command; none for a group that only holds subcommands.
    int (*run)(const CLI::App& command, Arguments& arguments, const Console& console);
    Commands subcommands;
};

const Command* Commands::begin() const { return first; }
const Command* Commands::end() const { return first + count; }

template <std::size_t N>
constexpr Commands commands(const Command (&table)[N]) {
    return {table, N};
}

void addWriteFlags(CLI::App& command, WriteOptions& options) {
    command.add_flag("--dry-run", options.dryRun, "Show what would change; send nothing");
    command.add_flag("--no-verify", options.noVerify, "Do not read the settings back to compare");
}

// The record's number, and for note and export the text that follows it.
void addRecordArguments(CLI::App& command, HistoryOptions& options, const char* text = nullptr,
                        const char* textHelp = nullptr) {
    command.add_option("id", options.idText, "The record's number")->required();
    if (text) command.add_option(text, options.text, textHelp)->required();
}

void defineFlash(CLI::App& command, FlashOptions& options, FirmwareTarget target) {
    const bool esc = target == FirmwareTarget::Esc;
    command.add_option("image", options.image, esc ? ".kfw image" : ".xup image")->required();
    const auto fixMode = [&] {
        command.add_flag("--fix-mode", options.fixMode,
                         esc ? "The ESC only runs its bootloader: skip identification"
                             : "The card only runs its bootloader: skip identification");
    };
    // The help has always listed the ESC's --fix-mode first and the card's after --force.
    if (esc) fixMode();
    command.add_flag("--force", options.force, "Send an image that fails the checks");
    if (!esc) {
        fixMode();
        return;
    }
    command.add_flag("--no-backup", options.noBackup, "Do not save the ESC's settings first");
    command.add_option("--backup-dir", options.backupDir, "Folder for the settings backup");
}

int runHistoryAction(Arguments& a, const Console& console, HistoryAction action) {
    a.history.action = action;
    return runHistory(a.global, console, a.history);
}

const Command kSheetCommands[] = {
    {"save",
     "Save the ESC's settings (or a file's) as a setup sheet in your own folder",
     [](CLI::App& c, Arguments& a) {
         c.add_option("category", a.sheetSave.category, "One of the eleven categories")->required();
         c.add_option("name", a.sheetSave.name, "The sheet's name")->required();
         c.add_option("--from", a.sheetSave.from,
                      "Take the settings from a .cfg or .ini file, not the ESC");
         c.add_option("--info", a.sheetSave.infos, "An info value, KEY=VALUE");
         c.add_option("--memo", a.sheetSave.memo, "The sheet's memo (one line)");
         c.add_flag("--force", a.sheetSave.force, "Replace your sheet of that name");
     },
     [](const CLI::App& c, Arguments& a, const Console& console) {
         a.sheetSave.memoGiven = c.count("--memo") > 0;
         a.sheetSave.fromGiven = c.count("--from") > 0;
         return runSheetSave(a.global, console, a.sheetSave);
     },
     {}},
    {"list",
     "List the setup sheets the window lists; * marks yours",
     [](CLI::App& c, Arguments& a) {
         c.add_option("category", a.sheetListCategory, "Only this category");
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runSheetList(console, a.sheetListCategory);
     },
     {}},
};

const Command kHistoryCommands[] = {
    {"show",
     "Show one record in full",
     [](CLI::App& c, Arguments& a) { addRecordArguments(c, a.history); },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runHistoryAction(a, console, HistoryAction::Show);
     },
     {}},
    {"note",
     "Give a record a note (one line; empty removes it)",
     [](CLI::App& c, Arguments& a) { addRecordArguments(c, a.history, "text", "The note"); },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runHistoryAction(a, console, HistoryAction::Note);
     },
     {}},
    {"restore",
     "Write a record's settings into the ESC, as write does with a file",
     [](CLI::App& c, Arguments& a) {
         addRecordArguments(c, a.history);
         addWriteFlags(c, a.history.write);
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runHistoryAction(a, console, HistoryAction::Restore);
     },
     {}},
    {"export",
     "Save a record's settings as a settings file",
     [](CLI::App& c, Arguments& a) {
         addRecordArguments(c, a.history, "file", "Settings file (.cfg)");
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runHistoryAction(a, console, HistoryAction::Export);
     },
     {}},
};

const Command kCommands[] = {
    {"ports",
     "List USB serial adapters; * marks the one that would be used",
     nullptr,
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runPorts(a.global, console);
     },
     {}},
    {"info",
     "Identify the attached ESC (or program card)",
     [](CLI::App& c, Arguments& a) {
         c.add_flag("--card", a.infoCard, "Probe for a program card instead of an ESC");
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runInfo(a.global, console, a.infoCard);
     },
     {}},
    {"read",
     "Read the ESC's eighteen settings",
     [](CLI::App& c, Arguments& a) {
         c.add_option("-o,--output", a.read.output,
                      "Also save them as a settings file (.cfg); - writes it to standard output");
     },
     [](const CLI::App& c, Arguments& a, const Console& console) {
         a.read.save = c.count("--output") > 0;
         return runRead(a.global, console, a.read);
     },
     {}},
    {"write",
     "Write the settings of a .cfg or setup-sheet .ini file into the ESC",
     [](CLI::App& c, Arguments& a) {
         c.add_option("file", a.write.file, "Settings file")->required();
         addWriteFlags(c, a.write);
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runWrite(a.global, console, a.write);
     },
     {}},
    {"defaults",
     "Put the ESC's factory defaults into it",
     [](CLI::App& c, Arguments& a) { addWriteFlags(c, a.defaults); },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runDefaults(a.global, console, a.defaults);
     },
     {}},
    {"flash-esc",
     "Replace the ESC's firmware with a .kfw image",
     [](CLI::App& c, Arguments& a) { defineFlash(c, a.flashEsc, FirmwareTarget::Esc); },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runFlash(a.global, console, a.flashEsc, FirmwareTarget::Esc);
     },
     {}},
    {"flash-card",
     "Replace the program card's firmware with a .xup image",
     [](CLI::App& c, Arguments& a) { defineFlash(c, a.flashCard, FirmwareTarget::ProgramCard); },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runFlash(a.global, console, a.flashCard, FirmwareTarget::ProgramCard);
     },
     {}},
    {"check",
     "Check a .kfw or .xup image without a device",
     [](CLI::App& c, Arguments& a) {
         c.add_option("image", a.checkImage, "Image file")->required();
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runCheck(console, a.checkImage);
     },
     {}},
    {"folders",
     "Show where the program data, your own files and backups are",
     nullptr,
     [](const CLI::App&, Arguments&, const Console& console) { return runFolders(console); },
     {}},
    {"sheet", "Save or list setup sheets", [](CLI::App& c, Arguments&) { c.require_subcommand(1); },
     nullptr, commands(kSheetCommands)},
    {"history", "List the settings history: every read, write, defaults and firmware update",
     [](CLI::App& c, Arguments& a) {
         c.require_subcommand(0, 1);
         c.add_option("--model", a.history.model,
                      "Only the records whose model holds this text (any case)");
         c.add_option("--limit", a.history.limitText,
                      "At most this many records, newest first (default 50; 0 for all)");
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runHistoryAction(a, console, HistoryAction::List);
     },
     commands(kHistoryCommands)},
    {"card",
     "Write a printable setup card (PDF, or PNG for a name ending in .png)",
     [](CLI::App& c, Arguments& a) {
         c.add_option("file", a.card.file, ".pdf or .png file")->required();
         c.add_option("--from", a.card.from,
                      "Take the settings from a .cfg or .ini file, not the ESC");
     },
     [](const CLI::App& c, Arguments& a, const Console& console) {
         a.card.fromGiven = c.count("--from") > 0;
         return runCard(a.global, console, a.card);
     },
     {}},
    {"series",
     "Write one setup onto ESC after ESC, plugged in one after another, with a report",
     [](CLI::App& c, Arguments& a) {
         c.add_option("file", a.series.file, "A .cfg file or a setup sheet (.ini)");
         c.add_option("--record", a.series.record, "Take the settings of a history record");
         c.add_option("--name", a.series.name,
                      "The series' name (default: the values' and the date)");
         c.add_option("--count", a.series.countText, "End after this many ESCs");
         c.add_option("--report", a.series.report, "Save the rows as a .csv or .json file");
     },
     [](const CLI::App&, Arguments& a, const Console& console) {
         return runSeries(a.global, console, a.series);
     },
     {}},
};

void add(CLI::App& parent, Commands table, Arguments& arguments) {
    for (const Command& command : table) {
        CLI::App* app = parent.add_subcommand(command.name, command.summary);
        if (command.define) command.define(*app, arguments);
        add(*app, command.subcommands, arguments);
    }
}

// The command of `table` that was given, deepest first, and its parser in `app`; none when no
// command of the table was given.
const Command* given(const CLI::App& parent, Commands table, const CLI::App*& app) {
    for (const CLI::App* parsed : parent.get_subcommands()) {
        for (const Command& command : table) {
            if (parsed->get_name() != command.name) continue;
            app = parsed;
            const Command* sub = given(*parsed, command.subcommands, app);
            return sub ? sub : &command;
        }
    }
    return nullptr;
}

}  // namespace

void addCommands(CLI::App& app, Arguments& arguments) { add(app, commands(kCommands), arguments); }

std::string commandList() {
    std::string list;
    const Commands table = commands(kCommands);
    for (const Command& command : table) {
        if (&command != table.begin()) list += &command + 1 == table.end() ? " or " : ", ";
        list += command.name;
    }
    return list;
}

int runCommand(const CLI::App& app, Arguments& arguments, const Console& console) {
    const CLI::App* parsed = nullptr;
    const Command* command = given(app, commands(kCommands), parsed);
    if (command == nullptr || command->run == nullptr) return kExitUsage;
    return command->run(*parsed, arguments, console);
}

}  // namespace orvek::cli
