// The settings history as the window keeps it: every identification and committed write on the
// simulated ESC becomes a record with its kind, source, bytes and texts; File > Settings History
// shows them beside the page, loads one back through the session, and a history that cannot be
// used is said once under the page buttons while the ESC is written all the same.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <random>
#include <set>
#include <thread>

#include "cli/HistoryLoops.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/window/CHistoryDlg.h"
#include "gui/window/WindowResources.h"
#include "history/HistoryStore.h"
#include "history/HistoryTesting.h"
#include "settings/ParamTable.h"
#include "settings/SettingsFile.h"
#include "support/WindowRig.h"

namespace fs = std::filesystem;

namespace orvek::testing {
namespace {

int otherOption(const OptionList& list) { return list.selection() == 0 ? 1 : 0; }

// The records kept so far, oldest first, once `count` of them are there.
std::vector<HistoryRecord> recordsOnceThere(const fs::path& file, std::size_t count) {
    std::vector<HistoryRecord> records;
    waitUntil([&] {
        HistoryStore store(file);
        return store.list("", 0, records) == HistoryStatus::Ok && records.size() >= count;
    });
    std::reverse(records.begin(), records.end());
    return records;
}

std::vector<std::uint8_t> heldBytes(const sim::Simulator& sim) {
    const sim::SettingsBlock held = sim.settings();
    return {held.begin(), held.begin() + kSettingsValueCount};
}

QLabel& noteUnderButtons(CTarnwick11Dlg& w) {
    return *w.findChild<QLabel*>(QString::number(windowControl::PortAccessNote));
}

CHistoryDlg& openHistory(CTarnwick11Dlg& w) {
    w.menuAction(menuCommand::SettingsHistory)->trigger();
    auto* dialog = w.findChild<CHistoryDlg*>();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(waitUntil([&] { return dialog->listings() > 0; }));
    return *dialog;
}

int rowOf(const CHistoryDlg& dialog, std::int64_t id) {
    for (std::size_t i = 0; i < dialog.shown().size(); ++i)
        if (dialog.shown()[i].id == id) return static_cast<int>(i);
    return -1;
}

TEST(HistoryInWindow, ReadsAndWritesBecomeRecordsThatTheDialogComparesAndLoadsBack) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    const fs::path sheet = rig.program.path() / "Profile" / "Fun Car" / "Club.ini";
    writeBytes(sheet, "[option]\r\nBoost Timing=10 deg\r\nTurbo Timing=10 deg\r\n");
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    const std::vector<std::uint8_t> original = heldBytes(rig.sim);
    const ParameterLists& lists = w.settingsPage().lists();
    const SettingsTexts readTexts = selectedSettingsTexts(lists);

    // A changed write from the page, a sheet's write and a defaults write.
    w.session().selectOption(key::DragBrake, otherOption(lists.byKey(key::DragBrake)));
    w.session().requestWrite();
    rig.tick();
    const std::vector<std::uint8_t> changed = heldBytes(rig.sim);
    const SettingsTexts changedTexts = selectedSettingsTexts(lists);
    w.session().loadSetupSheet("Fun Car", "Club");
    w.session().requestWrite();
    rig.tick();
    const std::vector<std::uint8_t> fromSheet = heldBytes(rig.sim);
    w.session().requestDefaults();
    w.session().requestWrite();
    rig.tick();
    const std::vector<std::uint8_t> defaults = heldBytes(rig.sim);
    EXPECT_EQ(rig.sim.commits(), 3);
    ASSERT_TRUE(rig.messages.shown.empty());

    const std::vector<HistoryRecord> records = recordsOnceThere(rig.options.historyFile, 4);
    ASSERT_EQ(records.size(), 4u);
    const std::array<HistoryKind, 4> kinds = {HistoryKind::Read, HistoryKind::Write,
                                              HistoryKind::Write, HistoryKind::Defaults};
    const std::array<const char*, 4> sources = {"device", "page", "sheet Fun Car/Club", "defaults"};
    const std::array<std::vector<std::uint8_t>, 4> blocks = {original, changed, fromSheet,
                                                             defaults};
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].kind, kinds[i]) << i;
        EXPECT_EQ(originText(records[i].origin), sources[i]) << i;
        EXPECT_EQ(records[i].block, blocks[i]) << i;
        EXPECT_EQ(records[i].program, "window");
        EXPECT_EQ(records[i].model, w.settingsPage().escModelText());
        EXPECT_EQ(records[i].family, "Expert");
    }
    EXPECT_EQ(records[0].settings, readTexts);
    EXPECT_EQ(records[1].settings, changedTexts);

    CHistoryDlg& dialog = openHistory(w);
    ASSERT_EQ(dialog.shown().size(), 4u);
    EXPECT_EQ(dialog.shown().front().id, records.back().id) << "newest first";
    EXPECT_EQ(dialog.records().item(0, 1)->text(), "defaults");
    EXPECT_EQ(dialog.records().item(1, 2)->text(), "sheet Fun Car/Club");

    // The first record, loaded with the keyboard: arrows to it, Enter.
    dialog.records().setFocus();
    dialog.records().selectRow(0);
    for (int i = 0; i < 3; ++i) QTest::keyClick(&dialog.records(), Qt::Key_Down);
    ASSERT_EQ(dialog.selected()->id, records[0].id);
    QTest::keyClick(&dialog.records(), Qt::Key_Return);
    rig.settle();
    EXPECT_EQ(selectedSettingsTexts(lists), readTexts);
    EXPECT_EQ(heldBytes(rig.sim), defaults) << "nothing is sent until SEND SETTING";
    EXPECT_EQ(dialog.markedRows(), std::vector<bool>(kParameterCount, false));

    // Beside the page (now the first record), the changed write differs in drag brake alone.
    dialog.records().selectRow(rowOf(dialog, records[1].id));
    std::vector<bool> expected(kParameterCount, false);
    expected[key::DragBrake] = true;
    EXPECT_EQ(dialog.markedRows(), expected);
    EXPECT_TRUE(dialog.comparison().item(key::DragBrake, 0)->font().bold());

    // SEND SETTING puts exactly the first record's bytes back, and records the restore.
    w.session().requestWrite();
    rig.tick();
    EXPECT_EQ(heldBytes(rig.sim), original);
    const std::vector<HistoryRecord> after = recordsOnceThere(rig.options.historyFile, 5);
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(originText(after[4].origin), "history #" + std::to_string(records[0].id));

    // A note, kept and shown again; the record exported as a settings file.
    dialog.records().selectRow(rowOf(dialog, records[0].id));
    dialog.editNote();
    dialog.noteField().setText(QStringLiteral("heat 2, too much punch"));
    QTest::keyClick(&dialog.noteField(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil(
        [&] { return dialog.selected() && dialog.selected()->note == "heat 2, too much punch"; }));
    HistoryStore store(rig.options.historyFile);
    HistoryRecord noted;
    ASSERT_EQ(store.find(records[0].id, noted), HistoryStatus::Ok);
    EXPECT_EQ(noted.note, "heat 2, too much punch");
    rig.files.toSave.push_back(rig.program.path() / "heat2");
    dialog.exportSelected();
    const std::string exported = readBytes(rig.program.path() / "heat2.cfg");
    EXPECT_NE(exported.find("Drag Brake=" + readTexts[key::DragBrake]), std::string::npos);
}

TEST(HistoryInWindow, ADamagedHistoryIsMovedAsideSaidOnceAndTheWriteGoesOn) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    std::mt19937 random(3);
    std::string noise(8192, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    writeBytes(rig.options.historyFile, noise);
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    QLabel& note = noteUnderButtons(w);
    ASSERT_TRUE(waitUntil([&] { return note.isVisible(); }));
    EXPECT_TRUE(note.text().contains(QStringLiteral("moved aside")));
    int asides = 0;
    for (const auto& entry : fs::directory_iterator(rig.program.path()))
        if (entry.path().filename().string().rfind("history.sqlite.damaged-", 0) == 0) {
            ++asides;
            EXPECT_EQ(readBytes(entry.path()), noise);
        }
    EXPECT_EQ(asides, 1);

    w.session().selectOption(key::DragBrake,
                             otherOption(w.settingsPage().lists().byKey(key::DragBrake)));
    w.session().requestWrite();
    rig.tick();
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_EQ(recordsOnceThere(rig.options.historyFile, 2).size(), 2u);
    // Kept again: the note goes.
    EXPECT_TRUE(waitUntil([&] { return !note.isVisible(); }));
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(HistoryInWindow, AHistoryLockedByAnotherProgramIsSaidOnceAndTheWriteGoesOn) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    {
        HistoryStore store(rig.options.historyFile);
        HistoryRecord first = sampleRecord(1);
        ASSERT_EQ(store.add(first), HistoryStatus::Ok);
    }
    RawDatabase other(rig.options.historyFile);
    ASSERT_TRUE(other.exec("BEGIN IMMEDIATE; DELETE FROM records WHERE id < 0;"));
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();
    w.session().selectOption(key::DragBrake,
                             otherOption(w.settingsPage().lists().byKey(key::DragBrake)));
    w.session().requestWrite();
    rig.tick();
    EXPECT_EQ(rig.sim.commits(), 1) << "the write never waits for the history";
    QLabel& note = noteUnderButtons(w);
    ASSERT_TRUE(waitUntil([&] { return note.isVisible(); }, 10000));
    EXPECT_TRUE(note.text().contains(QStringLiteral("locked by another program")));
    EXPECT_EQ(note.text().count(QStringLiteral("locked")), 1);
    ASSERT_TRUE(other.exec("COMMIT"));
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(HistoryInWindow, AWindowAndTwoCommandLinesRecordAtOnceAndNothingIsLostOrDoubled) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    const fs::path dataHome = rig.program.path() / "data";
    rig.options.historyFile = dataHome / "orvek-link" / "history.sqlite";
    CTarnwick11Dlg& w = rig.win();
    w.show();
    rig.connectEsc();

    constexpr double kSeconds = 20;
    std::vector<ReadLoopResult> loops;
    std::thread cli([&] {
        loops = runReadLoops(ORVEK_CLI_PATH, ORVEK_SIM_PATH, dataHome.string(), 2, kSeconds);
    });
    QElapsedTimer clock;
    clock.start();
    const OptionList& drag = w.settingsPage().lists().byKey(key::DragBrake);
    while (clock.elapsed() < kSeconds * 1000) {
        w.session().selectOption(key::DragBrake, otherOption(drag));
        w.session().requestWrite();
        rig.tick();
    }
    cli.join();
    const int windowRecords = 1 + rig.sim.commits();  // the identification, then each write
    ASSERT_GE(rig.sim.commits(), 3);
    std::vector<std::int64_t> cliIds;
    for (const ReadLoopResult& loop : loops) {
        EXPECT_EQ(loop.failed, 0) << loop.lastError;
        EXPECT_GE(loop.reads, 5);
        for (std::int64_t id : loop.ids) {
            EXPECT_GT(id, 0) << "every read reports its record";
            cliIds.push_back(id);
        }
    }
    const std::size_t total = static_cast<std::size_t>(windowRecords) + cliIds.size();
    // The window's last records are written by its recorder after the last tick.
    const std::vector<HistoryRecord> records = recordsOnceThere(rig.options.historyFile, total);
    EXPECT_EQ(records.size(), total);
    std::set<std::int64_t> ids;
    int fromWindow = 0;
    for (const HistoryRecord& record : records) {
        ids.insert(record.id);
        if (record.program == "window") ++fromWindow;
    }
    EXPECT_EQ(ids.size(), records.size()) << "no record twice";
    EXPECT_EQ(fromWindow, windowRecords);
    for (std::int64_t id : cliIds) EXPECT_EQ(ids.count(id), 1u) << "cli record " << id;
    std::printf("recorded at once for %.0f s: %d by the window, %zu by two command lines\n",
                kSeconds, windowRecords, cliIds.size());
}

}  // namespace
}  // namespace orvek::testing
