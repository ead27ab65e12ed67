// The ends of an update, for both targets: what must come before what, as the device and the
// page see it.
#include <gtest/gtest.h>

#include "update/UpdateFixture.h"

namespace orvek {
namespace {

using sim::Peer;
using testing::simAs;
using testing::UpdateRig;

constexpr const char* kTwoRecords = ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n";
constexpr const char* kTwoBlocks = "0001AA0001BB";

struct Started {
    const char* target;
    Peer peer;
    const char* file;
    const char* content;
    UpdateResult (*run)(const UpdateJob&, UpdateObserver*);
    sim::Faults failingAtTheFirstFrame;
};

sim::Faults silentAfterRecords(int n) {
    sim::Faults f;
    f.silentAfterRecords = n;
    return f;
}

sim::Faults checksumErrorAtBlock(int k) {
    sim::Faults f;
    f.blockChecksumErrorAt = k;
    return f;
}

const Started kTargets[] = {
    {"esc", Peer::EscBootloader, "fw.kfw", kTwoRecords, &EscFirmwareUpdate, silentAfterRecords(0)},
    {"card", Peer::CardApplication, "QLX.xup", kTwoBlocks, &CardFirmwareUpdate,
     checksumErrorAtBlock(0)},
};

void expectLinkFreeAtTimerStartLast(const UpdateRig& rig) {
    ASSERT_FALSE(rig.host.events().empty());
    EXPECT_EQ(rig.host.events().back(), "startPollTimer");
    ASSERT_FALSE(rig.host.observations().empty());
    EXPECT_EQ(rig.host.observations().back(), "timer:link free");
}

TEST(UpdateEnds, FailureClosesThePortBeforeItsBoxAndSetsThePictureBeforeShowingIt) {
    for (const Started& t : kTargets) {
        SCOPED_TRACE(t.target);
        UpdateRig rig(simAs(t.peer));
        ASSERT_TRUE(rig.ok);
        rig.sim.setFaults(t.failingAtTheFirstFrame);
        rig.folder.write(t.file, t.content);
        EXPECT_EQ(t.run(rig.job(t.file), nullptr).outcome, UpdateOutcome::Failed);
        EXPECT_EQ(rig.host.observations().front(), "box:port closed");
        const std::string target = t.target;
        EXPECT_TRUE(rig.host.before("picture:" + target + ":170", "status:" + target + ":1"));
        expectLinkFreeAtTimerStartLast(rig);
    }
}

TEST(UpdateEnds, SuccessResetsTheDeviceStateBeforeThePollRestarts) {
    for (const Started& t : kTargets) {
        SCOPED_TRACE(t.target);
        UpdateRig rig(simAs(t.peer));
        ASSERT_TRUE(rig.ok);
        rig.folder.write(t.file, t.content);
        EXPECT_EQ(t.run(rig.job(t.file), nullptr).outcome, UpdateOutcome::Finished);
        const std::string target = t.target;
        EXPECT_TRUE(rig.host.before("picture:" + target + ":188", "status:" + target + ":1"));
        EXPECT_TRUE(rig.host.eventsStartingWith("message:").empty());
        if (target == "card") {
            EXPECT_TRUE(rig.host.before("cardState:1", "startPollTimer"));
        } else {
            EXPECT_EQ(rig.link.escState(), EscState::NotAnswering);
        }
        EXPECT_EQ(rig.link.portOpen(), 1);
        expectLinkFreeAtTimerStartLast(rig);
    }
}

TEST(UpdateEnds, UnreadableImageKeepsThePortAndThePicture) {
    for (const Started& t : kTargets) {
        SCOPED_TRACE(t.target);
        UpdateRig rig(simAs(t.peer));
        ASSERT_TRUE(rig.ok);
        EXPECT_EQ(t.run(rig.job("missing file"), nullptr).outcome, UpdateOutcome::ReadFileError);
        EXPECT_EQ(rig.host.eventsStartingWith("message:"),
                  std::vector<std::string>{"message:stop:Read File Error!"});
        EXPECT_EQ(rig.host.observations().front(), "box:port open");
        EXPECT_TRUE(rig.host.eventsStartingWith("picture:").empty());
        EXPECT_TRUE(rig.host.has("status:" + std::string(t.target) + ":1"));
        EXPECT_TRUE(rig.sim.received().empty());
        expectLinkFreeAtTimerStartLast(rig);
    }
}

}  // namespace
}  // namespace orvek
