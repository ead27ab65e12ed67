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
#include "platform/SerialPort.h"

namespace orvek {

// Link status codes, returned by every link operation.
constexpr int kLinkOk = 0;
constexpr int kLinkTxFailed = 1;   // not written (sendPair: or acknowledgement not 0x01)
constexpr int kLinkTimeout = 2;    // no complete answer within the time limit
constexpr int kLinkWrongCount = 3; // the read completed with another byte count

// Purge masks, as the link's callers name them.
constexpr int kPurgeRxClear = 0x08;  // discard unread input
constexpr int kPurgeAll = 0x0F;      // abort pending transfers, discard both directions

constexpr std::size_t kRxBufferSize = 250;
constexpr std::size_t kTxBufferSize = 100;

class UsbUart {
public:
    enum class TraceDirection { Sent, Echo, Received, Note };
    using TraceSink = std::function<void(TraceDirection, const std::uint8_t*, std::size_t)>;

    UsbUart();
    virtual ~UsbUart();
    UsbUart(const UsbUart&) = delete;
    UsbUart& operator=(const UsbUart&) = delete;

    // The three states are read by the window's thread while an update worker may set them.
    std::atomic<int> usbState{0};   // 0 no usable port, 2 port open and in use
    std::atomic<int> escState{0};   // 0 not probed, 1 ESC not answering, 2 ESC identified
    std::atomic<int> portOpen{0};   // 1 while portHandle is open
    std::uint8_t rxBuffer[kRxBufferSize] = {};
    int baudRate = 19200;
    std::uint8_t txBuffer[kTxBufferSize] = {};
    std::uint32_t bytesWritten = 0;
    std::uint32_t bytesRead = 0;
    int legacyPlatform = 0;  // old-platform paths: synchronous writes, 100 ms before each reply
    SerialPort portHandle;

    // 0: the port is open (also when it already was); 1: no adapter, or it could not be opened.
    int openPort();
    // Why the last openPort returned 1 (Missing when no port was found at all), None after one
    // that opened the port; and the port it tried.
    SerialPort::OpenFailure openFailure() const { return openFailure_; }
    const std::string& triedPortPath() const { return triedPath_; }
    void closePort();

    bool readWithTimeout(std::uint8_t* buffer, std::uint32_t byteCount, std::uint32_t waitLimitMs);
    bool writeBytes(const std::uint8_t* buffer, std::uint32_t byteCount);
    int sendCommand(std::uint8_t byte);
    int readReply(std::uint32_t byteCount, std::uint32_t waitLimitMs);
    int sendFrame(const std::uint8_t* buffer, std::uint32_t byteCount);
    int sendPair(const std::uint8_t pair[2]);
    void purge(int mask);

    // Where openPort looks: an explicit path (command line) wins, then ORVEK_PORT, then discovery.
    void setPortOverride(std::string path) { portOverride_ = std::move(path); }
    void setDiscovery(AdapterDiscovery discovery) { discovery_ = std::move(discovery); }
    const std::string& openedPath() const { return portHandle.path(); }

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
    bool lineLost() const { return portHandle.lineGone(); }

private:
    std::uint32_t wireTimeMs(std::uint32_t byteCount) const;
    void traceBytes(TraceDirection dir, const std::uint8_t* data, std::size_t n) const;
    bool readCommandEcho(std::uint8_t sent, std::uint32_t waitLimitMs);
    int sendLongFrame(const std::uint8_t* buffer, std::uint32_t byteCount);

    std::string portOverride_;
    AdapterDiscovery discovery_;
    SerialPort::OpenFailure openFailure_ = SerialPort::OpenFailure::None;
    std::string triedPath_;
    TraceSink trace_;
    std::vector<std::uint8_t> scratch_;
    std::vector<std::uint8_t> longEcho_;
    std::uint64_t ioCount_ = 0;
    std::mutex exclusive_;
};

// The host never belongs to the old 9x platform family here; kept as a function so that the
// flag has one source.
int hostLegacyPlatform();

}  // namespace orvek
