// orvek-sim: serves a simulated ESC or program card on a pseudo-terminal until stopped.
#include <CLI/CLI.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/FileReplace.h"
#include "sim/EscSeries.h"
#include "sim/Simulator.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void onSignal(int) { gStop = 1; }
volatile std::sig_atomic_t gReport = 0;
void onReport(int) { gReport = 1; }
volatile std::sig_atomic_t gNextEsc = 0;
void onNextEsc(int) { gNextEsc = 1; }

// The control FIFO of --series: each line "next" unplugs the ESC on the line. Opened without
// waiting for a writer; whoever writes a line may close it again.
class ControlFifo {
public:
    bool open(const std::string& path) {
        if (path.empty()) return true;
        if (::mkfifo(path.c_str(), 0600) != 0 && errno != EEXIST) return false;
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        return fd_ >= 0;
    }
    ~ControlFifo() {
        if (fd_ >= 0) ::close(fd_);
    }
    // Whether a "next" line has come since the last call.
    bool nextAsked() {
        if (fd_ < 0) return false;
        char chunk[64];
        bool next = false;
        for (ssize_t n; (n = ::read(fd_, chunk, sizeof chunk)) > 0;) {
            pending_.append(chunk, static_cast<std::size_t>(n));
            for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
                next = next || pending_.substr(0, end) == "next";
                pending_.erase(0, end + 1);
            }
        }
        return next;
    }

private:
    int fd_ = -1;
    std::string pending_;
};

// One line of what has arrived so far, so that a benchmark in another process can tell that the
// work it measured happened.
void printCounts(const orvek::sim::Simulator& sim) {
    long probes = 0, reads = 0;
    const auto received = sim.received();
    for (const auto& b : received) {
        if (b.value == 0xD5) ++probes;
        if (b.value == 0xD8) ++reads;
    }
    std::printf(
        "counts received=%zu probes=%ld reads=%ld pairs=%d commits=%d records=%zu "
        "blocks=%zu\n",
        received.size(), probes, reads, sim.pairsStored(), sim.commits(), sim.records().size(),
        sim.blocks().size());
    std::fflush(stdout);
}

void appendHex(std::string& text, std::uint8_t byte) {
    static const char kDigits[] = "0123456789ABCDEF";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
}

// Through the one file writer: a file the user may not write stays, no half file is left.
bool writeRecords(const orvek::sim::Simulator& sim, const std::string& path) {
    std::string text;
    const auto put = [&text](char tag, const std::vector<std::uint8_t>& bytes) {
        text += tag;
        text += ' ';
        for (std::uint8_t b : bytes) appendHex(text, b);
        text += '\n';
    };
    for (const auto& r : sim.records()) put('R', r);
    for (const auto& b : sim.blocks()) put('B', b);
    return !orvek::replaceFile(path, text);
}

bool writeReceived(const orvek::sim::Simulator& sim, const std::string& path) {
    std::string text;
    for (const auto& r : sim.received()) appendHex(text, r.value);
    return !orvek::replaceFile(path, text + "\n");
}

// Every byte received with the time it arrived, one "ms hex" line each: the gaps of an exchange.
bool writeReceivedTimes(const orvek::sim::Simulator& sim, const std::string& path) {
    std::string text;
    char line[32];
    for (const auto& r : sim.received()) {
        std::snprintf(line, sizeof line, "%.3f ", r.atMs);
        text += line;
        appendHex(text, r.value);
        text += '\n';
    }
    return !orvek::replaceFile(path, text);
}

// The bytes received and sent and the times of the first and last byte received: a run's span on
// the line, for the wire-time ratios.
bool writeTiming(const orvek::sim::Simulator& sim, const std::string& path) {
    const std::vector<orvek::sim::ReceivedByte> bytes = sim.received();
    char line[160];
    std::snprintf(line, sizeof line, "received %zu emitted %lld first-ms %.3f last-ms %.3f\n",
                  bytes.size(), sim.bytesEmitted(), bytes.empty() ? 0.0 : bytes.front().atMs,
                  bytes.empty() ? 0.0 : bytes.back().atMs);
    return !orvek::replaceFile(path, line);
}

// The simulator's links always point at a pseudo-terminal; any other path is someone's file.
bool isOwnLink(const std::string& path) {
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n < 0) return false;
    return std::string(target, static_cast<std::size_t>(n)).rfind("/dev/pts/", 0) == 0;
}

bool pointsAt(const std::string& path, const std::string& device) {
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    return n >= 0 && std::string(target, static_cast<std::size_t>(n)) == device;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvek::sim;
    CLI::App app{
        "orvek-sim: a simulated ORVEK ESC or QLX program card behind a CP210x adapter, on a\n"
        "pseudo-terminal. Prints the device path, then serves until interrupted. Point the tool\n"
        "at it with --port PATH or ORVEK_PORT=PATH."};
    app.set_version_flag("--version", std::string("orvek-sim ") + ORVEK_VERSION,
                         "Print the version and exit");
    std::string esc = "expert";
    bool card = false, escBoot = false, cardBoot = false, paced = false;
    int version = 3, cardVersion = 2;
    std::string stateFile, linkPath, recordFile, receivedFile, timingFile, receivedTimesFile;
    Faults faults;
    long long dropAfter = -1;
    int lateMs = 0, wrong = -1;

    std::map<std::string, int> families{{"expert", 0x0B}, {"stock", 0x0C}, {"blinky", 0x0D}};
    app.add_option("--esc", esc, "ESC family: expert, stock, blinky, or a type code (e.g. 0x0E)")
        ->capture_default_str();
    app.add_flag("--card", card, "Be a program card instead of an ESC");
    app.add_flag("--esc-bootloader", escBoot, "Start in the ESC bootloader (an ESC for fix mode)");
    app.add_flag("--card-bootloader", cardBoot, "Start in the program card bootloader");
    app.add_option("--version-code", version, "ESC firmware version code (3 reads 1.30)")
        ->check(CLI::Range(0, 255))
        ->capture_default_str();
    app.add_option("--card-version-code", cardVersion, "Program card firmware version code")
        ->check(CLI::Range(0, 255))
        ->capture_default_str();
    app.add_flag("--paced", paced, "Put bytes on the line at 19200 baud (0.52 ms a byte)");
    app.add_option("--state", stateFile, "Keep the ESC settings in this file across runs");
    app.add_option("--link", linkPath, "Also make a symbolic link to the device at this path");
    app.add_option(
        "--record", recordFile,
        "On exit, write every firmware record (R) and card block (B) received, one hex line each");
    app.add_option("--timing", timingFile,
                   "On exit, write the bytes received and sent and the times of the first and "
                   "last byte received");
    app.add_option("--received", receivedFile,
                   "On exit, write every byte received, in hexadecimal on one line");
    app.add_option("--received-times", receivedTimesFile,
                   "On exit, write every byte received with its time in ms, one per line");
    app.add_flag("--silent", faults.silent, "Fault: never answer (the adapter still echoes)");
    app.add_option("--late", lateMs, "Fault: answer this many milliseconds late");
    app.add_option("--wrong-answer", wrong, "Fault: first byte of every answer becomes this value");
    app.add_option("--nak-pair", faults.nakPairIndex,
                   "Fault: answer 0x00 to settings pair k (0-21)");
    app.add_option("--block-again", faults.blockAgainCount,
                   "Fault: answer 0x00 to the next n card blocks");
    app.add_option("--block-crc-error", faults.blockChecksumErrorAt,
                   "Fault: answer 0x12 to card block k");
    app.add_option("--short-by", faults.shortAnswerBy,
                   "Fault: every answer loses its last n bytes");
    app.add_option("--drop-after", dropAfter, "Fault: cut the line after n bytes received");
    app.add_option("--ready-on-try", faults.bootReadyOnTry,
                   "Fault: card bootloader answers 0xD8 only to the n-th 0xD7");
    std::string seriesList, controlPath;
    int unpluggedMs = 500;
    app.add_option("--series", seriesList,
                   "ESCs plugged in one after another: family:version[:state file][:nak=K],...; "
                   "SIGUSR2 or a \"next\" line on --control unplugs the one on the line");
    app.add_option("--control", controlPath, "With --series: a FIFO made here for \"next\" lines");
    app.add_option("--unplugged-ms", unpluggedMs,
                   "With --series: how long no ESC answers between two (default 500)")
        ->check(CLI::Range(0, 600000));
    CLI11_PARSE(app, argc, argv);
    std::vector<SeriesEsc> seriesEscs;
    if (!seriesList.empty()) {
        std::string error;
        if (!parseEscSeries(seriesList, seriesEscs, error)) {
            std::fprintf(stderr, "orvek-sim: --series: %s\n", error.c_str());
            return 2;
        }
    }

    SimOptions options;
    if (families.count(esc) != 0) {
        options.identity.typeCode = static_cast<std::uint8_t>(families[esc]);
    } else {
        char* end = nullptr;
        const long code = std::strtol(esc.c_str(), &end, 0);
        if (esc.empty() || *end != '\0' || code < 0 || code > 255) {
            std::fprintf(stderr, "orvek-sim: unknown ESC family '%s'\n", esc.c_str());
            return 2;
        }
        options.identity.typeCode = static_cast<std::uint8_t>(code);
    }
    options.identity.versionCode = static_cast<std::uint8_t>(version);
    options.identity.cardVersionCode = static_cast<std::uint8_t>(cardVersion);
    options.peer = card ? Peer::CardApplication : Peer::EscApplication;
    if (escBoot) options.peer = Peer::EscBootloader;
    if (cardBoot) options.peer = Peer::CardBootloader;
    options.paced = paced;
    options.stateFile = stateFile;
    faults.answerDelayMs = static_cast<std::uint32_t>(lateMs < 0 ? 0 : lateMs);
    faults.wrongAnswer = wrong;
    faults.dropAfterBytes = dropAfter;

    struct stat existing {};
    if (!linkPath.empty() && ::lstat(linkPath.c_str(), &existing) == 0 && !isOwnLink(linkPath)) {
        std::fprintf(stderr,
                     "orvek-sim: --link %s: the path exists and is not a link made by orvek-sim; "
                     "nothing was replaced\n",
                     linkPath.c_str());
        return 1;
    }
    Simulator sim(options);
    sim.setFaults(faults);
    EscSeries series(sim, seriesEscs, faults, unpluggedMs);
    if (!seriesEscs.empty()) {
        series.plugInFirst();
        stateFile = seriesEscs.front().stateFile;
    }
    ControlFifo control;
    if (!control.open(controlPath)) {
        std::fprintf(stderr, "orvek-sim: cannot make the control FIFO %s\n", controlPath.c_str());
        return 1;
    }
    if (!sim.stateProblem().empty()) {
        std::fprintf(stderr, "orvek-sim: cannot keep the settings in %s: %s\n", stateFile.c_str(),
                     sim.stateProblem().c_str());
        return 1;
    }
    if (!sim.start()) {
        std::fprintf(stderr, "orvek-sim: cannot open a pseudo-terminal\n");
        return 1;
    }
    if (!linkPath.empty()) {
        ::unlink(linkPath.c_str());  // an earlier run's own link, checked above
        if (::symlink(sim.devicePath().c_str(), linkPath.c_str()) != 0) {
            std::fprintf(stderr, "orvek-sim: cannot link %s\n", linkPath.c_str());
        }
    }
    // Before the path is out: whoever reads it may stop the simulator at once, and the link
    // must still go.
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGUSR1, onReport);
    std::signal(SIGUSR2, onNextEsc);
    std::printf("%s\n", sim.devicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "orvek-sim: %s on %s\n", peerName(options.peer), sim.devicePath().c_str());

    while (gStop == 0 && !sim.lineDropped()) {
        if (gReport != 0) {
            gReport = 0;
            printCounts(sim);
        }
        if (!seriesEscs.empty()) {
            const bool next = control.nextAsked() || gNextEsc != 0;
            gNextEsc = 0;
            if (next) {
                series.unplug(sim.nowMs());
                std::fprintf(stderr, "orvek-sim: ESC %zu unplugged\n", series.onLine() + 1);
            }
            std::string said;
            series.poll(sim.nowMs(), said);
            if (!said.empty()) std::fprintf(stderr, "orvek-sim: %s\n", said.c_str());
        }
        ::usleep(10 * 1000);
    }
    sim.stop();
    // Only a link that is still ours: the path may have been given to something else since.
    if (!linkPath.empty() && pointsAt(linkPath, sim.devicePath())) ::unlink(linkPath.c_str());
    if (!sim.stateKept()) {
        std::fprintf(stderr, "orvek-sim: the settings could not be saved in %s\n",
                     stateFile.c_str());
        return 1;
    }
    if (!receivedFile.empty() && !writeReceived(sim, receivedFile)) {
        std::fprintf(stderr, "orvek-sim: cannot write %s\n", receivedFile.c_str());
        return 1;
    }
    if (!receivedTimesFile.empty() && !writeReceivedTimes(sim, receivedTimesFile)) {
        std::fprintf(stderr, "orvek-sim: cannot write %s\n", receivedTimesFile.c_str());
        return 1;
    }
    if (!timingFile.empty() && !writeTiming(sim, timingFile)) {
        std::fprintf(stderr, "orvek-sim: cannot write %s\n", timingFile.c_str());
        return 1;
    }
    if (!recordFile.empty() && !writeRecords(sim, recordFile)) {
        std::fprintf(stderr, "orvek-sim: cannot write %s\n", recordFile.c_str());
        return 1;
    }
    return 0;
}
