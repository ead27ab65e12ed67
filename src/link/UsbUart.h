#pragma once
// The one serial link between the tool and the attached ESC or program card. Every byte sent
// comes back as an echo before the device answers; the operations here consume that echo and
// read answers with time limits, returning the link status codes below.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link/AdapterDiscovery.h"
#include "link/LinkStates.h"
#include "platform/SerialPort.h"

namespace orvek {

// Purge masks, as the link's callers name them.
constexpr int kPurgeRxClear = 0x08;  // discard unread input
constexpr int kPurgeAll = 0x0F;      // abort pending transfers, discard both directions

constexpr std::size_t kRxBufferSize = 250;
constexpr std::size_t kTxBufferSize = 100;

class UsbUart {
public:
    // Sent, Echo, Received: the bytes. Note: a byte dropped while waiting for an echo.
    // Opened: the port's path. Closed: empty, or why ("the line is gone"). NoAnswer: a reply
    // that did not come whole within its limit: the bytes that did (maybe none). NotWritten:
    // after Sent, the bytes the line did not take.
    enum class TraceDirection { Sent, Echo, Received, Note, Opened, Closed, NoAnswer, NotWritten };
    using TraceSink = std::function<void(TraceDirection, const std::uint8_t*, std::size_t)>;

    UsbUart();
    virtual ~UsbUart();
    UsbUart(const UsbUart&) = delete;
    UsbUart& operator=(const UsbUart&) = delete;

    // The states are read by the window's thread while an update worker may set them. The
    // monitor and the workers set usbState and escState; closePort clears both.
    UsbState usbState() const { return usbState_; }
    void setUsbState(UsbState state) { usbState_ = state; }
    EscState escState() const { return escState_; }
    void setEscState(EscState state) { escState_ = state; }
    int portOpen() const { return portOpen_; }  // 1 while the port is open

    // Every echo and reply lands here from index 0; bytesRead tells how many the last read
    // stored, bytesWritten how many the last write put on the line.
    const std::uint8_t* rxBuffer() const { return rxBuffer_; }
    std::uint32_t bytesRead() const { return bytesRead_; }
    std::uint32_t bytesWritten() const { return bytesWritten_; }

    // Old-platform paths: synchronous writes, 100 ms before each reply. openPort sets it from
    // the host; a test may set it after the port is open.
    void setLegacyPlatform(int legacy) { legacyPlatform_ = legacy; }

    // 0: the port is open (also when it already was); 1: no adapter, or it could not be opened.
    int openPort();
    // Why the last openPort returned 1 (Missing when no port was found at all), None after one
    // that opened the port; and the port it tried.
    SerialPort::OpenFailure openFailure() const { return openFailure_; }
    // After a NotATerminal failure: what the tried path names instead.
    SerialPort::PathKind refusedPathKind() const { return portHandle_.lastPathKind(); }
    const std::string& triedPortPath() const { return triedPath_; }
    void closePort();

    bool readWithTimeout(std::uint8_t* buffer, std::uint32_t byteCount, std::uint32_t waitLimitMs);
    bool writeBytes(const std::uint8_t* buffer, std::uint32_t byteCount);
    LinkStatus sendCommand(std::uint8_t byte);
    LinkStatus readReply(std::uint32_t byteCount, std::uint32_t waitLimitMs);
    LinkStatus sendFrame(const std::uint8_t* buffer, std::uint32_t byteCount);
    LinkStatus sendPair(const std::uint8_t pair[2]);
    void purge(int mask);

    // Where openPort looks: an explicit path (command line) wins, then ORVEK_PORT, then discovery.
    void setPortOverride(std::string path) { portOverride_ = std::move(path); }
    void setDiscovery(AdapterDiscovery discovery) { discovery_ = std::move(discovery); }
    const std::string& openedPath() const { return portHandle_.path(); }

    // Optional byte-level trace of every exchange (for a verbose command-line mode).
    void setTrace(TraceSink sink) { trace_ = std::move(sink); }

    // Whoever exchanges with the device outside the poll (an update, a settings write) holds
    // this from its first exchange to its last; the poll only runs when it can take it at once.
    std::mutex& exclusiveUse() { return exclusive_; }

    // Count of reads and writes performed on the port, so that callers can tell an idle call.
    std::uint64_t ioCount() const { return ioCount_; }

    // True when, since the port was last opened, a write failed or a read ended because the
    // line is gone (the adapter was unplugged), as opposed to a device that does not answer; it
    // stays so after closePort, so that whoever reports the failure can still tell.
    bool lineLost() const { return portHandle_.lineGone(); }

private:
    std::uint32_t wireTimeMs(std::uint32_t byteCount) const;
    void traceBytes(TraceDirection dir, const std::uint8_t* data, std::size_t n) const;
    bool readCommandEcho(std::uint8_t sent, std::uint32_t waitLimitMs);
    LinkStatus sendLongFrame(const std::uint8_t* buffer, std::uint32_t byteCount);

    std::atomic<UsbState> usbState_{UsbState::NoPort};
    std::atomic<EscState> escState_{EscState::NotProbed};
    std::atomic<int> portOpen_{0};  // 1 while portHandle_ is open
    std::uint8_t rxBuffer_[kRxBufferSize] = {};
    int baudRate_ = 19200;
    std::uint8_t txBuffer_[kTxBufferSize] = {};
    std::uint32_t bytesWritten_ = 0;
    std::uint32_t bytesRead_ = 0;
    int legacyPlatform_ = 0;
    SerialPort portHandle_;

    std::string portOverride_;
    AdapterDiscovery discovery_;
    SerialPort::OpenFailure openFailure_ = SerialPort::OpenFailure::None;
    std::string triedPath_;
    TraceSink trace_;
    std::vector<std::uint8_t> scratch_;
    std::size_t scratchGot_ = 0;  // what a read that failed had gathered
    std::vector<std::uint8_t> longEcho_;
    std::uint64_t ioCount_ = 0;
    std::mutex exclusive_;
};

// The host never belongs to the old 9x platform family here; kept as a function so that the
// flag has one source.
int hostLegacyPlatform();

}  // namespace orvek
