// The command set against the simulated ESC, program card and bootloaders.
#include <gtest/gtest.h>

#include <thread>

#include "link/CommandSet.h"
#include "platform/Clock.h"
#include "support/SimLink.h"

namespace orvek {
namespace {

using sim::Peer;
using testing::receivedBytes;
using testing::simAs;
using testing::SimLink;

TEST(CommandSet, EscProbeOutcomes) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(probeEsc(s.link), EscProbeResult::EscPresent);

    sim::Faults f;
    f.answerDelayMs = 300;  // 0x26 after the 150 ms limit
    s.sim.setFaults(f);
    EXPECT_EQ(probeEsc(s.link), EscProbeResult::NoAnswer);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));  // the late byte lands
    s.sim.setFaults({});
    EXPECT_EQ(probeEsc(s.link), EscProbeResult::EscPresent);  // and is not mistaken later

    f = {};
    f.wrongAnswer = 0x27;
    s.sim.setFaults(f);
    EXPECT_EQ(probeEsc(s.link), EscProbeResult::StrayByte);

    s.sim.dropLine();
    EXPECT_EQ(probeEsc(s.link), EscProbeResult::LinkLost);
}

TEST(CommandSet, CardProbeJudgesTheHighNibble) {
    SimLink s(simAs(Peer::CardApplication));
    ASSERT_TRUE(s.ok);
    for (int first : {0xD0, 0xD3, 0xDF}) {
        sim::Faults f;
        f.wrongAnswer = first;
        s.sim.setFaults(f);
        EXPECT_EQ(probeCard(s.link), CardProbeResult::CardPresent) << first;
    }
    for (int first : {0xC0, 0xE0}) {
        sim::Faults f;
        f.wrongAnswer = first;
        s.sim.setFaults(f);
        EXPECT_EQ(probeCard(s.link), CardProbeResult::NoCard) << first;
    }
    sim::Faults f;
    f.shortAnswerBy = 1;  // one byte of two
    s.sim.setFaults(f);
    EXPECT_EQ(probeCard(s.link), CardProbeResult::NoAnswer);
}

TEST(CommandSet, EscDoesNotAnswerACardProbe) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(probeCard(s.link), CardProbeResult::NoAnswer);
}

TEST(CommandSet, InfoQueryReadsTheIdentity) {
    sim::SimOptions o;
    o.identity.typeCode = 0x0C;
    o.identity.versionCode = 5;
    o.identity.cardVersionCode = 9;
    SimLink s(o);
    ASSERT_TRUE(s.ok);
    EscInfo info{};
    EXPECT_EQ(queryInfo(s.link, info), LinkStatus::Ok);
    EXPECT_TRUE(escInfoValid(info));
    EXPECT_EQ(info[0], 0x0C);
    EXPECT_EQ(info[3], 5);
    EXPECT_EQ(info[5], 9);

    sim::Faults f;
    f.silent = true;
    s.sim.setFaults(f);
    EXPECT_EQ(queryInfo(s.link, info), LinkStatus::Timeout);
    EXPECT_FALSE(escInfoValid(info));  // the buffer holds the echo, not an identity
}

TEST(CommandSet, SettingsReadAcceptsOnlyACompleteFrameWithItsEndMarker) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    SettingsFrame frame{};
    int attempts = 0;
    ASSERT_TRUE(readSettings(s.link, frame, &attempts));
    EXPECT_EQ(attempts, 1);
    const auto expected = sim::defaultSettingsBlock();
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), expected.begin()));

    auto bad = expected;
    bad[22] = 0xDC;
    s.sim.setSettings(bad);
    s.sim.clearReceived();
    SettingsFrame untouched{};
    EXPECT_FALSE(readSettings(s.link, untouched, &attempts));
    EXPECT_EQ(attempts, 6);
    EXPECT_EQ(receivedBytes(s.sim), std::vector<std::uint8_t>(6, 0xD8));
    EXPECT_EQ(untouched, SettingsFrame{});  // nothing partial is handed out

    s.sim.setSettings(expected);
    sim::Faults f;
    f.shortAnswerBy = 1;
    s.sim.setFaults(f);
    EXPECT_FALSE(readSettingsOnce(s.link, frame));
}

struct RecordingProgress : WriteProgress {
    std::vector<int> percents;
    void pairWritten(int, int percent) override { percents.push_back(percent); }
};

WirePairs imageFrom(const sim::SettingsBlock& block) {
    static const std::uint8_t codes[22] = {0xE1, 0xE2, 0xD2, 0xE3, 0xD3, 0xE4, 0xE5, 0xE6,
                                           0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE,
                                           0xEF, 0xF0, 0xF1, 0xF2, 0xF7, 0xF5};
    WirePairs image{};
    for (int i = 0; i < 22; ++i) image[i] = {codes[i], block[i]};
    return image;
}

TEST(CommandSet, SettingsWriteSendsTwentyTwoPairsThenCommits) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    sim::SettingsBlock wanted = sim::defaultSettingsBlock();
    for (int i = 0; i < 22; ++i) wanted[i] = static_cast<std::uint8_t>(i + 1);
    const WirePairs image = imageFrom(wanted);
    RecordingProgress progress;
    EXPECT_EQ(writeSettings(s.link, image, &progress), WriteOutcome::Written);
    EXPECT_EQ(progress.percents, (std::vector<int>{0,  4,  9,  14, 19, 23, 28, 33, 38, 42, 47,
                                                   52, 57, 61, 66, 71, 76, 80, 85, 90, 95, 100}));
    std::vector<std::uint8_t> wire;
    for (const auto& p : image) wire.insert(wire.end(), p.begin(), p.end());
    wire.push_back(0xDF);
    EXPECT_EQ(receivedBytes(s.sim), wire);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(s.sim.commits(), 1);
    EXPECT_EQ(s.sim.settings(), wanted);
}

TEST(CommandSet, SettingsWriteStopsAtARefusedPairWithoutCommitting) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    sim::Faults f;
    f.nakPairIndex = 5;
    s.sim.setFaults(f);
    int failed = -1;
    RecordingProgress progress;
    EXPECT_EQ(writeSettings(s.link, imageFrom(sim::defaultSettingsBlock()), &progress, &failed),
              WriteOutcome::PairFailed);
    EXPECT_EQ(failed, 5);
    EXPECT_EQ(progress.percents.size(), 5u);
    const auto wire = receivedBytes(s.sim);
    EXPECT_EQ(wire.size(), 12u);  // pairs 0..5, no commit byte
    EXPECT_EQ(s.sim.commits(), 0);
}

TEST(CommandSet, EscBootloaderHandshakeOnAPacedLine) {
    // The application restarts into its bootloader on the first hello; the bootloader
    // answers the other three, each answer racing the next purge.
    SimLink s(simAs(Peer::EscApplication, true));
    ASSERT_TRUE(s.ok);
    LinkStatus lastStatus = LinkStatus::Timeout;
    for (int i = 0; i < 4; ++i) lastStatus = s.link.sendCommand(cmd::BootHello);
    EXPECT_EQ(lastStatus, LinkStatus::Ok);
    s.link.readReply(1, limit::Handshake);
    EXPECT_EQ(s.link.rxBuffer()[0], answer::BootListening);
    bool sendFailed = true;
    EXPECT_TRUE(bootSync(s.link, sendFailed));
    EXPECT_FALSE(sendFailed);
    EXPECT_TRUE(bootStart(s.link, sendFailed));
    const std::uint8_t frame[6] = {0x3A, 0x00, 0x00, 0x00, 0x01, 0xFF};
    EXPECT_EQ(sendRecordFrame(s.link, frame, 6), LinkStatus::Ok);
    ASSERT_EQ(s.sim.records().size(), 1u);
    EXPECT_EQ(s.sim.records()[0], std::vector<std::uint8_t>(frame, frame + 6));
    EXPECT_EQ(s.sim.peer(), Peer::EscApplication);  // the end record restarts the application
}

TEST(CommandSet, RecordAcknowledgementOfAnyValueCounts) {
    SimLink s(simAs(Peer::EscBootloader));
    ASSERT_TRUE(s.ok);
    bool sendFailed = false;
    ASSERT_TRUE(bootSync(s.link, sendFailed));
    ASSERT_TRUE(bootStart(s.link, sendFailed));
    const std::uint8_t frame[7] = {0x3A, 0x01, 0x00, 0x10, 0x00, 0x55, 0x9A};
    for (int ack : {0x00, 0xFF}) {
        sim::Faults f;
        f.recordAck = ack;
        s.sim.setFaults(f);
        EXPECT_EQ(sendRecordFrame(s.link, frame, 7), LinkStatus::Ok) << ack;
    }
    sim::Faults f;
    f.silentAfterRecords = 2;
    s.sim.setFaults(f);
    const auto start = tickCount();
    EXPECT_EQ(sendRecordFrame(s.link, frame, 7), LinkStatus::Timeout);
    EXPECT_GE(tickCount() - start, 1990u);
}

TEST(CommandSet, BootloaderPollAndWrongHandshakeAnswers) {
    SimLink s(simAs(Peer::EscBootloader));
    ASSERT_TRUE(s.ok);
    EXPECT_TRUE(pollBootloader(s.link));
    sim::Faults f;
    f.wrongAnswer = 0x60;
    s.sim.setFaults(f);
    bool sendFailed = false;
    EXPECT_FALSE(bootSync(s.link, sendFailed));
    EXPECT_FALSE(sendFailed);
    s.sim.dropLine();
    EXPECT_FALSE(pollBootloader(s.link));
    EXPECT_EQ(s.link.portOpen(), 0);  // a failed hello closes the port
}

TEST(CommandSet, CardBlockAnswers) {
    SimLink s(simAs(Peer::CardBootloader));
    ASSERT_TRUE(s.ok);
    // Handshake into the data phase.
    s.link.sendCommand(cmd::BootReady);
    s.link.readReply(1, limit::Handshake);
    ASSERT_EQ(s.link.rxBuffer()[0], answer::BootReady);
    s.link.sendCommand(cmd::BootHello);
    s.link.readReply(1, limit::Handshake);
    ASSERT_EQ(s.link.rxBuffer()[0], answer::BootListening);

    const std::uint8_t block[5] = {0x00, 0x03, 0xAA, 0xBB, 0xCC};
    EXPECT_EQ(sendBlockFrame(s.link, block, 5), BlockAnswer::Accepted);
    sim::Faults f;
    f.blockAgainCount = 1;
    s.sim.setFaults(f);
    EXPECT_EQ(sendBlockFrame(s.link, block, 5), BlockAnswer::Again);
    EXPECT_EQ(sendBlockFrame(s.link, block, 5), BlockAnswer::Accepted);
    f = {};
    f.blockChecksumErrorAt = 2;
    s.sim.setFaults(f);
    EXPECT_EQ(sendBlockFrame(s.link, block, 5), BlockAnswer::ChecksumRefused);
    EXPECT_EQ(s.sim.blocks().size(), 2u);
}

}  // namespace
}  // namespace orvek
