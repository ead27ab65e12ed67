#pragma once
// The table of every skin picture by numeric id: what it shows, its size in pixels and the
// control that shows it. Window code places controls at these sizes; the artwork is drawn to them.

#include <vector>

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

// Height of a closed skinned list box; the label columns are drawn so that their rows sit on
// the middle of lists of this height.
constexpr int kClosedListHeight = 24;

struct SkinPicture {
    int id;
    int width;
    int height;
    const char* shows;
    const char* shownBy;
};

// One line of text in a label picture, with the y of its middle in picture pixels.
struct SkinLabelRow {
    const char* text;
    int centreY;
};

class SkinCatalog {
public:
    // Every picture, in id order.
    static const std::vector<SkinPicture>& pictures();
    // nullptr for an id the skin does not have.
    static const SkinPicture* find(int id);
    // The lines of a label picture (lamp labels, label columns, single labels), top to bottom;
    // empty for every other picture.
    static const std::vector<SkinLabelRow>& labelRows(int id);
};

}  // namespace orvek
