#include "platform/FileReplace.h"

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/NativeFile.h"

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
        return fd < 0 || nativeFile::closeDescriptor(fd);
    }

private:
    int fd_;
};

std::error_code systemError(int error) {
    return std::error_code(error != 0 ? error : EIO, std::generic_category());
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const long n = nativeFile::writeSome(fd, data.data(), data.size());
        if (n < 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Short, whatever the file's own name: a name near the 255-byte limit still gets a partner.
fs::path temporaryNameBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.parent_path() / (".orvek-" + std::to_string(nativeFile::processId()) + "-" +
                                   std::to_string(counter++) + ".tmp");
}

// Writes into the file itself: for a file whose folder we may not create files in.
std::error_code overwriteInPlace(const fs::path& target, std::string_view bytes) {
    UniqueFd fd(nativeFile::openTruncated(target, false));
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
    nativeFile::Status existing;
    const bool exists = nativeFile::statusOf(target, existing);
    if (exists && existing.directory) return std::make_error_code(std::errc::is_a_directory);
    if (exists && !existing.regular) return std::make_error_code(std::errc::invalid_argument);
    // A rename needs only the folder's permission; the file's own write protection is the
    // user's word that it stays as it is.
    if (exists && !nativeFile::writable(target))
        return std::make_error_code(std::errc::permission_denied);

    const fs::path temporary = temporaryNameBeside(target);
    UniqueFd fd(nativeFile::createNew(temporary));
    if (!fd.valid()) {
        const int error = errno;
        // No file may be created beside it: an existing writable file is still written.
        return exists ? overwriteInPlace(target, bytes) : systemError(error);
    }
    bool ok = true;
    if (exists) {
        // The replacement belongs to whoever writes it; it takes the old file's owner, group and
        // permissions where the process may, so that an export as root does not take the file
        // from its owner.
        ok = nativeFile::takeAccessOf(fd.get(), target);
    }
    ok = ok && writeAll(fd.get(), bytes) && nativeFile::flushToDisk(fd.get());
    ok = fd.close() && ok;
    ok = ok && nativeFile::moveOver(temporary, target);
    if (!ok) {
        const int error = errno;
        nativeFile::removeFile(temporary);
        return systemError(error);
    }
    return {};
}

}  // namespace orvek
