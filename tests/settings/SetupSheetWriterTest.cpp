// Setup sheets written by the program: read back by the sheet reader into the same selections
// and notes, refused for names and values the reader could not give back, and never written
// anywhere but the racer's own Profile folder.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "settings/OptionLists.h"
#include "settings/SetupSheetWriter.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SetupSheetNotes someNotes() {
    SetupSheetNotes notes;
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) notes.info[k] = "value " + std::to_string(k);
    notes.info[1] = "2026-12-08";
    notes.memo = "heat 2, too much punch; = and [brackets] stay";
    return notes;
}

TEST(SetupSheetWriter, ASavedSheetLoadsBackIntoTheSameSelectionsAndNotes) {
    for (const EscFamily family : {EscFamily::Expert, EscFamily::Stock, EscFamily::Blinky}) {
        SCOPED_TRACE(static_cast<int>(family));
        testing::TempFolder user;
        ParameterLists page;
        FillOptionLists(page, family, "1.30");
        // The last option of each list: for the power profile "Level 10", whose text begins with
        // another option's ("Level 1"). A Blinky's empty lists stay without selection.
        for (int k = 0; k < kParameterCount; ++k)
            page.byKey(k).setSelection(page.byKey(k).count() - 1);
        const SetupSheetNotes notes = someNotes();

        const SheetSaveResult saved = saveSetupSheet(user.path(), "Drift Car", "Nats A-Main",
                                                     sheetContentOf(page, notes), false);
        ASSERT_EQ(saved.status, SheetSaveStatus::Saved) << saved.error.message();
        EXPECT_EQ(saved.file, user.path() / "Profile" / "Drift Car" / "Nats A-Main.ini");
        const std::string text = fileBytes(saved.file);
        EXPECT_EQ(text.rfind("[option]\r\n", 0), 0u);
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "CRLF line ends";

        ParameterLists loaded;
        FillOptionLists(loaded, family, "1.30");
        const SetupSheetNotes back = LoadSetupSheet(loaded, saved.file);
        for (int k = 0; k < kParameterCount; ++k)
            EXPECT_EQ(loaded.byKey(k).selection(), page.byKey(k).selection()) << "key " << k;
        EXPECT_EQ(back.info, notes.info);
        EXPECT_EQ(back.memo, notes.memo);
    }
}

TEST(SetupSheetWriter, RefusedNamesAndValuesWriteNothing) {
    testing::TempFolder user;
    const SetupSheetContent content = sheetContentOf(ParameterLists(), someNotes());
    for (const char* name : {"", "../x", "a/b", "a\\b", ".hidden", "tab\there"}) {
        const SheetSaveResult result =
            saveSetupSheet(user.path(), "Drift Car", name, content, true);
        EXPECT_EQ(result.status, SheetSaveStatus::BadName) << name;
        EXPECT_FALSE(result.problem.empty());
    }
    EXPECT_EQ(saveSetupSheet(user.path(), "Drift Car", std::string(101, 'x'), content, true).status,
              SheetSaveStatus::BadName);
    EXPECT_EQ(saveSetupSheet(user.path(), "Drift Car", std::string(100, 'x'), content, true).status,
              SheetSaveStatus::Saved);
    EXPECT_EQ(saveSetupSheet(user.path(), "Options", "x", content, true).status,
              SheetSaveStatus::BadCategory);

    SetupSheetContent broken = content;
    broken.memo = "two\nlines";
    SheetSaveResult result = saveSetupSheet(user.path(), "Drift Car", "m", broken, true);
    EXPECT_EQ(result.status, SheetSaveStatus::BadValue);
    EXPECT_EQ(result.problem, "the memo holds a line break; a sheet keeps one line");
    broken = content;
    broken.info[4] = std::string(260, 'm');
    result = saveSetupSheet(user.path(), "Drift Car", "m", broken, true);
    EXPECT_EQ(result.status, SheetSaveStatus::BadValue);
    EXPECT_EQ(result.problem,
              "the Motor value is 260 bytes long; a sheet keeps at most 259 (a plain letter "
              "takes 1 byte, an accented one 2, a Japanese character 3)");
    EXPECT_FALSE(fs::exists(user.path() / "Profile" / "Drift Car" / "m.ini"));
}

TEST(SetupSheetWriter, NamesWindowsCannotKeepAreRefusedOnEverySystemWithTheirReason) {
    const struct {
        const char* name;
        SheetNameProblem problem;
    } refused[] = {
        {"a:b", SheetNameProblem::ForbiddenCharacter},
        {"fast*", SheetNameProblem::ForbiddenCharacter},
        {"why?", SheetNameProblem::ForbiddenCharacter},
        {"\"quoted\"", SheetNameProblem::ForbiddenCharacter},
        {"<a>", SheetNameProblem::ForbiddenCharacter},
        {"a|b", SheetNameProblem::ForbiddenCharacter},
        {"a\\b", SheetNameProblem::ForbiddenCharacter},
        {"../x", SheetNameProblem::ForbiddenCharacter},
        {"tab\there", SheetNameProblem::ControlCharacter},
        {"del\x7F", SheetNameProblem::ControlCharacter},
        {"CON", SheetNameProblem::ReservedName},
        {"con", SheetNameProblem::ReservedName},
        {"Nul.txt", SheetNameProblem::ReservedName},
        {"aux.tar.gz", SheetNameProblem::ReservedName},
        {"PRN .x", SheetNameProblem::ReservedName},
        {"com1", SheetNameProblem::ReservedName},
        {"LPT9", SheetNameProblem::ReservedName},
        {"CON.ini", SheetNameProblem::ReservedName},  // the extension is dropped first
        {"name.", SheetNameProblem::EndsWithDotOrSpace},
        {"name ", SheetNameProblem::EndsWithDotOrSpace},
        {"   ", SheetNameProblem::OnlySpaces},
        {"caf\xC3", SheetNameProblem::NotUtf8},
        {"\xFF:", SheetNameProblem::NotUtf8},
        {".ini", SheetNameProblem::Empty},
        {".hidden", SheetNameProblem::StartsWithDot},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(checkSheetName(c.name), c.problem) << c.name;
        EXPECT_EQ(sheetNameProblemText(c.problem).substr(0, 2), "a ") << "a line of orvek-cli";
    }
    for (const char* name : {"Heat 2", "COM10", "COM0", "CONSOLE", "LPT", "Nats A-Main",
                             "Fun \u2014 heat 2", "1.5 turns", "a.ini.bak"}) {
        EXPECT_EQ(checkSheetName(name), SheetNameProblem::None) << name;
    }
    // The categories are folder names a sheet travels in.
    for (const char* category : ProfileCategories())
        EXPECT_EQ(checkSheetName(category), SheetNameProblem::None) << category;

    testing::TempFolder user;
    const SetupSheetContent content = sheetContentOf(ParameterLists(), someNotes());
    const SheetSaveResult refusedSave =
        saveSetupSheet(user.path(), "Drift Car", "a:b", content, true);
    EXPECT_EQ(refusedSave.status, SheetSaveStatus::BadName);
    EXPECT_EQ(refusedSave.problem,
              "a sheet name may not hold any of : * ? \" < > | / \\ (Windows file names cannot)");
    EXPECT_FALSE(fs::exists(user.path() / "Profile"));
}

TEST(SetupSheetWriter, ANameGivenWithItsIniExtensionIsSavedUnderItsTitle) {
    testing::TempFolder user;
    const SetupSheetContent content = sheetContentOf(ParameterLists(), someNotes());
    const SheetSaveResult saved = saveSetupSheet(user.path(), "Drift Car", "x.INI", content, false);
    ASSERT_EQ(saved.status, SheetSaveStatus::Saved);
    EXPECT_EQ(saved.file, user.path() / "Profile" / "Drift Car" / "x.ini");
    EXPECT_EQ(findOwnSetupSheet(user.path(), "Drift Car", "x.ini"), saved.file);
    EXPECT_EQ(saveSetupSheet(user.path(), "Drift Car", "x", content, false).status,
              SheetSaveStatus::Exists)
        << "the same sheet";
    const auto listed = ListSetupSheets(user.path() / "no-program-data", "Drift Car", user.path());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].title, "x");
}

TEST(SetupSheetWriter, AnExistingSheetIsReplacedOnlyWhenAskedAndKeepsItsName) {
    testing::TempFolder user;
    const fs::path folder = user.path() / "Profile" / "drift car";
    fs::create_directories(folder);
    const fs::path old = folder / "Race.INI";
    std::ofstream(old, std::ios::binary) << "[option]\r\nDrag Brake=5%\r\n";
    const std::string before = fileBytes(old);
    const SetupSheetContent content = sheetContentOf(ParameterLists(), someNotes());

    const SheetSaveResult refused =
        saveSetupSheet(user.path(), "Drift Car", "race", content, false);
    EXPECT_EQ(refused.status, SheetSaveStatus::Exists);
    EXPECT_EQ(refused.file, old) << "found as the reader finds it, letter case aside";
    EXPECT_EQ(fileBytes(old), before);

    const SheetSaveResult replaced =
        saveSetupSheet(user.path(), "Drift Car", "race", content, true);
    ASSERT_EQ(replaced.status, SheetSaveStatus::Saved);
    EXPECT_EQ(replaced.file, old);
    EXPECT_NE(fileBytes(old), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "no second sheet, no temporary file";
}

TEST(SetupSheetWriter, AFolderThatCannotBeMadeFailsWithTheReasonAndLeavesNoFile) {
    testing::TempFolder user;
    std::ofstream(user.path() / "Profile", std::ios::binary) << "not a folder";
    const SheetSaveResult result = saveSetupSheet(
        user.path(), "Drift Car", "x", sheetContentOf(ParameterLists(), someNotes()), false);
    EXPECT_EQ(result.status, SheetSaveStatus::WriteFailed);
    EXPECT_TRUE(result.error);
    EXPECT_EQ(fileBytes(user.path() / "Profile"), "not a folder");
    EXPECT_EQ(saveSetupSheet(std::nullopt, "Drift Car", "x", SetupSheetContent(), false).status,
              SheetSaveStatus::NoUserFolder);
}

}  // namespace
}  // namespace orvek
