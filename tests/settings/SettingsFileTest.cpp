// Settings files: export and import of the eighteen selections through real files.
#include <gtest/gtest.h>

#include "platform/ProfileFile.h"
#include "settings/ListsHelpers.h"
#include "settings/SettingsFile.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::filledLists;
using testing::readBytes;
using testing::selectedTexts;
using testing::TempFolder;
using testing::writeBytes;

TEST(SettingsFile, ExportWritesTheOptionSectionInKeyOrder) {
    TempFolder folder;
    auto lists = filledLists(EscFamily::Stock, "1.30");
    selectFactoryDefaults(lists);
    lists.byKey(key::TempCutSet).setSelection(-1);
    const auto file = folder / "race.cfg";
    ASSERT_EQ(exportSettingsFile(lists, file), SettingsFileStatus::Ok);
    EXPECT_EQ(readBytes(file),
              "[option]\r\n"
              "Operation Mode=For/Brake\r\n"
              "Reverse Speed=25%\r\n"
              "Low Volt Cut=3.2 V/cell\r\n"
              "Drag Brake=4%\r\n"
              "Initial Brake==Drag Brake\r\n"
              "Full Brake=100%\r\n"
              "Brake Frequency=4KHz\r\n"
              "Power Profile=Level 12\r\n"
              "Drive Frequency=8KHz\r\n"
              "Neutral DeadBand=6%\r\n"
              "Temp Cut Set=\r\n"
              "Boost Timing=20 deg\r\n"
              "Boost RPM=1500\r\n"
              "Boost ACC=150 RPM/deg\r\n"
              "Turbo Timing=20 deg\r\n"
              "Turbo Slope=24 deg/0.1s\r\n"
              "Turbo Delay=0.05sec\r\n"
              "Rotation Mode=Normal\r\n");
}

TEST(SettingsFile, ExportThenImportRestoresEverySelection) {
    TempFolder folder;
    for (const EscFamily family : {EscFamily::Expert, EscFamily::Stock, EscFamily::Blinky}) {
        for (const std::string version : {"1.30", "1.20"}) {
            // Every list's last option ("Level 12", "15000", ...), then its first or second
            // ("6  deg/0.1s" with its two blanks on Stock).
            for (const bool last : {true, false}) {
                auto exported = filledLists(family, version);
                for (int k = 0; k < kParameterCount; ++k) {
                    const int count = exported.byKey(k).count();
                    exported.byKey(k).setSelection(last ? count - 1 : (k % 2 == 0 ? 0 : 1));
                }
                const auto file = folder / "round-trip.cfg";
                ASSERT_EQ(exportSettingsFile(exported, file), SettingsFileStatus::Ok);

                auto imported = filledLists(family, version);
                const SettingsImport result = importSettingsFile(imported, file);
                EXPECT_EQ(result.status, SettingsFileStatus::Ok);
                EXPECT_EQ(selectedTexts(imported), selectedTexts(exported));
                EXPECT_TRUE(result.unmatched().empty());
            }
        }
    }
    auto levels = filledLists(EscFamily::Expert, "1.30");
    levels.byKey(key::PowerProfile).setSelection(0);  // "Level 1", which "Level 10" begins with
    levels.byKey(key::BoostRpm).setSelection(0);      // "500", which "5000" begins with
    const auto file = folder / "prefix.cfg";
    ASSERT_EQ(exportSettingsFile(levels, file), SettingsFileStatus::Ok);
    auto imported = filledLists(EscFamily::Expert, "1.30");
    importSettingsFile(imported, file);
    EXPECT_EQ(imported.byKey(key::PowerProfile).selectedText(), "Level 1");
    EXPECT_EQ(imported.byKey(key::BoostRpm).selectedText(), "500");
}

TEST(SettingsFile, StockFileOnAnExpertEscReportsWhatMatchesNothing) {
    TempFolder folder;
    auto stock = filledLists(EscFamily::Stock, "1.30");
    selectFactoryDefaults(stock);
    stock.byKey(key::BoostAcc).setSelection(0);    // "50 RPN/deg"
    stock.byKey(key::TurboSlope).setSelection(1);  // "6  deg/0.1s"
    const auto file = folder / "stock.cfg";
    ASSERT_EQ(exportSettingsFile(stock, file), SettingsFileStatus::Ok);

    auto expert = filledLists(EscFamily::Expert, "1.30");
    expert.byKey(key::BoostAcc).setSelection(12);
    expert.byKey(key::TurboSlope).setSelection(3);
    const SettingsImport result = importSettingsFile(expert, file);
    ASSERT_EQ(result.status, SettingsFileStatus::Ok);
    const auto unmatched = result.unmatched();
    ASSERT_EQ(unmatched.size(), 2u);
    EXPECT_EQ(unmatched[0].keyNumber, key::BoostAcc);
    EXPECT_EQ(unmatched[0].value, "50 RPN/deg");
    EXPECT_EQ(unmatched[1].keyNumber, key::TurboSlope);
    EXPECT_EQ(unmatched[1].value, "6  deg/0.1s");
    // Those lists keep their selections; everything else came in.
    EXPECT_EQ(expert.byKey(key::BoostAcc).selectedText(), "650 RPM/deg");
    EXPECT_EQ(expert.byKey(key::TurboSlope).selectedText(), "18 deg/0.1s");
    EXPECT_EQ(expert.byKey(key::BoostRpm).selectedText(), "1500");
    EXPECT_EQ(result.settings[key::BoostRpm].outcome, ImportOutcome::Selected);
    EXPECT_EQ(result.settings[key::BoostRpm].selected, 2);
}

TEST(SettingsFile, ImportReadsValuesAsTheProfileReaderGivesThem) {
    TempFolder folder;
    const auto file = folder / "hand-made.cfg";
    writeBytes(file,
               "[info]\r\nDriver=someone\r\n"
               "[OPTION]\r\n"
               "power profile =   LEVEL 7   \r\n"
               "Drag Brake=\"25%\"\r\n"
               "Boost RPM=15000 \r\n"
               "Turbo Delay=0.1sec\r\n"
               "Temp Cut Set=\r\n"
               "Boost Timing=" +
                   std::string(25, '1') + "\r\n");
    auto lists = filledLists(EscFamily::Expert, "1.30");
    lists.byKey(key::TempCutSet).setSelection(2);
    lists.byKey(key::TurboDelay).setSelection(4);
    lists.byKey(key::OperationMode).setSelection(1);
    const SettingsImport result = importSettingsFile(lists, file);

    EXPECT_EQ(lists.byKey(key::PowerProfile).selectedText(), "Level 7");
    EXPECT_EQ(lists.byKey(key::DragBrake).selectedText(), "25%");
    EXPECT_EQ(lists.byKey(key::BoostRpm).selectedText(), "15000");
    EXPECT_EQ(lists.byKey(key::TurboDelay).selectedText(), "0.20sec");
    EXPECT_EQ(lists.byKey(key::TempCutSet).selectedText(), "194f/90c");
    EXPECT_EQ(lists.byKey(key::OperationMode).selectedText(), "For/Rev/Brake");

    EXPECT_EQ(result.settings[key::TurboDelay].outcome, ImportOutcome::NoMatch);
    EXPECT_EQ(result.settings[key::TempCutSet].outcome, ImportOutcome::EmptyValue);
    EXPECT_EQ(result.settings[key::OperationMode].outcome, ImportOutcome::KeyMissing);
    EXPECT_EQ(result.settings[key::BoostTiming].value, std::string(19, '1'));
    EXPECT_EQ(result.settings[key::BoostTiming].outcome, ImportOutcome::NoMatch);
}

TEST(SettingsFile, MissingOrUnreadableFilesChangeNothing) {
    TempFolder folder;
    auto lists = filledLists(EscFamily::Expert, "1.30");
    selectFactoryDefaults(lists);
    const auto before = selectedTexts(lists);
    EXPECT_EQ(importSettingsFile(lists, folder / "none.cfg").status, SettingsFileStatus::Missing);
    EXPECT_EQ(importSettingsFile(lists, folder.path()).status, SettingsFileStatus::NotAFile);
    // A file over the bound of any settings file is refused unread, whatever it holds.
    writeBytes(folder / "huge.cfg",
               "[option]\r\nOperation Mode=For/Rev\r\n" + std::string(kProfileFileBytesLimit, ' '));
    EXPECT_EQ(importSettingsFile(lists, folder / "huge.cfg").status, SettingsFileStatus::TooLarge);
    writeBytes(folder / "no-option.cfg", "[memo]\r\nmemo=x\r\n");
    const SettingsImport noOption = importSettingsFile(lists, folder / "no-option.cfg");
    EXPECT_EQ(noOption.status, SettingsFileStatus::Ok);
    EXPECT_TRUE(noOption.unmatched().empty());
    EXPECT_EQ(selectedTexts(lists), before);
}

TEST(SettingsFile, ExportKeepsOtherSectionsAndReportsFailure) {
    TempFolder folder;
    const auto sheet = folder / "sheet.ini";
    writeBytes(sheet, "[info]\nDriver=Sam\n[option]\nOperation Mode=For/Rev\nCustom=kept\n");
    auto lists = filledLists(EscFamily::Expert, "1.30");
    selectFactoryDefaults(lists);
    ASSERT_EQ(exportSettingsFile(lists, sheet), SettingsFileStatus::Ok);
    const std::string written = readBytes(sheet);
    EXPECT_EQ(written.rfind("[info]\nDriver=Sam\n[option]\nOperation "
                            "Mode=For/Brake\nCustom=kept\nReverse Speed=25%\n",
                            0),
              0u);
    EXPECT_EQ(readProfileString(sheet, "option", "Rotation Mode", "", 20), "Normal");

    writeBytes(folder / "file", "x");
    std::error_code reason;
    EXPECT_EQ(exportSettingsFile(lists, folder / "file" / "a.cfg", &reason),
              SettingsFileStatus::WriteFailed);
#ifdef _WIN32
    // Windows calls a file standing where a folder should be a path that is not found.
    EXPECT_EQ(reason, std::errc::no_such_file_or_directory) << reason.message();
#else
    EXPECT_EQ(reason, std::errc::not_a_directory) << reason.message();
#endif
    EXPECT_EQ(exportSettingsFile(lists, folder / "none" / "a.cfg", &reason),
              SettingsFileStatus::WriteFailed);
    EXPECT_EQ(reason, std::errc::no_such_file_or_directory) << reason.message();
    EXPECT_EQ(exportSettingsFile(lists, folder.path(), &reason), SettingsFileStatus::NotAFile);
    EXPECT_EQ(reason, std::errc::is_a_directory) << reason.message();
    // A file too large to be a settings file is not replaced by one.
    writeBytes(folder / "huge.cfg", std::string(kProfileFileBytesLimit + 1, ';'));
    EXPECT_EQ(exportSettingsFile(lists, folder / "huge.cfg", &reason),
              SettingsFileStatus::TooLarge);
    EXPECT_EQ(reason, std::errc::file_too_large) << reason.message();
    EXPECT_EQ(std::filesystem::file_size(folder / "huge.cfg"), kProfileFileBytesLimit + 1);
}

TEST(SettingsFile, ExportPathEndsInCfgOnce) {
    EXPECT_EQ(settingsExportPath("/tmp/race"), std::filesystem::path("/tmp/race.cfg"));
    EXPECT_EQ(settingsExportPath("/tmp/race.cfg"), std::filesystem::path("/tmp/race.cfg"));
    EXPECT_EQ(settingsExportPath("/tmp/RACE.CFG"), std::filesystem::path("/tmp/RACE.CFG"));
    EXPECT_EQ(settingsExportPath("/tmp/race.ini"), std::filesystem::path("/tmp/race.ini.cfg"));
    EXPECT_EQ(settingsExportPath("/tmp/.cfg"), std::filesystem::path("/tmp/.cfg.cfg"));
}

}  // namespace
}  // namespace orvek
