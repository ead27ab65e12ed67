#pragma once
// Every skin picture's numeric id, named after what it shows. The core names the pictures it
// asks the window to show by these ids; the skin catalogue describes and draws each one. No Qt.

namespace orvek {

// Picture ids, named after what they show.
namespace SkinId {
enum : int {
    AppIcon = 128,
    SettingsLeftPanel = 130,
    SettingsMiddleUpperPanel = 131,
    FamilyLogo = 132,
    Separator = 133,
    PromptOrange = 134,
    PromptWhite = 135,
    LampHeading = 136,
    LampLabels = 137,
    LampOff = 138,
    LampOn = 139,
    MakerLogo = 140,
    UserSupportPressed = 141,
    UserSupportNormal = 142,
    UserSupportHover = 143,
    FirmwarePressed = 144,
    FirmwareNormal = 145,
    FirmwareHover = 146,
    EscSetupPressed = 147,
    EscSetupNormal = 148,
    EscSetupHover = 149,
    SpareFace1 = 150,
    SpareFace2 = 151,
    ProgressFace = 152,
    SettingsMiddleLowerPanel = 153,
    SettingsRightPanel = 154,
    EscInformationHeading = 155,
    FirmwareLabel = 156,
    BasicSetupHeading = 157,
    SettingsDivider = 158,
    BasicSetupLabels = 159,
    TechnicalSetupHeading = 160,
    TechnicalSetupLabels = 161,
    ProfilesHeading = 163,
    LinksPage = 164,
    EscGroupTitle = 166,
    FirmwareSeparator = 167,
    EscFirmwareStart = 168,
    CategoryLabel = 169,
    StatusFailed = 170,
    CardGroupTitle = 171,
    CardFirmwareStart = 172,
    InformationTitle = 173,
    SetupSheetLabel = 175,
    DefaultSettingAction = 176,
    SendSettingAction = 177,
    SetupCommentHeading = 178,
    StatusReady = 179,
    InfoLabels = 180,
    FirmwareRightPanel = 181,
    FirmwareLeftPanel = 186,
    ArrowStrip = 187,
    StatusFinished = 188,
    ProgressFrame = 189,
};
}  // namespace SkinId

}  // namespace orvek
