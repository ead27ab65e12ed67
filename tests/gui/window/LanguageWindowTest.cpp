// The window in German, Japanese and French against English, through the real window on the
// simulator: its menus, page buttons, lists and lamps reach assistive technology in the language;
// the ESC is identified and a changed setting written with the very bytes the English window
// sends; the option texts stay as the ESC's lists name them; Help > Language writes the user's
// config.ini for the next start.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/Language.h"
#include "gui/desktop/Translation.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "settings/ParamTable.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

struct Expected {
    const char* code;
    std::vector<const char*> menus;  // the bar's three menus
    std::vector<const char*> names;  // some of what assistive technology reads
};

const Expected kExpected[] = {
    {"en",
     {"&File", "&Device", "&Help"},
     {"USER SUPPORT", "ESC SETUP", "FIRMWARE", "ESC connected", "Rotation Mode", "SEND SETTING",
      "Category"}},
    {"de",
     {"&Datei", "&Gerät", "&Hilfe"},
     {"SUPPORT", "REGLER-SETUP", "FIRMWARE", "Regler verbunden", "Drehrichtung", "SETUP SENDEN",
      "Kategorie"}},
    {"ja",
     {"ファイル(&F)", "デバイス(&D)", "ヘルプ(&H)"},
     {"ユーザーサポート", "ESC設定", "ファームウェア", "ESC接続", "回転方向", "設定送信",
      "カテゴリー"}},
    {"fr",
     {"&Fichier", "&Appareil", "Ai&de"},
     {"ASSISTANCE", "RÉGLAGES VARIATEUR", "FIRMWARE", "Variateur connecté", "Sens de rotation",
      "ENVOYER RÉGLAGES", "Catégorie"}},
};

void collectNames(QAccessibleInterface* node, std::set<QString>& names) {
    if (!node || !node->isValid()) return;
    names.insert(node->text(QAccessible::Name));
    for (int i = 0; i < node->childCount(); ++i) collectNames(node->child(i), names);
}

struct LanguageRun {
    std::vector<std::uint8_t> wire;    // what the ESC received from identification to commit
    std::vector<std::string> options;  // the Operation Mode list's texts
};

LanguageRun identifyAndWrite(const Expected& language) {
    LanguageRun run;
    WindowRig rig;
    EXPECT_TRUE(rig.ok);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.tick();
    rig.sim.clearReceived();
    rig.choose(deviceCommand::Esc);
    rig.tick();
    EXPECT_EQ(rig.status().escState, EscState::Identified) << language.code;

    const QList<QAction*> menus = w.menuBar().actions();
    EXPECT_EQ(menus.size(), 3) << language.code;
    for (int i = 0; i < std::min<int>(menus.size(), 3); ++i)
        EXPECT_EQ(menus[i]->text(), QString::fromUtf8(language.menus[static_cast<std::size_t>(i)]))
            << language.code;

    std::set<QString> names;
    w.ShowPage(CTarnwick11Dlg::Page::EscSetup);
    collectNames(QAccessible::queryAccessibleInterface(&w), names);
    for (const char* name : language.names)
        EXPECT_EQ(names.count(QString::fromUtf8(name)), 1U) << language.code << ": " << name;

    const ParameterLists& lists = w.settingsPage().lists();
    const OptionList& mode = lists.byKey(key::OperationMode);
    for (int i = 0; i < mode.count(); ++i) run.options.push_back(mode.textAt(i));
    const OptionList& rotation = lists.byKey(key::RotationMode);
    w.session().selectOption(key::RotationMode, rotation.selection() == 0 ? 1 : 0);
    w.session().requestWrite();
    rig.tick();
    EXPECT_EQ(rig.sim.commits(), 1) << language.code;
    EXPECT_TRUE(rig.messages.shown.empty()) << language.code;
    for (const sim::ReceivedByte& b : rig.sim.received()) run.wire.push_back(b.value);
    EXPECT_EQ(w.callsOffThread(), 0);
    return run;
}

TEST(WindowLanguage, EachLanguageReadsInItsWordsAndWritesTheBytesOfEnglish) {
    std::vector<LanguageRun> runs;
    for (const Expected& language : kExpected) {
        ASSERT_TRUE(installWindowLanguage(language.code)) << language.code;
        runs.push_back(identifyAndWrite(language));
    }
    installWindowLanguage("en");
    ASSERT_FALSE(runs[0].wire.empty());
    ASSERT_FALSE(runs[0].options.empty());
    for (std::size_t i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].wire, runs[0].wire) << kExpected[i].code;
        // Option texts are the ESC's own words in every language.
        EXPECT_EQ(runs[i].options, runs[0].options) << kExpected[i].code;
    }
}

TEST(WindowLanguage, ALanguageAskedForButNotSpokenIsSaidUnderThePageButtonsAboveTheOtherNotes) {
    WindowRig rig({}, false);
    rig.options.startNote = "The window does not speak 'tlh'; it speaks English";
    CTarnwick11Dlg& w = rig.win();
    w.show();
    auto* note = w.findChild<QLabel*>(QString::number(windowControl::PortAccessNote));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), QStringLiteral("The window does not speak 'tlh'; it speaks English"));
    // A history note later comes below it; the start note stays.
    w.showHistoryNote("No such record in the settings history.");
    EXPECT_EQ(note->text(), QStringLiteral("The window does not speak 'tlh'; it speaks English\n"
                                           "No such record in the settings history."));
}

TEST(WindowLanguage, HelpLanguageListsTheLanguagesAndWritesTheUsersConfigForTheNextStart) {
    testing::TempFolder home;
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = before ? before : "";
    ::setenv("XDG_CONFIG_HOME", home.path().string().c_str(), 1);
    {
        ASSERT_TRUE(installWindowLanguage("fr"));
        WindowRig rig;
        CTarnwick11Dlg& w = rig.win();
        // Each language by its own name; the one spoken now is checked; the menu says when.
        QAction* german = w.menuAction(menuCommand::FirstLanguage + 1);
        ASSERT_NE(german, nullptr);
        EXPECT_EQ(german->text(), QStringLiteral("Deutsch"));
        EXPECT_EQ(w.menuAction(menuCommand::FirstLanguage + 2)->text(), QStringLiteral("日本語"));
        EXPECT_TRUE(w.menuAction(menuCommand::FirstLanguage + 3)->isChecked());
        EXPECT_FALSE(german->isChecked());
        QMenu* languages = qobject_cast<QMenu*>(german->parent());
        ASSERT_NE(languages, nullptr);
        EXPECT_EQ(languages->title(), QStringLiteral("&Langue (au prochain démarrage)"));

        german->trigger();
        EXPECT_TRUE(german->isChecked());
        EXPECT_TRUE(rig.messages.shown.empty());
        std::ifstream file(home.path() / "orvek-link" / "config.ini");
        std::stringstream text;
        text << file.rdbuf();
        EXPECT_NE(text.str().find("[Language]"), std::string::npos) << text.str();
        EXPECT_NE(text.str().find("name=de"), std::string::npos) << text.str();
        EXPECT_EQ(readConfiguredLanguage(rig.program.path()), "de");
        // Taken at the next start: this window still speaks French.
        EXPECT_EQ(w.menuBar().actions()[0]->text(), QStringLiteral("&Fichier"));
    }
    installWindowLanguage("en");
    if (before) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
}  // namespace orvek
