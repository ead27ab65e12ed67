// A page added through the page table: the window shows it with its button, hides the others,
// enables the button by the entry's rule, and takes the page's controls into its Tab round.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "gui/controls/CxSkinButton.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/links/CUserDlg.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "resources/SkinRegistry.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

constexpr int kBlankButton = 1090;

// A page with nothing on it but one field that takes the keyboard.
class BlankPage : public PageBase {
public:
    explicit BlankPage(QWidget* parent) : PageBase(parent), field_(new QLineEdit(this)) {
        field_->setGeometry(100, 100, 200, 24);
        field_->setAccessibleName(QStringLiteral("blank field"));
    }
    std::vector<QWidget*> tabStops() const override { return {field_}; }
    QLineEdit& field() const { return *field_; }

private:
    QLineEdit* field_;
};

PageEntry blankEntry(std::function<bool(DeviceMode)> enabledFor) {
    return {kBlankButton,
            SkinId::UserSupportNormal,
            SkinId::UserSupportPressed,
            SkinId::UserSupportHover,
            QRect(30, 183, 200, 25),
            "BLANK",
            std::move(enabledFor),
            [](const PageServices&, QWidget* frame) -> PageBase* { return new BlankPage(frame); }};
}

constexpr auto kBlank = static_cast<CTarnwick11Dlg::Page>(3);

TEST(PageTable, AFourthPageShowsWithItsButtonAndTakesTab) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    rig.options.extraPages.push_back(blankEntry([](DeviceMode) { return true; }));
    CTarnwick11Dlg& w = rig.win();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    CxSkinButton& button = w.pageButton(kBlankButton);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.accessibleName(), QStringLiteral("BLANK"));
    auto& blank = dynamic_cast<BlankPage&>(w.page(kBlank));
    EXPECT_FALSE(blank.isVisible());

    button.click();
    EXPECT_EQ(w.shownPage(), kBlank);
    EXPECT_TRUE(blank.isVisible());
    EXPECT_TRUE(button.latched);
    EXPECT_FALSE(w.linksPage().isVisible());
    EXPECT_FALSE(w.settingsPage().isVisible());
    EXPECT_FALSE(w.firmwarePage().isVisible());
    EXPECT_FALSE(w.pageButton(windowControl::UserSupportButton).latched);

    // Tab from the last page button goes into the shown page, then round to the first button.
    button.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&button, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &blank.field());
    QTest::keyClick(&blank.field(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &w.pageButton(windowControl::UserSupportButton));

    // Alt+4 is its key; the first page's button brings the first page back.
    w.pageButton(windowControl::UserSupportButton).click();
    EXPECT_FALSE(blank.isVisible());
    QTest::keyClick(&w, Qt::Key_4, Qt::AltModifier);
    EXPECT_EQ(w.shownPage(), kBlank);
    EXPECT_EQ(w.callsOffThread(), 0);
}

TEST(PageTable, AnEntrysRuleEnablesItsButtonForTheModeChosen) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    rig.options.extraPages.push_back(
        blankEntry([](DeviceMode mode) { return mode == DeviceMode::ProgramCard; }));
    CTarnwick11Dlg& w = rig.win();
    rig.tick();
    EXPECT_FALSE(w.pageButton(kBlankButton).isEnabled());
    rig.choose(deviceCommand::Esc);
    EXPECT_FALSE(w.pageButton(kBlankButton).isEnabled());
    EXPECT_TRUE(w.pageButton(windowControl::EscSetupButton).isEnabled());
    rig.choose(deviceCommand::ProgramCard);
    EXPECT_TRUE(w.pageButton(kBlankButton).isEnabled());
    EXPECT_FALSE(w.pageButton(windowControl::EscSetupButton).isEnabled());
    EXPECT_TRUE(w.pageButton(windowControl::FirmwareButton).isEnabled());
}

}  // namespace
}  // namespace orvek
