// series against orvek-sim: a line per ESC and a summary, the report files, the exit codes of a
// refused and a failed ESC, and Ctrl-C between ESCs ending the series with its summary.
#include <fstream>
#include <iterator>

#include "CliFixture.h"

namespace orvek {
namespace {

class SeriesCommand : public Cli {
protected:
    // The values: the simulated ESC's own settings with Drag Brake at 20%, as a settings file.
    std::string pitFile(const std::string& port) {
        const std::string cfg = file("pit.cfg");
        const RunResult r = run({kCli, "--port", port, "read", "-o", cfg});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::ifstream in(cfg);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        const std::size_t at = text.find("Drag Brake=");
        text.replace(at, text.find('\n', at) - at, "Drag Brake=20%");
        std::ofstream(cfg) << text;
        return cfg;
    }
    static std::string content(const std::string& path) {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
};

TEST_F(SeriesCommand, WritesTheEscVerifiesItAndReportsItsRow) {
    writeState(file("esc.state"), kDefaultBlock);
    SimProcess sim({kSim, "--state", file("esc.state")});
    const std::string values = pitFile(sim.path());
    RunResult r = run({kCli, "--port", sim.path(), "series", values, "--count", "1", "--name",
                       "pit", "--report", file("pit.json")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("ESC 1: ORVEK ARC, Expert V1.30: written and verified (Drag Brake: 10% "
                         "-> 20%)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("series pit: 1 ESCs, 1 written and verified, 0 already equal, 0 refused, "
                         "0 failed"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.err.find("plug in the next ESC"), std::string::npos) << r.err;
    const std::string json = content(file("pit.json"));
    EXPECT_NE(json.find("\"name\": \"pit\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"result\": \"written and verified\""), std::string::npos) << json;
    EXPECT_NE(json.find("{\"key\": \"Drag Brake\", \"from\": \"10%\", \"to\": \"20%\"}"),
              std::string::npos)
        << json;

    // The same ESC again: it holds the values, nothing is sent; the CSV has one row under its
    // heading.
    r = run({kCli, "--port", sim.path(), "series", values, "--count", "1", "--report",
             file("again.csv")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(": already equal"), std::string::npos) << r.out;
    const std::string csv = content(file("again.csv"));
    EXPECT_EQ(csv.rfind("number,time,model,firmware,info,changes,result,reason\r\n1,", 0), 0u)
        << csv;
    EXPECT_NE(csv.find(",0B 40 00 03 00 02 00,,already equal,\r\n"), std::string::npos) << csv;
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_NE(readState(file("esc.state")), kDefaultBlock) << "the ESC keeps what was written";
}

TEST_F(SeriesCommand, ARefusedEscExitsWithFourAndAFailedOneWithFive) {
    writeState(file("expert.state"), kDefaultBlock);
    std::string values;
    {
        SimProcess expert({kSim, "--state", file("expert.state")});
        values = pitFile(expert.path());
    }
    // A sheet that names its family: an Expert sheet onto a Stock ESC.
    const std::string sheet = file("Stock 13.5.ini");
    std::ofstream(sheet) << content(values) << "[info]\nFirmware=Expert V1.30\n";
    writeState(file("stock.state"), kDefaultBlock);
    {
        SimProcess stock({kSim, "--esc", "stock", "--state", file("stock.state")});
        const RunResult r = run({kCli, "--port", stock.path(), "series", sheet, "--count", "1"});
        EXPECT_EQ(r.exitCode, 4) << r.err;
        EXPECT_NE(r.out.find("refused: the values are for an Expert ESC; this is a Stock ESC"),
                  std::string::npos)
            << r.out;
    }
    EXPECT_EQ(readState(file("stock.state")), kDefaultBlock) << "the refused ESC holds its own";

    SimProcess naks({kSim, "--nak-pair", "3"});
    const RunResult r = run({kCli, "--port", naks.path(), "series", values, "--count", "1"});
    EXPECT_EQ(r.exitCode, 5) << r.err;
    EXPECT_NE(r.out.find(": failed (Drag Brake: 10% -> 20%): Send fail (pair 4 of 22"),
              std::string::npos)
        << r.out;
}

TEST_F(SeriesCommand, CtrlCWhileWaitingForTheNextEscEndsWithTheSummary) {
    SimProcess sim({kSim});
    const std::string values = pitFile(sim.path());
    const RunResult r = run({kCli, "--port", sim.path(), "series", values},
                            interruptAt("unplug the ESC", 1), 20000);
    EXPECT_FALSE(r.killed);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("1 written and verified"), std::string::npos) << r.out;
}

// Three Expert ESCs, a Stock one, an Expert one that holds the values already and one that
// refuses a pair, plugged in one after another on one simulated adapter.
TEST_F(SeriesCommand, SixEscsOneAfterAnotherGiveTheirRowsStateFilesAndRecords) {
    writeState(file("values.state"), kDefaultBlock);
    std::string values;
    {
        SimProcess source({kSim, "--state", file("values.state")});
        values = pitFile(source.path());
    }
    for (const char* name : {"e1", "e2", "e3", "s4", "e6"}) writeState(file(name), kDefaultBlock);
    // What an ESC holds once the values are written: the first one tells.
    writeState(file("e5"), kDefaultBlock);
    const std::string list = "expert:3:" + file("e1") + ",expert:3:" + file("e2") +
                             ",expert:3:" + file("e3") + ",stock:3:" + file("s4") +
                             ",expert:3:" + file("e5") + ",expert:3:" + file("e6") + ":nak=4";
    const std::string fifo = file("control");
    SimProcess sim({kSim, "--series", list, "--control", fifo, "--unplugged-ms", "300"});
    ASSERT_FALSE(sim.path().empty());
    // ESC 5 is given the values before it is plugged in: it holds them already.
    std::vector<int> written;
    std::size_t unplugs = 0;
    const auto nextEsc = [&](pid_t, const std::string& err) {
        std::size_t seen = 0;
        for (std::size_t at = 0; (at = err.find("unplug the ESC", at)) != std::string::npos; ++at)
            ++seen;
        for (; unplugs < seen; ++unplugs) {
            if (unplugs == 0) written = readState(file("e1"));
            if (unplugs == 3) writeState(file("e5"), written);
            std::ofstream(fifo) << "next\n";
        }
    };
    const RunResult r =
        testing::runWithEnvironment({"XDG_DATA_HOME=" + file("data")},
                                    {kCli, "--port", sim.path(), "series", values, "--count", "6",
                                     "--name", "six escs", "--report", file("six.json")},
                                    nextEsc, 60000);
    EXPECT_FALSE(r.killed) << r.out << r.err;
    EXPECT_EQ(r.exitCode, 5) << r.err;
    const char* const expected[] = {
        "ESC 1: ORVEK ARC, Expert V1.30: written and verified (Drag Brake: 10% -> 20%)",
        "ESC 2: ORVEK ARC, Expert V1.30: written and verified (Drag Brake: 10% -> 20%)",
        "ESC 3: ORVEK ARC, Expert V1.30: written and verified (Drag Brake: 10% -> 20%)",
        ("ESC 4: ORVEK BASIS SPEC, Stock V1.30: refused: the values are for an Expert ESC; this "
         "is a Stock ESC"),
        "ESC 5: ORVEK ARC, Expert V1.30: already equal",
        "ESC 6: ORVEK ARC, Expert V1.30: failed (Drag Brake: 10% -> 20%): Send fail (pair 5 of 22",
        "series six escs: 6 ESCs, 3 written and verified, 1 already equal, 1 refused, 1 failed"};
    std::size_t from = 0;
    for (const char* line : expected) {
        const std::size_t at = r.out.find(line, from);
        EXPECT_NE(at, std::string::npos) << line << "\n" << r.out;
        if (at != std::string::npos) from = at;
    }
    EXPECT_EQ(sim.stop(), 0);
    for (const char* name : {"e1", "e2", "e3", "e5"})
        EXPECT_EQ(readState(file(name)), written) << name;
    EXPECT_NE(written, kDefaultBlock);
    EXPECT_EQ(readState(file("s4")), kDefaultBlock) << "the refused one holds its own";
    EXPECT_EQ(readState(file("e6")), kDefaultBlock) << "the failed one committed nothing";
    EXPECT_NE(content(file("six.json")).find("\"number\": 6"), std::string::npos);

    // One record for each ESC written, with the series as its source.
    const RunResult history = testing::runWithEnvironment({"XDG_DATA_HOME=" + file("data")},
                                                          {kCli, "history", "--limit", "0"});
    std::size_t records = 0;
    for (std::size_t at = 0;
         (at = history.out.find("write (series six escs)", at)) != std::string::npos; ++at)
        ++records;
    EXPECT_EQ(records, 3u) << history.out;
}

TEST_F(SeriesCommand, RefusesWhatItCannotStartWith) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{kCli, "series"},
          {kCli, "series", file("x.cfg"), "--record", "3"},
          {kCli, "series", file("x.cfg"), "--count", "0"},
          {kCli, "series", file("x.cfg"), "--report", file("r.txt")}}) {
        const RunResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << ": " << r.err;
    }
    const RunResult missing = run({kCli, "series", file("missing.cfg"), "--count", "1"});
    EXPECT_EQ(missing.exitCode, 6) << missing.err;
}

}  // namespace
}  // namespace orvek
