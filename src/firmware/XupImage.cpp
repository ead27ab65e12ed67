#include "firmware/XupImage.h"

#include "firmware/HexDigits.h"
#include "platform/ReadableFile.h"

namespace orvek {

std::uint64_t xupTextBytesLimit(std::size_t capacity) {
  // Every character but the CR of a CR LF takes half a byte, and a last lone one is dropped:
  // 2 * capacity + 1 characters, each of which may be a CR LF of two bytes.
  return 2 * (2 * static_cast<std::uint64_t>(capacity) + 1);
}

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
  ReadableFile file;
  const FileCheck opened = file.open(path, xupTextBytesLimit(decoder.capacity()));
  // A file longer than any text of an image that fits is refused as the image it would decode to.
  if (opened == FileCheck::TooLarge) return ImageReadStatus::TooLarge;
  if (opened != FileCheck::Ok) return imageReadStatusFor(opened);
  char chunk[16 * 1024];
  for (;;) {
    const long count = file.read(chunk, sizeof chunk);
    if (count < 0) return ImageReadStatus::ReadError;
    if (count == 0) break;
    const std::string_view text(chunk, static_cast<std::size_t>(count));
    if (!decoder.feed(text)) return ImageReadStatus::TooLarge;
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
