// The Device menu's mode commands.
#include <gtest/gtest.h>

#include "MonitorRig.h"

namespace orvek {
namespace {

using testing::MonitorRig;
using Events = std::vector<std::string>;

void expectMode(const MonitorRig& rig, DeviceMode mode) { EXPECT_EQ(rig.state.mode.load(), mode); }

TEST(DeviceMenu, ModesExcludeEachOtherWithTheirChecksButtonsAndTimer) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.link.setUsbState(UsbState::PortOpen);

    rig.monitor.chooseMode(DeviceMode::Esc);
    expectMode(rig, DeviceMode::Esc);
    EXPECT_EQ(rig.window.log.all(), (Events{"stopPollTimer", "lamps:100", "checks:100",
                                            "userSupportPage", "pages:100", "startPollTimer"}));

    rig.link.setEscState(EscState::Identified);
    rig.window.log.clear();
    rig.monitor.chooseMode(DeviceMode::ProgramCard);
    expectMode(rig, DeviceMode::ProgramCard);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_EQ(rig.window.log.all(), (Events{"stopPollTimer", "lamps:100", "checks:010",
                                            "userSupportPage", "pages:010", "startPollTimer"}));

    // Fix mode does not stop timer 1 first and leaves the page shown.
    rig.state.cardState = CardState::Identified;
    rig.window.log.clear();
    rig.monitor.chooseMode(DeviceMode::Fix);
    expectMode(rig, DeviceMode::Fix);
    EXPECT_EQ(rig.state.cardState, CardState::NotProbed);
    EXPECT_EQ(rig.window.log.all(),
              (Events{"lamps:100", "checks:001", "pages:001", "startPollTimer"}));

    // Choosing a checked mode again switches it off; no page button is disabled again.
    rig.window.log.clear();
    rig.monitor.chooseMode(DeviceMode::Fix);
    expectMode(rig, DeviceMode::None);
    EXPECT_EQ(rig.window.log.all(), (Events{"lamps:100", "checks:000", "startPollTimer"}));
}

TEST(DeviceMenu, EscSwitchedOffPutsItsLampOutAndOnAgainIdentifiesAfresh) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.monitor.onDeviceEsc();
    expectMode(rig, DeviceMode::None);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_EQ(rig.window.log.all(),
              (Events{"stopPollTimer", "lamps:100", "checks:000", "startPollTimer"}));
    rig.monitor.onPollTimer();
    EXPECT_TRUE(rig.received().empty()) << "no mode, nothing sent";

    rig.monitor.onDeviceEsc();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.received(), (std::vector<std::uint8_t>{0xD5, 0xD7, 0xD8}));
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
}

TEST(DeviceMenu, NoCommandRestartsTimerWhileAnUpdateOwnsTheLink) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.state.updateIdle = false;
    rig.window.timerRunning = false;
    rig.monitor.onDeviceEsc();
    rig.monitor.onDeviceProgramCard();
    rig.monitor.onDeviceFixMode();
    EXPECT_FALSE(rig.window.timerRunning);
    EXPECT_TRUE(rig.window.log.startingWith("startPollTimer").empty());
    expectMode(rig, DeviceMode::Fix);
}

}  // namespace
}  // namespace orvek
