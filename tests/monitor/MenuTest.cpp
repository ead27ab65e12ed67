// The Device menu's mode commands and the blink of the select-a-device prompt.
#include <gtest/gtest.h>

#include "MonitorRig.h"

namespace orvek {
namespace {

using testing::MonitorRig;
using Events = std::vector<std::string>;

void expectModes(const MonitorRig& rig, bool esc, bool card, int fix) {
    EXPECT_EQ(rig.state.escMode.load(), esc);
    EXPECT_EQ(rig.state.cardMode.load(), card);
    EXPECT_EQ(rig.state.fixMode.load(), fix);
}

TEST(DeviceMenu, ModesExcludeEachOtherWithTheirChecksButtonsAndTimer) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.link.setUsbState(UsbState::PortOpen);

    rig.monitor.onDeviceCommand(deviceCommand::Esc);
    expectModes(rig, true, false, 0);
    EXPECT_EQ(rig.window.log.all(),
              (Events{"stopPollTimer", "lamps:100", "checks:100", "userSupportPage",
                      "button:1003:1", "button:1002:1", "startPollTimer"}));

    rig.link.setEscState(EscState::Identified);
    rig.window.log.clear();
    rig.monitor.onDeviceCommand(deviceCommand::ProgramCard);
    expectModes(rig, false, true, 0);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_EQ(rig.window.log.all(),
              (Events{"stopPollTimer", "lamps:100", "checks:010", "userSupportPage",
                      "button:1003:1", "button:1002:0", "startPollTimer"}));

    // Fix mode does not stop timer 1 first and leaves the page shown.
    rig.state.cardState = CardState::Identified;
    rig.window.log.clear();
    rig.monitor.onDeviceCommand(deviceCommand::FixMode);
    expectModes(rig, false, false, 1);
    EXPECT_EQ(rig.state.cardState, CardState::NotProbed);
    EXPECT_EQ(rig.window.log.all(), (Events{"lamps:100", "checks:001", "button:1003:1",
                                            "button:1002:0", "startPollTimer"}));

    // Choosing a checked mode again switches it off; no page button is disabled again.
    rig.window.log.clear();
    rig.monitor.onDeviceCommand(deviceCommand::FixMode);
    expectModes(rig, false, false, 0);
    EXPECT_EQ(rig.window.log.all(), (Events{"lamps:100", "checks:000", "startPollTimer"}));

    EXPECT_FALSE(rig.monitor.onDeviceCommand(32779));
}

TEST(DeviceMenu, EscSwitchedOffPutsItsLampOutAndOnAgainIdentifiesAfresh) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.monitor.onDeviceEsc();
    expectModes(rig, false, false, 0);
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
    expectModes(rig, false, false, 1);
}

TEST(PromptBlink, AlternatesWhileNoEscOrCardModeAndFreezesOnceOneIsChosen) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    for (int i = 0; i < 3; ++i) rig.monitor.onTimer(kPromptTimerId);
    EXPECT_EQ(rig.window.log.all(), (Events{"prompt:134", "prompt:135", "prompt:134"}));
    EXPECT_EQ(rig.state.promptPhase, 0);

    rig.monitor.onDeviceFixMode();  // fix mode keeps it blinking
    rig.window.log.clear();
    rig.monitor.onTimer(kPromptTimerId);
    EXPECT_EQ(rig.window.log.all(), Events{"prompt:135"});

    rig.monitor.onDeviceProgramCard();
    rig.window.log.clear();
    rig.monitor.onTimer(kPromptTimerId);
    rig.monitor.onTimer(kPromptTimerId);
    EXPECT_TRUE(rig.window.log.all().empty());
    EXPECT_EQ(rig.state.promptPhase, 1);
}

}  // namespace
}  // namespace orvek
