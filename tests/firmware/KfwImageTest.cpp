// .kfw lines to frames, the two reading passes over real files, and the progress shown.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "firmware/HexDigits.h"
#include "firmware/KfwImage.h"
#include "firmware/Progress.h"
#include "firmware/TextLineReader.h"

namespace orvek {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::TempFolder;

TEST(HexPair, UpperCaseDigitsOnly) {
  EXPECT_EQ(hexPairToByte('0', '0'), 0x00);
  EXPECT_EQ(hexPairToByte('9', 'A'), 0x9A);
  EXPECT_EQ(hexPairToByte('F', 'F'), 0xFF);
  EXPECT_EQ(hexPairToByte('A', '5'), 0xA5);
  // Anything that is not '0'..'9' or 'A'..'F' reads as a zero nibble.
  EXPECT_EQ(hexPairToByte('f', 'f'), 0x00);
  EXPECT_EQ(hexPairToByte('a', '1'), 0x01);
  EXPECT_EQ(hexPairToByte('1', 'b'), 0x10);
  EXPECT_EQ(hexPairToByte('G', ':'), 0x00);
  EXPECT_EQ(hexPairToByte('\xFF', '\n'), 0x00);
}

TEST(KfwFrame, RecordLineBecomesColonAndDigitPairs) {
  EXPECT_EQ(kfwRecordFrame(":00000001FF"), (Bytes{0x3A, 0x00, 0x00, 0x00, 0x01, 0xFF}));
  EXPECT_EQ(kfwRecordFrame(":10C000004952E0419894B078376BA5C7C33F794156"),
            (Bytes{0x3A, 0x10, 0xC0, 0x00, 0x00, 0x49, 0x52, 0xE0, 0x41, 0x98, 0x94, 0xB0,
                   0x78, 0x37, 0x6B, 0xA5, 0xC7, 0xC3, 0x3F, 0x79, 0x41, 0x56}));
  // Whatever the first character, the frame starts with 0x3A.
  EXPECT_EQ(kfwRecordFrame("X00000001FF"), kfwRecordFrame(":00000001FF"));
  EXPECT_EQ(kfwRecordFrame("000000001FF"), kfwRecordFrame(":00000001FF"));
  // An even number of characters drops the last one.
  EXPECT_EQ(kfwRecordFrame(":00000001FF7"), kfwRecordFrame(":00000001FF"));
  EXPECT_EQ(kfwRecordFrame(":A"), (Bytes{0x3A}));
  EXPECT_EQ(kfwRecordFrame(":"), (Bytes{0x3A}));
  EXPECT_EQ(kfwRecordFrame(""), Bytes{});
  // Lower-case digits do not give 10..15.
  EXPECT_EQ(kfwRecordFrame(":0000000aff"), (Bytes{0x3A, 0x00, 0x00, 0x00, 0x00, 0x00}));

  // The buffer form reuses and fully overwrites what it is given.
  Bytes frame(50, 0xEE);
  kfwRecordFrame(":0102", frame);
  EXPECT_EQ(frame, (Bytes{0x3A, 0x01, 0x02}));
}

TEST(KfwFrame, LongLinesAreNotCut) {
  std::string line = ":";
  for (int i = 0; i < 500; ++i) line += (i % 2) ? "5A" : "C3";
  line += "7";  // 1002 characters: an odd last one is dropped
  ASSERT_EQ(line.size(), 1002u);
  const Bytes frame = kfwRecordFrame(line);
  ASSERT_EQ(frame.size(), 501u);
  EXPECT_EQ(frame[0], 0x3A);
  EXPECT_EQ(frame[1], 0xC3);
  EXPECT_EQ(frame[2], 0x5A);
  EXPECT_EQ(frame[500], 0x5A);
  EXPECT_EQ(kfwFrameLength(std::string(1000, 'A')), 500u);
}

std::vector<std::string> readAllLines(const std::filesystem::path& file, TextLineReader::Result* last = nullptr) {
  TextLineReader reader;
  std::vector<std::string> lines;
  if (!reader.open(file, kKfwFileBytesLimit)) return {"<cannot open>"};
  std::string line;
  TextLineReader::Result result;
  while ((result = reader.next(line)) == TextLineReader::Result::Line) lines.push_back(line);
  if (last) *last = result;
  return lines;
}

TEST(TextLines, LfAndCrLfEndsAreRemovedAndNothingElse) {
  TempFolder folder;
  using Lines = std::vector<std::string>;
  struct Case {
    std::string stored;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\rb\n", {"a\rb"}},        // a lone CR is a character of the line
      {"a\r", {"a\r"}},            // also at the very end
      {"a\r\r\n", {"a\r"}},
      {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
  };
  for (const Case& c : cases) {
    TextLineReader::Result last = TextLineReader::Result::Line;
    EXPECT_EQ(readAllLines(folder.write("lines.txt", c.stored), &last), c.lines) << c.stored;
    EXPECT_EQ(last, TextLineReader::Result::End);
  }
}

TEST(TextLines, LinesCrossingTheReadChunkAndNumbering) {
  TempFolder folder;
  // Lines far longer than the read chunk, with the CR and LF of one line end split across it.
  const std::string first(64 * 1024 - 1, 'A');
  const std::string second(200000, 'B');
  const auto file = folder.write("long.txt", first + "\r\n" + second + "\r\nC");
  TextLineReader reader;
  ASSERT_TRUE(reader.open(file, kKfwFileBytesLimit));
  std::string line;
  EXPECT_EQ(reader.lineNumber(), 0u);
  ASSERT_EQ(reader.next(line), TextLineReader::Result::Line);
  EXPECT_EQ(line, first);
  ASSERT_EQ(reader.next(line), TextLineReader::Result::Line);
  EXPECT_EQ(line, second);
  ASSERT_EQ(reader.next(line), TextLineReader::Result::Line);
  EXPECT_EQ(line, "C");
  EXPECT_EQ(reader.lineNumber(), 3u);
  EXPECT_EQ(reader.next(line), TextLineReader::Result::End);
  EXPECT_EQ(reader.next(line), TextLineReader::Result::End);
}

TEST(TextLines, MissingFilesFoldersAndFilesOverTheLimitDoNotOpen) {
  TempFolder folder;
  TextLineReader reader;
  EXPECT_FALSE(reader.open(folder.path() / "absent.kfw", kKfwFileBytesLimit));
  EXPECT_EQ(reader.failure(), FileCheck::Missing);
  EXPECT_FALSE(reader.open(folder.path(), kKfwFileBytesLimit));
  EXPECT_EQ(reader.failure(), FileCheck::NotAFile);
  std::string line;
  EXPECT_EQ(reader.next(line), TextLineReader::Result::Error);
  const auto file = folder.write("ten.txt", "123456789\n");
  EXPECT_FALSE(reader.open(file, 9));
  EXPECT_EQ(reader.failure(), FileCheck::TooLarge);
  ASSERT_TRUE(reader.open(file, 10));
  EXPECT_EQ(reader.next(line), TextLineReader::Result::Line);
  EXPECT_EQ(line, "123456789");
}

TEST(TextLines, AFileThatGrowsPastItsLimitWhileReadIsCutOff) {
  TempFolder folder;
  const auto file = folder.write("growing.txt", "first\n");
  TextLineReader reader;
  ASSERT_TRUE(reader.open(file, 100));
  folder.write("growing.txt", "first\n" + std::string(200, 'x') + "\n");
  std::string line;
  TextLineReader::Result result;
  while ((result = reader.next(line)) == TextLineReader::Result::Line) {
  }
  EXPECT_EQ(result, TextLineReader::Result::Error);
  EXPECT_EQ(reader.failure(), FileCheck::TooLarge);
}

TEST(KfwPasses, FirstPassTotalMatchesTheFramesOfTheSecond) {
  TempFolder folder;
  const std::string longRecord = ":" + std::string(998, 'E') + "1";  // 1000 characters, 500 bytes
  const auto image = folder.write("Firmware/mixed.kfw",
                                  ":020000040800F2\r\n"
                                  "\r\n"  // an empty line: an empty frame
                                  "#0000000aFF\n"
                                  + longRecord + "\n"
                                  ":00000001FF");
  const KfwImageSize size = measureKfwImage(image);
  ASSERT_EQ(size.status, ImageReadStatus::Ok);
  EXPECT_EQ(size.lineCount, 5u);
  EXPECT_EQ(size.totalBytes, 8 + 0 + 6 + 500 + 6);

  KfwImageReader reader;
  ASSERT_TRUE(reader.open(image));
  std::vector<Bytes> frames;
  Bytes frame;
  while (reader.nextFrame(frame) == KfwImageReader::Result::Line) frames.push_back(frame);
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(reader.lineNumber(), 5u);
  EXPECT_EQ(frames[0], (Bytes{0x3A, 0x02, 0x00, 0x00, 0x04, 0x08, 0x00, 0xF2}));
  EXPECT_TRUE(frames[1].empty());
  EXPECT_EQ(frames[2], (Bytes{0x3A, 0x00, 0x00, 0x00, 0x00, 0xFF}));
  EXPECT_EQ(frames[3].size(), 500u);
  EXPECT_EQ(frames[3][499], 0xEE);
  EXPECT_EQ(frames[4], (Bytes{0x3A, 0x00, 0x00, 0x00, 0x01, 0xFF}));
  std::int64_t sum = 0;
  for (const Bytes& f : frames) sum += static_cast<std::int64_t>(f.size());
  EXPECT_EQ(sum, size.totalBytes);
}

TEST(KfwPasses, EmptyAndMissingImages) {
  TempFolder folder;
  const auto empty = folder.write("empty.kfw", "");
  const KfwImageSize size = measureKfwImage(empty);
  EXPECT_EQ(size.status, ImageReadStatus::Ok);
  EXPECT_EQ(size.totalBytes, 0);
  EXPECT_EQ(size.lineCount, 0u);
  KfwImageReader reader;
  ASSERT_TRUE(reader.open(empty));
  Bytes frame{1, 2, 3};
  EXPECT_EQ(reader.nextFrame(frame), KfwImageReader::Result::End);
  EXPECT_TRUE(frame.empty());

  EXPECT_EQ(measureKfwImage(folder.path() / "absent.kfw").status, ImageReadStatus::CannotOpen);
  std::filesystem::create_directories(folder.path() / "folder.kfw");
  EXPECT_EQ(measureKfwImage(folder.path() / "folder.kfw").status, ImageReadStatus::NotAFile);
  EXPECT_FALSE(reader.open(folder.path() / "folder.kfw"));
}

TEST(UpdateProgress, StartsAtOneNeverPassesHundredNeverDividesByZero) {
  EXPECT_EQ(progressPercent(0, 6), 1);    // a single record shows 1% and nothing else
  EXPECT_EQ(progressPercent(0, 1000), 1);
  EXPECT_EQ(progressPercent(500, 1000), 51);
  EXPECT_EQ(progressPercent(989, 1000), 99);
  EXPECT_EQ(progressPercent(990, 1000), 100);
  EXPECT_EQ(progressPercent(1000, 1000), 100);  // before a trailing empty frame
  EXPECT_EQ(progressPercent(0, 0), 100);         // an image of empty lines only
  EXPECT_EQ(progressPercent(5, 0), 100);
  EXPECT_EQ(progressPercent(0, -3), 100);
  // Counts whose product with 100 would overflow 32 bits.
  EXPECT_EQ(progressPercent(30000000, 60000000), 51);

  EXPECT_EQ(progressCaption(1), "1%");
  EXPECT_EQ(progressCaption(100), "100%");
}

}  // namespace
}  // namespace orvek
