#pragma once
// Control ids of the ESC SETUP page, each named once; the eighteen parameter lists keep the ids
// of the parameter table (1009 to 1026).
#include <QtGlobal>

namespace orvek::escSetupControl {

// Panels, headings, dividers and label pictures.
constexpr int LeftPanel = 1082;
constexpr int MiddleUpperPanel = 1083;
constexpr int MiddleLowerPanel = 1084;
constexpr int RightPanel = 1085;
constexpr int EscInformationHeading = 1067;
constexpr int FirmwareLabel = 1068;
constexpr int BasicSetupHeading = 1069;
constexpr int BasicSetupDivider = 1070;
constexpr int BasicSetupLabels = 1071;
constexpr int TechnicalSetupHeading = 1072;
constexpr int TechnicalSetupDivider = 1073;
constexpr int TechnicalSetupLabels = 1074;
constexpr int ProfilesHeading = 1075;
constexpr int ProfilesDivider = 1076;
constexpr int CategoryLabel = 1077;
constexpr int SetupSheetLabel = 1078;
constexpr int CommentHeading = 1079;
constexpr int CommentUpperDivider = 1080;
constexpr int CommentLowerDivider = 1081;

constexpr int ModelText = 1000;  // never shown
constexpr int FirmwareText = 1001;
constexpr int CategoryList = 1027;
constexpr int SetupSheetList = 1028;
constexpr int FirstInfoValue = 1042;  // 1042 to 1054, Driver to Temp Track
constexpr int CommentField = 1055;
constexpr int InfoLabels = 1056;
constexpr int SendSettingAction = 1057;
constexpr int DefaultSettingAction = 1058;
// The write's percentage, between the two action pictures; shown with the page. The id is the
// one the main window gave it, the same number as a parameter list's, so the page holds it apart
// from its registry.
constexpr int ProgressDisplay = 1010;

}  // namespace orvek::escSetupControl

namespace orvek::escSetupText {
// The progress display while a close of the window waits for the settings write on the wire.
constexpr const char* ClosingAfterWrite = QT_TRANSLATE_NOOP("escSetupText", "Closing...");
// What assistive technology reads for the page's pictures and unlabelled controls (the lists'
// labels are pictures).
constexpr const char* SendSettingName = QT_TRANSLATE_NOOP("escSetupText", "SEND SETTING");
constexpr const char* DefaultSettingName = QT_TRANSLATE_NOOP("escSetupText", "DEFAULT SETTING");
constexpr const char* CategoryName = QT_TRANSLATE_NOOP("escSetupText", "Category");
constexpr const char* SetupSheetName = QT_TRANSLATE_NOOP("escSetupText", "Setup Sheet");
constexpr const char* CommentName = QT_TRANSLATE_NOOP("escSetupText", "Setup comment");
constexpr const char* ProgressName = QT_TRANSLATE_NOOP("escSetupText", "Settings write");
}  // namespace orvek::escSetupText
