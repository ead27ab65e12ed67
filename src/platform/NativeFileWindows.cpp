#include "platform/NativeFile.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>

namespace orvek::nativeFile {
namespace {

void fill(const struct _stat64& st, Status& status) {
    status.regular = (st.st_mode & _S_IFMT) == _S_IFREG;
    status.directory = (st.st_mode & _S_IFMT) == _S_IFDIR;
    status.size = static_cast<std::uint64_t>(st.st_size);
}

// Binary (no CR LF translation) and not inherited by programs this one starts.
int openWide(const std::filesystem::path& path, int flags) {
    return ::_wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

unsigned int clampCount(std::size_t count) {
    return count > INT_MAX ? static_cast<unsigned int>(INT_MAX) : static_cast<unsigned int>(count);
}

}  // namespace

bool statusOf(const std::filesystem::path& path, Status& status) {
    struct _stat64 st {};
    if (::_wstat64(path.c_str(), &st) != 0) return false;
    fill(st, status);
    return true;
}

bool statusOf(int fd, Status& status) {
    struct _stat64 st {};
    if (::_fstat64(fd, &st) != 0) return false;
    fill(st, status);
    return true;
}

int openForReading(const std::filesystem::path& path) { return openWide(path, _O_RDONLY); }

int createNew(const std::filesystem::path& path) {
    return openWide(path, _O_WRONLY | _O_CREAT | _O_EXCL);
}

int openTruncated(const std::filesystem::path& path, bool create) {
    return openWide(path, _O_WRONLY | _O_TRUNC | (create ? _O_CREAT : 0));
}

bool writable(const std::filesystem::path& path) { return ::_waccess(path.c_str(), 2) == 0; }

long readSome(int fd, char* buffer, std::size_t count) {
    return ::_read(fd, buffer, clampCount(count));
}

long writeSome(int fd, const char* data, std::size_t count) {
    return ::_write(fd, data, clampCount(count));
}

bool closeDescriptor(int fd) { return ::_close(fd) == 0; }

bool flushToDisk(int fd) { return ::_commit(fd) == 0; }

bool takeAccessOf(int, const std::filesystem::path&) { return true; }

bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    errno = EACCES;
    return false;
}

void removeFile(const std::filesystem::path& path) { ::_wunlink(path.c_str()); }

std::FILE* streamFor(int fd) {
    std::FILE* stream = ::_fdopen(fd, "rb");
    if (stream == nullptr) ::_close(fd);
    return stream;
}

unsigned long processId() { return ::GetCurrentProcessId(); }

}  // namespace orvek::nativeFile
