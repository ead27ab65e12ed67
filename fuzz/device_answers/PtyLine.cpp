// The line on a real pseudo-terminal, in real time: the link's own serial port opens the device
// end and a peer thread on the master end plays the adapter and the hostile device, answering
// each piece of input as it arrives. It exists to measure what the round trip through the
// kernel costs against the virtual-time line; the device answers at once there, so the time
// goes into the link's own waits and pauses.
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "FuzzLine.h"
#include "sim/PseudoTerminal.h"

namespace orvek::fuzzing {
namespace {

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

class PtyLine : public FuzzLine {
public:
    PtyLine() {
        device_.setOnPseudoTerminal(true);
        if (!pty_.open()) fail("no pseudo-terminal");
        peer_ = std::thread([this] { run(); });
    }
    ~PtyLine() override {
        running_ = false;
        if (peer_.joinable()) peer_.join();
    }

    const char* name() const override { return "pty"; }
    std::string portPath() const override { return pty_.devicePath(); }
    double nowMs() const override { return steadyMs(); }
    // The scheduler and the kernel's round trips: a few milliseconds an exchange at most.
    double slackMs(double boundMs) const override { return 100 + boundMs / 10; }

private:
    void run() {
        std::uint8_t buffer[4096];
        while (running_) {
            pollfd p{pty_.masterFd(), POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) continue;
            const ssize_t n = ::read(pty_.masterFd(), buffer, sizeof buffer);
            if (n <= 0) continue;
            DeviceReply reply;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                reply = device_.onWrite(buffer, static_cast<std::size_t>(n), steadyMs());
            }
            send(reply.echo);
            send(reply.answer);
        }
    }
    void send(const std::vector<std::uint8_t>& bytes) {
        std::size_t off = 0;
        while (off < bytes.size() && running_) {
            const ssize_t n = ::write(pty_.masterFd(), bytes.data() + off, bytes.size() - off);
            if (n > 0) {
                off += static_cast<std::size_t>(n);
            } else {
                pollfd p{pty_.masterFd(), POLLOUT, 0};
                ::poll(&p, 1, 20);
            }
        }
    }

    sim::PseudoTerminal pty_;
    std::atomic<bool> running_{true};
    std::thread peer_;
};

}  // namespace

FuzzLine& fuzzLine() {
    static PtyLine line;
    return line;
}

}  // namespace orvek::fuzzing
