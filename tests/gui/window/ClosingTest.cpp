// Closing the main window: never by Enter or Escape, and on no path at all while a firmware
// update is requested or running, when presses on the window and its menu bar are ignored too.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "gui/window/WindowResources.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

bool menuOpensOnPress(CTarnwick11Dlg& w) {
    QMenuBar& bar = w.menuBar();
    const QRect file = bar.actionGeometry(bar.actions().front());
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, file.center());
    QCoreApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    if (popup) {
        popup->close();
        QCoreApplication::processEvents();
    }
    return popup != nullptr;
}

TEST(Closing, EnterAndEscapeNeverEndTheWindowButCloseDoes) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Enter);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(Closing, FileExitEndsTheWindow) {
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    w.menuAction(menuCommand::Exit)->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST(Closing, DuringAnUpdateEveryCloseIsRefusedAndPressesOnTheWindowAreIgnored) {
    for (bool card : {false, true}) {
        WindowRig rig;
        CTarnwick11Dlg& w = rig.win();
        w.show();
        ASSERT_TRUE(menuOpensOnPress(w)) << "the menu bar opens on a press outside an update";
        // The session tells that an update has been requested.
        SessionStatus locked = w.status();
        (card ? locked.cardUpdateRequested : locked.escUpdateRequested) = true;
        w.statusChanged(locked);

        EXPECT_FALSE(w.close()) << "close button and Alt+F4 arrive as a close";
        w.menuAction(menuCommand::Exit)->trigger();
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::keyClick(&w, Qt::Key_F4, Qt::AltModifier);
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(menuOpensOnPress(w));

        SessionStatus ended = w.status();
        (card ? ended.cardUpdateRequested : ended.escUpdateRequested) = false;
        w.statusChanged(ended);
        EXPECT_TRUE(menuOpensOnPress(w));
        EXPECT_TRUE(w.close());
    }
}

}  // namespace
}  // namespace orvek
