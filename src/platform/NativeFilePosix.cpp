#include "platform/NativeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orvek::nativeFile {
namespace {

void fill(const struct stat& st, Status& status) {
    status.regular = S_ISREG(st.st_mode);
    status.directory = S_ISDIR(st.st_mode);
    status.size = static_cast<std::uint64_t>(st.st_size);
}

int openRetrying(const std::filesystem::path& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

bool statusOf(const std::filesystem::path& path, Status& status) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    fill(st, status);
    return true;
}

bool statusOf(int fd, Status& status) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    fill(st, status);
    return true;
}

int openForReading(const std::filesystem::path& path) {
    // O_NONBLOCK: should a pipe have taken the file's place, the open returns at once; reads
    // block again afterwards.
    const int fd = openRetrying(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

int createNew(const std::filesystem::path& path) {
    return openRetrying(path, O_WRONLY | O_CREAT | O_EXCL);
}

int openTruncated(const std::filesystem::path& path, bool create) {
    return openRetrying(path, O_WRONLY | O_TRUNC | (create ? O_CREAT : 0));
}

bool writable(const std::filesystem::path& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

long readSome(int fd, char* buffer, std::size_t count) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, count);
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

long writeSome(int fd, const char* data, std::size_t count) {
    for (;;) {
        const ssize_t n = ::write(fd, data, count);
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

bool closeDescriptor(int fd) { return ::close(fd) == 0; }

bool flushToDisk(int fd) { return ::fsync(fd) == 0; }

bool takeAccessOf(int fd, const std::filesystem::path& original) {
    struct stat existing {};
    if (::stat(original.c_str(), &existing) != 0) return false;
    // Root may give the old owner back; an owner may keep a group it is in. The owner goes
    // first: a change of owner clears set-id bits, which fchmod then restores.
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) != 0) {
        // Neither: the file becomes the writer's, as any new file would.
    }
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void removeFile(const std::filesystem::path& path) { ::unlink(path.c_str()); }

std::FILE* streamFor(int fd) {
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) ::close(fd);
    return stream;
}

unsigned long processId() { return static_cast<unsigned long>(::getpid()); }

}  // namespace orvek::nativeFile
