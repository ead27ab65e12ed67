// Setup sheets through the page: a Category pick lists the sheets and loads the first, a
// Setup Sheet pick loads that one, and SEND SETTING then writes exactly the sheet's values.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>

#include "PageRig.h"

namespace orvek {
namespace {

using testing::PageRig;
using testing::writeBytes;
using namespace escSetupControl;

const QString kDriftCar = QStringLiteral("Drift Car");

std::string infoSection(const std::string& tempTrack) {
    return "[info]\r\nDriver=K. Hale\r\nDate=2026-03-14\r\nEvent=Spring Cup\r\nFirmware=Expert "
           "V1.30\r\n"
           "Motor=10.5T\r\nGear Ratio=4.1\r\nTiming=30 deg\r\nRotor=12.5mm\r\nTrack "
           "Name=Harbour\r\n"
           "Track Type=Asphalt\r\nTrack Design=Tight\r\nTraction Level=<b>High</b>\r\nTemp Track=" +
           tempTrack + "\r\n";
}

// Every setting away from what the simulated ESC holds.
const char* kFullOptions =
    "[option]\r\nOperation Mode=For/Rev\r\nReverse Speed=75%\r\nLow Volt Cut=3.2 V/cell\r\nDrag "
    "Brake=25%\r\n"
    "Initial Brake=5%\r\nFull Brake=80%\r\nBrake Frequency=8KHz\r\nPower Profile=level 10\r\n"
    "Drive Frequency=16KHz\r\nNeutral DeadBand=9%\r\nTemp Cut Set=194f/90c\r\nBoost Timing=35 "
    "deg\r\n"
    "Boost RPM=5000\r\nBoost ACC=300 RPM/deg\r\nTurbo Timing=15 deg\r\nTurbo Slope=Fastest\r\n"
    "Turbo Delay=0.25sec\r\nRotation Mode=Reverse\r\n";

QString infoText(PageRig& rig, int k) {
    return static_cast<QLabel*>(rig.page.control(FirstInfoValue + k))->text();
}
QString commentText(PageRig& rig) {
    return static_cast<QPlainTextEdit*>(rig.page.control(CommentField))->toPlainText();
}

TEST(SetupSheetsOnThePage, CategoryPickListsSheetsCaseFreeAndLoadsTheFirst) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const auto folder = rig.programFolder.path() / "Profile" / "Drift Car";
    writeBytes(folder / "b.ini",
               std::string(kFullOptions) + infoSection("28C") + "[memo]\r\nmemo=from b\r\n");
    // A: Temp Track empty, so its comment stays hidden although it has one.
    writeBytes(folder / "A.ini", "[option]\r\nOperation Mode=for/rev/brake\r\n" + infoSection("") +
                                     "[memo]\r\nmemo=from A\r\n");
    writeBytes(folder / "c.ini", "[memo]\r\nmemo=only a memo\r\n");
    writeBytes(folder / "notes.txt", "not a sheet");

    rig.pick(CategoryList, kDriftCar);
    CBitComboBox* sheets = rig.box(SetupSheetList);
    ASSERT_EQ(sheets->count(), 3);
    EXPECT_EQ(sheets->itemText(0), QStringLiteral("A"));
    EXPECT_EQ(sheets->itemText(1), QStringLiteral("b"));
    EXPECT_EQ(sheets->itemText(2), QStringLiteral("c"));
    EXPECT_EQ(sheets->currentIndex(), 0);
    EXPECT_EQ(rig.box(1009)->currentText(), QStringLiteral("For/Rev/Brake"));
    EXPECT_EQ(infoText(rig, 0), QStringLiteral("K. Hale"));
    EXPECT_EQ(infoText(rig, 11), QStringLiteral("<b>High</b>"))
        << "shown as written, never as markup";
    EXPECT_EQ(infoText(rig, 12), QString());
    EXPECT_EQ(commentText(rig), QStringLiteral("from A"));
    EXPECT_FALSE(rig.page.control(CommentField)->isVisible());
    EXPECT_FALSE(rig.page.control(InfoLabels)->isVisible());
    for (int k = 0; k < 13; ++k)
        EXPECT_TRUE(rig.page.control(FirstInfoValue + k)->isVisible()) << k;

    rig.pick(SetupSheetList, QStringLiteral("b"));
    EXPECT_EQ(infoText(rig, 12), QStringLiteral("28C"));
    EXPECT_EQ(commentText(rig), QStringLiteral("from b"));
    EXPECT_TRUE(rig.page.control(CommentField)->isVisible());
    EXPECT_TRUE(rig.page.control(InfoLabels)->isVisible());
    EXPECT_EQ(rig.box(1009)->currentText(), QStringLiteral("For/Rev"));
    EXPECT_EQ(rig.box(1016)->currentText(), QStringLiteral("Level 10"));

    // A sheet with only a memo clears the fields and hides the comment, the lists stay.
    rig.pick(SetupSheetList, QStringLiteral("c"));
    for (int k = 0; k < 13; ++k) EXPECT_EQ(infoText(rig, k), QString()) << k;
    EXPECT_EQ(commentText(rig), QStringLiteral("only a memo"));
    EXPECT_FALSE(rig.page.control(CommentField)->isVisible());
    EXPECT_EQ(rig.box(1009)->currentText(), QStringLiteral("For/Rev"));

    // A category without a folder empties the sheet list and loads nothing.
    rig.pick(CategoryList, QStringLiteral("Rock Crawler"));
    EXPECT_EQ(rig.box(SetupSheetList)->count(), 0);
    EXPECT_EQ(commentText(rig), QStringLiteral("only a memo"));
    EXPECT_TRUE(rig.messages.shown.empty()) << "setup sheets report nothing";
}

TEST(SetupSheetsOnThePage, SheetBeforeAnyEscFillsTheNotesOnly) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    writeBytes(
        rig.programFolder.path() / "Profile" / "Drift Car" / "race.ini",
        std::string(kFullOptions) + infoSection("31C") + "[memo]\r\nmemo=keep it smooth\r\n");
    rig.pick(CategoryList, kDriftCar);
    for (int id = kFirstListId; id <= kLastListId; ++id)
        EXPECT_EQ(rig.box(id)->currentIndex(), -1) << id;
    EXPECT_EQ(infoText(rig, 4), QStringLiteral("10.5T"));
    EXPECT_EQ(commentText(rig), QStringLiteral("keep it smooth"));
    EXPECT_TRUE(rig.page.control(CommentField)->isVisible());
}

TEST(SetupSheetsOnThePage, SendSettingAfterASheetWritesExactlyItsValues) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    writeBytes(rig.programFolder.path() / "Profile" / "Drift Car" / "race.ini", kFullOptions);
    rig.pick(CategoryList, kDriftCar);
    rig.clickAt(QPoint(600, 520));
    rig.settle();
    ASSERT_TRUE(rig.status().writeRequested);
    rig.tick();

    // In block order; the carried bytes 2, 4, 19 and 20 as the ESC had them.
    const sim::SettingsBlock expected = {2, 25, 0x55, 32, 0x66, 9, 80, 75,   5,    9, 35,  5,
                                         2, 15, 9,    5,  5,    3, 3,  0x77, 0x88, 1, 0xDD};
    EXPECT_EQ(rig.sim.settings(), expected);
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_FALSE(rig.status().writeRequested);
}

}  // namespace
}  // namespace orvek
