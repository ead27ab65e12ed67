#pragma once
// Records into the settings history on a thread of its own, so that neither a lock held by
// another program nor a slow disk ever waits inside an exchange with the device. Records are
// written in the order they came; what cannot be written is told once as a notice.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "history/HistoryRecord.h"
#include "history/HistorySink.h"
#include "history/HistoryStore.h"

namespace orvek {

class HistoryRecorder : public HistorySink {
public:
    // Called on the recorder's thread with a line for the racer when recording fails or a
    // damaged file was moved aside, once per distinct notice; with an empty text when a later
    // record was kept again.
    using NoticeHandler = std::function<void(const std::string& notice)>;

    // `program` ("window", "cli") goes into every record that names none.
    HistoryRecorder(std::filesystem::path file, std::string program, NoticeHandler onNotice,
                    std::size_t keptRecords = HistoryStore::kKeptRecords);
    // Writes what is queued, then ends the thread.
    ~HistoryRecorder() override;
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;

    void record(HistoryRecord record) override;
    // Runs `task` on the recorder's thread with its store, in order with the records: a list
    // read after a record holds it. The task must not wait for the caller.
    void perform(std::function<void(HistoryStore&)> task);
    // Returns once every record handed in before the call was written or refused.
    void flush();
    // Records kept so far; the number of the last one kept.
    std::uint64_t kept() const;
    std::int64_t lastId() const;

private:
    void run();
    void write(HistoryRecord& record);

    HistoryStore store_;
    std::string program_;
    NoticeHandler onNotice_;
    std::string lastNotice_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void(HistoryStore&)>> queue_;
    std::uint64_t handedIn_ = 0;
    std::uint64_t done_ = 0;
    std::uint64_t kept_ = 0;
    std::int64_t lastId_ = 0;
    bool stopping_ = false;
    std::thread thread_;  // last: started when everything else is there
};

}  // namespace orvek
