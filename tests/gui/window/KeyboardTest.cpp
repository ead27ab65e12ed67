// The window without a mouse: real key events from start-up choose the device through the menu's
// letters, switch pages with Alt+2, change a list with the arrow keys and send it with Space; Tab
// goes through every control of each page once, in the order the README gives, each showing its
// focus outline while it has the focus.
#include <QAccessible>
#include <QApplication>
#include <QMenu>

#include <algorithm>

#include "gui/controls/CBitComboBox.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/controls/KeyArea.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/links/CUserDlg.h"
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

// The window shown, active, and the focus where the window put it.
void showActive(CTarnwick11Dlg& w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

QWidget* focused() { return QApplication::focusWidget(); }

// Presses Tab until `target` has the focus; false after `most` presses.
bool tabTo(QWidget* target, int most = 40) {
    for (int i = 0; i < most && focused() != target; ++i) QTest::keyClick(focused(), Qt::Key_Tab);
    return focused() == target;
}

std::string nameOf(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).toStdString() : std::string();
}

std::string listName(int listId) { return parameterByListId(listId)->keyName; }

TEST(Keyboard, FromStartUpTheDeviceMenuAltTwoArrowKeysAndSpaceSendAChangedSetting) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    showActive(w);
    rig.tick();  // the adapter's port opens

    // Device > Esc through the menu's letters.
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr) << "Alt+D opens the Device menu";
    QTest::keyClick(menu, Qt::Key_E);
    rig.settle();
    // The offscreen platform hands activation to the menu's own window only once its events run,
    // after the menu has closed; a desktop gives it back to the window. Do as the desktop does.
    if (QApplication::activeWindow() != &w) {
        ASSERT_TRUE(qobject_cast<QMenu*>(QApplication::activeWindow()))
            << "only the menu's window may have taken the activation";
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    EXPECT_TRUE(w.menuAction(deviceCommand::Esc)->isChecked());
    rig.tick();
    ASSERT_EQ(rig.status().escState, EscState::Identified);
    const sim::SettingsBlock before = rig.sim.settings();
    rig.sim.clearReceived();

    ASSERT_NE(focused(), nullptr) << "the window has the focus back";
    QTest::keyClick(focused(), Qt::Key_2, Qt::AltModifier);
    ASSERT_EQ(w.shownPage(), CTarnwick11Dlg::Page::EscSetup);

    // The first list of the page, one step down with the arrow key.
    CEscSetupDlg& page = w.settingsPage();
    CBitComboBox* list = page.listBox(kFirstListId);
    ASSERT_TRUE(tabTo(list));
    const int key = parameterByListId(kFirstListId)->keyNumber;
    const int was = page.lists().byKey(key).selection();
    ASSERT_LT(was + 1, list->count());
    QTest::keyClick(list, Qt::Key_Down);
    rig.settle();
    EXPECT_EQ(page.lists().byKey(key).selection(), was + 1);
    EXPECT_TRUE(page.hasUnsentChanges());

    // Enter and Escape on the window never close it, nor send anything.
    QTest::keyClick(list, Qt::Key_Escape);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());

    ASSERT_TRUE(tabTo(&page.sendSettingKeys()));
    QTest::keyClick(focused(), Qt::Key_Space);
    rig.settle();
    EXPECT_TRUE(rig.status().writeRequested);
    rig.tick();
    ASSERT_TRUE(waitUntil([&] { return rig.sim.commits() == 1; }));
    rig.settle();

    // The changed pair reached the ESC before the commit, and only that byte changed.
    const auto byte = static_cast<std::size_t>(
        std::find(kBlockByteKeys.begin(), kBlockByteKeys.end(), key) - kBlockByteKeys.begin());
    ASSERT_LT(byte, kSettingsValueCount);
    const sim::SettingsBlock after = rig.sim.settings();
    EXPECT_NE(after[byte], before[byte]);
    for (std::size_t i = 0; i < kSettingsValueCount; ++i) {
        if (i == byte) continue;
        EXPECT_EQ(after[i], before[i]) << "block byte " << i;
    }
    std::vector<std::uint8_t> sent;
    for (const sim::ReceivedByte& b : rig.sim.received()) sent.push_back(b.value);
    const std::vector<std::uint8_t> pair{kRegisterCodes[byte], after[byte]};
    const auto pairAt = std::search(sent.begin(), sent.end(), pair.begin(), pair.end());
    const auto commitAt = std::find(sent.begin(), sent.end(), kCommit);
    EXPECT_NE(pairAt, sent.end());
    EXPECT_NE(commitAt, sent.end());
    EXPECT_LT(pairAt, commitAt);
    EXPECT_FALSE(page.hasUnsentChanges());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.callsOffThread(), 0);
}

// Tab from the first page button round to it again: the names of the controls in the order
// they had the focus. Each control's grab while it has the focus must differ from its grab once
// the focus has moved on (the outline); `unseen` collects those that do not.
std::vector<std::string> tabRound(CTarnwick11Dlg& w, std::vector<std::string>& unseen) {
    QWidget* first = &w.pageButton(windowControl::UserSupportButton);
    first->setFocus(Qt::TabFocusReason);
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) {
        QWidget* now = focused();
        names.push_back(nameOf(now));
        const QImage withFocus = now->grab().toImage();
        QTest::keyClick(now, Qt::Key_Tab);
        if (now->grab().toImage() == withFocus) unseen.push_back(names.back());
        if (focused() == first) break;
    }
    return names;
}

TEST(Keyboard, TabVisitsEveryControlOfEachPageOnceInReadingOrderWithItsOutline) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    showActive(w);
    rig.connectEsc();
    const std::vector<std::string> buttons{"USER SUPPORT", "ESC SETUP", "FIRMWARE"};
    auto withButtons = [&](std::vector<std::string> page) {
        page.insert(page.begin(), buttons.begin(), buttons.end());
        return page;
    };
    std::vector<std::string> unseen;

    w.ShowPage(CTarnwick11Dlg::Page::UserSupport);
    EXPECT_EQ(tabRound(w, unseen),
              withButtons({"ARC", "BASIS SPEC", "ZETA", "QLX", "ORVEK homepage"}));

    w.ShowPage(CTarnwick11Dlg::Page::EscSetup);
    std::vector<std::string> settings;
    for (int id = 1009; id <= 1020; ++id) settings.push_back(listName(id));
    for (int id : {1021, 1024, 1026, 1023, 1022, 1025}) settings.push_back(listName(id));
    for (const char* name : {"Category", "Setup Sheet", "DEFAULT SETTING", "SEND SETTING"})
        settings.push_back(name);
    EXPECT_EQ(tabRound(w, unseen), withButtons(settings));

    w.ShowPage(CTarnwick11Dlg::Page::Firmware);
    EXPECT_EQ(
        tabRound(w, unseen),
        withButtons({"ESC: Change Firmware", "ESC FIRMWARE SAVE", "Program card: Change Firmware",
                     "PROGRAM CARD FIRMWARE SAVE", "Firmware information"}));
    EXPECT_TRUE(unseen.empty()) << "no outline on " << ::testing::PrintToString(unseen);

    // Shift+Tab goes back the same way.
    w.firmwarePage().startKeys(FirmwareTarget::Esc).setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(nameOf(focused()), "ESC: Change Firmware");
    QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(nameOf(focused()), "FIRMWARE");
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 600));  // back to the mouse's look
}

TEST(Keyboard, KeysActOnlyWhereAClickActs) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    showActive(w);
    rig.connectEsc();

    // A start picture with no image chosen: the same box as the click gives, no request.
    w.ShowPage(CTarnwick11Dlg::Page::Firmware);
    KeyArea& start = w.firmwarePage().startKeys(FirmwareTarget::Esc);
    start.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&start, Qt::Key_Return);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, "Please select ESC Firmware version!");
    rig.settle();
    EXPECT_FALSE(rig.status().escUpdateRequested);

    // A link opens its product's page.
    w.ShowPage(CTarnwick11Dlg::Page::UserSupport);
    KeyArea& qlx = w.linksPage().linkKeys(ProductLink::Qlx);
    qlx.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&qlx, Qt::Key_Space);
    ASSERT_EQ(rig.opener.opened.size(), 1u);
    EXPECT_EQ(rig.opener.opened[0],
              w.linksPage().productLinks()[static_cast<std::size_t>(ProductLink::Qlx)]);

    // While an update is requested the menus' letters and Alt+1..3 do nothing, as the mouse
    // there does nothing; the pages' own keys still act as their clicks do.
    SessionStatus locked = w.status();
    locked.escUpdateRequested = true;
    w.statusChanged(locked);
    QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opens";
    QTest::keyClick(&w, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::UserSupport);
    SessionStatus ended = w.status();
    ended.escUpdateRequested = false;
    w.statusChanged(ended);
    QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr) << "Alt+F opens the File menu again";
    QTest::keyClick(menu, Qt::Key_Escape);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 600));
}

}  // namespace
}  // namespace orvek
