// The line in virtual time: the platform layer's serial port and clock, given over to the
// hostile device. Link, command set, monitor and update workers run unchanged on top; only
// what the operating system would do is modelled here, as the real port does it: a read waits
// at most its limit for all its bytes and gives up with what came (the bytes are then lost),
// a hang-up delivers what was already on its way and then ends every read, a purge drops only
// what has arrived. Time passes only in waits, pauses and sleeps, so every time limit is kept
// exactly and costs nothing.
#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

#include "FuzzLine.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

namespace orvek::fuzzing {
namespace {

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

class ModelLine : public FuzzLine {
public:
    const char* name() const override { return "model"; }
    std::string portPath() const override { return "/dev/ttyFUZZ0"; }
    double nowMs() const override { return static_cast<double>(now_.load()); }
    double slackMs(double) const override { return 0; }
    void setTickStart(std::uint32_t tick) override { tickStart_ = tick; }

    std::uint32_t tickCount() const { return static_cast<std::uint32_t>(tickStart_ + now_.load()); }

    void advanceTo(std::uint64_t t) {
        if (t <= now_) return;
        now_ = t;
        if (static_cast<double>(t) > deadlineMs.load()) {
            fail("an operation is still waiting at " + std::to_string(t) +
                 " ms, past its bound of " + std::to_string(deadlineMs.load()) + " ms");
        }
    }
    void advanceBy(std::uint64_t ms) { advanceTo(now_ + ms); }

protected:
    // A new input also starts a new clock.
    void restart() override {
        now_ = 0;
        tickStart_ = 1000;
        lineUp();
    }

public:
    SerialPort::OpenFailure open() {
        std::lock_guard<std::mutex> lock(mutex_);
        const SerialPort::OpenFailure failure = device_.onOpen();
        if (failure == SerialPort::OpenFailure::None) lineUp();
        return failure;
    }
    void lineUp() {
        pending_.clear();
        cutAt_ = kNever;
    }
    void closed() { pending_.clear(); }

    SerialPort::ReadResult read(std::uint8_t* buffer, std::size_t count, int waitMs,
                                std::size_t& got) {
        exchange();
        got = 0;
        const std::uint64_t deadline = now_ + static_cast<std::uint64_t>(std::max(waitMs, 0));
        while (got < count && !pending_.empty() && pending_.front().due <= deadline &&
               pending_.front().due <= cutAt_) {
            advanceTo(pending_.front().due);
            buffer[got++] = pending_.front().value;
            pending_.pop_front();
        }
        if (got == count) return SerialPort::ReadResult::Complete;
        if (cutAt_ <= deadline) {
            advanceTo(cutAt_);
            pending_.clear();
            return got > 0 ? SerialPort::ReadResult::Short : SerialPort::ReadResult::Failed;
        }
        advanceTo(deadline);
        return SerialPort::ReadResult::TimedOut;
    }

    bool write(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
        exchange();
        written = 0;
        if (cutAt_ <= now_) return false;
        DeviceReply reply;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            reply = device_.onWrite(buffer, count, nowMs());
        }
        if (reply.cutNow) {
            cutAt_ = now_;
            return false;
        }
        arrive(reply.echo, now_);
        arrive(reply.answer, now_ + reply.answerDelayMs);
        if (reply.cutAfterWrite) cutAt_ = now_;
        written = count;
        return true;
    }

    void purge() {
        while (!pending_.empty() && pending_.front().due <= now_) pending_.pop_front();
    }

private:
    struct Pending {
        std::uint8_t value;
        std::uint64_t due;
    };

    void exchange() {
        if (onExchange) onExchange();
    }
    // One wire: bytes arrive in the order of their due times, each answer's bytes together.
    void arrive(const std::vector<std::uint8_t>& bytes, std::uint64_t due) {
        auto at = std::find_if(pending_.begin(), pending_.end(),
                               [&](const Pending& p) { return p.due > due; });
        for (std::uint8_t b : bytes) at = std::next(pending_.insert(at, Pending{b, due}));
    }

    std::atomic<std::uint64_t> now_{0};
    std::uint64_t tickStart_ = 1000;
    std::deque<Pending> pending_;
    std::uint64_t cutAt_ = kNever;
};

ModelLine& modelLine() {
    static ModelLine line;
    return line;
}

}  // namespace

FuzzLine& fuzzLine() { return modelLine(); }

}  // namespace orvek::fuzzing

namespace orvek {

using fuzzing::modelLine;

std::uint32_t tickCount() { return modelLine().tickCount(); }
void sleepMs(std::uint32_t ms) { modelLine().advanceBy(ms); }
void busyWaitMs(std::uint32_t ms) { modelLine().advanceBy(ms); }

SerialPort::~SerialPort() { close(); }

bool SerialPort::open(const std::string& path) {
    close();
    openFailure_ = modelLine().open();
    if (openFailure_ != OpenFailure::None) return false;
    lineGone_ = false;
    fd_ = 3;
    path_ = path;
    return true;
}

bool SerialPort::configure(int) { return fd_ >= 0; }

void SerialPort::close() {
    if (fd_ < 0) return;
    fd_ = -1;
    modelLine().closed();
}

SerialPort::ReadResult SerialPort::read(std::uint8_t* buffer, std::size_t count, int waitMs,
                                        std::size_t& got) {
    got = 0;
    if (fd_ < 0) return ReadResult::Failed;
    const ReadResult r = modelLine().read(buffer, count, waitMs, got);
    // A read ends before its time only on a line that has gone.
    if (r == ReadResult::Short || r == ReadResult::Failed) lineGone_ = true;
    return r;
}

bool SerialPort::write(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
    written = 0;
    if (fd_ < 0) {
        ++modelLine().refusedWrites;
        return false;
    }
    const bool ok = modelLine().write(buffer, count, written);
    if (!ok) {
        ++modelLine().refusedWrites;
        lineGone_ = true;  // the model refuses a write only on a cut line
    }
    return ok;
}

bool SerialPort::writeOnce(const std::uint8_t* buffer, std::size_t count, std::size_t& written) {
    return write(buffer, count, written);
}

SerialPort::Exchange SerialPort::writeWhileReading(const std::uint8_t* out, std::size_t outCount,
                                                   std::uint8_t* in, std::size_t inCount,
                                                   int waitAfterWriteMs) {
    // As the real port: once written, the frame counts as written whatever echo comes back.
    Exchange ex;
    if (!write(out, outCount, ex.written)) return ex;
    ex.writeOk = true;
    const ReadResult r = modelLine().read(in, inCount, waitAfterWriteMs, ex.got);
    ex.read = r == ReadResult::Complete || r == ReadResult::TimedOut
                  ? r
                  : (ex.got > 0 ? ReadResult::Short : ReadResult::Failed);
    return ex;
}

void SerialPort::purge(Purge) {
    if (fd_ < 0) return;
    modelLine().purge();
}

}  // namespace orvek
