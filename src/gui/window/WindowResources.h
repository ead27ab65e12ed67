#pragma once
// Control ids, command ids and fixed texts of the main window, its menu and the About box: each
// written once, here.
#include "monitor/DeviceMode.h"

namespace orvek {

namespace windowText {
constexpr const char* Title = "Tarnwick Racing ORVEK USB Link V1.3";
constexpr const char* AboutTitle = "About Tarnwick Racing ORVEK USB Link V1.1";
constexpr const char* AboutText = "Tarnwick Racing ORVEK USB Link V1.3";
constexpr const char* CloseWithUnsentChanges =
    "Some settings differ from what the ESC holds and have not been sent.\n"
    "Close without sending them?";
// What assistive technology reads for the pictures of the left column.
constexpr const char* UsbLampName = "USB connected";
constexpr const char* EscLampName = "ESC connected";
constexpr const char* CardLampName = "Program card connected";
constexpr const char* LampOn = "yes";
constexpr const char* LampOff = "no";
constexpr const char* DevicePromptName = "Select a device: Device menu, Esc or Program Card";
constexpr const char* UserSupportButtonName = "USER SUPPORT";
constexpr const char* EscSetupButtonName = "ESC SETUP";
constexpr const char* FirmwareButtonName = "FIRMWARE";
}  // namespace windowText

// The menu: texts with their shortcut letters, and command ids.
namespace menuText {
constexpr const char* File = "&File";
constexpr const char* ImportSettings = "&Import Settings";
constexpr const char* ExportSettings = "&Export Settings";
constexpr const char* SaveAsSetupSheet = "Save as Setup &Sheet...";
constexpr const char* ExportSetupCard = "Export Setup &Card...";
constexpr const char* SettingsHistory = "Settings &History...";
constexpr const char* WriteSeries = "Write Se&ries...";
constexpr const char* Exit = "E&xit";
constexpr const char* Device = "&Device";
constexpr const char* Esc = "&Esc";
constexpr const char* ProgramCard = "&Program Card";
constexpr const char* FixMode = "&Fix Mode";
constexpr const char* Help = "&Help";
constexpr const char* About = "&About";
constexpr const char* SaveDiagnosticLog = "Save &Diagnostic Log...";
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
