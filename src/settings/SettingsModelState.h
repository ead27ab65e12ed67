#pragma once
// The eighteen option lists and what the settings code remembers with them, as one value: the
// device session sends it to the settings page after every change, and the page's lists are made
// to show it. Nothing here refers to the lists it was taken from.
#include <array>
#include <string>
#include <vector>

#include "settings/ParameterLists.h"

namespace orvek {

struct OptionListState {
    std::vector<std::string> texts;
    int selection = OptionList::kNoSelection;
    bool enabled = true;
    bool operator==(const OptionListState& other) const {
        return texts == other.texts && selection == other.selection && enabled == other.enabled;
    }
};

struct SettingsModelState {
    EscFamily family = EscFamily::Unlisted;
    std::string versionText;
    std::array<OptionListState, kParameterCount> lists{};  // in key order
    SettingsValues lastReadBlock{};
    bool escSettingsKnown = false;
    WriteImage writeImage{};

    bool operator==(const SettingsModelState& other) const;
    bool operator!=(const SettingsModelState& other) const { return !(*this == other); }
};

SettingsModelState stateOf(const ParameterLists& lists);

// Makes `lists` hold `state`. A list whose texts already match keeps its entries and only has
// its selection and enabled state set, so that a list a racer is looking at does not flicker.
// Tells onEscSettingsChanged once at the end.
void showState(ParameterLists& lists, const SettingsModelState& state);

}  // namespace orvek
