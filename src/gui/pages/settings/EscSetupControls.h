#pragma once
// Control ids of the ESC SETUP page that other code addresses; the eighteen parameter lists
// keep the ids of the parameter table (1009 to 1026).
namespace orvek::escSetupControl {

constexpr int ModelText = 1000;  // never shown
constexpr int FirmwareText = 1001;
constexpr int CategoryList = 1027;
constexpr int SetupSheetList = 1028;
constexpr int FirstInfoValue = 1042;  // 1042 to 1054, Driver to Temp Track
constexpr int CommentField = 1055;
constexpr int InfoLabels = 1056;
constexpr int SendSettingAction = 1057;
constexpr int DefaultSettingAction = 1058;

}  // namespace orvek::escSetupControl
