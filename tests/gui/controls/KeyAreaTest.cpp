// The keyboard's way into a page's click area: Space and Enter run the area's action as a click
// does, the mouse still reaches the page beneath, the outline shows while the keyboard is used,
// and assistive technology reads a named button or link it can press.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMouseEvent>
#include <QTest>

#include "gui/controls/KeyArea.h"
#include "gui/controls/PageKit.h"
#include "support/WidgetTesting.h"

namespace orvek {
namespace {

using namespace orvek::testing;

const QColor kOrange(247, 148, 29);

// A page as the real ones are: it tests its own click areas on a press.
class Page : public QWidget {
public:
    Page() {
        resize(300, 200);
        first = areas.addWithKeys(*this, QRect(20, 20, 100, 50), QStringLiteral("SEND SETTING"),
                                  QAccessible::Button, [this] { ++sent; });
        second = areas.addWithKeys(*this, QRect(150, 20, 100, 50), QStringLiteral("ARC"),
                                   QAccessible::Link, [this] { ++opened; });
    }
    ClickAreas areas;
    KeyArea* first = nullptr;
    KeyArea* second = nullptr;
    int sent = 0;
    int opened = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override { areas.press(event->position().toPoint()); }
};

class KeyAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        parkPointer();
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.activateWindow();
        page.first->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return page.first->hasFocus(); }));
    }
    // The outline follows the last press of the whole application: leave it as for the mouse.
    void TearDown() override { QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(280, 180)); }
    Page page;
};

TEST_F(KeyAreaTest, SpaceAndEnterActAsTheClickAndTabGoesOn) {
    QTest::keyClick(page.first, Qt::Key_Space);
    QTest::keyClick(page.first, Qt::Key_Return);
    EXPECT_EQ(page.sent, 2);
    QTest::keyClick(page.first, Qt::Key_Tab);
    ASSERT_TRUE(page.second->hasFocus());
    QTest::keyClick(page.second, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(page.opened, 1);
    EXPECT_EQ(page.sent, 2);
    QTest::keyClick(page.second, Qt::Key_A);
    EXPECT_EQ(page.opened, 1) << "other keys do nothing";

    // The mouse passes through to the page, which keeps its own rule: strictly inside.
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(page.sent, 3);
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(20, 40));
    EXPECT_EQ(page.sent, 3) << "the edge pixel is outside";

    page.second->setEnabled(false);
    QTest::keyClick(page.second, Qt::Key_Space);
    EXPECT_EQ(page.opened, 1);
}

TEST_F(KeyAreaTest, OutlineShowsWhileTheKeyboardIsUsedAndNeverCoversTheInside) {
    QTest::keyClick(page.first, Qt::Key_Tab);
    QTest::keyClick(page.second, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(page.first->hasFocus());
    const QRect place = page.first->geometry();
    QImage image = renderWidget(page);
    const int edge = 2 * place.width() + 2 * place.height() - 4;  // one ring of pixels
    EXPECT_EQ(countPixels(image, place, kOrange), 2 * edge - 8) << "two rings, 2 pixels";
    EXPECT_EQ(countPixels(image, place.adjusted(2, 2, -2, -2), kOrange), 0);
    EXPECT_EQ(countPixels(image, page.second->geometry(), kOrange), 0);

    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(280, 180));
    image = renderWidget(page);
    EXPECT_EQ(countPixels(image, place, kOrange), 0) << "hidden once the mouse is used";
}

TEST(KeyAreaAccessibility, ReadsAsANamedButtonOrLinkThatCanBePressed) {
    Page page;
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(page.first);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(page.second);
    ASSERT_TRUE(button && link);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("SEND SETTING"));
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), QStringLiteral("ARC"));
    EXPECT_TRUE(link->state().focusable);
    QAccessibleActionInterface* press = link->actionInterface();
    ASSERT_NE(press, nullptr);
    ASSERT_TRUE(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(page.opened, 1);
}

}  // namespace
}  // namespace orvek
