// The poll tick against a simulated adapter and device: port, identification, quiet polls,
// lost devices and the three modes.
#include <gtest/gtest.h>

#include <algorithm>

#include "MonitorRig.h"
#include "settings/SettingsBlock.h"

namespace orvek {
namespace {

using sim::Peer;
using testing::deviceOptions;
using testing::MonitorRig;
using Bytes = std::vector<std::uint8_t>;

long countOf(const Bytes& bytes, std::uint8_t value) {
    return std::count(bytes.begin(), bytes.end(), value);
}

TEST(Poll, PortFoundOpenLightsUsbLampAloneAndWithoutModeNothingIsSent) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.state.cardState = CardState::NotAnswering;
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.portOpen(), 1);
    EXPECT_EQ(rig.link.usbState(), UsbState::PortOpen);
    EXPECT_EQ(rig.window.log.all(), std::vector<std::string>{"lamps:100"});
    EXPECT_TRUE(rig.received().empty()) << "the tick that opens the port sends nothing";

    // No device mode: the open port is never written to and the lamps are left alone.
    rig.window.log.clear();
    for (int i = 0; i < 3; ++i) rig.monitor.onPollTimer();
    EXPECT_TRUE(rig.received().empty());
    EXPECT_TRUE(rig.window.log.all().empty());

    // Mode chosen: the first device exchange comes only at the next tick.
    rig.monitor.onDeviceEsc();
    EXPECT_TRUE(rig.received().empty());
}

TEST(Poll, EscIdentificationFillsListsReadsSettingsSetsTextsAndLamps) {
    sim::SimOptions options = deviceOptions(Peer::EscApplication);
    options.identity.typeCode = 0x0B;
    options.identity.versionCode = 3;
    MonitorRig rig(options);
    ASSERT_TRUE(rig.ok);
    rig.plugIn();
    rig.monitor.onDeviceEsc();
    rig.window.log.clear();

    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
    EXPECT_EQ(rig.received(), (Bytes{0xD5, 0xD7, 0xD8}));
    EXPECT_EQ(rig.lists.family, EscFamily::Expert);
    EXPECT_EQ(rig.lists.versionText, "1.30");
    EXPECT_GT(rig.lists.byKey(key::OperationMode).count(), 0);
    const sim::SettingsBlock block = rig.sim.settings();
    EXPECT_TRUE(
        std::equal(rig.lists.lastReadBlock.begin(), rig.lists.lastReadBlock.end(), block.begin()));
    // The lists show the block: writing them back gives the block's values.
    const WriteImage image = BuildWriteImage(rig.lists);
    for (std::size_t i = 0; i < image.size(); ++i)
        EXPECT_EQ(image[i].value, block[i]) << "byte " << i;
    EXPECT_EQ(rig.identity.escModelName(), "ORVEK ARC");
    // The read runs with timer 1 stopped; texts come after it, the lamp last.
    EXPECT_EQ(rig.window.log.all(), (std::vector<std::string>{"infoShown:esc", "stopPollTimer",
                                                              "texts:ORVEK ARC|Expert V1.30",
                                                              "startPollTimer", "lamps:110"}));
}

TEST(Poll, IdentityTextsFollowTheTypeAndVersionCodes) {
    struct Case {
        std::uint8_t type, version;
        EscFamily family;
        const char* texts;
    };
    const Case cases[] = {
        {0x0C, 7, EscFamily::Stock, "texts:ORVEK BASIS SPEC|Stock V1.70"},
        {0x0D, 255, EscFamily::Blinky, "texts:ORVEK ZETA|Blinky V26.50"},
        // Outside the model table: identified; both pages keep naming the earlier ESC.
        {0x0A, 0, EscFamily::Unlisted, "texts:ORVEK ARC|Expert V1.30"},
    };
    for (const Case& c : cases) {
        sim::SimOptions options = deviceOptions(Peer::EscApplication);
        options.identity.typeCode = c.type;
        options.identity.versionCode = c.version;
        MonitorRig rig(options);
        ASSERT_TRUE(rig.ok);
        rig.identity.storeEscInfo({0x0B, 0x40, 0, 3, 0, 0, 0});
        rig.identity.showDeviceInfo(FirmwareTarget::Esc);  // an earlier ESC
        rig.connectEsc();
        EXPECT_EQ(rig.lists.family, c.family);
        rig.monitor.onDeviceEsc();  // off and on again: identified afresh
        rig.monitor.onDeviceEsc();
        rig.window.log.clear();
        rig.monitor.onPollTimer();
        EXPECT_EQ(rig.window.log.startingWith("texts:"), std::vector<std::string>{c.texts});
        // The settings page's line says what the firmware page shows.
        EXPECT_EQ("texts:" + rig.identity.escModelName() + "|" + rig.identity.escFirmware(),
                  c.texts);
        // The firmware page is told only of an identity it can show.
        EXPECT_EQ(rig.window.log.has("infoShown:esc"), c.family != EscFamily::Unlisted);
    }
}

TEST(Poll, QuietPollOfConnectedEscSendsOneProbeAndChangesNothing) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    for (int i = 0; i < 3; ++i) rig.monitor.onPollTimer();
    EXPECT_EQ(rig.received(), (Bytes{0xD5, 0xD5, 0xD5}));
    EXPECT_TRUE(rig.window.log.all().empty());
    EXPECT_EQ(rig.link.escState(), EscState::Identified);

    // A stray answer is purged; the identified ESC stays identified.
    sim::Faults stray;
    stray.wrongAnswer = 0x55;
    rig.sim.setFaults(stray);
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
    EXPECT_TRUE(rig.window.log.all().empty());
}

TEST(Poll, EscSwitchedOffClearsLampAndTextsOnceAndIsFoundAgain) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    sim::Faults off;
    off.silent = true;
    rig.sim.setFaults(off);
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.escState(), EscState::NotAnswering);
    EXPECT_EQ(rig.link.portOpen(), 1);
    EXPECT_EQ(rig.window.log.all(), (std::vector<std::string>{"lamps:100", "texts:|"}));
    rig.window.log.clear();
    rig.monitor.onPollTimer();
    EXPECT_TRUE(rig.window.log.all().empty()) << "a still silent ESC changes nothing more";

    rig.sim.setFaults({});
    rig.sim.clearReceived();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
    EXPECT_EQ(rig.received(), (Bytes{0xD5, 0xD7, 0xD8})) << "settings read afresh";
    EXPECT_EQ(rig.window.log.startingWith("lamps:"), std::vector<std::string>{"lamps:110"});
}

TEST(Poll, AdapterPulledClosesPortAndPutsEveryLampOut) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.sim.dropLine();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.portOpen(), 0);
    EXPECT_EQ(rig.link.usbState(), UsbState::NoPort);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_EQ(rig.window.log.all(), std::vector<std::string>{"lamps:000"});
    // Later ticks look for the adapter again and keep everything off.
    rig.window.log.clear();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.link.usbState(), UsbState::NoPort);
    EXPECT_EQ(rig.state.cardState, CardState::NotProbed);
    EXPECT_EQ(rig.window.log.all(), std::vector<std::string>{"lamps:000"});
}

TEST(Poll, SettingsBlockWithoutEndMarkerIsAskedForSixTimesAndTextsStillFilled) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    sim::SettingsBlock broken = sim::defaultSettingsBlock();
    broken[22] = 0x00;
    rig.sim.setSettings(broken);
    rig.plugIn();
    rig.monitor.onDeviceEsc();
    rig.window.log.clear();
    rig.monitor.onPollTimer();
    EXPECT_EQ(countOf(rig.received(), 0xD8), 6);
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
    EXPECT_TRUE(rig.window.log.has("texts:ORVEK ARC|Expert V1.30"));
    EXPECT_EQ(rig.lists.lastReadBlock, SettingsValues{}) << "nothing taken from a broken block";
    EXPECT_EQ(rig.lists.byKey(key::OperationMode).selection(), OptionList::kNoSelection);
    // Not read again while the ESC stays identified.
    rig.sim.clearReceived();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.received(), Bytes{0xD5});
}

TEST(Poll, ProgramCardModeIdentifiesTheCardFromItsProbe) {
    sim::SimOptions options = deviceOptions(Peer::CardApplication);
    options.identity.cardVersionCode = 2;
    MonitorRig rig(options);
    ASSERT_TRUE(rig.ok);
    rig.plugIn();
    rig.monitor.onDeviceProgramCard();
    rig.window.log.clear();

    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.state.cardState, CardState::Identified);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_EQ(rig.received(), (Bytes{0xD4, 0xD7}));
    EXPECT_EQ(rig.identity.cardFirmware(), "ORVEK QLX V1.20");
    EXPECT_EQ(rig.identity.cardModelName(), "ORVEK PROGRAM CARD");
    EXPECT_EQ(rig.window.log.all(), (std::vector<std::string>{"infoShown:card", "lamps:101"}));

    rig.window.log.clear();
    rig.sim.clearReceived();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.received(), Bytes{0xD4});
    EXPECT_TRUE(rig.window.log.all().empty());

    // A first byte outside 0xD0..0xDF is no card.
    sim::Faults other;
    other.wrongAnswer = 0xE0;
    rig.sim.setFaults(other);
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.state.cardState, CardState::NotAnswering);
    EXPECT_EQ(rig.window.log.all(), std::vector<std::string>{"lamps:100"});

    // Silent: state 1 without a second refresh.
    sim::Faults silent;
    silent.silent = true;
    rig.sim.setFaults(silent);
    rig.window.log.clear();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.state.cardState, CardState::NotAnswering);
    EXPECT_TRUE(rig.window.log.all().empty());
}

TEST(Poll, FixModeSendsOnlyBootHelloAndChangesNoState) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.plugIn();
    rig.monitor.onDeviceFixMode();
    rig.window.log.clear();
    for (int i = 0; i < 3; ++i) rig.monitor.onPollTimer();
    EXPECT_EQ(rig.received(), (Bytes{0xD6, 0xD6, 0xD6}));
    EXPECT_EQ(rig.sim.peer(), Peer::EscBootloader);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
    EXPECT_EQ(rig.state.cardState, CardState::NotProbed);
    EXPECT_EQ(rig.link.usbState(), UsbState::PortOpen);
    EXPECT_TRUE(rig.window.log.all().empty());
}

}  // namespace
}  // namespace orvek
