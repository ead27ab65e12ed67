// folders: where the program's data is found and where the racer's own files go.
#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "firmware/ProgramFolder.h"
#include "firmware/SettingsBackup.h"
#include "platform/UserFolders.h"
#ifdef ORVEK_WITH_HISTORY
#include "history/HistoryStore.h"
#endif

namespace orvek::cli {

int runFolders(const Console& console) {
    const std::filesystem::path program = programFolder();
    const auto data = userDataFolder();
    const auto config = userConfigFolder();
    const std::string userData = data ? fileText(*data) : "";
    const std::string userConfig = config ? fileText(*config / "config.ini") : "";
    const std::string backups = fileText(settingsBackupFolder());

    console.out("program data  " + fileText(program));
    console.out("user data     " +
                (data ? userData + "  (setup sheets in Profile/, firmware images in Firmware/)"
                      : std::string("none (HOME is not set)")));
    console.out("user config   " + (config ? userConfig + "  (read before the installed config.ini)"
                                           : std::string("none (HOME is not set)")));
    console.out("backups       " + backups);
#ifdef ORVEK_WITH_HISTORY
    const std::filesystem::path historyFile = defaultHistoryFile();
    const std::string history = fileText(historyFile);
    console.out("history       " + (historyFile.empty() ? std::string("none (HOME is not set)")
                                                        : history + "  (the settings history)"));
#else
    const std::string history;
    console.out("history       none (this build keeps no settings history)");
#endif
    Json j;
    j["programData"] = fileText(program);
    j["userData"] = userData;
    j["userConfig"] = userConfig;
    j["backups"] = backups;
    j["history"] = history;
    console.document(j);
    return kExitOk;
}

}  // namespace orvek::cli
