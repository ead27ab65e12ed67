#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace orvek {
namespace {

namespace fs = std::filesystem;

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

std::error_code systemError(int error) {
    return std::error_code(error != 0 ? error : EIO, std::generic_category());
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Short, whatever the file's own name: a name near the 255-byte limit still gets a partner.
fs::path temporaryNameBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.parent_path() /
           (".orvek-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

// Writes into the file itself: for a file whose folder we may not create files in.
std::error_code overwriteInPlace(const fs::path& target, std::string_view bytes) {
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd.valid() || !writeAll(fd.get(), bytes) || !fd.close()) return systemError(errno);
    return {};
}

}  // namespace

fs::path followLinks(const fs::path& file) {
    fs::path target = file;
    // The system's own limit on links in a path.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return file;
}

std::error_code replaceFile(const fs::path& file, std::string_view bytes) {
    const fs::path target = followLinks(file);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    if (exists && !S_ISREG(existing.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    // A rename needs only the folder's permission; the file's own write protection is the
    // user's word that it stays as it is.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return std::make_error_code(std::errc::permission_denied);

    const fs::path temporary = temporaryNameBeside(target);
    UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        const int error = errno;
        // No file may be created beside it: an existing writable file is still written.
        return exists ? overwriteInPlace(target, bytes) : systemError(error);
    }
    bool ok = true;
    if (exists) {
        // The replacement belongs to whoever writes it; give it the old file's owner and group
        // where the process may (root may; an owner may keep a group it is in), so that an
        // export as root does not take the file from its owner. The owner goes first: a change
        // of owner clears set-id bits, which fchmod then restores.
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0 &&
            ::fchown(fd.get(), static_cast<uid_t>(-1), existing.st_gid) != 0) {
            // Neither: the file becomes the writer's, as any new file would.
        }
        ok = ::fchmod(fd.get(), existing.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return systemError(error);
    }
    return {};
}

}  // namespace orvek
