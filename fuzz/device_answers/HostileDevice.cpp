#include "HostileDevice.h"

#include <algorithm>
#include <array>

namespace orvek::fuzzing {
namespace {

// Answer delays the input picks from: around every time limit of the link, since an answer
// just inside or just past a limit is where a reader goes wrong.
constexpr std::array<std::uint32_t, 32> kDelaysMs = {
    0,   1,   2,   5,    10,   50,   100,  149,  150,  151,  199,  200,  201,  300,  499,   500,
    501, 750, 999, 1000, 1001, 1499, 1500, 1501, 1999, 2000, 2001, 2500, 3000, 5000, 10000, 60000};

}  // namespace

HostileDevice::HostileDevice()
    : model_(sim::Peer::EscApplication, sim::DeviceIdentity{}, sim::defaultSettingsBlock()) {}

void HostileDevice::reset(const std::uint8_t* data, std::size_t size) {
    input_.assign(data, data + size);
    pos_ = 0;
    healthyLeft_ = 0;
    writes_.clear();
    model_ = sim::DeviceModel(sim::Peer::EscApplication, sim::DeviceIdentity{},
                              sim::defaultSettingsBlock());
}

std::uint8_t HostileDevice::takeByte() { return pos_ < input_.size() ? input_[pos_++] : 0; }

std::vector<std::uint8_t> HostileDevice::takeBytes(std::size_t count) {
    const std::size_t n = std::min(count, input_.size() - pos_);
    const auto from = input_.begin() + static_cast<std::ptrdiff_t>(pos_);
    std::vector<std::uint8_t> bytes(from, from + static_cast<std::ptrdiff_t>(n));
    pos_ += n;
    return bytes;
}

void HostileDevice::setPeer(sim::Peer peer) { model_.setPeer(peer); }

SerialPort::OpenFailure HostileDevice::onOpen() {
    if (exhausted() || onPty_ || healthyLeft_ > 0) return SerialPort::OpenFailure::None;
    switch (takeByte() & 3) {
        case 2: return SerialPort::OpenFailure::Missing;
        case 3: return SerialPort::OpenFailure::NoPermission;
        default: return SerialPort::OpenFailure::None;
    }
}

DeviceReply HostileDevice::onWrite(const std::uint8_t* bytes, std::size_t count, double nowMs) {
    DeviceReply reply;
    // The healthy device hears everything that reaches it, whatever is answered instead.
    std::vector<sim::Emission> emissions;
    model_.onTick(nowMs, healthy_, emissions);
    std::vector<std::uint8_t> healthy;
    const auto takeEmissions = [&] {
        for (const sim::Emission& e : emissions)
            healthy.insert(healthy.end(), e.bytes.begin(), e.bytes.end());
        emissions.clear();
    };
    takeEmissions();

    std::uint8_t directive = 0;
    if (healthyLeft_ > 0) {
        --healthyLeft_;
    } else if (!exhausted()) {
        directive = takeByte();
    }
    const unsigned kind = directive & 7u;
    const unsigned arg = directive >> 3;
    // A run of healthy answers in one byte, so that a fault can be placed deep in a sequence.
    if (kind == 1) healthyLeft_ = static_cast<int>(arg);
    if (kind == 7 && arg >= 16 && arg < 24 && !onPty_) {
        reply.cutNow = true;  // the bytes never reach the device
        return reply;
    }
    writes_.push_back({std::vector<std::uint8_t>(bytes, bytes + count), nowMs});
    for (std::size_t i = 0; i < count; ++i) {
        model_.onByte(bytes[i], nowMs, healthy_, emissions);
        takeEmissions();
    }

    reply.echo.assign(bytes, bytes + count);
    reply.answer = healthy;
    switch (kind) {
        case 3: reply.answerDelayMs = kDelaysMs[arg]; break;
        case 4:
            reply.answer = takeBytes(takeByte());
            reply.answerDelayMs = kDelaysMs[arg];
            break;
        case 5: reply.answer.resize(std::min<std::size_t>(reply.answer.size(), arg)); break;
        case 6: reply.answer.clear(); break;
        case 7:
            if (arg < 8) {
                reply.echo.clear();
                reply.answer.clear();
            } else if (arg < 16) {
                for (std::uint8_t& b : reply.echo) b ^= takeByte();
            } else {
                reply.cutAfterWrite = !onPty_;
            }
            break;
        default: break;
    }
    if (onPty_) reply.answerDelayMs = 0;  // a real-time line answers at once
    return reply;
}

}  // namespace orvek::fuzzing
