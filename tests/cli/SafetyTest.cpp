// orvek-cli and orvek-sim given paths and files they must not damage, inputs they must not
// send, and failures they must say how to get back from: the real executables, real files,
// the simulator on a pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <thread>

#include "CliFixture.h"
#include "JsonCheck.h"

namespace orvek {
namespace {

// A file's bytes and modification time: what must not change.
struct Snapshot {
    std::string bytes;
    std::int64_t mtimeNs = -1;
    bool operator==(const Snapshot& o) const { return bytes == o.bytes && mtimeNs == o.mtimeNs; }
};

Snapshot snapshot(const std::string& path) {
    Snapshot s;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    s.bytes = text.str();
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        s.mtimeNs =
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return s;
}

std::size_t entries(const std::string& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// One Intel HEX data record.
std::string dataRecord(unsigned address, const std::vector<unsigned>& data) {
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8) + (address & 0xFF);
    char text[16];
    std::snprintf(text, sizeof text, ":%02X%04X00", static_cast<unsigned>(data.size()), address);
    std::string line = text;
    for (unsigned b : data) {
        std::snprintf(text, sizeof text, "%02X", b);
        line += text;
        sum += b;
    }
    std::snprintf(text, sizeof text, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + text;
}

std::string readAll(const std::string& path) { return snapshot(path).bytes; }

// Paths that are no serial port, in `folder`: a file with known content and an old time (so
// that any write would show in it), a link to it, a folder and a pipe; and /dev/null.
struct NotAPort {
    std::string path;
    std::string kind;
};
std::vector<NotAPort> makeNotAPorts(const fs::path& folder) {
    const std::string notes = (folder / "notes.txt").string();
    std::ofstream(notes) << "root:x:0:0:root:/root:/bin/bash\n";
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, notes.c_str(), old, 0);
    fs::create_symlink(notes, folder / "notes-link");
    fs::create_directory(folder / "folder");
    ::mkfifo((folder / "fifo").c_str(), 0600);
    return {{notes, "a regular file"},
            {(folder / "notes-link").string(), "a regular file"},
            {(folder / "folder").string(), "a folder"},
            {(folder / "fifo").string(), "a pipe"},
            {"/dev/null", "a device that is not a terminal"}};
}

TEST_F(Cli, APathThatIsNoSerialPortIsRefusedAndLeftAsItWas) {
    const std::vector<NotAPort> ports = makeNotAPorts(dir);
    const std::string notes = ports[0].path;
    ASSERT_TRUE(fs::is_fifo(file("fifo")));
    std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
    const std::string image = hexImage("fw", 256, 1);
    const Snapshot before = snapshot(notes);
    ASSERT_EQ(before.mtimeNs, 1000000000LL * 1000000000LL);

    const std::vector<std::vector<std::string>> commands = {
        {"info"}, {"read"}, {"write", file("race.cfg")}, {"flash-esc", "--fix-mode", image}};
    for (const auto& port : ports) {
        for (const auto& command : commands) {
            SCOPED_TRACE(port.path + " " + command[0]);
            std::vector<std::string> args{kCli, "--port", port.path};
            args.insert(args.end(), command.begin(), command.end());
            const RunResult r = run(args, {}, 10000);
            EXPECT_FALSE(r.killed);
            EXPECT_EQ(r.exitCode, 3);
            EXPECT_EQ(r.err,
                      "orvek-cli: " + port.path + " is not a serial port (" + port.kind + ")\n");
            EXPECT_EQ(r.out, "");
        }
    }
    ::setenv("ORVEK_PORT", notes.c_str(), 1);
    const RunResult fromEnvironment = run({kCli, "info"}, {}, 10000);
    ::unsetenv("ORVEK_PORT");
    EXPECT_EQ(fromEnvironment.exitCode, 3);
    EXPECT_EQ(fromEnvironment.err,
              "orvek-cli: " + notes + " is not a serial port (a regular file)\n");

    EXPECT_EQ(snapshot(notes), before);
    EXPECT_EQ(entries(file("folder")), 0u);
}

TEST_F(Cli, ALinkToTheSimulatorsTerminalServesEveryCommand) {
    const std::string link = file("ttyORVEK");
    std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
    const std::string image = hexImage("fw", 512, 3);
    std::string blocks;
    std::ofstream(file("qlx.xup")) << cardImage(3, 11, 200, blocks);
    {
        SimProcess esc({kSim, "--link", link});
        ASSERT_EQ(fs::read_symlink(link).string(), esc.path());
        for (const std::vector<std::string>& args : {std::vector<std::string>{"info"},
                                                     {"read", "-o", file("saved.cfg")},
                                                     {"write", file("race.cfg")},
                                                     {"defaults", "--dry-run"},
                                                     {"flash-esc", "--no-backup", image}}) {
            const RunResult r = cli(link, args);
            EXPECT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
        }
        EXPECT_EQ(esc.stop(), 0);
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << "the simulator took its own link away";
    SimProcess card({kSim, "--card", "--link", link});
    EXPECT_EQ(cli(link, {"info", "--card"}).exitCode, 0);
    const RunResult flashed = cli(link, {"flash-card", file("qlx.xup")});
    EXPECT_EQ(flashed.exitCode, 0) << flashed.err;
}

TEST_F(Cli, WritersReplaceOnlyWhatTheyMade) {
    const std::string notes = file("notes.cfg");
    std::ofstream(notes) << "[option]\nBoost RPM=5000\n";
    fs::create_directory(file("folder"));
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
    std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
    const Snapshot before = snapshot(notes);

    const RunResult linked = run({kSim, "--link", notes}, {}, 5000);
    EXPECT_FALSE(linked.killed);
    EXPECT_EQ(linked.exitCode, 1);
    EXPECT_EQ(linked.err, "orvek-sim: --link " + notes +
                              ": the path exists and is not a link made by orvek-sim; nothing "
                              "was replaced\n");
    // The link an earlier simulator left when it was killed is its own, and is taken over.
    fs::create_symlink("/dev/pts/4095", file("old-link"));
    {
        SimProcess s({kSim, "--link", file("old-link")});
        EXPECT_EQ(fs::read_symlink(file("old-link")).string(), s.path());
    }

    const struct {
        std::string path;
        std::string why;
    } states[] = {
        {notes, "it is not a state file of orvek-sim; it is left as it is"},
        {file("fifo"), "it is not a regular file (a pipe or device)"},
        {file("folder"), "it is a folder"},
        {file("none/x.state"), "its folder " + file("none") + " is missing"},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.path);
        const RunResult c = run(
            {kCli, "--simulate", "--sim-state", state.path, "write", file("race.cfg")}, {}, 10000);
        EXPECT_FALSE(c.killed);
        EXPECT_EQ(c.exitCode, 7);
        EXPECT_EQ(c.err, "orvek-cli: cannot keep the simulated ESC's settings in " + state.path +
                             ": " + state.why + "\n");
        const RunResult s = run({kSim, "--state", state.path}, {}, 5000);
        EXPECT_FALSE(s.killed);
        EXPECT_EQ(s.exitCode, 1);
        EXPECT_EQ(s.out, "") << "no terminal is served";
    }
    EXPECT_EQ(snapshot(notes), before);
    EXPECT_EQ(entries(file("folder")), 0u);
    EXPECT_FALSE(fs::exists(file("none")));

    // A link to a state file is followed: the file gets the settings, the link stays a link.
    writeState(file("esc.state"), kDefaultBlock);
    fs::create_symlink("esc.state", file("state-link"));
    const RunResult kept =
        run({kCli, "--simulate", "--sim-state", file("state-link"), "write", file("race.cfg")});
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_TRUE(fs::is_symlink(file("state-link")));
    ASSERT_EQ(readState(file("esc.state")).size(), 23u);
    EXPECT_EQ(readState(file("esc.state"))[7], 50) << "Reverse Speed 50%";
    EXPECT_EQ(entries(dir.string()), 6u) << "no temporary file left beside them";
}

TEST_F(Cli, SavedSettingsGoWhereTheNameSays) {
    const RunResult empty = run({kCli, "--simulate", "read", "-o", ""});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(empty.err, "orvek-cli: -o needs a file name (or - for standard output)\n");
    fs::create_directory(file("out"));
    const RunResult folder = run({kCli, "--simulate", "read", "-o", file("out") + "/"});
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_EQ(folder.err,
              "orvek-cli: -o " + file("out") + "/ names a folder; give the settings file's name\n");
    EXPECT_EQ(entries(file("out")), 0u);
    const RunResult nowhere = run({kCli, "--simulate", "read", "-o", file("none/race.cfg")});
    EXPECT_EQ(nowhere.exitCode, 7);
    EXPECT_EQ(nowhere.err, "orvek-cli: cannot write " + file("none/race.cfg") + ": no folder " +
                               file("none") + "\n");
    EXPECT_EQ(nowhere.out, "") << "refused before the ESC was read";

    // "-" is standard output, holding the settings file and nothing else.
    const RunResult piped = run({kCli, "--simulate", "read", "-o", "-"});
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    ASSERT_EQ(run({kCli, "--simulate", "read", "-o", file("out/saved.cfg")}).exitCode, 0);
    EXPECT_EQ(piped.out, readAll(file("out/saved.cfg")));
    EXPECT_FALSE(fs::exists("-.cfg"));

    // A name near the system's limit still gets its file, and nothing else is left.
    const std::string longName = file("out/" + std::string(250, 'n') + ".cfg");
    const RunResult longRun = run({kCli, "--simulate", "read", "-o", longName});
    EXPECT_EQ(longRun.exitCode, 0) << longRun.err;
    EXPECT_TRUE(fs::exists(longName));
    EXPECT_EQ(entries(file("out")), 2u);

    // A link to a file not there yet makes the file and stays a link.
    fs::create_symlink("target.cfg", file("out/link.cfg"));
    EXPECT_EQ(run({kCli, "--simulate", "read", "-o", file("out/link.cfg")}).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(file("out/link.cfg")));
    EXPECT_EQ(readAll(file("out/target.cfg")), readAll(file("out/saved.cfg")));
}

TEST_F(Cli, InputsThatCannotBeSentAreRefusedBeforeThePortOpens) {
    std::ofstream(file("empty.cfg")) << "";
    {
        std::ofstream garbage(file("garbage.cfg"), std::ios::binary);
        std::mt19937 random(3);
        for (int i = 0; i < 300; ++i) garbage.put(static_cast<char>(random()));
    }
    {
        std::ofstream utf16(file("utf16.cfg"), std::ios::binary);
        for (char c : std::string("[option]\r\nReverse Speed=50%\r\n")) utf16 << c << '\0';
    }
    std::ofstream(file("options.cfg")) << "[Options]\nReverse Speed=50%\n";
    std::ofstream(file("empty.kfw")) << "";
    std::ofstream(file("empty.xup")) << "";
    std::ofstream(file("overlap.kfw")) << dataRecord(0, {1, 2, 3, 4}) << dataRecord(0x10, {5})
                                       << dataRecord(2, {6, 7, 8, 9}) << ":00000001FF\n";
    const std::string noData =
        " holds no firmware data; sending it would leave the device without firmware, so it is "
        "never sent";
    const struct {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{"write", file("empty.cfg")},
         file("empty.cfg") + " holds no settings (no [option] keys matched)"},
        {{"write", file("garbage.cfg")},
         file("garbage.cfg") + " holds no settings (no [option] keys matched)"},
        {{"write", file("utf16.cfg")},
         file("utf16.cfg") + " holds no settings (no [option] keys matched)"},
        {{"write", file("options.cfg")},
         file("options.cfg") + " holds no settings (no [option] keys matched)"},
        {{"write", file("missing.cfg")}, "no such settings file: " + file("missing.cfg")},
        {{"flash-esc", "--force", "--fix-mode", file("empty.kfw")}, file("empty.kfw") + noData},
        {{"flash-card", "--force", file("empty.xup")}, file("empty.xup") + noData},
        {{"flash-esc", "--no-backup", file("overlap.kfw")},
         file("overlap.kfw") +
             " is damaged (1 problem); nothing was sent (--force sends it anyway)"},
    };
    SimProcess s({kSim, "--received", file("received.txt")});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        const RunResult r = cli(s.path(), c.args);
        EXPECT_EQ(r.exitCode, 6);
        EXPECT_EQ(lastLine(r.err), "orvek-cli: " + c.line);
    }
    ASSERT_EQ(s.stop(), 0);
    EXPECT_EQ(readAll(file("received.txt")), "\n") << "not a byte reached the device";

    const RunResult checked = run({kCli, "check", file("overlap.kfw")});
    EXPECT_EQ(checked.exitCode, 6);
    EXPECT_NE(checked.out.find("  problem: line 3: data at 0x00000002 to 0x00000005 overlaps the "
                               "record on line 1\n"),
              std::string::npos)
        << checked.out;
    EXPECT_EQ(checked.out.find("sound"), std::string::npos);
    // --force sends it as it is.
    SimProcess boot({kSim, "--esc-bootloader", "--record", file("rec.txt")});
    const RunResult forced =
        cli(boot.path(), {"flash-esc", "--fix-mode", "--force", file("overlap.kfw")});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    ASSERT_EQ(boot.stop(), 0);
    EXPECT_EQ(lineCount(file("rec.txt")), 4u);
}

TEST_F(Cli, AWriteNamesWhatItPassesOverAndWhatItSetsWithoutAList) {
    std::ofstream(file("twice.cfg")) << "[option]\nReverse Speed=50%\nreverse speed=75%\n"
                                        "Drag Brake=\n[option]\nTurbo Slope=1\n";
    {
        SimProcess s({kSim});
        const RunResult r = cli(s.path(), {"write", "--dry-run", file("twice.cfg")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        for (const char* warning :
             {"warning: line 5: a second [option] section; only the first is read\n",
              "warning: line 3: reverse speed given again; only its first value is read\n",
              "warning: Drag Brake: empty in the file; keeps 10%\n"}) {
            EXPECT_NE(r.err.find(warning), std::string::npos) << warning;
        }
        EXPECT_NE(r.out.find("  Reverse Speed: 25% -> 50%\n"), std::string::npos) << r.out;
    }

    // A Blinky's own settings written back: nothing changes in its lists, yet six registers
    // without options become 0xFF, and both the dry run and the write say so.
    SimProcess blinky({kSim, "--esc", "blinky"});
    ASSERT_EQ(cli(blinky.path(), {"read", "-o", file("own.cfg")}).exitCode, 0);
    const std::string named =
        "no setting changes in the lists\n"
        "registers set to 0xFF (this ESC's lists offer no options for them, and a list without a "
        "selection is written as 0xFF):\n"
        "  register 0xE9 (Boost Timing): 0x0A -> 0xFF\n"
        "  register 0xEA (Turbo Slope): 0x03 -> 0xFF\n"
        "  register 0xEC (Turbo Timing): 0x0A -> 0xFF\n"
        "  register 0xED (Boost RPM): 0x12 -> 0xFF\n"
        "  register 0xEE (Turbo Delay): 0x02 -> 0xFF\n"
        "  register 0xEF (Boost ACC): 0x0C -> 0xFF\n";
    const RunResult dry = cli(blinky.path(), {"write", "--dry-run", file("own.cfg")});
    EXPECT_EQ(dry.out, named + "dry run: nothing sent\n");
    const RunResult written = cli(blinky.path(), {"write", file("own.cfg")});
    EXPECT_EQ(written.out, named + "settings written and verified\n");
    const RunResult again = cli(blinky.path(), {"write", file("own.cfg")});
    EXPECT_EQ(again.out,
              "no setting changes; sending them all the same\n"
              "settings written and verified\n");
}

TEST_F(Cli, AnInterruptedWriteFinishesUnlessASecondInterruptFollows) {
    std::ofstream(file("race.cfg")) << "[option]\nReverse Speed=50%\n";
    writeState(file("esc.state"), kDefaultBlock);
    {
        SimProcess s({kSim, "--paced", "--state", file("esc.state")});
        const RunResult r =
            run({kCli, "--port", s.path(), "write", file("race.cfg")}, interruptAt("write: ", 1));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.err.find("warning: stopping the write now leaves the ESC holding settings it "
                             "has not committed, so it goes on"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.out.find("settings written and verified"), std::string::npos);
        ASSERT_EQ(s.stop(), 0);
        EXPECT_EQ(readState(file("esc.state"))[7], 50);
    }
    writeState(file("esc.state"), kDefaultBlock);
    SimProcess s({kSim, "--paced", "--state", file("esc.state")});
    const RunResult r =
        run({kCli, "--port", s.path(), "write", file("race.cfg")}, interruptAt("write: ", 2));
    EXPECT_EQ(r.exitCode, 5) << r.err;
    const std::string line = lastLine(r.err);
    EXPECT_EQ(line.rfind("orvek-cli: write stopped after ", 0), 0u) << line;
    EXPECT_NE(line.find(" of 22 pairs: the ESC holds an unfinished write, not committed, until the "
                        "settings are written again or it is powered off"),
              std::string::npos)
        << line;
    ASSERT_EQ(s.stop(), 0);
    EXPECT_EQ(readState(file("esc.state")), kDefaultBlock) << "nothing committed";
}

TEST_F(Cli, AStoppedUploadIsRecoveredByThePrintedStepsAfterAPowerCycle) {
    std::string blocks;
    std::ofstream(file("qlx.xup")) << cardImage(30, 11, 200, blocks);
    const std::string image = hexImage("fw", 4096, 5);
    const struct {
        const char* device;
        std::vector<std::string> running, bootloader, command;
        std::string progress;
    } cases[] = {
        {"ESC", {}, {"--esc-bootloader"}, {"flash-esc", "--no-backup", image}, "flash-esc: 10%"},
        {"program card",
         {"--card"},
         {"--card-bootloader"},
         {"flash-card", file("qlx.xup")},
         "flash-card: 11%"},
    };
    const std::string link = file("ttyORVEK");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        std::string printed;
        {
            std::vector<std::string> simArgs{kSim, "--paced", "--link", link};
            simArgs.insert(simArgs.end(), c.running.begin(), c.running.end());
            SimProcess s(simArgs);
            std::vector<std::string> args{kCli, "--port", link};
            args.insert(args.end(), c.command.begin(), c.command.end());
            const RunResult r = run(args, interruptAt(c.progress, 2));
            EXPECT_EQ(r.exitCode, 5) << r.err;
            const std::string line = lastLine(r.err);
            const std::string steps =
                std::string("power the ") + c.device + " off and on, then run: ";
            ASSERT_NE(line.find(steps), std::string::npos) << line;
            printed = line.substr(line.find(steps) + steps.size());
        }
        // Switched off and on, the device starts in its bootloader, where nothing but the
        // printed command reaches it.
        std::vector<std::string> simArgs{kSim, "--link", link, "--record", file("rec.txt")};
        simArgs.insert(simArgs.end(), c.bootloader.begin(), c.bootloader.end());
        SimProcess boot(simArgs);
        EXPECT_EQ(cli(link, c.command).exitCode, 4) << "without fix mode it is not found";
        std::vector<std::string> words;
        std::istringstream split(printed);
        for (std::string word; split >> word;) words.push_back(word == "orvek-cli" ? kCli : word);
        const RunResult recovered = run(words);
        EXPECT_EQ(recovered.exitCode, 0) << printed << "\n" << recovered.err;
        ASSERT_EQ(boot.stop(), 0);
        if (c.running.empty()) {
            EXPECT_EQ(lineCount(file("rec.txt")), lineCount(image));
        } else {
            EXPECT_EQ(readAll(file("rec.txt")), blocks);
        }
    }
}

TEST_F(Cli, EveryFailureIsOneLineAndUnderJsonOneDocument) {
    std::ofstream(file("empty.cfg")) << "";
    const struct {
        std::vector<std::string> args;
        int exit;
        std::string line;  // empty: success
    } cases[] = {
        {{kCli, "--json", "frobnicate"},
         2,
         "orvek-cli: unknown command 'frobnicate' (ports, info, read, write, defaults, flash-esc, "
         "flash-card, check, folders, sheet, history, card or series; see --help)"},
        {{kCli, "--json", "read", "--port"},
         2,
         "orvek-cli: --port: 1 required TEXT missing (see --help)"},
        {{kCli, "--json", "--simulate", "--port", file("p"), "info"},
         2,
         "orvek-cli: --simulate and --port exclude each other"},
        {{kCli, "--json", "--simulate", "write", file("empty.cfg")},
         6,
         "orvek-cli: " + file("empty.cfg") + " holds no settings (no [option] keys matched)"},
        {{kCli, "--json", "--simulate", "write", file("gone-\xff.cfg")},
         6,
         "orvek-cli: no such settings file: " + file("gone-\xff.cfg")},
        {{kCli, "--json", "--simulate", "read", "-o", file("race-\xfe\xff.cfg")}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exit) << r.err;
        EXPECT_TRUE(testing::isOneJsonDocument(r.out)) << r.out;
        if (c.line.empty()) continue;
        EXPECT_EQ(r.err, c.line + "\n");
        EXPECT_NE(r.out.find("\"exit\":" + std::to_string(c.exit) + "}"), std::string::npos);
    }
    EXPECT_TRUE(fs::exists(file("race-\xfe\xff.cfg")));
}

#ifdef ORVEK_LINK_PATH
TEST_F(Cli, TheWindowStopsAtOnceWhenItsDataFolderIsNone) {
    std::ofstream(file("notes.txt")) << "x";
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (const std::string& data : {file("notes.txt"), file("nowhere")}) {
        const RunResult r = run({ORVEK_LINK_PATH, "--data-dir", data}, {}, 10000);
        EXPECT_FALSE(r.killed);
        EXPECT_EQ(r.exitCode, 2);
        const std::string line =
            "orvek-link: --data-dir " + data +
            (data == file("notes.txt") ? " is not a folder\n" : " does not exist\n");
        EXPECT_NE(r.err.find(line), std::string::npos) << r.err;
    }
}

TEST_F(Cli, TheWindowLeavesAPathThatIsNoSerialPortAsItWas) {
    const std::vector<NotAPort> ports = makeNotAPorts(dir);
    const Snapshot before = snapshot(ports[0].path);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (const NotAPort& port : ports) {
        SCOPED_TRACE(port.path);
        // Three ticks of the poll, then the window is ended from outside.
        const RunResult r =
            run({ORVEK_LINK_PATH, "--port", port.path, "--device", "esc"}, {}, 1600);
        EXPECT_TRUE(r.killed) << "still running: " << r.err;
    }
    EXPECT_EQ(snapshot(ports[0].path), before);
    EXPECT_EQ(entries(file("folder")), 0u);
}
#endif

}  // namespace
}  // namespace orvek
