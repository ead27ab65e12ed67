#include "platform/ReadableFile.h"

#include <cerrno>

#include "platform/NativeFile.h"

namespace orvek {
namespace {

FileCheck checkFor(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return FileCheck::Missing;
        case ENXIO:  // a socket, or a device without its driver
        case ENODEV: return FileCheck::NotAFile;
        default: return FileCheck::CannotOpen;
    }
}

FileCheck checkStatus(const nativeFile::Status& status, std::uint64_t maxBytes) {
    if (!status.regular) return FileCheck::NotAFile;
    if (status.size > maxBytes) return FileCheck::TooLarge;
    return FileCheck::Ok;
}

}  // namespace

const char* fileCheckText(FileCheck check) {
    switch (check) {
        case FileCheck::Ok: return "ok";
        case FileCheck::Missing: return "no such file";
        case FileCheck::NotAFile: return "not a regular file (a folder, pipe or device)";
        case FileCheck::TooLarge: return "the file is too large";
        case FileCheck::CannotOpen: return "cannot open the file";
        case FileCheck::ReadFailed: return "the file could not be read to its end";
    }
    return "unknown";
}

std::string byteCountText(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = 1024 * 1024;
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " bytes";
}

ReadableFile::~ReadableFile() { close(); }

ReadableFile::ReadableFile(ReadableFile&& other) noexcept : fd_(other.fd_), size_(other.size_) {
    other.fd_ = -1;
}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        size_ = other.size_;
        other.fd_ = -1;
    }
    return *this;
}

void ReadableFile::close() {
    if (fd_ >= 0) nativeFile::closeDescriptor(fd_);
    fd_ = -1;
    size_ = 0;
}

FileCheck ReadableFile::open(const std::filesystem::path& path, std::uint64_t maxBytes) {
    close();
    nativeFile::Status status;
    if (!nativeFile::statusOf(path, status)) return checkFor(errno);
    if (const FileCheck check = checkStatus(status, maxBytes); check != FileCheck::Ok) return check;
    const int fd = nativeFile::openForReading(path);
    if (fd < 0) return checkFor(errno);
    if (!nativeFile::statusOf(fd, status)) {
        nativeFile::closeDescriptor(fd);
        return FileCheck::CannotOpen;
    }
    if (const FileCheck check = checkStatus(status, maxBytes); check != FileCheck::Ok) {
        nativeFile::closeDescriptor(fd);
        return check;
    }
    fd_ = fd;
    size_ = status.size;
    return FileCheck::Ok;
}

long ReadableFile::read(char* buffer, std::size_t count) {
    if (fd_ < 0) return -1;
    return nativeFile::readSome(fd_, buffer, count);
}

std::FILE* ReadableFile::releaseToStream() {
    if (fd_ < 0) return nullptr;
    std::FILE* stream = nativeFile::streamFor(fd_);
    fd_ = -1;
    size_ = 0;
    return stream;
}

FileCheck readWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                        std::string& bytes) {
    bytes.clear();
    ReadableFile file;
    if (const FileCheck check = file.open(path, maxBytes); check != FileCheck::Ok) return check;
    bytes.reserve(static_cast<std::size_t>(file.size()));
    char chunk[64 * 1024];
    for (;;) {
        const long n = file.read(chunk, sizeof chunk);
        if (n < 0) {
            bytes.clear();
            return FileCheck::ReadFailed;
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::uint64_t>(n) > maxBytes) {
            bytes.clear();
            bytes.shrink_to_fit();
            return FileCheck::TooLarge;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return FileCheck::Ok;
}

}  // namespace orvek
