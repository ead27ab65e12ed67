// The dots beside the lists that SEND SETTING would change on the ESC.
#include <gtest/gtest.h>

#include "PageRig.h"
#include "settings/OptionLists.h"
#include "settings/SettingsModelState.h"

namespace orvek {
namespace {

using testing::PageRig;
using testing::writeBytes;
using namespace escSetupControl;

const QColor kOrange(247, 148, 29);

std::vector<int> markedKeys(const CEscSetupDlg& page) {
    std::vector<int> keys;
    for (int k = 0; k < kParameterCount; ++k) {
        if (page.changeMarker(k)->isVisible()) keys.push_back(k);
    }
    return keys;
}

// Orange pixels just right of a list, where its marker sits.
int orangeBeside(CEscSetupDlg& page, int listId) {
    const QRect box = page.listBox(listId)->geometry();
    return testing::countPixels(testing::renderWidget(page),
                                QRect(box.right() + 1, box.top(), 14, box.height()), kOrange, 30);
}

TEST(ChangeMarkers, ShowWhatSendSettingWouldChangeAndClearOnceWritten) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    EXPECT_TRUE(markedKeys(rig.page).empty()) << "as read from the ESC";
    EXPECT_FALSE(rig.page.hasUnsentChanges());
    EXPECT_EQ(orangeBeside(rig.page, 1012), 0);

    rig.pick(1012, QStringLiteral("40%"));  // Drag Brake
    EXPECT_EQ(markedKeys(rig.page), std::vector<int>{key::DragBrake});
    EXPECT_TRUE(rig.page.hasUnsentChanges());
    EXPECT_GT(orangeBeside(rig.page, 1012), 10);
    EXPECT_EQ(orangeBeside(rig.page, 1011), 0);

    // Picking the value the ESC holds again takes the mark away.
    rig.pick(1012, QStringLiteral("10%"));
    EXPECT_TRUE(markedKeys(rig.page).empty());

    // A key press on the closed box of a middle list.
    rig.box(1025)->setFocus();
    QTest::keyClick(rig.box(1025), Qt::Key_Down);  // Turbo Delay 0.10sec -> 0.15sec
    EXPECT_EQ(markedKeys(rig.page), std::vector<int>{key::TurboDelay});
    EXPECT_GT(orangeBeside(rig.page, 1025), 10);

    rig.clickAt(QPoint(600, 520));  // SEND SETTING
    rig.tick();
    ASSERT_EQ(rig.sim.commits(), 1);
    EXPECT_TRUE(markedKeys(rig.page).empty());
    EXPECT_FALSE(rig.page.hasUnsentChanges());
    EXPECT_EQ(orangeBeside(rig.page, 1025), 0);
}

TEST(ChangeMarkers, FollowDefaultsSheetsAndANewIdentification) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    // The simulated ESC holds 10 deg of boost and turbo timing; the defaults are 0 deg.
    rig.clickAt(QPoint(400, 520));
    rig.tick();
    const auto afterDefaults = markedKeys(rig.page);
    EXPECT_NE(std::find(afterDefaults.begin(), afterDefaults.end(), key::BoostTiming),
              afterDefaults.end());
    EXPECT_NE(std::find(afterDefaults.begin(), afterDefaults.end(), key::TurboTiming),
              afterDefaults.end());
    EXPECT_EQ(std::find(afterDefaults.begin(), afterDefaults.end(), key::DragBrake),
              afterDefaults.end());

    writeBytes(
        rig.programFolder.path() / "Profile" / "Fun Car" / "sheet.ini",
        "[option]\r\nBoost Timing=10 deg\r\nTurbo Timing=10 deg\r\nRotation Mode=Reverse\r\n");
    rig.pick(CategoryList, QStringLiteral("Fun Car"));
    const auto afterSheet = markedKeys(rig.page);
    EXPECT_EQ(std::count(afterSheet.begin(), afterSheet.end(), key::BoostTiming), 0);
    EXPECT_EQ(std::count(afterSheet.begin(), afterSheet.end(), key::RotationMode), 1);

    // The ESC is pulled and another one answers: its block is read afresh, nothing differs.
    rig.sim.setFaults([] {
        sim::Faults f;
        f.silent = true;
        return f;
    }());
    rig.tick();
    ASSERT_NE(rig.status().escState, EscState::Identified);
    rig.sim.setFaults({});
    rig.tick();
    ASSERT_EQ(rig.status().escState, EscState::Identified);
    EXPECT_TRUE(markedKeys(rig.page).empty());
}

TEST(ChangeMarkers, NoneBeforeAnyBlockWasRead) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    // Lists filled with other selections than the ESC's block, but no block read yet.
    ParameterLists model;
    FillOptionLists(model, EscFamily::Expert, "1.30");
    model.byKey(key::DragBrake).setSelection(3);
    model.byKey(key::BoostTiming).setSelection(1);
    model.lastReadBlock.fill(0);
    rig.page.showSettings(stateOf(model), rig.window.win().session().picksSent());
    ASSERT_EQ(rig.box(1012)->currentIndex(), 3);
    EXPECT_TRUE(markedKeys(rig.page).empty());
    EXPECT_FALSE(rig.page.hasUnsentChanges());

    // The settings read after an identification fails: nothing is known of this ESC either.
    PageRig silent;
    ASSERT_TRUE(silent.ok);
    silent.tick();
    silent.window.choose(deviceCommand::Esc);
    sim::Faults noBlock;
    noBlock.ignoreByte = 0xD8;  // the settings read goes unanswered
    silent.sim.setFaults(noBlock);
    silent.tick();
    ASSERT_EQ(silent.status().escState, EscState::Identified);
    EXPECT_EQ(silent.box(1012)->currentIndex(), -1);
    EXPECT_TRUE(markedKeys(silent.page).empty());
}

}  // namespace
}  // namespace orvek
