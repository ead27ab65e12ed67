#include "link/UsbUart.h"

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"

namespace orvek {

int hostLegacyPlatform() { return 0; }

UsbUart::UsbUart() = default;

UsbUart::~UsbUart() {
    if (portOpen_ == 1) portHandle_.close();
}

int UsbUart::openPort() {
    if (portOpen_ == 1) return 0;
    legacyPlatform_ = hostLegacyPlatform();
    const std::string path = resolvePortPath(portOverride_, discovery_);
    triedPath_ = path;
    if (path.empty()) {
        openFailure_ = SerialPort::OpenFailure::Missing;
        return 1;
    }
    if (!portHandle_.open(path)) {
        openFailure_ = portHandle_.lastOpenFailure();
        return 1;
    }
    openFailure_ = SerialPort::OpenFailure::None;
    // A failed line set-up is not reported: the port is used with what it had.
    if (portHandle_.configure(baudRate_)) {
        sleepMs(60);
        sleepMs(60);  // the adapter settles after a line change before traffic
        std::memset(rxBuffer_, 0, 60);
        std::memset(txBuffer_, 0, 60);
        portHandle_.purge(SerialPort::Purge::Both);
    }
    portOpen_ = 1;
    traceBytes(TraceDirection::Opened, reinterpret_cast<const std::uint8_t*>(path.data()),
               path.size());
    return 0;
}

void UsbUart::closePort() {
    if (portOpen_ == 1 && trace_) {
        const std::string why = lineLost() ? "the line is gone" : "";
        trace_(TraceDirection::Closed, reinterpret_cast<const std::uint8_t*>(why.data()),
               why.size());
    }
    portOpen_ = 0;
    usbState_ = UsbState::NoPort;
    escState_ = EscState::NotProbed;
    portHandle_.close();
}

std::uint32_t UsbUart::wireTimeMs(std::uint32_t byteCount) const {
    // 10 bits a byte on an 8N1 line, rounded up.
    const std::uint64_t bits = static_cast<std::uint64_t>(byteCount) * 10u * 1000u;
    const std::uint32_t baud = baudRate_ > 0 ? static_cast<std::uint32_t>(baudRate_) : 19200u;
    return static_cast<std::uint32_t>((bits + baud - 1) / baud);
}

void UsbUart::traceBytes(TraceDirection dir, const std::uint8_t* data, std::size_t n) const {
    if (trace_ && n > 0) trace_(dir, data, n);
}

bool UsbUart::readWithTimeout(std::uint8_t* buffer, std::uint32_t byteCount,
                              std::uint32_t waitLimitMs) {
    // The bytes of a request that does not complete are lost, so they are gathered apart and
    // only copied out when the read succeeds: a timed-out reply leaves the buffer as it was.
    if (scratch_.size() < byteCount) scratch_.resize(byteCount);
    std::size_t got = 0;
    ++ioCount_;
    const SerialPort::ReadResult r =
        portHandle_.read(scratch_.data(), byteCount, static_cast<int>(waitLimitMs), got);
    const bool ok = r == SerialPort::ReadResult::Complete || r == SerialPort::ReadResult::Short;
    scratchGot_ = got;
    if (ok) {
        std::memcpy(buffer, scratch_.data(), got);
        if (buffer == rxBuffer_) bytesRead_ = static_cast<std::uint32_t>(got);
    }
    return ok;
}

bool UsbUart::writeBytes(const std::uint8_t* buffer, std::uint32_t byteCount) {
    std::size_t written = 0;
    ++ioCount_;
    traceBytes(TraceDirection::Sent, buffer, byteCount);
    const bool ok = legacyPlatform_ == 1 ? portHandle_.writeOnce(buffer, byteCount, written)
                                         : portHandle_.write(buffer, byteCount, written);
    bytesWritten_ = static_cast<std::uint32_t>(written);
    if (!(ok && bytesWritten_ == byteCount) && trace_ && written <= byteCount)
        trace_(TraceDirection::NotWritten, buffer + written, byteCount - written);
    return ok && bytesWritten_ == byteCount;
}

bool UsbUart::readCommandEcho(std::uint8_t sent, std::uint32_t waitLimitMs) {
    // A device's late answer to the previous command can arrive just after the purge that
    // precedes this one; it then sits in front of the echo. Bytes that are not the echo are
    // dropped until the echo itself comes, within the same limit.
    const std::uint32_t start = tickCount();
    for (;;) {
        const std::uint32_t spent = tickCount() - start;
        if (spent >= waitLimitMs) return false;
        if (!readWithTimeout(rxBuffer_, 1, waitLimitMs - spent)) return false;
        if (rxBuffer_[0] == sent) break;
        traceBytes(TraceDirection::Note, rxBuffer_, 1);
    }
    traceBytes(TraceDirection::Echo, rxBuffer_, 1);
    return true;
}

LinkStatus UsbUart::sendCommand(std::uint8_t byte) {
    purge(kPurgeRxClear);
    txBuffer_[0] = byte;
    if (!writeBytes(txBuffer_, 1)) return LinkStatus::TxFailed;
    readCommandEcho(byte, 1000);  // outcome ignored: a missing echo is no error by itself
    return bytesWritten_ == 1 ? LinkStatus::Ok : LinkStatus::TxFailed;
}

LinkStatus UsbUart::readReply(std::uint32_t byteCount, std::uint32_t waitLimitMs) {
    if (legacyPlatform_ == 1) busyWaitMs(100);
    const std::uint32_t count = std::min<std::uint32_t>(byteCount, kRxBufferSize);
    if (readWithTimeout(rxBuffer_, count, waitLimitMs)) {
        traceBytes(TraceDirection::Received, rxBuffer_, bytesRead_);
        return bytesRead_ == byteCount ? LinkStatus::Ok : LinkStatus::WrongCount;
    }
    if (trace_) trace_(TraceDirection::NoAnswer, scratch_.data(), scratchGot_);
    purge(kPurgeAll);
    return LinkStatus::Timeout;
}

LinkStatus UsbUart::sendFrame(const std::uint8_t* buffer, std::uint32_t byteCount) {
    if (byteCount > kRxBufferSize) return sendLongFrame(buffer, byteCount);
    if (!writeBytes(buffer, byteCount)) return LinkStatus::TxFailed;
    // The echo limit runs from the moment the last byte is on the wire.
    if (readWithTimeout(rxBuffer_, byteCount, 200 + wireTimeMs(byteCount))) {
        traceBytes(TraceDirection::Echo, rxBuffer_, bytesRead_);
        if (bytesRead_ < byteCount) {
            // Short but successful: one more read for the rest, stored from the start again.
            if (readWithTimeout(rxBuffer_, byteCount - bytesRead_, 100)) {
                traceBytes(TraceDirection::Echo, rxBuffer_, bytesRead_);
            }
        }
    }
    return LinkStatus::Ok;
}

LinkStatus UsbUart::sendLongFrame(const std::uint8_t* buffer, std::uint32_t byteCount) {
    // Longer than the receive buffer (and possibly than the line's input queue): the echo is
    // taken while the frame is written, into scratch space of the frame's size, and rxBuffer_
    // keeps its head.
    longEcho_.resize(byteCount);
    ++ioCount_;
    traceBytes(TraceDirection::Sent, buffer, byteCount);
    const SerialPort::Exchange ex =
        portHandle_.writeWhileReading(buffer, byteCount, longEcho_.data(), byteCount,
                                      static_cast<int>(200 + wireTimeMs(byteCount)));
    bytesWritten_ = static_cast<std::uint32_t>(ex.written);
    if (!ex.writeOk) {
        if (trace_ && ex.written <= byteCount)
            trace_(TraceDirection::NotWritten, buffer + ex.written, byteCount - ex.written);
        return LinkStatus::TxFailed;
    }
    if (ex.read == SerialPort::ReadResult::Complete || ex.read == SerialPort::ReadResult::Short) {
        std::memcpy(rxBuffer_, longEcho_.data(), std::min<std::size_t>(ex.got, kRxBufferSize));
        bytesRead_ = static_cast<std::uint32_t>(ex.got);
        traceBytes(TraceDirection::Echo, longEcho_.data(), ex.got);
    }
    return LinkStatus::Ok;
}

LinkStatus UsbUart::sendPair(const std::uint8_t pair[2]) {
    purge(kPurgeAll);
    if (!writeBytes(pair, 2)) return LinkStatus::TxFailed;
    if (readWithTimeout(rxBuffer_, 2, 1000 + wireTimeMs(2))) {
        traceBytes(TraceDirection::Echo, rxBuffer_, bytesRead_);
    }
    if (readReply(1, 2000) != LinkStatus::Ok) return LinkStatus::TxFailed;
    return rxBuffer_[0] == 0x01 ? LinkStatus::Ok : LinkStatus::TxFailed;
}

void UsbUart::purge(int mask) {
    if (!portHandle_.isOpen()) return;
    portHandle_.purge((mask & 0x07) != 0 ? SerialPort::Purge::Both : SerialPort::Purge::Input);
}

}  // namespace orvek
