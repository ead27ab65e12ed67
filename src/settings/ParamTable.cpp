#include "settings/ParamTable.h"

#include "platform/AsciiCase.h"

#include <cstdio>

#include "settings/OptionList.h"

namespace orvek {
namespace {

constexpr std::array<EscParameter, kParameterCount> kParameters = {{
    {key::OperationMode, "Operation Mode", 1009},
    {key::ReverseSpeed, "Reverse Speed", 1010},
    {key::LowVoltCut, "Low Volt Cut", 1011},
    {key::DragBrake, "Drag Brake", 1012},
    {key::InitialBrake, "Initial Brake", 1013},
    {key::FullBrake, "Full Brake", 1014},
    {key::BrakeFrequency, "Brake Frequency", 1015},
    {key::PowerProfile, "Power Profile", 1016},
    {key::DriveFrequency, "Drive Frequency", 1017},
    {key::NeutralDeadBand, "Neutral DeadBand", 1018},
    {key::TempCutSet, "Temp Cut Set", 1019},
    {key::BoostTiming, "Boost Timing", 1021},
    {key::BoostRpm, "Boost RPM", 1024},
    {key::BoostAcc, "Boost ACC", 1026},
    {key::TurboTiming, "Turbo Timing", 1023},
    {key::TurboSlope, "Turbo Slope", 1022},
    {key::TurboDelay, "Turbo Delay", 1025},
    {key::RotationMode, "Rotation Mode", 1020},
}};

constexpr std::array<int, 4> kLowVoltCutValues = {0, 29, 30, 32};

std::string formatted(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::vector<std::string> numbered(const char* format, int first, int last) {
    std::vector<std::string> texts;
    for (int value = first; value <= last; ++value) {
        texts.push_back(formatted(format, value));
    }
    return texts;
}

bool hasBoostAndTurbo(EscFamily family) {
    return family == EscFamily::Expert || family == EscFamily::Stock;
}

std::vector<std::string> powerProfileTexts(std::string_view versionText) {
    if (versionText == "1.30") {
        return numbered("Level %d", 1, 12);
    }
    if (versionText == "1.20") {
        return numbered("Level %d", 1, 9);
    }
    return {};
}

std::vector<std::string> boostAccTexts(EscFamily family) {
    std::vector<std::string> texts;
    for (int rate = 50; rate <= 700; rate += 50) {
        // The Stock firmware's lists read "RPN" except at 150; stored files carry the quirk.
        const bool rpn = family == EscFamily::Stock && rate != 150;
        texts.push_back(formatted(rpn ? "%d RPN/deg" : "%d RPM/deg", rate));
    }
    return texts;
}

std::vector<std::string> turboSlopeTexts(EscFamily family) {
    if (family == EscFamily::Stock) {
        return {"3  deg/0.1s", "6  deg/0.1s", "12 deg/0.1s", "18 deg/0.1s", "24 deg/0.1s", "Fastest"};
    }
    return {"3 deg/0.1s", "6 deg/0.1s", "12 deg/0.1s", "18 deg/0.1s", "24 deg/0.1s", "Fastest"};
}

std::vector<std::string> turboDelayTexts() {
    std::vector<std::string> texts = {"off"};
    for (int k = 1; k <= 8; ++k) {
        char text[32];
        std::snprintf(text, sizeof text, "%0.2fsec", k * 0.05);
        texts.push_back(text);
    }
    return texts;
}

using Default = FactoryDefault;
constexpr Default Leave{Default::Kind::Leave, -1};
constexpr Default Last{Default::Kind::LastOption, -1};
constexpr Default Pick(int index) { return Default{Default::Kind::Option, index}; }

// Low Volt Cut defaults to 3.2 V/cell on every family: the highest cut-off offered keeps a
// lithium-polymer pack, whose voltage sags under load, clear of the 3.0 V/cell below which
// cells take lasting damage. Power Profile on Stock and Blinky defaults to the list's last
// level (the firmware's own defaults point past the end of the shorter lists).
constexpr std::array<Default, kParameterCount> kExpertDefaults = {
    Pick(0), Pick(0), Pick(3), Pick(10), Pick(0), Pick(3), Pick(2), Pick(6), Pick(2),
    Pick(2), Pick(0), Pick(0), Pick(18), Pick(12), Pick(0), Pick(3), Pick(2), Pick(0)};
constexpr std::array<Default, kParameterCount> kStockDefaults = {
    Pick(0), Pick(0), Pick(3), Pick(4), Pick(0), Pick(5), Pick(2), Last, Pick(2),
    Pick(2), Pick(0), Pick(20), Pick(2), Pick(2), Pick(20), Pick(4), Pick(1), Pick(0)};
constexpr std::array<Default, kParameterCount> kBlinkyDefaults = {
    Pick(0), Pick(0), Pick(3), Pick(0), Pick(0), Pick(5), Pick(0), Last, Pick(3),
    Pick(2), Pick(0), Leave, Leave, Leave, Leave, Leave, Leave, Pick(0)};


}  // namespace

const std::array<EscParameter, kParameterCount>& parameterTable() { return kParameters; }

std::optional<EscParameter> parameterByListId(int listId) {
    for (const auto& parameter : kParameters) {
        if (parameter.listId == listId) {
            return parameter;
        }
    }
    return std::nullopt;
}

std::vector<std::string> optionTexts(int keyNumber, EscFamily family, std::string_view versionText) {
    const bool listed = family != EscFamily::Unlisted;
    switch (keyNumber) {
        case key::OperationMode:
            return {"For/Brake", "For/Rev/Brake", "For/Rev"};
        case key::ReverseSpeed:
            return {"25%", "50%", "75%", "100%"};
        case key::LowVoltCut:
            return {"None", "2.9 V/cell", "3.0 V/cell", "3.2 V/cell"};
        case key::DragBrake:
            return listed ? numbered("%d%%", 0, 100) : std::vector<std::string>{};
        case key::InitialBrake: {
            std::vector<std::string> texts = {"=Drag Brake"};
            for (auto& text : numbered("%d%%", 1, 50)) {
                texts.push_back(std::move(text));
            }
            return texts;
        }
        case key::FullBrake:
            return {"75%", "80%", "85%", "90%", "95%", "100%"};
        case key::BrakeFrequency:
            return {"1KHz", "2KHz", "4KHz", "8KHz", "16KHz", "32KHz"};
        case key::PowerProfile:
            return listed ? powerProfileTexts(versionText) : std::vector<std::string>{};
        case key::DriveFrequency:
            return {"2KHz", "4KHz", "8KHz", "16KHz", "32KHz", "64KHz"};
        case key::NeutralDeadBand:
            return {"0%", "3%", "6%", "9%", "12%"};
        case key::TempCutSet:
            return {"off", "176f/80c", "194f/90c"};
        case key::BoostTiming:
        case key::TurboTiming:
            return hasBoostAndTurbo(family) ? numbered("%d deg", 0, 60) : std::vector<std::string>{};
        case key::BoostRpm:
            if (!hasBoostAndTurbo(family)) {
                return {};
            }
            return {"500",  "1000", "1500",  "2000",  "2500",  "3000",  "3500",
                    "4000", "4500", "5000",  "6000",  "7000",  "8000",  "9000",
                    "10000", "11000", "12000", "13000", "14000", "15000"};
        case key::BoostAcc:
            return hasBoostAndTurbo(family) ? boostAccTexts(family) : std::vector<std::string>{};
        case key::TurboSlope:
            return hasBoostAndTurbo(family) ? turboSlopeTexts(family) : std::vector<std::string>{};
        case key::TurboDelay:
            return hasBoostAndTurbo(family) ? turboDelayTexts() : std::vector<std::string>{};
        case key::RotationMode:
            return {"Normal", "Reverse"};
        default:
            return {};
    }
}

std::optional<bool> optionListEnabled(int keyNumber, EscFamily family) {
    switch (keyNumber) {
        case key::BoostTiming:
        case key::TurboTiming:
        case key::BoostRpm:
        case key::BoostAcc:
        case key::TurboSlope:
        case key::TurboDelay:
            if (family == EscFamily::Unlisted) {
                return std::nullopt;
            }
            return hasBoostAndTurbo(family);
        default:
            return std::nullopt;
    }
}

int storedValue(int keyNumber, int index) {
    switch (keyNumber) {
        case key::ReverseSpeed:
            return (index + 1) * 25;
        case key::LowVoltCut:
            return index >= 0 && index < static_cast<int>(kLowVoltCutValues.size())
                       ? kLowVoltCutValues[static_cast<std::size_t>(index)]
                       : 0;
        case key::InitialBrake:
            return index == 0 ? 200 : index;
        case key::FullBrake:
            return 75 + 5 * index;
        case key::NeutralDeadBand:
            return 3 * index;
        default:
            return index;
    }
}

FactoryDefault factoryDefaultFor(EscFamily family, int keyNumber) {
    if (keyNumber < 0 || keyNumber >= kParameterCount) {
        return Leave;
    }
    const auto k = static_cast<std::size_t>(keyNumber);
    switch (family) {
        case EscFamily::Expert:
            return kExpertDefaults[k];
        case EscFamily::Stock:
            return kStockDefaults[k];
        case EscFamily::Blinky:
            return kBlinkyDefaults[k];
        case EscFamily::Unlisted:
            break;
    }
    return Leave;
}


std::optional<int> FindOption(const OptionList& list, std::string_view storedText) {
    if (storedText.empty()) {
        return std::nullopt;
    }
    for (int i = 0; i < list.count(); ++i) {
        if (equalsIgnoringCase(list.textAt(i), storedText)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace orvek
