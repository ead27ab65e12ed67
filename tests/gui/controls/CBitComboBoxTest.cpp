// The skinned drop-down list: what it paints for each mouse state and selection, how its open
// list looks and widens, and which notifications reach the page that holds it.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QTest>

#include <vector>

#include "gui/controls/CBitComboBox.h"
#include "resources/SkinRegistry.h"
#include "support/WidgetTesting.h"

namespace orvek {
namespace {

using namespace orvek::testing;

const QColor kGrey(58, 58, 58);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

class CBitComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.resize(400, 300);
        combo = new CBitComboBox(&page);
        combo->setGeometry(20, 20, 160, 24);
        parkPointer();
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    }
    void TearDown() override { combo->hidePopup(); }

    QRect arrowCellArea() const { return QRect(combo->width() - 23, 2, 21, 20); }
    QImage arrowCell(int state) const {
        return pictureCellOnBlack(SkinId::ArrowStrip, QRect(21 * state, 0, 21, 20));
    }
    // The box left of the arrow cell, where only the background and the text show.
    QRect textArea() const { return QRect(0, 0, combo->width() - 23, combo->height()); }

    // Checks the background colour and the arrow cell the box paints.
    void expectLook(int state) {
        const QImage image = renderWidget(*combo);
        const QColor background = state == 0 ? kGrey : kRed;
        EXPECT_EQ(QColor(image.pixel(1, 1)), background) << "state " << state;
        EXPECT_EQ(QColor(image.pixel(combo->width() - 2, combo->height() - 1)), background)
            << "state " << state;
        EXPECT_TRUE(regionMatches(image, arrowCellArea(), arrowCell(state)))
            << "arrow cell of state " << state;
        EXPECT_EQ(combo->arrowState(), state);
    }

    QWidget page;
    CBitComboBox* combo = nullptr;
};

TEST_F(CBitComboBoxTest, ArrowCellFollowsThePointerAndTheButton) {
    combo->addItem(QStringLiteral("Normal"));
    expectLook(0);

    // The pointer arrives through the window system, so that opening the list later moves it
    // out of the box as it would on a desktop.
    QTest::mouseMove(combo, QPoint(30, 10));
    expectLook(1);
    EXPECT_TRUE(combo->hoverTracking());

    // The press opens the list; the box shows the pressed cell while the list holds the pointer.
    QTest::mousePress(combo, Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_TRUE(combo->isListOpen());
    expectLook(2);

    // Moves while the leave notification is pending leave the pressed look alone.
    sendMove(*combo, QPoint(60, 12), Qt::LeftButton);
    expectLook(2);

    sendRelease(*combo, QPoint(60, 12));
    expectLook(1);

    // Closing the list forgets the hover: the pointer may be anywhere by then.
    combo->hidePopup();
    expectLook(0);

    sendEnter(*combo, QPoint(40, 10));
    expectLook(1);
    sendLeave(*combo);
    expectLook(0);
    EXPECT_FALSE(combo->hoverTracking());

    // Without an enter, a plain move lights the box as well.
    sendMove(*combo, QPoint(40, 10));
    expectLook(1);
    sendLeave(*combo);
}

TEST_F(CBitComboBoxTest, NoSelectionDrawsNoTextAndASelectionDrawsItCentred) {
    // Empty: only the background and the arrow.
    EXPECT_EQ(countPixels(renderWidget(*combo), textArea(), kGrey),
              textArea().width() * textArea().height());

    for (const char* text : {"Low", "Medium", "High"}) combo->addItem(QString::fromLatin1(text));
    EXPECT_EQ(combo->currentIndex(), -1) << "filling the list selects nothing";
    EXPECT_EQ(countPixels(renderWidget(*combo), textArea(), kGrey),
              textArea().width() * textArea().height());

    combo->setCurrentIndex(1);
    const QImage selected = renderWidget(*combo);
    const QRect ink = boundsOfColour(selected, textArea(), kWhite, 40);
    ASSERT_FALSE(ink.isNull()) << "the selected text shows";
    // " Medium" is centred in the box less 18 pixels: the ink sits half a space right of the
    // middle.
    const QFontMetrics metrics(combo->itemFont());
    const double expectedMiddle =
        (combo->width() - 18) / 2.0 + metrics.horizontalAdvance(QLatin1Char(' ')) / 2.0;
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, expectedMiddle, 2.5);
    EXPECT_NEAR((ink.top() + ink.bottom()) / 2.0, combo->height() / 2.0, 3.0);

    // A position past the end clears the selection again.
    combo->setCurrentIndex(5);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(countPixels(renderWidget(*combo), textArea(), kGrey),
              textArea().width() * textArea().height());
}

TEST_F(CBitComboBoxTest, EmptyListTellsThePageButOpensNothing) {
    int dropDowns = 0;
    QObject::connect(combo, &CBitComboBox::dropDown, &page, [&] { ++dropDowns; });
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(dropDowns, 1);
    EXPECT_FALSE(combo->isListOpen());
    EXPECT_EQ(combo->dropList(), nullptr);
}

TEST_F(CBitComboBoxTest, LongTextStopsEighteenPixelsShortOfTheRightEdge) {
    combo->addItem(QStringLiteral("A very long option text that cannot possibly fit the box"));
    combo->setCurrentIndex(0);
    const QImage image = renderWidget(*combo);
    EXPECT_GT(countPixels(image, textArea(), kWhite, 60), 0);
    // The text may cover the first five columns of the arrow cell, never the rest of it.
    const int textEnd = combo->width() - 18;
    EXPECT_TRUE(regionMatches(image, QRect(textEnd, 2, 16, 20), arrowCell(0).copy(5, 0, 16, 20)));
    EXPECT_EQ(countPixels(image, QRect(textEnd, 0, 18, 2), kGrey), 18 * 2);
}

TEST_F(CBitComboBoxTest, DropDownWidthOnlyEverGrows) {
    combo->addItem(QStringLiteral("short"));
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_TRUE(combo->isListOpen());
    EXPECT_EQ(combo->droppedWidth(), combo->width())
        << "short entries keep the list as wide as the box";
    combo->hidePopup();

    const QString wide = QStringLiteral("An entry much, much wider than the closed box");
    combo->addItem(wide);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_TRUE(combo->isListOpen());
    const int widened = combo->droppedWidth();
    const QFontMetrics metrics(combo->itemFont());
    EXPECT_GE(widened, metrics.horizontalAdvance(wide) + metrics.averageCharWidth());
    EXPECT_GE(combo->view()->window()->width(), widened) << "the open list is as wide as promised";
    combo->hidePopup();

    // Removing the wide entry does not narrow the list again.
    combo->removeItem(1);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_TRUE(combo->isListOpen());
    EXPECT_EQ(combo->droppedWidth(), widened);
    EXPECT_GE(combo->view()->window()->width(), widened);
}

TEST_F(CBitComboBoxTest, OpenListIsDarkGreyWithRedHighlightAndWhiteText) {
    for (const char* text : {"Off", "Level 1", "Level 2", "Level 3"})
        combo->addItem(QString::fromLatin1(text));
    combo->setCurrentIndex(2);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_TRUE(combo->isListOpen());
    QAbstractItemView* list = combo->dropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list, combo->view());

    QImage image(list->viewport()->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    list->viewport()->render(&image);
    const QRect highlighted = list->visualRect(combo->model()->index(2, 0));
    const QRect plain = list->visualRect(combo->model()->index(0, 0));
    ASSERT_TRUE(highlighted.isValid() && plain.isValid());
    EXPECT_EQ(QColor(image.pixel(highlighted.left() + 1, highlighted.top() + 1)), kRed);
    EXPECT_EQ(QColor(image.pixel(plain.left() + 1, plain.top() + 1)), kGrey);
    // White text, centred in its row.
    const QRect ink = boundsOfColour(image, plain, kWhite, 40);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, plain.center().x(), 2.5);
    // Below the last row the list is dark grey too.
    const QRect last = list->visualRect(combo->model()->index(3, 0));
    if (last.bottom() + 2 < image.height()) {
        EXPECT_EQ(QColor(image.pixel(2, last.bottom() + 2)), kGrey);
    }
}

// A page that records what its list tells it.
class RecordingPage : public QWidget {
public:
    std::vector<QString> events;
};

TEST(CBitComboBoxNotifications, DropDownAndSelectionChangeReachTheParent) {
    RecordingPage page;
    page.resize(300, 200);
    auto* combo = new CBitComboBox(&page);
    combo->setGeometry(10, 10, 160, 24);
    for (const char* text : {"Forward", "For/Rev", "For/Rev/Brake"})
        combo->addItem(QString::fromLatin1(text));
    bool listWasOpenAtDropDown = true;
    QObject::connect(combo, &CBitComboBox::dropDown, &page, [&] {
        page.events.push_back(QStringLiteral("dropDown"));
        listWasOpenAtDropDown = combo->isListOpen();
    });
    QObject::connect(combo, &CBitComboBox::selectionChanged, &page, [&](int index) {
        page.events.push_back(
            QStringLiteral("selection %1 %2").arg(index).arg(combo->currentText()));
    });
    parkPointer();
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_TRUE(combo->isListOpen());
    EXPECT_FALSE(listWasOpenAtDropDown) << "the page hears of the drop-down before the list opens";

    // Pick the third entry in the open list with the mouse, as a person would: a little later,
    // pointing first (the list ignores a release that comes right after it opened).
    QAbstractItemView* list = combo->view();
    const QPoint entry = list->visualRect(combo->model()->index(2, 0)).center();
    QTest::mouseMove(list->viewport(), entry, QApplication::doubleClickInterval() + 20);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
    EXPECT_FALSE(combo->isListOpen());
    EXPECT_EQ(combo->currentIndex(), 2);

    // The closed box shows the new entry.
    const QImage image = renderWidget(*combo);
    EXPECT_GT(countPixels(image, QRect(0, 0, combo->width() - 23, combo->height()), kWhite, 40), 0);

    // And with the keys on the closed box.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->currentIndex(), 1);

    const std::vector<QString> expected = {QStringLiteral("dropDown"),
                                           QStringLiteral("selection 2 For/Rev/Brake"),
                                           QStringLiteral("selection 1 For/Rev")};
    EXPECT_EQ(page.events, expected);
}

TEST(CBitComboBoxEntries, OnlyAListCreatedSortedSortsItsEntries) {
    CBitComboBox plain;
    CBitComboBox sorted(nullptr, true);
    EXPECT_FALSE(plain.isSorted());
    EXPECT_TRUE(sorted.isSorted());
    const std::vector<QString> arrivals = {QStringLiteral("zeta"), QStringLiteral("Arc"),
                                           QStringLiteral("basis"), QStringLiteral("arc 2"),
                                           QStringLiteral("Basis")};
    for (const QString& text : arrivals) {
        plain.addString(text);
        sorted.addString(text);
    }
    std::vector<QString> plainOrder, sortedOrder;
    for (int i = 0; i < plain.count(); ++i) plainOrder.push_back(plain.itemText(i));
    for (int i = 0; i < sorted.count(); ++i) sortedOrder.push_back(sorted.itemText(i));
    EXPECT_EQ(plainOrder, arrivals);
    // Letter case does not count; equal texts keep the order they came in.
    const std::vector<QString> alphabetical = {QStringLiteral("Arc"), QStringLiteral("arc 2"),
                                               QStringLiteral("basis"), QStringLiteral("Basis"),
                                               QStringLiteral("zeta")};
    EXPECT_EQ(sortedOrder, alphabetical);
    EXPECT_EQ(sorted.currentIndex(), -1);
    EXPECT_EQ(sorted.addString(QStringLiteral("Blinky")), 4);

    // Inserting at a position works on any list, sorted or not.
    plain.insertItem(0, QStringLiteral("first"));
    EXPECT_EQ(plain.itemText(0), QStringLiteral("first"));
}

}  // namespace
}  // namespace orvek
