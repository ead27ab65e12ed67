#include "gui/pages/settings/SettingsFileCommands.h"

#include <system_error>

#include "card/SetupCard.h"
#include "gui/desktop/Translation.h"
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
    ExportSettingsTexts(selectedSettingsTexts(page.lists()), dialogs, messages);
}

std::optional<std::filesystem::path> ExportSettingsTexts(const SettingsTexts& texts,
                                                         FileDialogs& dialogs,
                                                         MessageBoxes& messages) {
    const auto chosen = dialogs.chooseFileToSave();
    if (!chosen) return std::nullopt;
    const std::filesystem::path file = settingsExportPath(*chosen);
    std::error_code exists;
    if (file != *chosen && std::filesystem::exists(file, exists) &&
        !messages.ask(file.string() + " already exists.\nDo you want to replace it?", false)) {
        return std::nullopt;
    }
    std::error_code reason;
    if (exportSettingsFile(texts, file, &reason) != SettingsFileStatus::Ok) {
        messages.show(std::string(settingsFileText::WriteError) + "\n\n" + file.string() + "\n" +
                          reason.message(),
                      MessageIcon::Stop);
        return std::nullopt;
    }
    return file;
}

void ExportSetupCard(CEscSetupDlg& page, FileDialogs& dialogs, MessageBoxes& messages) {
    const auto chosen = dialogs.chooseFileToSave();
    if (!chosen) return;
    std::filesystem::path file = *chosen;
    if (!file.has_extension()) file += ".pdf";
    SetupCardContent card;
    card.model = page.escModelText();
    card.firmware = page.escFirmwareText();
    // An ESC outside the family table has no family to print.
    if (page.lists().family != EscFamily::Unlisted)
        card.family = escFamilyName(page.lists().family);
    card.category = page.shownCategory();
    card.sheetName = page.shownSheetTitle();
    for (int k = 0; k < kParameterCount; ++k)
        card.values[static_cast<std::size_t>(k)] = page.lists().byKey(k).selectedText();
    card.info = page.shownNotes().info;
    card.memo = page.shownNotes().memo;
    card.date = todayIso();
    if (const std::error_code error = writeSetupCard(card, file)) {
        messages.show(std::string(settingsFileText::WriteError) + "\n\n" + file.string() + "\n" +
                          error.message(),
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
    prefill.info[kInfoDate] = todayIso();

    const auto form = dialog.ask(prefill);
    if (!form) return;
    // "Heat 2.ini" names the sheet "Heat 2", as the save does.
    const std::string name(setupSheetName(form->name));
    const bool ownExists = findOwnSetupSheet(userFolder, form->category, name).has_value();
    const bool installedExists =
        findSetupSheet(programFolder, form->category, name, std::nullopt).has_value();
    if (ownExists || installedExists) {
        const QString asked =
            ownExists ? QCoreApplication::translate(
                            "Messages",
                            "Your setup sheet \"%1\" in %2 already exists.\nDo you want to "
                            "replace it?")
                      : QCoreApplication::translate(
                            "Messages",
                            "An installed setup sheet \"%1\" in %2 has this name. It stays as it "
                            "is; your copy is listed in its place.\nSave it?");
        const std::string question =
            asked.arg(QString::fromStdString(name), QString::fromStdString(form->category))
                .toStdString();
        if (!messages.ask(question, false)) return;
    }
    SetupSheetContent content = sheetContentOf(page.lists(), SetupSheetNotes{});
    content.info = form->info;
    content.memo = form->memo;
    const SheetSaveResult saved = saveSetupSheet(userFolder, form->category, name, content, true);
    if (saved.status != SheetSaveStatus::Saved) {
        std::string text = std::string(settingsFileText::WriteError) + "\n\n" + saved.file.string();
        if (saved.error) text += "\n" + saved.error.message();
        if (!saved.problem.empty()) text += "\n" + saved.problem;
        messages.show(text, MessageIcon::Stop);
        return;
    }
    page.selectSetupSheet(form->category, name);
}

}  // namespace orvek
