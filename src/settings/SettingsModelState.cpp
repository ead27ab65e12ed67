#include "settings/SettingsModelState.h"

namespace orvek {

namespace {

bool samePairs(const WriteImage& a, const WriteImage& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].registerCode != b[i].registerCode || a[i].value != b[i].value) return false;
    }
    return true;
}

std::vector<std::string> textsOf(const OptionList& list) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) texts.push_back(list.textAt(i));
    return texts;
}

}  // namespace

bool SettingsModelState::operator==(const SettingsModelState& other) const {
    return family == other.family && versionText == other.versionText && lists == other.lists &&
           lastReadBlock == other.lastReadBlock && escSettingsKnown == other.escSettingsKnown &&
           samePairs(writeImage, other.writeImage);
}

SettingsModelState stateOf(const ParameterLists& lists) {
    SettingsModelState state;
    state.family = lists.family;
    state.versionText = lists.versionText;
    for (int k = 0; k < kParameterCount; ++k) {
        const OptionList& list = lists.byKey(k);
        OptionListState& entry = state.lists[static_cast<std::size_t>(k)];
        entry.texts = textsOf(list);
        entry.selection = list.selection();
        entry.enabled = list.isEnabled();
    }
    state.lastReadBlock = lists.lastReadBlock;
    state.escSettingsKnown = lists.escSettingsKnown;
    state.writeImage = lists.writeImage;
    return state;
}

void showState(ParameterLists& lists, const SettingsModelState& state) {
    lists.family = state.family;
    lists.versionText = state.versionText;
    for (int k = 0; k < kParameterCount; ++k) {
        OptionList& list = lists.byKey(k);
        const OptionListState& entry = state.lists[static_cast<std::size_t>(k)];
        if (textsOf(list) != entry.texts) {
            list.clear();
            for (const std::string& text : entry.texts) list.insertAt(-1, text);
        }
        if (list.selection() != entry.selection) list.setSelection(entry.selection);
        if (list.isEnabled() != entry.enabled) list.setEnabled(entry.enabled);
    }
    lists.lastReadBlock = state.lastReadBlock;
    lists.escSettingsKnown = state.escSettingsKnown;
    lists.writeImage = state.writeImage;
    lists.escSettingsChanged();
}

}  // namespace orvek
