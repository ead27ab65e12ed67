// The window's costs, printed against their targets:
//   cold start to first painted frame, resident memory after identification, CPU share of a
//   core while a connected ESC (orvek-sim in another process) is polled quietly, and the
//   longest stall of the window's event loop during a quiet poll, a silent ESC, an
//   identification and a settings write.
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
#include <string>
#include <vector>

#include "firmware/ProgramFolder.h"
#include "gui/app/CTarnwick11App.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/window/CTarnwick11Dlg.h"
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
    while (window.link().escState() != EscState::Identified && clock.elapsed() < 10000) runFor(50);
    std::printf("identified %d\n", window.link().escState() == EscState::Identified ? 1 : 0);
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

// A stall is what the design makes it (the exchanges block the window's thread): printed with
// the figure the design gives, for the record rather than as a limit.
void reportStall(const char* what, double ms, const char* design) {
    std::printf("%-52s %10.3f ms  (design: %s)\n", what, ms, design);
}

void report(const char* what, double value, const char* unit, double limit) {
    std::printf("%-52s %10.3f %-3s limit %8.3f  ratio %.3f %s\n", what, value, unit, limit,
                value / limit, value <= limit ? "ok" : "OVER");
}

// The longest gap between the turns of the window's event loop while `action` runs.
double longestStallMs(const std::function<void()>& start, const std::function<bool()>& done) {
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
    while (!done() && clock.elapsed() < 20000) runFor(5);
    probe.stop();
    return worst / 1e6;
}

void measureStalls(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orvek::sim::SimOptions simOptions;
    simOptions.paced = true;
    orvek::sim::Simulator sim(simOptions);
    if (!sim.start()) return;
    SilentBoxes boxes;
    orvek::WindowOptions options;
    options.port = sim.devicePath();
    options.programFolder = orvek::programFolder();
    options.messages = &boxes;
    CTarnwick11Dlg window(options);
    window.show();
    runFor(1200);  // the port is opened
    {
        const double ms =
            longestStallMs([&] { window.menuAction(orvek::deviceCommand::Esc)->trigger(); },
                           [&] { return window.link().escState() == EscState::Identified; });
        reportStall("event loop stall, identification and settings read", ms,
                    "wire time + 150 ms settle");
    }
    runFor(600);
    {
        int seen = 0;
        auto c = QObject::connect(&window.pollTimer(), &QTimer::timeout, [&] { ++seen; });
        const double ms = longestStallMs([] {}, [&] { return seen >= 6; });
        QObject::disconnect(c);
        reportStall("event loop stall, quiet poll of a connected ESC", ms,
                    "probe, echo and answer: ~1 ms");
    }
    {
        window.requests().writeRequested = true;
        const double ms = longestStallMs([] {}, [&] { return !window.requests().writeRequested; });
        reportStall("event loop stall, settings write (22 pairs)", ms,
                    "22 x (100 ms pause + wire time)");
    }
    {
        orvek::sim::Faults silent;
        silent.silent = true;
        sim.setFaults(silent);
        int seen = 0;
        auto c = QObject::connect(&window.pollTimer(), &QTimer::timeout, [&] { ++seen; });
        const double ms = longestStallMs([] {}, [&] { return seen >= 6; });
        QObject::disconnect(c);
        reportStall("event loop stall, silent ESC", ms, "the 150 ms probe answer limit");
    }
    sim.stop();
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
    kill(simProcess.pid, SIGTERM);
    waitpid(simProcess.pid, &status, 0);
    if (!identified) {
        std::fprintf(stderr, "the window did not identify the simulated ESC\n");
        return 1;
    }
    report("cold start to first painted frame", (firstPaint - startNs) / 1e9, "s", 0.3);
    report("resident memory after identification", rss / 1024.0, "MB", 80);
    report("CPU share of a core, quiet poll of a connected ESC", 100.0 * cpu / wall, "%", 0.1);
    measureStalls(argc, argv);
    return 0;
}
