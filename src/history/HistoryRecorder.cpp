#include "history/HistoryRecorder.h"

namespace orvek {

HistoryRecorder::HistoryRecorder(std::filesystem::path file, std::string program,
                                 NoticeHandler onNotice, std::size_t keptRecords)
    : store_(std::move(file), keptRecords),
      program_(std::move(program)),
      onNotice_(std::move(onNotice)),
      thread_([this] { run(); }) {}

HistoryRecorder::~HistoryRecorder() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void HistoryRecorder::record(HistoryRecord record) {
    if (record.program.empty()) record.program = program_;
    if (record.time.empty()) record.time = historyTimeNow();
    perform([this, record = std::move(record)](HistoryStore&) mutable { write(record); });
}

void HistoryRecorder::perform(std::function<void(HistoryStore&)> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(task));
        ++handedIn_;
    }
    changed_.notify_all();
}

void HistoryRecorder::flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t target = handedIn_;
    changed_.wait(lock, [&] { return done_ >= target; });
}

std::uint64_t HistoryRecorder::kept() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return kept_;
}

std::int64_t HistoryRecorder::lastId() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastId_;
}

void HistoryRecorder::run() {
    for (;;) {
        std::function<void(HistoryStore&)> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;  // stopping, with everything written
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        task(store_);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++done_;
        }
        changed_.notify_all();
    }
}

void HistoryRecorder::write(HistoryRecord& record) {
    const HistoryStatus status = store_.add(record);
    // A file that cannot be used now may be usable for the next record (a lock released,
    // space freed); it is opened afresh then.
    if (status != HistoryStatus::Ok) store_.close();
    const std::string notice = historyNotice(status, store_);
    if (onNotice_) {
        if (!notice.empty() && notice != lastNotice_) {
            onNotice_(notice);
        } else if (notice.empty() && !lastNotice_.empty()) {
            onNotice_(std::string());
        }
    }
    lastNotice_ = notice;
    if (status == HistoryStatus::Ok) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++kept_;
        lastId_ = record.id;
    }
}

}  // namespace orvek
