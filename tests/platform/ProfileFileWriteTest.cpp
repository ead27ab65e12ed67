// Writing profile files: one key changes, every other byte of the file stays.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/ProfileFile.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::utf16Le;
using testing::writeBytes;

TEST(ProfileFileWrite, NewFileGetsWindowsLayout) {
    TempFolder folder;
    const auto file = folder / "race.cfg";
    ASSERT_TRUE(writeProfileString(file, "option", "Operation Mode", "For/Brake"));
    ASSERT_TRUE(writeProfileString(file, "option", "Reverse Speed", "25%"));
    ASSERT_TRUE(writeProfileString(file, "info", "Driver", ""));
    EXPECT_EQ(readBytes(file),
              "[option]\r\nOperation Mode=For/Brake\r\nReverse Speed=25%\r\n[info]\r\nDriver=\r\n");
}

TEST(ProfileFileWrite, ReplacingAKeyKeepsEveryOtherLine) {
    TempFolder folder;
    const auto file = folder / "sheet.ini";
    const std::string before =
        "; team sheet, do not edit\n"
        "[option]\n"
        "  operation mode = For/Rev   \n"
        "Reverse Speed=50%\n"
        "Operation Mode=second, never read\n"
        "\n"
        "[info]\n"
        "Driver=\"Sam\"\n";
    writeBytes(file, before);

    ASSERT_TRUE(writeProfileString(file, "OPTION", "Operation Mode", "For/Brake"));
    // The first matching key's line is rewritten with its own spelling of the key.
    EXPECT_EQ(readBytes(file),
              "; team sheet, do not edit\n"
              "[option]\n"
              "operation mode=For/Brake\n"
              "Reverse Speed=50%\n"
              "Operation Mode=second, never read\n"
              "\n"
              "[info]\n"
              "Driver=\"Sam\"\n");
    EXPECT_EQ(readProfileString(file, "option", "Operation Mode", "", 20), "For/Brake");
}

TEST(ProfileFileWrite, MissingKeyGoesToTheEndOfItsSectionMissingSectionToTheEnd) {
    TempFolder folder;
    const auto file = folder / "sheet.ini";
    writeBytes(file,
               "[option]\r\n"
               "Operation Mode=For/Rev\r\n"
               "\r\n"
               "[info]\r\n"
               "Driver=Sam\r\n"
               "[option]\r\n"
               "Boost RPM=500");  // duplicate section, no final line end

    ASSERT_TRUE(writeProfileString(file, "option", "Low Volt Cut", "None"));
    ASSERT_TRUE(writeProfileString(file, "memo", "memo", "fast track"));
    EXPECT_EQ(readBytes(file),
              "[option]\r\n"
              "Operation Mode=For/Rev\r\n"
              "Low Volt Cut=None\r\n"
              "\r\n"
              "[info]\r\n"
              "Driver=Sam\r\n"
              "[option]\r\n"
              "Boost RPM=500\r\n"
              "[memo]\r\n"
              "memo=fast track\r\n");
}

TEST(ProfileFileWrite, ExistingFileKeepsItsOwnLineEndsAndEncoding) {
    TempFolder folder;
    const auto lf = folder / "lf.ini";
    writeBytes(lf, "[a]\nk=1\n");
    ASSERT_TRUE(writeProfileString(lf, "b", "k", "2"));
    EXPECT_EQ(readBytes(lf), "[a]\nk=1\n[b]\nk=2\n");

    const auto utf16 = folder / "utf16.ini";
    writeBytes(utf16, "\xFF\xFE" + utf16Le("[info]\r\nDriver=Sam\r\n"));
    ASSERT_TRUE(writeProfileString(utf16, "info", "Driver", "J\xC3\xA9r\xC3\xB4me"));
    ASSERT_TRUE(writeProfileString(utf16, "info", "Date", "2024"));
    EXPECT_EQ(readBytes(utf16),
              "\xFF\xFE" + utf16Le("[info]\r\nDriver=J\xE9r\xF4me\r\nDate=2024\r\n"));

    // A file in the Western Windows code page stays in it.
    const auto ansi = folder / "ansi.ini";
    writeBytes(ansi, "[info]\r\nDriver=M\xFCller\r\n");
    ASSERT_TRUE(writeProfileString(ansi, "info", "Motor", "\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(readBytes(ansi), "[info]\r\nDriver=M\xFCller\r\nMotor=\xE9t\xE9\r\n");
    // ...and refuses what that code page cannot hold rather than garble it.
    EXPECT_FALSE(writeProfileString(ansi, "info", "Motor", "\xE2\x98\x83"));
    EXPECT_EQ(readProfileString(ansi, "info", "Motor", "", 260), "\xC3\xA9t\xC3\xA9");

    // Replacing the only line that is not UTF-8 would make "Ã©" read back as "é": refused.
    const auto lookalike = folder / "lookalike.ini";
    const std::string lookalikeBytes = "[info]\r\nDriver=M\xFCller\r\nRotor=\xC3\xA9\r\n";
    writeBytes(lookalike, lookalikeBytes);
    EXPECT_FALSE(writeProfileString(lookalike, "info", "Driver", "Sam"));
    EXPECT_EQ(readBytes(lookalike), lookalikeBytes);
    EXPECT_TRUE(writeProfileString(lookalike, "info", "Motor", "13.5T"));
    EXPECT_EQ(readProfileString(lookalike, "info", "Rotor", "", 260), "\xC3\x83\xC2\xA9");
}

TEST(ProfileFileWrite, RefusesEntriesThatWouldNotReadBack) {
    TempFolder folder;
    const auto file = folder / "sheet.ini";
    const std::string before = "[option]\r\nOperation Mode=For/Rev\r\n";
    writeBytes(file, before);

    EXPECT_FALSE(writeProfileString(file, "option", "Operation Mode", "For\r\n[evil]\r\nx=1"));
    EXPECT_FALSE(writeProfileString(file, "option", "Operation Mode", std::string("a\0b", 3)));
    EXPECT_FALSE(writeProfileString(file, "option", "", "x"));
    EXPECT_FALSE(writeProfileString(file, "option", "a=b", "x"));
    EXPECT_FALSE(writeProfileString(file, "option", ";key", "x"));
    EXPECT_FALSE(writeProfileString(file, "option", " key", "x"));
    EXPECT_FALSE(writeProfileString(file, "opt]ion", "key", "x"));
    EXPECT_FALSE(writeProfileString(file, "", "key", "x"));
    EXPECT_FALSE(writeProfileString(file, "option", "key", "\xFF\xFE"));  // not UTF-8
    EXPECT_EQ(readBytes(file), before);
}

TEST(ProfileFileWrite, ReportsPathsThatCannotBeWritten) {
    TempFolder folder;
    writeBytes(folder / "plain-file", "x");
    // A file where a folder should be, a missing folder, and a folder where the file should be.
    EXPECT_FALSE(writeProfileString(folder / "plain-file" / "a.cfg", "option", "k", "v"));
    EXPECT_FALSE(writeProfileString(folder / "no-such-folder" / "a.cfg", "option", "k", "v"));
    EXPECT_FALSE(writeProfileString(folder.path(), "option", "k", "v"));
    EXPECT_EQ(readBytes(folder / "plain-file"), "x");
}

#ifndef _WIN32
// Owners, permission bits and symbolic links as POSIX has them.
TEST(ProfileFileWrite, KeepsPermissionsFollowsLinksAndLeavesNoTemporaryFiles) {
    TempFolder folder;
    const auto file = folder / "shared.ini";
    writeBytes(file, "[a]\nk=1\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    const auto link = folder / "link.ini";
    std::filesystem::create_symlink(file, link);

    ASSERT_TRUE(writeProfileString(link, "a", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(file), "[a]\nk=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}

TEST(ProfileFileWrite, ReplacingAnotherUsersFileAsRootKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempFolder folder;
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t owner = nobody ? nobody->pw_uid : 65534;
    const gid_t group = 4321;  // any group: root may give one that has no name
    const auto file = folder / "race.cfg";
    writeBytes(file, "[option]\nBoost RPM=5000\n");
    ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);

    ASSERT_TRUE(writeProfileString(file, "option", "Boost RPM", "6000"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner) << "the owner can still read the file";
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(readBytes(file), "[option]\nBoost RPM=6000\n");
}

#endif

}  // namespace
}  // namespace orvek
