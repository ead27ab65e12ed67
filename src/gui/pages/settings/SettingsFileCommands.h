#pragma once
// File > Import Settings and File > Export Settings: the eighteen selections of the ESC SETUP
// page loaded from or saved to a settings file (.cfg); File > Save as Setup Sheet. Neither talks to
// the ESC; what cannot be done is reported in a message box.
#include <QtGlobal>

#include <filesystem>
#include <optional>
#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/pages/settings/CSaveSheetDlg.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsImportReport.h"

namespace orvek {

class CEscSetupDlg;
class DeviceSession;

// The filter and the extension the settings file dialogs offer.
constexpr const char* kSettingsFileFilter = QT_TRANSLATE_NOOP("fileFilter", "config Files (*.cfg)");
constexpr const char* kSettingsFileSuffix = "cfg";

// Chooses a file to read and hands it to the session, which selects every stored option that
// matches the lists as they are filled now and names in a box the settings left unchanged; a
// file that cannot be read is reported with the stop icon.
void ImportSettings(DeviceSession& session, FileDialogs& dialogs);

// Chooses a file to write (".cfg" added when the name lacks it) and writes the eighteen
// selected texts. Asks before replacing a file the dialog did not ask about; a failed write
// is reported with the path and the reason, and leaves an existing file as it was.
void ExportSettings(CEscSetupDlg& page, FileDialogs& dialogs, MessageBoxes& messages);
// The same for eighteen texts (a history record's); the file written, nothing when none was.
std::optional<std::filesystem::path> ExportSettingsTexts(const SettingsTexts& texts,
                                                         FileDialogs& dialogs,
                                                         MessageBoxes& messages);

// Asks for a category, a name and the notes (prefilled from the sheet loaded, the identified
// ESC's firmware and today's date) and saves the lists as they show now as a setup sheet in the
// racer's own Profile folder. Asks before a sheet of that name is replaced (the racer's own, or an
// installed one that the racer's copy will stand for); a failed write is reported with the path
// and the reason. The saved sheet is selected in the Setup Sheet list at once.
void SaveAsSetupSheet(CEscSetupDlg& page, SheetFormDialog& dialog, MessageBoxes& messages,
                      const std::filesystem::path& programFolder,
                      const std::optional<std::filesystem::path>& userFolder);

// Asks for a file and writes the setup card of the page as it shows now: a PNG when the name
// ends in .png, a PDF otherwise (".pdf" added to a name without an extension). A failed write is
// reported with the path and the reason.
void ExportSetupCard(CEscSetupDlg& page, FileDialogs& dialogs, MessageBoxes& messages);

// The filter and extension the setup card's file dialog offers.
constexpr const char* kSetupCardFilter =
    QT_TRANSLATE_NOOP("fileFilter", "Setup card (*.pdf *.png)");
constexpr const char* kSetupCardSuffix = "pdf";

}  // namespace orvek
