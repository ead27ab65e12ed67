// Ten simulated ESCs paced at 19200 baud, plugged in one after another with half a second
// unplugged between them, served by one series as orvek-cli serves it (a probe every 100 ms at
// most between ESCs). For each ESC it prints the time from its plug-in to the end of its row
// against the wire time that cannot be saved: its identification, its settings read, 22 pairs
// with their pauses, the commit and the read-back with its delay. Then the time per ESC of the
// whole series, with the unplugged time taken off, against that wire time: the limit is 1.05.
// A single ESC may be over it by up to one unanswered probe (150 ms): one plugged in while a
// probe waits is seen by the next.
//   bench_series [ESCS]
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "series/LineWatch.h"
#include "series/WriteSeries.h"
#include "sim/EscSeries.h"

namespace {

using namespace orvek;

constexpr double kLimit = 1.05;
constexpr int kUnpluggedMs = 500;
constexpr int kPairPauseMs = 100;  // after each of the 22 pairs
constexpr int kReadBackDelayMs = 200;

// The adapter's side: plugs the next ESC in when its time has come, on its own thread, as the
// racer's hand does, whatever the series is doing then.
class Pit {
public:
    Pit(sim::Simulator& sim, std::vector<sim::SeriesEsc> escs)
        : sim_(sim), escs_(sim, std::move(escs), {}, kUnpluggedMs) {}
    ~Pit() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    // The first ESC is on the line already; it counts as plugged in from `nowMs`.
    bool start() {
        if (!escs_.plugInFirst()) return false;
        thread_ = std::thread([this] { run(); });
        return true;
    }
    void unplug() { unplugAsked_ = true; }
    void pluggedAt(double nowMs) { plugged_ = nowMs; }
    double pluggedAtMs() const { return plugged_.load(); }

private:
    void run() {
        while (!stop_) {
            if (unplugAsked_.exchange(false)) escs_.unplug(sim_.nowMs());
            std::string said;
            escs_.poll(sim_.nowMs(), said);
            if (!said.empty()) plugged_ = sim_.nowMs();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    sim::Simulator& sim_;
    sim::EscSeries escs_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> unplugAsked_{false};
    std::atomic<double> plugged_{0};
};

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10;
    if (count < 1) return 2;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench-series-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path values = folder / "pit.cfg";
    std::ofstream(values, std::ios::binary) << "[option]\r\nDrag Brake=20%\r\n";

    sim::SimOptions options;
    options.paced = true;
    sim::Simulator sim(options);
    std::vector<sim::SeriesEsc> escs;
    std::string list, error;
    for (int n = 0; n < count; ++n) list += std::string(n ? "," : "") + "expert:3";
    if (!sim::parseEscSeries(list, escs, error) || !sim.start()) {
        std::fprintf(stderr, "cannot start the simulator: %s\n", error.c_str());
        return 1;
    }
    Pit pit(sim, escs);
    if (!pit.start()) return 1;
    UsbUart link;
    link.setPortOverride(sim.devicePath());
    if (link.openPort() != 0) {
        std::fprintf(stderr, "cannot open %s\n", sim.devicePath().c_str());
        return 1;
    }

    pit.pluggedAt(sim.nowMs());
    const double startMs = sim.nowMs();
    WriteSeries series(seriesValuesFromFile(values), "bench");
    std::printf("%-5s %12s %12s %8s  %s\n", "ESC", "plug-to-row", "wire limit", "ratio", "");
    double worst = 0, wireSum = 0, endMs = 0;
    bool allWritten = true;
    for (int n = 1; n <= count; ++n) {
        EscInfo info{};
        if (watchLine(link, true, {}, info) != LineWatch::Arrived) return 1;
        // The bytes the arrival needed: the answered probe and the identification.
        const long long emittedBefore = sim.bytesEmitted();
        const SeriesRow& row = series.serve(link, info);
        endMs = sim.nowMs();
        allWritten = allWritten && row.result == SeriesResult::Verified;
        const long long lineBytes =
            (sim.bytesEmitted() - emittedBefore) + 2 + (1 + static_cast<long long>(kEscInfoSize));
        const double wireMs = static_cast<double>(lineBytes) * sim.byteTimeMs() +
                              kSettingsPairs * kPairPauseMs + kReadBackDelayMs;
        const double spent = endMs - pit.pluggedAtMs();
        const double ratio = spent / wireMs;
        worst = std::max(worst, ratio);
        wireSum += wireMs;
        std::printf("%-5d %9.1f ms %9.1f ms %8.3f  %s\n", n, spent, wireMs, ratio,
                    seriesResultName(row.result));
        if (n == count) break;
        pit.unplug();
        if (watchLine(link, false, {}, info) != LineWatch::Gone) return 1;
    }
    std::filesystem::remove_all(folder);
    const double unplugged = static_cast<double>(count - 1) * kUnpluggedMs;
    const double perEsc = (endMs - startMs - unplugged) / count;
    const double ratio = perEsc / (wireSum / count);
    std::printf(
        "%d ESCs in %.1f ms, %.0f ms of it unplugged: %.1f ms per ESC against %.1f ms on "
        "the wire, ratio %.3f (limit %.2f): %s; the slowest ESC %.3f\n",
        count, endMs - startMs, unplugged, perEsc, wireSum / count, ratio, kLimit,
        ratio <= kLimit ? "within" : "OVER", worst);
    if (!allWritten) std::printf("not every ESC was written and verified\n");
    return ratio <= kLimit && allWritten ? 0 : 1;
}
