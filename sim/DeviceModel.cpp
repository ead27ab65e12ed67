#include "sim/DeviceModel.h"

namespace orvek::sim {
namespace {

// Register code of each settings byte, in block order.
constexpr std::array<std::uint8_t, 22> kRegisterCodes = {
    0xE1, 0xE2, 0xD2, 0xE3, 0xD3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9,
    0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF2, 0xF7, 0xF5};

int blockIndexOfRegister(std::uint8_t code) {
    for (std::size_t i = 0; i < kRegisterCodes.size(); ++i) {
        if (kRegisterCodes[i] == code) return static_cast<int>(i);
    }
    return -1;
}

// A frame that stalls this long is taken as complete (a record whose length byte lies).
constexpr double kFrameGapMs = 50.0;
// A card bootloader that has taken blocks and then hears nothing for this long starts its
// application again.
constexpr double kCardIdleReturnMs = 500.0;

}  // namespace

const char* peerName(Peer peer) {
    switch (peer) {
        case Peer::EscApplication: return "ESC application";
        case Peer::EscBootloader: return "ESC bootloader";
        case Peer::CardApplication: return "program card application";
        case Peer::CardBootloader: return "program card bootloader";
    }
    return "?";
}

SettingsBlock defaultSettingsBlock() {
    return {0x00, 0x0A, 0x55, 0x1E, 0x66, 0x06, 0x5A, 0x19, 0xC8, 0x06, 0x0A, 0x03,
            0x00, 0x0A, 0x12, 0x02, 0x0C, 0x02, 0x02, 0x77, 0x88, 0x00, 0xDD};
}

DeviceModel::DeviceModel(Peer peer, DeviceIdentity identity, SettingsBlock block)
    : identity_(identity), block_(block) {
    setPeer(peer);
}

void DeviceModel::setPeer(Peer peer) {
    peer_ = peer;
    pendingRegister_ = -1;
    escSynced_ = escDataPhase_ = false;
    frame_.clear();
    readyTries_ = 0;
    cardReadyGiven_ = cardDataPhase_ = false;
    helloAnswered_ = 0;
}

bool DeviceModel::takeCommitted() {
    const bool c = committed_;
    committed_ = false;
    return c;
}

void DeviceModel::answer(const Faults& f, std::vector<Emission>& out,
                         std::vector<std::uint8_t> bytes) {
    if (f.silent || bytes.empty()) return;
    if (f.wrongAnswer >= 0) bytes[0] = static_cast<std::uint8_t>(f.wrongAnswer);
    if (f.shortAnswerBy > 0) {
        bytes.resize(bytes.size() > static_cast<std::size_t>(f.shortAnswerBy)
                         ? bytes.size() - static_cast<std::size_t>(f.shortAnswerBy)
                         : 0);
        if (bytes.empty()) return;
    }
    out.push_back({std::move(bytes), f.answerDelayMs});
}

void DeviceModel::onByte(std::uint8_t b, double nowMs, const Faults& f,
                         std::vector<Emission>& out) {
    const bool dataPhase = escDataPhase_ || cardDataPhase_ || pendingRegister_ >= 0;
    if (!dataPhase && f.ignoreByte == b) {
        lastByteMs_ = nowMs;
        return;
    }
    switch (peer_) {
        case Peer::EscApplication: escApplication(b, f, out); break;
        case Peer::EscBootloader: escBootloader(b, nowMs, f, out); break;
        case Peer::CardApplication: cardApplication(b, f, out); break;
        case Peer::CardBootloader: cardBootloader(b, f, out); break;
    }
    lastByteMs_ = nowMs;
}

void DeviceModel::escApplication(std::uint8_t b, const Faults& f, std::vector<Emission>& out) {
    if (pendingRegister_ >= 0) {
        // Second byte of a settings pair.
        const int index = pendingRegister_;
        pendingRegister_ = -1;
        if (f.nakPairIndex == index) {
            if (!nakArmed_) {
                nakArmed_ = true;
                nakLeft_ = f.nakPairTimes;
            }
            if (nakLeft_ > 0) {
                --nakLeft_;
                answer(f, out, {0x00});
                return;
            }
        }
        block_[static_cast<std::size_t>(index)] = b;
        ++pairsStored_;
        answer(f, out, {0x01});
        return;
    }
    switch (b) {
        case 0xD5: answer(f, out, {0x26}); return;
        case 0xD7:
            answer(f, out,
                   {identity_.typeCode, 0x40, 0x00, identity_.versionCode, 0x00,
                    identity_.cardVersionCode, 0x00});
            return;
        case 0xD8: answer(f, out, std::vector<std::uint8_t>(block_.begin(), block_.end())); return;
        case 0xDF:
            ++commits_;
            committed_ = true;
            return;
        case 0xD6:
            // The application hands over to its bootloader on a hello; the restart swallows it.
            setPeer(Peer::EscBootloader);
            return;
        default: break;
    }
    const int index = blockIndexOfRegister(b);
    if (index >= 0) pendingRegister_ = index;
}

void DeviceModel::escBootloader(std::uint8_t b, double nowMs, const Faults& f,
                                std::vector<Emission>& out) {
    if (escDataPhase_) {
        if (!frame_.empty() && nowMs - lastByteMs_ > kFrameGapMs) finishRecord(f, out);
        if (frame_.empty() && b != 0x3A) return;  // noise between frames
        frame_.push_back(b);
        // 0x3A, count, address (2), type, count data bytes, checksum.
        if (frame_.size() >= 2 && frame_.size() == static_cast<std::size_t>(frame_[1]) + 6u) {
            finishRecord(f, out);
        }
        return;
    }
    switch (b) {
        case 0xD6:
            if (f.answerEveryHello || helloAnswered_ == 0) {
                ++helloAnswered_;
                answer(f, out, {0xD7});
            }
            return;
        case 0x39:
            escSynced_ = true;
            answer(f, out, {0x61});
            return;
        case 0x31:
            if (escSynced_) {
                escDataPhase_ = true;
                answer(f, out, {0x01});
            }
            return;
        default: return;
    }
}

void DeviceModel::finishRecord(const Faults& f, std::vector<Emission>& out) {
    records_.push_back(frame_);
    const bool endOfImage = frame_.size() >= 5 && frame_[4] == 0x01;
    frame_.clear();
    const bool mute =
        f.silentAfterRecords >= 0 && static_cast<int>(records_.size()) > f.silentAfterRecords;
    if (!mute) answer(f, out, {static_cast<std::uint8_t>(f.recordAck)});
    if (endOfImage) {
        ++imagesCompleted_;
        setPeer(Peer::EscApplication);
    }
}

void DeviceModel::cardApplication(std::uint8_t b, const Faults& f, std::vector<Emission>& out) {
    switch (b) {
        case 0xD4: answer(f, out, {0xD1, identity_.cardVersionCode}); return;
        case 0xD7:
            answer(
                f, out,
                {0x00, 0x00, 0x00, identity_.versionCode, 0x00, identity_.cardVersionCode, 0x00});
            return;
        case 0xD6: setPeer(Peer::CardBootloader); return;
        default: return;
    }
}

void DeviceModel::cardBootloader(std::uint8_t b, const Faults& f, std::vector<Emission>& out) {
    if (cardDataPhase_) {
        frame_.push_back(b);
        if (frame_.size() >= 2) {
            const std::size_t length = (static_cast<std::size_t>(frame_[0]) << 8) | frame_[1];
            if (frame_.size() == length + 2) finishBlock(f, out);
        }
        return;
    }
    switch (b) {
        case 0xD6:
            if (f.answerEveryHello || helloAnswered_ == 0 || cardReadyGiven_) {
                ++helloAnswered_;
                answer(f, out, {0xD7});
            }
            // After the ready answer, the answered hello opens the data phase.
            if (cardReadyGiven_) cardDataPhase_ = true;
            return;
        case 0xD7:
            ++readyTries_;
            if (readyTries_ >= f.bootReadyOnTry) {
                cardReadyGiven_ = true;
                answer(f, out, {0xD8});
            }
            return;
        default: return;
    }
}

void DeviceModel::finishBlock(const Faults& f, std::vector<Emission>& out) {
    const int index = static_cast<int>(blocks_.size());
    blocks_.push_back(frame_);
    frame_.clear();
    if (f.silentAfterBlocks >= 0 && index >= f.silentAfterBlocks) return;
    if (!againArmed_) {
        againArmed_ = true;
        blocksAgainLeft_ = f.blockAgainCount;
    }
    if (blocksAgainLeft_ > 0) {
        --blocksAgainLeft_;
        blocks_.pop_back();  // not taken: the tool sends it again
        answer(f, out, {0x00});
        return;
    }
    if (index == f.blockChecksumErrorAt) {
        blocks_.pop_back();
        answer(f, out, {0x12});
        return;
    }
    answer(f, out, {0x11});
}

void DeviceModel::onTick(double nowMs, const Faults& f, std::vector<Emission>& out) {
    if (peer_ == Peer::EscBootloader && escDataPhase_ && !frame_.empty() &&
        nowMs - lastByteMs_ > kFrameGapMs) {
        finishRecord(f, out);
    }
    if (peer_ == Peer::CardBootloader && cardDataPhase_ &&
        nowMs - lastByteMs_ > kCardIdleReturnMs) {
        if (frame_.empty() && !blocks_.empty()) ++imagesCompleted_;
        setPeer(Peer::CardApplication);
    }
}

}  // namespace orvek::sim
