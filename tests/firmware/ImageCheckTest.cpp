// Image checks on real files: an Intel HEX image made by objcopy, damaged copies of it, and
// .xup images whose blocks do or do not tile.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "firmware/Crc32.h"
#include "firmware/ImageCheck.h"
#include "firmware/XupImage.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::TempFolder;

std::vector<std::string> splitCrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::string hexByte(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

// Sets a record's type and gives it the checksum that makes it otherwise valid.
std::string withType(const std::string& record, unsigned type) {
    std::string body = record.substr(0, record.size() - 2);
    body.replace(7, 2, hexByte(type));
    unsigned sum = 0;
    for (std::size_t i = 1; i + 1 < body.size(); i += 2)
        sum += std::stoul(body.substr(i, 2), nullptr, 16);
    return body + hexByte((0x100 - (sum & 0xFF)) & 0xFF);
}

class ObjcopyImage : public ::testing::Test {
protected:
    static constexpr std::size_t kImageSize = 40 * 1024;
    static constexpr std::uint64_t kLoadAddress = 0x0800C000;  // crosses a 64 KiB boundary

    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "objcopy makes the image on the Linux side";
#endif
        std::string binary(kImageSize, '\0');
        std::uint32_t state = 0x1234567u;
        for (char& byte : binary) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<char>(state >> 24);
        }
        const auto input = folder_.write("image.bin", binary);
        hexFile_ = folder_.path() / "image.kfw";
        const std::string command = "objcopy -I binary -O ihex --change-addresses 0x0800C000 '" +
                                    input.string() + "' '" + hexFile_.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        lines_ = splitCrLfLines(testing::readBytes(hexFile_));
        ASSERT_GT(lines_.size(), 2000u);
    }

    TempFolder folder_;
    std::filesystem::path hexFile_;
    std::vector<std::string> lines_;
};

TEST_F(ObjcopyImage, PassesAndReportsItsSize) {
    const ImageCheckReport report = checkKfwImage(hexFile_);
    ASSERT_EQ(report.status, ImageReadStatus::Ok);
    for (const auto& problem : report.problems)
        ADD_FAILURE() << problem.line << ": " << problem.what;
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.recordCount, lines_.size());
    EXPECT_EQ(report.dataBytes, static_cast<std::int64_t>(kImageSize));
    ASSERT_TRUE(report.lowestAddress && report.highestAddress);
    EXPECT_EQ(*report.lowestAddress, kLoadAddress);
    EXPECT_EQ(*report.highestAddress, kLoadAddress + kImageSize - 1);
    // 16 data bytes a record: 2560 records of 22 frame bytes, two extended linear address
    // records (8), a start address (10) and the end-of-file record (6).
    EXPECT_EQ(report.frameBytes, 2560 * 22 + 2 * 8 + 10 + 6);
}

TEST_F(ObjcopyImage, DamagedRecordsAreReportedOnTheirLines) {
    const ImageCheckReport original = checkKfwImage(hexFile_);
    std::vector<std::string> damaged = lines_;
    // Line 100: one checksum digit changed.
    std::string& checksumLine = damaged[99];
    checksumLine.back() = checksumLine.back() == '0' ? '1' : '0';
    // Line 200: record type 07 with a checksum that matches it.
    damaged[199] = withType(damaged[199], 0x07);
    const auto damagedFile = folder_.write("damaged.kfw", joinCrLf(damaged));

    const ImageCheckReport report = checkKfwImage(damagedFile);
    EXPECT_EQ(report.status, ImageReadStatus::Ok);
    EXPECT_FALSE(report.ok());
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problemCount, 2u);
    EXPECT_EQ(report.problems[0].line, 100u);
    EXPECT_NE(report.problems[0].what.find("checksum"), std::string::npos)
        << report.problems[0].what;
    EXPECT_EQ(report.problems[1].line, 200u);
    EXPECT_NE(report.problems[1].what.find("type 07"), std::string::npos)
        << report.problems[1].what;
    // Same size, other bytes.
    EXPECT_EQ(report.frameBytes, original.frameBytes);
    EXPECT_NE(report.crc32, original.crc32);
}

TEST_F(ObjcopyImage, LinesThatAreNotRecords) {
    std::vector<std::string> damaged = lines_;
    damaged[2].clear();                                        // line 3: empty
    damaged[4][0] = ';';                                       // line 5: wrong start
    damaged[6][10] = 'c';                                      // line 7: lower-case digit
    damaged[8].pop_back();                                     // line 9: odd digit count
    damaged[10] = ":0000";                                     // line 11: too short
    damaged[12] = withType(":0F" + damaged[12].substr(3), 0);  // line 13: count says 15, has 16
    damaged.push_back(":00000001FF");                          // a second end-of-file record
    const ImageCheckReport report = checkKfwImage(folder_.write("broken.kfw", joinCrLf(damaged)));

    std::vector<std::size_t> lines;
    for (const auto& problem : report.problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<std::size_t>{3, 5, 7, 9, 11, 13, damaged.size()}));
    ASSERT_EQ(report.problems.size(), 7u);
    EXPECT_NE(report.problems[2].what.find("'c' at column 11"), std::string::npos)
        << report.problems[2].what;
    EXPECT_NE(report.problems[5].what.find("byte count 15"), std::string::npos)
        << report.problems[5].what;
    EXPECT_NE(report.problems[6].what.find("after the end-of-file"), std::string::npos)
        << report.problems[6].what;
    EXPECT_EQ(report.recordCount, lines_.size() - 5 + 1);
}

TEST(KfwCheck, SegmentAddressingAndMissingEnd) {
    KfwImageChecker checker;
    checker.addLine(":020000021000EC");      // segment base 0x1000 -> 0x10000
    checker.addLine(":0400100001020304E2");  // 4 bytes at 0x10010
    checker.addLine(":020000040002F8");      // linear base 0x20000
    checker.addLine(":02FFFE00AABB9C");      // 2 bytes at 0x2FFFE
    const ImageCheckReport report = checker.finish();
    EXPECT_EQ(report.recordCount, 4u);
    EXPECT_EQ(report.dataBytes, 6);
    EXPECT_EQ(report.lowestAddress, 0x10010u);
    EXPECT_EQ(report.highestAddress, 0x2FFFFu);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].line, 0u);
    EXPECT_EQ(report.problems[0].what, "no end-of-file record");

    const ImageCheckReport empty = KfwImageChecker().finish();
    EXPECT_FALSE(empty.ok());
    EXPECT_FALSE(empty.lowestAddress.has_value());

    TempFolder folder;
    EXPECT_EQ(checkKfwImage(folder.path() / "absent.kfw").status, ImageReadStatus::CannotOpen);
}

// A data record of `count` bytes (all 0x5A) at `address`.
std::string dataLine(unsigned address, unsigned count) {
    std::string body = ":" + hexByte(count) + hexByte(address >> 8) + hexByte(address) + "00";
    for (unsigned i = 0; i < count; ++i) body += "5A";
    return withType(body + "00", 0);
}

TEST(KfwCheck, RecordsThatWriteOverEarlierOnesAreNamedWhereverTheyLie) {
    KfwImageChecker checker;
    checker.addLine(dataLine(0x0000, 16));  // line 1: 0x0000..0x000F
    checker.addLine(dataLine(0x0100, 4));   // line 2: far away
    checker.addLine(dataLine(0x0008, 2));   // line 3: inside line 1
    checker.addLine(dataLine(0x0010, 4));   // line 4: right after line 1, no overlap
    checker.addLine(":020000040001F9");     // line 5: linear base 0x10000
    checker.addLine(dataLine(0x0000, 4));   // line 6: the same offset, another address
    checker.addLine(dataLine(0x0003, 1));   // line 7: the last byte of line 6
    checker.addLine(":00000001FF");
    const ImageCheckReport report = checker.finish();
    ASSERT_EQ(report.problemCount, 2u);
    EXPECT_EQ(imageProblemText(report.problems[0]),
              "line 3: data at 0x00000008 to 0x00000009 overlaps the record on line 1");
    EXPECT_EQ(imageProblemText(report.problems[1]),
              "line 7: data at 0x00010003 to 0x00010003 overlaps the record on line 6");
}

TEST(KfwCheck, ProblemListIsBoundedButCounted) {
    KfwImageChecker checker;
    for (int i = 0; i < 1000; ++i) checker.addLine("garbage");
    const ImageCheckReport report = checker.finish();
    EXPECT_EQ(report.problems.size(), ImageCheckReport::kProblemsKept);
    EXPECT_EQ(report.problemCount, 1001u);  // every line, and no records at all
}

TEST(XupCheck, TiledImagePassesDamagedOnesAreReported) {
    TempFolder folder;
    ImageCheckReport report = checkXupImage(folder.write("good.xup", "0003A1B2C30001FF\r\n"));
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.recordCount, 2u);
    EXPECT_EQ(report.dataBytes, 4);
    EXPECT_EQ(report.frameBytes, 8);
    EXPECT_FALSE(report.lowestAddress.has_value());
    const std::uint8_t bytes[] = {0x00, 0x03, 0xA1, 0xB2, 0xC3, 0x00, 0x01, 0xFF};
    EXPECT_EQ(report.crc32, crc32Update(0, bytes, sizeof bytes));

    report = checkXupImage(folder.write("overrun.xup", "0003A1B2C30009FF"));
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.recordCount, 1u);
    EXPECT_NE(report.problems[0].what.find("offset 5 needs 11 bytes but only 3 remain"),
              std::string::npos)
        << report.problems[0].what;

    report = checkXupImage(folder.write("broken.xup", "0003A1\nB2C3 0001FF7"));
    std::vector<std::size_t> lines;
    for (const auto& problem : report.problems) lines.push_back(problem.line);
    // The line break (line 1), the space (line 2) and the dropped last digit (line 2).
    EXPECT_EQ(lines, (std::vector<std::size_t>{1, 2, 2, 0}));

    report =
        checkXupImage(folder.write("too-large.xup", std::string(2 * kXupImageCapacity + 2, '0')));
    EXPECT_EQ(report.status, ImageReadStatus::TooLarge);
    EXPECT_FALSE(report.ok());

    EXPECT_FALSE(checkXupImage(folder.write("empty.xup", "")).ok());
    EXPECT_EQ(checkXupImage(folder.path() / "absent.xup").status, ImageReadStatus::CannotOpen);
}

TEST(Crc32, KnownValuesAndPiecewiseFeeding) {
    const std::string check = "123456789";
    const auto* data = reinterpret_cast<const std::uint8_t*>(check.data());
    EXPECT_EQ(crc32Update(0, data, check.size()), 0xCBF43926u);
    EXPECT_EQ(crc32Update(crc32Update(0, data, 4), data + 4, 5), 0xCBF43926u);
    EXPECT_EQ(crc32Update(0, nullptr, 0), 0u);
}

}  // namespace
}  // namespace orvek
