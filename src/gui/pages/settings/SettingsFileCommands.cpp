#include "gui/pages/settings/SettingsFileCommands.h"

#include <system_error>

#include "gui/pages/settings/CEscSetupDlg.h"
#include "settings/SettingsFile.h"

namespace orvek {
namespace {

std::string unmatchedReport(const std::vector<ImportedSetting>& unmatched) {
    std::string text =
        "These settings were left unchanged: their values match no option of the lists as they are "
        "filled now.\n";
    for (const ImportedSetting& setting : unmatched) {
        text += "\n";
        text += parameterTable()[static_cast<std::size_t>(setting.keyNumber)].keyName;
        text += " = " + setting.value;
    }
    return text;
}

}  // namespace

void ImportSettings(CEscSetupDlg& page, FileDialogs& dialogs, MessageBoxes& messages) {
    const auto file = dialogs.chooseFileToOpen();
    if (!file) return;
    const SettingsImport imported = importSettingsFile(page.lists(), *file);
    if (imported.status != SettingsFileStatus::Ok) {
        messages.show(settingsFileText::ReadError, MessageIcon::Stop);
        return;
    }
    page.lists().redrawAll();
    const auto unmatched = imported.unmatched();
    if (!unmatched.empty()) messages.show(unmatchedReport(unmatched), MessageIcon::None);
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
