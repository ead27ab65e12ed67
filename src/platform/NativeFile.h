#pragma once
// The few file calls that differ between POSIX and Windows, on C runtime descriptors: paths go
// in as std::filesystem::path (UTF-16 on Windows), failures leave their reason in errno. The
// caller owns every descriptor they return. One implementation file per system.
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace orvek::nativeFile {

struct Status {
    bool regular = false;
    bool directory = false;
    std::uint64_t size = 0;
};

bool statusOf(const std::filesystem::path& path, Status& status);
bool statusOf(int fd, Status& status);

// For reading; never waits for a writer should a pipe lie at the path.
int openForReading(const std::filesystem::path& path);
// For writing: a new file that must not exist yet, or an existing one cut to nothing (made
// when missing only if `create`).
int createNew(const std::filesystem::path& path);
int openTruncated(const std::filesystem::path& path, bool create = true);

// Whether this user may write the file at `path` (by its effective ids on POSIX).
bool writable(const std::filesystem::path& path);

// Bytes moved, or -1; an interrupted call is repeated.
long readSome(int fd, char* buffer, std::size_t count);
long writeSome(int fd, const char* data, std::size_t count);
bool closeDescriptor(int fd);
bool flushToDisk(int fd);

// Gives the new file at `fd` the owner, group and permissions of `original` where the process
// may (POSIX); Windows files take their access from the folder, so nothing is copied there.
bool takeAccessOf(int fd, const std::filesystem::path& original);

// Puts `from` in the place of `to` in one step, replacing it.
bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to);
void removeFile(const std::filesystem::path& path);

// A stdio stream that takes over the descriptor (closing it on failure).
std::FILE* streamFor(int fd);

unsigned long processId();

}  // namespace orvek::nativeFile
