// Times identification round trips (EscProbe + InfoQuery + SettingsRead) against the simulator
// paced at 19200 baud and prints the ratio to the pure wire time of the bytes exchanged.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "link/CommandSet.h"
#include "sim/Simulator.h"

int main(int argc, char** argv) {
    using namespace orvek;
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    constexpr double kLimit = 1.05;

    sim::SimOptions options;
    options.paced = true;
    sim::Simulator sim(options);
    if (!sim.start()) {
        std::fprintf(stderr, "cannot start the simulator\n");
        return 1;
    }
    UsbUart link;
    link.setPortOverride(sim.devicePath());
    if (link.openPort() != 0) {
        std::fprintf(stderr, "cannot open %s\n", sim.devicePath().c_str());
        return 1;
    }
    // Each byte sent occupies the line once (its echo is the same signal); answers follow it.
    const int bytesPerRound =
        (1 + 1) + (1 + static_cast<int>(kEscInfoSize)) + (1 + static_cast<int>(kSettingsFrameSize));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        EscInfo info{};
        SettingsFrame frame{};
        if (probeEsc(link) != EscProbeResult::EscPresent ||
            queryInfo(link, info) != LinkStatus::Ok || !readSettingsOnce(link, frame)) {
            std::fprintf(stderr, "round %d failed\n", i);
            return 1;
        }
    }
    const double elapsedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double wireMs = rounds * bytesPerRound * sim.byteTimeMs();
    const double ratio = elapsedMs / wireMs;
    std::printf("identification round trips: %d rounds, %d bytes on the line each\n", rounds,
                bytesPerRound);
    std::printf("elapsed %.1f ms, wire time %.1f ms, ratio %.4f (limit %.2f): %s\n", elapsedMs,
                wireMs, ratio, kLimit, ratio <= kLimit ? "within" : "OVER");
    return ratio <= kLimit ? 0 : 1;
}
