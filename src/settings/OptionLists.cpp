#include "settings/OptionLists.h"

#include <array>

#include "settings/EscFamily.h"

namespace orvek {
namespace {

// The order the lists are filled in after all have been emptied.
constexpr std::array<int, kParameterCount> kFillOrder = {
    key::DriveFrequency, key::NeutralDeadBand, key::BoostTiming,  key::TurboTiming,
    key::FullBrake,      key::InitialBrake,    key::DragBrake,    key::PowerProfile,
    key::BoostRpm,       key::BoostAcc,        key::TurboSlope,   key::TurboDelay,
    key::BrakeFrequency, key::LowVoltCut,      key::ReverseSpeed, key::TempCutSet,
    key::RotationMode,   key::OperationMode};

// The versions whose lists differ (Power Profile), newest first.
constexpr std::array<const char*, 2> kKnownVersions = {"1.30", "1.20"};
constexpr std::array<EscFamily, 3> kKnownFamilies = {EscFamily::Expert, EscFamily::Stock,
                                                     EscFamily::Blinky};

}  // namespace

std::optional<FamilyVersion> familyOfFirmwareText(std::string_view firmware) {
    for (const EscFamily family : kKnownFamilies) {
        const std::string prefix = std::string(escFamilyName(family)) + " V";
        if (firmware.size() > prefix.size() && firmware.substr(0, prefix.size()) == prefix)
            return FamilyVersion{family, std::string(firmware.substr(prefix.size()))};
    }
    return std::nullopt;
}

FamilyVersion FillOptionListsForTexts(ParameterLists& lists,
                                      const std::array<std::string, kParameterCount>& texts,
                                      std::string_view firmware) {
    std::optional<FamilyVersion> chosen = familyOfFirmwareText(firmware);
    if (!chosen) {
        int bestMatches = -1;
        for (const EscFamily family : kKnownFamilies) {
            for (const char* version : kKnownVersions) {
                FillOptionLists(lists, family, version);
                int matches = 0;
                for (int k = 0; k < kParameterCount; ++k)
                    matches += FindOption(lists, k, texts[static_cast<std::size_t>(k)]) ? 1 : 0;
                if (matches > bestMatches) {
                    bestMatches = matches;
                    chosen = FamilyVersion{family, version};
                }
            }
        }
    }
    FillOptionLists(lists, chosen->family, chosen->versionText);
    return *chosen;
}

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
