// File > Write Series in the window against simulated ESCs swapped on one adapter: the start
// dialog, the running list on ESC SETUP with a row per ESC, the state files and records, the
// report, and what the keyboard and assistive technology reach.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/pages/settings/SeriesPanel.h"
#include "gui/window/CSeriesDlg.h"
#include "history/HistoryStore.h"
#include "sim/EscSeries.h"
#include "sim/StateFile.h"
#include "support/WindowRig.h"

namespace fs = std::filesystem;

namespace orvek::testing {
namespace {

constexpr int kUnpluggedMs = 300;

// The racer's answers, given through the real dialog: a sheet of a category, a name, a count.
class SheetSeriesForm : public SeriesFormDialog {
public:
    std::optional<SeriesStart> ask(const SeriesChoices& choices) override {
        asked = choices;
        CSeriesDlg dialog(choices);
        dialog.categoryList().setCurrentText(QStringLiteral("Fun Car"));
        defaultName = dialog.nameField().text().toStdString();
        dialog.nameField().setText(QStringLiteral("pit lane"));
        dialog.countField().setValue(6);
        startEnabled = dialog.startButton().isEnabled();
        return dialog.form();
    }
    SeriesChoices asked;
    std::string defaultName;
    bool startEnabled = false;
};

std::string content(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

sim::SettingsBlock held(const fs::path& file) {
    sim::SettingsBlock block{};
    EXPECT_TRUE(sim::readStateFile(file.string(), block)) << file;
    return block;
}

struct SeriesWindow : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(rig.ok);
        writeBytes(rig.program.path() / "Profile" / "Fun Car" / "Club.ini",
                   "[info]\r\nFirmware=Expert V1.30\r\n[option]\r\nDrag Brake=20%\r\n");
        for (const char* name : {"e1", "e2", "e3", "s4", "e5", "e6"})
            ASSERT_TRUE(sim::writeStateFile(state(name), defaults));
        std::string error;
        ASSERT_TRUE(sim::parseEscSeries("expert:3:" + state("e1") + ",expert:3:" + state("e2") +
                                            ",expert:3:" + state("e3") + ",stock:3:" + state("s4") +
                                            ",expert:3:" + state("e5") +
                                            ",expert:3:" + state("e6") + ":nak=4",
                                        list, error))
            << error;
        rig.options.seriesForm = &form;
        rig.options.reportDialogs = &reports;
    }
    std::string state(const char* name) const { return (rig.program.path() / name).string(); }

    // The first ESC identified in the window, then File > Write Series through the dialog.
    void startWithFirstEsc(sim::EscSeries& escs) {
        ASSERT_TRUE(escs.plugInFirst());
        rig.win().show();
        rig.connectEsc();
        rig.win().menuAction(menuCommand::WriteSeries)->trigger();
        ASSERT_TRUE(waitUntil([&] { return rig.status().series; }));
    }

    // The ESC on the line goes; the window sees it gone; the next one is identified and served.
    void swap(sim::EscSeries& escs, SeriesPanel& panel) {
        escs.unplug(rig.sim.nowMs());
        rig.tick();
        EXPECT_EQ(panel.line().text().toStdString(), "Plug in the next ESC");
        std::string said;
        escs.poll(rig.sim.nowMs() + kUnpluggedMs, said);
        ASSERT_FALSE(said.empty());
        rig.tick();
    }

    WindowRig rig;
    SheetSeriesForm form;
    PresetFileDialogs reports;
    std::vector<sim::SeriesEsc> list;
    const sim::SettingsBlock defaults = sim::Simulator().settings();
};

TEST_F(SeriesWindow, SixEscsGiveTheirRowsStateFilesRecordsAndReport) {
    sim::EscSeries escs(rig.sim, list, {}, kUnpluggedMs);
    ASSERT_NO_FATAL_FAILURE(startWithFirstEsc(escs));
    CTarnwick11Dlg& w = rig.win();
    EXPECT_TRUE(form.startEnabled);
    EXPECT_TRUE(form.asked.pageHasValues) << "an ESC is identified";
    EXPECT_EQ(form.defaultName, "Club " + historyTimeNow().substr(0, 10));
    EXPECT_EQ(w.shownPage(), CTarnwick11Dlg::Page::EscSetup);
    EXPECT_FALSE(w.menuAction(menuCommand::WriteSeries)->isEnabled()) << "one series at a time";
    SeriesPanel& panel = w.settingsPage().seriesPanel();
    EXPECT_TRUE(panel.isVisible());

    rig.tick();  // the ESC on the line is the first
    ASSERT_EQ(panel.rows().count(), 1);
    EXPECT_EQ(panel.line().text().toStdString(), "Unplug ESC 1 (or power it off)");
    EXPECT_TRUE(panel.endButton().isVisible());
    EXPECT_FALSE(panel.saveButton().isVisible());
    // ESC 5 holds the values before it comes.
    const sim::SettingsBlock written = held(state("e1"));
    EXPECT_NE(written, defaults);
    ASSERT_TRUE(sim::writeStateFile(state("e5"), written));
    for (int n = 2; n <= 6; ++n) swap(escs, panel);

    const char* const expected[] = {
        "ESC 1: written and verified\nORVEK ARC, Expert V1.30, 1 setting changed",
        "ESC 2: written and verified\nORVEK ARC, Expert V1.30, 1 setting changed",
        "ESC 3: written and verified\nORVEK ARC, Expert V1.30, 1 setting changed",
        ("ESC 4: refused\nORVEK BASIS SPEC, Stock V1.30\nthe values are for an Expert ESC; this "
         "is a Stock ESC"),
        "ESC 5: already equal\nORVEK ARC, Expert V1.30",
        "ESC 6: failed\nORVEK ARC, Expert V1.30\nSend fail (pair 5 of 22"};
    ASSERT_EQ(panel.rows().count(), 6);
    for (int i = 0; i < 6; ++i) {
        const std::string row = panel.rows().item(i)->text().toStdString();
        EXPECT_EQ(row.rfind(expected[i], 0), 0u) << row;
    }
    // The result by shape too: one picture per result, a different one for each.
    const auto shape = [&](int row) {
        return panel.rows().item(row)->icon().pixmap(16, 16).toImage();
    };
    EXPECT_FALSE(shape(0).isNull());
    EXPECT_EQ(shape(0), shape(1));
    for (int a : {0, 3, 4, 5})
        for (int b : {0, 3, 4, 5})
            if (a < b) {
                EXPECT_NE(shape(a), shape(b)) << a << " " << b;
            }
    // Its shape without colour: the grey pictures differ too.
    EXPECT_NE(shape(0).convertToFormat(QImage::Format_Grayscale8),
              shape(4).convertToFormat(QImage::Format_Grayscale8));

    EXPECT_FALSE(rig.status().series) << "ended after six";
    EXPECT_EQ(panel.line().text().toStdString(), "Series ended: 6 ESCs");
    EXPECT_TRUE(panel.saveButton().isVisible());
    EXPECT_TRUE(w.menuAction(menuCommand::WriteSeries)->isEnabled());

    for (const char* name : {"e1", "e2", "e3", "e5"}) EXPECT_EQ(held(state(name)), written) << name;
    EXPECT_EQ(held(state("s4")), defaults) << "the refused one holds its own";
    EXPECT_EQ(held(state("e6")), defaults) << "the failed one committed nothing";

    // One write record for each ESC written, with the series as its source.
    std::vector<HistoryRecord> records;
    int writes = 0;
    ASSERT_TRUE(waitUntil([&] {
        HistoryStore store(rig.options.historyFile);
        writes = 0;
        if (store.list("", 0, records) != HistoryStatus::Ok) return false;
        for (const HistoryRecord& r : records)
            if (r.kind == HistoryKind::Write && r.origin.source == ValuesSource::Series &&
                r.origin.detail == "pit lane")
                ++writes;
        return writes == 3;
    }));

    // Save Report… as CSV, then as JSON; another ending is refused with a box.
    const fs::path csv = rig.program.path() / "pit.csv";
    const fs::path json = rig.program.path() / "pit.json";
    reports.toSave = {csv, json, rig.program.path() / "pit.txt"};
    for (int i = 0; i < 3; ++i) panel.saveButton().click();
    const std::string table = content(csv);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 7) << table;
    EXPECT_NE(table.find(",refused,the values are for an Expert ESC"), std::string::npos);
    EXPECT_NE(content(json).find("\"name\": \"pit lane\""), std::string::npos);
    EXPECT_FALSE(fs::exists(rig.program.path() / "pit.txt"));
    ASSERT_FALSE(rig.messages.shown.empty());
    EXPECT_EQ(rig.messages.shown.back().text, "A series report is written as .csv or .json.");

    panel.closeButton().click();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(w.callsOffThread(), 0);
}

TEST_F(SeriesWindow, TheListIsReadOutAndReachedByKeyAndEndSeriesEndsIt) {
    sim::EscSeries escs(rig.sim, list, {}, kUnpluggedMs);
    ASSERT_NO_FATAL_FAILURE(startWithFirstEsc(escs));
    CTarnwick11Dlg& w = rig.win();
    rig.tick();
    SeriesPanel& panel = w.settingsPage().seriesPanel();
    ASSERT_EQ(panel.rows().count(), 1);

    // Assistive technology reads the list by name and each row with its result in words.
    QAccessibleInterface* listAccess = QAccessible::queryAccessibleInterface(&panel.rows());
    ASSERT_NE(listAccess, nullptr);
    EXPECT_EQ(listAccess->text(QAccessible::Name).toStdString(), seriesPanelText::ListName);
    bool rowRead = false;
    for (int i = 0; i < listAccess->childCount(); ++i) {
        if (listAccess->child(i)
                ->text(QAccessible::Name)
                .startsWith(QStringLiteral("ESC 1: written and verified")))
            rowRead = true;
    }
    EXPECT_TRUE(rowRead);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&panel.line())->text(QAccessible::Name),
              QString::fromUtf8(seriesPanelText::LineName));

    // Tab from the last list of the page reaches the running list and End Series.
    const std::vector<QWidget*> stops = w.settingsPage().tabStops();
    const auto at = [&](QWidget* widget) {
        return std::find(stops.begin(), stops.end(), widget) - stops.begin();
    };
    ASSERT_LT(at(&panel.rows()), static_cast<long>(stops.size()));
    EXPECT_EQ(at(&panel.endButton()), at(&panel.rows()) + 1);
    panel.rows().setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &panel.endButton());
    QTest::keyClick(&panel.endButton(), Qt::Key_Space);
    rig.settle();
    EXPECT_FALSE(rig.status().series);
    EXPECT_EQ(panel.line().text().toStdString(), "Series ended: 1 ESC");

    // Ended: the next ESC is not served.
    escs.unplug(rig.sim.nowMs());
    rig.tick();
    std::string said;
    escs.poll(rig.sim.nowMs() + kUnpluggedMs, said);
    rig.tick();
    EXPECT_EQ(panel.rows().count(), 1);
    EXPECT_EQ(held(state("e2")), defaults);
}

TEST(SeriesDialog, OffersWhatThePageAndTheHistoryHold) {
    TempFolder program;
    writeBytes(program.path() / "Profile" / "Modify Touring" / "Nationals.ini", "[option]\r\n");
    SeriesChoices choices;
    choices.programFolder = program.path();
    choices.today = "2026-12-10";
    // Nothing on the page, no records: a settings file, and Start waits for one.
    {
        CSeriesDlg dialog(choices);
        EXPECT_FALSE(dialog.pageChoice().isEnabled());
        EXPECT_FALSE(dialog.recordChoice().isEnabled());
        EXPECT_TRUE(dialog.fileChoice().isChecked());
        EXPECT_FALSE(dialog.startButton().isEnabled());
        QTest::keyClicks(&dialog.fileField(), QStringLiteral("/tmp/pit car.cfg"));
        EXPECT_TRUE(dialog.startButton().isEnabled());
        EXPECT_EQ(dialog.nameField().text().toStdString(), "pit car 2026-12-10");
        const std::optional<SeriesStart> start = dialog.form();
        ASSERT_TRUE(start);
        EXPECT_EQ(start->source, SeriesStart::Source::File);
        EXPECT_EQ(start->file, fs::path("/tmp/pit car.cfg"));
        EXPECT_EQ(start->count, 0u) << "until the racer ends it";
        EXPECT_EQ(dialog.countField().text().toStdString(), seriesDialogText::UntilEnded);
    }
    // The page shows a sheet: it is chosen, and a typed name stays when the values change.
    choices.pageHasValues = true;
    choices.pageCategory = "Modify Touring";
    choices.pageSheet = "Nationals";
    HistoryRecord record;
    record.id = 12;
    record.time = "2026-12-09T10:02:33Z";
    record.kind = HistoryKind::Write;
    record.model = "ORVEK ARC";
    choices.records = {record};
    CSeriesDlg dialog(choices);
    EXPECT_TRUE(dialog.sheetChoice().isChecked());
    EXPECT_EQ(dialog.nameField().text().toStdString(), "Nationals 2026-12-10");
    EXPECT_EQ(dialog.recordList().itemText(0).toStdString(),
              "#12  2026-12-09 10:02  write  ORVEK ARC");
    QTest::keyClicks(&dialog.nameField(), QStringLiteral(" A"));
    dialog.recordChoice().click();
    EXPECT_EQ(dialog.nameField().text().toStdString(), "Nationals 2026-12-10 A");
    const std::optional<SeriesStart> start = dialog.form();
    ASSERT_TRUE(start);
    EXPECT_EQ(start->source, SeriesStart::Source::Record);
    EXPECT_EQ(start->record.id, 12);
    // Emptied, the name follows the values again.
    dialog.nameField().clear();
    dialog.pageChoice().click();
    EXPECT_EQ(dialog.nameField().text().toStdString(), "page settings 2026-12-10");
}

}  // namespace
}  // namespace orvek::testing
