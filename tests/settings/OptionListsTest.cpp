// Option lists without a screen, filling them per family, and the factory defaults.
#include <gtest/gtest.h>

#include "settings/ListsHelpers.h"
#include "settings/OptionLists.h"
#include "settings/PlainOptionList.h"

namespace orvek {
namespace {

using testing::filledLists;
using testing::selectedTexts;

// A plain list that counts the repaints it was asked for.
class CountingList : public PlainOptionList {
public:
    void redraw() override { ++redraws; }
    int redraws = 0;
};

TEST(PlainOptionList, InsertsAtPositionsAndKeepsTheSelectedEntry) {
    PlainOptionList list;
    EXPECT_TRUE(list.insertAt(0, "b"));
    EXPECT_TRUE(list.insertAt(-1, "d"));
    EXPECT_TRUE(list.insertAt(0, "a"));
    EXPECT_TRUE(list.insertAt(2, "c"));
    EXPECT_FALSE(list.insertAt(9, "x"));
    EXPECT_FALSE(list.insertAt(-2, "x"));
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(testing::textsOf(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.textAt(4), "");
    EXPECT_EQ(list.textAt(-1), "");

    list.setSelection(2);
    list.insertAt(0, "first");
    EXPECT_EQ(list.selectedText(), "c");
    list.insertAt(4, "after");
    EXPECT_EQ(list.selectedText(), "c");

    list.setSelection(list.count());
    EXPECT_EQ(list.selection(), OptionList::kNoSelection);
    EXPECT_EQ(list.selectedText(), "");
    list.setSelection(1);
    list.setSelection(-5);
    EXPECT_EQ(list.selection(), OptionList::kNoSelection);
    list.setSelection(1);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selection(), OptionList::kNoSelection);
}

TEST(ParameterLists, AddressesListsByKeyAndById) {
    ParameterLists lists;
    EXPECT_EQ(lists.byListId(1021), &lists.byKey(key::BoostTiming));
    EXPECT_EQ(lists.byListId(1020), &lists.byKey(key::RotationMode));
    EXPECT_EQ(lists.byListId(1009), &lists.byKey(key::OperationMode));
    EXPECT_EQ(lists.byListId(1027), nullptr);

    // Lists owned elsewhere are used as given.
    std::array<CountingList, kParameterCount> pageLists;
    std::array<OptionList*, kParameterCount> pointers{};
    for (std::size_t k = 0; k < pointers.size(); ++k) {
        pointers[k] = &pageLists[k];
    }
    ParameterLists onPage(pointers);
    FillOptionLists(onPage, EscFamily::Expert, "1.30");
    EXPECT_EQ(pageLists[key::BoostAcc].textAt(0), "50 RPM/deg");
    EXPECT_EQ(onPage.family, EscFamily::Expert);
    EXPECT_EQ(onPage.versionText, "1.30");
}

TEST(FillOptionLists, SetsEnabledStatesPerFamilyAndClearsSelections) {
    const int boostAndTurbo[] = {key::BoostTiming, key::BoostRpm,   key::BoostAcc,
                                 key::TurboTiming, key::TurboSlope, key::TurboDelay};
    ParameterLists lists;
    FillOptionLists(lists, EscFamily::Stock, "1.30");
    for (int k = 0; k < kParameterCount; ++k) {
        lists.byKey(k).setSelection(1);
    }
    FillOptionLists(lists, EscFamily::Blinky, "1.20");
    for (int k = 0; k < kParameterCount; ++k) {
        EXPECT_EQ(lists.byKey(k).selection(), OptionList::kNoSelection);
    }
    for (const int k : boostAndTurbo) {
        EXPECT_FALSE(lists.byKey(k).isEnabled());
    }
    EXPECT_TRUE(lists.byKey(key::DragBrake).isEnabled());

    // An unlisted ESC leaves the enabled states as the last listed one set them.
    FillOptionLists(lists, EscFamily::Unlisted, "1.30");
    for (const int k : boostAndTurbo) {
        EXPECT_FALSE(lists.byKey(k).isEnabled());
    }
    FillOptionLists(lists, EscFamily::Expert, "1.30");
    for (const int k : boostAndTurbo) {
        EXPECT_TRUE(lists.byKey(k).isEnabled());
    }
}

TEST(FactoryDefaults, ExpertAndStockSelectTheirTables) {
    auto expert = filledLists(EscFamily::Expert, "1.30");
    selectFactoryDefaults(expert);
    EXPECT_EQ(
        selectedTexts(expert),
        (std::vector<std::string>{"For/Brake", "25%", "3.2 V/cell", "10%", "=Drag Brake", "90%",
                                  "4KHz", "Level 7", "8KHz", "6%", "off", "0 deg", "14000",
                                  "650 RPM/deg", "0 deg", "18 deg/0.1s", "0.10sec", "Normal"}));

    auto stock = filledLists(EscFamily::Stock, "1.30");
    selectFactoryDefaults(stock);
    EXPECT_EQ(
        selectedTexts(stock),
        (std::vector<std::string>{"For/Brake", "25%", "3.2 V/cell", "4%", "=Drag Brake", "100%",
                                  "4KHz", "Level 12", "8KHz", "6%", "off", "20 deg", "1500",
                                  "150 RPM/deg", "20 deg", "24 deg/0.1s", "0.05sec", "Normal"}));
}

TEST(FactoryDefaults, PowerProfileTakesTheLastLevelTheListHas) {
    for (const EscFamily family : {EscFamily::Stock, EscFamily::Blinky}) {
        auto twelve = filledLists(family, "1.30");
        selectFactoryDefaults(twelve);
        EXPECT_EQ(twelve.byKey(key::PowerProfile).selectedText(), "Level 12");
        auto nine = filledLists(family, "1.20");
        selectFactoryDefaults(nine);
        EXPECT_EQ(nine.byKey(key::PowerProfile).selectedText(), "Level 9");
        auto none = filledLists(family, "1.10");
        selectFactoryDefaults(none);
        EXPECT_EQ(none.byKey(key::PowerProfile).selection(), OptionList::kNoSelection);
    }
    auto expertNine = filledLists(EscFamily::Expert, "1.20");
    selectFactoryDefaults(expertNine);
    EXPECT_EQ(expertNine.byKey(key::PowerProfile).selectedText(), "Level 7");
}

TEST(FactoryDefaults, BlinkyLeavesTheBoostAndTurboListsAndUnlistedLeavesAll) {
    auto blinky = filledLists(EscFamily::Blinky, "1.20");
    selectFactoryDefaults(blinky);
    EXPECT_EQ(selectedTexts(blinky),
              (std::vector<std::string>{"For/Brake", "25%", "3.2 V/cell", "0%", "=Drag Brake",
                                        "100%", "1KHz", "Level 9", "16KHz", "6%", "off", "", "", "",
                                        "", "", "", "Normal"}));

    // Lists the family has no default for keep what they show.
    auto lists = filledLists(EscFamily::Stock, "1.30");
    lists.byKey(key::BoostRpm).setSelection(7);
    lists.byKey(key::TurboDelay).setSelection(8);
    lists.family = EscFamily::Blinky;
    selectFactoryDefaults(lists);
    EXPECT_EQ(lists.byKey(key::BoostRpm).selectedText(), "4000");
    EXPECT_EQ(lists.byKey(key::TurboDelay).selectedText(), "0.40sec");
    EXPECT_EQ(lists.byKey(key::DragBrake).selectedText(), "0%");

    std::array<CountingList, kParameterCount> pageLists;
    std::array<OptionList*, kParameterCount> pointers{};
    for (std::size_t k = 0; k < pointers.size(); ++k) {
        pointers[k] = &pageLists[k];
    }
    ParameterLists unlisted(pointers);
    FillOptionLists(unlisted, EscFamily::Unlisted, "1.30");
    unlisted.byKey(key::OperationMode).setSelection(2);
    selectFactoryDefaults(unlisted);
    EXPECT_EQ(unlisted.byKey(key::OperationMode).selectedText(), "For/Rev");
    EXPECT_EQ(pageLists[0].redraws, 0);

    unlisted.family = EscFamily::Expert;
    selectFactoryDefaults(unlisted);
    for (const auto& list : pageLists) {
        EXPECT_EQ(list.redraws, 1);
    }
}

}  // namespace
}  // namespace orvek
