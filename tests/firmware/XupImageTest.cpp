// .xup images decoded from real files: digit pairs, line ends, the size limit and the block layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "firmware/XupImage.h"

namespace orvek {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::TempFolder;

std::string hexText(const Bytes& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 0x0F];
  }
  return text;
}

TEST(XupDecode, PairsOddDigitsAndLineEnds) {
  TempFolder folder;
  struct Case {
    const char* stored;
    Bytes bytes;
  } cases[] = {
      {"", {}},
      {"0003A1B2C3", {0x00, 0x03, 0xA1, 0xB2, 0xC3}},
      {"0003A1B2C37", {0x00, 0x03, 0xA1, 0xB2, 0xC3}},  // an odd last digit is ignored
      {"0001FF\n", {0x00, 0x01, 0xFF}},                 // one line end at the end is harmless
      {"0001FF\r\n", {0x00, 0x01, 0xFF}},               // CR LF reads as one LF
      {"00\n01FF", {0x00, 0x00, 0x1F}},                 // a line break inside is a character: 0 nibble
      {"00\r\n01FF", {0x00, 0x00, 0x1F}},
      {"ab12", {0x00, 0x12}},                           // lower case reads as 0
      {"\r", {}},
  };
  for (const Case& c : cases) {
    const XupImageData data = readXupImage(folder.write("card.xup", c.stored));
    EXPECT_EQ(data.status, ImageReadStatus::Ok) << c.stored;
    EXPECT_EQ(data.bytes, c.bytes) << c.stored;
    EXPECT_EQ(decodeXupText(c.stored).bytes, c.bytes) << c.stored;
  }
}

TEST(XupDecode, CrLfSplitAcrossFeedsStillCountsAsOneLf) {
  XupDecoder decoder;
  decoder.feed("0A\r");
  decoder.feed("\nB");
  decoder.feed("C");
  decoder.finish();
  // "0A", then LF + "B" as one pair, then a dropped "C".
  EXPECT_EQ(decoder.image(), (Bytes{0x0A, 0x0B}));
  ASSERT_TRUE(decoder.droppedCharacter());
  EXPECT_EQ(decoder.droppedCharacter()->character, 'C');
  EXPECT_EQ(decoder.droppedCharacter()->line, 2u);
  EXPECT_EQ(decoder.droppedCharacter()->column, 2u);
  ASSERT_EQ(decoder.invalidCharacters().size(), 1u);
  EXPECT_EQ(decoder.invalidCharacters()[0].character, '\n');
  EXPECT_EQ(decoder.invalidCharacters()[0].line, 1u);
  EXPECT_EQ(decoder.invalidCharacters()[0].column, 3u);
}

TEST(XupDecode, ImagesOfAtMost65536BytesAreAcceptedLargerOnesRefused) {
  TempFolder folder;
  Bytes full(kXupImageCapacity);
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const std::string text = hexText(full);

  XupImageData data = readXupImage(folder.write("full.xup", text + "\r\n"));
  EXPECT_EQ(data.status, ImageReadStatus::Ok);
  EXPECT_EQ(data.bytes, full);

  // One more odd digit is still ignored, not a 65,537th byte.
  data = readXupImage(folder.write("odd.xup", text + "F"));
  EXPECT_EQ(data.status, ImageReadStatus::Ok);
  EXPECT_EQ(data.bytes.size(), kXupImageCapacity);

  data = readXupImage(folder.write("over.xup", text + "FF"));
  EXPECT_EQ(data.status, ImageReadStatus::TooLarge);
  EXPECT_TRUE(data.bytes.empty());
  EXPECT_EQ(decodeXupText(text + "FF").status, ImageReadStatus::TooLarge);

  // A file longer than any image's text is refused by its size, without being read.
  XupDecoder decoder;
  EXPECT_EQ(decodeXupFile(folder.write("huge.xup", std::string(4 * 1024 * 1024, 'A')), decoder),
            ImageReadStatus::TooLarge);
  EXPECT_TRUE(decoder.image().empty());
}

TEST(XupDecode, MissingFileOrFolder) {
  TempFolder folder;
  EXPECT_EQ(readXupImage(folder.path() / "absent.xup").status, ImageReadStatus::CannotOpen);
  std::filesystem::create_directories(folder.path() / "dir.xup");
  EXPECT_EQ(readXupImage(folder.path() / "dir.xup").status, ImageReadStatus::NotAFile);
}

TEST(XupBlocks, BlocksTileTheImageOrTheOverrunIsReported) {
  // Two whole blocks: payloads of 3 and 0 bytes.
  const Bytes tiled{0x00, 0x03, 0x11, 0x22, 0x33, 0x00, 0x00};
  XupBlockLayout layout = splitXupBlocks(tiled);
  EXPECT_TRUE(layout.tilesExactly());
  ASSERT_EQ(layout.blocks.size(), 2u);
  EXPECT_EQ(layout.blocks[0].offset, 0u);
  EXPECT_EQ(layout.blocks[0].frameLength(), 5u);
  EXPECT_EQ(layout.blocks[1].offset, 5u);
  EXPECT_EQ(layout.blocks[1].frameLength(), 2u);
  EXPECT_EQ(xupBlockAt(tiled, 7).status, XupBlockStatus::End);

  // The second block claims 0x0102 payload bytes with 2 left.
  const Bytes overrun{0x00, 0x01, 0xAA, 0x01, 0x02, 0xBB, 0xCC};
  layout = splitXupBlocks(overrun);
  ASSERT_FALSE(layout.tilesExactly());
  ASSERT_EQ(layout.blocks.size(), 1u);
  EXPECT_EQ(layout.overrun->status, XupBlockStatus::Overrun);
  EXPECT_EQ(layout.overrun->block.offset, 3u);
  EXPECT_TRUE(layout.overrun->lengthComplete);
  EXPECT_EQ(layout.overrun->block.payloadLength, 0x0102u);
  EXPECT_EQ(layout.overrun->remaining, 4u);

  // A single byte left cannot even hold the length.
  const Bytes cutLength{0x00, 0x00, 0x07};
  const XupBlockAt at = xupBlockAt(cutLength, 2);
  EXPECT_EQ(at.status, XupBlockStatus::Overrun);
  EXPECT_FALSE(at.lengthComplete);
  EXPECT_EQ(at.remaining, 1u);
  EXPECT_FALSE(splitXupBlocks(cutLength).tilesExactly());

  // A block ending exactly at the end of a full-size image is whole.
  Bytes full(kXupImageCapacity, 0x00);
  full[0] = 0xFF;
  full[1] = 0xFE;  // 65,534 payload bytes + 2 length bytes
  layout = splitXupBlocks(full);
  EXPECT_TRUE(layout.tilesExactly());
  ASSERT_EQ(layout.blocks.size(), 1u);
  EXPECT_EQ(layout.blocks[0].frameLength(), kXupImageCapacity);

  EXPECT_TRUE(splitXupBlocks({}).tilesExactly());
  EXPECT_TRUE(splitXupBlocks({}).blocks.empty());
}

}  // namespace
}  // namespace orvek
