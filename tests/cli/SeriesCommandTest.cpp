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
