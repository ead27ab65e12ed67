#include "settings/ParameterLists.h"

#include <cassert>

#include "settings/PlainOptionList.h"

namespace orvek {

ParameterLists::ParameterLists() {
    for (std::size_t k = 0; k < lists_.size(); ++k) {
        owned_[k] = std::make_unique<PlainOptionList>();
        lists_[k] = owned_[k].get();
    }
}

ParameterLists::ParameterLists(const std::array<OptionList*, kParameterCount>& listsByKey)
    : lists_(listsByKey) {}

OptionList& ParameterLists::byKey(int keyNumber) {
    assert(keyNumber >= 0 && keyNumber < kParameterCount);
    return *lists_[static_cast<std::size_t>(keyNumber)];
}

const OptionList& ParameterLists::byKey(int keyNumber) const {
    assert(keyNumber >= 0 && keyNumber < kParameterCount);
    return *lists_[static_cast<std::size_t>(keyNumber)];
}

OptionList* ParameterLists::byListId(int listId) {
    const auto parameter = parameterByListId(listId);
    return parameter ? &byKey(parameter->keyNumber) : nullptr;
}

void ParameterLists::redrawAll() {
    for (OptionList* list : lists_) {
        list->redraw();
    }
}

void ParameterLists::escSettingsChanged() {
    if (onEscSettingsChanged) onEscSettingsChanged();
}

}  // namespace orvek
