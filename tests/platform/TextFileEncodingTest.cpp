// Text files as Windows tools leave them on disk: each encoding told by its mark or its bytes,
// its lines split and decoded, bytes that do not decode kept as they are, and new lines encoded
// so that the file reads back the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextFileEncoding.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::readBytes;
using testing::TempFolder;

// "Jérôme €" in each encoding, and a racing car, which UTF-16 stores as a surrogate pair.
const std::string kName = "J\xC3\xA9r\xC3\xB4me \xE2\x82\xAC";
const std::string kCar = "\xF0\x9F\x8F\x8E";
const std::string kReplacement = "\xEF\xBF\xBD";

TextFileContent load(const TempFolder& folder, const std::string& name, const std::string& bytes) {
    return splitTextFile(readBytes(folder.write(name, bytes)));
}

std::vector<std::string> textsOf(const TextFileContent& content) {
    std::vector<std::string> texts;
    for (const TextLine& line : content.lines) texts.push_back(line.text);
    return texts;
}

// Every line's raw bytes after the mark give the file back byte for byte.
std::string rebuilt(const TextFileContent& content) {
    std::string bytes = content.byteOrderMark;
    for (const TextLine& line : content.lines) bytes += line.raw;
    return bytes;
}

TEST(TextFileEncoding, EachEncodingIsToldByItsMarkOrItsBytesAndDecodedToUtf8) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string mark;
    };
    const std::vector<Case> cases = {
        {"ascii.ini", "Driver=Sam\r\n", TextEncoding::Utf8, ""},
        {"utf8.ini", "Driver=" + kName + "\r\n", TextEncoding::Utf8, ""},
        {"utf8-bom.ini",
         "\xEF\xBB\xBF"
         "Driver=" +
             kName + "\r\n",
         TextEncoding::Utf8WithBom, "\xEF\xBB\xBF"},
        {"western.ini", "Driver=J\xE9r\xF4me \x80\r\n", TextEncoding::Windows1252, ""},
        {"utf16le.ini",
         std::string("\xFF\xFE"
                     "D\0r\0i\0v\0e\0r\0=\0J\0\xE9\0r\0\xF4\0m\0e\0 \0\xAC\x20\r\0\n\0",
                     36),
         TextEncoding::Utf16Le, "\xFF\xFE"},
        {"utf16be.ini",
         std::string("\xFE\xFF\0D\0r\0i\0v\0e\0r\0=\0J\0\xE9\0r\0\xF4\0m\0e\0 \x20\xAC\0\r\0\n",
                     36),
         TextEncoding::Utf16Be, "\xFE\xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextFileContent content = load(folder, c.name, c.bytes);
        EXPECT_EQ(content.encoding, c.encoding);
        EXPECT_EQ(content.byteOrderMark, c.mark);
        EXPECT_EQ(detectTextFormat(c.bytes).markLength, c.mark.size());
        ASSERT_EQ(content.lines.size(), 1u);
        EXPECT_EQ(content.lines[0].text,
                  c.name == std::string("ascii.ini") ? "Driver=Sam" : "Driver=" + kName);
        EXPECT_EQ(content.lines[0].lineEnd, "\r\n");
        EXPECT_EQ(rebuilt(content), c.bytes);
    }
}

TEST(TextFileEncoding, EveryLineEndSplitsAndTheFirstOneIsKeptForNewLines) {
    TempFolder folder;
    const std::string bytes = "[info]\nDriver=Sam\r\nDate=2024\rMemo=last";
    const TextFileContent content = load(folder, "mixed.ini", bytes);
    EXPECT_EQ(textsOf(content),
              (std::vector<std::string>{"[info]", "Driver=Sam", "Date=2024", "Memo=last"}));
    ASSERT_EQ(content.lines.size(), 4u);
    EXPECT_EQ(content.lines[1].lineEnd, "\r\n");
    EXPECT_EQ(content.lines[2].lineEnd, "\r");
    EXPECT_EQ(content.lines[3].lineEnd, "");
    EXPECT_EQ(content.lineEnd, "\n");
    EXPECT_EQ(rebuilt(content), bytes);

    // A file without any line end gives its new lines Windows' own.
    EXPECT_EQ(load(folder, "one.ini", "Driver=Sam").lineEnd, "\r\n");
    // An empty file, and one holding only its mark, have no lines at all.
    EXPECT_TRUE(load(folder, "empty.ini", "").lines.empty());
    const TextFileContent markOnly = load(folder, "mark.ini", "\xFF\xFE");
    EXPECT_EQ(markOnly.encoding, TextEncoding::Utf16Le);
    EXPECT_TRUE(markOnly.lines.empty());
}

TEST(TextFileEncoding, Utf16LinesEndOnlyAtWholeLineEndUnits) {
    TempFolder folder;
    // U+0A0D is stored as the bytes 0D 0A: one character, not a line end.
    const std::string bytes = std::string(
        "\xFF\xFE"
        "k\0=\0\x0D\x0A"
        "z\0\r\0\n\0x\0",
        16);
    const TextFileContent content = load(folder, "unit.ini", bytes);
    ASSERT_EQ(content.lines.size(), 2u);
    EXPECT_EQ(content.lines[0].text, "k=\xE0\xA8\x8Dz");
    EXPECT_EQ(content.lines[1].text, "x");
    EXPECT_EQ(rebuilt(content), bytes);
}

TEST(TextFileEncoding, BytesThatDoNotDecodeBecomeReplacementsAndStayInTheFile) {
    TempFolder folder;
    // A mark says UTF-8: a stray byte is a replacement, not a reason to read the Western page.
    const std::string marked =
        "\xEF\xBB\xBF"
        "a\xFF"
        "b\r\n";
    const TextFileContent utf8 = load(folder, "marked.ini", marked);
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8WithBom);
    EXPECT_EQ(textsOf(utf8), std::vector<std::string>{"a" + kReplacement + "b"});
    EXPECT_EQ(rebuilt(utf8), marked);

    // Without a mark, bytes that are not strict UTF-8 (an overlong form, an encoded surrogate,
    // a sequence cut short) are the Western page; its five undefined bytes are C1 controls.
    for (const std::string& bytes : {std::string("\xC0\xAF"), std::string("\xED\xA0\x80"),
                                     std::string("\xE2\x82"), std::string("\xF4\x90\x80\x80")}) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(isValidUtf8(bytes));
        EXPECT_EQ(load(folder, "western.ini", bytes).encoding, TextEncoding::Windows1252);
    }
    EXPECT_EQ(textsOf(load(folder, "c1.ini", "\x81\x8D\x8F\x90\x9D\xC0\xAF")),
              std::vector<std::string>{"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC3\x80\xC2\xAF"});

    // UTF-16: a lone surrogate, and a last byte that is half a unit.
    const std::string broken = std::string("\xFE\xFF\xD8\x3C\0a\0b\0", 9);
    const TextFileContent utf16 = load(folder, "broken.ini", broken);
    EXPECT_EQ(textsOf(utf16), std::vector<std::string>{kReplacement + "ab" + kReplacement});
    EXPECT_EQ(rebuilt(utf16), broken);
}

TEST(TextFileEncoding, NewLinesWrittenInTheFilesEncodingReadBackTheSame) {
    TempFolder folder;
    const std::string line = "Memo=" + kName + " " + kCar;
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf8WithBom,
                                        TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
        SCOPED_TRACE(static_cast<int>(encoding));
        const std::string mark = encoding == TextEncoding::Utf8WithBom ? "\xEF\xBB\xBF"
                                 : encoding == TextEncoding::Utf16Le   ? "\xFF\xFE"
                                 : encoding == TextEncoding::Utf16Be   ? "\xFE\xFF"
                                                                       : "";
        const auto text = encodeText(line, encoding);
        const auto end = encodeText("\r\n", encoding);
        ASSERT_TRUE(text && end);
        const TextFileContent content = load(folder, "round.ini", mark + *text + *end + *text);
        EXPECT_EQ(content.encoding, encoding);
        EXPECT_EQ(textsOf(content), (std::vector<std::string>{line, line}));
    }
    // The racing car is one surrogate pair, in each byte order.
    EXPECT_EQ(encodeText(kCar, TextEncoding::Utf16Le), std::string("\x3C\xD8\xCE\xDF"));
    EXPECT_EQ(encodeText(kCar, TextEncoding::Utf16Be), std::string("\xD8\x3C\xDF\xCE"));

    // The Western page stores what it has, and refuses what it has not.
    const auto western = encodeText(kName, TextEncoding::Windows1252);
    ASSERT_TRUE(western);
    EXPECT_EQ(*western, "J\xE9r\xF4me \x80");
    EXPECT_EQ(textsOf(load(folder, "western.ini", *western)), std::vector<std::string>{kName});
    EXPECT_FALSE(encodeText(kCar, TextEncoding::Windows1252));
    EXPECT_FALSE(encodeText("\xE6\x97\xA5", TextEncoding::Windows1252));
    // Text that is not UTF-8 is written in no encoding at all.
    EXPECT_FALSE(encodeText("a\xFF", TextEncoding::Utf8));
    EXPECT_FALSE(encodeText("a\xFF", TextEncoding::Utf16Le));
}

TEST(TextFileEncoding, LengthsAndCutsCountUtf16UnitsAndNeverSplitACharacter) {
    const std::string text = "a" + kCar + "\xC3\xA9";
    EXPECT_EQ(utf16Length(text), 4u);
    EXPECT_EQ(utf16Length("a\xFF"), 2u);  // a byte that does not decode counts as one
    EXPECT_EQ(cutToUtf16Units(text, 0), "");
    EXPECT_EQ(cutToUtf16Units(text, 1), "a");
    EXPECT_EQ(cutToUtf16Units(text, 2), "a");  // half the pair does not fit
    EXPECT_EQ(cutToUtf16Units(text, 3), "a" + kCar);
    EXPECT_EQ(cutToUtf16Units(text, 9), text);
}

}  // namespace
}  // namespace orvek
