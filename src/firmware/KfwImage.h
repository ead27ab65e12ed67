#pragma once
// ESC firmware images (.kfw): text records in Intel HEX layout, each line sent to the ESC's
// bootloader as one frame. The update reads the file twice: once to add up the frame bytes,
// then line by line to send them, holding one frame at a time.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/ImageStatus.h"
#include "firmware/TextLineReader.h"

namespace orvek {

// The largest .kfw file read. An ESC's flash holds tens of kilobytes and its Intel HEX text
// takes under three characters a byte, so a real image is a few hundred kilobytes at most;
// 16 MiB is forty times more than that, still reads and checks in well under a second, and at
// 19200 baud would already take over an hour on the line.
constexpr std::uint64_t kKfwFileBytesLimit = 16u * 1024 * 1024;

// Bytes in the frame of a line of L characters (line end removed): (L + 1) / 2.
std::size_t kfwFrameLength(std::string_view line);

// The frame of one line: byte 0 is 0x3A whatever the first character is, then one byte per
// pair of the following characters (hexPairToByte); an odd last character is dropped.
// An empty line gives an empty frame. `frame` is overwritten (its capacity is reused).
void kfwRecordFrame(std::string_view line, std::vector<std::uint8_t>& frame);
std::vector<std::uint8_t> kfwRecordFrame(std::string_view line);

// The first pass of an update: the sum of the frame lengths of every line. CannotOpen,
// NotAFile or FileTooLarge for a file that is not read at all.
struct KfwImageSize {
  ImageReadStatus status = ImageReadStatus::Ok;
  std::int64_t totalBytes = 0;
  std::size_t lineCount = 0;
};
KfwImageSize measureKfwImage(const std::filesystem::path& path);

// The second pass: opens the image and yields one frame per line, in file order.
class KfwImageReader {
 public:
  using Result = TextLineReader::Result;

  // False, with failure() telling why, for a file the first pass would refuse as well.
  bool open(const std::filesystem::path& path) { return lines_.open(path, kKfwFileBytesLimit); }
  FileCheck failure() const { return lines_.failure(); }
  bool isOpen() const { return lines_.isOpen(); }
  void close() { lines_.close(); }

  // Line: `frame` holds the next line's frame. End: no more lines. Error: a read failed.
  Result nextFrame(std::vector<std::uint8_t>& frame);

  // 1-based number of the line whose frame was last returned.
  std::size_t lineNumber() const { return lines_.lineNumber(); }

 private:
  TextLineReader lines_;
  std::string line_;
};

}  // namespace orvek
