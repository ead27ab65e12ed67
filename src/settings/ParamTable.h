#pragma once
// The eighteen ESC settings: key names under which files store them, the ids of their lists
// on the settings page, their option texts per family and firmware version, and the factory
// defaults. Option texts are what users see and what files store, spelling quirks included.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/EscFamily.h"

namespace orvek {

class OptionList;

// Key numbers: the order in which files list the settings.
namespace key {
enum : int {
    OperationMode = 0,
    ReverseSpeed = 1,
    LowVoltCut = 2,
    DragBrake = 3,
    InitialBrake = 4,
    FullBrake = 5,
    BrakeFrequency = 6,
    PowerProfile = 7,
    DriveFrequency = 8,
    NeutralDeadBand = 9,
    TempCutSet = 10,
    BoostTiming = 11,
    BoostRpm = 12,
    BoostAcc = 13,
    TurboTiming = 14,
    TurboSlope = 15,
    TurboDelay = 16,
    RotationMode = 17,
};
}  // namespace key

constexpr int kParameterCount = 18;
constexpr int kFirstListId = 1009;
constexpr int kLastListId = 1026;

struct EscParameter {
    int keyNumber;
    const char* keyName;
    int listId;
};

// In key order.
const std::array<EscParameter, kParameterCount>& parameterTable();

// The parameter shown in the list with this id; nothing outside 1009..1026.
std::optional<EscParameter> parameterByListId(int listId);

// The option texts of a parameter in list order; empty when the family or version has none.
std::vector<std::string> optionTexts(int keyNumber, EscFamily family, std::string_view versionText);

// Whether filling the lists for `family` enables or disables the parameter's list; nothing
// when it leaves the enabled state as it was.
std::optional<bool> optionListEnabled(int keyNumber, EscFamily family);

// The byte that option `index` of the parameter stands for in the settings block.
int storedValue(int keyNumber, int index);

// What DEFAULT SETTING selects in a list.
struct FactoryDefault {
    enum class Kind { Leave, Option, LastOption };
    Kind kind = Kind::Leave;
    int index = -1;  // for Option
};
FactoryDefault factoryDefaultFor(EscFamily family, int keyNumber);

// The first option whose whole text equals `storedText` without regard to letter case;
// nothing for an empty text or no match.
std::optional<int> FindOption(const OptionList& list, std::string_view storedText);


}  // namespace orvek
