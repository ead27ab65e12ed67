#pragma once
// Several orvek-cli processes recording into one settings history at once, for the suites that
// check that none of their records is lost or doubled (the window's suite adds a window to it):
// each loop runs `orvek-cli --json read` against a simulator of its own, again and again for the
// time given, with XDG_DATA_HOME pointing at the history's data folder, and keeps the record
// number each read reported.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "Process.h"

namespace orvek::testing {

struct ReadLoopResult {
    int reads = 0;                  // runs that read the settings (exit 0)
    int failed = 0;                 // runs that did not
    std::vector<std::int64_t> ids;  // the record numbers the reads reported, in order
    std::string lastError;          // standard error of the last failed run, or any warning
};

// The number after "history": in a --json document; 0 when there is none or it is null.
inline std::int64_t reportedHistoryId(const std::string& json) {
    const std::string key = "\"history\":";
    const auto at = json.rfind(key);
    if (at == std::string::npos) return 0;
    return std::strtoll(json.c_str() + at + key.size(), nullptr, 10);
}

// Runs `loops` read loops side by side for `seconds`. `cli` and `sim` are the programs' paths,
// `dataHome` the XDG_DATA_HOME all of them record under.
inline std::vector<ReadLoopResult> runReadLoops(const std::string& cli, const std::string& sim,
                                                const std::string& dataHome, int loops,
                                                double seconds) {
    std::vector<ReadLoopResult> results(static_cast<std::size_t>(loops));
    std::vector<std::thread> threads;
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    for (int n = 0; n < loops; ++n) {
        threads.emplace_back([&, n] {
            ReadLoopResult& result = results[static_cast<std::size_t>(n)];
            SimProcess device({sim});
            while (std::chrono::steady_clock::now() < end) {
                const RunResult r =
                    runWithEnvironment({"XDG_DATA_HOME=" + dataHome},
                                       {cli, "--port", device.path(), "--json", "read"});
                if (r.exitCode != 0) {
                    ++result.failed;
                    result.lastError = r.err;
                    continue;
                }
                ++result.reads;
                result.ids.push_back(reportedHistoryId(r.out));
                if (!r.err.empty()) result.lastError = r.err;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    return results;
}

}  // namespace orvek::testing
