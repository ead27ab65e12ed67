// Fills a settings history past its bound: 20,000 records and 100 more, each added as a
// recording adds it (its own transaction, pruning the oldest in it). Checks that exactly the
// newest 20,000 are left, and prints the time an insert into the full history takes against its
// limit of 5 ms, and the database's size per 1,000 records.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "history/HistoryStore.h"

namespace {

using namespace orvek;

constexpr std::size_t kKept = HistoryStore::kKeptRecords;
constexpr std::size_t kMore = 100;
constexpr double kLimitMs = 5.0;

// A write record as orvek-cli makes one: every field filled, texts of typical length.
HistoryRecord typicalRecord(std::size_t n) {
    HistoryRecord record;
    record.kind = n % 3 ? HistoryKind::Write : HistoryKind::Read;
    record.program = n % 2 ? "cli" : "window";
    record.info = {0x0B, 0x40, 0x01, static_cast<std::uint8_t>(n), 0x1E, 0x00, 0x00};
    record.model = "ORVEK EXPERT SPEC";
    record.family = "Expert";
    record.firmware = "Expert V1.30";
    for (int i = 0; i < 22; ++i) record.block.push_back(static_cast<std::uint8_t>(n * 7 + i));
    for (std::size_t k = 0; k < record.settings.size(); ++k)
        record.settings[k] = "Level " + std::to_string((n + k) % 30);
    record.origin = {ValuesSource::File,
                     "/home/racer/setups/heat-" + std::to_string(n % 50) + ".cfg", false};
    return record;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    return values[index];
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvek-bench-history-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "history.sqlite";
    bool ok = true;
    std::vector<double> fullMs;
    {
        HistoryStore store(file);
        if (store.open() != HistoryStatus::Ok) {
            std::fprintf(stderr, "cannot open %s: %s\n", file.c_str(), store.lastError().c_str());
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t n = 0; n < kKept + kMore; ++n) {
            HistoryRecord record = typicalRecord(n);
            const auto before = std::chrono::steady_clock::now();
            if (store.add(record) != HistoryStatus::Ok) {
                std::fprintf(stderr, "insert %zu failed: %s\n", n, store.lastError().c_str());
                return 1;
            }
            if (n >= kKept) {
                fullMs.push_back(std::chrono::duration<double, std::milli>(
                                     std::chrono::steady_clock::now() - before)
                                     .count());
            }
        }
        const double fillSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::int64_t count = 0;
        std::vector<HistoryRecord> oldest;
        store.count(count);
        store.list("", 0, oldest);
        const bool newestKept = count == static_cast<std::int64_t>(kKept) &&
                                oldest.size() == kKept &&
                                oldest.back().id == static_cast<std::int64_t>(kMore + 1) &&
                                oldest.front().id == static_cast<std::int64_t>(kKept + kMore);
        std::printf("%zu + %zu inserts in %.1f s: %lld records left, ids %lld to %lld: %s\n", kKept,
                    kMore, fillSeconds, static_cast<long long>(count),
                    static_cast<long long>(oldest.empty() ? 0 : oldest.back().id),
                    static_cast<long long>(oldest.empty() ? 0 : oldest.front().id),
                    newestKept ? "the newest 20000" : "WRONG");
        ok = newestKept;
    }
    // The store is closed: its log is folded into the file, which is all that is left.
    double mean = 0;
    for (double ms : fullMs) mean += ms;
    mean /= static_cast<double>(fullMs.size());
    const double p99 = percentile(fullMs, 0.99);
    const double worst = percentile(fullMs, 1.0);
    const double ratio = p99 / kLimitMs;
    std::printf(
        "insert into a full history (%zu inserts): mean %.3f ms, 99th percentile %.3f ms, worst "
        "%.3f ms, limit %.1f ms, ratio %.3f: %s\n",
        fullMs.size(), mean, p99, worst, kLimitMs, ratio, ratio <= 1.0 ? "within" : "OVER");
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    const double perThousand =
        static_cast<double>(error ? 0 : bytes) / (static_cast<double>(kKept) / 1000.0);
    std::printf("database: %.1f KiB for %zu records, %.1f KiB per 1000 records\n",
                static_cast<double>(error ? 0 : bytes) / 1024.0, kKept, perThousand / 1024.0);
    // Every program run opens the history once and checks the whole file before it trusts it.
    constexpr double kOpenLimitMs = 250.0;
    std::vector<double> openMs;
    for (int run = 0; run < 5; ++run) {
        HistoryStore store(file);
        const auto before = std::chrono::steady_clock::now();
        if (store.open() != HistoryStatus::Ok) ok = false;
        openMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before)
                .count());
    }
    const double openWorst = percentile(openMs, 1.0);
    std::printf(
        "open and check of a full history: worst of 5 %.1f ms, limit %.0f ms, ratio %.3f: %s\n",
        openWorst, kOpenLimitMs, openWorst / kOpenLimitMs,
        openWorst <= kOpenLimitMs ? "within" : "OVER");
    std::filesystem::remove_all(folder, error);
    return ok && ratio <= 1.0 && openWorst <= kOpenLimitMs ? 0 : 1;
}
