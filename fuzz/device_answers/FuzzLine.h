#pragma once
// The line between the real link code and the hostile device. Two carry it: an in-process line
// in virtual time (ModelLine.cpp: the serial port and the clock of the platform layer given
// over to the device model, so that every time limit costs no real time), and a real
// pseudo-terminal with a peer thread (PtyLine.cpp, real time). The driver sees only this.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <vector>

#include "HostileDevice.h"

namespace orvek::fuzzing {

// A broken property: said on stderr, then the run stops as a crash does.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "device_answers: %s\n", what.c_str());
    std::abort();
}

class FuzzLine {
public:
    virtual ~FuzzLine() = default;

    virtual const char* name() const = 0;
    // The port the link opens.
    virtual std::string portPath() const = 0;
    // Milliseconds on the clock the link's time limits run on.
    virtual double nowMs() const = 0;
    // What a measured duration may exceed its bound by: scheduling, on a real-time line.
    virtual double slackMs(double boundMs) const = 0;

    // A new input: the device answers from it from now on, on a line just plugged in.
    void begin(const std::uint8_t* data, std::size_t size) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            device_.reset(data, size);
        }
        restart();
    }
    // Where the tick count starts for this input (a virtual clock only; 32-bit, so it wraps).
    virtual void setTickStart(std::uint32_t) {}
    std::uint8_t takeScenarioByte() {
        std::lock_guard<std::mutex> lock(mutex_);
        return device_.takeByte();
    }
    void setPeer(sim::Peer peer) {
        std::lock_guard<std::mutex> lock(mutex_);
        device_.setPeer(peer);
    }
    std::vector<DeviceWrite> writes() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return device_.writes();
    }

    // Writes the port refused (the line was gone or the port closed); the pseudo-terminal's
    // line never refuses one.
    std::atomic<int> refusedWrites{0};

    // Called at every exchange of the link with its port, on the thread making it.
    std::function<void()> onExchange;
    // The end of the running operation's time bound: a virtual clock that passes it stops the
    // run at once, so that a wait without end shows as what it is.
    std::atomic<double> deadlineMs{std::numeric_limits<double>::infinity()};

protected:
    virtual void restart() {}

    mutable std::mutex mutex_;
    HostileDevice device_;
};

FuzzLine& fuzzLine();

}  // namespace orvek::fuzzing
