#include "platform/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>

namespace orvek {
namespace {

speed_t speedFor(int baud) {
    switch (baud) {
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B0;
    }
}

SerialPort::OpenFailure failureFor(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return SerialPort::OpenFailure::NoPermission;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR: return SerialPort::OpenFailure::Missing;
        case EBUSY:
        case EWOULDBLOCK: return SerialPort::OpenFailure::InUse;
        default: return SerialPort::OpenFailure::Other;
    }
}

SerialPort::PathKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return SerialPort::PathKind::RegularFile;
    if (S_ISDIR(mode)) return SerialPort::PathKind::Folder;
    if (S_ISFIFO(mode)) return SerialPort::PathKind::Pipe;
    if (S_ISSOCK(mode)) return SerialPort::PathKind::Socket;
    return SerialPort::PathKind::OtherDevice;  // a block device, or a character device
}

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

SerialPort::~SerialPort() { close(); }

void SerialPort::noteWriteError(int error) {
    if (error == EIO || error == ENXIO || error == ENODEV || error == EPIPE) lineGone_ = true;
}

bool SerialPort::open(const std::string& path) {
    close();
    pathKind_ = PathKind::Terminal;
    // Never created or truncated; a FIFO opens at once (non-blocking). What does not open at
    // all (a folder, a socket, a file this user may not write) is told by its type: only for a
    // character device is the open's own error the reason.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat named {};
        if (::stat(path.c_str(), &named) == 0 && !S_ISCHR(named.st_mode)) {
            return refuseKind(kindOf(named.st_mode));
        }
        openFailure_ = failureFor(error);
        return false;
    }
    // Before any byte or line setting: only a terminal is a serial port. A character device
    // without terminal settings (/dev/null, ...) is none either.
    struct stat opened {};
    termios settings{};
    if (::fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode)) {
        ::close(fd);
        return refuseKind(kindOf(opened.st_mode));
    }
    if (::tcgetattr(fd, &settings) != 0) {
        ::close(fd);
        return refuseKind(PathKind::OtherDevice);
    }
    // Two guards: TIOCEXCL keeps other openers out of the tty, flock keeps out other
    // instances of this program even when they run as root (TIOCEXCL does not stop root).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        openFailure_ = OpenFailure::InUse;
        ::close(fd);
        return false;
    }
    openFailure_ = OpenFailure::None;
    lineGone_ = false;
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    path_ = path;
    return true;
}

bool SerialPort::configure(int baud) {
    if (fd_ < 0) return false;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return false;
    // Binary line: no input translation, no software flow control (0x11 and 0x13 are data
    // here), no output processing, no echo or line editing by the tty layer.
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    const speed_t speed = speedFor(baud);
    if (speed != B0) {
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
    }
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

void SerialPort::close() {
    if (fd_ >= 0) {
        ::close(fd_);  // also releases the flock
        fd_ = -1;
    }
}

SerialPort::ReadResult SerialPort::read(std::uint8_t* buffer, std::size_t count, int waitMs,
                                        std::size_t& got) {
    got = 0;
    if (fd_ < 0) return ReadResult::Failed;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    const auto lineEnded = [&] { return got > 0 ? ReadResult::Short : ReadResult::Failed; };
    while (got < count) {
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, remainingMs(deadline));
        if (r < 0) {
            if (errno == EINTR) continue;
            return ReadResult::Failed;
        }
        if (r == 0) return ReadResult::TimedOut;
        if (!(p.revents & POLLIN)) {
            lineGone_ = true;  // hang-up or error without data
            return lineEnded();
        }
        const ssize_t n = ::read(fd_, buffer + got, count - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
            continue;
        } else {
            lineGone_ = true;  // readable but nothing to read (end of file), or EIO
            return lineEnded();
        }
    }
    return ReadResult::Complete;
}

bool SerialPort::write(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
    written = 0;
    if (fd_ < 0) return false;
    // A write has no time limit of its own on the line, but a tty that stops accepting bytes
    // for this long is stuck; giving up beats hanging the caller for ever.
    constexpr int kStallMs = 5000;
    while (written < count) {
        const ssize_t n = ::write(fd_, buffer + written, count - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            noteWriteError(errno);
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        const int r = ::poll(&p, 1, kStallMs);
        if (r == 0) return false;  // stalled: slow or stuck, but not known to be gone
        if (r < 0 && errno != EINTR) return false;
        if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            lineGone_ = true;
            return false;
        }
    }
    // The write counts as done once the bytes have left for the line, as a serial driver
    // reports completion; a line that has gone away fails here.
    while (::tcdrain(fd_) != 0) {
        if (errno == EINTR) continue;
        noteWriteError(errno);
        return errno != EIO && errno != ENXIO && errno != ENODEV;
    }
    return true;
}

bool SerialPort::writeOnce(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
    written = 0;
    if (fd_ < 0) return false;
    ssize_t n;
    do {
        n = ::write(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        noteWriteError(errno);
        return false;
    }
    written = static_cast<std::size_t>(n);
    return written == count;
}

SerialPort::Exchange SerialPort::writeWhileReading(const std::uint8_t* out, std::size_t outCount,
                                                   std::uint8_t* in, std::size_t inCount,
                                                   int waitAfterWriteMs) {
    Exchange ex;
    if (fd_ < 0) return ex;
    constexpr int kStallMs = 5000;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStallMs);
    bool lineEnded = false;
    while (ex.written < outCount || (ex.got < inCount && !lineEnded)) {
        const bool writing = ex.written < outCount;
        pollfd p{fd_, static_cast<short>((writing ? POLLOUT : 0) | (ex.got < inCount ? POLLIN : 0)),
                 0};
        const int r = ::poll(&p, 1, remainingMs(deadline));
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (r == 0) {
            // A stalled write failed; an echo that never came whole leaves the frame written.
            ex.writeOk = ex.written == outCount;
            ex.read = ReadResult::TimedOut;
            return ex;
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(fd_, in + ex.got, inCount - ex.got);
            if (n > 0) {
                ex.got += static_cast<std::size_t>(n);
            } else if (!(n < 0 && (errno == EINTR || errno == EAGAIN))) {
                lineEnded = true;
            }
        } else if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            lineEnded = true;
        }
        if (lineEnded) lineGone_ = true;
        if (lineEnded && writing) return ex;  // the line is gone: the write failed
        if (writing && (p.revents & POLLOUT)) {
            const ssize_t n = ::write(fd_, out + ex.written, outCount - ex.written);
            if (n > 0) {
                ex.written += static_cast<std::size_t>(n);
                deadline =
                    std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(ex.written < outCount ? kStallMs : waitAfterWriteMs);
            } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
                noteWriteError(errno);
                return ex;
            }
        }
    }
    ex.writeOk = ex.written == outCount;
    if (ex.got == inCount) {
        ex.read = ReadResult::Complete;
    } else {
        ex.read = ex.got > 0 ? ReadResult::Short : ReadResult::Failed;
    }
    return ex;
}

void SerialPort::purge(Purge what) {
    if (fd_ < 0) return;
    ::tcflush(fd_, what == Purge::Input ? TCIFLUSH : TCIOFLUSH);
}

}  // namespace orvek
