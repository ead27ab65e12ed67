#include "firmware/TextLineReader.h"

#include <cstring>

namespace orvek {

namespace {
constexpr std::size_t kChunkSize = 64 * 1024;
}

void TextLineReader::FileCloser::operator()(std::FILE* file) const {
  if (file) std::fclose(file);
}

TextLineReader::TextLineReader() : buffer_(kChunkSize) {}

TextLineReader::TextLineReader(std::FILE* adopted) : file_(adopted), buffer_(kChunkSize) {}

bool TextLineReader::open(const std::filesystem::path& path, std::uint64_t maxBytes) {
  close();
  ReadableFile file;
  failure_ = file.open(path, maxBytes);
  if (failure_ != FileCheck::Ok) return false;
  file_.reset(file.releaseToStream());
  if (!file_) {
    failure_ = FileCheck::CannotOpen;
    return false;
  }
  maxBytes_ = maxBytes;
  return true;
}

void TextLineReader::close() {
  file_.reset();
  position_ = 0;
  length_ = 0;
  lineNumber_ = 0;
  bytesRead_ = 0;
  maxBytes_ = UINT64_MAX;
  failure_ = FileCheck::Ok;
  atEnd_ = false;
  failed_ = false;
}

bool TextLineReader::fill() {
  position_ = 0;
  length_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
  bytesRead_ += length_;
  if (bytesRead_ > maxBytes_) {
    failed_ = true;
    failure_ = FileCheck::TooLarge;
    length_ = 0;
    atEnd_ = true;
    return false;
  }
  if (length_ > 0) return true;
  if (std::ferror(file_.get())) {
    failed_ = true;
    failure_ = FileCheck::ReadFailed;
  }
  atEnd_ = true;
  return false;
}

TextLineReader::Result TextLineReader::next(std::string& line) {
  line.clear();
  if (!file_ || failed_) return Result::Error;
  bool partial = false;
  for (;;) {
    if (position_ == length_) {
      if (atEnd_ || !fill()) break;
    }
    const char* start = buffer_.data() + position_;
    const std::size_t available = length_ - position_;
    const void* newline = std::memchr(start, '\n', available);
    if (newline) {
      const std::size_t count = static_cast<std::size_t>(static_cast<const char*>(newline) - start);
      line.append(start, count);
      position_ += count + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ++lineNumber_;
      return Result::Line;
    }
    line.append(start, available);
    position_ = length_;
    partial = true;
  }
  if (failed_) return Result::Error;
  if (partial) {
    ++lineNumber_;
    return Result::Line;
  }
  return Result::End;
}

}  // namespace orvek
