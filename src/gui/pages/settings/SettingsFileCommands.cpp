#include "gui/pages/settings/SettingsFileCommands.h"

#include <system_error>

#include "gui/pages/settings/CEscSetupDlg.h"
#include "session/DeviceSession.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImportReport.h"

namespace orvek {
void ImportSettings(DeviceSession& session, FileDialogs& dialogs) {
    const auto file = dialogs.chooseFileToOpen();
    if (file) session.importSettings(*file);
}

void ExportSettings(CEscSetupDlg& page, FileDialogs& dialogs, MessageBoxes& messages) {
    const auto chosen = dialogs.chooseFileToSave();
    if (!chosen) return;
    const std::filesystem::path file = settingsExportPath(*chosen);
    std::error_code exists;
    if (file != *chosen && std::filesystem::exists(file, exists) &&
        !messages.ask(file.string() + " already exists.\nDo you want to replace it?", false)) {
        return;
    }
    std::error_code reason;
    if (exportSettingsFile(page.lists(), file, &reason) != SettingsFileStatus::Ok) {
        messages.show(std::string(settingsFileText::WriteError) + "\n\n" + file.string() + "\n" +
                          reason.message(),
                      MessageIcon::Stop);
    }
}

}  // namespace orvek
