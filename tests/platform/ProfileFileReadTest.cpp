// Reading profile files: files written by Windows tools must give the values the Windows
// reader gives.
#include <gtest/gtest.h>

#include "platform/ProfileFile.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::TempFolder;
using testing::utf16Le;
using testing::writeBytes;

std::string Read(const std::filesystem::path& file, const char* section, const char* key,
                 std::size_t buffer = 260) {
    return readProfileString(file, section, key, "<default>", buffer);
}

TEST(ProfileFileRead, MatchesSectionsAndKeysIgnoringCaseFirstMatchWins) {
    TempFolder folder;
    const auto file = folder / "sheet.ini";
    writeBytes(file,
               "Driver=before any section\r\n"
               "[Option]\r\n"
               "Operation Mode=For/Rev\r\n"
               "OPERATION MODE=For/Brake\r\n"
               "[info]\r\n"
               "Driver=Second section\r\n"
               "[OPTION]\r\n"
               "Operation Mode=from the duplicate section\r\n"
               "Low Volt Cut=only in the duplicate\r\n");

    EXPECT_EQ(Read(file, "option", "operation mode"), "For/Rev");
    EXPECT_EQ(Read(file, "OPTION", "Operation Mode"), "For/Rev");
    // Only the first matching section is searched.
    EXPECT_EQ(Read(file, "option", "Low Volt Cut"), "<default>");
    EXPECT_EQ(Read(file, "INFO", "driver"), "Second section");
    // Keys before the first section belong to no section.
    EXPECT_EQ(Read(file, "", "Driver"), "<default>");
    EXPECT_EQ(Read(file, "Opt", "Operation Mode"), "<default>");
    EXPECT_EQ(Read(file, "option", "Operation"), "<default>");
}

TEST(ProfileFileRead, TrimsBlanksAndRemovesOnePairOfEnclosingQuotes) {
    TempFolder folder;
    const auto file = folder / "values.ini";
    writeBytes(file,
               "  [ memo ]  \n"
               "\t plain \t=\t  Level 7 \t \n"
               "double=\"  quoted text  \"\n"
               "single='x'\n"
               "nested=\"'inner'\"\n"
               "mismatched=\"abc'\n"
               "lonequote=\"\n"
               "inside=a \"b\" c\n"
               "equals=a=b=c\n"
               "empty=\n"
               "blank=   \n");

    EXPECT_EQ(Read(file, "memo", "plain"), "Level 7");
    EXPECT_EQ(Read(file, "memo", "double"), "  quoted text  ");
    EXPECT_EQ(Read(file, "memo", "single"), "x");
    EXPECT_EQ(Read(file, "memo", "nested"), "'inner'");
    EXPECT_EQ(Read(file, "memo", "mismatched"), "\"abc'");
    EXPECT_EQ(Read(file, "memo", "lonequote"), "\"");
    EXPECT_EQ(Read(file, "memo", "inside"), "a \"b\" c");
    EXPECT_EQ(Read(file, "memo", "equals"), "a=b=c");
    // A present but empty value is the empty text, not the default.
    EXPECT_EQ(Read(file, "memo", "empty"), "");
    EXPECT_EQ(Read(file, "memo", "blank"), "");
}

TEST(ProfileFileRead, CommentsAndLinesWithoutEqualsAreNotKeys) {
    TempFolder folder;
    const auto file = folder / "comments.ini";
    writeBytes(file,
               "[option]\n"
               ";Operation Mode=For/Rev\n"
               "  ; Reverse Speed=50%\n"
               "Drag Brake\n"
               "Operation Mode=For/Rev/Brake\n"
               "Reverse Speed=75% ; not a comment here\n");

    EXPECT_EQ(Read(file, "option", "Operation Mode"), "For/Rev/Brake");
    EXPECT_EQ(Read(file, "option", "Reverse Speed"), "75% ; not a comment here");
    EXPECT_EQ(Read(file, "option", "Drag Brake"), "<default>");
    EXPECT_EQ(Read(file, "option", ";Operation Mode"), "<default>");
}

TEST(ProfileFileRead, CutsValuesToTheBufferLengthMinusOne) {
    TempFolder folder;
    const auto file = folder / "long.ini";
    const std::string longValue(400, 'x');
    writeBytes(file, "[option]\r\nBoost ACC=650 RPM/deg and then more\r\n[info]\r\nDriver=" +
                         longValue + "\r\n[memo]\r\nmemo=\"" + std::string(300, 'q') + "\"\r\n");

    EXPECT_EQ(Read(file, "option", "Boost ACC", 20), "650 RPM/deg and the");
    EXPECT_EQ(Read(file, "info", "Driver", 260), std::string(259, 'x'));
    // Quotes come off before the cut.
    EXPECT_EQ(Read(file, "memo", "memo", 260), std::string(259, 'q'));
    EXPECT_EQ(Read(file, "option", "Boost ACC", 1), "");
    EXPECT_EQ(Read(file, "option", "Boost ACC", 0), "");
    // The default is cut the same way.
    EXPECT_EQ(readProfileString(file, "option", "missing", "Operation Mode", 5), "Oper");
}

TEST(ProfileFileRead, CutsByCharactersNeverInsideOne) {
    TempFolder folder;
    const auto file = folder / "utf8.ini";
    // "é" is one UTF-16 unit, "𝄞" (U+1D11E) two.
    writeBytes(file,
               "[info]\nDriver=\xC3\xA9\xC3\xA9\xC3\xA9\nMotor=a\xF0\x9D\x84\x9E"
               "b\n");
    EXPECT_EQ(Read(file, "info", "Driver", 3), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(Read(file, "info", "Motor", 3), "a");
    EXPECT_EQ(Read(file, "info", "Motor", 4), "a\xF0\x9D\x84\x9E");
}

TEST(ProfileFileRead, MissingFileSectionOrKeyGivesTheDefault) {
    TempFolder folder;
    EXPECT_EQ(readProfileString(folder / "none.ini", "option", "Boost RPM", "Boost RPM", 20),
              "Boost RPM");
    // The Windows reader drops trailing blanks of the default (and only of the default).
    EXPECT_EQ(readProfileString(folder / "none.ini", "option", "x", "  fallback   ", 20),
              "  fallback");
    // A folder where a file is expected reads like a missing file.
    EXPECT_EQ(readProfileString(folder.path(), "option", "x", "d", 20), "d");
    const LoadedProfile missing = loadProfileFile(folder / "none.ini");
    EXPECT_EQ(missing.status, ProfileFileStatus::Missing);
    EXPECT_EQ(loadProfileFile(folder.path()).status, ProfileFileStatus::NotAFile);
}

TEST(ProfileFileRead, ReadsUtf16WithByteOrderMarkAndEveryLineEnd) {
    TempFolder folder;
    const auto le = folder / "le.ini";
    writeBytes(le, "\xFF\xFE" + utf16Le("[info]\r\nDriver=J\xE9r\xF4me\r\nDate=2024\r\n"));
    EXPECT_EQ(Read(le, "info", "Driver"), "J\xC3\xA9r\xC3\xB4me");
    EXPECT_EQ(Read(le, "INFO", "date"), "2024");

    // Big-endian, with a character outside the basic plane and LF line ends.
    const auto be = folder / "be.ini";
    const char beBytes[] = "\xFE\xFF\0[\0i\0n\0f\0o\0]\0\n\0M\0=\xD8\x34\xDD\x1E\0\n";
    writeBytes(be, std::string(beBytes, sizeof beBytes - 1));
    EXPECT_EQ(Read(be, "info", "M"), "\xF0\x9D\x84\x9E");

    // A unit 0x0A0D is a character, not two line ends.
    const auto tricky = folder / "tricky.ini";
    writeBytes(tricky,
               "\xFF\xFE" + utf16Le("[a]\nk=") + std::string("\x0D\x0A", 2) + utf16Le("z\n"));
    EXPECT_EQ(Read(tricky, "a", "k"), "\xE0\xA8\x8Dz");

    const auto crOnly = folder / "cr.ini";
    writeBytes(crOnly, "[option]\rOperation Mode=For/Rev\rReverse Speed=50%");
    EXPECT_EQ(Read(crOnly, "option", "Reverse Speed"), "50%");
}

TEST(ProfileFileRead, Reads8BitTextAsUtf8OrAsTheWesternWindowsCodePage) {
    TempFolder folder;
    const auto utf8Bom = folder / "bom.ini";
    writeBytes(utf8Bom, "\xEF\xBB\xBF[info]\r\nDriver=M\xC3\xBCller\r\n");
    EXPECT_EQ(Read(utf8Bom, "info", "Driver"), "M\xC3\xBCller");

    // Saved by Notepad on a Western Windows machine: ü is the byte 0xFC, € is 0x80.
    const auto ansi = folder / "ansi.ini";
    writeBytes(ansi, "[info]\r\nDriver=M\xFCller\r\nMotor=99\x80\r\n");
    EXPECT_EQ(Read(ansi, "info", "Driver"), "M\xC3\xBCller");
    EXPECT_EQ(Read(ansi, "info", "Motor"), "99\xE2\x82\xAC");
}

TEST(ProfileFileRead, DocumentKeepsUnchangedBytesExactly) {
    const std::string samples[] = {
        "",
        "[a]\r\nk=v",
        "\xFF\xFE" + utf16Le("[a]\r\nk=v\r\n") + "\x41",
        "\xEF\xBB\xBF;c\n\n[x]\rk = 'v'\r\n",
        "[a]\nk=M\xFCller\n",
    };
    for (const auto& bytes : samples) {
        EXPECT_EQ(ProfileDocument::fromBytes(bytes).toBytes(), bytes);
    }
}

}  // namespace
}  // namespace orvek
