// The window's costs, printed against their targets:
//   cold start to first painted frame, resident memory after identification, CPU share of a
//   core while a connected ESC (orvek-sim in another process) is polled quietly, and the
//   longest stall of the window's event loop (target: one frame, 16 ms) while the port opens,
//   idle, during a quiet poll, an identification, a settings write, an ESC firmware update, a
//   silent ESC and a pulled cable. Each stall is printed with the simulator's count of the work
//   it covered; a situation whose work did not happen is reported as not measured.
// bench_window [quiet-seconds]   (runs itself as the window's process for the first three)
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "firmware/ProgramFolder.h"
#include "gui/app/CTarnwick11App.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/window/CTarnwick11Dlg.h"
#include "gui/window/WindowResources.h"
#include "sim/Simulator.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using orvek::CTarnwick11Dlg;
using orvek::EscState;

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Message boxes that only count: the benchmark never waits for a person.
class SilentBoxes : public orvek::MessageBoxes {
public:
    void show(const std::string&, orvek::MessageIcon) override {}
    bool ask(const std::string&, bool) override { return false; }
};

// Notes the first paint of any of the window's widgets.
class FirstPaint : public QObject {
public:
    long long atNs = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && atNs == 0) atNs = nowNs();
        return false;
    }
};

// The event loop as the program runs it, for `ms`.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window's own process: as orvek-link starts, on the given port, with Device > Esc chosen.
int windowProcess(int argc, char** argv, const std::string& port, int quietSeconds) {
    orvek::CTarnwick11App app(argc, argv);
    SilentBoxes boxes;
    orvek::WindowOptions options;
    options.port = port;
    options.programFolder = orvek::programFolder();
    options.messages = &boxes;
    FirstPaint paint;
    CTarnwick11Dlg window(options);
    app.installEventFilter(&paint);
    window.menuAction(orvek::deviceCommand::Esc)->trigger();
    window.show();
    while (paint.atNs == 0) runFor(1);
    std::printf("first_paint_ns %lld\n", paint.atNs);
    QElapsedTimer clock;
    clock.start();
    while (window.status().escState != EscState::Identified && clock.elapsed() < 10000) runFor(50);
    std::printf("identified %d\n", window.status().escState == EscState::Identified ? 1 : 0);
    runFor(1500);  // settle after the settings read
    std::printf("rss_kb %ld\n", residentKb());
    const double cpu0 = cpuMs();
    const long long wall0 = nowNs();
    runFor(quietSeconds * 1000);
    std::printf("quiet_cpu_ms %.3f wall_ms %.1f\n", cpuMs() - cpu0, (nowNs() - wall0) / 1e6);
    std::fflush(stdout);
    return 0;
}

struct Spawned {
    pid_t pid = -1;
    FILE* out = nullptr;
};

Spawned spawn(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Spawned s;
    if (posix_spawn(&s.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) s.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    s.out = fdopen(pipeFds[0], "r");
    return s;
}

std::string readLine(FILE* in) {
    char buffer[512];
    if (!in || !std::fgets(buffer, sizeof buffer, in)) return {};
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

// What the simulator in the other process has received so far (SIGUSR1 makes it print a line).
struct SimCounts {
    long received = -1, probes = 0, reads = 0, pairs = 0, commits = 0, records = 0;
    bool valid() const { return received >= 0; }
};

SimCounts askCounts(const Spawned& sim) {
    SimCounts c;
    if (sim.pid < 0 || kill(sim.pid, SIGUSR1) != 0) return c;
    const std::string line = readLine(sim.out);
    std::sscanf(line.c_str(),
                "counts received=%ld probes=%ld reads=%ld pairs=%ld commits=%ld records=%ld",
                &c.received, &c.probes, &c.reads, &c.pairs, &c.commits, &c.records);
    return c;
}

void report(const char* what, double value, const char* unit, double limit) {
    std::printf("%-52s %10.3f %-3s limit %8.3f  ratio %.3f %s\n", what, value, unit, limit,
                value / limit, value <= limit ? "ok" : "OVER");
}

// One frame at 60 Hz: the longest the window's event loop may be held.
constexpr double kFrameMs = 16.0;

// A stall figure, printed only with the proof that the work it covers happened.
void reportStall(const char* what, double ms, bool happened, const std::string& work) {
    if (!happened) {
        std::printf("%-52s NOT MEASURED: the work did not happen (%s)\n", what, work.c_str());
        return;
    }
    std::printf("%-52s %10.3f ms  limit %6.1f  ratio %.3f %s  [%s]\n", what, ms, kFrameMs,
                ms / kFrameMs, ms <= kFrameMs ? "ok" : "OVER", work.c_str());
}

// The longest gap between the turns of the window's event loop from `start` until `done`.
double longestStallMs(const std::function<void()>& start, const std::function<bool()>& done,
                      int limitMs = 30000) {
    long long last = nowNs();
    long long worst = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const long long now = nowNs();
        worst = std::max(worst, now - last);
        last = now;
    });
    probe.start(1);
    last = nowNs();
    start();
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) runFor(5);
    probe.stop();
    return worst / 1e6;
}

// An ESC image of `records` 16-byte data records and the end record, as Intel HEX text.
std::string kfwImage(int records) {
    std::string text;
    char line[64];
    for (int r = 0; r < records; ++r) {
        const int address = r * 16;
        int sum = 16 + (address >> 8) + (address & 0xFF);
        int n = std::snprintf(line, sizeof line, ":10%04X00", address);
        for (int i = 0; i < 16; ++i) {
            const int value = (r * 7 + i * 13) & 0xFF;
            sum += value;
            n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X", value);
        }
        std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X\r\n",
                      (-sum) & 0xFF);
        text += line;
    }
    return text + ":00000001FF\r\n";
}

std::unique_ptr<CTarnwick11Dlg> openWindow(const std::string& port, SilentBoxes& boxes) {
    orvek::WindowOptions options;
    options.port = port;
    options.programFolder = orvek::programFolder();
    options.messages = &boxes;
    auto window = std::make_unique<CTarnwick11Dlg>(options);
    window->show();
    return window;
}

// Every situation against the paced simulator in its own process, with the window as the
// program runs it (both timers on).
void measureStalls(int argc, char** argv, const Spawned& sim, const std::string& port) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentBoxes boxes;
    std::unique_ptr<CTarnwick11Dlg> window;
    {
        // From the window's first turn (its making is the cold start's figure) to the open port.
        window = openWindow(port, boxes);
        const double ms = longestStallMs(
            [] {}, [&] { return window->status().usbState == orvek::UsbState::PortOpen; });
        const bool open = window->status().usbState == orvek::UsbState::PortOpen;
        reportStall("event loop stall, the port opening", ms, open,
                    open ? "port open" : "port not open");
    }
    {
        const SimCounts before = askCounts(sim);
        const auto ticks = window->status().ticks;
        const double ms =
            longestStallMs([] {}, [&] { return window->status().ticks >= ticks + 4; });
        const SimCounts after = askCounts(sim);
        const bool happened = window->status().ticks >= ticks + 4 && after.valid() &&
                              after.received == before.received;
        reportStall("event loop stall, idle (no device chosen)", ms, happened,
                    std::to_string(window->status().ticks - ticks) + " ticks, " +
                        std::to_string(after.received - before.received) + " bytes sent");
    }
    {
        const SimCounts before = askCounts(sim);
        const double ms =
            longestStallMs([&] { window->menuAction(orvek::deviceCommand::Esc)->trigger(); },
                           [&] { return window->status().escState == EscState::Identified; });
        const SimCounts after = askCounts(sim);
        const bool happened =
            window->status().escState == EscState::Identified && after.reads > before.reads;
        reportStall("event loop stall, identification and settings read", ms, happened,
                    std::to_string(after.reads - before.reads) + " settings reads");
    }
    runFor(700);
    {
        const SimCounts before = askCounts(sim);
        const auto ticks = window->status().ticks;
        // Seven ticks: one may have been in flight, its probe already counted before.
        const double ms =
            longestStallMs([] {}, [&] { return window->status().ticks >= ticks + 7; });
        const SimCounts after = askCounts(sim);
        reportStall("event loop stall, quiet poll of a connected ESC", ms,
                    after.probes - before.probes >= 6,
                    std::to_string(after.probes - before.probes) + " probes");
    }
    {
        const SimCounts before = askCounts(sim);
        const auto sent = window->session().commandsSent() + 1;
        const double ms = longestStallMs([&] { window->session().requestWrite(); },
                                         [&] {
                                             return window->status().commandsServed >= sent &&
                                                    !window->status().writeRequested;
                                         });
        const SimCounts after = askCounts(sim);
        reportStall("event loop stall, settings write (22 pairs)", ms,
                    after.pairs - before.pairs == 22 && after.commits - before.commits == 1,
                    std::to_string(after.pairs - before.pairs) + " pairs, " +
                        std::to_string(after.commits - before.commits) + " commit");
    }
    {
        const std::string image = "/tmp/orvek-bench-window-" + std::to_string(getpid()) + ".kfw";
        constexpr int kRecords = 60;
        std::ofstream(image, std::ios::binary) << kfwImage(kRecords);
        const SimCounts before = askCounts(sim);
        const auto sent = window->session().commandsSent() + 1;
        const double ms = longestStallMs(
            [&] { window->session().requestUpdate(orvek::FirmwareTarget::Esc, image); },
            [&] {
                return window->status().commandsServed >= sent && !window->status().updateLocked();
            },
            60000);
        const SimCounts after = askCounts(sim);
        std::remove(image.c_str());
        reportStall("event loop stall, ESC firmware update (60 records)", ms,
                    after.records - before.records == kRecords + 1,
                    std::to_string(after.records - before.records) + " records");
    }
    window.reset();

    // A second ESC that never answers, then its cable pulled.
    Spawned silent = spawn({ORVEK_SIM_PATH, "--esc", "expert", "--paced", "--silent"});
    const std::string silentPort = readLine(silent.out);
    window = openWindow(silentPort, boxes);
    runFor(1200);
    window->menuAction(orvek::deviceCommand::Esc)->trigger();
    runFor(600);
    {
        const SimCounts before = askCounts(silent);
        const auto ticks = window->status().ticks;
        const double ms =
            longestStallMs([] {}, [&] { return window->status().ticks >= ticks + 7; });
        const SimCounts after = askCounts(silent);
        reportStall("event loop stall, silent ESC", ms,
                    after.probes - before.probes >= 6 &&
                        window->status().escState == EscState::NotAnswering,
                    std::to_string(after.probes - before.probes) + " unanswered probes");
    }
    {
        const double ms =
            longestStallMs([&] { kill(silent.pid, SIGKILL); },
                           [&] { return window->status().usbState == orvek::UsbState::NoPort; });
        int status = 0;
        waitpid(silent.pid, &status, 0);
        reportStall("event loop stall, pulled cable", ms,
                    window->status().usbState == orvek::UsbState::NoPort, "port closed");
    }
    window.reset();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--window-process") == 0) {
        return windowProcess(argc, argv, argv[2], std::atoi(argv[3]));
    }
    const int quietSeconds = argc > 1 ? std::atoi(argv[1]) : 20;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // The ESC in a process of its own, paced at the line rate.
    Spawned simProcess = spawn({ORVEK_SIM_PATH, "--esc", "expert", "--paced"});
    const std::string port = readLine(simProcess.out);
    if (simProcess.pid < 0 || port.rfind("/dev/", 0) != 0) {
        std::fprintf(stderr, "cannot start orvek-sim (%s)\n", port.c_str());
        return 1;
    }
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return 1;
    self[n] = '\0';
    const long long startNs = nowNs();
    Spawned windowProc = spawn({self, "--window-process", port, std::to_string(quietSeconds)});
    long long firstPaint = 0;
    long rss = 0;
    double cpu = 0, wall = 1;
    int identified = 0;
    for (std::string line = readLine(windowProc.out); !line.empty();
         line = readLine(windowProc.out)) {
        std::sscanf(line.c_str(), "first_paint_ns %lld", &firstPaint);
        std::sscanf(line.c_str(), "identified %d", &identified);
        std::sscanf(line.c_str(), "rss_kb %ld", &rss);
        std::sscanf(line.c_str(), "quiet_cpu_ms %lf wall_ms %lf", &cpu, &wall);
    }
    int status = 0;
    waitpid(windowProc.pid, &status, 0);
    if (!identified) {
        std::fprintf(stderr, "the window did not identify the simulated ESC\n");
        return 1;
    }
    report("cold start to first painted frame", (firstPaint - startNs) / 1e9, "s", 0.3);
    report("resident memory after identification", rss / 1024.0, "MB", 80);
    report("CPU share of a core, quiet poll of a connected ESC", 100.0 * cpu / wall, "%", 0.1);
    measureStalls(argc, argv, simProcess, port);
    kill(simProcess.pid, SIGTERM);
    waitpid(simProcess.pid, &status, 0);
    return 0;
}
