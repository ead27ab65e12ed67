#pragma once
// A serial port: exclusive open, raw 8N1 at a given speed, reads of N bytes with a deadline,
// writes of N bytes, purges, close. The link's one handle to the device. One implementation
// file per system: SerialPortPosix.cpp (termios) and SerialPortWindows.cpp (overlapped COM I/O).
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvek {

class SerialPort {
public:
    enum class Purge { Input, Both };

    // Outcome of a read: complete (all bytes), short (the line ended first), or timed out.
    enum class ReadResult { Complete, Short, TimedOut, Failed };

    // Why the last open failed, as far as the person at the keyboard can act on it.
    enum class OpenFailure {
        None,          // the last open succeeded (or none was tried)
        Missing,       // no such device (unplugged, or a wrong path)
        NoPermission,  // the device is there but this user may not open it
        InUse,         // another program holds it
        NotATerminal,  // the path names something else (a file, a folder, ...): never touched
        Other,
    };

    // What a path that is not a terminal names, for the line that refuses it.
    enum class PathKind { Terminal, RegularFile, Folder, Pipe, Socket, OtherDevice };

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens `path` for exclusive read and write. Returns false when it cannot be opened, is
    // already held by another process, or is not a terminal; lastOpenFailure() then tells why.
    // Nothing is created or truncated, and nothing that is not a terminal is written to or has
    // its settings changed: a mistyped path must not damage the file it names.
    bool open(const std::string& path);
    OpenFailure lastOpenFailure() const { return openFailure_; }
    // After NotATerminal: what the path named instead.
    PathKind lastPathKind() const { return pathKind_; }

    // Applies 8 data bits, no parity, one stop bit at `baud`, with the line in raw (binary) mode;
    // flow control and modem-line handling stay as the driver reported them.
    bool configure(int baud);

    bool isOpen() const { return fd_ != kNoPort; }
    void close();

    // Reads exactly `count` bytes into `buffer`, waiting at most `waitMs` for all of them.
    // `got` receives the number of bytes stored. On TimedOut the bytes that did arrive are
    // still in `buffer` but the caller treats the request as abandoned.
    ReadResult read(std::uint8_t* buffer, std::size_t count, int waitMs, std::size_t& got);

    // Writes all `count` bytes; false when the line is gone or the write fails.
    // `written` receives the number of bytes accepted.
    bool write(const std::uint8_t* buffer, std::size_t count, std::size_t& written);

    // Writes without waiting for the line to accept more than one attempt (a single write call).
    bool writeOnce(const std::uint8_t* buffer, std::size_t count, std::size_t& written);

    // Writes `outCount` bytes while reading up to `inCount` bytes of what comes back, so that a
    // frame longer than the line's input buffer can have its echo taken as it is sent. The read
    // may go on for `waitAfterWriteMs` once everything is written. writeOk tells whether all
    // bytes were written, whatever came back; `read` and `got` tell what did.
    struct Exchange {
        bool writeOk = false;
        std::size_t written = 0;
        ReadResult read = ReadResult::Failed;
        std::size_t got = 0;
    };
    Exchange writeWhileReading(const std::uint8_t* out, std::size_t outCount, std::uint8_t* in,
                               std::size_t inCount, int waitAfterWriteMs);

    void purge(Purge what);

    const std::string& path() const { return path_; }

    // True once a read or write found the line gone (hung up, or the device went away, as a
    // pulled cable does), not merely slow or silent; it stays so after close() until the next
    // open().
    bool lineGone() const { return lineGone_; }

private:
    void noteWriteError(int error);
    bool refuseKind(PathKind kind);

#ifdef _WIN32
    using NativeHandle = void*;  // the COM port's HANDLE
    static constexpr NativeHandle kNoPort = nullptr;
#else
    using NativeHandle = int;  // the tty's file descriptor
    static constexpr NativeHandle kNoPort = -1;
#endif
    NativeHandle fd_ = kNoPort;
    std::string path_;
    OpenFailure openFailure_ = OpenFailure::None;
    PathKind pathKind_ = PathKind::Terminal;
    bool lineGone_ = false;
};

// "a regular file", "a folder", "a pipe", "a socket", "a device that is not a terminal".
const char* pathKindText(SerialPort::PathKind kind);
// "PATH is not a serial port (a regular file)": the refusal of a path that is no terminal.
std::string notASerialPortText(const std::string& path, SerialPort::PathKind kind);

}  // namespace orvek
