#include "diag/LinkLog.h"

#include <chrono>
#include <functional>

namespace orvek {

namespace {

LinkLog::Clock wallClockRunMonotonic() {
    using namespace std::chrono;
    const std::int64_t wallStart =
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const steady_clock::time_point steadyStart = steady_clock::now();
    return [wallStart, steadyStart] {
        return wallStart + duration_cast<milliseconds>(steady_clock::now() - steadyStart).count();
    };
}

std::string bytesOf(const std::uint8_t* data, std::size_t count) {
    return count == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), count);
}

}  // namespace

LinkLog::LinkLog(std::size_t limitBytes, Clock clock)
    : limitBytes_(limitBytes), clock_(clock ? std::move(clock) : wallClockRunMonotonic()) {}

UsbUart::TraceSink LinkLog::traceSink() {
    return [this](UsbUart::TraceDirection direction, const std::uint8_t* data, std::size_t count) {
        traced(direction, data, count);
    };
}

void LinkLog::traced(UsbUart::TraceDirection direction, const std::uint8_t* data,
                     std::size_t count) {
    using Direction = UsbUart::TraceDirection;
    std::lock_guard<std::mutex> lock(mutex_);
    switch (direction) {
        case Direction::Sent: {
            const char* name = namer_.sent(data, count);
            push(LogKind::Sent, name, bytesOf(data, count));
            return;
        }
        case Direction::Echo: push(LogKind::Echo, namer_.current(), bytesOf(data, count)); return;
        case Direction::Received:
            push(LogKind::Received, namer_.current(), bytesOf(data, count));
            return;
        case Direction::NoAnswer:
            push(LogKind::NoAnswer, namer_.current(), bytesOf(data, count));
            return;
        case Direction::NotWritten:
            push(LogKind::Unsent, namer_.current(), bytesOf(data, count));
            return;
        case Direction::Note:
            push(LogKind::Dropped, namer_.current(), bytesOf(data, count));
            return;
        case Direction::Opened:
            port_ = bytesOf(data, count);
            push(LogKind::Link, nullptr, "port opened: " + port_);
            return;
        case Direction::Closed: {
            const std::string why = bytesOf(data, count);
            push(LogKind::Link, nullptr, why.empty() ? "port closed" : "port closed: " + why);
            return;
        }
    }
}

void LinkLog::add(LogKind kind, std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    push(kind, nullptr, std::move(text));
}

void LinkLog::push(LogKind kind, const char* name, std::string data) {
    LogEntry entry;
    entry.atMs = clock_();
    entry.kind = kind;
    entry.name = name;
    entry.data = std::move(data);
    entry.data.shrink_to_fit();  // a text built by concatenation holds more than it needs
    memoryBytes_ += entryBytes(entry);
    entries_.push_back(std::move(entry));
    // The newest entry always stays, even one larger than the whole bound.
    while (memoryBytes_ > limitBytes_ && entries_.size() > 1) {
        memoryBytes_ -= entryBytes(entries_.front());
        entries_.pop_front();
        ++dropped_;
    }
}

LogSnapshot LinkLog::snapshot() const {
    LogSnapshot copy;
    std::lock_guard<std::mutex> lock(mutex_);
    copy.entries.assign(entries_.begin(), entries_.end());
    copy.dropped = dropped_;
    copy.memoryBytes = memoryBytes_;
    copy.limitBytes = limitBytes_;
    copy.port = port_;
    return copy;
}

std::size_t LinkLog::memoryBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return memoryBytes_;
}

std::size_t LinkLog::size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.size();
}

std::size_t LinkLog::entryBytes(const LogEntry& entry) {
    // A short text lives inside the string object itself; a longer one on the heap, with its
    // terminating zero.
    const char* text = entry.data.data();
    const char* object = reinterpret_cast<const char*>(&entry.data);
    const bool inside = std::greater_equal<const char*>()(text, object) &&
                        std::less<const char*>()(text, object + sizeof entry.data);
    return sizeof entry + (inside ? 0 : entry.data.capacity() + 1);
}

}  // namespace orvek
