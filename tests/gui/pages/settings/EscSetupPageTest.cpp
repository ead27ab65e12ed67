// The ESC SETUP page: its layout, the lists as the monitor fills them from the simulated ESC,
// and the two action pictures.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>

#include "PageRig.h"
#include "resources/SkinRegistry.h"
#include "settings/SettingsModelState.h"

namespace orvek {
namespace {

using testing::escOptions;
using testing::PageRig;
using namespace escSetupControl;

struct Expected {
    int id;
    QRect place;
};

TEST(EscSetupLayout, EveryControlAtItsPlace) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    const int list = kClosedListHeight;
    const std::vector<Expected> pictures = {
        {1082, {5, 0, 330, 560}},    {1083, {330, 0, 330, 290}},  {1084, {340, 300, 320, 180}},
        {1085, {660, 0, 315, 560}},  {1067, {35, 20, 280, 25}},   {1068, {35, 50, 80, 35}},
        {1069, {120, 110, 120, 18}}, {1070, {35, 130, 280, 5}},   {1071, {30, 140, 115, 405}},
        {1072, {420, 20, 160, 16}},  {1073, {360, 40, 280, 5}},   {1074, {370, 50, 80, 184}},
        {1075, {400, 320, 200, 30}}, {1076, {360, 350, 280, 5}},  {1077, {370, 365, 70, 13}},
        {1078, {370, 420, 70, 14}},  {1058, {350, 490, 110, 60}}, {1057, {540, 490, 110, 60}},
        {1079, {730, 10, 180, 30}},  {1080, {680, 40, 280, 5}},   {1081, {680, 460, 280, 5}},
        {1056, {680, 50, 80, 380}}};
    std::vector<Expected> others = {
        {1000, {140, 52, 100, 30}},    {1001, {140, 72, 100, 30}},    {1021, {458, 47, 160, list}},
        {1024, {458, 80, 160, list}},  {1026, {458, 112, 160, list}}, {1023, {458, 145, 160, list}},
        {1022, {458, 180, 160, list}}, {1025, {458, 214, 160, list}}, {1027, {370, 380, 250, list}},
        {1028, {370, 435, 250, list}}, {1042, {770, 50, 170, 40}},    {1043, {770, 80, 170, 40}},
        {1048, {770, 235, 170, 40}},   {1049, {770, 265, 190, 40}},   {1054, {770, 415, 170, 40}},
        {1055, {680, 470, 280, 80}}};
    for (int n = 0; n < 12; ++n) others.push_back({1009 + n, {145, 138 + 35 * n, 160, list}});
    for (int n = 0; n < 4; ++n) others.push_back({1044 + n, {770, 112 + 30 * n, 170, 40}});
    for (int n = 0; n < 4; ++n) others.push_back({1050 + n, {770, 293 + 30 * n, 170, 40}});

    for (const Expected& e : pictures) {
        const auto* picture = qobject_cast<QLabel*>(rig.page.control(e.id));
        ASSERT_NE(picture, nullptr) << e.id;
        EXPECT_EQ(picture->geometry(), e.place) << e.id;
        EXPECT_EQ(picture->pixmap().size(), e.place.size())
            << "the picture fills its place: " << e.id;
    }
    for (const Expected& e : others) {
        ASSERT_NE(rig.page.control(e.id), nullptr) << e.id;
        EXPECT_EQ(rig.page.control(e.id)->geometry(), e.place) << e.id;
    }

    // What is visible at start: the model text, the comment and its label picture are not.
    EXPECT_FALSE(rig.page.control(ModelText)->isVisible());
    EXPECT_FALSE(rig.page.control(CommentField)->isVisible());
    EXPECT_FALSE(rig.page.control(InfoLabels)->isVisible());
    EXPECT_TRUE(rig.page.control(FirmwareText)->isVisible());
    EXPECT_TRUE(rig.page.control(FirstInfoValue + 12)->isVisible());

    // The action pictures show where they are placed.
    const QImage page = testing::renderWidget(rig.page);
    for (const Expected& e : {pictures[16], pictures[17]}) {
        const QImage expected = testing::pictureOnBlack(
            e.id == 1057 ? SkinId::SendSettingAction : SkinId::DefaultSettingAction,
            e.place.size());
        EXPECT_TRUE(testing::regionMatches(page, e.place, expected)) << e.id;
    }
}

TEST(EscSetupLayout, EachParameterReachesTheListOfItsId) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    // Filled through the settings code's view of the lists, read back from the boxes by id:
    // a key wired to its neighbour's box (the middle ids run 1021, 1024, 1026, 1023, 1022,
    // 1025 top to bottom) would show up here.
    ParameterLists model;
    for (const auto& parameter : parameterTable()) {
        ASSERT_TRUE(model.byKey(parameter.keyNumber).insertAt(0, parameter.keyName));
    }
    rig.page.showSettings(stateOf(model), rig.window.win().session().picksSent());
    for (const auto& parameter : parameterTable()) {
        EXPECT_EQ(rig.box(parameter.listId)->itemText(0).toStdString(), parameter.keyName);
    }
    const int middleIdsTopToBottom[] = {1021, 1024, 1026, 1023, 1022, 1025};
    const char* middleKeys[] = {"Boost Timing", "Boost RPM",   "Boost ACC",
                                "Turbo Timing", "Turbo Slope", "Turbo Delay"};
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(rig.box(middleIdsTopToBottom[n])->itemText(0).toStdString(), middleKeys[n]);
        if (n > 0) {
            EXPECT_GT(rig.box(middleIdsTopToBottom[n])->y(),
                      rig.box(middleIdsTopToBottom[n - 1])->y());
        }
    }
}

TEST(EscSetupLayout, StartsEmptyWithTheCategoriesUnselected) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    for (int id = kFirstListId; id <= kLastListId; ++id) EXPECT_EQ(rig.box(id)->count(), 0) << id;
    CBitComboBox* categories = rig.box(CategoryList);
    ASSERT_EQ(categories->count(), 11);
    EXPECT_EQ(categories->itemText(0), QStringLiteral("Modify Touring"));
    EXPECT_EQ(categories->itemText(4), QStringLiteral("Blinky Mode (zero timing)"));
    EXPECT_EQ(categories->itemText(10), QStringLiteral("Rock Crawler"));
    EXPECT_EQ(categories->currentIndex(), -1);
    EXPECT_EQ(rig.box(SetupSheetList)->count(), 0);
    for (int id = kFirstListId; id <= SetupSheetList; ++id)
        EXPECT_EQ(rig.box(id)->itemFontSize, 100) << id;
    rig.page.setTextSize(120);
    for (int id = kFirstListId; id <= SetupSheetList; ++id)
        EXPECT_EQ(rig.box(id)->itemFontSize, 120) << id;
}

TEST(EscSetupIdentification, AnExpertShowsItsBlockInTheLists) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const std::vector<std::string> expected = {
        "For/Brake", "25%",         "3.0 V/cell", "10%",         "=Drag Brake", "90%",
        "4KHz",      "Level 7",     "8KHz",       "6%",          "off",         "10 deg",
        "14000",     "650 RPM/deg", "10 deg",     "18 deg/0.1s", "0.10sec",     "Normal"};
    EXPECT_EQ(rig.selectedTexts(), expected);
    EXPECT_EQ(rig.box(1016)->count(), 12);
    EXPECT_EQ(static_cast<QLabel*>(rig.page.control(FirmwareText))->text(),
              QStringLiteral("Expert V1.30"));
    EXPECT_GT(
        testing::countPixels(testing::renderWidget(rig.page),
                             rig.page.control(FirmwareText)->geometry(), QColor(234, 234, 234), 10),
        20)
        << "light grey on the page";
    EXPECT_FALSE(static_cast<QLabel*>(rig.page.control(ModelText))->text().isEmpty());
    EXPECT_FALSE(rig.page.control(ModelText)->isVisible());
}

TEST(EscSetupIdentification, StockAndBlinkyFamilies) {
    {
        PageRig rig(escOptions(0x0C, 2));
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        EXPECT_EQ(rig.box(1016)->count(), 9);
        EXPECT_EQ(rig.box(1016)->itemText(8), QStringLiteral("Level 9"));
        EXPECT_EQ(rig.box(1016)->currentText(), QStringLiteral("Level 7"));
        EXPECT_EQ(rig.box(1026)->currentText(), QStringLiteral("650 RPN/deg"));
        EXPECT_EQ(static_cast<QLabel*>(rig.page.control(FirmwareText))->text(),
                  QStringLiteral("Stock V1.20"));
    }
    PageRig rig(escOptions(0x0D));
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    for (int id = 1021; id <= 1026; ++id) {
        EXPECT_FALSE(rig.box(id)->isEnabled()) << id;
        EXPECT_EQ(rig.box(id)->count(), 0) << id;
    }
    for (int id = 1009; id <= 1020; ++id) EXPECT_TRUE(rig.box(id)->isEnabled()) << id;
    EXPECT_EQ(rig.box(1012)->currentText(), QStringLiteral("10%"));
}

TEST(EscSetupActions, OnlyPressesStrictlyInsideAPictureRaiseItsRequest) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    // SEND SETTING covers x 540..649, y 490..549; DEFAULT SETTING x 350..459.
    for (const QPoint at :
         {QPoint(540, 520), QPoint(600, 490), QPoint(650, 520), QPoint(600, 550), QPoint(350, 520),
          QPoint(400, 490), QPoint(460, 520), QPoint(400, 550)}) {
        rig.moveTo(at);
        EXPECT_EQ(rig.page.cursor().shape(), Qt::ArrowCursor) << at.x() << "," << at.y();
        rig.clickAt(at);
        rig.settle();
        EXPECT_FALSE(rig.status().writeRequested) << at.x() << "," << at.y();
        EXPECT_FALSE(rig.status().defaultsRequested) << at.x() << "," << at.y();
    }
    rig.moveTo(QPoint(541, 491));
    EXPECT_EQ(rig.page.cursor().shape(), Qt::PointingHandCursor);
    rig.clickAt(QPoint(649, 549));
    rig.settle();
    EXPECT_TRUE(rig.status().writeRequested);
    EXPECT_FALSE(rig.status().defaultsRequested);
    EXPECT_EQ(rig.sim.received().size(), 0u) << "a press sends nothing itself";

    rig.tick();  // refused without an ESC, which clears the request
    ASSERT_FALSE(rig.status().writeRequested);
    rig.moveTo(QPoint(459, 549));
    EXPECT_EQ(rig.page.cursor().shape(), Qt::PointingHandCursor);
    rig.clickAt(QPoint(351, 491));
    rig.settle();
    EXPECT_TRUE(rig.status().defaultsRequested);
    EXPECT_FALSE(rig.status().writeRequested);
    rig.moveTo(QPoint(300, 20));
    EXPECT_EQ(rig.page.cursor().shape(), Qt::ArrowCursor);
}

TEST(EscSetupActions, DefaultSettingPressedTwiceBeforeATickRunsOnce) {
    {
        // No ESC: one refusal, not two.
        PageRig rig;
        ASSERT_TRUE(rig.ok);
        rig.tick();
        rig.clickAt(QPoint(400, 520));
        rig.clickAt(QPoint(400, 520));
        rig.tick();
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text, "ESC Connection Error!");
        EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::Stop);
        rig.tick();
        EXPECT_EQ(rig.messages.shown.size(), 1u);
    }
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.pick(1021, QStringLiteral("30 deg"));  // Boost Timing, whose default is 0 deg
    rig.clickAt(QPoint(400, 520));
    rig.clickAt(QPoint(400, 520));
    rig.tick();
    EXPECT_EQ(rig.box(1021)->currentText(), QStringLiteral("0 deg"));
    EXPECT_FALSE(rig.status().defaultsRequested);
    // A pick after the tick stays: the defaults are not applied again.
    rig.pick(1021, QStringLiteral("30 deg"));
    rig.tick();
    EXPECT_EQ(rig.box(1021)->currentText(), QStringLiteral("30 deg"));
    EXPECT_TRUE(rig.messages.shown.empty());
}

}  // namespace
}  // namespace orvek
