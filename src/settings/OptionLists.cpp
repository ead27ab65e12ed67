#include "settings/OptionLists.h"

#include <array>

namespace orvek {
namespace {

// The order the lists are filled in after all have been emptied.
constexpr std::array<int, kParameterCount> kFillOrder = {
    key::DriveFrequency, key::NeutralDeadBand, key::BoostTiming,  key::TurboTiming,
    key::FullBrake,      key::InitialBrake,    key::DragBrake,    key::PowerProfile,
    key::BoostRpm,       key::BoostAcc,        key::TurboSlope,   key::TurboDelay,
    key::BrakeFrequency, key::LowVoltCut,      key::ReverseSpeed, key::TempCutSet,
    key::RotationMode,   key::OperationMode};

}  // namespace

void FillOptionLists(ParameterLists& lists, EscFamily family, const std::string& versionText) {
    lists.family = family;
    lists.versionText = versionText;
    // Until this ESC's block is read, nothing is known of what it holds.
    const bool wasKnown = lists.escSettingsKnown;
    lists.escSettingsKnown = false;
    lists.origin = {};
    for (int k = 0; k < kParameterCount; ++k) {
        lists.byKey(k).clear();
    }
    for (const int k : kFillOrder) {
        OptionList& list = lists.byKey(k);
        if (const auto enabled = optionListEnabled(k, family)) {
            list.setEnabled(*enabled);
        }
        int position = 0;
        for (const auto& text : optionTexts(k, family, versionText)) {
            list.insertAt(position++, text);
        }
    }
    if (wasKnown) lists.escSettingsChanged();
}

void selectFactoryDefaults(ParameterLists& lists) {
    if (lists.family == EscFamily::Unlisted) {
        return;
    }
    for (int listId = kFirstListId; listId <= kLastListId; ++listId) {
        const int k = parameterByListId(listId)->keyNumber;
        const FactoryDefault chosen = factoryDefaultFor(lists.family, k);
        OptionList& list = lists.byKey(k);
        switch (chosen.kind) {
            case FactoryDefault::Kind::Leave: break;
            case FactoryDefault::Kind::Option: list.setSelection(chosen.index); break;
            case FactoryDefault::Kind::LastOption: list.setSelection(list.count() - 1); break;
        }
    }
    lists.origin = {ValuesSource::Defaults, {}, false};
    lists.redrawAll();
}

std::optional<int> FindOption(const ParameterLists& lists, int keyNumber,
                              std::string_view storedText) {
    return FindOption(lists.byKey(keyNumber), storedText);
}

bool selectStoredOption(ParameterLists& lists, int keyNumber, std::string_view storedText) {
    const auto index = FindOption(lists, keyNumber, storedText);
    if (!index) {
        return false;
    }
    lists.byKey(keyNumber).setSelection(*index);
    return true;
}

}  // namespace orvek
