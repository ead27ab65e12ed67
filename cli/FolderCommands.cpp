// folders: where the program's data is found and where the racer's own files go.
#include "Commands.h"
#include "ExitCodes.h"
#include "Json.h"
#include "firmware/ProgramFolder.h"
#include "firmware/SettingsBackup.h"
#include "platform/UserFolders.h"

namespace orvek::cli {

int runFolders(const Console& console) {
    const std::filesystem::path program = programFolder();
    const auto data = userDataFolder();
    const auto config = userConfigFolder();
    const std::string userData = data ? data->string() : "";
    const std::string userConfig = config ? (*config / "config.ini").string() : "";
    const std::string backups = settingsBackupFolder().string();

    console.out("program data  " + program.string());
    console.out("user data     " +
                (data ? userData + "  (setup sheets in Profile/, firmware images in Firmware/)"
                      : std::string("none (HOME is not set)")));
    console.out("user config   " + (config ? userConfig + "  (read before the installed config.ini)"
                                           : std::string("none (HOME is not set)")));
    console.out("backups       " + backups);
    Json j;
    j.beginObject()
        .key("programData")
        .value(program.string())
        .key("userData")
        .value(userData)
        .key("userConfig")
        .value(userConfig)
        .key("backups")
        .value(backups)
        .endObject();
    console.document(j.text());
    return kExitOk;
}

}  // namespace orvek::cli
