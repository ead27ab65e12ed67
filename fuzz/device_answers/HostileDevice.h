#pragma once
// The adapter and device at the far end of the line, answering every write of the tool as the
// fuzz input tells it: as a healthy device would (the simulator's device model), late, short,
// with bytes of the input's own choosing, silently, without the adapter's echo, or by cutting
// the line. What it was sent is kept write by write, for the checks of what went on the wire.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/SerialPort.h"
#include "sim/DeviceModel.h"

namespace orvek::fuzzing {

// What comes back for one write of the tool.
struct DeviceReply {
    // The line goes away: the write fails (bytes not taken) or, with `cutAfterWrite`, the bytes
    // are taken and what is already under way still arrives before the line dies.
    bool cutNow = false;
    bool cutAfterWrite = false;
    std::vector<std::uint8_t> echo;    // on the line at once
    std::vector<std::uint8_t> answer;  // on the line `answerDelayMs` after the write
    std::uint32_t answerDelayMs = 0;
};

// One write of the tool as it reached the device.
struct DeviceWrite {
    std::vector<std::uint8_t> bytes;
    double atMs = 0;
};

// The input, after the scenario's own bytes: one directive byte for each write of the tool, and
// one for each opening of the port (low two bits 2: no such port, 3: not permitted). The low three
// bits of a directive are its kind, the high five its argument a:
//   0, 2  the healthy answer               1  the healthy answer, and so for the next a writes
//   3     the healthy answer, delay a late 4  the next byte n, then n bytes as answer, delay a late
//   5     the healthy answer cut to a bytes 6  no answer (the adapter's echo still comes)
//   7     a < 8: no echo, no answer; a < 16: the echo xor-ed with the next bytes, healthy answer;
//         a < 24: the line is cut and the write fails; else: written, then the line is cut
// Once the input is used up every answer is healthy.
class HostileDevice {
public:
    HostileDevice();

    // A new input: the answers to come, a healthy device once it is used up.
    void reset(const std::uint8_t* data, std::size_t size);
    // Read from the input ahead of the answers (the scenario's own choices); 0 once used up.
    std::uint8_t takeByte();
    bool exhausted() const { return pos_ >= input_.size(); }

    // The device that gives the healthy answers now, with its state started afresh.
    void setPeer(sim::Peer peer);

    // The tool wrote `bytes` at `nowMs` and the line carried them.
    DeviceReply onWrite(const std::uint8_t* bytes, std::size_t count, double nowMs);
    // Whether the next open of the adapter's port succeeds, and why not.
    SerialPort::OpenFailure onOpen();
    // When a pseudo-terminal carries the line, writes arrive as bytes that may be split or
    // joined; there is no cut line and no refused open there, and answers come at once.
    void setOnPseudoTerminal(bool on) { onPty_ = on; }

    // Every write that reached the device, in order.
    const std::vector<DeviceWrite>& writes() const { return writes_; }

private:
    std::vector<std::uint8_t> takeBytes(std::size_t count);

    // A copy: a peer thread may still answer a late byte after the input has gone.
    std::vector<std::uint8_t> input_;
    std::size_t pos_ = 0;
    int healthyLeft_ = 0;  // writes still to be answered healthy without a directive
    bool onPty_ = false;
    sim::DeviceModel model_;
    sim::Faults healthy_;
    std::vector<DeviceWrite> writes_;
};

}  // namespace orvek::fuzzing
