#pragma once
// The diagnostic log's ring: the last minutes of a link (each exchange's bytes with the time to
// the millisecond and the command's name) and of what the session around it did (state changes,
// message boxes), kept within a bound on its own memory by dropping the oldest entries.
//
// The device thread and the update workers write it (through the link's trace, and the session's
// hosts); the window's thread copies it to save. One mutex guards it, held for one entry or one
// copy: no writer ever waits for more than that.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "diag/WireNames.h"
#include "link/UsbUart.h"

namespace orvek {

enum class LogKind : std::uint8_t {
    Sent,      // bytes written to the line
    Echo,      // the line's echo of them
    Received,  // the device's answer
    NoAnswer,  // an answer that did not come whole in time: the bytes that did
    Unsent,    // bytes of the last sent that the line did not take
    Dropped,   // a byte that came instead of an echo, dropped
    Link,      // the port opened or closed (text)
    State,     // a state change of the session: lamps, mode, identification (text)
    Box,       // a message box shown (text)
};

struct LogEntry {
    std::int64_t atMs = 0;  // milliseconds since the Unix epoch
    LogKind kind = LogKind::Link;
    const char* name = nullptr;  // the exchange (a wireName), for the kinds that carry bytes
    std::string data;            // the bytes for those kinds, else the text
};

struct LogSnapshot {
    std::vector<LogEntry> entries;  // oldest first
    std::uint64_t dropped = 0;      // older entries that no longer fitted
    std::size_t memoryBytes = 0;
    std::size_t limitBytes = 0;
    std::string port;  // the port the link opened last; empty when none was
};

class LinkLog {
public:
    static constexpr std::size_t kLimitBytes = 2 * 1024 * 1024;
    // Milliseconds since the Unix epoch.
    using Clock = std::function<std::int64_t()>;

    // Without a clock the wall clock at construction, run on by a monotonic one, so that the
    // times of a run never go back when the system's time is set.
    explicit LinkLog(std::size_t limitBytes = kLimitBytes, Clock clock = {});
    LinkLog(const LinkLog&) = delete;
    LinkLog& operator=(const LinkLog&) = delete;

    // A trace sink for UsbUart::setTrace: every exchange of the link, named. The log must
    // outlive the link's use of the sink.
    UsbUart::TraceSink traceSink();
    void traced(UsbUart::TraceDirection direction, const std::uint8_t* data, std::size_t count);
    // A line of the session's own: LogKind::State, Box or Link.
    void add(LogKind kind, std::string text);

    LogSnapshot snapshot() const;
    std::size_t memoryBytes() const;
    std::size_t size() const;

    // What one entry costs the ring: the entry itself and the heap its data takes.
    static std::size_t entryBytes(const LogEntry& entry);

private:
    // With mutex_ held.
    void push(LogKind kind, const char* name, std::string data);

    const std::size_t limitBytes_;
    const Clock clock_;
    mutable std::mutex mutex_;
    std::deque<LogEntry> entries_;
    std::size_t memoryBytes_ = 0;
    std::uint64_t dropped_ = 0;
    WireNamer namer_;
    std::string port_;
};

}  // namespace orvek
