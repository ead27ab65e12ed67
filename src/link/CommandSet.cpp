#include "link/CommandSet.h"

#include <algorithm>

#include "platform/Clock.h"

namespace orvek {

EscProbeResult probeEsc(UsbUart& link) {
    if (link.sendCommand(cmd::EscProbe) == LinkStatus::TxFailed) return EscProbeResult::LinkLost;
    if (link.readReply(1, limit::Probe) != LinkStatus::Ok) return EscProbeResult::NoAnswer;
    if (link.rxBuffer()[0] == answer::EscPresent) return EscProbeResult::EscPresent;
    link.purge(kPurgeAll);
    return EscProbeResult::StrayByte;
}

CardProbeResult probeCard(UsbUart& link) {
    if (link.sendCommand(cmd::CardProbe) == LinkStatus::TxFailed) return CardProbeResult::LinkLost;
    if (link.readReply(2, limit::Probe) != LinkStatus::Ok) return CardProbeResult::NoAnswer;
    return (link.rxBuffer()[0] & 0xF0) == 0xD0 ? CardProbeResult::CardPresent
                                               : CardProbeResult::NoCard;
}

bool pollBootloader(UsbUart& link) {
    if (link.sendCommand(cmd::BootHello) == LinkStatus::TxFailed) link.closePort();
    // With the port closed the read fails at once; the answer then is the stale buffer.
    const LinkStatus status = link.readReply(1, limit::Probe);
    return status == LinkStatus::Ok && link.rxBuffer()[0] == answer::BootListening;
}

LinkStatus queryInfo(UsbUart& link, EscInfo& info) {
    info.fill(0);
    if (link.sendCommand(cmd::InfoQuery) == LinkStatus::TxFailed) {
        link.sendCommand(cmd::InfoQuery);
        return LinkStatus::TxFailed;
    }
    // Only a complete answer is an identity: after a missing one the receive buffer still
    // holds an earlier identity behind the echo, which must not pass for the device's.
    const LinkStatus status = link.readReply(kEscInfoSize, limit::MultiByteAnswer);
    if (status == LinkStatus::Ok)
        std::copy(link.rxBuffer(), link.rxBuffer() + kEscInfoSize, info.begin());
    return status;
}

bool escInfoValid(const EscInfo& info) { return info[kEscInfoValidMarker] == answer::EscInfoValid; }

bool readSettingsOnce(UsbUart& link, SettingsFrame& frame) {
    if (link.sendCommand(cmd::SettingsRead) == LinkStatus::TxFailed) return false;
    if (link.readReply(kSettingsFrameSize, limit::MultiByteAnswer) != LinkStatus::Ok) return false;
    if (link.rxBuffer()[kSettingsFrameSize - 1] != answer::SettingsEnd) return false;
    std::copy(link.rxBuffer(), link.rxBuffer() + kSettingsFrameSize, frame.begin());
    return true;
}

bool readSettings(UsbUart& link, SettingsFrame& frame, int* attemptsUsed) {
    link.purge(kPurgeAll);
    bool ok = false;
    int attempt = 0;
    while (!ok && attempt < kSettingsReadAttempts) {
        ++attempt;
        ok = readSettingsOnce(link, frame);
    }
    link.purge(kPurgeAll);
    if (attemptsUsed != nullptr) *attemptsUsed = attempt;
    return ok;
}

int writePercent(int pairIndex) { return 100 * pairIndex / 21; }

WriteOutcome writeSettings(UsbUart& link, const WirePairs& image, WriteProgress* progress,
                           int* failedPair, const std::atomic<bool>* stop) {
    for (int i = 0; i < static_cast<int>(kSettingsPairs); ++i) {
        if (stop != nullptr && stop->load()) {
            if (failedPair != nullptr) *failedPair = i;
            return WriteOutcome::Stopped;
        }
        const int percent = writePercent(i);
        if (link.sendPair(image[static_cast<std::size_t>(i)].data()) != LinkStatus::Ok) {
            if (failedPair != nullptr) *failedPair = i;
            return WriteOutcome::PairFailed;
        }
        if (progress != nullptr) progress->pairWritten(i, percent);
        sleepMs(100);
    }
    if (link.sendCommand(cmd::SettingsCommit) == LinkStatus::TxFailed)
        return WriteOutcome::CommitFailed;
    return WriteOutcome::Written;
}

namespace {
bool bootStep(UsbUart& link, std::uint8_t command, std::uint8_t expected, bool& sendFailed) {
    sendFailed = link.sendCommand(command) == LinkStatus::TxFailed;
    if (sendFailed) return false;
    link.readReply(1, limit::Handshake);  // judged by the byte alone
    return link.rxBuffer()[0] == expected;
}
}  // namespace

bool bootSync(UsbUart& link, bool& sendFailed) {
    return bootStep(link, cmd::BootSync, answer::BootSynced, sendFailed);
}

bool bootStart(UsbUart& link, bool& sendFailed) {
    return bootStep(link, cmd::BootStart, answer::BootAccepts, sendFailed);
}

LinkStatus sendRecordFrame(UsbUart& link, const std::uint8_t* frame, std::uint32_t length) {
    if (link.sendFrame(frame, length) == LinkStatus::TxFailed) return LinkStatus::TxFailed;
    return link.readReply(1, limit::Acknowledge);
}

BlockAnswer sendBlockFrame(UsbUart& link, const std::uint8_t* block, std::uint32_t length) {
    link.purge(kPurgeAll);
    if (link.sendFrame(block, length) == LinkStatus::TxFailed) return BlockAnswer::NotSent;
    if (link.readReply(1, limit::BlockAnswer) != LinkStatus::Ok) return BlockAnswer::NoAnswer;
    switch (link.rxBuffer()[0]) {
        case answer::BlockAccepted: return BlockAnswer::Accepted;
        case answer::BlockChecksumError: return BlockAnswer::ChecksumRefused;
        default: return BlockAnswer::Again;
    }
}

}  // namespace orvek
