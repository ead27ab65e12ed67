#include "gui/pages/settings/SettingsFileCommands.h"

#include <ctime>
#include <system_error>

#include "gui/pages/settings/CEscSetupDlg.h"
#include "session/DeviceSession.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImportReport.h"
#include "settings/SetupSheetWriter.h"

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

void SaveAsSetupSheet(CEscSetupDlg& page, SheetFormDialog& dialog, MessageBoxes& messages,
                      const std::filesystem::path& programFolder,
                      const std::optional<std::filesystem::path>& userFolder) {
    SheetForm prefill;
    prefill.category = page.shownCategory();
    prefill.name = page.shownSheetTitle();
    const SetupSheetNotes& notes = page.shownNotes();
    prefill.info = notes.info;
    prefill.memo = notes.memo;
    // Firmware from the ESC on the page, the date of today (ISO).
    if (!page.escFirmwareText().empty()) prefill.info[kInfoFirmware] = page.escFirmwareText();
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    prefill.info[kInfoDate] = today;

    const auto form = dialog.ask(prefill);
    if (!form) return;
    const bool ownExists = findOwnSetupSheet(userFolder, form->category, form->name).has_value();
    const bool installedExists =
        findSetupSheet(programFolder, form->category, form->name, std::nullopt).has_value();
    if (ownExists || installedExists) {
        const std::string question =
            ownExists ? "Your setup sheet \"" + form->name + "\" in " + form->category +
                            " already exists.\nDo you want to replace it?"
                      : "An installed setup sheet \"" + form->name + "\" in " + form->category +
                            " has this name. It stays as it is; your copy is listed in its "
                            "place.\nSave it?";
        if (!messages.ask(question, false)) return;
    }
    SetupSheetContent content = sheetContentOf(page.lists(), SetupSheetNotes{});
    content.info = form->info;
    content.memo = form->memo;
    const SheetSaveResult saved =
        saveSetupSheet(userFolder, form->category, form->name, content, true);
    if (saved.status != SheetSaveStatus::Saved) {
        std::string text = std::string(settingsFileText::WriteError) + "\n\n" + saved.file.string();
        if (saved.error) text += "\n" + saved.error.message();
        if (!saved.problem.empty()) text += "\n" + saved.problem;
        messages.show(text, MessageIcon::Stop);
        return;
    }
    page.selectSetupSheet(form->category, form->name);
}

}  // namespace orvek
