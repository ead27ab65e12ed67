// File > Save as Setup Sheet from the real window: the lists as they show, the notes as entered,
// saved into the racer's own Profile folder, listed and selected at once, and loaded back through
// the page's own Category and Setup Sheet lists into the same selections and notes.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <fstream>
#include <iterator>

#include "PageRig.h"
#include "gui/pages/settings/CSaveSheetDlg.h"
#include "gui/pages/settings/EscSetupControls.h"
#include "gui/window/WindowResources.h"

namespace orvek {
namespace {

using namespace escSetupControl;
using testing::PageRig;
namespace fs = std::filesystem;

// Hands over preset forms and keeps what the window offered.
class PresetSheetForms : public SheetFormDialog {
public:
    std::deque<SheetForm> answers;
    std::vector<SheetForm> offered;
    std::optional<SheetForm> ask(const SheetForm& prefill) override {
        offered.push_back(prefill);
        if (answers.empty()) return std::nullopt;
        SheetForm form = answers.front();
        answers.pop_front();
        return form;
    }
};

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A rig whose racer's data folder is its own, with the preset forms plugged into the window.
struct SaveRig {
    explicit SaveRig(sim::SimOptions options = {}) {
        if (const char* before = std::getenv("XDG_DATA_HOME")) dataHomeBefore = before;
        ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        rig = std::make_unique<PageRig>(std::move(options), [this](WindowOptions& o) {
            o.sheetForm = &forms;
            o.cardDialogs = &cardFiles;
        });
    }
    ~SaveRig() {
        rig.reset();
        ::setenv("XDG_DATA_HOME", dataHomeBefore.c_str(), 1);
    }
    fs::path sheet(const std::string& category, const std::string& name) const {
        return data.path() / "orvek-link" / "Profile" / category / (name + ".ini");
    }
    void save() {
        rig->window.win().menuAction(menuCommand::SaveAsSetupSheet)->trigger();
        rig->settle();
    }

    std::string dataHomeBefore;
    testing::TempFolder data;
    PresetSheetForms forms;
    testing::PresetFileDialogs cardFiles;
    std::unique_ptr<PageRig> rig;
};

SheetForm formFor(const std::string& name) {
    SheetForm form;
    form.category = "Drift Car";
    form.name = name;
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) form.info[k] = "info " + std::to_string(k);
    form.memo = "heat 2, too much punch";
    return form;
}

TEST(SaveAsSetupSheet, ASavedSheetIsSelectedAndLoadsBackIntoTheSameSelectionsAndNotes) {
    for (const std::uint8_t typeCode :
         {0x0B, 0x0C, 0x0D}) {  // Expert, Stock, a Blinky's empty lists
        SCOPED_TRACE(typeCode);
        SaveRig s(testing::escOptions(typeCode));
        PageRig& rig = *s.rig;
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        if (typeCode == 0x0B) {
            rig.pick(1016, QStringLiteral("Level 10"));  // begins as "Level 1" does
            rig.pick(1012, QStringLiteral("40%"));
        }
        const auto saved = rig.selectedTexts();
        s.forms.answers.push_back(formFor("Heat 2"));
        s.save();

        // The dialog was offered the ESC's firmware and today's date.
        ASSERT_EQ(s.forms.offered.size(), 1u);
        const char* firmware = typeCode == 0x0B   ? "Expert V1.30"
                               : typeCode == 0x0C ? "Stock V1.30"
                                                  : "Blinky V1.30";
        EXPECT_EQ(s.forms.offered[0].info[3], firmware);
        char today[16];
        const std::time_t now = std::time(nullptr);
        std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
        EXPECT_EQ(s.forms.offered[0].info[1], today);

        ASSERT_TRUE(fs::exists(s.sheet("Drift Car", "Heat 2")));
        EXPECT_EQ(rig.box(CategoryList)->currentText(), QStringLiteral("Drift Car"));
        EXPECT_EQ(rig.box(SetupSheetList)->currentText(), QStringLiteral("Heat 2"))
            << "listed and selected at once";

        // Other values, then the sheet through the page's own lists.
        if (typeCode == 0x0B) {
            rig.pick(1016, QStringLiteral("Level 1"));
            rig.pick(1012, QStringLiteral("10%"));
        }
        rig.pick(CategoryList, QStringLiteral("Fun Car"));
        rig.pick(CategoryList, QStringLiteral("Drift Car"));
        rig.pick(SetupSheetList, QStringLiteral("Heat 2"));
        EXPECT_EQ(rig.selectedTexts(), saved);
        for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
            EXPECT_EQ(rig.page.shownNotes().info[k], "info " + std::to_string(k));
        }
        EXPECT_EQ(static_cast<QPlainTextEdit*>(rig.page.control(CommentField))->toPlainText(),
                  QStringLiteral("heat 2, too much punch"));
        EXPECT_TRUE(rig.messages.shown.empty());
    }
}

TEST(SaveAsSetupSheet, ANameEndingInIniIsSavedListedAndSelectedUnderItsTitle) {
    SaveRig s;
    PageRig& rig = *s.rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    s.forms.answers.push_back(formFor("Heat 3.INI"));
    s.save();
    EXPECT_TRUE(fs::exists(s.sheet("Drift Car", "Heat 3")));
    EXPECT_FALSE(fs::exists(s.sheet("Drift Car", "Heat 3.INI")));
    EXPECT_EQ(rig.box(SetupSheetList)->currentText(), QStringLiteral("Heat 3"));
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(SaveAsSetupSheet, ReplacingIsAskedAndNoLeavesTheSheetAsItWas) {
    SaveRig s;
    PageRig& rig = *s.rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    fs::create_directories(s.sheet("Drift Car", "x").parent_path());
    std::ofstream(s.sheet("Drift Car", "Mine"), std::ios::binary)
        << "[option]\r\nDrag Brake=5%\r\n";
    const std::string before = fileBytes(s.sheet("Drift Car", "Mine"));

    s.forms.answers.push_back(formFor("mine"));  // letter case aside, the same sheet
    rig.messages.answers = {false};
    s.save();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_TRUE(rig.messages.shown[0].question);
    EXPECT_NE(rig.messages.shown[0].text.find("already exists"), std::string::npos);
    EXPECT_EQ(fileBytes(s.sheet("Drift Car", "Mine")), before);

    s.forms.answers.push_back(formFor("Mine"));
    rig.messages.answers = {true};
    s.save();
    EXPECT_NE(fileBytes(s.sheet("Drift Car", "Mine")), before);
}

TEST(SaveAsSetupSheet, AnInstalledSheetsNameIsSavedToTheRacersFolderOnly) {
    SaveRig s;
    PageRig& rig = *s.rig;
    ASSERT_TRUE(rig.ok);
    const fs::path installed = rig.programFolder.path() / "Profile" / "Drift Car" / "Team.ini";
    fs::create_directories(installed.parent_path());
    std::ofstream(installed, std::ios::binary) << "[option]\r\nDrag Brake=5%\r\n";
    const std::string before = fileBytes(installed);
    rig.connectEsc();

    s.forms.answers.push_back(formFor("Team"));
    rig.messages.answers = {true};
    s.save();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_NE(rig.messages.shown[0].text.find("installed"), std::string::npos);
    EXPECT_EQ(fileBytes(installed), before) << "the installed data is never written";
    EXPECT_TRUE(fs::exists(s.sheet("Drift Car", "Team")));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(installed.parent_path()), fs::directory_iterator()),
        1);
}

TEST(ExportSetupCard, TheMenuWritesTheCardOfThePageAsItShows) {
    SaveRig s;
    PageRig& rig = *s.rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.pick(1012, QStringLiteral("40%"));              // Drag Brake
    const fs::path card = s.data.path() / "race card";  // ".pdf" is added
    s.cardFiles.toSave.push_back(card);
    rig.window.win().menuAction(menuCommand::ExportSetupCard)->trigger();
    const fs::path pdf = s.data.path() / "race card.pdf";
    ASSERT_TRUE(fs::exists(pdf));
    const std::string command = "pdftotext -layout '" + pdf.string() + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        text.append(buffer, n);
    for (const char* expected : {"Expert V1.30", "Drag Brake", "40%", "Expert family"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_TRUE(rig.sim.received().empty()) << "the card talks to nothing";
}

TEST(SaveAsSetupSheet, TheDialogRefusesANameOrMemoTheSheetCouldNotGiveBack) {
    SheetForm prefill = formFor("");
    CSaveSheetDlg dialog(prefill);
    dialog.show();
    for (const char* name : {"", "../x", "a/b", ".hidden", "a:b", "CON", "name.", "  "}) {
        dialog.nameField().setText(QString::fromUtf8(name));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << name;
        EXPECT_FALSE(dialog.note().text().isEmpty()) << name;
    }
    // The core's reason, as a sentence.
    EXPECT_EQ(dialog.note().text(), QStringLiteral("A sheet name may not be only spaces."));
    dialog.nameField().setText(QStringLiteral("Heat 2"));
    dialog.memoField().setText(QString(260, QLatin1Char('m')));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.note().text(),
              QStringLiteral("The memo is 260 bytes long; a sheet keeps at most 259 (a plain "
                             "letter takes 1 byte, an accented one 2, a Japanese character 3)."));
    dialog.memoField().setText(QStringLiteral("fine"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.form().name, "Heat 2");
    EXPECT_EQ(dialog.form().category, "Drift Car");
}

}  // namespace
}  // namespace orvek
