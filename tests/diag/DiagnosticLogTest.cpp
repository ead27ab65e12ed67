// The diagnostic log's file: the lines as the manual shows them, the header with the adapter,
// history and config.ini, and the home folder written as "~" wherever it appears.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "diag/DiagnosticHeader.h"
#include "diag/DiagnosticLog.h"
#include "platform/SystemName.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// 2023-11-14 22:13:20 UTC; the suite runs with TZ=UTC.
constexpr std::int64_t kT0 = 1'700'000'000'000;

LogEntry entry(std::int64_t at, LogKind kind, std::string data, const char* name = nullptr) {
    LogEntry e;
    e.atMs = at;
    e.kind = kind;
    e.name = name;
    e.data = std::move(data);
    return e;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Sets environment variables for one test and puts them back after it.
class Environment {
public:
    void set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old != nullptr, old ? old : ""});
        ::setenv(name, value.c_str(), 1);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->had) {
                ::setenv(it->name, it->value.c_str(), 1);
            } else {
                ::unsetenv(it->name);
            }
        }
    }

private:
    struct Saved {
        const char* name;
        bool had;
        std::string value;
    };
    std::vector<Saved> saved_;
};

TEST(DiagnosticLogLines, ReadAsTheManualShowsThem) {
    struct Case {
        LogEntry entry;
        std::int64_t previousMs;
        std::string line;
    };
    const std::vector<Case> cases = {
        {entry(kT0 + 512, LogKind::Sent, "\xD5", "ESC probe"), kT0 + 12,
         "22:13:20.512 +   500 ms  >  D5  ESC probe"},
        {entry(kT0 + 513, LogKind::Echo, "\xD5", "ESC probe"), kT0 + 512,
         "22:13:20.513 +     1 ms  =  D5  ESC probe"},
        {entry(kT0 + 530, LogKind::Received, std::string("\x0B\x40\x00\x03", 4), "info query"),
         kT0 + 513, "22:13:20.530 +    17 ms  <  0B 40 00 03  info query"},
        {entry(kT0 + 680, LogKind::NoAnswer, "", "ESC probe"), kT0 + 530,
         "22:13:20.680 +   150 ms  <  (no answer)  ESC probe"},
        {entry(kT0 + 1030, LogKind::NoAnswer, "\x0B\x40", "info query"), kT0 + 530,
         "22:13:21.030 +   500 ms  <  0B 40 (incomplete)  info query"},
        {entry(kT0 + 12, LogKind::Unsent, "\xC8", "pair write"), kT0 + 12,
         "22:13:20.012 +     0 ms  -  C8 (not written)  pair write"},
        {entry(kT0 + 12, LogKind::Dropped, "\x3F", "ESC probe"), kT0 + 12,
         "22:13:20.012 +     0 ms  -  3F (dropped: not the echo)  ESC probe"},
        {entry(kT0 + 1234567, LogKind::Link, "port opened: /dev/ttyUSB0"), kT0,
         "22:33:54.567 +1234567 ms  -  port opened: /dev/ttyUSB0"},
        {entry(kT0 + 12, LogKind::State, "lamps: USB on, ESC on, program card off"), kT0 + 12,
         "22:13:20.012 +     0 ms  *  lamps: USB on, ESC on, program card off"},
        {entry(kT0 + 12, LogKind::Box, "box: first line\nsecond\tline \x1b[31m"), kT0 + 12,
         "22:13:20.012 +     0 ms  !  box: first line\\nsecond\\tline \\x1b[31m"},
        {entry(kT0 + 12, LogKind::Sent, "\x42"), kT0 + 12, "22:13:20.012 +     0 ms  >  42"},
        // A time that went back (another thread's entry) reads as no time at all.
        {entry(kT0, LogKind::Echo, "\x42"), kT0 + 12, "22:13:20.000 +     0 ms  =  42"},
    };
    for (const Case& c : cases) EXPECT_EQ(logEntryLine(c.entry, c.previousMs), c.line);
}

TEST(DiagnosticLogLines, TheFileHasItsHeaderFiguresLegendThenOneLinePerEntry) {
    LogSnapshot snapshot;
    snapshot.entries = {entry(kT0, LogKind::Link, "port opened: /dev/pts/3"),
                        entry(kT0 + 500, LogKind::Sent, "\xD5", "ESC probe"),
                        entry(kT0 + 501, LogKind::Echo, "\xD5", "ESC probe")};
    snapshot.dropped = 17;
    snapshot.memoryBytes = 1234;
    snapshot.limitBytes = LinkLog::kLimitBytes;
    const std::vector<std::string> lines =
        linesOf(diagnosticLogText({{"program", "orvek-link 0.1.0"}, {"note", "a\nb"}}, snapshot));
    const std::vector<std::string> expected = {
        "ORVEK Link diagnostic log",
        "format: 1",
        "program: orvek-link 0.1.0",
        "note: a\\nb",
        "entries: 3 kept, 17 older ones dropped",
        "ring: 1234 bytes of at most 2097152",
        "first entry: 2023-11-14 22:13:20.000 +0000",
        "last entry: 2023-11-14 22:13:20.501 +0000",
        lines.size() > 8 ? lines[8] : "",
        "",
        "22:13:20.000 +     0 ms  -  port opened: /dev/pts/3",
        "22:13:20.500 +   500 ms  >  D5  ESC probe",
        "22:13:20.501 +     1 ms  =  D5  ESC probe",
    };
    EXPECT_EQ(lines, expected);
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[8].rfind("legend: ", 0), 0u);
}

TEST(HomeAsTilde, OnlyWholePathsUnderTheHomeFolderChange) {
    const fs::path home = "/home/al";
    EXPECT_EQ(withHomeAsTilde("/home/al", home), "~");
    EXPECT_EQ(withHomeAsTilde("history: /home/al/.local/share/x.sqlite", home),
              "history: ~/.local/share/x.sqlite");
    EXPECT_EQ(withHomeAsTilde("a /home/al/x and /home/al/y\n/home/al", home), "a ~/x and ~/y\n~");
    EXPECT_EQ(withHomeAsTilde("(/home/al)", home), "(~)");
    EXPECT_EQ(withHomeAsTilde("/home/alex/x /home/al.old /mnt/home/al/x", home),
              "/home/alex/x /home/al.old /mnt/home/al/x");
    EXPECT_EQ(withHomeAsTilde("/home/al/x", "/home/al/"), "~/x");
    EXPECT_EQ(withHomeAsTilde("/x /y", "/"), "/x /y") << "a root home changes nothing";
    EXPECT_EQ(withHomeAsTilde("/x", ""), "/x");
}

TEST(DiagnosticFile, TheHomeFolderReadsAsTildeEverywhereInTheSavedFile) {
    TempFolder temp;
    const fs::path home = temp / "home";
    const fs::path program = home / "orvek-portable";
    fs::create_directories(program);
    temp.write("home/config/orvek-link/config.ini", "[TEXT INFO]\nsize=120\n");
    Environment environment;
    environment.set("HOME", home.string());
    environment.set("XDG_CONFIG_HOME", (home / "config").string());

    LogSnapshot snapshot;
    snapshot.limitBytes = LinkLog::kLimitBytes;
    snapshot.port = (home / "ports" / "esc").string();
    snapshot.entries = {
        entry(kT0, LogKind::Link, "port opened: " + snapshot.port),
        entry(kT0 + 1, LogKind::State, "port note: no permission to open " + home.string()),
        entry(kT0 + 2, LogKind::State,
              "settings backed up: " + (home / "data" / "backups" / "a.cfg").string()),
        entry(kT0 + 3, LogKind::Box, "box: " + (temp / "homework" / "x").string()),
    };
    DiagnosticFacts facts;
    facts.program = "orvek-link";
    facts.programFolder = program;
    facts.port = snapshot.port;
    facts.historyFile = home / "data" / "orvek-link" / "history.sqlite";
    facts.historyState = "records are kept";
    const fs::path file = temp / "log.txt";
    ASSERT_FALSE(saveDiagnosticLog(
        file, diagnosticHeader(facts, kT0, AdapterDiscovery(temp.path().string())), snapshot));

    const std::string text = testing::readBytes(file);
    const std::string homeText = home.string();
    for (std::size_t at = text.find(homeText); at != std::string::npos;
         at = text.find(homeText, at + 1)) {
        EXPECT_EQ(text.compare(at, homeText.size() + 4, homeText + "work"), 0)
            << "the home folder left in: " << text.substr(at, 60);
    }
    const std::vector<std::string> lines = linesOf(text);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("port: ~/ports/esc"));
    EXPECT_TRUE(has("history: ~/data/orvek-link/history.sqlite"));
    EXPECT_TRUE(has("program folder: ~/orvek-portable"));
    EXPECT_TRUE(has("config.ini: ~/config/orvek-link/config.ini"));
    EXPECT_TRUE(has("config.ini: ~/orvek-portable/config.ini (none)"));
    EXPECT_TRUE(has("22:13:20.000 +     0 ms  -  port opened: ~/ports/esc"));
    EXPECT_TRUE(has("22:13:20.001 +     1 ms  *  port note: no permission to open ~"));
    EXPECT_TRUE(has("22:13:20.002 +     1 ms  *  settings backed up: ~/data/backups/a.cfg"));
    EXPECT_TRUE(has("22:13:20.003 +     1 ms  !  box: " + (temp / "homework" / "x").string()))
        << "a folder whose name only begins like the home folder stays";
}

TEST(DiagnosticFile, TheHeaderNamesTheAdaptersHistoryAndConfigValues) {
    TempFolder temp;
    // A sysfs with the CP210x and another USB serial adapter.
    const auto addUsbTty = [&](const std::string& name, const std::string& bus,
                               const std::string& vendor, const std::string& product,
                               const std::string& serial) {
        const fs::path usb = temp / "sys" / "devices" / "pci0000:00" / bus;
        const fs::path node = usb / (bus + ":1.0") / name;
        fs::create_directories(node / "tty" / name);
        std::ofstream(usb / "idVendor") << vendor << "\n";
        std::ofstream(usb / "idProduct") << product << "\n";
        std::ofstream(usb / "serial") << serial << "\n";
        fs::create_directories(temp / "sys" / "class" / "tty" / name);
        fs::create_directory_symlink(node, temp / "sys" / "class" / "tty" / name / "device");
    };
    addUsbTty("ttyUSB0", "usb1-1", "10c4", "ea60", "0001");
    addUsbTty("ttyACM0", "usb1-2", "2341", "0043", "85A3");
    temp.write(
        "program/config.ini",
        "[TEXT INFO]\r\nsize=110\r\n[PRODUCT LINK]\r\nORVEK-ARC=http://shop.example/arc\r\n");
    Environment environment;
    environment.set("XDG_CONFIG_HOME", (temp / "no-user-config").string());
    environment.set("ORVEK_PORT", "/dev/ttyUSB0");

    DiagnosticFacts facts;
    facts.program = "orvek-cli";
    facts.command = "--trace t.txt info";
    facts.qtVersion = "6.4.2";
    facts.programFolder = temp / "program";
    facts.port = "/dev/ttyUSB0";
    facts.historyFile = temp / "history.sqlite";
    facts.historyState = "the settings history cannot be written";
    const std::vector<HeaderLine> header =
        diagnosticHeader(facts, kT0, AdapterDiscovery((temp / "sys").string(), "/dev"));
    std::vector<std::string> lines;
    for (const HeaderLine& line : header) lines.push_back(line.key + ": " + line.value);

    const std::string program = (temp / "program").string();
    const std::vector<std::string> expected = {
        std::string("program: orvek-cli ") + ORVEK_VERSION,
        "command: --trace t.txt info",
        "qt: 6.4.2",
        "system: " + systemDescription(),
        "saved: 2023-11-14 22:13:20.000 +0000",
        "port: /dev/ttyUSB0",
        "ORVEK_PORT: /dev/ttyUSB0",
        "adapter: 2341:0043 ttyACM0 (/dev/ttyACM0), serial 85A3",
        "adapter: 10c4:ea60 ttyUSB0 (/dev/ttyUSB0), serial 0001, the CP210x, in use",
        "history: " + (temp / "history.sqlite").string(),
        "history state: the settings history cannot be written",
        "program folder: " + program,
        "config.ini: " + (temp / "no-user-config" / "orvek-link" / "config.ini").string() +
            " (none)",
        "config.ini: " + program + "/config.ini",
        "config [TEXT INFO] size: 110",
        "config [PRODUCT LINK] MAIN: www.orvek.example",
        "config [PRODUCT LINK] ORVEK-ARC: http://shop.example/arc",
        "config [PRODUCT LINK] ORVEK-BASIS: http://www.orvek.example/product/ORVEK-BASIS/",
        "config [PRODUCT LINK] ORVEK-ZETA: http://www.orvek.example/product/ORVEK-ZETA/",
        "config [PRODUCT LINK] ORVEK-QLX: http://www.orvek.example/product/ORVEK-QLX/",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(systemDescription().empty());
}

}  // namespace
}  // namespace orvek
