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
            data == none ? "Permission denied" : "attempt to write a readonly database";
        EXPECT_EQ(
            warningLines(written.err, "orvek-cli: warning: the settings history cannot be kept: " +
                                          file.string() + " cannot be opened (" + reason + ")"),
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

}  // namespace
}  // namespace orvek::testing
