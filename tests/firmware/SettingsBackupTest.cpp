// Settings saved before an ESC firmware update: the file's name, its folder, and its content
// against an export of the same lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "firmware/SettingsBackup.h"
#include "settings/OptionLists.h"
#include "settings/SettingsFile.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::readBytes;
using testing::TempFolder;

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

TEST(SettingsBackup, NameSaysModelFirmwareAndTime) {
    const std::time_t when = localTime(2025, 3, 14, 18, 45, 2);
    EXPECT_EQ(settingsBackupName({0x0B, 0x40, 0, 3, 0, 0, 0}, when),
              "ORVEK-ARC_Expert-V1.30_20250314-184502.cfg");
    EXPECT_EQ(settingsBackupName({0x0C, 0x40, 0, 7, 0, 0, 0}, when),
              "ORVEK-BASIS-SPEC_Stock-V1.70_20250314-184502.cfg");
    // An ESC outside the model table is named by its own type code, never by an earlier model.
    EXPECT_EQ(settingsBackupName({0x0A, 0x40, 0, 255, 0, 0, 0}, when),
              "ESC-type-0A_V26.50_20250314-184502.cfg");
}

TEST(SettingsBackup, FolderFollowsTheUsersDataFolder) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/srv/racer/data");
        EXPECT_EQ(settingsBackupFolder(),
                  std::filesystem::path("/srv/racer/data/orvek-link/backups"));
    }
    ScopedEnv noData("XDG_DATA_HOME", "");
    ScopedEnv home("HOME", "/home/racer");
    EXPECT_EQ(settingsBackupFolder(),
              std::filesystem::path("/home/racer/.local/share/orvek-link/backups"));
}

TEST(SettingsBackup, FileEqualsAnExportAndNeverReplacesAnEarlierOne) {
    TempFolder temp;
    ParameterLists lists;
    FillOptionLists(lists, EscFamily::Stock, "1.70");
    selectFactoryDefaults(lists);
    lists.byKey(key::DragBrake).setSelection(3);
    const EscInfo info{0x0C, 0x40, 0, 7, 0, 0, 0};
    const std::time_t when = localTime(2025, 1, 2, 3, 4, 5);
    const std::filesystem::path folder = temp.path() / "not" / "there" / "yet";

    const SettingsBackup first = backUpEscSettings(lists, info, folder, when);
    ASSERT_TRUE(first.saved);
    EXPECT_EQ(first.file, folder / "ORVEK-BASIS-SPEC_Stock-V1.70_20250102-030405.cfg");
    const std::filesystem::path exported = temp.path() / "export.cfg";
    ASSERT_EQ(exportSettingsFile(lists, exported), SettingsFileStatus::Ok);
    EXPECT_EQ(readBytes(first.file), readBytes(exported));

    // A second backup in the same second keeps the first as it was.
    lists.byKey(key::DragBrake).setSelection(5);
    const SettingsBackup second = backUpEscSettings(lists, info, folder, when);
    ASSERT_TRUE(second.saved);
    EXPECT_EQ(second.file, folder / "ORVEK-BASIS-SPEC_Stock-V1.70_20250102-030405-2.cfg");
    EXPECT_EQ(readBytes(first.file), readBytes(exported));
    EXPECT_NE(readBytes(second.file), readBytes(exported));
}

TEST(SettingsBackup, UnwritableFolderIsReportedWithTheFileItMeant) {
    TempFolder temp;
    const std::filesystem::path blocker =
        temp.write("backups", "a file where the folder should be");
    ParameterLists lists;
    FillOptionLists(lists, EscFamily::Expert, "1.30");
    const SettingsBackup backup =
        backUpEscSettings(lists, {0x0B, 0x40, 0, 3, 0, 0, 0}, blocker, std::time(nullptr));
    EXPECT_FALSE(backup.saved);
    EXPECT_EQ(backup.file.parent_path(), blocker);
    EXPECT_EQ(readBytes(blocker), "a file where the folder should be");
}

}  // namespace
}  // namespace orvek
