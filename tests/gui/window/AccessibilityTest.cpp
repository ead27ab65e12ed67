// What assistive technology reads of the window, through Qt's own accessibility interfaces, and
// the page keys: every lamp is named and tells its state, the prompt reads what it asks, the page
// buttons are named buttons, and Alt+1..3 do what a click on an enabled page button does.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>

#include "gui/controls/CxSkinButton.h"
#include "gui/window/WindowResources.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

QString read(QObject* object, QAccessible::Text what) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(what) : QString();
}

TEST(Accessibility, LampsAreNamedAndTellTheirStateBeforeAndAfterIdentification) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    const int lamps[] = {windowControl::UsbLamp, windowControl::EscLamp, windowControl::CardLamp};
    const char* names[] = {"USB connected", "ESC connected", "Program card connected"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(read(&w.lamp(lamps[i]), QAccessible::Name), QString::fromUtf8(names[i]));
        EXPECT_EQ(read(&w.lamp(lamps[i]), QAccessible::Description), QStringLiteral("no"));
    }
    EXPECT_EQ(read(&w.devicePrompt(), QAccessible::Name),
              QStringLiteral("Select a device: Device menu, Esc or Program Card"));

    rig.connectEsc();
    EXPECT_EQ(read(&w.lamp(windowControl::UsbLamp), QAccessible::Description),
              QStringLiteral("yes"));
    EXPECT_EQ(read(&w.lamp(windowControl::EscLamp), QAccessible::Description),
              QStringLiteral("yes"));
    EXPECT_EQ(read(&w.lamp(windowControl::CardLamp), QAccessible::Description),
              QStringLiteral("no"));
    w.onPromptTimer();
    EXPECT_TRUE(read(&w.devicePrompt(), QAccessible::Name).isEmpty()) << "it no longer asks";
}

TEST(Accessibility, PageButtonsAreNamedButtonsAndAltKeysClickTheEnabledOnes) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    const struct {
        int id;
        const char* name;
    } buttons[] = {{windowControl::UserSupportButton, "USER SUPPORT"},
                   {windowControl::EscSetupButton, "ESC SETUP"},
                   {windowControl::FirmwareButton, "FIRMWARE"}};
    for (const auto& b : buttons) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&w.pageButton(b.id));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(b.name));
        EXPECT_EQ(face->role(), QAccessible::Button);
    }
    // ESC SETUP is disabled until a device mode is chosen: Alt+2 does nothing.
    QTest::keyClick(&w, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::UserSupport);
    rig.choose(deviceCommand::Esc);
    QTest::keyClick(&w, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::EscSetup);
    QTest::keyClick(&w, Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::Firmware);
    EXPECT_TRUE(w.pageButton(windowControl::FirmwareButton).latched);
    QTest::keyClick(&w, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::UserSupport);
}

}  // namespace
}  // namespace orvek
