// The firmware catalogue on real folders: which entries are listed and how, the information
// text, the program folder, and how a device identity reads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "firmware/DeviceIdentity.h"
#include "firmware/FirmwareCatalogue.h"
#include "firmware/ProgramFolder.h"
#include "platform/AsciiCase.h"
#include "platform/UserFolders.h"
#include "settings/EscFamily.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::TempFolder;

std::vector<std::string> titles(const std::vector<FirmwareImageEntry>& entries) {
    std::vector<std::string> result;
    for (const auto& entry : entries) result.push_back(entry.title);
    return result;
}

TEST(FirmwareImageListing, EndingsAreMatchedCaseSensitivelyAndTitledBeforeTheLastDot) {
    TempFolder program;
    for (const char* name : {"Race Setup.kfw", "Race Setup.KFW", "Other.Xup", "a.b.kfw", ".kfw",
                             "basekfw", "X.kfw", "X.xup", "notes.txt", "kfw", "card.xup.bak"}) {
        program.write(std::filesystem::path("Firmware") / name, ":00000001FF\n");
    }
    const FirmwareImageLists lists = ListFirmwareImages(program.path());

    EXPECT_EQ(titles(lists.esc),
              (std::vector<std::string>{"", "a.b", "basekfw", "kfw", "Race Setup", "X"}));
    EXPECT_EQ(titles(lists.programCard), (std::vector<std::string>{"X"}));

    // Each entry keeps the name it was found under, so the title of a dotless name can be told
    // apart from the file the page would ask for.
    ASSERT_EQ(lists.esc.size(), 6u);
    const FirmwareImageEntry& dotless = lists.esc[2];
    EXPECT_EQ(dotless.fileName, "basekfw");
    EXPECT_EQ(firmwareFileName(dotless.title, FirmwareTarget::Esc), "basekfw.kfw");
    const FirmwareImageEntry& twoDots = lists.esc[1];
    EXPECT_EQ(firmwareFileName(twoDots.title, FirmwareTarget::Esc), twoDots.fileName);
    EXPECT_EQ(lists.esc[0].fileName, ".kfw");
    EXPECT_EQ(firmwareFileName("X", FirmwareTarget::ProgramCard), "X.xup");
    EXPECT_EQ(firmwareImagePath(program.path(), "X.xup"), program.path() / "Firmware" / "X.xup");
}

TEST(FirmwareImageListing, OnlyDirectFilesAreListedAndSortingIgnoresCase) {
    TempFolder program;
    for (const char* name :
         {"beta.kfw", "Alpha.kfw", "alpha2.kfw", "GAMMA.kfw", "delta.xup", "Charlie.xup"}) {
        program.write(std::filesystem::path("Firmware") / name, "");
    }
    program.write("Firmware/Nested/deep.kfw", "");
    program.write("Firmware/Nested/deep.xup", "");
    std::filesystem::create_directories(program.path() / "Firmware" / "folder.kfw");
    program.write("outside.kfw", "");

    const FirmwareImageLists lists = ListFirmwareImages(program.path());
    EXPECT_EQ(titles(lists.esc), (std::vector<std::string>{"Alpha", "alpha2", "beta", "GAMMA"}));
    EXPECT_EQ(titles(lists.programCard), (std::vector<std::string>{"Charlie", "delta"}));

    EXPECT_TRUE(lessIgnoringCase("abc", "ABD"));
    EXPECT_FALSE(lessIgnoringCase("abd", "ABC"));
    EXPECT_TRUE(lessIgnoringCase("ab", "AbC"));
    // Titles equal but for case still come out in one fixed order.
    EXPECT_NE(lessIgnoringCase("abc", "ABC"), lessIgnoringCase("ABC", "abc"));
}

TEST(FirmwareImageListing, MissingOrEmptyFolderGivesEmptyLists) {
    TempFolder program;
    FirmwareImageLists lists = ListFirmwareImages(program.path());
    EXPECT_TRUE(lists.esc.empty());
    EXPECT_TRUE(lists.programCard.empty());

    std::filesystem::create_directories(program.path() / "Firmware");
    lists = ListFirmwareImages(program.path());
    EXPECT_TRUE(lists.esc.empty());
    EXPECT_TRUE(lists.programCard.empty());
}

TEST(FirmwareInformation, EveryLineEndsInCrLfIncludingTheLast) {
    TempFolder program;
    struct Case {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"only line", "only line\r\n"},
        {"one\ntwo\n", "one\r\ntwo\r\n"},
        {"one\r\ntwo", "one\r\ntwo\r\n"},
        {"\n\nthird\r\n", "\r\n\r\nthird\r\n"},
        {"caf\xE9\n", "caf\xE9\r\n"},  // 8-bit text passes through byte for byte
    };
    for (const Case& c : cases) {
        program.write("FirmwareInformation.txt", c.stored);
        const std::optional<std::string> text = LoadFirmwareInformation(program.path());
        ASSERT_TRUE(text.has_value()) << c.stored;
        EXPECT_EQ(*text, c.shown) << c.stored;
    }

    const std::string longLine(5000, 'x');
    program.write("FirmwareInformation.txt", longLine);
    EXPECT_EQ(LoadFirmwareInformation(program.path()), longLine + "\r\n");
}

TEST(FirmwareInformation, PanelTextIsUtf8WhenValidAndWindowsWesternOtherwise) {
    struct Case {
        const char* loaded;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"V1.40\r\n  faster\r\n", "V1.40\n  faster\n"},
        {"caf\xC3\xA9 \xE2\x80\x93 ok\r\n", "caf\xC3\xA9 \xE2\x80\x93 ok\n"},  // UTF-8 as written
        {"\xEF\xBB\xBFmark\r\n", "mark\n"},  // byte-order mark dropped
        {"caf\xE9 \x96 \x80\r\n", "caf\xC3\xA9 \xE2\x80\x93 \xE2\x82\xAC\n"},  // Windows code page
    };
    for (const Case& c : cases) EXPECT_EQ(informationDisplayText(c.loaded), c.shown) << c.loaded;
}

TEST(FirmwareInformation, MissingFileOrFolderInItsPlaceGivesNothing) {
    TempFolder program;
    EXPECT_FALSE(LoadFirmwareInformation(program.path()).has_value());
    std::filesystem::create_directories(firmwareInformationPath(program.path()));
    EXPECT_FALSE(LoadFirmwareInformation(program.path()).has_value());
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
    EXPECT_EQ(executableFolder("/opt/orvek/bin/orvek-link"),
              std::filesystem::path("/opt/orvek/bin"));
    EXPECT_EQ(executableFolder("/orvek-link"), std::filesystem::path("/"));
    EXPECT_EQ(executableFolder("orvek-link"), std::filesystem::path("."));
    EXPECT_EQ(executableFolder("build/My Tools/orvek-link"),
              std::filesystem::path("build/My Tools"));

    // The test binary itself is the running executable.
    const std::optional<std::filesystem::path> running = runningExecutablePath();
    ASSERT_TRUE(running.has_value());
    EXPECT_EQ(running->stem(), "firmware_catalogue_tests");
    EXPECT_EQ(programFolder(), running->parent_path());
    EXPECT_EQ(programFolder(std::filesystem::path("/data/orvek")),
              std::filesystem::path("/data/orvek"));
    EXPECT_EQ(programFolder(std::filesystem::path()), running->parent_path());
}

TEST(ProgramFolder, PortableFolderWinsThenTheInstalledDataFolderBesideTheExecutable) {
    TempFolder root;
    const std::filesystem::path bin = root.path() / "usr" / "bin";
    std::filesystem::create_directories(bin);
    // Neither layout: the executable's folder all the same.
    EXPECT_EQ(programFolderFor(bin), bin);

    root.write("usr/share/orvek-link/config.ini", "[TEXT INFO]\r\n");
    EXPECT_EQ(programFolderFor(bin),
              std::filesystem::weakly_canonical(root.path() / "usr/share/orvek-link"));

    // Any one piece of program data beside the executable makes it portable.
    for (const char* entry : {"Profile/Modify Touring/a.ini", "Firmware/x.kfw",
                              "FirmwareInformation.txt", "config.ini"}) {
        TempFolder portable;
        portable.write("bin/" + std::string(entry), "");
        portable.write("share/orvek-link/config.ini", "");
        EXPECT_EQ(programFolderFor(portable.path() / "bin"), portable.path() / "bin") << entry;
    }
}

TEST(DeviceIdentityText, VersionCodesReadAsTenthsAboveOne) {
    EXPECT_EQ(escVersionText(0), "1.00");
    EXPECT_EQ(escVersionText(3), "1.30");
    EXPECT_EQ(escVersionText(5), "1.50");
    EXPECT_EQ(escVersionText(12), "2.20");
    EXPECT_EQ(escVersionText(99), "10.90");
    EXPECT_EQ(escVersionText(255), "26.50");
    EXPECT_EQ(firmwareName("Expert V", 12), "Expert V2.20");
    EXPECT_EQ(firmwareName(kProgramCardFirmwarePrefix, 5), "ORVEK QLX V1.50");
}

TEST(DeviceIdentityText, ModelTableHasThreeRows) {
    ASSERT_TRUE(findEscModel(0x0B));
    EXPECT_STREQ(findEscModel(0x0B)->modelName, "ORVEK ARC");
    EXPECT_STREQ(findEscModel(0x0B)->hardwareVersion, "Tarnwick V1.1MD");
    EXPECT_STREQ(findEscModel(0x0C)->modelName, "ORVEK BASIS SPEC");
    EXPECT_STREQ(findEscModel(0x0C)->firmwarePrefix, "Stock V");
    EXPECT_STREQ(findEscModel(0x0D)->modelName, "ORVEK ZETA");
    EXPECT_STREQ(findEscModel(0x0D)->hardwareVersion, "Tarnwick V1.1BK");
    EXPECT_STREQ(findEscModel(0x0D)->firmwarePrefix, "Blinky V");
    for (int code : {0x00, 0x0A, 0x0E, 0xFF})
        EXPECT_FALSE(findEscModel(static_cast<std::uint8_t>(code))) << code;
}

TEST(DeviceIdentityText, ShownValuesFollowTheStoredReplyAndSurviveUnknownTypes) {
    FirmwareIdentity identity;
    EXPECT_EQ(identity.escInfo(), EscInfo{});

    identity.storeEscInfo({0x0C, 0x40, 0, 7, 0, 0, 0});
    EXPECT_TRUE(identity.showDeviceInfo(FirmwareTarget::Esc));
    EXPECT_EQ(identity.escModelName(), "ORVEK BASIS SPEC");
    EXPECT_EQ(identity.escHardwareVersion(), "Tarnwick V1.1ST");
    EXPECT_EQ(identity.escFirmware(), "Stock V1.70");
    EXPECT_EQ(identity.cardFirmware(), "");  // the card's values are untouched by an ESC

    // An unknown type code leaves the ESC values as they were.
    identity.storeEscInfo({0x0A, 0x40, 0, 9, 0, 0, 0});
    EXPECT_FALSE(identity.showDeviceInfo(FirmwareTarget::Esc));
    EXPECT_EQ(identity.escModelName(), "ORVEK BASIS SPEC");
    EXPECT_EQ(identity.escFirmware(), "Stock V1.70");

    // The card reads byte 5 whatever the type code, and has no hardware version.
    identity.storeEscInfo({0x0A, 0, 0, 9, 0, 0, 0});
    EXPECT_TRUE(identity.showDeviceInfo(FirmwareTarget::ProgramCard));
    EXPECT_EQ(identity.cardModelName(), "ORVEK PROGRAM CARD");
    EXPECT_EQ(identity.cardFirmware(), "ORVEK QLX V1.00");
    EXPECT_EQ(identity.cardHardwareVersion(), "");
    EXPECT_EQ(identity.escFirmware(), "Stock V1.70");
}

TEST(FirmwareImageListing, UserImagesAreListedWithTheInstalledOnesAndTheUsersFileIsOpened) {
    TempFolder program;
    TempFolder user;
    program.write("Firmware/Stock.kfw", ":00000001FF\n");
    program.write("Firmware/Shared.kfw", ":00000001FF\n");
    program.write("Firmware/Card.xup", "00");
    user.write("Firmware/Shared.kfw", ":00000001FF\n");
    user.write("Firmware/Mine.kfw", ":00000001FF\n");
    user.write("Firmware/Mine.xup", "00");

    const FirmwareImageLists lists = ListFirmwareImages(program.path(), user.path());
    EXPECT_EQ(titles(lists.esc), (std::vector<std::string>{"Mine", "Shared", "Stock"}));
    EXPECT_EQ(titles(lists.programCard), (std::vector<std::string>{"Card", "Mine"}));

    EXPECT_EQ(firmwareImagePath(program.path(), "Shared.kfw", user.path()),
              user.path() / "Firmware" / "Shared.kfw");
    EXPECT_EQ(firmwareImagePath(program.path(), "Mine.xup", user.path()),
              user.path() / "Firmware" / "Mine.xup");
    EXPECT_EQ(firmwareImagePath(program.path(), "Stock.kfw", user.path()),
              program.path() / "Firmware" / "Stock.kfw");
    EXPECT_EQ(firmwareImagePath(program.path(), "Stock.kfw", std::nullopt),
              program.path() / "Firmware" / "Stock.kfw");
}

#ifndef _WIN32
// Windows takes them from the known folders instead.
TEST(UserFolders, FollowTheXdgVariablesAndFallBackToHome) {
    const auto keep = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto data = keep("XDG_DATA_HOME"), config = keep("XDG_CONFIG_HOME"), home = keep("HOME");
    setenv("XDG_DATA_HOME", "/srv/racer/data", 1);
    setenv("XDG_CONFIG_HOME", "/srv/racer/config", 1);
    EXPECT_EQ(userDataFolder(), std::filesystem::path("/srv/racer/data/orvek-link"));
    EXPECT_EQ(userConfigFolder(), std::filesystem::path("/srv/racer/config/orvek-link"));
    // Empty or relative values are not folders to use.
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("XDG_CONFIG_HOME", "", 1);
    setenv("HOME", "/home/racer", 1);
    EXPECT_EQ(userDataFolder(), std::filesystem::path("/home/racer/.local/share/orvek-link"));
    EXPECT_EQ(userConfigFolder(), std::filesystem::path("/home/racer/.config/orvek-link"));
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_FALSE(userDataFolder());
    EXPECT_FALSE(userConfigFolder());
    for (const auto& [name, value] :
         {std::pair{"XDG_DATA_HOME", data}, {"XDG_CONFIG_HOME", config}, {"HOME", home}}) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
}

#endif

}  // namespace
}  // namespace orvek
