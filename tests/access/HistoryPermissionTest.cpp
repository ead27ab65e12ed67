// A settings history in a folder this user may not write: orvek-cli's write goes on as it would
// without one, and one warning line says why nothing was recorded.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/Process.h"
#include "history/HistoryStore.h"
#include "history/HistoryTesting.h"
#include "support/WithoutRoot.h"

namespace fs = std::filesystem;

namespace orvek::testing {
namespace {

int warningLines(const std::string& err, const std::string& expected) {
    int count = 0;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("orvek-cli: warning: ", 0) != 0) continue;
        ++count;
        EXPECT_EQ(line, expected);
    }
    return count;
}

TEST(HistoryPermission, AReadOnlyFolderCostsTheRecordAndNotTheWrite) {
    ASSERT_NE(::geteuid(), 0u) << "root may write every folder";
    const fs::path scratch = deniedPortFolders().scratch / "history";
    const std::string programs = deniedPortFolders().programs.string();
    fs::create_directories(scratch);
    std::ofstream(scratch / "race.cfg") << "[option]\nReverse Speed=50%\n";
    const fs::path kept = scratch / "kept" / "orvek-link";
    const fs::path none = scratch / "none";
    fs::create_directories(none);

    // One history with a record in it, one data folder with none.
    {
        SimProcess sim({programs + "/orvek-sim"});
        const RunResult read =
            runWithEnvironment({"XDG_DATA_HOME=" + (scratch / "kept").string()},
                               {programs + "/orvek-cli", "--port", sim.path(), "read"});
        ASSERT_EQ(read.exitCode, 0) << read.err;
        ASSERT_EQ(read.err, "");
    }
    ASSERT_EQ(::chmod(kept.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(none.c_str(), 0555), 0);

    for (const fs::path& data : {kept.parent_path(), none}) {
        SCOPED_TRACE(data);
        const fs::path file = data / "orvek-link" / "history.sqlite";
        const std::string state = (scratch / (data.filename().string() + ".state")).string();
        SimProcess sim({programs + "/orvek-sim", "--state", state});
        const RunResult written = runWithEnvironment({"XDG_DATA_HOME=" + data.string()},
                                                     {programs + "/orvek-cli", "--port", sim.path(),
                                                      "write", (scratch / "race.cfg").string()});
        EXPECT_EQ(written.exitCode, 0) << written.err;
        EXPECT_NE(written.out.find("settings written and verified"), std::string::npos);
        const std::string reason =
            data == none ? (none / "orvek-link").string() + " cannot be made (Permission denied)"
                         : "no right to write in " + kept.string() + " (Permission denied)";
        EXPECT_EQ(warningLines(written.err,
                               "orvek-cli: warning: the settings history cannot be "
                               "kept in " +
                                   file.string() + ": " + reason),
                  1)
            << written.err;
        sim.stop();
        std::ifstream in(state);
        std::string header, block;
        std::getline(in, header);
        std::getline(in, block);
        EXPECT_EQ(block.substr(7 * 3, 2), "32") << "Reverse Speed 50% was committed: " << block;
    }
    ASSERT_EQ(::chmod(kept.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(none.c_str(), 0755), 0);
    HistoryStore store(kept / "history.sqlite");
    std::int64_t count = 0;
    EXPECT_EQ(store.count(count), HistoryStatus::Ok) << store.lastError();
    EXPECT_EQ(count, 1) << "the history is as it was";
    EXPECT_FALSE(fs::exists(none / "orvek-link"));
}

std::vector<std::string> besideTheFile(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != "history.sqlite") names.push_back(name);
    }
    return names;
}

// The racer's own records stay readable where nothing may be written: a read-only folder, a
// read-only file. Listing, showing and exporting work and leave nothing beside the file; a
// note, which must write, says that it cannot.
TEST(HistoryPermission, AHistoryThatMayNotBeWrittenIsStillListedShownAndExported) {
    ASSERT_NE(::geteuid(), 0u) << "root may write every folder";
    const fs::path scratch = deniedPortFolders().scratch / "read-only-history";
    const std::string programs = deniedPortFolders().programs.string();
    const fs::path data = scratch / "data";
    const fs::path folder = data / "orvek-link";
    const fs::path file = folder / "history.sqlite";
    fs::create_directories(scratch);
    const std::vector<std::string> environment{"XDG_DATA_HOME=" + data.string()};
    {
        SimProcess sim({programs + "/orvek-sim"});
        const RunResult read = runWithEnvironment(
            environment, {programs + "/orvek-cli", "--port", sim.path(), "read"});
        ASSERT_EQ(read.exitCode, 0) << read.err;
    }
    ASSERT_TRUE(besideTheFile(folder).empty());
    const auto cli = [&](std::vector<std::string> args) {
        args.insert(args.begin(), programs + "/orvek-cli");
        return runWithEnvironment(environment, args);
    };
    const auto readable = [&](const std::string& what) {
        SCOPED_TRACE(what);
        const RunResult listed = cli({"history"});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_EQ(listed.err, "");
        EXPECT_EQ(listed.out.rfind("#1  ", 0), 0u) << listed.out;
        const RunResult shown = cli({"history", "show", "1"});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        EXPECT_NE(shown.out.find("\nReverse Speed = "), std::string::npos) << shown.out;
        const fs::path saved = scratch / (what + ".cfg");
        const RunResult exported = cli({"history", "export", "1", saved.string()});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_TRUE(fs::is_regular_file(saved));
        const RunResult noted = cli({"history", "note", "1", "heat 2"});
        EXPECT_EQ(noted.exitCode, 1);
        EXPECT_EQ(besideTheFile(folder), std::vector<std::string>{}) << "no log, no index";
        return noted.err;
    };

    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_EQ(readable("read-only folder"),
              "orvek-cli: cannot write the note into the settings history " + file.string() +
                  ": no right to write in " + folder.string() + " (Permission denied)\n");
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(readable("read-only file"),
              "orvek-cli: cannot write the note into the settings history " + file.string() +
                  ": the file may not be written (Permission denied)\n");

    // Damage found where it cannot be moved aside is said, and the file left as it is.
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    {
        RawDatabase raw(file);
        ASSERT_TRUE(raw.exec("UPDATE schema_version SET version=-1"));
    }
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const RunResult damaged = cli({"history"});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(damaged.err, "orvek-cli: cannot read the settings history " + file.string() +
                               ": the file is damaged: its schema version -1 is negative; it "
                               "could not be moved aside (Permission denied)\n");
    EXPECT_EQ(besideTheFile(folder), std::vector<std::string>{});
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
}

}  // namespace
}  // namespace orvek::testing
