#include "platform/SerialPort.h"

#include <windows.h>

#include <cctype>
#include <chrono>
#include <string>

#include "platform/WinHandle.h"

namespace orvek {
namespace {

// A write the line stops accepting for this long is stuck, as on POSIX.
constexpr DWORD kStallMs = 5000;

HANDLE portOf(void* handle) { return static_cast<HANDLE>(handle); }

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                              n);
    }
    return wide;
}

// "COM7" and "com12" name ports; CreateFileW wants the device path \\.\COM7 (which is also the
// only form that reaches COM10 and above). Any other text is taken as a path as it stands.
std::wstring devicePathFor(const std::string& name) {
    const bool bareCom = name.size() > 3 &&
                         std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
                         std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
                         std::toupper(static_cast<unsigned char>(name[2])) == 'M' &&
                         name.find_first_not_of("0123456789", 3) == std::string::npos;
    return bareCom ? L"\\\\.\\" + widen(name) : widen(name);
}

SerialPort::OpenFailure failureFor(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED: return SerialPort::OpenFailure::NoPermission;
        case ERROR_SHARING_VIOLATION: return SerialPort::OpenFailure::InUse;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_DEVICE_NOT_CONNECTED: return SerialPort::OpenFailure::Missing;
        default: return SerialPort::OpenFailure::Other;
    }
}

// The codes an open COM port's requests fail with once its USB-serial device has gone: the
// driver's own (ERROR_DEVICE_NOT_CONNECTED, ERROR_DEVICE_REMOVED, ERROR_BAD_COMMAND,
// ERROR_GEN_FAILURE, ERROR_ACCESS_DENIED on a handle that was open, ERROR_OPERATION_ABORTED for a
// request the removal ended, ERROR_INVALID_HANDLE) and those Wine gives for a line that hung up
// (ERROR_BROKEN_PIPE for a read, ERROR_NOT_READY for a write; ERROR_IO_DEVICE, ERROR_HANDLE_EOF).
bool meansLineGone(DWORD error) {
    switch (error) {
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEVICE_REMOVED:
        case ERROR_BAD_COMMAND:
        case ERROR_GEN_FAILURE:
        case ERROR_ACCESS_DENIED:
        case ERROR_OPERATION_ABORTED:
        case ERROR_IO_DEVICE:
        case ERROR_HANDLE_EOF:
        case ERROR_BROKEN_PIPE:
        case ERROR_NOT_READY:
        case ERROR_INVALID_HANDLE: return true;
        default: return false;
    }
}

// One overlapped request with its own event; the event is closed by WinHandle on every path.
struct Request {
    WinHandle event{newRequestEvent()};
    OVERLAPPED overlapped{};
    Request() { overlapped.hEvent = event.get(); }
};

enum class Wait { Done, TimedOut, Failed };

// Waits for a started request. On time-out the request is cancelled and waited for, so that the
// OVERLAPPED it writes into outlives it; `count` then holds what arrived before the cancel.
Wait finish(HANDLE port, Request& request, DWORD waitMs, DWORD& count, DWORD& error) {
    count = 0;
    error = ERROR_SUCCESS;
    const DWORD w = ::WaitForSingleObject(request.event.get(), waitMs);
    if (w == WAIT_OBJECT_0) {
        if (::GetOverlappedResult(port, &request.overlapped, &count, FALSE)) return Wait::Done;
        error = ::GetLastError();
        return Wait::Failed;
    }
    ::CancelIo(port);
    ::GetOverlappedResult(port, &request.overlapped, &count, TRUE);
    return w == WAIT_TIMEOUT ? Wait::TimedOut : Wait::Failed;
}

// Starts a request: true when it completed at once or is pending; `count` is set when done.
bool started(BOOL ok, DWORD& error, bool& pending) {
    error = ok ? ERROR_SUCCESS : ::GetLastError();
    pending = !ok && error == ERROR_IO_PENDING;
    return ok || pending;
}

}  // namespace

SerialPort::~SerialPort() { close(); }

void SerialPort::noteWriteError(int error) {
    if (meansLineGone(static_cast<DWORD>(error))) lineGone_ = true;
}

bool SerialPort::open(const std::string& path) {
    close();
    pathKind_ = PathKind::Terminal;
    const std::wstring device = devicePathFor(path);
    // What the file system holds (a file, a folder) is no port: refused by its kind before it
    // is opened for writing. Devices have no attributes; for them the open's error is the reason.
    const DWORD attributes = ::GetFileAttributesW(device.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return refuseKind((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder
                                                                       : PathKind::RegularFile);
    }
    // Never created; no sharing: a second opener, in this program or another, is refused.
    const HANDLE h =
        ::CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        openFailure_ = failureFor(::GetLastError());
        return false;
    }
    // Before any byte or line setting: only a device with a line state is a serial port.
    DCB state{};
    state.DCBlength = sizeof state;
    const DWORD type = ::GetFileType(h);
    if (type != FILE_TYPE_CHAR || !::GetCommState(h, &state)) {
        ::CloseHandle(h);
        return refuseKind(type == FILE_TYPE_PIPE   ? PathKind::Pipe
                          : type == FILE_TYPE_DISK ? PathKind::RegularFile
                                                   : PathKind::OtherDevice);
    }
    // No time-outs in the driver: a read ends when all its bytes are there, and the only limit
    // is the wait on its event. A driver keeps the time-outs the last program set, so they are
    // cleared rather than trusted.
    COMMTIMEOUTS none{};
    ::SetCommTimeouts(h, &none);
    openFailure_ = OpenFailure::None;
    lineGone_ = false;
    fd_ = h;
    path_ = path;
    return true;
}

bool SerialPort::configure(int baud) {
    if (fd_ == kNoPort) return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(portOf(fd_), &dcb)) return false;
    // Exactly the line format; flow control, modem lines and special characters stay as the
    // driver reported them.
    dcb.BaudRate = static_cast<DWORD>(baud);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    return ::SetCommState(portOf(fd_), &dcb) != 0;
}

void SerialPort::close() {
    if (fd_ != kNoPort) {
        ::CloseHandle(portOf(fd_));
        fd_ = kNoPort;
    }
}

SerialPort::ReadResult SerialPort::read(std::uint8_t* buffer, std::size_t count, int waitMs,
                                        std::size_t& got) {
    got = 0;
    if (fd_ == kNoPort) return ReadResult::Failed;
    if (count == 0) return ReadResult::Complete;
    Request request;
    if (!request.event.valid()) return ReadResult::Failed;
    DWORD n = 0, error = 0;
    bool pending = false;
    const BOOL ok =
        ::ReadFile(portOf(fd_), buffer, static_cast<DWORD>(count), &n, &request.overlapped);
    if (!started(ok, error, pending)) {
        noteWriteError(static_cast<int>(error));
        return ReadResult::Failed;
    }
    if (pending) {
        const Wait w =
            finish(portOf(fd_), request, static_cast<DWORD>(waitMs < 0 ? 0 : waitMs), n, error);
        got = n;
        if (w == Wait::TimedOut) return ReadResult::TimedOut;
        if (w == Wait::Failed) {
            noteWriteError(static_cast<int>(error));
            return got > 0 ? ReadResult::Short : ReadResult::Failed;
        }
    }
    got = n;
    if (n == count) return ReadResult::Complete;
    // With no communication time-outs set, a read ends early only when the line has ended.
    lineGone_ = true;
    return got > 0 ? ReadResult::Short : ReadResult::Failed;
}

bool SerialPort::write(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
    written = 0;
    if (fd_ == kNoPort) return false;
    if (count == 0) return true;
    Request request;
    if (!request.event.valid()) return false;
    DWORD n = 0, error = 0;
    bool pending = false;
    const BOOL ok =
        ::WriteFile(portOf(fd_), buffer, static_cast<DWORD>(count), &n, &request.overlapped);
    if (!started(ok, error, pending)) {
        noteWriteError(static_cast<int>(error));
        return false;
    }
    if (pending && finish(portOf(fd_), request, kStallMs, n, error) != Wait::Done) {
        noteWriteError(static_cast<int>(error));
        written = n;
        return false;
    }
    written = n;
    return written == count;
}

bool SerialPort::writeOnce(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
    // A port opened for overlapped I/O takes no plain synchronous write; one request waited
    // for is the same thing on the line.
    return write(buffer, count, written);
}

SerialPort::Exchange SerialPort::writeWhileReading(const std::uint8_t* out, std::size_t outCount,
                                                   std::uint8_t* in, std::size_t inCount,
                                                   int waitAfterWriteMs) {
    Exchange ex;
    if (fd_ == kNoPort) return ex;
    const HANDLE port = portOf(fd_);
    // The read is posted first, so the echo is taken while the frame goes out and never has
    // to wait in the driver's input queue.
    Request reading;
    Request writing;
    if (!reading.event.valid() || !writing.event.valid()) return ex;
    DWORD gotNow = 0, error = 0;
    bool readPending = false;
    const bool readStarted =
        started(::ReadFile(port, in, static_cast<DWORD>(inCount), &gotNow, &reading.overlapped),
                error, readPending);
    if (!readStarted) noteWriteError(static_cast<int>(error));

    DWORD sent = 0;
    bool writePending = false;
    bool writeDone =
        started(::WriteFile(port, out, static_cast<DWORD>(outCount), &sent, &writing.overlapped),
                error, writePending);
    if (writeDone && writePending)
        writeDone = finish(port, writing, kStallMs, sent, error) == Wait::Done;
    if (!writeDone) noteWriteError(static_cast<int>(error));
    ex.written = sent;
    ex.writeOk = writeDone && sent == outCount;

    if (!readStarted) return ex;
    DWORD got = gotNow;
    Wait w = Wait::Done;
    if (readPending) {
        // Once the frame is out (or has failed) the echo gets `waitAfterWriteMs` to finish.
        w = finish(port, reading, ex.writeOk ? static_cast<DWORD>(waitAfterWriteMs) : 0, got,
                   error);
    }
    ex.got = got;
    if (w == Wait::TimedOut) {
        ex.read = ReadResult::TimedOut;
    } else if (w == Wait::Failed) {
        noteWriteError(static_cast<int>(error));
        ex.read = got > 0 ? ReadResult::Short : ReadResult::Failed;
    } else {
        ex.read = got == inCount ? ReadResult::Complete
                                 : (got > 0 ? ReadResult::Short : ReadResult::Failed);
    }
    return ex;
}

void SerialPort::purge(Purge what) {
    if (fd_ == kNoPort) return;
    ::PurgeComm(portOf(fd_), what == Purge::Input
                                 ? PURGE_RXCLEAR
                                 : PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

}  // namespace orvek
