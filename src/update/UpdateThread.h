#pragma once
// Owns the thread an update runs on. An update is never stopped from outside; destroying the
// owner waits for it, so that the window and link it uses outlive it.
#include <atomic>
#include <functional>
#include <thread>

namespace orvek {

class UpdateThread {
public:
    UpdateThread() = default;
    ~UpdateThread() { join(); }
    UpdateThread(const UpdateThread&) = delete;
    UpdateThread& operator=(const UpdateThread&) = delete;

    // Starts `work` unless an earlier update still runs; false then. `ended`, when given, runs
    // on the worker's thread once running() has turned false.
    bool start(std::function<void()> work, std::function<void()> ended = {}) {
        if (running_) return false;
        join();
        running_ = true;
        thread_ = std::thread([this, work = std::move(work), ended = std::move(ended)] {
            work();
            running_ = false;
            if (ended) ended();
        });
        return true;
    }
    bool running() const { return running_; }
    void join() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
    std::atomic<bool> running_{false};
};

}  // namespace orvek
