// The connection monitor running inside the window: ticks that identify the simulated ESC and
// light the lamps, a settings write painted as it goes, the connection-error boxes, and firmware
// updates whose worker reaches the window through its own thread.
#include <QLabel>

#include "gui/controls/CxSkinButton.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/firmware/FirmwarePageControls.h"
#include "gui/pages/firmware/IdentityField.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/pages/settings/EscSetupControls.h"
#include "gui/window/WindowResources.h"
#include "settings/SettingsBlock.h"
#include "support/TestImages.h"
#include "support/WindowRig.h"
#include "update/UpdateHost.h"

namespace orvek {
namespace {

using testing::showsPicture;
using testing::waitUntil;
using testing::WindowRig;

// Records the text the progress display shows each time it is painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(CxSkinButton& button) : button_(button) {
        button.installEventFilter(this);
    }
    std::vector<std::string> texts;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) texts.push_back(button_.text().toStdString());
        return false;
    }

private:
    CxSkinButton& button_;
};

TEST(MonitorInWindow, TicksOpenThePortThenIdentifyTheEscAndLightItsLamp) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    rig.tick();
    EXPECT_TRUE(showsPicture(w.lamp(windowControl::UsbLamp), SkinId::LampOn));
    EXPECT_TRUE(showsPicture(w.lamp(windowControl::EscLamp), SkinId::LampOff));
    EXPECT_TRUE(rig.sim.received().empty()) << "the tick that opens the port sends nothing";

    rig.choose(deviceCommand::Esc);
    rig.tick();
    EXPECT_EQ(w.status().escState, EscState::Identified);
    EXPECT_TRUE(showsPicture(w.lamp(windowControl::UsbLamp), SkinId::LampOn));
    EXPECT_TRUE(showsPicture(w.lamp(windowControl::EscLamp), SkinId::LampOn));
    EXPECT_TRUE(showsPicture(w.lamp(windowControl::CardLamp), SkinId::LampOff));
    EXPECT_EQ(w.settingsPage().lists().family, EscFamily::Expert);
    EXPECT_GT(w.settingsPage().lists().byKey(key::PowerProfile).count(), 0);
    EXPECT_TRUE(w.status().pollTimerActive) << "the settings read starts the poll timer again";
    // The firmware texts on both pages, the firmware page's through the identity notification.
    auto* firmwareText =
        qobject_cast<QLabel*>(w.settingsPage().control(escSetupControl::FirmwareText));
    ASSERT_NE(firmwareText, nullptr);
    EXPECT_EQ(firmwareText->text(), "Expert V1.30");
    auto* nowFirmware =
        dynamic_cast<IdentityField*>(w.firmwarePage().control(firmwareControl::EscFirmware));
    ASSERT_NE(nowFirmware, nullptr);
    EXPECT_EQ(nowFirmware->text(), "Expert V1.30");

    // The ESC goes quiet: its lamp goes out at the next tick.
    sim::Faults silent;
    silent.silent = true;
    rig.sim.setFaults(silent);
    rig.tick();
    EXPECT_TRUE(showsPicture(w.lamp(windowControl::EscLamp), SkinId::LampOff));
    EXPECT_TRUE(rig.messages.shown.empty()) << "the monitor reports by lamps only";
}

TEST(MonitorInWindow, SettingsWritePaintsEveryPercentageAndChangesTheEsc) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    w.ShowPage(CTarnwick11Dlg::Page::EscSetup);
    QCoreApplication::processEvents();

    const OptionList& drag = w.settingsPage().lists().byKey(key::DragBrake);
    const int other = drag.selection() == 0 ? 1 : 0;
    w.session().selectOption(key::DragBrake, other);
    rig.settle();
    ASSERT_EQ(drag.selection(), other);

    PaintedTexts painted(w.progressDisplay());
    w.session().requestWrite();
    rig.tick();
    // Painted pair by pair as the session told each, ending on "100% ".
    const std::vector<std::string> expected = {
        "0% ",  "4% ",  "9% ",  "14% ", "19% ", "23% ", "28% ", "33% ", "38% ", "42% ", "47% ",
        "52% ", "57% ", "61% ", "66% ", "71% ", "76% ", "80% ", "85% ", "90% ", "95% ", "100% "};
    EXPECT_EQ(painted.texts, expected);
    EXPECT_EQ(w.progressDisplay().text(), "100% ");
    EXPECT_FALSE(w.status().writeRequested);
    EXPECT_EQ(rig.sim.commits(), 1);
    // The ESC holds what the page's lists showed, the changed drag brake included.
    const WriteImage& image = w.settingsPage().lists().writeImage;
    EXPECT_FALSE(w.settingsPage().hasUnsentChanges());
    const sim::SettingsBlock held = rig.sim.settings();
    for (std::size_t i = 0; i < image.size(); ++i)
        EXPECT_EQ(held[i], image[i].value) << "byte " << i;
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(MonitorInWindow, RequestsWithoutAdapterOrEscAreRefusedWithStopBoxes) {
    {
        WindowRig rig({}, false);  // no adapter anywhere
        CTarnwick11Dlg& w = rig.win();
        rig.tick();
        EXPECT_TRUE(showsPicture(w.lamp(windowControl::UsbLamp), SkinId::LampOff));
        w.session().requestWrite();
        rig.tick();
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text, "USB Connection Error!");
        EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::Stop);
        EXPECT_FALSE(w.status().writeRequested);
    }
    {
        WindowRig rig;  // adapter, but no ESC chosen
        ASSERT_TRUE(rig.ok);
        CTarnwick11Dlg& w = rig.win();
        rig.tick();
        w.session().requestDefaults();
        w.session().requestWrite();
        rig.tick();
        ASSERT_EQ(rig.messages.shown.size(), 2u);
        EXPECT_EQ(rig.messages.shown[0].text, "ESC Connection Error!");
        EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::Stop);
        EXPECT_EQ(rig.messages.shown[1].text, "ESC Connection Error!");
        EXPECT_EQ(rig.sim.pairsStored(), 0);
    }
    {
        WindowRig rig;  // an ESC that refuses a pair
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        sim::Faults nak;
        nak.nakPairIndex = 3;
        rig.sim.setFaults(nak);
        rig.win().session().requestWrite();
        rig.tick();
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text, "Send fail");
        EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::None);
        EXPECT_TRUE(rig.status().writeRequested) << "written again at the next tick";
    }
}

TEST(MonitorInWindow, TickStartsAnUpdateWhoseWorkerDrivesTheFirmwarePageThroughTheWindowThread) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    rig.connectEsc();
    std::filesystem::create_directories(rig.program.path() / "Firmware");
    const auto image = testing::writeKfwImage("window-update", 40, rig.program.path() / "Firmware");
    w.session().requestUpdate(FirmwareTarget::Esc, image);
    rig.settle();
    EXPECT_TRUE(w.updateLocked());

    rig.tick();
    ASSERT_TRUE(waitUntil([&] { return !w.status().updateLocked(); }));
    EXPECT_EQ(rig.sim.records().size(), 41u);
    EXPECT_EQ(w.firmwarePage().statusPicture(FirmwareTarget::Esc), SkinId::StatusFinished);
    EXPECT_TRUE(w.status().updateIdle);
    EXPECT_TRUE(w.status().pollTimerActive) << "the worker starts the poll again";
    EXPECT_FALSE(w.updateLocked());
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(MonitorInWindow, DestroyingTheWindowLetsAWorkerWaitingOnItsThreadFinish) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    rig.connectEsc();
    const auto image = testing::writeKfwImage("window-teardown", 60, rig.program.path());
    w.session().requestUpdate(FirmwareTarget::Esc, image);
    rig.tick();
    ASSERT_TRUE(w.status().updateRunning);
    // The worker's display calls wait on this thread, which runs no events from here on.
    rig.window.reset();
    EXPECT_EQ(rig.sim.records().size(), 61u) << "the upload ran to its end";
    EXPECT_EQ(rig.sim.imagesCompleted(), 1);
}

}  // namespace
}  // namespace orvek
