#pragma once
// Opens a file the programs read (an image, a settings file, a setup sheet, config.ini, the
// firmware information): only a regular file, and only up to a size that fits what the file
// is. A pipe, a device or a folder named as such a file is refused at once, without being
// opened for long enough to block or to fill memory, and so is a file larger than its kind.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace orvek {

enum class FileCheck {
    Ok,
    Missing,     // nothing at the path
    NotAFile,    // a folder, pipe, socket or device
    TooLarge,    // more bytes than the file's kind can hold
    CannotOpen,  // there, but not readable by this process
    ReadFailed,  // opened, but a read failed part-way
};

// A short English description ("not a regular file (a folder, pipe or device)"), for
// messages of the command-line tool and for tests.
const char* fileCheckText(FileCheck check);

// "1 MiB", "16 MiB", "262146 bytes": a size limit as messages give it.
std::string byteCountText(std::uint64_t bytes);

// One open file for reading; the descriptor is owned and closed by the object.
class ReadableFile {
public:
    ReadableFile() = default;
    ~ReadableFile();
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // Ok with the file open, or why not. The path is looked at before it is opened, so that
    // a device is never opened at all, and the open file is looked at again, so that a pipe
    // put in the file's place meanwhile is refused too (the open never waits for a writer).
    FileCheck open(const std::filesystem::path& path, std::uint64_t maxBytes);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // The size the file had when it was opened.
    std::uint64_t size() const { return size_; }

    // Reads up to `count` bytes: the number read, 0 at the end, -1 when the read failed.
    long read(char* buffer, std::size_t count);

    // Hands the descriptor over to a stdio stream, which then owns it; nullptr on failure
    // (the file is closed then).
    std::FILE* releaseToStream();

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// Reads a whole file of at most `maxBytes` into `bytes` (left empty unless Ok). A file that
// grows past the limit while it is read is refused as well, having held at most one more read.
FileCheck readWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                        std::string& bytes);

}  // namespace orvek
