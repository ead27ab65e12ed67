// The device session on its own thread against the simulated ESC, with no window: what it tells
// the views when an ESC is identified, written, goes silent or its cable is pulled.
#include <gtest/gtest.h>

#include "SessionRig.h"
#include "settings/ParamTable.h"
#include "support/SimLink.h"

namespace orvek {
namespace {

using testing::receivedBytes;
using testing::SessionRig;

TEST(DeviceSession, IdentifiesTheEscAndShowsItsSettings) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    ASSERT_TRUE(rig.tick());
    EXPECT_TRUE(rig.views.usb) << "the first tick opens the port";
    EXPECT_EQ(rig.views.status.usbState, UsbState::PortOpen);
    EXPECT_TRUE(receivedBytes(rig.sim).empty()) << "no mode chosen: nothing is asked";

    rig.session->chooseDevice(DeviceMode::Esc);
    ASSERT_TRUE(rig.caughtUp());
    EXPECT_EQ(rig.views.checked, DeviceMode::Esc);
    EXPECT_EQ(rig.views.pagesFor, DeviceMode::Esc);
    EXPECT_EQ(rig.views.status.mode, DeviceMode::Esc);

    ASSERT_TRUE(rig.tick());
    EXPECT_EQ(receivedBytes(rig.sim), (std::vector<std::uint8_t>{0xD5, 0xD7, 0xD8}));
    EXPECT_EQ(rig.views.status.escState, EscState::Identified);
    EXPECT_EQ(rig.views.lit, DeviceMode::Esc);
    EXPECT_EQ(rig.views.model, "ORVEK ARC");
    EXPECT_TRUE(rig.views.settings.escSettingsKnown);
    const sim::SettingsBlock held = rig.sim.settings();
    for (std::size_t i = 0; i < kSettingsValueCount; ++i)
        EXPECT_EQ(rig.views.settings.lastReadBlock[i], held[i]) << "byte " << i;

    // Choosing the mode in force again turns it off, and its lamp goes out.
    rig.session->chooseDevice(DeviceMode::Esc);
    ASSERT_TRUE(rig.caughtUp());
    EXPECT_EQ(rig.views.status.mode, DeviceMode::None);
    EXPECT_EQ(rig.views.checked, DeviceMode::None);
    EXPECT_EQ(rig.views.lit, DeviceMode::None);
    EXPECT_EQ(rig.views.offThread, 0);
}

TEST(DeviceSession, WritesAPickedSettingWithProgressAndTellsTheWriteOnce) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const OptionListState& brake = rig.views.settings.lists[key::DragBrake];
    ASSERT_GT(brake.texts.size(), 1u);
    const int other = (brake.selection + 1) % static_cast<int>(brake.texts.size());
    rig.session->selectOption(key::DragBrake, other);
    rig.session->requestWrite();
    ASSERT_TRUE(rig.caughtUp());
    EXPECT_TRUE(rig.views.status.writeRequested);

    const int before = rig.views.statuses;
    ASSERT_TRUE(rig.tick());
    EXPECT_EQ(rig.sim.pairsStored(), 22);
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_EQ(rig.views.progress.size(), 22u);
    EXPECT_EQ(rig.views.progress.back(), "100% ");
    EXPECT_FALSE(rig.views.status.writing);
    EXPECT_FALSE(rig.views.status.writeRequested);
    // The write's start, the tick's end and the command's end: the write's end rides on the tick.
    EXPECT_EQ(rig.views.statuses - before, 3);
    // The model now knows the ESC holds the pick.
    EXPECT_EQ(rig.views.settings.lists[key::DragBrake].selection, other);
    EXPECT_EQ(rig.views.settings.lastReadBlock[1], rig.sim.settings()[1]);
    EXPECT_TRUE(rig.views.messages.empty());
    EXPECT_EQ(rig.views.offThread, 0);
}

TEST(DeviceSession, ASilentEscPutsItsLampOutAndAWriteIsRefused) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    sim::Faults silent;
    silent.silent = true;
    rig.sim.setFaults(silent);
    ASSERT_TRUE(rig.tick());
    EXPECT_EQ(rig.views.status.escState, EscState::NotAnswering);
    EXPECT_EQ(rig.views.lit, DeviceMode::None);
    EXPECT_TRUE(rig.views.usb) << "the adapter is still there";
    EXPECT_EQ(rig.views.model, "");

    rig.session->requestWrite();
    ASSERT_TRUE(rig.tick());
    EXPECT_EQ(rig.views.messages, std::vector<std::string>{"ESC Connection Error!"});
    EXPECT_EQ(rig.sim.pairsStored(), 0);
    EXPECT_FALSE(rig.views.status.writeRequested);
}

TEST(DeviceSession, APulledCableClosesThePortAndPutsEveryLampOut) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.sim.dropLine();
    ASSERT_TRUE(rig.tick());
    ASSERT_TRUE(rig.tick());
    EXPECT_NE(rig.views.status.usbState, UsbState::PortOpen);
    EXPECT_FALSE(rig.views.usb);
    EXPECT_EQ(rig.views.lit, DeviceMode::None);

    // A write asked for now meets no port.
    rig.session->requestWrite();
    ASSERT_TRUE(rig.tick());
    ASSERT_FALSE(rig.views.messages.empty());
    EXPECT_EQ(rig.views.messages.back(), "USB Connection Error!");
    EXPECT_EQ(rig.views.offThread, 0);
}

}  // namespace
}  // namespace orvek
