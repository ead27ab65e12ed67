// The settings code driving real skinned combo boxes through the option-list interface.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <vector>

#include "gui/controls/ComboOptionList.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"
#include "support/WidgetTesting.h"

namespace orvek {
namespace {

// Eighteen combo boxes on a page, and the settings model over them.
struct SkinnedPage {
    SkinnedPage() {
        std::array<OptionList*, kParameterCount> byKey{};
        for (int k = 0; k < kParameterCount; ++k) {
            boxes.push_back(new CBitComboBox(&page));
            adapters.push_back(std::make_unique<ComboOptionList>(boxes.back()));
            byKey[static_cast<std::size_t>(k)] = adapters.back().get();
        }
        lists = std::make_unique<ParameterLists>(byKey);
    }
    CBitComboBox& box(int key) { return *boxes[static_cast<std::size_t>(key)]; }

    QWidget page;
    std::vector<CBitComboBox*> boxes;
    std::vector<std::unique_ptr<ComboOptionList>> adapters;
    std::unique_ptr<ParameterLists> lists;
};

const std::uint8_t kBlock[23] = {0x00, 0x0A, 0x55, 0x1E, 0x66, 0x06, 0x5A, 0x19,
                                 0xC8, 0x06, 0x0A, 0x03, 0x00, 0x0A, 0x12, 0x02,
                                 0x0C, 0x02, 0x02, 0x77, 0x88, 0x00, 0xDD};

TEST(ComboOptionList, FilledBoxesShowTheBlockAndSendItBack) {
    SkinnedPage p;
    FillOptionLists(*p.lists, EscFamily::Expert, "1.30");
    for (int k = 0; k < kParameterCount; ++k) {
        EXPECT_EQ(p.box(k).currentIndex(), -1) << "filling selects nothing, key " << k;
    }
    EXPECT_EQ(p.box(key::BoostAcc).count(), 14);
    EXPECT_EQ(p.box(key::TurboSlope).itemText(0), QStringLiteral("3 deg/0.1s"));

    ASSERT_TRUE(acceptSettingsBlock(*p.lists, kBlock, sizeof kBlock));
    EXPECT_EQ(p.box(key::LowVoltCut).currentText(), QStringLiteral("3.0 V/cell"));
    EXPECT_EQ(p.box(key::PowerProfile).currentText(), QStringLiteral("Level 7"));
    EXPECT_EQ(p.box(key::BoostAcc).currentText(), QStringLiteral("650 RPM/deg"));
    EXPECT_EQ(p.box(key::InitialBrake).currentText(), QStringLiteral("=Drag Brake"));

    // A pick on the page is what the write image carries.
    p.box(key::DragBrake).setCurrentIndex(25);
    const WriteImage image = BuildWriteImage(*p.lists);
    EXPECT_EQ(image[1].registerCode, 0xE2);
    EXPECT_EQ(image[1].value, 25);
    EXPECT_EQ(image[2].value, 0x55);  // carried bytes from the block
    EXPECT_EQ(image[20].value, 0x88);
}

TEST(ComboOptionList, BlinkyDisablesAndEmptiesTheBoostBoxes) {
    SkinnedPage p;
    FillOptionLists(*p.lists, EscFamily::Blinky, "1.20");
    for (int k : {key::BoostTiming, key::TurboTiming, key::BoostRpm, key::BoostAcc, key::TurboSlope,
                  key::TurboDelay}) {
        EXPECT_FALSE(p.box(k).isEnabled()) << k;
        EXPECT_EQ(p.box(k).count(), 0) << k;
    }
    EXPECT_EQ(p.box(key::PowerProfile).count(), 9);
    ASSERT_TRUE(acceptSettingsBlock(*p.lists, kBlock, sizeof kBlock));
    const WriteImage image = BuildWriteImage(*p.lists);
    EXPECT_EQ(image[10].value, 0xFF);  // Boost Timing: no options, no selection
}

TEST(ComboOptionList, PositionsOutsideTheListAreRefusedOrClear) {
    QWidget page;
    auto* box = new CBitComboBox(&page);
    ComboOptionList list(box);
    EXPECT_TRUE(list.insertAt(0, "b"));
    EXPECT_TRUE(list.insertAt(0, "a"));
    EXPECT_TRUE(list.insertAt(-1, "c"));
    EXPECT_FALSE(list.insertAt(7, "x"));
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.textAt(0), "a");
    EXPECT_EQ(list.textAt(3), "");
    list.setSelection(1);
    EXPECT_TRUE(list.insertAt(0, "first"));
    EXPECT_EQ(list.selectedText(), "b");  // the selected entry stays selected
    list.setSelection(9);
    EXPECT_EQ(list.selection(), OptionList::kNoSelection);
    delete box;  // the page's box is gone: the list is empty and refuses changes
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.insertAt(0, "late"));
}

}  // namespace
}  // namespace orvek
