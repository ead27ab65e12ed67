#pragma once
// The subcommands of orvek-cli. Each returns the process exit code.
#include <string>

#include "Console.h"
#include "Session.h"

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

int runPorts(const GlobalOptions& global, const Console& console);
int runInfo(const GlobalOptions& global, const Console& console, bool card);
int runRead(const GlobalOptions& global, const Console& console, const ReadOptions& options);
int runWrite(const GlobalOptions& global, const Console& console, const WriteOptions& options);
int runDefaults(const GlobalOptions& global, const Console& console, const WriteOptions& options);
int runFlashEsc(const GlobalOptions& global, const Console& console, const FlashOptions& options);
int runFlashCard(const GlobalOptions& global, const Console& console, const FlashOptions& options);
int runCheck(const Console& console, const std::string& image);
int runFolders(const Console& console);

}  // namespace orvek::cli
