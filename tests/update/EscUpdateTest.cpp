// The ESC firmware update against the simulated ESC and its bootloader.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>

#include "UpdateFixture.h"
#include "firmware/KfwImage.h"
#include "link/CommandSet.h"

namespace orvek {
namespace {

using testing::UpdateRig;
using testing::expectFailedEndState;
using testing::simAs;
using sim::Peer;

// The frames a .kfw file defines, line by line.
std::vector<std::vector<std::uint8_t>> framesOf(const std::filesystem::path& file) {
    std::vector<std::vector<std::uint8_t>> frames;
    KfwImageReader reader;
    EXPECT_TRUE(reader.open(file));
    std::vector<std::uint8_t> frame;
    while (reader.nextFrame(frame) == KfwImageReader::Result::Line) frames.push_back(frame);
    return frames;
}

// A real Intel HEX image: random bytes turned into records by objcopy.
void makeHexImage(const std::filesystem::path& hexFile, std::size_t bytes) {
    const auto bin = hexFile.parent_path() / "image.bin";
    {
        std::mt19937 random(1234);
        std::ofstream out(bin, std::ios::binary);
        for (std::size_t i = 0; i < bytes; ++i) out.put(static_cast<char>(random() & 0xFF));
    }
    const std::string command = "objcopy -I binary -O ihex --change-addresses 0x8000 '" +
                                bin.string() + "' '" + hexFile.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::filesystem::remove(bin);
}

TEST(EscUpdate, RealImageUploadsRecordByRecord) {
    UpdateRig rig(simAs(Peer::EscApplication));
    ASSERT_TRUE(rig.ok);
    makeHexImage(rig.folder.firmware("Race Setup.kfw"), 40 * 1024);
    const auto expected = framesOf(rig.folder.firmware("Race Setup.kfw"));
    ASSERT_GT(expected.size(), 2000u);

    const UpdateResult r = EscFirmwareUpdate(rig.job("Race Setup.kfw"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Finished);
    EXPECT_EQ(r.sentBytes, r.totalBytes);
    EXPECT_EQ(rig.sim.records(), expected);
    EXPECT_EQ(rig.sim.imagesCompleted(), 1);
    EXPECT_EQ(rig.sim.peer(), Peer::EscApplication);  // the new application runs

    // Finished: picture 188, no message, the ESC to be identified afresh, the port still open.
    EXPECT_TRUE(rig.host.has("picture:esc:188"));
    EXPECT_TRUE(rig.host.eventsStartingWith("message:").empty());
    EXPECT_EQ(rig.link.escState(), EscState::NotAnswering);
    EXPECT_EQ(rig.link.portOpen(), 1);
    EXPECT_EQ(rig.host.events().front(), "stopPollTimer");
    EXPECT_EQ(rig.host.events().back(), "startPollTimer");

    // The caption starts at 1% and climbs to 100% without going back.
    const auto captions = rig.host.eventsStartingWith("caption:esc:");
    ASSERT_EQ(captions.size(), expected.size());
    EXPECT_EQ(captions.front(), "caption:esc:1%");
    EXPECT_EQ(captions.back(), "caption:esc:100%");
    int last = 0;
    for (const auto& c : captions) {
        const int p = std::atoi(c.c_str() + std::string("caption:esc:").size());
        EXPECT_GE(p, last);
        last = p;
    }

    // And the ESC answers as an application again.
    EXPECT_EQ(probeEsc(rig.link), EscProbeResult::EscPresent);
}

TEST(EscUpdate, HandshakeOnAPacedLineWhereEveryHelloIsAnswered) {
    UpdateRig rig(simAs(Peer::EscApplication, true));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("small.kfw", ":0400000001020304F2\r\n:00000001FF\r\n");
    const UpdateResult r = EscFirmwareUpdate(rig.job("small.kfw"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Finished) << r.message;
    ASSERT_EQ(rig.sim.records().size(), 2u);
    EXPECT_EQ(rig.sim.records()[1], (std::vector<std::uint8_t>{0x3A, 0, 0, 0, 1, 0xFF}));
}

TEST(EscUpdate, SingleEndRecordShowsOnlyOnePercent) {
    UpdateRig rig(simAs(Peer::EscBootloader));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("end.kfw", ":00000001FF\n");
    EXPECT_EQ(EscFirmwareUpdate(rig.job("end.kfw")).outcome, UpdateOutcome::Finished);
    EXPECT_EQ(rig.host.eventsStartingWith("caption:"), std::vector<std::string>{"caption:esc:1%"});
}

TEST(EscUpdate, EmptyImageRunsTheHandshakeAndFinishes) {
    UpdateRig rig(simAs(Peer::EscBootloader));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("empty.kfw", "");
    const UpdateResult r = EscFirmwareUpdate(rig.job("empty.kfw"));
    EXPECT_EQ(r.outcome, UpdateOutcome::Finished);
    EXPECT_EQ(r.totalBytes, 0);
    EXPECT_TRUE(rig.sim.records().empty());
    EXPECT_TRUE(rig.host.has("picture:esc:188"));
    const auto wire = rig.sim.received();
    ASSERT_EQ(wire.size(), 6u);  // four hellos, sync, start
    EXPECT_EQ(wire[4].value, 0x39);
    EXPECT_EQ(wire[5].value, 0x31);
}

TEST(EscUpdate, LongLinesGoWhole) {
    UpdateRig rig(simAs(Peer::EscBootloader));
    ASSERT_TRUE(rig.ok);
    // A 255-byte data record: a line of 521 characters, a frame longer than the receive buffer.
    std::ostringstream line;
    line << ":FF000000";
    unsigned sum = 0xFF;
    for (int i = 0; i < 255; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", i);
        line << hex;
        sum += static_cast<unsigned>(i);
    }
    char check[3];
    std::snprintf(check, sizeof check, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    line << check;
    rig.folder.write("long.kfw", line.str() + "\r\n:00000001FF\r\n");
    EXPECT_EQ(EscFirmwareUpdate(rig.job("long.kfw")).outcome, UpdateOutcome::Finished);
    ASSERT_EQ(rig.sim.records().size(), 2u);
    EXPECT_EQ(rig.sim.records()[0].size(), 261u);
    EXPECT_EQ(rig.sim.records()[0].back(), static_cast<std::uint8_t>(std::strtol(check, nullptr, 16)));
}

struct HandshakeFault {
    const char* name;
    sim::Faults faults;
    const char* message;
};

TEST(EscUpdate, EachHandshakeFailureHasItsMessageAndEndState) {
    sim::Faults silent;
    silent.silent = true;
    sim::Faults noSync;
    noSync.ignoreByte = 0x39;
    sim::Faults noStart;
    noStart.ignoreByte = 0x31;
    sim::Faults noAck;
    noAck.silentAfterRecords = 3;
    const HandshakeFault cases[] = {
        {"silent ESC", silent, "Update Error: TX=0xd6, TX Timeover!"},
        {"no sync answer", noSync, "Update Error: TX=0x39, TX Timeover!"},
        {"no start answer", noStart, "Update Error: TX=0x31, TX Timeover!"},
        {"record not acknowledged", noAck, "Update Error: Data transfer no ack!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateRig rig(simAs(Peer::EscBootloader));
        ASSERT_TRUE(rig.ok);
        rig.sim.setFaults(c.faults);
        rig.folder.write("fw.kfw",
                         ":0400000001020304F2\n:0400040005060708DE\n:04000800090A0B0CCA\n"
                         ":04000C000D0E0F10B6\n:00000001FF\n");
        const UpdateResult r = EscFirmwareUpdate(rig.job("fw.kfw"));
        EXPECT_EQ(r.outcome, UpdateOutcome::Failed);
        EXPECT_EQ(rig.host.eventsStartingWith("message:"),
                  std::vector<std::string>{std::string("message:plain:") + c.message});
        expectFailedEndState(rig, "esc");
    }
}

TEST(EscUpdate, LineCutBetweenRecordsIsATransferError) {
    UpdateRig rig(simAs(Peer::EscBootloader));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("fw.kfw", ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n");
    // The cable comes out right after the first record is acknowledged, before the next write.
    int acks = 0;
    rig.link.setTrace([&](UsbUart::TraceDirection dir, const std::uint8_t*, std::size_t) {
        if (dir == UsbUart::TraceDirection::Received && rig.sim.records().size() == 1 && ++acks == 1) {
            rig.sim.dropLine();
        }
    });
    const UpdateResult r = EscFirmwareUpdate(rig.job("fw.kfw"));
    EXPECT_EQ(r.message, "Update Error: Data transfer error!");
    EXPECT_EQ(rig.host.eventsStartingWith("message:"),
              std::vector<std::string>{"message:plain:Update Error: Data transfer error!"});
    expectFailedEndState(rig, "esc");
}

TEST(EscUpdate, RefusalsTouchNothing) {
    UpdateRig rig(simAs(Peer::EscApplication));
    ASSERT_TRUE(rig.ok);
    rig.folder.write("fw.kfw", ":00000001FF\n");
    rig.link.setUsbState(UsbState::NoPort);
    EXPECT_EQ(EscFirmwareUpdate(rig.job("fw.kfw")).outcome, UpdateOutcome::Refused);
    rig.link.setUsbState(UsbState::PortOpen);
    rig.link.setEscState(EscState::NotAnswering);
    EXPECT_EQ(EscFirmwareUpdate(rig.job("fw.kfw")).outcome, UpdateOutcome::Refused);
    EXPECT_EQ(rig.host.events(),
              (std::vector<std::string>{"clear:esc", "message:stop:USB Connection Error!",
                                        "clear:esc", "message:stop:ESC Connection Error!"}));
    EXPECT_TRUE(rig.sim.received().empty());
}

TEST(EscUpdate, FixModeReachesABootloaderWithoutIdentification) {
    UpdateRig rig(simAs(Peer::EscBootloader));
    ASSERT_TRUE(rig.ok);
    rig.link.setEscState(EscState::NotProbed);
    rig.host.fix = true;
    rig.folder.write("fw.kfw", ":0400000001020304F2\n:00000001FF\n");
    EXPECT_EQ(EscFirmwareUpdate(rig.job("fw.kfw")).outcome, UpdateOutcome::Finished);
    EXPECT_EQ(rig.sim.records().size(), 2u);
}

TEST(EscUpdate, MissingImageIsAnIdleExitThatLeavesThePortAlone) {
    UpdateRig rig(simAs(Peer::EscApplication));
    ASSERT_TRUE(rig.ok);
    EXPECT_EQ(EscFirmwareUpdate(rig.job("absent.kfw")).outcome, UpdateOutcome::ReadFileError);
    EXPECT_EQ(rig.host.eventsStartingWith("message:"),
              std::vector<std::string>{"message:stop:Read File Error!"});
    EXPECT_TRUE(rig.host.eventsStartingWith("picture:").empty());  // keeps the picture it had
    EXPECT_TRUE(rig.host.has("status:esc:1"));
    EXPECT_TRUE(rig.host.has("clear:esc"));
    EXPECT_EQ(rig.host.events().back(), "startPollTimer");
    EXPECT_EQ(rig.link.portOpen(), 1);
    EXPECT_TRUE(rig.sim.received().empty());
}

TEST(EscUpdate, NobodyElseUsesTheLinkWhileAnUpdateRuns) {
    UpdateRig rig(simAs(Peer::EscBootloader, true));
    ASSERT_TRUE(rig.ok);
    std::string image;
    for (int i = 0; i < 40; ++i) image += ":0400000001020304F2\n";
    rig.folder.write("fw.kfw", image + ":00000001FF\n");
    std::thread worker([&] { EscFirmwareUpdate(rig.job("fw.kfw")); });
    while (rig.sim.records().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(rig.link.exclusiveUse().try_lock());
    worker.join();
    EXPECT_TRUE(rig.link.exclusiveUse().try_lock());
    rig.link.exclusiveUse().unlock();
}

// Asks the update to stop once `after` frames were acknowledged.
class AbortAfter : public UpdateObserver {
public:
    AbortAfter(std::atomic<bool>& flag, int after) : flag_(flag), after_(after) {}
    void progress(std::int64_t, std::int64_t) override {
        if (++frames_ == after_) flag_ = true;
    }

private:
    std::atomic<bool>& flag_;
    int after_;
    int frames_ = 0;
};

TEST(EscUpdate, AnAbortRequestStopsBeforeTheNextRecordAndEndsAsAFailure) {
    UpdateRig rig(simAs(Peer::EscBootloader));
    ASSERT_TRUE(rig.ok);
    makeHexImage(rig.folder.firmware("fw.kfw"), 2048);
    const auto frames = framesOf(rig.folder.firmware("fw.kfw"));
    std::atomic<bool> abort{false};
    UpdateJob job = rig.job("fw.kfw");
    job.abortRequested = &abort;
    AbortAfter observer(abort, 3);
    const UpdateResult r = EscFirmwareUpdate(job, &observer);
    EXPECT_EQ(r.outcome, UpdateOutcome::Aborted);
    EXPECT_EQ(r.message, "Update Error: stopped on request!");
    EXPECT_EQ(rig.sim.records(), decltype(frames)(frames.begin(), frames.begin() + 3));
    EXPECT_EQ(rig.host.eventsStartingWith("message:"),
              std::vector<std::string>{"message:plain:Update Error: stopped on request!"});
    expectFailedEndState(rig, "esc");
}

}  // namespace
}  // namespace orvek
