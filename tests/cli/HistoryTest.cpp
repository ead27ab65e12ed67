// orvek-cli and the settings history, end to end: the real executable against orvek-sim on a
// pseudo-terminal, recording into a real database file under the test's own XDG_DATA_HOME.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>

#include "CliFixture.h"
#include "HistoryLoops.h"
#include "JsonCheck.h"
#include "Process.h"
#include "history/HistoryStore.h"
#include "history/HistoryTesting.h"
#include "settings/ParamTable.h"

namespace orvek {
namespace {

using testing::runWithEnvironment;

std::vector<std::uint8_t> blockOf(const std::vector<int>& state) {
    std::vector<std::uint8_t> block;
    for (std::size_t i = 0; i < 22 && i < state.size(); ++i)
        block.push_back(static_cast<std::uint8_t>(state[i]));
    return block;
}

const std::string& textOf(const HistoryRecord& record, const std::string& key) {
    for (const EscParameter& p : parameterTable()) {
        if (key == p.keyName) return record.settings[static_cast<std::size_t>(p.keyNumber)];
    }
    static const std::string none = "(no such key)";
    return none;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class CliHistory : public Cli {
protected:
    std::string dataHome(const std::string& name = "data") const { return file(name); }
    fs::path historyFile(const std::string& name = "data") const {
        return dir / name / "orvek-link" / "history.sqlite";
    }
    RunResult cliIn(const std::string& port, std::vector<std::string> args,
                    const std::string& data = "data") const {
        std::vector<std::string> all{kCli, "--port", port};
        all.insert(all.end(), args.begin(), args.end());
        return runWithEnvironment({"XDG_DATA_HOME=" + dataHome(data)}, all);
    }
    RunResult historyCommand(std::vector<std::string> args) const {
        args.insert(args.begin(), kCli);
        return runWithEnvironment({"XDG_DATA_HOME=" + dataHome()}, args);
    }
    // Oldest first.
    std::vector<HistoryRecord> records(const std::string& name = "data") const {
        HistoryStore store(historyFile(name));
        std::vector<HistoryRecord> all;
        EXPECT_EQ(store.list("", 0, all), HistoryStatus::Ok) << store.lastError();
        std::reverse(all.begin(), all.end());
        return all;
    }
};

// The window and orvek-cli write one history: an upload stopped from the terminal is recorded
// in the words the window records one with.
TEST_F(CliHistory, AStoppedUploadIsRecordedAsTheWindowRecordsIt) {
    std::string blocks;
    std::ofstream(file("qlx.xup")) << cardImage(30, 11, 200, blocks);
    SimProcess card({kSim, "--paced", "--card"});
    const RunResult stopped =
        runWithEnvironment({"XDG_DATA_HOME=" + dataHome()},
                           {kCli, "--port", card.path(), "flash-card", file("qlx.xup")},
                           interruptAt("flash-card: 11%", 2));
    ASSERT_EQ(stopped.exitCode, 5) << stopped.err;
    const std::vector<HistoryRecord> kept = records();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].kind, HistoryKind::Update);
    EXPECT_EQ(kept[0].target, "card");
    EXPECT_EQ(kept[0].result, "stopped");
}

TEST_F(CliHistory, FourCommandsLeaveFourRecordsAndRestoringTheFirstPutsItsBytesBack) {
    writeState(file("esc.state"), kRaceBlock);
    SimProcess s({kSim, "--state", file("esc.state")});
    const RunResult read = cliIn(s.path(), {"--json", "read"});
    ASSERT_EQ(read.exitCode, 0) << read.err;

    std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
    const RunResult write = cliIn(s.path(), {"write", file("race.cfg")});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    const std::vector<int> afterWrite = readState(file("esc.state"));

    const fs::path sheet = dir / "sheets" / "Profile" / "Drift Car" / "Heat 2.ini";
    fs::create_directories(sheet.parent_path());
    std::ofstream(sheet) << "[option]\r\nDrag Brake=35%\r\nRotation Mode=Reverse\r\n"
                         << "[memo]\r\nmemo=wet track\r\n";
    const RunResult sheetWrite = cliIn(s.path(), {"write", sheet.string()});
    ASSERT_EQ(sheetWrite.exitCode, 0) << sheetWrite.err;
    const std::vector<int> afterSheet = readState(file("esc.state"));

    const RunResult defaults = cliIn(s.path(), {"--json", "defaults"});
    ASSERT_EQ(defaults.exitCode, 0) << defaults.err;
    const std::vector<int> afterDefaults = readState(file("esc.state"));
    ASSERT_NE(afterWrite, kRaceBlock);
    ASSERT_NE(afterSheet, afterWrite);

    const std::vector<HistoryRecord> kept = records();
    ASSERT_EQ(kept.size(), 4u);
    for (const HistoryRecord& r : kept) {
        EXPECT_EQ(r.program, "cli");
        EXPECT_EQ(r.model, "ORVEK ARC");
        EXPECT_EQ(r.family, "Expert");
        EXPECT_EQ(r.firmware, "Expert V1.30");
        EXPECT_EQ(r.info[0], 0x0B);
        EXPECT_EQ(r.time.size(), 20u) << r.time;
    }
    const HistoryRecord& first = kept[0];
    EXPECT_EQ(first.kind, HistoryKind::Read);
    EXPECT_EQ(first.origin, (ValuesOrigin{ValuesSource::Device, "", false}));
    EXPECT_EQ(first.block, blockOf(kRaceBlock));
    EXPECT_EQ(testing::reportedHistoryId(read.out), first.id) << read.out;
    for (const EscParameter& p : parameterTable()) {
        const std::string pair = "\"" + std::string(p.keyName) + "\":\"" +
                                 first.settings[static_cast<std::size_t>(p.keyNumber)] + "\"";
        EXPECT_NE(read.out.find(pair), std::string::npos) << pair << " in " << read.out;
    }
    EXPECT_EQ(textOf(first, "Power Profile"), "Level 12");
    EXPECT_EQ(textOf(first, "Reverse Speed"), "100%");

    EXPECT_EQ(kept[1].kind, HistoryKind::Write);
    EXPECT_EQ(kept[1].origin, (ValuesOrigin{ValuesSource::File, file("race.cfg"), false}));
    EXPECT_EQ(kept[1].block, blockOf(afterWrite));
    EXPECT_EQ(textOf(kept[1], "Reverse Speed"), "50%");
    EXPECT_EQ(textOf(kept[1], "Power Profile"), "Level 12");

    EXPECT_EQ(kept[2].kind, HistoryKind::Write);
    EXPECT_EQ(kept[2].origin, (ValuesOrigin{ValuesSource::Sheet, "Drift Car/Heat 2", false}));
    EXPECT_EQ(kept[2].block, blockOf(afterSheet));
    EXPECT_EQ(textOf(kept[2], "Drag Brake"), "35%");
    EXPECT_EQ(textOf(kept[2], "Rotation Mode"), "Reverse");
    EXPECT_EQ(textOf(kept[2], "Reverse Speed"), "50%");

    EXPECT_EQ(kept[3].kind, HistoryKind::Defaults);
    EXPECT_EQ(kept[3].origin, (ValuesOrigin{ValuesSource::Defaults, "", false}));
    EXPECT_EQ(kept[3].block, blockOf(afterDefaults));
    EXPECT_EQ(textOf(kept[3], "Drag Brake"), "10%");
    EXPECT_EQ(testing::reportedHistoryId(defaults.out), kept[3].id) << defaults.out;

    const RunResult restore = cliIn(s.path(), {"history", "restore", std::to_string(first.id)});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_NE(restore.out.find("settings written and verified"), std::string::npos);
    EXPECT_EQ(readState(file("esc.state")), kRaceBlock) << "exactly the bytes read at first";
    const std::vector<HistoryRecord> after = records();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[4].kind, HistoryKind::Write);
    EXPECT_EQ(after[4].origin,
              (ValuesOrigin{ValuesSource::History, "#" + std::to_string(first.id), false}));
    EXPECT_EQ(after[4].block, blockOf(kRaceBlock));
    EXPECT_EQ(after[4].settings, first.settings);
}

TEST_F(CliHistory, RestoreRefusesAnotherFamilyAndWhatHoldsNoSettings) {
    std::int64_t stockRead = 0;
    {
        SimProcess stock({kSim, "--esc", "stock"});
        const RunResult r = cliIn(stock.path(), {"--json", "read"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        stockRead = testing::reportedHistoryId(r.out);
        ASSERT_GT(stockRead, 0) << r.out;
    }
    writeState(file("expert.state"), kRaceBlock);
    SimProcess expert({kSim, "--state", file("expert.state"), "--record", file("rec.txt")});
    const RunResult refused =
        cliIn(expert.path(), {"history", "restore", std::to_string(stockRead)});
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_EQ(lastLine(refused.err),
              "orvek-cli: record #" + std::to_string(stockRead) +
                  " holds settings of the Stock family; the attached ESC is ORVEK ARC, Expert "
                  "1.30; nothing sent");

    // Numbers the history does not hold: one line and exit 6 from every subcommand.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"history", "restore", "999"},
          {"history", "show", "999"},
          {"history", "note", "999", "x"},
          {"history", "export", "999", file("x.cfg")}}) {
        const RunResult r = cliIn(expert.path(), args);
        EXPECT_EQ(r.exitCode, 6) << args[1];
        EXPECT_EQ(r.err, "orvek-cli: no record #999 in the settings history\n") << args[1];
    }
    EXPECT_FALSE(fs::exists(file("x.cfg")));
    expert.stop();
    EXPECT_EQ(readState(file("expert.state")), kRaceBlock) << "nothing was written";

    // A firmware update is recorded with its image and how it ended, and holds nothing to
    // restore.
    std::string blocks;
    std::ofstream(file("qlx.xup")) << cardImage(3, 5, 40, blocks);
    SimProcess card({kSim, "--card"});
    const RunResult flashed = cliIn(card.path(), {"flash-card", file("qlx.xup")});
    ASSERT_EQ(flashed.exitCode, 0) << flashed.err;
    const std::vector<HistoryRecord> kept = records();
    ASSERT_EQ(kept.size(), 2u);
    const HistoryRecord& update = kept[1];
    EXPECT_EQ(update.kind, HistoryKind::Update);
    EXPECT_EQ(update.image, "qlx.xup");
    EXPECT_EQ(update.imageSize, static_cast<std::int64_t>(fs::file_size(file("qlx.xup"))));
    EXPECT_EQ(update.target, "card");
    EXPECT_EQ(update.result, "finished");
    EXPECT_EQ(update.model, "ORVEK PROGRAM CARD");
    for (const char* command : {"restore", "export"}) {
        std::vector<std::string> args{"history", command, std::to_string(update.id)};
        if (std::string(command) == "export") args.push_back(file("update.cfg"));
        const RunResult r = cliIn(card.path(), args);
        EXPECT_EQ(r.exitCode, 6) << command;
        EXPECT_EQ(r.err, "orvek-cli: record #" + std::to_string(update.id) +
                             " is a firmware update; it holds no settings\n");
    }
}

TEST_F(CliHistory, ARecordCarriesItsNoteAndSavesAsASettingsFile) {
    std::int64_t id = 0;
    {
        SimProcess stock({kSim, "--esc", "stock", "--state", file("stock.state")});
        const RunResult r = cliIn(stock.path(), {"--json", "read"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        id = testing::reportedHistoryId(r.out);
    }
    const std::string number = std::to_string(id);
    const std::string longNote = "heat 2,\ntoo much punch " + std::string(300, 'x');
    const RunResult noted = historyCommand({"history", "note", number, longNote});
    ASSERT_EQ(noted.exitCode, 0) << noted.err;
    const std::string kept = "heat 2, too much punch " + std::string(177, 'x');
    EXPECT_EQ(noted.out, "note of record #" + number + ": " + kept + "\n");

    const RunResult shown = historyCommand({"--json", "history", "show", number});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_TRUE(testing::isOneJsonDocument(shown.out)) << shown.out;
    EXPECT_EQ(shown.out.rfind("{\"id\":" + number + ",\"time\":\"", 0), 0u) << shown.out;
    EXPECT_NE(
        shown.out.find("\"kind\":\"read\",\"program\":\"cli\",\"model\":\"ORVEK BASIS SPEC\""),
        std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("\"note\":\"" + kept + "\""), std::string::npos);

    // Listing by model: the stock ESC's record, not the others'.
    const RunResult other = historyCommand({"--json", "history", "--model", "ORVEK ARC"});
    EXPECT_EQ(other.exitCode, 0);
    EXPECT_EQ(other.out, "{\"records\":[]}\n");
    const RunResult listed = historyCommand({"history", "--model", "ORVEK BASIS SPEC"});
    EXPECT_EQ(listed.exitCode, 0);
    ASSERT_EQ(linesOf(listed.out).size(), 1u) << listed.out;
    EXPECT_NE(listed.out.find("ORVEK BASIS SPEC, Stock V1.30  read  \"" + kept + "\""),
              std::string::npos)
        << listed.out;

    // Exported, the record's settings are what the ESC holds: writing them changes nothing.
    const RunResult exported = historyCommand({"history", "export", number, file("saved")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, "record #" + number + " saved to " + file("saved.cfg") + "\n");
    SimProcess stock({kSim, "--esc", "stock", "--state", file("stock.state")});
    const RunResult dry = cliIn(stock.path(), {"write", "--dry-run", file("saved.cfg")});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(dry.out, "no setting changes; sending them all the same\ndry run: nothing sent\n");
    EXPECT_EQ(dry.err, "");
}

// A write against a simulator of its own holding the default block, recording into the data
// folder `data`, with `wrap` put before the command (a shell that limits it, say).
struct FaultRun {
    RunResult result;
    std::vector<int> state;
};

class CliHistoryFaults : public CliHistory {
protected:
    FaultRun faultyWrite(const std::string& data, const std::vector<std::string>& wrap = {}) {
        const std::string state = file(data + ".state");
        writeState(state, kDefaultBlock);
        SimProcess s({kSim, "--state", state});
        std::vector<std::string> args = wrap;
        for (const std::string& a :
             {kCli, std::string("--port"), s.path(), std::string("write"), file("race.cfg")})
            args.push_back(a);
        FaultRun run;
        run.result = runWithEnvironment({"XDG_DATA_HOME=" + dataHome(data)}, args);
        s.stop();
        run.state = readState(state);
        return run;
    }
    // The same write with a history that works, to compare with.
    void SetUp() override {
        CliHistory::SetUp();
        std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
        reference = faultyWrite("reference");
        ASSERT_EQ(reference.result.exitCode, 0) << reference.result.err;
        ASSERT_EQ(records("reference").size(), 1u);
    }
    // The write went as it goes with a working history, and one warning line was added: that
    // line.
    std::string expectOneNotice(const FaultRun& run) {
        EXPECT_EQ(run.result.exitCode, 0);
        EXPECT_EQ(run.result.out, reference.result.out);
        EXPECT_EQ(run.state, reference.state);
        EXPECT_EQ(run.state[7], 50) << "Reverse Speed 50%";
        const std::vector<std::string> lines = linesOf(run.result.err);
        std::vector<std::string> others;
        std::vector<std::string> notices;
        for (const std::string& line : lines)
            (line.rfind("orvek-cli: warning: ", 0) == 0 ? notices : others).push_back(line);
        EXPECT_EQ(others, linesOf(reference.result.err));
        EXPECT_EQ(notices.size(), 1u) << run.result.err;
        return notices.empty() ? std::string() : notices[0];
    }
    // Records the write it is given its own simulator for, to have a history to spoil.
    void startHistory(const std::string& data) {
        SimProcess s({kSim});
        ASSERT_EQ(cliIn(s.path(), {"read"}, data).exitCode, 0);
        ASSERT_EQ(records(data).size(), 1u);
    }
    FaultRun reference;
};

// The other program holds its write transaction through the whole write (about 5 s: the write,
// then the 2 s the insert waits), and lets it go only when the write has ended, so that no
// machine is slow enough for the insert to find it free.
TEST_F(CliHistoryFaults, ADatabaseLockedByAnotherProgramLosesTheRecordOnly) {
    startHistory("data");
    {
        SimProcess lock({ORVEK_HISTORY_LOCK_PATH, historyFile().string(), "60"});
        ASSERT_EQ(lock.path(), "locked");
        const FaultRun run = faultyWrite("data");
        lock.stop();
        EXPECT_EQ(expectOneNotice(run),
                  "orvek-cli: warning: the settings history is locked by another program; this "
                  "was not recorded");
    }
    EXPECT_EQ(records().size(), 1u);
}

// The machine cannot mount a small file system: the file-size limit makes the file system
// refuse to grow the history (EFBIG) as a full disk refuses (ENOSPC), and the store takes both
// as full.
TEST_F(CliHistoryFaults, AHistoryThatMayNotGrowLosesTheRecordOnly) {
    startHistory("data");
    const FaultRun run =
        faultyWrite("data", {"/bin/bash", "-c", "trap '' XFSZ; ulimit -f 8; exec \"$0\" \"$@\""});
    EXPECT_EQ(expectOneNotice(run),
              "orvek-cli: warning: the settings history cannot grow: the disk is full; this was "
              "not recorded");
    EXPECT_EQ(records().size(), 1u);
}

// Random bytes, and files no version of the program writes (among them the one the fuzzer
// found): each is moved aside as it was with one warning, the write goes on as it goes with a
// working history, and its record starts a new one.
TEST_F(CliHistoryFaults, DamagedFilesAreMovedAsideWithOneWarningAndANewOneStarted) {
    std::string noise(64 * 1024, '\0');
    std::mt19937 random(22);
    for (char& c : noise) c = static_cast<char>(random());
    const std::vector<std::pair<std::string, std::string>> spoilt = {
        {"random-bytes", ""},
        {"fuzzer", ""},
        {"minus-one", "UPDATE schema_version SET version=-1"},
        {"two-to-the-62", "UPDATE schema_version SET version=4611686018427387904"},
        {"no-row", "DELETE FROM schema_version"},
        {"one-over-two", "UPDATE schema_version SET version=1"},
    };
    for (const auto& [name, sql] : spoilt) {
        SCOPED_TRACE(name);
        if (name == "random-bytes") {
            fs::create_directories(historyFile(name).parent_path());
            std::ofstream(historyFile(name), std::ios::binary) << noise;
        } else if (name == "fuzzer") {
            fs::create_directories(historyFile(name).parent_path());
            fs::copy_file(fs::path(ORVEK_HISTORY_CORPUS) / "negative-version", historyFile(name));
        } else {
            startHistory(name);
            testing::RawDatabase raw(historyFile(name));
            ASSERT_TRUE(raw.exec(sql));
        }
        const std::string before = readAll(historyFile(name));
        const FaultRun run = faultyWrite(name);
        const std::string notice = expectOneNotice(run);
        std::vector<fs::path> aside;
        for (const auto& entry : fs::directory_iterator(historyFile(name).parent_path())) {
            if (entry.path().filename().string().rfind("history.sqlite.damaged-", 0) == 0)
                aside.push_back(entry.path());
        }
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(notice,
                  "orvek-cli: warning: the settings history was damaged; it was moved aside to " +
                      aside[0].filename().string() + " and a new one started");
        EXPECT_EQ(readAll(aside[0]), before) << "the damaged file is kept as it was";
        const std::vector<HistoryRecord> kept = records(name);
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0].kind, HistoryKind::Write);
    }
}

// A full disk: the index SQLite makes beside the file cannot be made. The records are listed
// all the same, and no stub of an index is left to break the next program that opens the file.
TEST_F(CliHistoryFaults, AHistoryThatMayNotGrowIsStillListedAndLeftClean) {
    startHistory("data");
    const RunResult listed = runWithEnvironment(
        {"XDG_DATA_HOME=" + dataHome()},
        {"/bin/bash", "-c", "trap '' XFSZ; ulimit -f 8; exec \"$0\" \"$@\"", kCli, "history"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.err, "");
    EXPECT_EQ(listed.out.rfind("#1  ", 0), 0u) << listed.out;
    EXPECT_FALSE(fs::exists(historyFile().string() + "-shm"));
    EXPECT_FALSE(fs::exists(historyFile().string() + "-wal"));
    EXPECT_EQ(records().size(), 1u);
}

// Record numbers as the listing shows them, counts that are counts, models found by part in
// any case, standard output for the text format, and the file's control characters escaped.
TEST_F(CliHistory, NumbersModelsAndTextsFromTheFileAreTakenAsARacerMeansThem) {
    {
        SimProcess s({kSim});
        ASSERT_EQ(cliIn(s.path(), {"read"}).exitCode, 0);
        ASSERT_EQ(cliIn(s.path(), {"read"}).exitCode, 0);
    }
    for (const std::string& bad :
         {std::string(), std::string("0"), std::string("-1"), std::string("99999999999999999999"),
          std::string("1x"), std::string("#")}) {
        const RunResult shown = historyCommand({"history", "show", bad});
        EXPECT_EQ(shown.exitCode, 2) << bad;
        EXPECT_EQ(shown.err, "orvek-cli: \"" + bad +
                                 "\" is not a record number; history lists them (#12 or 12)\n");
        EXPECT_EQ(shown.out, "");
    }
    const RunResult byHash = historyCommand({"history", "show", "#2"});
    EXPECT_EQ(byHash.exitCode, 0) << byHash.err;
    EXPECT_EQ(byHash.out.rfind("record   #2\n", 0), 0u) << byHash.out;

    const RunResult negative = historyCommand({"history", "--limit", "-1"});
    EXPECT_EQ(negative.exitCode, 2);
    EXPECT_EQ(negative.err,
              "orvek-cli: --limit takes a number of records (0 for all), not \"-1\"\n");
    const RunResult one = historyCommand({"history", "--limit", "1", "--model", "arc"});
    EXPECT_EQ(one.exitCode, 0) << one.err;
    ASSERT_EQ(linesOf(one.out).size(), 1u) << one.out;
    EXPECT_EQ(one.out.rfind("#2  ", 0), 0u) << one.out;
    const RunResult none = historyCommand({"history", "--model", "zeta"});
    EXPECT_EQ(none.out, "no records of a model holding \"zeta\" in the settings history\n");

    const RunResult toFile = historyCommand({"history", "export", "2", file("two")});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    const RunResult toStdout = historyCommand({"history", "export", "2", "-"});
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, readAll(file("two.cfg")));
    EXPECT_FALSE(fs::exists(file("-.cfg")));
    EXPECT_FALSE(fs::exists(fs::current_path() / "-.cfg"));
    const RunResult both = historyCommand({"--json", "history", "export", "2", "-"});
    EXPECT_EQ(both.exitCode, 2);

    {
        testing::RawDatabase raw(historyFile());
        ASSERT_TRUE(
            raw.exec("UPDATE records SET model='ARC\x1b[2J\xc2\x9b"
                     "31m', "
                     "note='x\x07"
                     "y' WHERE id=2"));
    }
    const RunResult listed = historyCommand({"history"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(listed.out.find('\x07'), std::string::npos);
    EXPECT_NE(listed.out.find("ARC\\u001b[2J\\u009b31m, Expert V1.30  read  \"x\\u0007y\""),
              std::string::npos)
        << listed.out;
    const RunResult shown = historyCommand({"history", "show", "2"});
    EXPECT_NE(shown.out.find("\nmodel    ARC\\u001b[2J\\u009b31m\n"), std::string::npos)
        << shown.out;
}

TEST_F(CliHistory, TwoProgramsRecordingAtOnceLoseAndDoubleNothing) {
    const std::vector<testing::ReadLoopResult> loops =
        testing::runReadLoops(kCli, kSim, dataHome(), 2, 8.0);
    std::set<std::int64_t> reported;
    std::size_t reads = 0;
    for (const testing::ReadLoopResult& loop : loops) {
        EXPECT_GT(loop.reads, 3);
        EXPECT_EQ(loop.failed, 0) << loop.lastError;
        EXPECT_EQ(loop.lastError, "");
        EXPECT_TRUE(std::is_sorted(loop.ids.begin(), loop.ids.end()));
        reads += static_cast<std::size_t>(loop.reads);
        reported.insert(loop.ids.begin(), loop.ids.end());
    }
    EXPECT_EQ(reported.size(), reads) << "each read got a number of its own";
    EXPECT_EQ(reported.count(0), 0u) << "every read was recorded";
    std::set<std::int64_t> stored;
    for (const HistoryRecord& r : records()) {
        EXPECT_EQ(r.kind, HistoryKind::Read);
        stored.insert(r.id);
    }
    EXPECT_EQ(stored, reported);
}

TEST_F(CliHistory, JsonDocumentsKeepTheirKeyOrderAndWriteForeignBytesAsReplacements) {
    SimProcess s({kSim});
    const RunResult info = cliIn(s.path(), {"--json", "info"});
    EXPECT_EQ(info.out, "{\"port\":\"" + s.path() +
                            "\",\"device\":\"esc\",\"model\":\"ORVEK ARC\",\"hardwareVersion\":"
                            "\"Tarnwick V1.1MD\",\"firmware\":\"Expert V1.30\",\"family\":"
                            "\"Expert\",\"typeCode\":11,\"version\":\"1.30\"}\n");
    const RunResult read = cliIn(s.path(), {"--json", "read", "-o", file("r-\xfe\xff.cfg")});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    const std::string tail = "\"saved\":\"" + file("r-") + "\\ufffd\\ufffd.cfg\",\"history\":";
    EXPECT_NE(read.out.find(tail), std::string::npos) << read.out;
    const RunResult missing = cliIn(s.path(), {"--json", "write", file("tab\t\x01\xc3.cfg")});
    EXPECT_EQ(missing.exitCode, 6);
    EXPECT_EQ(missing.out, "{\"error\":\"no such settings file: " + file("tab") +
                               "\\t\\u0001\\ufffd.cfg\",\"exit\":6}\n");
}

}  // namespace
}  // namespace orvek
