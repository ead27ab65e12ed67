// What assistive technology reads of the window, through Qt's own accessibility interfaces
// offscreen: the whole tree walked on each page with every control that takes the focus or can be
// pressed named, every lamp named with its state, the prompt reading what it asks, the progress
// and status pictures reading the update's state, the page buttons named buttons, and Alt+1..3
// doing what a click on an enabled page button does.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QLabel>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/firmware/FirmwarePageControls.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "support/TestImages.h"

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

struct TreeCount {
    int nodes = 0;
    int interactive = 0;
    int named = 0;
    std::vector<std::string> unnamed;  // role and where, of interactive nodes without a name
    std::map<std::string, std::string> lampStates;  // lamp name to its description
};

bool interactive(QAccessibleInterface& node) {
    if (node.state().focusable) return true;
    QAccessibleActionInterface* actions = node.actionInterface();
    return actions && (actions->actionNames().contains(QAccessibleActionInterface::pressAction()) ||
                       actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
}

void walk(QAccessibleInterface* node, TreeCount& count, const std::string& path) {
    if (!node || !node->isValid()) return;
    ++count.nodes;
    const QString name = node->text(QAccessible::Name);
    if (interactive(*node)) {
        ++count.interactive;
        if (name.trimmed().isEmpty()) {
            count.unnamed.push_back(path + " role " + std::to_string(int(node->role())));
        } else {
            ++count.named;
        }
    }
    for (const char* lamp : {"USB connected", "ESC connected", "Program card connected"}) {
        if (name == QString::fromUtf8(lamp))
            count.lampStates[lamp] = node->text(QAccessible::Description).toStdString();
    }
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), count, path + "/" + std::to_string(i));
}

// The tree of the window as it shows `page`; prints the figures.
TreeCount walkWindow(CTarnwick11Dlg& w, CTarnwick11Dlg::Page page, const char* what) {
    w.ShowPage(page);
    TreeCount count;
    walk(QAccessible::queryAccessibleInterface(&w), count, "window");
    std::printf("accessibility tree, %s: %d nodes, %d interactive, %d of them named\n", what,
                count.nodes, count.interactive, count.named);
    return count;
}

TEST(Accessibility, TreeOfEveryPageNamesEveryControlAndReadsTheLampsBeforeAndAfterIdentification) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.tick();
    const TreeCount start = walkWindow(w, CTarnwick11Dlg::Page::UserSupport, "start-up");
    EXPECT_TRUE(start.unnamed.empty()) << ::testing::PrintToString(start.unnamed);
    EXPECT_EQ(
        start.lampStates,
        (std::map<std::string, std::string>{
            {"USB connected", "yes"}, {"ESC connected", "no"}, {"Program card connected", "no"}}));

    rig.choose(deviceCommand::Esc);
    rig.tick();
    ASSERT_EQ(rig.status().escState, EscState::Identified);
    for (const auto& [page, what] : {std::pair{CTarnwick11Dlg::Page::UserSupport, "USER SUPPORT"},
                                     std::pair{CTarnwick11Dlg::Page::EscSetup, "ESC SETUP"},
                                     std::pair{CTarnwick11Dlg::Page::Firmware, "FIRMWARE"}}) {
        const TreeCount identified = walkWindow(w, page, what);
        EXPECT_TRUE(identified.unnamed.empty())
            << what << ": " << ::testing::PrintToString(identified.unnamed);
        EXPECT_EQ(identified.interactive, identified.named);
        // The pages' own controls are all there: 3 page buttons, 18 + 2 lists, 2 actions ...
        EXPECT_GE(identified.interactive, 3 + 5 + 22 + 4) << what;
        EXPECT_EQ(identified.lampStates,
                  (std::map<std::string, std::string>{{"USB connected", "yes"},
                                                      {"ESC connected", "yes"},
                                                      {"Program card connected", "no"}}));
    }
}

TEST(Accessibility, ProgressAndStatusPicturesReadTheWriteAndTheUpdate) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    rig.connectEsc();
    QAccessibleInterface* progress = QAccessible::queryAccessibleInterface(&w.progressDisplay());
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->role(), QAccessible::ProgressBar);
    EXPECT_EQ(progress->text(QAccessible::Name), QStringLiteral("Settings write: 0%"));
    w.session().requestWrite();
    rig.tick();
    EXPECT_EQ(progress->text(QAccessible::Name).trimmed(), QStringLiteral("Settings write: 100%"));

    CFirmwareDlg& page = w.firmwarePage();
    QWidget* status = page.control(firmwareControl::EscStatus);
    EXPECT_EQ(read(status, QAccessible::Name), QStringLiteral("ESC firmware update: Ready"));
    std::filesystem::create_directories(rig.program.path() / "Firmware");
    const auto image = testing::writeKfwImage("a11y-update", 30, rig.program.path() / "Firmware");
    std::vector<QString> progressNames;
    QWidget* bar = page.control(firmwareControl::EscProgress);
    w.session().requestUpdate(FirmwareTarget::Esc, image);
    rig.tick();
    ASSERT_TRUE(testing::waitUntil([&] {
        const QString name = read(bar, QAccessible::Name);
        if (progressNames.empty() || progressNames.back() != name) progressNames.push_back(name);
        return !w.status().updateLocked();
    }));
    rig.settle();
    EXPECT_EQ(read(status, QAccessible::Name), QStringLiteral("ESC firmware update: Finished"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->role(), QAccessible::ProgressBar);
    ASSERT_GE(progressNames.size(), 2u);
    EXPECT_TRUE(progressNames.back().startsWith(QStringLiteral("ESC firmware update: ")))
        << progressNames.back().toStdString();
    EXPECT_TRUE(progressNames.back().endsWith(QStringLiteral("%")))
        << progressNames.back().toStdString();
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
