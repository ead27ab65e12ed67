// What the window does with its pages: the question before closing over unsent changes, File >
// Import and Export on the settings page, and the text size taken over off 96 DPI.
#include <QAction>

#include "gui/controls/CBitComboBox.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/window/WindowResources.h"
#include "settings/ParamTable.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

int otherOption(const OptionList& list) { return list.selection() == 0 ? 1 : 0; }

TEST(WindowPages, ClosingOverUnsentChangesAsksOnceAndNoKeepsTheWindow) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    EXPECT_TRUE(w.close()) << "nothing changed: no question";
    EXPECT_TRUE(rig.messages.shown.empty());

    w.show();
    const OptionList& drag = w.settingsPage().lists().byKey(key::DragBrake);
    w.session().selectOption(key::DragBrake, otherOption(drag));
    rig.settle();
    rig.messages.answers = {false};
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_TRUE(rig.messages.shown[0].question);
    EXPECT_EQ(rig.messages.shown[0].text, windowText::CloseWithUnsentChanges);

    // Once sent, the ESC holds them: closing asks nothing.
    w.session().requestWrite();
    rig.tick();
    ASSERT_FALSE(w.status().writeRequested);
    rig.messages.shown.clear();
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(rig.messages.shown.empty());

    // Changed again, and Yes closes.
    w.show();
    w.session().selectOption(key::DragBrake, otherOption(drag));
    rig.settle();
    rig.messages.answers = {true};
    EXPECT_TRUE(w.close());
    EXPECT_EQ(rig.messages.shown.size(), 1u);
}

TEST(WindowPages, FileMenuExportsAndImportsTheSelectionsOnAnyPageWithoutTheAdapterInUse) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    rig.connectEsc();
    const ParameterLists& lists = w.settingsPage().lists();
    std::vector<int> saved;
    for (int k = 0; k < kParameterCount; ++k) saved.push_back(lists.byKey(k).selection());

    const auto file = rig.program.path() / "race";
    rig.files.toSave.push_back(file);
    w.menuAction(menuCommand::ExportSettings)->trigger();
    ASSERT_TRUE(std::filesystem::exists(rig.program.path() / "race.cfg"));

    for (int k = 0; k < kParameterCount; ++k) {
        const OptionList& list = lists.byKey(k);
        if (list.count() > 1) w.session().selectOption(k, otherOption(list));
    }
    rig.settle();
    ASSERT_EQ(w.shownPage(), CTarnwick11Dlg::Page::UserSupport);
    rig.files.toOpen.push_back(rig.program.path() / "race.cfg");
    w.menuAction(menuCommand::ImportSettings)->trigger();
    rig.settle();
    for (int k = 0; k < kParameterCount; ++k)
        EXPECT_EQ(lists.byKey(k).selection(), saved[k]) << "key " << k;
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_TRUE(rig.sim.received().empty()) << "neither command talks to the ESC";
}

TEST(WindowPages, TextSizeOfConfigIniReachesThePagesOnlyOff96Dpi) {
    auto listFontSize = [](CTarnwick11Dlg& w) {
        return w.settingsPage().listBox(kFirstListId)->itemFontSize;
    };
    {
        WindowRig rig;
        rig.program.write("config.ini", "[TEXT INFO]\r\nsize=120\r\n");
        CTarnwick11Dlg& w = rig.win();
        EXPECT_EQ(w.textSize(), 120);
        w.applyScreenResolution(96);
        EXPECT_EQ(listFontSize(w), 100) << "the page's own size at 96 DPI";
        w.applyScreenResolution(120);
        EXPECT_EQ(listFontSize(w), 120);
    }
    {
        WindowRig rig;
        rig.program.write("config.ini", "[TEXT INFO]\r\nsize=big\r\n");
        CTarnwick11Dlg& w = rig.win();
        EXPECT_EQ(w.textSize(), 0);
        w.applyScreenResolution(144);
        EXPECT_EQ(listFontSize(w), 90) << "a size that is not a number shows 9 pt, not a 1-pt font";
    }
}

}  // namespace
}  // namespace orvek
