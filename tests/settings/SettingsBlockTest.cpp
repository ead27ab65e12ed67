// The settings block codec: what a block read from the ESC shows, and what a write sends.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/ListsHelpers.h"
#include "settings/SettingsBlock.h"

namespace orvek {
namespace {

using testing::filledLists;
using testing::selectedTexts;

using Block = std::array<std::uint8_t, kSettingsBlockSize>;

constexpr Block kExampleBlock = {0x00, 0x0A, 0x55, 0x1E, 0x66, 0x06, 0x5A, 0x19, 0xC8, 0x06, 0x0A, 0x03,
                                 0x00, 0x0A, 0x12, 0x02, 0x0C, 0x02, 0x02, 0x77, 0x88, 0x00, 0xDD};

std::vector<std::pair<int, int>> Pairs(const WriteImage& image) {
    std::vector<std::pair<int, int>> pairs;
    for (const auto& pair : image) {
        pairs.emplace_back(pair.registerCode, pair.value);
    }
    return pairs;
}

int blockPositionOf(int keyNumber) {
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        if (kBlockByteKeys[position] == keyNumber) {
            return static_cast<int>(position);
        }
    }
    return -1;
}

std::uint8_t ImageValue(const WriteImage& image, int keyNumber) {
    return image[static_cast<std::size_t>(blockPositionOf(keyNumber))].value;
}

TEST(SettingsBlock, WorkedExampleOnAnExpertEsc) {
    auto lists = filledLists(EscFamily::Expert, "1.30");
    ASSERT_TRUE(acceptSettingsBlock(lists, kExampleBlock.data(), kExampleBlock.size()));

    // In block order.
    const std::vector<std::pair<int, std::string>> shown = {
        {key::OperationMode, "For/Brake"}, {key::DragBrake, "10%"},
        {key::LowVoltCut, "3.0 V/cell"},   {key::PowerProfile, "Level 7"},
        {key::FullBrake, "90%"},           {key::ReverseSpeed, "25%"},
        {key::InitialBrake, "=Drag Brake"}, {key::NeutralDeadBand, "6%"},
        {key::BoostTiming, "10 deg"},      {key::TurboSlope, "18 deg/0.1s"},
        {key::TempCutSet, "off"},          {key::TurboTiming, "10 deg"},
        {key::BoostRpm, "14000"},          {key::TurboDelay, "0.10sec"},
        {key::BoostAcc, "650 RPM/deg"},    {key::DriveFrequency, "8KHz"},
        {key::BrakeFrequency, "4KHz"},     {key::RotationMode, "Normal"}};
    for (const auto& [k, text] : shown) {
        EXPECT_EQ(lists.byKey(k).selectedText(), text) << parameterTable()[static_cast<std::size_t>(k)].keyName;
    }

    const std::vector<std::pair<int, int>> expected = {
        {0xE1, 0x00}, {0xE2, 0x0A}, {0xD2, 0x55}, {0xE3, 0x1E}, {0xD3, 0x66}, {0xE4, 0x06},
        {0xE5, 0x5A}, {0xE6, 0x19}, {0xE7, 0xC8}, {0xE8, 0x06}, {0xE9, 0x0A}, {0xEA, 0x03},
        {0xEB, 0x00}, {0xEC, 0x0A}, {0xED, 0x12}, {0xEE, 0x02}, {0xEF, 0x0C}, {0xF0, 0x02},
        {0xF1, 0x02}, {0xF2, 0x77}, {0xF7, 0x88}, {0xF5, 0x00}};
    EXPECT_EQ(Pairs(BuildWriteImage(lists)), expected);
}

TEST(SettingsBlock, OnlyACompleteBlockWithItsEndMarkerIsAccepted) {
    auto lists = filledLists(EscFamily::Expert, "1.30");
    Block wrongMarker = kExampleBlock;
    wrongMarker[22] = 0xDE;
    EXPECT_FALSE(acceptSettingsBlock(lists, wrongMarker.data(), wrongMarker.size()));
    EXPECT_FALSE(acceptSettingsBlock(lists, kExampleBlock.data(), 22));
    EXPECT_FALSE(acceptSettingsBlock(lists, nullptr, 23));
    EXPECT_FALSE(ApplySettingsBlock(lists, kExampleBlock.data(), 21));
    for (int k = 0; k < kParameterCount; ++k) {
        EXPECT_EQ(lists.byKey(k).selection(), OptionList::kNoSelection);
    }
    EXPECT_EQ(lists.lastReadBlock, SettingsValues{});

    // Applying alone leaves the carried bytes to the caller.
    ASSERT_TRUE(ApplySettingsBlock(lists, kExampleBlock.data(), kExampleBlock.size()));
    EXPECT_EQ(lists.lastReadBlock, SettingsValues{});
    EXPECT_EQ(lists.byKey(key::BoostRpm).selectedText(), "14000");
}

TEST(SettingsBlock, ByteRulesAtTheirEdges) {
    auto lists = filledLists(EscFamily::Expert, "1.30");
    Block block = kExampleBlock;
    block[3] = 31;   // Low Volt Cut: not offered
    block[7] = 0;    // Reverse Speed: below 25
    block[6] = 77;   // Full Brake: between steps
    block[8] = 0;    // Initial Brake: 0 reads as option 0
    block[9] = 14;   // Neutral DeadBand: 12..14
    ASSERT_TRUE(acceptSettingsBlock(lists, block.data(), block.size()));
    EXPECT_EQ(lists.byKey(key::LowVoltCut).selectedText(), "None");
    EXPECT_EQ(lists.byKey(key::ReverseSpeed).selection(), OptionList::kNoSelection);
    EXPECT_EQ(lists.byKey(key::FullBrake).selectedText(), "75%");
    EXPECT_EQ(lists.byKey(key::InitialBrake).selectedText(), "=Drag Brake");
    EXPECT_EQ(lists.byKey(key::NeutralDeadBand).selectedText(), "12%");
    const WriteImage image = BuildWriteImage(lists);
    EXPECT_EQ(ImageValue(image, key::LowVoltCut), 0);
    EXPECT_EQ(ImageValue(image, key::ReverseSpeed), 0);
    EXPECT_EQ(ImageValue(image, key::FullBrake), 75);
    EXPECT_EQ(ImageValue(image, key::InitialBrake), 200);
    EXPECT_EQ(ImageValue(image, key::NeutralDeadBand), 12);

    // Full Brake divides with truncation toward zero: 71..74 are 75%, 70 and below nothing.
    EXPECT_EQ(decodeBlockByte(key::FullBrake, 71), 0);
    EXPECT_EQ(decodeBlockByte(key::FullBrake, 70), -1);
    EXPECT_EQ(decodeBlockByte(key::FullBrake, 0), -15);
    EXPECT_EQ(decodeBlockByte(key::FullBrake, 104), 5);
    EXPECT_EQ(decodeBlockByte(key::FullBrake, 105), 6);
    EXPECT_EQ(decodeBlockByte(key::ReverseSpeed, 124), 3);
    EXPECT_EQ(decodeBlockByte(key::ReverseSpeed, 125), 4);
    EXPECT_EQ(decodeBlockByte(key::InitialBrake, 199), 199);
    EXPECT_EQ(decodeBlockByte(key::NeutralDeadBand, 2), 0);
    EXPECT_EQ(decodeBlockByte(key::LowVoltCut, 32), 3);
    EXPECT_EQ(decodeBlockByte(key::LowVoltCut, 255), 0);
}

TEST(SettingsBlock, ListsWithoutSelectionWriteTheirFixedValues) {
    // An unlisted ESC's lists are partly empty; a block of 0xFF leaves the rest without selection.
    auto lists = filledLists(EscFamily::Unlisted, "1.30");
    Block block;
    block.fill(0xFF);
    block[22] = 0xDD;
    ASSERT_TRUE(acceptSettingsBlock(lists, block.data(), block.size()));
    EXPECT_EQ(lists.byKey(key::LowVoltCut).selectedText(), "None");
    lists.byKey(key::LowVoltCut).setSelection(-1);

    const WriteImage image = BuildWriteImage(lists);
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        const int k = kBlockByteKeys[position];
        int expected = 0xFF;  // carried bytes come from the block; plain lists give 0xFF too
        if (k == key::FullBrake) expected = 70;
        if (k == key::ReverseSpeed) expected = 0;
        if (k == key::NeutralDeadBand) expected = 0xFD;
        if (k == key::LowVoltCut) expected = 0;  // no earlier image
        EXPECT_EQ(image[position].value, expected) << "byte " << position;
        EXPECT_EQ(image[position].registerCode, kRegisterCodes[position]);
    }
}

TEST(SettingsBlock, LowVoltCutWithoutSelectionKeepsTheValueLastWritten) {
    auto lists = filledLists(EscFamily::Expert, "1.30");
    ASSERT_TRUE(acceptSettingsBlock(lists, kExampleBlock.data(), kExampleBlock.size()));
    lists.byKey(key::LowVoltCut).setSelection(3);
    EXPECT_EQ(ImageValue(BuildWriteImage(lists), key::LowVoltCut), 32);

    FillOptionLists(lists, EscFamily::Expert, "1.30");  // a new identification clears selections
    const WriteImage image = BuildWriteImage(lists);
    EXPECT_EQ(ImageValue(image, key::LowVoltCut), 32);
    EXPECT_EQ(ImageValue(image, key::OperationMode), 0xFF);
    EXPECT_EQ(ImageValue(image, key::InitialBrake), 0xFF);
    // Carried bytes still come from the last block read.
    EXPECT_EQ(image[2].value, 0x55);
    EXPECT_EQ(image[20].value, 0x88);
}

TEST(SettingsBlock, BlinkyWritesNoValueForBoostAndTurbo) {
    auto lists = filledLists(EscFamily::Blinky, "1.20");
    ASSERT_TRUE(acceptSettingsBlock(lists, kExampleBlock.data(), kExampleBlock.size()));
    EXPECT_EQ(lists.byKey(key::PowerProfile).selectedText(), "Level 7");
    const WriteImage image = BuildWriteImage(lists);
    for (const std::size_t position : {10u, 11u, 13u, 14u, 15u, 16u}) {
        EXPECT_EQ(image[position].value, 0xFF) << std::hex << int(image[position].registerCode);
    }
}

TEST(SettingsBlock, EveryOptionEncodesAndDecodesToItself) {
    for (const EscFamily family : {EscFamily::Expert, EscFamily::Stock, EscFamily::Blinky, EscFamily::Unlisted}) {
        for (const std::string version : {"1.30", "1.20"}) {
            auto lists = filledLists(family, version);
            for (int k = 0; k < kParameterCount; ++k) {
                for (int option = 0; option < lists.byKey(k).count(); ++option) {
                    lists.byKey(k).setSelection(option);
                    const WriteImage image = BuildWriteImage(lists);
                    Block block{};
                    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
                        block[position] = image[position].value;
                    }
                    block[22] = kSettingsBlockEndMarker;
                    auto decoded = filledLists(family, version);
                    ASSERT_TRUE(acceptSettingsBlock(decoded, block.data(), block.size()));
                    ASSERT_EQ(decoded.byKey(k).selection(), option)
                        << parameterTable()[static_cast<std::size_t>(k)].keyName << " option " << option
                        << " version " << version;
                }
            }
        }
    }
}

TEST(SettingsBlock, EveryByteValueAtEveryPositionDecodesWithinTheLists) {
    for (const EscFamily family : {EscFamily::Expert, EscFamily::Stock, EscFamily::Blinky, EscFamily::Unlisted}) {
        auto lists = filledLists(family, "1.30");
        for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
            for (int value = 0; value <= 255; ++value) {
                Block block = kExampleBlock;
                block[position] = static_cast<std::uint8_t>(value);
                ASSERT_TRUE(acceptSettingsBlock(lists, block.data(), block.size()));
                const int k = kBlockByteKeys[position];
                if (k == kCarriedByte) {
                    ASSERT_EQ(BuildWriteImage(lists)[position].value, value);
                    continue;
                }
                const OptionList& list = lists.byKey(k);
                const int decoded = decodeBlockByte(k, static_cast<std::uint8_t>(value));
                const int expected = decoded >= 0 && decoded < list.count() ? decoded : OptionList::kNoSelection;
                ASSERT_EQ(list.selection(), expected) << "byte " << position << " value " << value;
                BuildWriteImage(lists);
            }
        }
    }
}

// What the page marks as about to change on SEND SETTING.
TEST(SettingsDifferingFromEsc, MarksExactlyTheListsWhoseWriteWouldChangeTheEsc) {
    auto lists = filledLists(EscFamily::Expert, "1.30");
    const auto none = std::array<bool, kParameterCount>{};
    lists.byKey(key::DragBrake).setSelection(40);
    EXPECT_EQ(SettingsDifferingFromEsc(lists), none) << "nothing is known before a block is read";

    int told = 0;
    lists.onEscSettingsChanged = [&] { ++told; };
    ASSERT_TRUE(acceptSettingsBlock(lists, kExampleBlock.data(), kExampleBlock.size()));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(SettingsDifferingFromEsc(lists), none) << "as read";
    EXPECT_FALSE(anySettingDiffersFromEsc(lists));

    lists.byKey(key::DragBrake).setSelection(40);
    lists.byKey(key::TurboDelay).setSelection(kExampleBlock[15]);  // picked again: unchanged
    auto expected = none;
    expected[key::DragBrake] = true;
    EXPECT_EQ(SettingsDifferingFromEsc(lists), expected);
    EXPECT_TRUE(anySettingDiffersFromEsc(lists));

    // A list left without selection writes its fixed value, which differs from what was read.
    lists.byKey(key::FullBrake).setSelection(OptionList::kNoSelection);
    expected[key::FullBrake] = true;
    EXPECT_EQ(SettingsDifferingFromEsc(lists), expected);

    // Written: the ESC now holds what the lists say.
    recordWrittenSettings(lists, BuildWriteImage(lists));
    EXPECT_EQ(told, 2);
    EXPECT_EQ(SettingsDifferingFromEsc(lists), none);
    EXPECT_EQ(lists.lastReadBlock[1], 40);
    EXPECT_EQ(lists.lastReadBlock[2], kExampleBlock[2]) << "carried bytes stay";

    // Refilled for the next ESC: unknown again until its block is read.
    lists.byKey(key::DragBrake).setSelection(3);
    FillOptionLists(lists, EscFamily::Expert, "1.30");
    EXPECT_EQ(told, 3);
    EXPECT_FALSE(lists.escSettingsKnown);
    EXPECT_EQ(SettingsDifferingFromEsc(lists), none);
}

TEST(SettingsDifferingFromEsc, ValuesThatReadAsAnotherOptionAndListsWithoutOptions) {
    // A Low Volt Cut byte of 31 reads as "None", which writes 0: SEND SETTING changes it.
    Block odd = kExampleBlock;
    odd[3] = 31;
    auto lists = filledLists(EscFamily::Expert, "1.30");
    ASSERT_TRUE(acceptSettingsBlock(lists, odd.data(), odd.size()));
    auto differs = SettingsDifferingFromEsc(lists);
    EXPECT_TRUE(differs[key::LowVoltCut]);
    EXPECT_EQ(std::count(differs.begin(), differs.end(), true), 1);

    // A Blinky's six boost and turbo lists are empty and write 0xFF over what the ESC holds;
    // nothing can be chosen there, so nothing is marked.
    auto blinky = filledLists(EscFamily::Blinky, "1.30");
    ASSERT_TRUE(acceptSettingsBlock(blinky, kExampleBlock.data(), kExampleBlock.size()));
    EXPECT_FALSE(anySettingDiffersFromEsc(blinky));
    EXPECT_EQ(ImageValue(BuildWriteImage(blinky), key::BoostTiming), 0xFF);
}

}  // namespace
}  // namespace orvek
