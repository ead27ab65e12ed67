// Setup sheets on disk: listing a category, loading a sheet into the lists and the notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "settings/ListsHelpers.h"
#include "settings/SetupSheets.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::filledLists;
using testing::TempFolder;
using testing::writeBytes;

std::vector<std::string> titlesOf(const std::vector<SetupSheetEntry>& sheets) {
    std::vector<std::string> titles;
    for (const auto& sheet : sheets) {
        titles.push_back(sheet.title);
    }
    return titles;
}

const std::string kFullInfo =
    "[info]\r\nDriver=Sam Reyes\r\nDate=2024-05-01\r\nEvent=Nationals\r\nFirmware=Expert V1.30\r\n"
    "Motor=13.5T\r\nGear Ratio=4.2\r\nTiming=30\r\nRotor=12.3mm\r\nTrack Name=Riverside\r\n"
    "Track Type=Indoor\r\nTrack Design=Technical\r\nTraction Level=High\r\nTemp Track=24C\r\n";

TEST(SetupSheets, CategoriesInTheirFixedOrder) {
    const auto& categories = ProfileCategories();
    EXPECT_STREQ(categories[0], "Modify Touring");
    EXPECT_STREQ(categories[4], "Blinky Mode (zero timing)");
    EXPECT_STREQ(categories[10], "Rock Crawler");
    EXPECT_STREQ(InfoKeyNames()[12], "Temp Track");
}

TEST(SetupSheets, ListsIniFilesSortedIgnoringCaseAndLoadsTheFirst) {
    TempFolder program;
    const auto category = program / "Profile" / "Modify Touring";
    writeBytes(category / "b.ini", "[option]\r\nOperation Mode=For/Rev\r\n");
    writeBytes(category / "A.ini", "[option]\r\nOperation Mode=for/rev/brake\r\n");
    writeBytes(category / "c.ini", "[option]\r\nOperation Mode=For/Brake\r\n");
    writeBytes(category / "notes.txt", "not a sheet");
    writeBytes(category / "race.day.INI", "");
    writeBytes(category / ".ini", "");
    std::filesystem::create_directories(category / "folder.ini");

    const auto sheets = ListSetupSheets(program.path(), "Modify Touring");
    EXPECT_EQ(titlesOf(sheets), (std::vector<std::string>{"A", "b", "c", "race.day"}));

    auto lists = filledLists(EscFamily::Expert, "1.30");
    LoadSetupSheet(lists, sheets.front().file);
    EXPECT_EQ(lists.byKey(key::OperationMode).selectedText(), "For/Rev/Brake");
    LoadSetupSheet(lists, program.path(), "Modify Touring", "b");
    EXPECT_EQ(lists.byKey(key::OperationMode).selectedText(), "For/Rev");

    EXPECT_TRUE(ListSetupSheets(program.path(), "Rock Crawler").empty());
    EXPECT_TRUE(ListSetupSheets(program / "nowhere", "Modify Touring").empty());
}

TEST(SetupSheets, FoldersAndExtensionFoundIgnoringCase) {
    TempFolder program;
    writeBytes(program / "PROFILE" / "drift car" / "Team.INI",
               "[OPTION]\r\nROTATION MODE=REVERSE\r\n");
    const auto sheets = ListSetupSheets(program.path(), "Drift Car");
    ASSERT_EQ(titlesOf(sheets), (std::vector<std::string>{"Team"}));

    auto lists = filledLists(EscFamily::Stock, "1.30");
    LoadSetupSheet(lists, program.path(), "Drift Car", "team");
    EXPECT_EQ(lists.byKey(key::RotationMode).selectedText(), "Reverse");

    // Names that would leave the category folder find nothing.
    EXPECT_FALSE(findSetupSheet(program.path(), "Drift Car", "../Team"));
    EXPECT_FALSE(findEntryIgnoringCase(program.path(), ".."));
    EXPECT_FALSE(findEntryIgnoringCase(program.path(), "PROFILE/drift car"));
}

TEST(SetupSheets, OptionsMatchOnlyTheFamilysTexts) {
    TempFolder program;
    const auto sheet = program / "Profile" / "Fun Car" / "sheet.ini";
    writeBytes(
        sheet,
        "[option]\r\nOperation Mode=For/Rev\r\nBoost ACC=200 RPM/deg\r\nPower Profile=level 10\r\n"
        "Boost RPM=500\r\nTurbo Slope=3 deg/0.1s\r\nDrag Brake=10 %\r\n");

    auto expert = filledLists(EscFamily::Expert, "1.30");
    LoadSetupSheet(expert, sheet);
    EXPECT_EQ(expert.byKey(key::OperationMode).selectedText(), "For/Rev");
    EXPECT_EQ(expert.byKey(key::BoostAcc).selectedText(), "200 RPM/deg");
    EXPECT_EQ(expert.byKey(key::PowerProfile).selectedText(), "Level 10");
    EXPECT_EQ(expert.byKey(key::BoostRpm).selectedText(), "500");
    EXPECT_EQ(expert.byKey(key::TurboSlope).selectedText(), "3 deg/0.1s");
    EXPECT_EQ(expert.byKey(key::DragBrake).selection(), OptionList::kNoSelection);

    auto stock = filledLists(EscFamily::Stock, "1.30");
    stock.byKey(key::BoostAcc).setSelection(5);
    stock.byKey(key::TurboSlope).setSelection(5);
    LoadSetupSheet(stock, sheet);
    EXPECT_EQ(stock.byKey(key::BoostAcc).selectedText(), "300 RPN/deg");
    EXPECT_EQ(stock.byKey(key::TurboSlope).selectedText(), "Fastest");
}

TEST(SetupSheets, NotesAndWhenTheCommentShows) {
    TempFolder program;
    const auto folder = program / "Profile" / "Rock Crawler";
    writeBytes(folder / "full.ini", kFullInfo + "[memo]\r\nmemo=Soft springs, \"sealed\" diff\r\n");
    auto lists = filledLists(EscFamily::Unlisted, "");
    const SetupSheetNotes full = LoadSetupSheet(lists, folder / "full.ini");
    EXPECT_EQ(full.info[0], "Sam Reyes");
    EXPECT_EQ(full.info[5], "4.2");
    EXPECT_EQ(full.info[12], "24C");
    EXPECT_EQ(full.memo, "Soft springs, \"sealed\" diff");
    EXPECT_TRUE(full.showComment);

    std::string noTemp = kFullInfo;
    noTemp.replace(noTemp.find("Temp Track=24C"), 14, "Temp Track=");
    writeBytes(folder / "no-temp.ini", noTemp + "[memo]\r\nmemo=x\r\n");
    const SetupSheetNotes hidden = LoadSetupSheet(lists, folder / "no-temp.ini");
    EXPECT_EQ(hidden.info[0], "Sam Reyes");
    EXPECT_EQ(hidden.info[11], "High");
    EXPECT_EQ(hidden.info[12], "");
    EXPECT_FALSE(hidden.showComment);

    writeBytes(folder / "memo-only.ini", "[memo]\r\nmemo=" + std::string(300, 'm') + "\r\n");
    const SetupSheetNotes memoOnly = LoadSetupSheet(lists, folder / "memo-only.ini");
    for (const auto& value : memoOnly.info) {
        EXPECT_EQ(value, "");
    }
    EXPECT_EQ(memoOnly.memo, std::string(259, 'm'));
    EXPECT_FALSE(memoOnly.showComment);
}

TEST(SetupSheets, MissingSheetClearsNotesAndLeavesLists) {
    TempFolder program;
    auto lists = filledLists(EscFamily::Expert, "1.30");
    lists.byKey(key::BoostRpm).setSelection(3);
    const SetupSheetNotes notes = LoadSetupSheet(lists, program.path(), "Fun Car", "gone");
    EXPECT_EQ(lists.byKey(key::BoostRpm).selectedText(), "2000");
    EXPECT_EQ(notes.info[0], "");
    EXPECT_EQ(notes.memo, "");
    EXPECT_FALSE(notes.showComment);

    // Before any ESC is known the lists are empty: nothing selects, the notes still load.
    writeBytes(program / "Profile" / "Fun Car" / "early.ini",
               "[option]\r\nOperation Mode=For/Rev\r\n" + kFullInfo);
    ParameterLists empty;
    const SetupSheetNotes early = LoadSetupSheet(empty, program.path(), "Fun Car", "early");
    EXPECT_EQ(empty.byKey(key::OperationMode).selection(), OptionList::kNoSelection);
    EXPECT_EQ(early.info[0], "Sam Reyes");
    EXPECT_TRUE(early.showComment);
}

TEST(SetupSheets, UserSheetsAreListedWithTheInstalledOnesAndWinOnTheSameTitle) {
    TempFolder program;
    TempFolder user;
    writeBytes(program / "Profile" / "Drift Car" / "Shop.ini",
               "[option]\r\nRotation Mode=Normal\r\n");
    writeBytes(program / "Profile" / "Drift Car" / "Team.ini",
               "[option]\r\nRotation Mode=Normal\r\n");
    writeBytes(user / "Profile" / "drift car" / "team.INI",
               "[option]\r\nRotation Mode=Reverse\r\n");
    writeBytes(user / "Profile" / "drift car" / "Mine.ini",
               "[option]\r\nRotation Mode=Reverse\r\n");
    writeBytes(user / "Profile" / "Fun Car" / "Only.ini", "");

    const auto sheets = ListSetupSheets(program.path(), "Drift Car", user.path());
    ASSERT_EQ(titlesOf(sheets), (std::vector<std::string>{"Mine", "Shop", "team"}));
    EXPECT_EQ(sheets[2].file.parent_path().parent_path().parent_path(), user.path());

    auto lists = filledLists(EscFamily::Expert, "1.30");
    LoadSetupSheet(lists, sheets[1].file);
    EXPECT_EQ(lists.byKey(key::RotationMode).selectedText(), "Normal");
    // The title as the installed file spells it finds the racer's copy.
    EXPECT_EQ(findSetupSheet(program.path(), "Drift Car", "Team", user.path()), sheets[2].file);

    // A category only the user has, and no user folder at all.
    EXPECT_EQ(titlesOf(ListSetupSheets(program.path(), "Fun Car", user.path())),
              std::vector<std::string>{"Only"});
    EXPECT_EQ(titlesOf(ListSetupSheets(program.path(), "Drift Car", std::nullopt)),
              (std::vector<std::string>{"Shop", "Team"}));
}

TEST(SetupSheets, TheProgramDataCarriesOneEmptyFolderPerCategory) {
    const std::filesystem::path profile = std::filesystem::path(ORVEK_BUILD_DATA_DIR) / "Profile";
    std::vector<std::string> folders;
    for (const auto& entry : std::filesystem::directory_iterator(profile)) {
        if (!entry.is_directory()) continue;
        folders.push_back(entry.path().filename().string());
        EXPECT_TRUE(std::filesystem::is_empty(entry.path()))
            << entry.path() << ": no preset values are shipped";
    }
    std::sort(folders.begin(), folders.end());
    std::vector<std::string> categories(ProfileCategories().begin(), ProfileCategories().end());
    std::sort(categories.begin(), categories.end());
    EXPECT_EQ(folders, categories);
}

}  // namespace
}  // namespace orvek
