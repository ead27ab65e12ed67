// Firmware updates started by the poll tick, and the tick keeping off a link someone else uses.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "MonitorRig.h"
#include "common/TestImages.h"

namespace orvek {
namespace {

using testing::MonitorRig;
using Bytes = std::vector<std::uint8_t>;

using testing::writeKfwImage;

TEST(UpdateDispatch, EscUpdateRunsOnItsThreadWhileTicksStayOffTheLink) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const auto image = writeKfwImage("monitor-update", 40);
    rig.requests.escImage = image;
    rig.requests.escUpdateRequested = true;
    rig.requests.writeRequested = true;  // must wait for the update

    rig.monitor.OnPollTimer();
    int ticksDuringUpdate = 0;
    while (rig.monitor.updateRunning()) {
        rig.monitor.OnPollTimer();
        ++ticksDuringUpdate;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    rig.monitor.waitForUpdates();
    std::filesystem::remove(image);
    EXPECT_GT(ticksDuringUpdate, 0);

    // On the wire: the tick's probe, then only the update's bytes.
    Bytes expected = {0xD5, 0xD6, 0xD6, 0xD6, 0xD6, 0x39, 0x31};
    for (const auto& record : rig.sim.records()) expected.insert(expected.end(), record.begin(), record.end());
    EXPECT_EQ(rig.sim.records().size(), 41u);
    EXPECT_EQ(rig.received(), expected);
    EXPECT_EQ(rig.sim.pairsStored(), 0) << "the write waited";
    EXPECT_TRUE(rig.window.log.has("updatePicture:188"));
    EXPECT_FALSE(rig.requests.escUpdateRequested);
    EXPECT_TRUE(rig.requests.writeRequested);
    EXPECT_TRUE(rig.state.updateIdle);
    EXPECT_EQ(rig.link.escState, 1);
    EXPECT_TRUE(rig.window.timerRunning);
    EXPECT_TRUE(rig.window.log.startingWith("lamps:").empty()) << "no poll while the update ran";

    // The next tick identifies the new firmware afresh, then writes.
    rig.sim.clearReceived();
    rig.monitor.OnPollTimer();
    const Bytes after = rig.received();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(Bytes(after.begin(), after.begin() + 3), (Bytes{0xD5, 0xD7, 0xD8}));
    EXPECT_EQ(rig.link.escState, 2);
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_FALSE(rig.requests.writeRequested);
}

TEST(UpdateDispatch, CardUpdateWithoutACardIsRefusedThroughTheMonitorsState) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.requests.cardImage = "/nonexistent/card.xup";
    rig.requests.cardUpdateRequested = true;
    rig.monitor.OnPollTimer();
    rig.monitor.waitForUpdates();
    EXPECT_EQ(rig.window.log.startingWith("message:"),
              std::vector<std::string>{"message:stop:Program Card Connection Error!"});
    EXPECT_FALSE(rig.requests.cardUpdateRequested);
    EXPECT_TRUE(rig.state.updateIdle);
    EXPECT_EQ(rig.received(), Bytes{0xD5});
}

TEST(UpdateDispatch, TickDoesNothingWhileTheLinkIsHeldElsewhere) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    {
        std::lock_guard<std::mutex> held(rig.link.exclusiveUse());
        rig.monitor.OnPollTimer();
        EXPECT_EQ(rig.link.portOpen, 0) << "not even the port is opened";
    }
    rig.plugIn();
    rig.monitor.OnDeviceEsc();
    rig.requests.writeRequested = true;
    {
        std::lock_guard<std::mutex> held(rig.link.exclusiveUse());
        rig.monitor.OnPollTimer();
    }
    EXPECT_TRUE(rig.received().empty());
    EXPECT_TRUE(rig.requests.writeRequested);
    EXPECT_EQ(rig.link.escState, 0);
}

}  // namespace
}  // namespace orvek
