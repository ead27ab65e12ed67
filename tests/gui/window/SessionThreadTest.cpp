// The window while its device session works: a settings write on the wire never holds the
// window's thread, what the racer does meanwhile is served after the write in the order given,
// a close waits for the commit, and every session call reaches the window on its own thread.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

#include "gui/controls/CxSkinButton.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/pages/settings/EscSetupControls.h"
#include "gui/window/WindowResources.h"
#include "settings/ParamTable.h"
#include "settings/SettingsBlockLayout.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::waitUntil;
using testing::WindowRig;

constexpr std::uint8_t kCommit = 0xDF;
constexpr std::uint8_t kEscProbe = 0xD5;

int otherOption(const OptionList& list) { return list.selection() == 0 ? 1 : 0; }

// Starts a settings write and returns once its first pair is on the wire, the write still going.
bool startWrite(WindowRig& rig) {
    rig.win().session().requestWrite();
    rig.win().session().tick();
    return waitUntil([&] { return rig.sim.pairsStored() >= 1 || rig.status().writing; }, 5000) &&
           rig.sim.commits() == 0;
}

// Bytes received after the last commit.
std::vector<std::uint8_t> receivedAfterCommit(const sim::Simulator& sim) {
    const auto bytes = sim.received();
    auto last = std::find_if(bytes.rbegin(), bytes.rend(),
                             [](const sim::ReceivedByte& b) { return b.value == kCommit; });
    std::vector<std::uint8_t> after;
    for (auto it = last.base(); it != bytes.end(); ++it) after.push_back(it->value);
    return after;
}

TEST(SessionThread, MenusAndPagesAnswerWhileAWriteIsOnTheWire) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    ASSERT_TRUE(startWrite(rig));

    // A menu opens on a press and a page button switches the page, both mid-write.
    QMenuBar& bar = w.menuBar();
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier,
                      bar.actionGeometry(bar.actions().front()).center());
    QCoreApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "the File menu opened";
    popup->close();
    CxSkinButton& escSetup = w.pageButton(windowControl::EscSetupButton);
    QTest::mouseClick(&escSetup, Qt::LeftButton, Qt::NoModifier, escSetup.rect().center());
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::EscSetup);
    EXPECT_EQ(rig.sim.commits(), 0) << "all of it happened while the write was on the wire";
    EXPECT_LT(rig.sim.pairsStored(), 22);

    ASSERT_TRUE(waitUntil([&] { return rig.sim.commits() == 1 && !rig.status().writing; }));
    rig.settle();
    EXPECT_EQ(w.progressDisplay().text(), "100% ");
    EXPECT_EQ(w.callsOffThread(), 0);
}

TEST(SessionThread, InputsDuringAWriteAreServedAfterItInOrderAndLeaveItUnchanged) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    const sim::SettingsBlock before = rig.sim.settings();
    const OptionList& drag = w.settingsPage().lists().byKey(key::DragBrake);
    const int dragPicked = otherOption(drag);
    ASSERT_TRUE(startWrite(rig));

    // Mid-write: a pick, a second SEND SETTING, then DEFAULT SETTING.
    w.session().selectOption(key::DragBrake, dragPicked);
    w.session().requestWrite();
    w.session().requestDefaults();
    ASSERT_TRUE(waitUntil([&] { return rig.sim.commits() == 1; }));
    EXPECT_EQ(rig.sim.settings(), before) << "the write on the wire kept the lists it started with";
    rig.settle();
    EXPECT_EQ(drag.selection(), dragPicked) << "the pick was served after the write";
    EXPECT_TRUE(rig.status().writeRequested);
    EXPECT_TRUE(rig.status().defaultsRequested);

    // The next tick serves them in the tick's order: defaults into the lists, then the write.
    rig.tick();
    EXPECT_EQ(rig.sim.commits(), 2);
    EXPECT_FALSE(rig.status().writeRequested);
    EXPECT_FALSE(rig.status().defaultsRequested);
    EXPECT_NE(drag.selection(), dragPicked) << "the defaults came after the pick";
    EXPECT_EQ(w.callsOffThread(), 0);
}

TEST(SessionThread, EscSwitchedOffDuringAWriteSendsNoProbeAfterTheCommit) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    rig.connectEsc();
    ASSERT_TRUE(startWrite(rig));
    w.menuAction(deviceCommand::Esc)->trigger();  // Esc is checked: this switches it off
    ASSERT_TRUE(waitUntil([&] { return rig.sim.commits() == 1; }));
    rig.settle();
    EXPECT_NE(rig.status().mode, DeviceMode::Esc);
    EXPECT_FALSE(w.menuAction(deviceCommand::Esc)->isChecked());
    EXPECT_TRUE(testing::showsPicture(w.lamp(windowControl::EscLamp), SkinId::LampOff));
    rig.tick();
    rig.tick();
    const auto after = receivedAfterCommit(rig.sim);
    EXPECT_EQ(std::count(after.begin(), after.end(), kEscProbe), 0) << "no probe after the commit";
}

TEST(SessionThread, ClosingDuringAWriteWaitsForTheCommitThenCloses) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    w.ShowPage(CTarnwick11Dlg::Page::EscSetup);
    ASSERT_TRUE(startWrite(rig));
    ASSERT_TRUE(waitUntil([&] { return rig.status().writing; }));

    EXPECT_FALSE(w.close()) << "the write on the wire ends first";
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.closeWaitsForWrite());
    EXPECT_EQ(w.progressDisplay().text(), QString::fromUtf8(escSetupText::ClosingAfterWrite));

    ASSERT_TRUE(waitUntil([&] { return !w.isVisible(); }));
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_EQ(rig.sim.pairsStored(), 22) << "every pair, then the commit";
    EXPECT_TRUE(rig.messages.shown.empty()) << "nothing left unsent: no question";
}

TEST(SessionThread, AFailedPairHoldsThePollUntilItsBoxIsDismissed) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    rig.options.timers = true;  // the poll runs on its own, as in the program
    CTarnwick11Dlg& w = rig.win();
    rig.connectEsc();
    sim::Faults nak;
    nak.nakPairIndex = 2;
    rig.sim.setFaults(nak);
    // The box stays up for a while: no probe may leave meanwhile.
    std::vector<std::size_t> receivedWhileUp;
    rig.messages.onShow = [&] {
        const std::size_t atShow = rig.sim.received().size();
        QTest::qWait(800);  // longer than a poll period
        receivedWhileUp.push_back(rig.sim.received().size() - atShow);
    };
    w.session().requestWrite();
    rig.tick();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, "Send fail");
    ASSERT_EQ(receivedWhileUp.size(), 1u);
    EXPECT_EQ(receivedWhileUp[0], 0u) << "nothing went on the wire while the box was up";
    EXPECT_TRUE(rig.status().pollTimerActive) << "the poll restarts after OK";
    EXPECT_TRUE(rig.status().writeRequested);
}

// Times (simulator clock) at which `value` arrived.
std::vector<double> arrivals(const sim::Simulator& sim, std::uint8_t value) {
    std::vector<double> times;
    for (const auto& b : sim.received())
        if (b.value == value) times.push_back(b.atMs);
    return times;
}

TEST(SessionThread, TheWireKeepsItsGapsWithThePollOnItsOwnThread) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    rig.options.timers = true;  // the poll runs on its own, as in the program
    CTarnwick11Dlg& w = rig.win();
    ASSERT_TRUE(waitUntil([&] { return rig.status().usbState == UsbState::PortOpen; }));
    w.menuAction(deviceCommand::Esc)->trigger();
    ASSERT_TRUE(waitUntil([&] { return rig.status().escState == EscState::Identified; }));
    // Five quiet ticks after the identification.
    const auto ticks = rig.status().ticks;
    ASSERT_TRUE(waitUntil([&] { return rig.status().ticks >= ticks + 5; }));

    const auto reads = arrivals(rig.sim, 0xD8);
    const auto probes = arrivals(rig.sim, kEscProbe);
    ASSERT_EQ(reads.size(), 1u);
    std::vector<double> after;
    for (double t : probes)
        if (t > reads[0]) after.push_back(t);
    ASSERT_GE(after.size(), 4u);
    // The 150 ms settle, then a full poll period before the first probe after the read.
    EXPECT_GE(after[0] - reads[0], 640.0);
    for (std::size_t i = 1; i < after.size(); ++i)
        EXPECT_GE(after[i] - after[i - 1], 490.0) << "probe " << i;

    // A write: the 22 pairs back to back up to the commit, nothing between them, 100 ms after
    // each acknowledged pair.
    rig.sim.clearReceived();
    w.session().requestWrite();
    ASSERT_TRUE(waitUntil([&] { return rig.sim.commits() == 1; }));
    const auto received = rig.sim.received();
    const auto commit = std::find_if(received.begin(), received.end(),
                                     [](const sim::ReceivedByte& b) { return b.value == kCommit; });
    ASSERT_NE(commit, received.end());
    const auto pairBytes = static_cast<std::size_t>(commit - received.begin());
    ASSERT_GE(pairBytes, 44u);
    const std::size_t first = pairBytes - 44;
    for (std::size_t i = 0; i < 22; ++i)
        EXPECT_EQ(received[first + 2 * i].value, kRegisterCodes[i]) << "pair " << i;
    for (std::size_t i = 1; i < 22; ++i) {
        EXPECT_GE(received[first + 2 * i].atMs - received[first + 2 * (i - 1)].atMs, 100.0)
            << "pair " << i;
    }
    EXPECT_EQ(w.callsOffThread(), 0);
}

}  // namespace
}  // namespace orvek
