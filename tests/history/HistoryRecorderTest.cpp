// The recorder's thread: records arrive in order, a failure is told once and its end once, and
// a record never waits for the disk in the caller.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "history/HistoryRecorder.h"
#include "history/HistoryTesting.h"
#include "support/TempFolder.h"

namespace orvek::testing {
namespace {

class Notices {
public:
    HistoryRecorder::NoticeHandler handler() {
        return [this](const std::string& notice) {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(notice);
        };
    }
    std::vector<std::string> seen() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> seen_;
};

TEST(HistoryRecorder, WritesFromManyThreadsInOrderPerThreadAndNamesTheProgram) {
    TempFolder folder;
    const auto file = folder / "history.sqlite";
    Notices notices;
    {
        HistoryRecorder recorder(file, "window", notices.handler());
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&recorder, t] {
                for (int n = 0; n < 25; ++n) {
                    HistoryRecord record = sampleRecord(n);
                    record.program.clear();
                    record.note = std::to_string(t) + ":" + std::to_string(n);
                    recorder.record(record);
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
        recorder.flush();
        EXPECT_EQ(recorder.kept(), 100u);
    }
    HistoryStore store(file);
    std::vector<HistoryRecord> records;
    ASSERT_EQ(store.list("", 0, records), HistoryStatus::Ok);
    ASSERT_EQ(records.size(), 100u);
    std::array<int, 4> next{};
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        EXPECT_EQ(it->program, "window");
        const int t = it->note[0] - '0';
        EXPECT_EQ(it->note, std::to_string(t) + ":" + std::to_string(next[t]));
        ++next[static_cast<std::size_t>(t)];
    }
    EXPECT_TRUE(notices.seen().empty());
}

TEST(HistoryRecorder, TellsALockOnceAndItsEndOnceWithoutHoldingTheCaller) {
    TempFolder folder;
    const auto file = folder / "history.sqlite";
    Notices notices;
    HistoryRecorder recorder(file, "cli", notices.handler());
    recorder.record(sampleRecord(0));
    recorder.flush();
    {
        RawDatabase other(file);
        ASSERT_TRUE(other.exec("BEGIN IMMEDIATE; DELETE FROM records WHERE id < 0;"));
        const auto before = std::chrono::steady_clock::now();
        recorder.record(sampleRecord(1));
        recorder.record(sampleRecord(2));
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
        recorder.flush();
        ASSERT_TRUE(other.exec("COMMIT"));
    }
    recorder.record(sampleRecord(3));
    recorder.flush();
    const std::vector<std::string> seen = notices.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0].find("locked by another program"), std::string::npos);
    EXPECT_EQ(seen[1], "");
    EXPECT_EQ(recorder.kept(), 2u);
}

}  // namespace
}  // namespace orvek::testing
