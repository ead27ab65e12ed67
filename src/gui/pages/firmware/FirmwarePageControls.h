#pragma once
// Control ids and fixed texts of the FIRMWARE page.
#include <QtGlobal>

namespace orvek {

namespace firmwareControl {
constexpr int EscImageList = 1012;
constexpr int CardImageList = 1013;
constexpr int EscStatus = 1031;
constexpr int CardStart = 1032;
constexpr int CardStatus = 1033;
constexpr int EscModelName = 1034;
constexpr int EscHardwareVersion = 1035;
constexpr int EscFirmware = 1036;
constexpr int CardModelName = 1037;
constexpr int CardHardwareVersion = 1038;
constexpr int CardFirmware = 1039;
constexpr int Information = 1040;
constexpr int EscStart = 1041;
constexpr int EscTitle = 1086;
constexpr int EscSeparator = 1087;
constexpr int EscModelLabel = 1088;
constexpr int EscHardwareLabel = 1089;
constexpr int EscFirmwareLabel = 1090;
constexpr int EscChangeLabel = 1091;
constexpr int CardTitle = 1092;
constexpr int CardSeparator = 1093;
constexpr int CardModelLabel = 1094;
constexpr int CardHardwareLabel = 1095;
constexpr int CardFirmwareLabel = 1096;
constexpr int CardChangeLabel = 1097;
constexpr int InformationTitle = 1098;
constexpr int LeftBackground = 1099;
constexpr int RightBackground = 1100;
constexpr int EscProgress = 1101;
constexpr int CardProgress = 1102;
// The line under the information panel that says where the ESC's settings were saved.
constexpr int BackupLine = 1103;
}  // namespace firmwareControl

namespace firmwareText {
constexpr const char* SelectEsc =
    QT_TRANSLATE_NOOP("Messages", "Please select ESC Firmware version!");
constexpr const char* SelectCard =
    QT_TRANSLATE_NOOP("Messages", "Please select Program Card Firmware version!");
constexpr const char* ModelName = QT_TRANSLATE_NOOP("firmwareText", "Model Name");
constexpr const char* HardwareVersion = QT_TRANSLATE_NOOP("firmwareText", "Hardware Version");
constexpr const char* NowFirmware = QT_TRANSLATE_NOOP("firmwareText", "Now Firmware");
constexpr const char* ChangeFirmware = QT_TRANSLATE_NOOP("firmwareText", "Change Firmware");
constexpr const char* StartCaption = "0%";
// What assistive technology reads for the page's pictures and lists (their labels are apart).
constexpr const char* EscListName = QT_TRANSLATE_NOOP("firmwareText", "ESC: Change Firmware");
constexpr const char* CardListName =
    QT_TRANSLATE_NOOP("firmwareText", "Program card: Change Firmware");
constexpr const char* EscStartName = QT_TRANSLATE_NOOP("firmwareText", "ESC FIRMWARE SAVE");
constexpr const char* CardStartName =
    QT_TRANSLATE_NOOP("firmwareText", "PROGRAM CARD FIRMWARE SAVE");
constexpr const char* EscUpdateName = QT_TRANSLATE_NOOP("firmwareText", "ESC firmware update");
constexpr const char* CardUpdateName =
    QT_TRANSLATE_NOOP("firmwareText", "Program card firmware update");
constexpr const char* InformationName = QT_TRANSLATE_NOOP("firmwareText", "Firmware information");
}  // namespace firmwareText

}  // namespace orvek
