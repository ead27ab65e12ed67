#pragma once
// Reads a text file one line at a time, of any length, with the line end (LF or CR LF)
// removed; the file handle is owned and closed by the reader. Only a regular file of at most
// the size its reader gives opens, and reading stops with an error should it grow past that.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/ReadableFile.h"

namespace orvek {

class TextLineReader {
 public:
  enum class Result { Line, End, Error };

  TextLineReader();
  // Adopts an already open stream (e.g. an in-memory one); the reader closes it.
  explicit TextLineReader(std::FILE* adopted);
  TextLineReader(TextLineReader&&) noexcept = default;
  TextLineReader& operator=(TextLineReader&&) noexcept = default;

  // Opens `path` for reading; false when it is missing or cannot be opened, is not a regular
  // file, or holds more than `maxBytes`. failure() then tells which.
  bool open(const std::filesystem::path& path, std::uint64_t maxBytes);
  bool isOpen() const { return file_ != nullptr; }
  void close();

  // Why the last open failed, or why next() gave Error (ReadFailed, or TooLarge for a file
  // that grew past its limit while it was read); Ok otherwise.
  FileCheck failure() const { return failure_; }

  // The next line without its LF / CR LF. A last line without a line end still counts;
  // a file that ends in a line end has no empty line after it. A lone CR stays in the line.
  // Error when the file is not open or a read fails; the error is sticky.
  Result next(std::string& line);

  // 1-based number of the line last returned by next(); 0 before the first.
  std::size_t lineNumber() const { return lineNumber_; }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const;
  };
  bool fill();

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t length_ = 0;
  std::size_t lineNumber_ = 0;
  std::uint64_t bytesRead_ = 0;
  std::uint64_t maxBytes_ = UINT64_MAX;  // an adopted stream has no limit of its own
  FileCheck failure_ = FileCheck::Ok;
  bool atEnd_ = false;
  bool failed_ = false;
};

}  // namespace orvek
