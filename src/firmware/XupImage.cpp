#include "firmware/XupImage.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "firmware/HexDigits.h"

namespace orvek {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file) std::fclose(file);
  }
};

}  // namespace

bool XupDecoder::feed(std::string_view text) {
  for (char c : text) {
    if (tooLarge_ || finished_) break;
    // The update reads the file as text, where CR LF is one LF: hold a CR until the next
    // character tells which it is.
    if (heldCarriageReturn_) {
      heldCarriageReturn_ = false;
      if (c != '\n') take('\r');
    }
    if (c == '\r') {
      heldCarriageReturn_ = true;
      continue;
    }
    take(c);
  }
  return !tooLarge_;
}

void XupDecoder::take(char c) {
  if (tooLarge_) return;
  const XupTextPosition position{line_, column_, c};
  if (c == '\n') {
    ++line_;
    column_ = 1;
  } else {
    ++column_;
  }
  if (!high_) {
    high_ = position;
    return;
  }
  if (image_.size() == capacity_) {
    tooLarge_ = true;
    high_.reset();
    return;
  }
  for (const XupTextPosition& digit : {*high_, position}) {
    if (isUpperHexDigit(digit.character)) continue;
    ++invalidCount_;
    if (invalid_.size() < kInvalidPositionsKept) invalid_.push_back(digit);
  }
  image_.push_back(hexPairToByte(high_->character, c));
  high_.reset();
}

void XupDecoder::finish() {
  if (finished_) return;
  if (heldCarriageReturn_) {
    heldCarriageReturn_ = false;
    take('\r');
  }
  finished_ = true;
  if (high_) dropped_ = high_;
  high_.reset();
}

XupImageData decodeXupText(std::string_view text, std::size_t capacity) {
  XupDecoder decoder(capacity);
  decoder.feed(text);
  decoder.finish();
  XupImageData data;
  if (decoder.tooLarge()) {
    data.status = ImageReadStatus::TooLarge;
  } else {
    data.bytes = decoder.takeImage();
  }
  return data;
}

ImageReadStatus decodeXupFile(const std::filesystem::path& path, XupDecoder& decoder) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return ImageReadStatus::CannotOpen;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return ImageReadStatus::CannotOpen;
  char chunk[16 * 1024];
  for (;;) {
    const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get());
    if (count > 0 && !decoder.feed(std::string_view(chunk, count))) return ImageReadStatus::TooLarge;
    if (count < sizeof chunk) {
      if (std::ferror(file.get())) return ImageReadStatus::ReadError;
      if (std::feof(file.get())) break;
    }
  }
  decoder.finish();
  return decoder.tooLarge() ? ImageReadStatus::TooLarge : ImageReadStatus::Ok;
}

XupImageData readXupImage(const std::filesystem::path& path) {
  XupDecoder decoder;
  XupImageData data;
  data.status = decodeXupFile(path, decoder);
  if (data.status == ImageReadStatus::Ok) data.bytes = decoder.takeImage();
  return data;
}

XupBlockAt xupBlockAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
  XupBlockAt at;
  at.block.offset = offset;
  if (offset >= image.size()) return at;
  at.remaining = image.size() - offset;
  at.status = XupBlockStatus::Overrun;
  if (at.remaining < 2) return at;
  at.lengthComplete = true;
  at.block.payloadLength = 256u * image[offset] + image[offset + 1];
  if (at.block.frameLength() <= at.remaining) at.status = XupBlockStatus::Ok;
  return at;
}

XupBlockLayout splitXupBlocks(const std::vector<std::uint8_t>& image) {
  XupBlockLayout layout;
  std::size_t offset = 0;
  for (;;) {
    const XupBlockAt at = xupBlockAt(image, offset);
    if (at.status == XupBlockStatus::End) break;
    if (at.status == XupBlockStatus::Overrun) {
      layout.overrun = at;
      break;
    }
    layout.blocks.push_back(at.block);
    offset += at.block.frameLength();
  }
  return layout;
}

}  // namespace orvek
