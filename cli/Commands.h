#pragma once
// The subcommands of orvek-cli. Each returns the process exit code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Console.h"
#include "Session.h"
#include "firmware/FirmwareCatalogue.h"
#include "history/HistoryRecord.h"

namespace orvek::cli {

struct ReadOptions {
    bool save = false;   // -o was given
    std::string output;  // the settings file to write, "-" for standard output
};
struct WriteOptions {
    std::string file;
    bool dryRun = false;
    bool noVerify = false;
};
struct FlashOptions {
    std::string image;
    bool fixMode = false;
    bool force = false;
    bool noBackup = false;
    std::string backupDir;
};

struct SheetSaveOptions {
    std::string category;
    std::string name;
    std::string from;                // a .cfg or .ini file instead of the ESC
    bool fromGiven = false;          // --from was given (an empty name is refused)
    std::vector<std::string> infos;  // KEY=VALUE
    std::string memo;
    bool memoGiven = false;
    bool force = false;  // replace a sheet of the racer's of that name
};
enum class HistoryAction { List, Show, Note, Restore, Export };
struct HistoryOptions {
    HistoryAction action = HistoryAction::List;
    std::string model;             // list: only models holding this text, in any case
    std::string limitText = "50";  // list: at most this many, newest first; 0 for all
    std::string idText;            // the record's number as given: "12" or "#12"
    std::string text;              // note: the note; export: the settings file
    WriteOptions write;            // restore: --dry-run and --no-verify (no file)
};

struct SeriesOptions {
    std::string file;    // a .cfg file or a setup sheet
    std::string record;  // or a history record's number
    std::string name;    // empty: the values' name and the date
    std::string countText;
    std::string report;  // .csv or .json
};

struct CardOptions {
    std::string file;  // .pdf or .png
    std::string from;  // a .cfg or .ini file instead of the ESC
    bool fromGiven = false;
};

int runPorts(const GlobalOptions& global, const Console& console);
int runInfo(const GlobalOptions& global, const Console& console, bool card);
int runRead(const GlobalOptions& global, const Console& console, const ReadOptions& options);
int runWrite(const GlobalOptions& global, const Console& console, const WriteOptions& options);
int runDefaults(const GlobalOptions& global, const Console& console, const WriteOptions& options);
// flash-esc and flash-card: the one update path, for the target given.
int runFlash(const GlobalOptions& global, const Console& console, const FlashOptions& options,
             FirmwareTarget target);
int runCheck(const Console& console, const std::string& image);
int runFolders(const Console& console);
int runSheetSave(const GlobalOptions& global, const Console& console,
                 const SheetSaveOptions& options);
int runSheetList(const Console& console, const std::string& category);
int runHistory(const GlobalOptions& global, const Console& console, const HistoryOptions& options);
int runCard(const GlobalOptions& global, const Console& console, const CardOptions& options);
int runSeries(const GlobalOptions& global, const Console& console, const SeriesOptions& options);
// The settings record a "12" or "#12" names, or an exit code after saying why there is none.
int settingsRecordFromArgument(const Console& console, const std::string& idText,
                               HistoryRecord& record);

}  // namespace orvek::cli
