// The settings model as a value: taken from one set of lists and shown by another, it carries
// every text, selection, enabled state and what the codec remembers, and nothing refills a list
// that already holds the same texts.
#include <gtest/gtest.h>

#include "settings/OptionLists.h"
#include "settings/PlainOptionList.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsModelState.h"

namespace orvek {
namespace {

// A list that counts how often it was emptied.
class CountingList : public PlainOptionList {
public:
    int clears = 0;
    void clear() override {
        ++clears;
        PlainOptionList::clear();
    }
};

TEST(SettingsModelState, ShownStateEqualsTheModelItCameFrom) {
    ParameterLists model;
    FillOptionLists(model, EscFamily::Stock, "1.70");
    model.byKey(key::DragBrake).setSelection(4);
    model.byKey(key::BoostTiming).setEnabled(false);
    model.lastReadBlock[3] = 0x42;
    model.escSettingsKnown = true;
    model.writeImage[5] = {0xE5, 7};
    const SettingsModelState state = stateOf(model);

    std::array<std::unique_ptr<CountingList>, kParameterCount> owned;
    std::array<OptionList*, kParameterCount> byKey{};
    for (std::size_t k = 0; k < owned.size(); ++k) {
        owned[k] = std::make_unique<CountingList>();
        byKey[k] = owned[k].get();
    }
    ParameterLists view(byKey);
    int told = 0;
    view.onEscSettingsChanged = [&] { ++told; };
    showState(view, state);
    EXPECT_EQ(stateOf(view), state);
    EXPECT_EQ(view.byKey(key::DragBrake).selectedText(),
              model.byKey(key::DragBrake).selectedText());
    EXPECT_FALSE(view.byKey(key::BoostTiming).isEnabled());
    EXPECT_EQ(told, 1);

    // A second state that only moves a selection refills nothing.
    for (auto& list : owned) list->clears = 0;
    model.byKey(key::DragBrake).setSelection(1);
    showState(view, stateOf(model));
    EXPECT_EQ(view.byKey(key::DragBrake).selection(), 1);
    for (const auto& list : owned) EXPECT_EQ(list->clears, 0);

    // A different family refills and the states differ until shown.
    FillOptionLists(model, EscFamily::Blinky, "1.10");
    EXPECT_NE(stateOf(view), stateOf(model));
    showState(view, stateOf(model));
    EXPECT_EQ(stateOf(view), stateOf(model));
}

}  // namespace
}  // namespace orvek
