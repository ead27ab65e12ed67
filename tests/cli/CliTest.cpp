// orvek-cli end to end: the real executable against orvek-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "CliFixture.h"
#include "Process.h"
#include "firmware/KfwImage.h"
#include "firmware/XupImage.h"
#include "platform/ProfileFile.h"
#include "support/RefusedFiles.h"

namespace orvek {
namespace {

using testing::makeRefusedFile;
using testing::RefusedKind;
using testing::run;
using testing::RunResult;
using testing::SimProcess;

TEST_F(Cli, SettingsFileRoundTripsThroughTwoEscs) {
    writeState(file("a.state"), kRaceBlock);
    writeState(file("b.state"), kDefaultBlock);
    std::string readA;
    {
        SimProcess a({kSim, "--state", file("a.state")});
        const RunResult r = cli(a.path(), {"read", "-o", file("race.cfg")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        readA = r.out;
        EXPECT_EQ(settingLines(r.out).size(), 18u);
        EXPECT_NE(r.out.find("Power Profile = Level 12"), std::string::npos);
        EXPECT_NE(r.out.find("Turbo Slope = Fastest"), std::string::npos);
    }
    {
        SimProcess b({kSim, "--state", file("b.state")});
        const RunResult w = cli(b.path(), {"write", file("race.cfg")});
        ASSERT_EQ(w.exitCode, 0) << w.err;
        EXPECT_NE(w.out.find("settings written and verified"), std::string::npos);
        const RunResult back = cli(b.path(), {"read"});
        ASSERT_EQ(back.exitCode, 0) << back.err;
        EXPECT_EQ(settingLines(back.out), settingLines(readA));
    }
    // ESC b now holds a's eighteen settings and still its own carried bytes.
    std::vector<int> expected = kRaceBlock;
    for (int carried : {2, 4, 19, 20})
        expected[static_cast<std::size_t>(carried)] =
            kDefaultBlock[static_cast<std::size_t>(carried)];
    EXPECT_EQ(readState(file("b.state")), expected);

    // Written back onto the ESC it came from, the file changes nothing at all.
    {
        SimProcess a({kSim, "--state", file("a.state")});
        const RunResult w = cli(a.path(), {"write", file("race.cfg")});
        ASSERT_EQ(w.exitCode, 0) << w.err;
        EXPECT_NE(w.out.find("no setting changes"), std::string::npos);
    }
    EXPECT_EQ(readState(file("a.state")), kRaceBlock);
}

TEST_F(Cli, StockFileOnAnExpertEscListsWhatMatchesNothing) {
    std::vector<int> stock = kDefaultBlock;
    stock[11] = 0;  // Turbo Slope "3  deg/0.1s"
    stock[16] = 0;  // Boost ACC "50 RPN/deg"
    writeState(file("stock.state"), stock);
    {
        SimProcess s({kSim, "--esc", "stock", "--state", file("stock.state")});
        ASSERT_EQ(cli(s.path(), {"read", "-o", file("stock.cfg")}).exitCode, 0);
    }
    SimProcess e({kSim, "--esc", "expert", "--state", file("expert.state")});
    const RunResult r = cli(e.path(), {"write", "--dry-run", file("stock.cfg")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("warning: Boost ACC: \"50 RPN/deg\" matches no option"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("warning: Turbo Slope: \"3  deg/0.1s\" matches no option"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("dry run: nothing sent"), std::string::npos);
    e.stop();
    EXPECT_FALSE(fs::exists(file("expert.state")));  // nothing was committed
}

TEST_F(Cli, FlashEscSendsTheImageByteForByte) {
    {
        std::mt19937 random(9);
        std::ofstream bin(file("fw.bin"), std::ios::binary);
        for (int i = 0; i < 8192; ++i) bin.put(static_cast<char>(random()));
    }
    ASSERT_EQ(
        std::system(("objcopy -I binary -O ihex " + file("fw.bin") + " " + file("fw.kfw")).c_str()),
        0);
    SimProcess s({kSim, "--record", file("rec.txt")});
    const RunResult r =
        cli(s.path(), {"flash-esc", "--backup-dir", file("backups"), file("fw.kfw")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("ESC firmware updated"), std::string::npos);
    EXPECT_NE(r.out.find("the ESC now runs Expert V1.30"), std::string::npos);
    ASSERT_EQ(s.stop(), 0);

    std::ostringstream expected;
    KfwImageReader reader;
    ASSERT_TRUE(reader.open(file("fw.kfw")));
    std::vector<std::uint8_t> frame;
    while (reader.nextFrame(frame) == KfwImageReader::Result::Line) {
        expected << "R ";
        for (std::uint8_t b : frame) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", b);
            expected << hex;
        }
        expected << "\n";
    }
    std::ifstream rec(file("rec.txt"));
    std::stringstream got;
    got << rec.rdbuf();
    EXPECT_EQ(got.str(), expected.str());
    // The settings were saved before the firmware went.
    ASSERT_TRUE(fs::exists(file("backups")));
    EXPECT_EQ(std::distance(fs::directory_iterator(file("backups")), fs::directory_iterator()), 1);
}

TEST_F(Cli, FlashCardSendsTheBlocksByteForByte) {
    std::string expected;
    const std::string xup = cardImage(30, 4, 300, expected);
    std::ofstream(file("qlx.xup")) << xup;
    SimProcess s({kSim, "--card", "--record", file("rec.txt")});
    const RunResult r = cli(s.path(), {"flash-card", file("qlx.xup")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(s.stop(), 0);
    std::ifstream rec(file("rec.txt"));
    std::stringstream got;
    got << rec.rdbuf();
    EXPECT_EQ(got.str(), expected);
}

TEST_F(Cli, FirmwareFailuresPrintTheirExactText) {
    std::ofstream(file("fw.kfw")) << ":0400000001020304F2\n:00000001FF\n";
    {
        SimProcess s({kSim, "--esc-bootloader", "--silent"});
        const RunResult r = cli(s.path(), {"flash-esc", "--fix-mode", file("fw.kfw")});
        EXPECT_EQ(r.exitCode, 5);
        EXPECT_EQ(lastLine(r.err),
                  "orvek-cli: Update Error: TX=0xd6, TX Timeover!; to recover, power the ESC off "
                  "and on, then run: orvek-cli --port " +
                      s.path() + " flash-esc --fix-mode " + file("fw.kfw"));
    }
    std::ofstream(file("qlx.xup")) << "0002AAAA0001BB0003CCCCCC";
    {
        SimProcess s({kSim, "--card", "--block-crc-error", "1"});
        const RunResult r = cli(s.path(), {"flash-card", file("qlx.xup")});
        EXPECT_EQ(r.exitCode, 5);
        EXPECT_EQ(lastLine(r.err),
                  "orvek-cli: Update Error: Data transfer crc error!; to recover, power the "
                  "program card off and on, then run: orvek-cli --port " +
                      s.path() + " flash-card --fix-mode " + file("qlx.xup"));
    }
    {
        SimProcess s({kSim, "--card", "--block-again", "4"});
        const RunResult r = cli(s.path(), {"flash-card", file("qlx.xup")});
        EXPECT_EQ(r.exitCode, 5);
        EXPECT_EQ(
            lastLine(r.err).rfind(
                "orvek-cli: Update Error: repeat Data transfer over four time!; to recover", 0),
            0u)
            << r.err;
    }
}

TEST_F(Cli, EachFailureClassHasItsOwnExitCode) {
    // No adapter.
    const RunResult noPort = cli(file("no-such-tty"), {"info"});
    EXPECT_EQ(noPort.exitCode, 3);
    EXPECT_EQ(lastLine(noPort.err).rfind("orvek-cli: cannot open", 0), 0u) << noPort.err;

    // No device answering.
    {
        SimProcess s({kSim, "--silent"});
        EXPECT_EQ(cli(s.path(), {"info"}).exitCode, 4);
    }
    // The device refuses a settings pair.
    {
        SimProcess s({kSim, "--nak-pair", "3"});
        const RunResult r = cli(s.path(), {"defaults"});
        EXPECT_EQ(r.exitCode, 5);
        EXPECT_EQ(lastLine(r.err).rfind("orvek-cli: Send fail", 0), 0u) << r.err;
    }
    // Bad input files: a missing settings file, a damaged image (refused before the device
    // hears a byte of it).
    std::ofstream(file("bad.kfw")) << ":0400000001020304F3\n:00000001FF\n";
    {
        SimProcess s({kSim, "--record", file("rec.txt")});
        EXPECT_EQ(cli(s.path(), {"write", file("missing.cfg")}).exitCode, 6);
        const RunResult r = cli(s.path(), {"flash-esc", "--no-backup", file("bad.kfw")});
        EXPECT_EQ(r.exitCode, 6);
        EXPECT_NE(r.err.find("line 1"), std::string::npos) << r.err;
        s.stop();
        EXPECT_EQ(fs::file_size(file("rec.txt")), 0u);
    }
    EXPECT_EQ(run({kCli, "check", file("bad.kfw")}).exitCode, 6);
    // The command line itself.
    EXPECT_EQ(run({kCli, "frobnicate"}).exitCode, 2);

    // In JSON mode the failure is also a document on standard output.
    const RunResult json = run({kCli, "--json", "--port", file("no-such-tty"), "info"});
    EXPECT_EQ(json.exitCode, 3);
    EXPECT_NE(json.out.find("\"exit\":3"), std::string::npos) << json.out;
}

TEST_F(Cli, SimulatedReadNeedsNoHardware) {
    const RunResult r = run({kCli, "--simulate", "read"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(settingLines(r.out).size(), 18u);
    EXPECT_NE(r.out.find("Boost ACC = 650 RPM/deg"), std::string::npos);

    const RunResult json = run({kCli, "--simulate=stock", "--json", "info"});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find("\"model\":\"ORVEK BASIS SPEC\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"firmware\":\"Stock V1.30\""), std::string::npos);
}

TEST_F(Cli, ACopyFindsItsDataInstalledBesideItOrInItsOwnFolder) {
    // As installed under any prefix: PREFIX/bin/orvek-cli and PREFIX/share/orvek-link.
    fs::create_directories(dir / "prefix" / "bin");
    fs::create_directories(dir / "prefix" / "share" / "orvek-link" / "Profile");
    fs::copy_file(kCli, dir / "prefix" / "bin" / "orvek-cli");
    // A portable copy: the data lies beside the executable.
    fs::create_directories(dir / "portable");
    fs::copy_file(kCli, dir / "portable" / "orvek-cli");
    std::ofstream(dir / "portable" / "config.ini") << "[TEXT INFO]\nsize=90\n";

    const std::string data = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string config = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("XDG_DATA_HOME", file("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", file("config").c_str(), 1);
    const RunResult installed = run({file("prefix/bin/orvek-cli"), "--json", "folders"});
    const RunResult portable = run({file("portable/orvek-cli"), "--json", "folders"});
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(installed.exitCode, 0) << installed.err;
    EXPECT_EQ(installed.out, "{\"programData\":\"" + file("prefix/share/orvek-link") +
                                 "\",\"userData\":\"" + file("data/orvek-link") +
                                 "\",\"userConfig\":\"" + file("config/orvek-link/config.ini") +
                                 "\",\"backups\":\"" + file("data/orvek-link/backups") +
                                 "\",\"history\":\"" + file("data/orvek-link/history.sqlite") +
                                 "\"}\n");
    EXPECT_NE(portable.out.find("\"programData\":\"" + file("portable") + "\""), std::string::npos)
        << portable.out;

    const RunResult version = run({kCli, "--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("orvek-cli ") + ORVEK_VERSION + "\n");
    const RunResult simVersion = run({kSim, "--version"});
    EXPECT_EQ(simVersion.exitCode, 0);
    EXPECT_EQ(simVersion.out, std::string("orvek-sim ") + ORVEK_VERSION + "\n");
}

TEST_F(Cli, AnInterruptedUploadGoesOnUnlessASecondInterruptFollows) {
    const std::string image = hexImage("fw", 4096, 5);
    const std::size_t records = lineCount(image);
    // Interrupts sent once the upload is a tenth of the way: `count` of them, 200 ms apart.
    const auto interruptAtATenth = [](int count) {
        return [count, sent = false](pid_t pid, const std::string& err) mutable {
            if (sent || err.find("flash-esc: 10%") == std::string::npos) return;
            sent = true;
            for (int i = 0; i < count; ++i) {
                if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));
                ::kill(pid, SIGINT);
            }
        };
    };
    const std::string recovery = "flash-esc --fix-mode " + image;
    {
        SimProcess s({kSim, "--paced", "--record", file("once.txt")});
        const RunResult r = run({kCli, "--port", s.path(), "flash-esc", "--no-backup", image},
                                interruptAtATenth(1));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(
            r.err.find(
                "warning: stopping the upload now leaves the ESC without firmware, so it goes on; "
                "interrupt again within 3 s"),
            std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("to recover then, power the ESC off and on, then run: orvek-cli "
                             "--port " +
                             s.path() + " " + recovery),
                  std::string::npos);
        EXPECT_NE(r.out.find("ESC firmware updated"), std::string::npos);
        ASSERT_EQ(s.stop(), 0);
        EXPECT_EQ(lineCount(file("once.txt")), records);
    }
    {
        SimProcess s({kSim, "--paced", "--record", file("twice.txt")});
        const RunResult r = run({kCli, "--port", s.path(), "flash-esc", "--no-backup", image},
                                interruptAtATenth(2));
        EXPECT_EQ(r.exitCode, 5) << r.err;
        EXPECT_EQ(lastLine(r.err),
                  "orvek-cli: upload stopped: the ESC is left without firmware; to recover, power "
                  "the ESC off and on, then run: orvek-cli --port " +
                      s.path() + " " + recovery);
        ASSERT_EQ(s.stop(), 0);
        EXPECT_LT(lineCount(file("twice.txt")), records / 2) << "stopped soon after the second";
    }
    // The line it gives does what it says, on the ESC now running only its bootloader.
    SimProcess boot({kSim, "--esc-bootloader", "--record", file("recovered.txt")});
    const RunResult again = run({kCli, "--port", boot.path(), "flash-esc", "--fix-mode", image});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    ASSERT_EQ(boot.stop(), 0);
    EXPECT_EQ(lineCount(file("recovered.txt")), records);
}

TEST_F(Cli, OutsideAnUploadOrAWriteAnInterruptEndsAtOnceAndThePortIsFreeAgain) {
    SimProcess s({kSim, "--paced"});
    const auto started = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point interrupted{};
    // During the settings read, at the first byte the trace shows on the line.
    const RunResult r =
        run({kCli, "-v", "--port", s.path(), "read"}, [&](pid_t pid, const std::string& err) {
            if (interrupted == std::chrono::steady_clock::time_point{} &&
                err.find("tx ") != std::string::npos) {
                interrupted = std::chrono::steady_clock::now();
                ::kill(pid, SIGINT);
            }
        });
    EXPECT_EQ(r.exitCode, 128 + SIGINT) << r.err;
    ASSERT_NE(interrupted, std::chrono::steady_clock::time_point{});
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(1));
    EXPECT_LT(interrupted - started, std::chrono::seconds(5));
    const RunResult next = cli(s.path(), {"info"});
    EXPECT_EQ(next.exitCode, 0) << "the port was let go: " << next.err;
}

TEST_F(Cli, APulledLineIsADisconnectedAdapterNotASilentDevice) {
    std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
    const std::string image = hexImage("fw", 1024, 2);
    std::ofstream(file("qlx.xup"))
        << "0003AABBCC0003DDEEFF0003112233000344556600037788990003AABBCC\n";
    struct Case {
        const char* what;
        std::vector<std::string> sim;
        std::vector<std::string> command;
        bool leftWithoutFirmware;
    } cases[] = {
        // Cut after the probe, after the identity query, during the pairs, during the records.
        {"info", {"--drop-after", "1"}, {"info"}, false},
        {"info --card", {"--card", "--drop-after", "1"}, {"info", "--card"}, false},
        {"read", {"--drop-after", "2"}, {"read"}, false},
        {"write", {"--drop-after", "15"}, {"write", file("race.cfg")}, false},
        {"defaults", {"--drop-after", "15"}, {"defaults"}, false},
        {"flash-esc", {"--drop-after", "200"}, {"flash-esc", "--no-backup", image}, true},
        {"flash-card", {"--card", "--drop-after", "20"}, {"flash-card", file("qlx.xup")}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> simArgs{kSim};
        simArgs.insert(simArgs.end(), c.sim.begin(), c.sim.end());
        SimProcess s(simArgs);
        const RunResult r = cli(s.path(), c.command);
        EXPECT_EQ(r.exitCode, 3) << r.err;
        EXPECT_EQ(lastLine(r.err).rfind("orvek-cli: the adapter was disconnected", 0), 0u) << r.err;
        EXPECT_EQ(lastLine(r.err).find("off and on, then run") != std::string::npos,
                  c.leftWithoutFirmware)
            << r.err;
    }
}

class CliRefusedFile : public Cli, public ::testing::WithParamInterface<RefusedKind> {};

TEST_P(CliRefusedFile, EveryInputFileIsRefusedAtOnceWithItsReason) {
    const auto kfw = dir / "in" / "image.kfw";
    const auto xup = dir / "in" / "image.xup";
    const auto cfg = dir / "in" / "race.cfg";
    ASSERT_TRUE(makeRefusedFile(GetParam(), kfw, kKfwFileBytesLimit));
    ASSERT_TRUE(makeRefusedFile(GetParam(), xup, xupTextBytesLimit()));
    ASSERT_TRUE(makeRefusedFile(GetParam(), cfg, kProfileFileBytesLimit));
    const bool oversized = GetParam() == RefusedKind::Oversized;
    const std::string notAFile = "not a regular file (a folder, pipe or device)";
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{kCli, "check", kfw},
         oversized ? "the file is larger than 16 MiB, more than any ESC image" : notAFile},
        {{kCli, "check", xup}, oversized ? "the image is larger than 65536 bytes" : notAFile},
        {{kCli, "--port", file("no-such-tty"), "flash-esc", "--fix-mode", kfw},
         oversized ? "the file is larger than 16 MiB" : notAFile},
        {{kCli, "--port", file("no-such-tty"), "flash-card", xup},
         oversized ? "decodes to more than 65536 bytes" : notAFile},
        {{kCli, "--simulate", "write", cfg},
         oversized ? "larger than 1 MiB, more than any settings file or setup sheet" : notAFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[c.args.size() - 2] + " " + c.args.back());
        const auto start = std::chrono::steady_clock::now();
        const RunResult r = run(c.args, {}, 5000);
        ASSERT_FALSE(r.killed) << "still reading after 5 s";
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(r.exitCode, 6) << r.err;
        EXPECT_NE(lastLine(r.err).find(c.reason), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(EachKind, CliRefusedFile,
                         ::testing::Values(RefusedKind::Pipe, RefusedKind::Device,
                                           RefusedKind::Folder, RefusedKind::Oversized),
                         testing::RefusedKindName());

TEST_F(Cli, MessagesCountInTheSingularAndPointAProgramCardToInfoCard) {
    std::ofstream(file("one.kfw")) << ":0400000001020304F3\n:00000001FF\n";  // one bad checksum
    const RunResult check = run({kCli, "check", file("one.kfw")});
    EXPECT_EQ(check.exitCode, 6);
    EXPECT_EQ(lastLine(check.err), "orvek-cli: " + file("one.kfw") + " is damaged (1 problem)");
    const RunResult flash =
        run({kCli, "--port", file("no-such-tty"), "flash-esc", file("one.kfw")});
    EXPECT_NE(lastLine(flash.err).find("is damaged (1 problem); nothing was sent"),
              std::string::npos)
        << flash.err;

    // A program card does not answer as an ESC; the hint names the command that asks for one.
    const RunResult info = run({kCli, "--simulate=card", "info"});
    EXPECT_EQ(info.exitCode, 4);
    EXPECT_NE(lastLine(info.err).find("a program card answers info --card"), std::string::npos)
        << info.err;
    EXPECT_EQ(run({kCli, "--simulate=card", "info", "--card"}).exitCode, 0);
}

TEST_F(Cli, ErrorLinesStartInLowerCaseAfterTheProgramsName) {
    const std::vector<std::vector<std::string>> commands = {
        {kCli, "read", "-x"},
        {kCli, "sheet"},
        {kCli, "history", "show", "abc"},
        {kCli, "sheet", "save", "Fun Car", ""},
        {kCli, "sheet", "save", "Fun Car", "a/b"},
        {kCli, "sheet", "save", "Fun Car", "x", "--info", "Driver=a\nb", "--from", "none.cfg"},
        {kCli, "sheet", "save", "Fun Car", "x", "--info", "Driver=a\nb", "--simulate"},
    };
    for (const auto& command : commands) {
        const RunResult r = run(command);
        SCOPED_TRACE(command.back());
        EXPECT_NE(r.exitCode, 0);
        ASSERT_EQ(r.err.rfind("orvek-cli: ", 0), 0u) << r.err;
        const char first = r.err[std::string("orvek-cli: ").size()];
        EXPECT_FALSE(std::isupper(static_cast<unsigned char>(first))) << r.err;
    }
    EXPECT_EQ(run({kCli, "read", "-x"}).err,
              "orvek-cli: the following argument was not expected: -x (see --help)\n");
}

}  // namespace
}  // namespace orvek
