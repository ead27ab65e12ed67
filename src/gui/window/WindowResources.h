#pragma once
// Control ids, command ids and fixed texts of the main window, its menu and the About box: each
// written once, here. Texts are marked for translation (context: their namespace) and shown
// through uiText; the title names the product and stays as it is.
#include <QtGlobal>

#include "monitor/DeviceMode.h"

namespace orvek {

namespace windowText {
constexpr const char* Title = "Tarnwick Racing ORVEK USB Link V1.3";
constexpr const char* AboutTitle =
    QT_TRANSLATE_NOOP("windowText", "About Tarnwick Racing ORVEK USB Link V1.1");
constexpr const char* AboutText = "Tarnwick Racing ORVEK USB Link V1.3";
constexpr const char* CloseWithUnsentChanges =
    QT_TRANSLATE_NOOP("Messages",
                      "Some settings differ from what the ESC holds and have not been sent.\n"
                      "Close without sending them?");
// What assistive technology reads for the pictures of the left column.
constexpr const char* UsbLampName = QT_TRANSLATE_NOOP("windowText", "USB connected");
constexpr const char* EscLampName = QT_TRANSLATE_NOOP("windowText", "ESC connected");
constexpr const char* CardLampName = QT_TRANSLATE_NOOP("windowText", "Program card connected");
constexpr const char* LampOn = QT_TRANSLATE_NOOP("windowText", "yes");
constexpr const char* LampOff = QT_TRANSLATE_NOOP("windowText", "no");
constexpr const char* DevicePromptName =
    QT_TRANSLATE_NOOP("windowText", "Select a device: Device menu, Esc or Program Card");
constexpr const char* UserSupportButtonName = QT_TRANSLATE_NOOP("windowText", "USER SUPPORT");
constexpr const char* EscSetupButtonName = QT_TRANSLATE_NOOP("windowText", "ESC SETUP");
constexpr const char* FirmwareButtonName = QT_TRANSLATE_NOOP("windowText", "FIRMWARE");
}  // namespace windowText

// The menu: texts with their shortcut letters, and command ids.
namespace menuText {
constexpr const char* File = QT_TRANSLATE_NOOP("menuText", "&File");
constexpr const char* ImportSettings = QT_TRANSLATE_NOOP("menuText", "&Import Settings");
constexpr const char* ExportSettings = QT_TRANSLATE_NOOP("menuText", "&Export Settings");
constexpr const char* SaveAsSetupSheet = QT_TRANSLATE_NOOP("menuText", "Save as Setup &Sheet...");
constexpr const char* ExportSetupCard = QT_TRANSLATE_NOOP("menuText", "Export Setup &Card...");
constexpr const char* SettingsHistory = QT_TRANSLATE_NOOP("menuText", "Settings &History...");
constexpr const char* WriteSeries = QT_TRANSLATE_NOOP("menuText", "Write Se&ries...");
constexpr const char* Exit = QT_TRANSLATE_NOOP("menuText", "E&xit");
constexpr const char* Device = QT_TRANSLATE_NOOP("menuText", "&Device");
constexpr const char* Esc = QT_TRANSLATE_NOOP("menuText", "&Esc");
constexpr const char* ProgramCard = QT_TRANSLATE_NOOP("menuText", "&Program Card");
constexpr const char* FixMode = QT_TRANSLATE_NOOP("menuText", "&Fix Mode");
constexpr const char* Help = QT_TRANSLATE_NOOP("menuText", "&Help");
constexpr const char* About = QT_TRANSLATE_NOOP("menuText", "&About");
// Help > Language: the languages by their own names; the choice is written to the user's
// config.ini and read at the next start.
constexpr const char* Language = QT_TRANSLATE_NOOP("menuText", "&Language (from the next start)");
constexpr const char* LanguageNotSaved =
    QT_TRANSLATE_NOOP("Messages", "The language could not be written to your config.ini.");
constexpr const char* SaveDiagnosticLog = QT_TRANSLATE_NOOP("menuText", "Save &Diagnostic Log...");
}  // namespace menuText

namespace menuCommand {
constexpr int ImportSettings = 32783;
constexpr int ExportSettings = 32784;
constexpr int SaveAsSetupSheet = 32790;  // our own: after Export Settings
constexpr int ExportSetupCard = 32791;   // our own
constexpr int SettingsHistory = 32792;   // our own
constexpr int WriteSeries = 32793;       // our own
constexpr int Exit = 32785;
constexpr int About = 32781;
constexpr int SaveDiagnosticLog = 32794;  // our own
constexpr int FirstLanguage = 32800;      // our own: Help > Language, one id per language in order
}  // namespace menuCommand

// The Device menu's commands, one for each mode.
namespace deviceCommand {
constexpr int Esc = 32776;
constexpr int ProgramCard = 32777;
constexpr int FixMode = 32778;
}  // namespace deviceCommand

// The prompt's blink while no device is chosen.
constexpr int kPromptPeriodMs = 200;

// Controls of the main window's left column and frame.
namespace windowControl {
constexpr int UserSupportButton = 1001;
constexpr int EscSetupButton = 1002;
constexpr int FirmwareButton = 1003;
constexpr int DevicePrompt = 1004;
constexpr int UsbLamp = 1005;
constexpr int EscLamp = 1006;
constexpr int CardLamp = 1007;
constexpr int HiddenPicture1 = 1008;
constexpr int HiddenPicture2 = 1009;
constexpr int PageFrame = 1029;
constexpr int SeparatorUnderLogo = 1059;
constexpr int SeparatorUnderUserSupport = 1060;
constexpr int SeparatorUnderEscSetup = 1061;
constexpr int SeparatorAbovePrompt = 1062;
constexpr int SeparatorUnderPrompt = 1063;
constexpr int LampHeading = 1064;
constexpr int LampLabels = 1065;
constexpr int MakerLogo = 1066;
constexpr int PortAccessNote = 1067;  // our own: the port-permission note under the page buttons
}  // namespace windowControl

}  // namespace orvek
