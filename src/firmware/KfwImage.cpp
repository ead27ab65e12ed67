#include "firmware/KfwImage.h"

#include "firmware/HexDigits.h"

namespace orvek {

std::size_t kfwFrameLength(std::string_view line) { return (line.size() + 1) / 2; }

void kfwRecordFrame(std::string_view line, std::vector<std::uint8_t>& frame) {
  const std::size_t length = kfwFrameLength(line);
  frame.resize(length);
  if (length == 0) return;
  frame[0] = 0x3A;
  for (std::size_t k = 1; k < length; ++k) frame[k] = hexPairToByte(line[2 * k - 1], line[2 * k]);
}

std::vector<std::uint8_t> kfwRecordFrame(std::string_view line) {
  std::vector<std::uint8_t> frame;
  kfwRecordFrame(line, frame);
  return frame;
}

KfwImageSize measureKfwImage(const std::filesystem::path& path) {
  KfwImageSize size;
  TextLineReader lines;
  if (!lines.open(path, kKfwFileBytesLimit)) {
    size.status = imageReadStatusFor(lines.failure());
    return size;
  }
  std::string line;
  TextLineReader::Result result;
  while ((result = lines.next(line)) == TextLineReader::Result::Line) {
    size.totalBytes += static_cast<std::int64_t>(kfwFrameLength(line));
    ++size.lineCount;
  }
  if (result == TextLineReader::Result::Error) size.status = imageReadStatusFor(lines.failure());
  return size;
}

KfwImageReader::Result KfwImageReader::nextFrame(std::vector<std::uint8_t>& frame) {
  const Result result = lines_.next(line_);
  if (result == Result::Line) {
    kfwRecordFrame(line_, frame);
  } else {
    frame.clear();
  }
  return result;
}

}  // namespace orvek
