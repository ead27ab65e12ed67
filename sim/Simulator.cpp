#include "sim/Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "sim/StateFile.h"

namespace orvek::sim {
namespace {

std::int64_t monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr double kTickMs = 5.0;  // how often time-based device behaviour is looked at
// A cut line goes dead this long after its last byte got through, so that the tool has read
// what was already on its way (a hang-up discards unread input).
constexpr double kCutDelayMs = 50.0;

}  // namespace

Simulator::Simulator(SimOptions options)
    : options_(std::move(options)), model_(options_.peer, options_.identity, options_.settings) {
    loadState();
}

Simulator::~Simulator() { stop(); }

double Simulator::nowMs() const { return static_cast<double>(monotonicNs() - startNs_) / 1e6; }

double Simulator::byteTimeMs() const { return 10.0 * 1000.0 / static_cast<double>(options_.baud); }

bool Simulator::start() {
    if (running_) return true;
    if (!stateProblem_.empty()) return false;
    if (!pty_.open()) return false;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    startNs_ = monotonicNs();
    dropped_ = false;
    running_ = true;
    thread_ = std::thread([this] { run(); });
    return true;
}

void Simulator::stop() {
    if (!running_.exchange(false)) return;
    dropDone_.notify_all();
    const char c = 0;
    if (::write(wakeWrite_, &c, 1) < 0) { /* the thread also wakes on its own tick */
    }
    if (thread_.joinable()) thread_.join();
    ::close(wakeRead_);
    ::close(wakeWrite_);
    wakeRead_ = wakeWrite_ = -1;
    pty_.close();
}

void Simulator::setFaults(const Faults& faults) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_ = faults;
    model_.rearmFaults();
}

Faults Simulator::faults() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return faults_;
}

Peer Simulator::peer() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.peer();
}

void Simulator::setPeer(Peer peer) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setPeer(peer);
}

void Simulator::setIdentity(const DeviceIdentity& identity) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setIdentity(identity);
}

bool Simulator::plugInEsc(const DeviceIdentity& identity, const std::string& stateFile) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setIdentity(identity);
    model_.setSettings(defaultSettingsBlock());
    options_.stateFile = stateFile;
    stateProblem_.clear();
    loadState();
    return stateProblem_.empty();
}

SettingsBlock Simulator::settings() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.settings();
}

void Simulator::setSettings(const SettingsBlock& block) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setSettings(block);
}

std::vector<ReceivedByte> Simulator::received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::vector<std::vector<std::uint8_t>> Simulator::records() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.records();
}

std::vector<std::vector<std::uint8_t>> Simulator::blocks() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.blocks();
}

int Simulator::pairsStored() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.pairsStored();
}

int Simulator::commits() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.commits();
}

int Simulator::imagesCompleted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.imagesCompleted();
}

long long Simulator::bytesEmitted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return emitted_;
}

void Simulator::clearReceived() {
    std::lock_guard<std::mutex> lock(mutex_);
    received_.clear();
    model_.clearReceived();
}

void Simulator::dropLine() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!running_) {
        dropped_ = true;
        pty_.close();
        return;
    }
    // The line must be closed by the simulator thread: while that thread polls the master end,
    // the kernel keeps it open, and the tool would still get its bytes through.
    dropRequested_ = true;
    const char c = 0;
    if (::write(wakeWrite_, &c, 1) < 0) { /* the thread also wakes on its own tick */
    }
    dropDone_.wait(lock, [this] { return dropped_.load() || !running_; });
}

void Simulator::schedule(const std::vector<std::uint8_t>& bytes, double earliestMs) {
    // One wire carries the echo and the device's answers: each byte takes its slot after
    // the one before it.
    for (std::uint8_t b : bytes) {
        double due = earliestMs;
        if (options_.paced) {
            if (due < wireFreeMs_) due = wireFreeMs_;
            due += byteTimeMs();
            wireFreeMs_ = due;
        }
        outQueue_.push_back({b, due});
    }
}

void Simulator::flushDue() {
    writeBlocked_ = false;
    if (dropped_ || !pty_.isOpen()) {
        outQueue_.clear();
        return;
    }
    const double now = nowMs();
    std::vector<std::uint8_t> due;
    for (const Pending& p : outQueue_) {
        if (p.dueMs > now) break;
        due.push_back(p.value);
    }
    std::size_t off = 0;
    while (off < due.size()) {
        const ssize_t n = ::write(pty_.masterFd(), due.data() + off, due.size() - off);
        if (n > 0) {
            off += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // The tool is not reading and its input is full: keep the rest until it reads.
            writeBlocked_ = true;
            break;
        }
    }
    outQueue_.erase(outQueue_.begin(), outQueue_.begin() + static_cast<std::ptrdiff_t>(off));
    emitted_ += static_cast<long long>(off);
}

void Simulator::handleInput(std::vector<Emission>& emissions) {
    std::uint8_t buf[4096];
    const ssize_t n = ::read(pty_.masterFd(), buf, sizeof buf);
    if (n <= 0 || cutAtMs_ >= 0) return;  // past the cut nothing more gets through
    for (ssize_t i = 0; i < n; ++i) {
        const double now = nowMs();
        received_.push_back({buf[i], now});
        ++receivedTotal_;
        if (faults_.echo) schedule({buf[i]}, now);
        emissions.clear();
        model_.onByte(buf[i], now, faults_, emissions);
        for (const Emission& e : emissions) schedule(e.bytes, now + e.delayMs);
        if (faults_.dropAfterBytes >= 0 && receivedTotal_ >= faults_.dropAfterBytes) {
            // What is already on its way still arrives; then the line goes dead.
            cutAtMs_ = now + kCutDelayMs;
            return;
        }
    }
}

void Simulator::run() {
    ::prctl(PR_SET_TIMERSLACK, 1000UL);  // wake within a microsecond of the next byte's slot
    std::vector<Emission> emissions;
    double nextTick = nowMs() + kTickMs;
    while (running_) {
        double waitMs = kTickMs;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const double now = nowMs();
            if (!outQueue_.empty() && !writeBlocked_) {
                waitMs = std::min(waitMs, outQueue_.front().dueMs - now);
            }
            waitMs = std::min(waitMs, nextTick - now);
            if (cutAtMs_ >= 0) waitMs = std::min(waitMs, cutAtMs_ - now);
        }
        if (waitMs < 0) waitMs = 0;
        pollfd fds[2];
        int count = 0;
        fds[count++] = {wakeRead_, POLLIN, 0};
        const bool lineUp = !dropped_ && pty_.isOpen();
        if (lineUp) {
            const short events = static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0));
            fds[count++] = {pty_.masterFd(), events, 0};
        }
        timespec ts;
        ts.tv_sec = static_cast<time_t>(waitMs / 1000.0);
        ts.tv_nsec = static_cast<long>((waitMs - static_cast<double>(ts.tv_sec) * 1000.0) * 1e6);
        const int r = ::ppoll(fds, static_cast<nfds_t>(count), &ts, nullptr);
        if (!running_) break;
        std::lock_guard<std::mutex> lock(mutex_);
        if (r > 0 && (fds[0].revents & POLLIN)) {
            char drain[16];
            while (::read(wakeRead_, drain, sizeof drain) > 0) {}
        }
        if (dropRequested_) {
            dropRequested_ = false;
            dropped_ = true;
            pty_.close();
            outQueue_.clear();
            dropDone_.notify_all();
            continue;
        }
        if (r > 0 && lineUp && !dropped_ && (fds[1].revents & POLLIN)) handleInput(emissions);
        if (r > 0 && lineUp && (fds[1].revents & POLLHUP) && !(fds[1].revents & POLLIN)) {
            // Nobody holds the device end; nothing to do until it is opened again.
        }
        const double now = nowMs();
        if (now >= nextTick) {
            emissions.clear();
            model_.onTick(now, faults_, emissions);
            for (const Emission& e : emissions) schedule(e.bytes, now + e.delayMs);
            nextTick = now + kTickMs;
        }
        if (model_.takeCommitted()) saveState();
        flushDue();
        if (cutAtMs_ >= 0 && !dropped_ && (nowMs() >= cutAtMs_)) {
            dropped_ = true;
            pty_.close();
            outQueue_.clear();
        }
    }
}

void Simulator::loadState() {
    if (options_.stateFile.empty()) return;
    stateProblem_ = stateFileProblem(options_.stateFile);
    if (!stateProblem_.empty()) return;
    SettingsBlock block{};
    // A file not there yet, or one that does not read whole: the defaults stay.
    if (readStateFile(options_.stateFile, block)) model_.setSettings(block);
}

void Simulator::saveState() {
    if (options_.stateFile.empty() || !stateProblem_.empty()) return;
    if (!writeStateFile(options_.stateFile, model_.settings())) stateSaveFailed_ = true;
}

bool optionsForDeviceKind(const std::string& kind, SimOptions& options) {
    if (kind == "expert" || kind.empty()) {
        options.identity.typeCode = 0x0B;
    } else if (kind == "stock") {
        options.identity.typeCode = 0x0C;
    } else if (kind == "blinky") {
        options.identity.typeCode = 0x0D;
    } else if (kind == "card") {
        options.peer = Peer::CardApplication;
    } else if (kind == "bootloader") {
        options.peer = Peer::EscBootloader;
    } else {
        return false;
    }
    return true;
}

}  // namespace orvek::sim
