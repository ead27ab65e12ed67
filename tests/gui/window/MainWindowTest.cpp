// The main window as it starts, its left column, page switching and the Device menu, driven
// through real widgets and the menu's own actions.
#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include "gui/app/CTarnwick11App.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/links/CUserDlg.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/window/CAboutDlg.h"
#include "gui/window/WindowResources.h"
#include "support/WindowRig.h"
#include "update/UpdateHost.h"

namespace orvek {
namespace {

using testing::showsPicture;
using testing::WindowRig;

QWidget* control(QWidget& window, int id) {
    return window.findChild<QWidget*>(QString::number(id));
}

TEST(MainWindow, StartsOnTheLinksPageWithTwoButtonsDisabledLampsOffAndThePromptBlinking) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    EXPECT_EQ(w.windowTitle(), "Tarnwick Racing ORVEK USB Link V1.3");
    EXPECT_EQ(w.size(), QSize(1250, 650));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "not resizable";
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::UserSupport);
    EXPECT_FALSE(w.linksPage().isHidden());
    EXPECT_TRUE(w.settingsPage().isHidden());
    EXPECT_TRUE(w.firmwarePage().isHidden());
    EXPECT_TRUE(w.pageButton(windowControl::UserSupportButton).latched);
    EXPECT_FALSE(w.pageButton(windowControl::EscSetupButton).latched);
    EXPECT_TRUE(w.pageButton(windowControl::UserSupportButton).isEnabled());
    EXPECT_FALSE(w.pageButton(windowControl::EscSetupButton).isEnabled());
    EXPECT_FALSE(w.pageButton(windowControl::FirmwareButton).isEnabled());
    EXPECT_FALSE(w.progressDisplay().isVisibleTo(&w)) << "it shows with ESC SETUP only";
    EXPECT_EQ(w.progressDisplay().text(), "0%");
    for (int lamp : {windowControl::UsbLamp, windowControl::EscLamp, windowControl::CardLamp}) {
        EXPECT_TRUE(showsPicture(w.lamp(lamp), SkinId::LampOff)) << lamp;
    }
    // Both timers run from the start: the session's poll, the window's 200 ms prompt.
    WindowOptions timed = rig.options;
    timed.timers = true;
    CTarnwick11Dlg fresh(timed);
    ASSERT_TRUE(driving::pumpUntil([&] { return fresh.status().pollTimerActive; }));
    EXPECT_TRUE(fresh.promptTimer().isActive());
    EXPECT_EQ(fresh.promptTimer().interval(), 200);
    fresh.promptTimer().stop();
    // The prompt alternates its two pictures on the prompt timer.
    std::vector<bool> orange;
    for (int i = 0; i < 3; ++i) {
        fresh.onPromptTimer();
        orange.push_back(showsPicture(fresh.devicePrompt(), SkinId::PromptOrange));
        EXPECT_NE(orange.back(), showsPicture(fresh.devicePrompt(), SkinId::PromptWhite));
    }
    EXPECT_EQ(orange, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(rig.messages.shown.empty()) << "no message box at start-up";
}

TEST(MainWindow, LeftColumnAndFrameLieExactlyAsLaidOut) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    const struct {
        int id;
        QRect place;
    } places[] = {
        {1059, {5, 75, 200, 5}},    {1001, {30, 78, 200, 25}},  {1060, {5, 110, 200, 5}},
        {1002, {30, 113, 200, 25}}, {1061, {5, 145, 200, 5}},   {1003, {30, 148, 200, 25}},
        {1062, {5, 280, 200, 5}},   {1004, {30, 290, 200, 50}}, {1063, {5, 340, 200, 5}},
        {1064, {20, 360, 200, 12}}, {1065, {60, 390, 150, 70}}, {1005, {30, 380, 20, 20}},
        {1006, {30, 410, 20, 20}},  {1007, {30, 440, 20, 20}},  {1066, {30, 480, 160, 80}},
        {1029, {250, 0, 985, 560}},
    };
    for (const auto& p : places) {
        QWidget* c = control(w, p.id);
        ASSERT_NE(c, nullptr) << p.id;
        EXPECT_EQ(c->geometry(), p.place) << p.id;
    }
    // The settings page's progress display lies where the left column's layout puts it.
    QWidget* client = w.pageFrame().parentWidget();
    EXPECT_EQ(QRect(w.progressDisplay().mapTo(client, QPoint(0, 0)), w.progressDisplay().size()),
              QRect(710, 495, 80, 30));
    // The pages fill the frame with their top 10 pixels above it.
    EXPECT_EQ(w.linksPage().geometry(), QRect(0, -10, 985, 570));
    EXPECT_EQ(w.settingsPage().geometry(), w.linksPage().geometry());
    EXPECT_EQ(w.firmwarePage().geometry(), w.linksPage().geometry());
    // Everything of the window's own is below the menu bar, on black.
    EXPECT_GE(w.pageFrame().mapTo(&w, QPoint(0, 0)).y(), w.menuBar().geometry().bottom());
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(control(w, 1008)->isHidden());
    EXPECT_TRUE(control(w, 1009)->isHidden());
}

TEST(MainWindow, PageButtonsShowTheirPageLatchTheirButtonAndBringBackTheReadyPicture) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.choose(deviceCommand::Esc);  // enables both buttons
    ASSERT_TRUE(w.pageButton(windowControl::EscSetupButton).isEnabled());

    auto click = [&](int id) {
        CxSkinButton& b = w.pageButton(id);
        QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier, b.rect().center());
    };
    click(windowControl::EscSetupButton);
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::EscSetup);
    EXPECT_TRUE(w.settingsPage().isVisible());
    EXPECT_FALSE(w.linksPage().isVisible());
    EXPECT_TRUE(w.progressDisplay().isVisible()) << "the progress display belongs to ESC SETUP";
    EXPECT_TRUE(w.pageButton(windowControl::EscSetupButton).latched);
    EXPECT_FALSE(w.pageButton(windowControl::UserSupportButton).latched);

    // FIRMWARE while no update runs: both status pictures back to Ready.
    w.firmwarePage().setStatusPicture(FirmwareTarget::Esc, SkinId::StatusFinished);
    w.firmwarePage().setStatusPicture(FirmwareTarget::ProgramCard, SkinId::StatusFailed);
    click(windowControl::FirmwareButton);
    EXPECT_TRUE(w.firmwarePage().isVisible());
    EXPECT_FALSE(w.settingsPage().isVisible());
    EXPECT_FALSE(w.progressDisplay().isVisible());
    EXPECT_TRUE(w.pageButton(windowControl::FirmwareButton).latched);
    EXPECT_FALSE(w.pageButton(windowControl::EscSetupButton).latched);
    EXPECT_EQ(w.firmwarePage().statusPicture(FirmwareTarget::Esc), SkinId::StatusReady);
    EXPECT_EQ(w.firmwarePage().statusPicture(FirmwareTarget::ProgramCard), SkinId::StatusReady);

    // While an update runs the worker's pictures stay.
    w.firmwarePage().setStatusPicture(FirmwareTarget::Esc, SkinId::StatusFinished);
    SessionStatus updating = w.status();
    updating.updateIdle = false;
    w.statusChanged(updating);
    click(windowControl::UserSupportButton);
    EXPECT_TRUE(w.linksPage().isVisible());
    click(windowControl::FirmwareButton);
    EXPECT_EQ(w.firmwarePage().statusPicture(FirmwareTarget::Esc), SkinId::StatusFinished);
}

TEST(MainWindow, DeviceMenuChecksEndAsTheModesAreWhateverTheItemToggled) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    QAction* esc = w.menuAction(deviceCommand::Esc);
    QAction* card = w.menuAction(deviceCommand::ProgramCard);
    QAction* fix = w.menuAction(deviceCommand::FixMode);
    auto checks = [&] {
        return std::vector<bool>{esc->isChecked(), card->isChecked(), fix->isChecked()};
    };

    esc->trigger();
    rig.settle();
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(w.status().mode, DeviceMode::Esc);
    EXPECT_TRUE(w.pageButton(windowControl::EscSetupButton).isEnabled());
    EXPECT_TRUE(w.pageButton(windowControl::FirmwareButton).isEnabled());

    w.ShowPage(CTarnwick11Dlg::Page::Firmware);
    card->trigger();
    rig.settle();
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::UserSupport)
        << "a mode switched on shows USER SUPPORT";
    EXPECT_FALSE(w.pageButton(windowControl::EscSetupButton).isEnabled());

    card->trigger();  // off again: no item checked, the FIRMWARE button stays enabled
    rig.settle();
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(w.pageButton(windowControl::FirmwareButton).isEnabled());

    fix->trigger();
    rig.settle();
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(w.status().mode, DeviceMode::Fix);

    // During an update a mode change is refused and the check that Qt toggled goes back.
    SessionStatus locked = w.status();
    locked.escUpdateRequested = true;
    w.statusChanged(locked);
    esc->trigger();
    rig.settle();
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true}));
    EXPECT_NE(w.status().mode, DeviceMode::Esc);
}

TEST(MainWindow, MenuHasTheFileDeviceAndHelpItems) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    QStringList titles;
    for (QAction* menu : w.menuBar().actions()) titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Device", "&Help"}));
    for (int id : {menuCommand::ImportSettings, menuCommand::ExportSettings, menuCommand::Exit,
                   menuCommand::About}) {
        ASSERT_NE(w.menuAction(id), nullptr) << id;
        EXPECT_FALSE(w.menuAction(id)->isCheckable()) << id;
    }
    for (int id : {deviceCommand::Esc, deviceCommand::ProgramCard, deviceCommand::FixMode}) {
        ASSERT_NE(w.menuAction(id), nullptr) << id;
        EXPECT_TRUE(w.menuAction(id)->isCheckable()) << id;
        EXPECT_FALSE(w.menuAction(id)->isChecked()) << id;
    }
}

TEST(AboutBox, ShowsTheProgramNameAndClosesWithOk) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Tarnwick Racing ORVEK USB Link V1.1");
    auto* text = about.findChild<QLabel*>("aboutText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Tarnwick Racing ORVEK USB Link V1.3");
    // Help > About opens it modally; OK ends it.
    WindowRig rig;
    bool seen = false;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        seen = box != nullptr;
        if (box) QTest::keyClick(box, Qt::Key_Return);
    });
    rig.win().menuAction(menuCommand::About)->trigger();
    EXPECT_TRUE(seen);
}

TEST(Application, IsNamedAfterItsExecutableWithoutExtension) {
    EXPECT_EQ(CTarnwick11App::nameFor("/usr/bin/orvek-link"), "orvek-link");
    EXPECT_EQ(CTarnwick11App::nameFor("C:/Tools/Tarnwick1.1.exe"), "Tarnwick1.1");
    EXPECT_EQ(CTarnwick11App::nameFor("./orvek-link"), "orvek-link");
}

TEST(MessageBoxes, CarryTheApplicationNameOkOnlyAndTheStopIconOrNone) {
    QtMessageBoxes boxes;
    struct Seen {
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };
    auto look = [](Seen& seen) {
        QTimer::singleShot(30, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->accept();
        });
    };
    Seen stop, plain;
    look(stop);
    boxes.show("USB Connection Error!", MessageIcon::Stop);
    look(plain);
    boxes.show("Send fail", MessageIcon::None);
    EXPECT_EQ(stop.caption, QCoreApplication::applicationName());
    EXPECT_EQ(stop.text, "USB Connection Error!");
    EXPECT_EQ(stop.icon, QMessageBox::Critical);
    EXPECT_EQ(stop.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(plain.text, "Send fail");
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    EXPECT_EQ(plain.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // A question defaults to No: Enter answers No.
    QTimer::singleShot(30, [] {
        if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(boxes.ask("Close?", false));
}

}  // namespace
}  // namespace orvek
