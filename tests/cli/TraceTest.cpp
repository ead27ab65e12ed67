// orvek-cli --trace FILE against orvek-sim: the command's exchange in the diagnostic log's
// format, with every byte the simulator received, the failure line and the exit code.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "CliFixture.h"

namespace orvek {
namespace {

std::vector<std::string> fileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The entries of a log: each as its mark and what follows it, without the times.
std::vector<std::string> entriesOf(const std::vector<std::string>& lines) {
    std::vector<std::string> entries;
    const auto blank = std::find(lines.begin(), lines.end(), "");
    for (auto it = blank == lines.end() ? blank : blank + 1; it != lines.end(); ++it) {
        const std::size_t ms = it->find(" ms  ");
        entries.push_back(ms == std::string::npos ? "(no time) " + *it : it->substr(ms + 5));
    }
    return entries;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(Cli, TraceKeepsEveryByteOfTheCommandWithItsNameInTheLogsFormat) {
    SimProcess s({kSim, "--received", file("received.txt")});
    const std::string trace = file("trace.txt");
    const RunResult r = run({kCli, "-v", "--port", s.path(), "--trace", trace, "read"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(s.stop(), 0);
    EXPECT_NE(r.err.find("tx   D5"), std::string::npos) << "-v still prints the bytes";

    const std::vector<std::string> lines = fileLines(trace);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "ORVEK Link diagnostic log");
    EXPECT_TRUE(hasLine(lines, std::string("program: orvek-cli ") + ORVEK_VERSION));
    EXPECT_TRUE(hasLine(lines, "command: -v --port " + s.path() + " --trace " + trace + " read"));
    EXPECT_TRUE(hasLine(lines, "port: " + s.path()));

    const std::vector<std::string> entries = entriesOf(lines);
    ASSERT_GE(entries.size(), 12u);
    const std::vector<std::string> head(entries.begin(), entries.begin() + 9);
    EXPECT_EQ(head, (std::vector<std::string>{
                        "-  port opened: " + s.path(),
                        ">  D5  ESC probe",
                        "=  D5  ESC probe",
                        "<  26  ESC probe",
                        ">  D7  info query",
                        "=  D7  info query",
                        "<  0B 40 00 03 00 02 00  info query",
                        ">  D8  settings read",
                        "=  D8  settings read",
                    }));
    EXPECT_EQ(entries[9].rfind("<  ", 0), 0u);
    EXPECT_EQ(entries[9].size(), 3 + 23 * 3 - 1 + std::string("  settings read").size())
        << entries[9];
    EXPECT_NE(entries[9].find("DD  settings read"), std::string::npos) << "the block's end";
    EXPECT_EQ(entries[entries.size() - 2], "-  port closed");
    EXPECT_EQ(entries.back(), "*  exit 0");

    // The bytes it says were sent are the bytes the simulator received, all of them.
    std::string sent;
    for (const std::string& e : entries) {
        if (e.rfind(">  ", 0) != 0) continue;
        const std::size_t name = e.find("  ", 3);
        sent += e.substr(3, name - 3);
    }
    sent.erase(std::remove(sent.begin(), sent.end(), ' '), sent.end());
    std::string received;
    std::getline(std::ifstream(file("received.txt")), received);
    EXPECT_EQ(sent, received);
}

TEST_F(Cli, TraceOfAFailedCommandEndsWithItsLineAndExitCode) {
    SimProcess s({kSim, "--silent"});
    const std::string trace = file("trace.txt");
    const RunResult r = cli(s.path(), {"--trace", trace, "info"});
    ASSERT_EQ(r.exitCode, 4) << r.err;
    const std::vector<std::string> entries = entriesOf(fileLines(trace));
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(entries[1], ">  D5  ESC probe");
    EXPECT_EQ(entries[2], "=  D5  ESC probe");
    EXPECT_EQ(entries[3], "<  (no answer)  ESC probe");
    EXPECT_TRUE(hasLine(entries, "!  " + lastLine(r.err))) << "the line it printed is kept";
    EXPECT_EQ(entries.back(), "*  exit 4");
}

TEST_F(Cli, ATraceThatCannotBeWrittenIsExit7OrAWarningBesideAnEarlierFailure) {
    SimProcess s({kSim});
    const RunResult ok = cli(s.path(), {"--trace", dir.string(), "info"});
    EXPECT_EQ(ok.exitCode, 7) << ok.err;
    EXPECT_EQ(lastLine(ok.err).rfind("orvek-cli: cannot write the trace " + dir.string() + ": ", 0),
              0u)
        << ok.err;

    SimProcess silent({kSim, "--silent"});
    const RunResult failed = cli(silent.path(), {"--trace", dir.string(), "info"});
    EXPECT_EQ(failed.exitCode, 4) << "the command's own failure is the one that counts";
    EXPECT_EQ(lastLine(failed.err).rfind("orvek-cli: warning: cannot write the trace ", 0), 0u)
        << failed.err;
}

}  // namespace
}  // namespace orvek
