#pragma once
// Program-card firmware images (.xup): one run of hexadecimal digit pairs that decodes into at
// most 65,536 bytes, made of blocks (2-byte big-endian payload length, then the payload) that
// the card update sends one frame per block. The update decodes the whole image first.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "firmware/ImageStatus.h"

namespace orvek {

// The card's image buffer: a decoded image may hold this many bytes, not one more.
constexpr std::size_t kXupImageCapacity = 65536;

// Where a character stands in the text: 1-based line and column (after CR LF became LF).
struct XupTextPosition {
  std::size_t line = 1;
  std::size_t column = 1;
  char character = 0;
};

// Decodes .xup text fed in pieces. The text is read as the update reads it: CR LF counts as
// one LF, then every two characters make one byte through hexPairToByte (so a line break or any
// other character that is not an upper-case digit reads as 0 in its nibble), and a last single
// character is dropped. Decoding stops storing bytes once the capacity is exceeded.
class XupDecoder {
 public:
  // A capacity other than the card's buffer is for exercising the limit on small images.
  explicit XupDecoder(std::size_t capacity = kXupImageCapacity) : capacity_(capacity) {}

  // Returns false once the image is too large; further text is ignored.
  bool feed(std::string_view text);
  // Ends the text: settles a held CR and drops a last single character.
  void finish();

  std::size_t capacity() const { return capacity_; }
  bool tooLarge() const { return tooLarge_; }
  const std::vector<std::uint8_t>& image() const { return image_; }
  std::vector<std::uint8_t> takeImage() { return std::move(image_); }

  // What a checker reports; the update ignores it.
  std::size_t invalidCharacterCount() const { return invalidCount_; }
  // The first few characters within pairs that are not '0'..'9' or 'A'..'F'.
  const std::vector<XupTextPosition>& invalidCharacters() const { return invalid_; }
  // The last single character that finish() dropped, if there was one.
  const std::optional<XupTextPosition>& droppedCharacter() const { return dropped_; }

  static constexpr std::size_t kInvalidPositionsKept = 16;

 private:
  void take(char c);

  std::size_t capacity_;
  std::vector<std::uint8_t> image_;
  std::optional<XupTextPosition> high_;
  std::optional<XupTextPosition> dropped_;
  std::vector<XupTextPosition> invalid_;
  std::size_t invalidCount_ = 0;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
  bool heldCarriageReturn_ = false;
  bool tooLarge_ = false;
  bool finished_ = false;
};

// Decodes text held in memory.
struct XupImageData {
  ImageReadStatus status = ImageReadStatus::Ok;
  std::vector<std::uint8_t> bytes;  // empty unless status is Ok
};
XupImageData decodeXupText(std::string_view text, std::size_t capacity = kXupImageCapacity);

// The longest text an image of `capacity` bytes can be written in (every line end a CR LF).
std::uint64_t xupTextBytesLimit(std::size_t capacity = kXupImageCapacity);

// Decodes the file at `path` through `decoder`, reading no further once the image is too
// large. Ok, CannotOpen, NotAFile, ReadError or TooLarge (also for a file longer than
// xupTextBytesLimit, which cannot decode to an image that fits).
ImageReadStatus decodeXupFile(const std::filesystem::path& path, XupDecoder& decoder);
XupImageData readXupImage(const std::filesystem::path& path);

// One block of a decoded image: its offset and payload length; the frame sent is the block
// whole, length bytes included.
struct XupBlock {
  std::size_t offset = 0;
  std::size_t payloadLength = 0;
  std::size_t frameLength() const { return payloadLength + 2; }
};

enum class XupBlockStatus {
  Ok,       // a whole block lies at the offset
  End,      // the offset is at (or past) the end of the image
  Overrun,  // the block's length bytes or payload reach past the end of the image
};

struct XupBlockAt {
  XupBlockStatus status = XupBlockStatus::End;
  XupBlock block;                // offset always; payloadLength when both length bytes exist
  bool lengthComplete = false;   // false when only one length byte is left
  std::size_t remaining = 0;     // bytes of the image from the offset to its end
};

// The block at `offset`, reading nothing at or past image.size().
XupBlockAt xupBlockAt(const std::vector<std::uint8_t>& image, std::size_t offset);

// How an image splits into blocks from offset 0.
struct XupBlockLayout {
  std::vector<XupBlock> blocks;       // the whole blocks, in order
  std::optional<XupBlockAt> overrun;  // the block that reaches past the end, if any
  bool tilesExactly() const { return !overrun.has_value(); }
};
XupBlockLayout splitXupBlocks(const std::vector<std::uint8_t>& image);

}  // namespace orvek
