// The parameter table: key names and option texts are a file format, so they are checked
// character for character, quirks included.
#include <gtest/gtest.h>

#include <set>

#include "settings/ListsHelpers.h"
#include "settings/ParamTable.h"
#include "settings/PlainOptionList.h"

namespace orvek {
namespace {

using testing::filledLists;
using testing::textsOf;

TEST(ParamTable, KeyNamesInFileOrderAndListIds) {
    const std::vector<std::pair<std::string, int>> expected = {
        {"Operation Mode", 1009},  {"Reverse Speed", 1010}, {"Low Volt Cut", 1011},
        {"Drag Brake", 1012},      {"Initial Brake", 1013}, {"Full Brake", 1014},
        {"Brake Frequency", 1015}, {"Power Profile", 1016}, {"Drive Frequency", 1017},
        {"Neutral DeadBand", 1018}, {"Temp Cut Set", 1019}, {"Boost Timing", 1021},
        {"Boost RPM", 1024},       {"Boost ACC", 1026},     {"Turbo Timing", 1023},
        {"Turbo Slope", 1022},     {"Turbo Delay", 1025},   {"Rotation Mode", 1020}};
    std::set<int> ids;
    for (int k = 0; k < kParameterCount; ++k) {
        const EscParameter& parameter = parameterTable()[static_cast<std::size_t>(k)];
        EXPECT_EQ(parameter.keyNumber, k);
        EXPECT_EQ(parameter.keyName, expected[static_cast<std::size_t>(k)].first);
        EXPECT_EQ(parameter.listId, expected[static_cast<std::size_t>(k)].second);
        ids.insert(parameter.listId);
        ASSERT_TRUE(parameterByListId(parameter.listId));
        EXPECT_EQ(parameterByListId(parameter.listId)->keyNumber, k);
    }
    EXPECT_EQ(ids.size(), 18u);
    EXPECT_FALSE(parameterByListId(1008));
    EXPECT_FALSE(parameterByListId(1027));
}

TEST(ParamTable, FamilyFromTypeCodeAndVersionText) {
    EXPECT_EQ(escFamilyFromTypeCode(0x0B), EscFamily::Expert);
    EXPECT_EQ(escFamilyFromTypeCode(0x0C), EscFamily::Stock);
    EXPECT_EQ(escFamilyFromTypeCode(0x0D), EscFamily::Blinky);
    EXPECT_EQ(escFamilyFromTypeCode(0x0A), EscFamily::Unlisted);
    EXPECT_EQ(escFamilyFromTypeCode(0x00), EscFamily::Unlisted);

    EXPECT_EQ(escVersionText(3), "1.30");
    EXPECT_EQ(escVersionText(2), "1.20");
    EXPECT_EQ(escVersionText(0), "1.00");
    EXPECT_EQ(escVersionText(10), "2.00");
    EXPECT_EQ(escVersionText(255), "26.50");
}

TEST(ParamTable, OptionTextsKeepTheFirmwaresSpelling) {
    const auto expert = filledLists(EscFamily::Expert, "1.30");
    const auto stock = filledLists(EscFamily::Stock, "1.30");

    EXPECT_EQ(textsOf(expert.byKey(key::TurboSlope)),
              (std::vector<std::string>{"3 deg/0.1s", "6 deg/0.1s", "12 deg/0.1s", "18 deg/0.1s",
                                        "24 deg/0.1s", "Fastest"}));
    EXPECT_EQ(textsOf(stock.byKey(key::TurboSlope)),
              (std::vector<std::string>{"3  deg/0.1s", "6  deg/0.1s", "12 deg/0.1s", "18 deg/0.1s",
                                        "24 deg/0.1s", "Fastest"}));

    const auto expertAcc = textsOf(expert.byKey(key::BoostAcc));
    const auto stockAcc = textsOf(stock.byKey(key::BoostAcc));
    ASSERT_EQ(expertAcc.size(), 14u);
    ASSERT_EQ(stockAcc.size(), 14u);
    EXPECT_EQ(expertAcc.front(), "50 RPM/deg");
    EXPECT_EQ(expertAcc[3], "200 RPM/deg");
    EXPECT_EQ(expertAcc.back(), "700 RPM/deg");
    EXPECT_EQ(stockAcc[0], "50 RPN/deg");
    EXPECT_EQ(stockAcc[1], "100 RPN/deg");
    EXPECT_EQ(stockAcc[2], "150 RPM/deg");
    EXPECT_EQ(stockAcc[3], "200 RPN/deg");
    EXPECT_EQ(stockAcc.back(), "700 RPN/deg");

    EXPECT_EQ(textsOf(expert.byKey(key::TurboDelay)),
              (std::vector<std::string>{"off", "0.05sec", "0.10sec", "0.15sec", "0.20sec", "0.25sec",
                                        "0.30sec", "0.35sec", "0.40sec"}));
    EXPECT_EQ(textsOf(expert.byKey(key::BoostRpm)),
              (std::vector<std::string>{"500", "1000", "1500", "2000", "2500", "3000", "3500",
                                        "4000", "4500", "5000", "6000", "7000", "8000", "9000",
                                        "10000", "11000", "12000", "13000", "14000", "15000"}));

    const auto drag = textsOf(expert.byKey(key::DragBrake));
    ASSERT_EQ(drag.size(), 101u);
    EXPECT_EQ(drag.front(), "0%");
    EXPECT_EQ(drag.back(), "100%");
    const auto initial = textsOf(expert.byKey(key::InitialBrake));
    ASSERT_EQ(initial.size(), 51u);
    EXPECT_EQ(initial[0], "=Drag Brake");
    EXPECT_EQ(initial[1], "1%");
    EXPECT_EQ(initial[50], "50%");
    const auto timing = textsOf(stock.byKey(key::TurboTiming));
    ASSERT_EQ(timing.size(), 61u);
    EXPECT_EQ(timing[0], "0 deg");
    EXPECT_EQ(timing[60], "60 deg");
    EXPECT_EQ(textsOf(expert.byKey(key::TempCutSet)),
              (std::vector<std::string>{"off", "176f/80c", "194f/90c"}));
    EXPECT_EQ(textsOf(expert.byKey(key::LowVoltCut)),
              (std::vector<std::string>{"None", "2.9 V/cell", "3.0 V/cell", "3.2 V/cell"}));
}

TEST(ParamTable, PowerProfileFollowsTheVersionText) {
    for (const EscFamily family : {EscFamily::Expert, EscFamily::Stock, EscFamily::Blinky}) {
        const auto twelve = textsOf(filledLists(family, "1.30").byKey(key::PowerProfile));
        ASSERT_EQ(twelve.size(), 12u);
        EXPECT_EQ(twelve.front(), "Level 1");
        EXPECT_EQ(twelve.back(), "Level 12");
        const auto nine = textsOf(filledLists(family, "1.20").byKey(key::PowerProfile));
        ASSERT_EQ(nine.size(), 9u);
        EXPECT_EQ(nine.back(), "Level 9");
        EXPECT_EQ(filledLists(family, "1.10").byKey(key::PowerProfile).count(), 0);
        EXPECT_EQ(filledLists(family, "1.40").byKey(key::PowerProfile).count(), 0);
        EXPECT_EQ(filledLists(family, "1.3").byKey(key::PowerProfile).count(), 0);
    }
}

TEST(ParamTable, ListsEachFamilyHas) {
    const std::set<int> boostAndTurbo = {key::BoostTiming, key::BoostRpm, key::BoostAcc,
                                         key::TurboTiming, key::TurboSlope, key::TurboDelay};
    const auto blinky = filledLists(EscFamily::Blinky, "1.30");
    const auto unlisted = filledLists(EscFamily::Unlisted, "1.30");
    for (int k = 0; k < kParameterCount; ++k) {
        SCOPED_TRACE(parameterTable()[static_cast<std::size_t>(k)].keyName);
        EXPECT_EQ(blinky.byKey(k).count() == 0, boostAndTurbo.count(k) == 1);
        const bool unlistedEmpty = boostAndTurbo.count(k) == 1 || k == key::DragBrake ||
                                   k == key::PowerProfile;
        EXPECT_EQ(unlisted.byKey(k).count() == 0, unlistedEmpty);
    }
}

TEST(ParamTable, FindOptionMatchesWholeTextsIgnoringCase) {
    const auto lists = filledLists(EscFamily::Expert, "1.30");
    EXPECT_EQ(FindOption(lists, key::OperationMode, "for/rev/brake"), 1);
    EXPECT_EQ(FindOption(lists, key::OperationMode, "For/Rev"), 2);
    EXPECT_EQ(FindOption(lists, key::OperationMode, "For/Re"), std::nullopt);
    EXPECT_EQ(FindOption(lists, key::OperationMode, "For/Rev/Brake "), std::nullopt);
    EXPECT_EQ(FindOption(lists, key::PowerProfile, "Level 1"), 0);
    EXPECT_EQ(FindOption(lists, key::PowerProfile, "LEVEL 10"), 9);
    EXPECT_EQ(FindOption(lists, key::BoostRpm, "500"), 0);
    EXPECT_EQ(FindOption(lists, key::BoostRpm, "5000"), 9);
    EXPECT_EQ(FindOption(lists, key::TurboDelay, "OFF"), 0);
    EXPECT_EQ(FindOption(lists, key::OperationMode, ""), std::nullopt);

    // An empty option text is still never matched by an empty stored text.
    PlainOptionList withEmptyEntry;
    withEmptyEntry.insertAt(0, "");
    EXPECT_EQ(FindOption(withEmptyEntry, ""), std::nullopt);

    const auto blinky = filledLists(EscFamily::Blinky, "1.30");
    EXPECT_EQ(FindOption(blinky, key::BoostRpm, "500"), std::nullopt);
}

}  // namespace
}  // namespace orvek
