#pragma once
// The commands of orvek-cli, each named once in a table: the table registers a command's
// arguments with the parser, gives its help line, names it in the unknown-command line and runs
// it.
#include <CLI/CLI.hpp>

#include <string>

#include "Commands.h"

namespace orvek::cli {

// What the command line sets; only the part of the command given is used.
struct Arguments {
    GlobalOptions global;
    bool infoCard = false;
    ReadOptions read;
    WriteOptions write;
    WriteOptions defaults;
    FlashOptions flashEsc;
    FlashOptions flashCard;
    std::string checkImage;
    SheetSaveOptions sheetSave;
    std::string sheetListCategory;
    HistoryOptions history;
    CardOptions card;
    SeriesOptions series;
};

// Adds every command of the table, with its arguments, to `app`.
void addCommands(CLI::App& app, Arguments& arguments);

// "ports, info, ... history or card": the commands as the unknown-command line lists them.
std::string commandList();

// Runs the command the parsed `app` holds. Its exit code; kExitUsage when there is none.
int runCommand(const CLI::App& app, Arguments& arguments, const Console& console);

}  // namespace orvek::cli
