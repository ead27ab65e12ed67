// The program card firmware update against the simulated card and its bootloader.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <random>

#include "UpdateFixture.h"
#include "link/CommandSet.h"

namespace orvek {
namespace {

using testing::UpdateRig;
using testing::expectFailedEndState;
using testing::simAs;
using sim::Peer;

std::string hexText(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

// An image of `count` blocks of varied lengths; returns the blocks as they must arrive.
std::vector<std::vector<std::uint8_t>> makeBlocks(int count, std::size_t maxPayload, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int i = 0; i < count; ++i) {
        const std::size_t length = 1 + random() % maxPayload;
        std::vector<std::uint8_t> block{static_cast<std::uint8_t>(length >> 8),
                                        static_cast<std::uint8_t>(length & 0xFF)};
        for (std::size_t k = 0; k < length; ++k) block.push_back(static_cast<std::uint8_t>(random()));
        blocks.push_back(block);
    }
    return blocks;
}

std::string imageText(const std::vector<std::vector<std::uint8_t>>& blocks) {
    std::vector<std::uint8_t> all;
    for (const auto& b : blocks) all.insert(all.end(), b.begin(), b.end());
    return hexText(all) + "\r\n";
}

TEST(CardUpdate, ImageOfManyBlocksArrivesByteForByte) {
    UpdateRig rig(simAs(Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    const auto blocks = makeBlocks(120, 600, 7);
    rig.folder.write("QLX.xup", imageText(blocks));
    const UpdateResult r = CardFirmwareUpdate(rig.job("QLX.xup"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Finished) << r.message;
    EXPECT_EQ(rig.sim.blocks(), blocks);
    EXPECT_TRUE(rig.host.has("picture:card:188"));
    EXPECT_TRUE(rig.host.has("start:card:172"));
    EXPECT_TRUE(rig.host.has("cardState:1"));
    EXPECT_TRUE(rig.host.eventsStartingWith("message:").empty());
    EXPECT_EQ(rig.link.portOpen(), 1);
    EXPECT_EQ(rig.host.eventsStartingWith("caption:card:").size(), blocks.size());
    EXPECT_EQ(rig.host.eventsStartingWith("caption:card:").front(), "caption:card:1%");
    // The bootloader goes back to its application and the card answers its probe again.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(probeCard(rig.link), CardProbeResult::CardPresent);
}

// Gaps between the transmissions of `byte` seen by the simulator, in milliseconds.
std::vector<double> gapsBetween(const std::vector<sim::ReceivedByte>& wire, std::uint8_t byte) {
    std::vector<double> times;
    for (const auto& r : wire) {
        if (r.value == byte) times.push_back(r.atMs);
    }
    std::vector<double> gaps;
    for (std::size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    return gaps;
}

TEST(CardUpdate, ReadyOnTheSixthRetryFollowsTheSchedule) {
    UpdateRig rig(simAs(Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    sim::Faults f;
    f.bootReadyOnTry = 7;  // the first 0xD7 and five retries go unanswered
    rig.sim.setFaults(f);
    rig.folder.write("QLX.xup", imageText(makeBlocks(3, 40, 3)));
    const UpdateResult r = CardFirmwareUpdate(rig.job("QLX.xup"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Finished) << r.message;
    const auto gaps = gapsBetween(rig.sim.received(), 0xD7);
    // 0xD7 waits 1000 ms, then the retries wait 1500, 2000, 500, 2000, 500 before the next.
    const double limits[] = {1000, 1500, 2000, 500, 2000, 500};
    ASSERT_EQ(gaps.size(), 6u);
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        EXPECT_GE(gaps[i], limits[i] - 2) << i;
        EXPECT_LT(gaps[i], limits[i] + 150) << i;
    }
}

TEST(CardUpdate, NoReadyAfterTheScheduleFails) {
    UpdateRig rig(simAs(Peer::CardBootloader));
    ASSERT_TRUE(rig.ok);
    sim::Faults f;
    f.bootReadyOnTry = 1000;
    rig.sim.setFaults(f);
    rig.folder.write("QLX.xup", imageText(makeBlocks(2, 10, 1)));
    const UpdateResult r = CardFirmwareUpdate(rig.job("QLX.xup"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Failed);
    EXPECT_EQ(r.message, "Update Error: TX=0xd7, RX!=0xd8!");
    int readyCount = 0;
    for (const auto& b : rig.sim.received()) readyCount += b.value == 0xD7;
    EXPECT_EQ(readyCount, 7);  // 1 + 6
    EXPECT_EQ(rig.host.eventsStartingWith("message:"),
              std::vector<std::string>{"message:plain:Update Error: TX=0xd7, RX!=0xd8!"});
    expectFailedEndState(rig, "card");
    EXPECT_EQ(rig.host.card, CardState::Identified);  // left as it was
}

TEST(CardUpdate, EachHandshakeAndTransferFailureHasItsMessageAndEndState) {
    constexpr int kAnyFrame = 0x100;  // cut the line before the first block goes out
    struct Case {
        const char* name;
        Peer peer;
        sim::Faults faults;
        int cutBeforeSending;  // a command byte, kAnyFrame, or -1 for no cut
        const char* message;
    };
    sim::Faults none;
    sim::Faults noHelloAnswer;
    noHelloAnswer.ignoreByte = 0xD6;
    sim::Faults blocksUnanswered;
    blocksUnanswered.silentAfterBlocks = 0;
    const Case cases[] = {
        {"hello not written", Peer::CardApplication, none, 0xD6, "Update Error: TX=0xd6, TX Timeover!"},
        {"ready not written", Peer::CardBootloader, none, 0xD7, "Update Error: TX=0xd7, TX Timeover!"},
        {"block not written", Peer::CardBootloader, none, kAnyFrame, "Update Error: Data transfer error!"},
        {"block not answered", Peer::CardBootloader, blocksUnanswered, -1, "Update Error: Data transfer no ack!"},
        {"no answer to the hello after ready", Peer::CardBootloader, noHelloAnswer, -1,
         "Update Error: TX=0xd6, RX!=0xd7!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateRig rig(simAs(c.peer));
        ASSERT_TRUE(rig.ok);
        rig.sim.setFaults(c.faults);
        rig.folder.write("QLX.xup", imageText(makeBlocks(3, 20, 2)));
        bool cut = false;
        rig.link.setTrace([&](UsbUart::TraceDirection dir, const std::uint8_t* data, std::size_t n) {
            if (cut || dir != UsbUart::TraceDirection::Sent || c.cutBeforeSending < 0) return;
            if ((c.cutBeforeSending == kAnyFrame && n > 1) || (n == 1 && data[0] == c.cutBeforeSending)) {
                cut = true;
                rig.sim.dropLine();
            }
        });
        const UpdateResult r = CardFirmwareUpdate(rig.job("QLX.xup"));
        EXPECT_EQ(r.outcome, UpdateOutcome::Failed);
        EXPECT_EQ(rig.host.eventsStartingWith("message:"),
                  std::vector<std::string>{std::string("message:plain:") + c.message});
        expectFailedEndState(rig, "card");
    }
}

TEST(CardUpdate, BlockAnswers) {
    struct Case {
        const char* name;
        int again;
        int crcAt;
        UpdateOutcome outcome;
        const char* message;
    };
    const Case cases[] = {
        {"three 0x00 then 0x11", 3, -1, UpdateOutcome::Finished, ""},
        {"four 0x00", 4, -1, UpdateOutcome::Failed, "Update Error: repeat Data transfer over four time!"},
        {"0x12", 0, 0, UpdateOutcome::Failed, "Update Error: Data transfer crc error!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateRig rig(simAs(Peer::CardBootloader));
        ASSERT_TRUE(rig.ok);
        sim::Faults f;
        f.blockAgainCount = c.again;
        f.blockChecksumErrorAt = c.crcAt;
        rig.sim.setFaults(f);
        const auto blocks = makeBlocks(4, 30, 11);
        rig.folder.write("QLX.xup", imageText(blocks));
        const UpdateResult r = CardFirmwareUpdate(rig.job("QLX.xup"));
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.message, c.message);
        if (c.outcome == UpdateOutcome::Finished) {
            EXPECT_EQ(rig.sim.blocks(), blocks);
        } else {
            expectFailedEndState(rig, "card");
        }
        if (c.again > 0) {
            // The first block went min(again + 1, 4) times.
            std::size_t firstBlockSends = 0;
            const auto captions = rig.host.eventsStartingWith("caption:card:");
            for (const auto& cap : captions) firstBlockSends += cap == "caption:card:1%";
            EXPECT_EQ(firstBlockSends, static_cast<std::size_t>(std::min(c.again + 1, 4)));
        }
    }
}

TEST(CardUpdate, BlockRunningPastTheEndIsNeverSent) {
    UpdateRig rig(simAs(Peer::CardBootloader));
    ASSERT_TRUE(rig.ok);
    auto blocks = makeBlocks(2, 20, 5);
    std::vector<std::uint8_t> truncated{0x01, 0x00, 0xAA, 0xBB};  // claims 256 bytes, has 2
    std::string text = imageText(blocks);
    text.resize(text.size() - 2);
    text += hexText(truncated);
    rig.folder.write("QLX.xup", text);
    const UpdateResult r = CardFirmwareUpdate(rig.job("QLX.xup"));
    EXPECT_EQ(r.message, "Update Error: transfer bytes number error!");
    EXPECT_EQ(rig.sim.blocks(), blocks);
    std::size_t dataBytes = 0;
    for (const auto& b : blocks) dataBytes += b.size();
    // Handshake: three hellos, ready, hello; then only the two whole blocks.
    EXPECT_EQ(rig.sim.received().size(), 5 + dataBytes);
}

TEST(CardUpdate, OversizedImageIsRefusedBeforeTheCardIsTouched) {
    UpdateRig rig(simAs(Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("big.xup", std::string(2 * 65537, 'A'));
    const UpdateResult r = CardFirmwareUpdate(rig.job("big.xup"));
    EXPECT_EQ(r.outcome, UpdateOutcome::ReadFileError);
    EXPECT_EQ(rig.host.eventsStartingWith("message:"),
              std::vector<std::string>{"message:stop:Read File Error!"});
    EXPECT_TRUE(rig.sim.received().empty());
    EXPECT_EQ(rig.link.portOpen(), 1);
    EXPECT_EQ(rig.host.events().back(), "startPollTimer");
}

TEST(CardUpdate, EmptyImageSucceedsWithoutAPercentage) {
    UpdateRig rig(simAs(Peer::CardBootloader));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("empty.xup", "");
    const UpdateResult r = CardFirmwareUpdate(rig.job("empty.xup"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Finished);
    EXPECT_TRUE(rig.host.eventsStartingWith("caption:").empty());
    EXPECT_TRUE(rig.host.has("picture:card:188"));
}

TEST(CardUpdate, RefusedWithoutAnIdentifiedCard) {
    UpdateRig rig(simAs(Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    rig.host.card = CardState::NotAnswering;
    rig.folder.write("QLX.xup", "0001AA");
    EXPECT_EQ(CardFirmwareUpdate(rig.job("QLX.xup")).outcome, UpdateOutcome::Refused);
    EXPECT_EQ(rig.host.events(),
              (std::vector<std::string>{"clear:card", "message:stop:Program Card Connection Error!"}));
}

TEST(CardUpdate, AnAbortRequestStopsBeforeTheNextBlockAndEndsAsAFailure) {
    UpdateRig rig(simAs(Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    const auto blocks = makeBlocks(10, 50, 3);
    rig.folder.write("QLX.xup", imageText(blocks));
    // Asks for the stop once two blocks are in.
    struct AbortAfterTwo : UpdateObserver {
        std::atomic<bool> flag{false};
        int blocks = 0;
        void progress(std::int64_t, std::int64_t) override {
            if (++blocks == 2) flag = true;
        }
    } observer;
    UpdateJob job = rig.job("QLX.xup");
    job.abortRequested = &observer.flag;
    const UpdateResult r = CardFirmwareUpdate(job, &observer);
    EXPECT_EQ(r.outcome, UpdateOutcome::Aborted);
    EXPECT_EQ(rig.sim.blocks(), decltype(blocks)(blocks.begin(), blocks.begin() + 2));
    EXPECT_EQ(rig.host.eventsStartingWith("message:"),
              std::vector<std::string>{"message:plain:Update Error: stopped on request!"});
    expectFailedEndState(rig, "card");
}

TEST(CardUpdate, NeitherWorkerWaitsOnAPipeNamedAsItsImage) {
    for (const char* name : {"pipe.xup", "pipe.kfw"}) {
        SCOPED_TRACE(name);
        UpdateRig rig(simAs(Peer::CardApplication));
        ASSERT_TRUE(rig.ok);
        rig.host.fix = true;
        ASSERT_EQ(::mkfifo(rig.folder.firmware(name).c_str(), 0644), 0);
        const bool card = std::string(name).find(".xup") != std::string::npos;
        const UpdateResult r =
            card ? CardFirmwareUpdate(rig.job(name)) : EscFirmwareUpdate(rig.job(name));
        EXPECT_EQ(r.outcome, UpdateOutcome::ReadFileError);
        EXPECT_EQ(rig.host.eventsStartingWith("message:"),
                  std::vector<std::string>{"message:stop:Read File Error!"});
        EXPECT_TRUE(rig.sim.received().empty());
        EXPECT_EQ(rig.host.events().back(), "startPollTimer") << "the poll runs again";
    }
}

}  // namespace
}  // namespace orvek
