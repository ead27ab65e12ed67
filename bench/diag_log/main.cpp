// The diagnostic log's ring filled to its bound with the traffic of a firmware upload (44-byte
// record frames, their echo and acknowledgement) and of quiet polling. Prints the ring's memory
// after an hour of quiet polling against its 2 MiB bound, and the time the window's thread
// spends on Help > Save Diagnostic Log with a full ring: the copy under the ring's lock (which a
// writing device thread waits for) against 20 ms, and copy, text and file against 500 ms.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "diag/DiagnosticLog.h"

namespace {

using namespace orvek;
using Clock = std::chrono::steady_clock;

constexpr double kCopyLimitMs = 20.0;
constexpr double kSaveLimitMs = 500.0;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void quietTick(LinkLog& log) {
    const std::uint8_t probe = 0xD5, present = 0x26;
    log.traced(UsbUart::TraceDirection::Sent, &probe, 1);
    log.traced(UsbUart::TraceDirection::Echo, &probe, 1);
    log.traced(UsbUart::TraceDirection::Received, &present, 1);
}

}  // namespace

int main() {
    std::int64_t now = 1'700'000'000'000;
    const LinkLog::Clock clock = [&now] { return now; };

    LinkLog quiet(LinkLog::kLimitBytes, clock);
    for (int tick = 0; tick < 7200; ++tick, now += 500) quietTick(quiet);
    const double hourRatio =
        static_cast<double>(quiet.memoryBytes()) / static_cast<double>(LinkLog::kLimitBytes);
    std::printf("an hour of quiet polling: %zu entries, %zu bytes, ratio %.3f of 2 MiB: %s\n",
                quiet.size(), quiet.memoryBytes(), hourRatio, hourRatio <= 1.0 ? "within" : "OVER");

    LinkLog full(LinkLog::kLimitBytes, clock);
    std::vector<std::uint8_t> frame(44, '0');
    frame[0] = ':';
    const std::uint8_t ack = 0x01;
    for (int i = 0; i < 60000; ++i, ++now) {
        full.traced(UsbUart::TraceDirection::Sent, frame.data(), frame.size());
        full.traced(UsbUart::TraceDirection::Echo, frame.data(), frame.size());
        full.traced(UsbUart::TraceDirection::Received, &ack, 1);
    }
    for (int tick = 0; tick < 2000; ++tick, now += 500) quietTick(full);

    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("orvek-bench-diag-" + std::to_string(::getpid()) + ".txt");
    double copyMs = 1e9, saveMs = 1e9;
    std::size_t entries = 0;
    for (int round = 0; round < 5; ++round) {
        const Clock::time_point start = Clock::now();
        const LogSnapshot snapshot = full.snapshot();
        copyMs = std::min(copyMs, msSince(start));
        entries = snapshot.entries.size();
        if (saveDiagnosticLog(file, {{"program", "bench"}}, snapshot)) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
        saveMs = std::min(saveMs, msSince(start));
    }
    std::error_code size;
    const auto bytes = std::filesystem::file_size(file, size);
    std::filesystem::remove(file, size);
    const double copyRatio = copyMs / kCopyLimitMs, saveRatio = saveMs / kSaveLimitMs;
    std::printf("full ring: %zu entries, %zu bytes, a %llu-byte file\n", entries,
                full.memoryBytes(), static_cast<unsigned long long>(bytes));
    std::printf("copy under the lock %.2f ms, ratio %.3f (limit %.0f ms): %s\n", copyMs, copyRatio,
                kCopyLimitMs, copyRatio <= 1.0 ? "within" : "OVER");
    std::printf("copy, text and file %.1f ms, ratio %.3f (limit %.0f ms): %s\n", saveMs, saveRatio,
                kSaveLimitMs, saveRatio <= 1.0 ? "within" : "OVER");
    return hourRatio <= 1.0 && copyRatio <= 1.0 && saveRatio <= 1.0 ? 0 : 1;
}
