#include "resources/SkinCatalog.h"

#include <algorithm>
#include <map>

namespace orvek {
namespace {

// Where a label's row must sit: the middle of the control it labels, in picture coordinates.
constexpr int listMiddle(int listTop, int pictureTop) { return listTop - pictureTop + kClosedListHeight / 2; }
// Static value texts are drawn from their top edge; their first line is about 16 pixels high.
constexpr int valueLineMiddle(int valueTop, int pictureTop) { return valueTop - pictureTop + 8; }

std::vector<SkinPicture> buildPictures() {
    using namespace SkinId;
    std::vector<SkinPicture> table = {
        {AppIcon, 32, 32, "program icon", "main window icon (caption and task bar)"},
        {SettingsLeftPanel, 330, 560, "settings page left panel", "settings page picture 1082"},
        {SettingsMiddleUpperPanel, 330, 290, "settings page middle upper panel", "settings page picture 1083"},
        {FamilyLogo, 200, 70, "product-family logo ORVEK USB LINK", "main window picture at the top of the left column"},
        {Separator, 200, 5, "separator line", "main window pictures 1059 to 1063"},
        {PromptOrange, 200, 50, "select-a-device prompt in orange", "main window picture 1004"},
        {PromptWhite, 200, 50, "select-a-device prompt in white", "main window picture 1004"},
        {LampHeading, 200, 12, "lamp heading DEVICE CONNECTION STATUS", "main window picture 1064"},
        {LampLabels, 150, 70, "lamp labels USB / ESC / program card connected", "main window picture 1065"},
        {LampOff, 20, 20, "lamp off (hollow grey ring)", "main window pictures 1005, 1006, 1007"},
        {LampOn, 20, 20, "lamp on (filled yellow disc, bright centre)", "main window pictures 1005, 1006, 1007"},
        {MakerLogo, 160, 80, "maker logo TARNWICK RACING", "main window picture 1066"},
        {UserSupportPressed, 200, 25, "USER SUPPORT in red (pressed, current page)", "page button 1001"},
        {UserSupportNormal, 200, 25, "USER SUPPORT in grey (normal)", "page button 1001"},
        {UserSupportHover, 200, 25, "USER SUPPORT dimmed (hover)", "page button 1001"},
        {FirmwarePressed, 200, 25, "FIRMWARE in red (pressed, current page)", "page button 1003"},
        {FirmwareNormal, 200, 25, "FIRMWARE in grey (normal)", "page button 1003"},
        {FirmwareHover, 200, 25, "FIRMWARE dimmed (hover)", "page button 1003"},
        {EscSetupPressed, 200, 25, "ESC SETUP in red (pressed, current page)", "page button 1002"},
        {EscSetupNormal, 200, 25, "ESC SETUP in grey (normal)", "page button 1002"},
        {EscSetupHover, 200, 25, "ESC SETUP dimmed (hover)", "page button 1002"},
        {SpareFace1, 80, 30, "spare status face (never shown)", "main window picture 1008, always hidden"},
        {SpareFace2, 80, 30, "spare status face (never shown)", "main window picture 1009, always hidden"},
        {ProgressFace, 80, 30, "plain black face", "main window progress display 1010 (normal and pressed)"},
        {SettingsMiddleLowerPanel, 320, 180, "settings page middle lower panel", "settings page picture 1084"},
        {SettingsRightPanel, 315, 560, "settings page right panel", "settings page picture 1085"},
        {EscInformationHeading, 280, 25, "heading ESC INFORMATION", "settings page picture 1067"},
        {FirmwareLabel, 80, 35, "label Firmware :", "settings page picture 1068"},
        {BasicSetupHeading, 120, 18, "heading BASIC SETUP", "settings page picture 1069"},
        {SettingsDivider, 280, 5, "divider line", "settings page pictures 1070, 1073, 1076, 1080, 1081"},
        {BasicSetupLabels, 115, 405, "labels of the twelve left lists", "settings page picture 1071"},
        {TechnicalSetupHeading, 160, 16, "heading TECHNICAL SETUP", "settings page picture 1072"},
        {TechnicalSetupLabels, 80, 184, "labels of the six middle lists", "settings page picture 1074"},
        {ProfilesHeading, 200, 30, "heading FACTORY TEAM PRE-SET PROFILES SELECT", "settings page picture 1075"},
        {LinksPage, 980, 560, "user-support page: help text, four products, homepage button", "links page picture 1058"},
        {EscGroupTitle, 180, 32, "title ESC FIRMWARE", "firmware page picture 1086"},
        {FirmwareSeparator, 420, 10, "group separator", "firmware page pictures 1087, 1093"},
        {EscFirmwareStart, 150, 75, "start picture ESC FIRMWARE SAVE", "firmware page picture 1041"},
        {CategoryLabel, 70, 13, "label Category", "settings page picture 1077"},
        {StatusFailed, 150, 75, "status Failed", "firmware page pictures 1031, 1033"},
        {CardGroupTitle, 270, 32, "title PROGRAM CARD FIRMWARE", "firmware page picture 1092"},
        {CardFirmwareStart, 150, 75, "start picture PROGRAM CARD FIRMWARE SAVE", "firmware page picture 1032"},
        {InformationTitle, 250, 37, "title FIRMWARE INFORMATION", "firmware page picture 1098"},
        {SetupSheetLabel, 70, 14, "label Setup Sheet", "settings page picture 1078"},
        {DefaultSettingAction, 110, 60, "action picture DEFAULT SETTING", "settings page picture 1058"},
        {SendSettingAction, 110, 60, "action picture SEND SETTING", "settings page picture 1057"},
        {SetupCommentHeading, 180, 30, "heading TEAM DRIVER SETUP COMMENT", "settings page picture 1079"},
        {StatusReady, 150, 75, "status Ready", "firmware page pictures 1031, 1033"},
        {InfoLabels, 80, 380, "labels of the thirteen info fields", "settings page picture 1056"},
        {FirmwareRightPanel, 330, 560, "firmware page right panel", "firmware page picture 1100"},
        {FirmwareLeftPanel, 600, 520, "firmware page left panel", "firmware page picture 1099"},
        {ArrowStrip, 63, 20, "list arrow: normal, hover and pressed cells of 21 x 20", "CBitComboBox"},
        {StatusFinished, 150, 75, "status Finished", "firmware page pictures 1031, 1033"},
        {ProgressFrame, 150, 75, "empty rounded frame for a percentage", "firmware page progress buttons 1101, 1102"},
    };
    std::sort(table.begin(), table.end(), [](const SkinPicture& a, const SkinPicture& b) { return a.id < b.id; });
    return table;
}

std::map<int, std::vector<SkinLabelRow>> buildLabelRows() {
    using namespace SkinId;
    std::map<int, std::vector<SkinLabelRow>> rows;

    // Lamps 1005..1007 are 20 high at y 380, 410, 440; the picture starts at y 390, the first
    // lamp's middle, and is 70 high, so every row sits a few pixels below its lamp's middle
    // (the first one must, to stay inside the picture).
    rows[LampLabels] = {{"USB Connected", 6}, {"ESC Connected", 35}, {"Program Card Connected", 63}};

    // Firmware text 1001 starts at y 72, the label picture at y 50.
    rows[FirmwareLabel] = {{"Firmware :", valueLineMiddle(72, 50)}};

    // The twelve left lists at y 138 + 35 n; the picture starts at y 140.
    const char* leftNames[] = {"Operation Mode", "Reverse Speed", "Low Volt Cut", "Drag Brake",
                               "Initial Brake", "Full Brake", "Brake Frequency", "Power Profile",
                               "Drive Frequency", "Neutral DeadBand", "Temp Cut Set", "Rotation Mode"};
    for (int n = 0; n < 12; ++n) rows[BasicSetupLabels].push_back({leftNames[n], listMiddle(138 + 35 * n, 140)});

    // The six middle lists, top to bottom; the picture starts at y 50.
    rows[TechnicalSetupLabels] = {{"Boost Timing", listMiddle(47, 50)}, {"Boost RPM", listMiddle(80, 50)},
                                  {"Boost ACC", listMiddle(112, 50)},   {"Turbo Timing", listMiddle(145, 50)},
                                  {"Turbo Slope", listMiddle(180, 50)}, {"Turbo Delay", listMiddle(214, 50)}};

    // The thirteen info values 1042..1054; the picture starts at y 50.
    const struct { const char* name; int top; } info[] = {
        {"Driver", 50},      {"Date", 80},        {"Event", 112},        {"Firmware", 142},    {"Motor", 172},
        {"Gear Ratio", 202}, {"Timing", 235},     {"Rotor", 265},        {"Track Name", 293},  {"Track Type", 323},
        {"Track Design", 353}, {"Traction Level", 383}, {"Temp Track", 415}};
    for (const auto& field : info) rows[InfoLabels].push_back({field.name, valueLineMiddle(field.top, 50)});

    rows[CategoryLabel] = {{"Category", 13 / 2}};
    rows[SetupSheetLabel] = {{"Setup Sheet", 14 / 2}};
    return rows;
}

}  // namespace

const std::vector<SkinPicture>& SkinCatalog::pictures() {
    static const std::vector<SkinPicture> table = buildPictures();
    return table;
}

const SkinPicture* SkinCatalog::find(int id) {
    const auto& table = pictures();
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const SkinPicture& picture, int wanted) { return picture.id < wanted; });
    return (it != table.end() && it->id == id) ? &*it : nullptr;
}

const std::vector<SkinLabelRow>& SkinCatalog::labelRows(int id) {
    static const std::map<int, std::vector<SkinLabelRow>> rows = buildLabelRows();
    static const std::vector<SkinLabelRow> none;
    auto it = rows.find(id);
    return it != rows.end() ? it->second : none;
}

}  // namespace orvek
