// The skinned button: the picture it paints for each mouse state, latching and focus, where its
// caption goes, the embossed caption of a disabled button, and which presses become clicks.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "gui/controls/CxSkinButton.h"
#include "gui/controls/SkinFont.h"
#include "resources/SkinRegistry.h"
#include "support/WidgetTesting.h"

namespace orvek {
namespace {

using namespace orvek::testing;

constexpr int kNormal = 145;   // FIRMWARE page button: grey
constexpr int kPressed = 144;  // red
constexpr int kHover = 146;    // dimmed

class CxSkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.resize(400, 200);
        // The window gives its focus to a field, as a page would, so that the button starts
        // unfocused.
        field = new QLineEdit(&page);
        field->setGeometry(30, 100, 100, 24);
        button = new CxSkinButton(&page);
        button->setGeometry(30, 20, 200, 25);
        button->AssignSkin(kNormal, kPressed, kHover);
        QObject::connect(button, &QAbstractButton::clicked, &page, [this] { ++clicks; });
        parkPointer();
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.activateWindow();
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    }

    // True when the button paints exactly the given picture.
    bool shows(int id) {
        const QImage image = renderWidget(*button);
        return regionMatches(image, image.rect(), pictureOnBlack(id, button->size()));
    }

    QWidget page;
    QLineEdit* field = nullptr;
    CxSkinButton* button = nullptr;
    int clicks = 0;
    const QPoint inside{40, 12};
    const QPoint outside{260, 12};
};

TEST_F(CxSkinButtonTest, HoverPictureShowsOnlyWhenThereIsOne) {
    ASSERT_TRUE(shows(kNormal));
    ASSERT_FALSE(shows(kHover)) << "the three looks must differ for this test to mean anything";
    sendEnter(*button, inside);
    EXPECT_TRUE(button->isHovered());
    EXPECT_TRUE(shows(kHover));
    sendLeave(*button);
    EXPECT_TRUE(shows(kNormal));
    sendMove(*button, inside);
    EXPECT_TRUE(shows(kHover)) << "a move onto the button counts as hovering too";
    sendLeave(*button);

    // A new skin replaces every picture; a hover id of 0 leaves the normal look under the pointer.
    button->AssignSkin(kNormal, kPressed, 0);
    sendEnter(*button, inside);
    EXPECT_TRUE(shows(kNormal));
}

TEST_F(CxSkinButtonTest, PressDragOffAndReleaseGivesNoClick) {
    sendEnter(*button, inside);
    sendPress(*button, inside);
    EXPECT_TRUE(button->isHeld());
    EXPECT_FALSE(button->isHovered()) << "a press ends the hover";
    EXPECT_TRUE(shows(kPressed));

    sendMove(*button, outside, Qt::LeftButton);
    EXPECT_TRUE(shows(kNormal)) << "the pressed look goes with the pointer";
    sendMove(*button, inside, Qt::LeftButton);
    EXPECT_TRUE(shows(kPressed)) << "and comes back with it";
    sendMove(*button, outside, Qt::LeftButton);
    sendRelease(*button, outside);
    EXPECT_FALSE(button->isHeld());
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(shows(kNormal));

    sendPress(*button, inside);
    sendRelease(*button, inside);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CxSkinButtonTest, LatchedButtonShowsPressedPictureWhateverTheMouseDoes) {
    button->latched = true;
    button->update();
    EXPECT_TRUE(shows(kPressed));
    sendEnter(*button, inside);
    EXPECT_TRUE(shows(kPressed));
    sendPress(*button, inside);
    EXPECT_TRUE(shows(kPressed));
    sendMove(*button, outside, Qt::LeftButton);
    EXPECT_TRUE(shows(kPressed));
    sendRelease(*button, outside);
    sendLeave(*button);
    EXPECT_TRUE(shows(kPressed));

    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->hasFocus(); }));
    EXPECT_TRUE(shows(kPressed));

    button->latched = false;
    EXPECT_TRUE(shows(kNormal));
}

TEST_F(CxSkinButtonTest, FocusedButtonKeepsItsRestingLook) {
    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->hasFocus(); }));
    sendEnter(*button, inside);
    EXPECT_TRUE(shows(kNormal));
    sendPress(*button, inside);
    EXPECT_TRUE(button->isDown());
    EXPECT_TRUE(shows(kNormal));
    sendRelease(*button, inside);
    EXPECT_EQ(clicks, 1);

    // A click with the mouse does not take the focus, so an unfocused button shows its press.
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(button->hasFocus());
    EXPECT_TRUE(shows(kPressed));
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(clicks, 2);
}

TEST_F(CxSkinButtonTest, KeysClickItAndItsFocusOutlineShowsUntilTheMouseIsUsed) {
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = renderWidget(*button);
    const QRect top(0, 0, button->width(), 2);
    EXPECT_EQ(countPixels(focused, top, QColor(247, 148, 29)), button->width() * 2);
    EXPECT_EQ(
        countPixels(focused, QRect(2, 2, button->width() - 4, button->height() - 4),
                    QColor(247, 148, 29)),
        countPixels(pictureOnBlack(kNormal, button->size()),
                    QRect(2, 2, button->width() - 4, button->height() - 4), QColor(247, 148, 29)))
        << "the outline stays on the edge";

    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks, 3);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(button, &held);
    EXPECT_EQ(clicks, 3) << "a held key is one click";

    // A press of the mouse anywhere hides the outline; the focus stays.
    QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(300, 150));
    QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(300, 150));
    EXPECT_TRUE(button->hasFocus());
    EXPECT_TRUE(shows(kNormal));
}

// The caption font size (tenths of a point) at which the average character is `width` wide.
int captionSizeForAverageWidth(int width) {
    for (int tenths = 60; tenths <= 400; ++tenths) {
        if (QFontMetrics(skinFont(QStringLiteral("Arial"), tenths)).averageCharWidth() == width)
            return tenths;
    }
    return 0;
}

TEST(CxSkinButtonCaption, StartsWhereTheAverageCharacterWidthPutsIt) {
    // Halves round towards zero, also when the caption is wider than the button.
    EXPECT_EQ(CxSkinButton::captionPositionFor(QSize(150, 75), 4, 9, 17), QPoint(52, 29));
    EXPECT_EQ(CxSkinButton::captionPositionFor(QSize(21, 10), 10, 9, 13), QPoint(-39, -1));

    QWidget page;
    page.resize(300, 200);
    CxSkinButton button(&page);
    EXPECT_EQ(button.captionFontSize, 90);
    EXPECT_EQ(button.captionFontFace, QStringLiteral("Arial"));
    EXPECT_EQ(button.captionColour, button.palette().color(QPalette::ButtonText));
    EXPECT_EQ(QFontInfo(button.captionFont()).family(), QString::fromLatin1(kSansFace))
        << "Arial, or where there is none its metric twin";

    const int tenths = captionSizeForAverageWidth(9);
    ASSERT_GT(tenths, 0);
    button.captionFontSize = tenths;
    button.captionColour = QColor(0, 255, 0);
    button.setText(QStringLiteral("100%"));
    button.setGeometry(0, 0, 150, 75);
    parkPointer();
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    const QFontMetrics metrics(button.captionFont());
    EXPECT_EQ(button.captionPosition(), QPoint(52, (75 - metrics.height()) / 2));

    const QImage image = renderWidget(button);
    // No picture: the face is the palette's button colour.
    EXPECT_EQ(QColor(image.pixel(1, 1)), button.palette().color(QPalette::Button));
    const QRect ink = boundsOfColour(image, image.rect(), QColor(0, 255, 0), 60);
    ASSERT_FALSE(ink.isNull());
    const int bearing = metrics.leftBearing(QLatin1Char('1'));
    EXPECT_NEAR(ink.left(), 52 + bearing, 1);
    EXPECT_GE(ink.top(), button.captionPosition().y());
    EXPECT_LE(ink.bottom(), button.captionPosition().y() + metrics.height());
}

TEST(CxSkinButtonCaption, DisabledButtonShowsNormalPictureWithEmbossedCaption) {
    QWidget page;
    page.resize(300, 200);
    CxSkinButton button(&page);
    button.AssignSkin(SkinId::ProgressFrame, SkinId::ProgressFrame, 0);
    button.setGeometry(0, 0, 150, 75);
    button.captionFontSize = 200;
    button.captionColour = QColor(0, 255, 0);
    button.setText(QStringLiteral("88%"));
    button.setEnabled(false);
    parkPointer();
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    const QImage image = renderWidget(button);
    // The picture left of the caption is the normal one.
    EXPECT_TRUE(regionMatches(image, QRect(0, 0, 30, 75),
                              pictureOnBlack(SkinId::ProgressFrame, QSize(30, 75))));
    EXPECT_EQ(countPixels(image, image.rect(), QColor(0, 255, 0), 60), 0)
        << "no caption in its own colour";

    const QColor light = button.palette().color(QPalette::Light);
    const QColor grey = button.palette().color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(light, grey);
    const QRect greyInk = boundsOfColour(image, QRect(30, 0, 120, 75), grey, 8);
    const QRect lightInk = boundsOfColour(image, QRect(30, 0, 120, 75), light, 8);
    ASSERT_FALSE(greyInk.isNull());
    ASSERT_FALSE(lightInk.isNull());
    // The light copy lies one pixel down and right of the grey one.
    EXPECT_NEAR(lightInk.right(), greyInk.right() + 1, 1);
    EXPECT_NEAR(lightInk.bottom(), greyInk.bottom() + 1, 1);
    EXPECT_GE(lightInk.left(), greyInk.left());
}

}  // namespace
}  // namespace orvek
