#pragma once
// Calls handed from any thread to the thread of one context object, run there in the order they
// were made. A caller that must know a call has run waits for it; close() releases every waiter
// and drops later calls, so that a thread being stopped never waits for one that is gone.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

namespace orvek {

class QueuedCalls {
public:
    // `context` must outlive the calls, or close() must be called before it goes.
    explicit QueuedCalls(QObject* context);
    ~QueuedCalls() { close(); }
    QueuedCalls(const QueuedCalls&) = delete;
    QueuedCalls& operator=(const QueuedCalls&) = delete;

    // Queued behind every earlier call; nothing after close().
    void post(std::function<void()> call) const;
    // Runs `call` on the context's thread and returns once it has run: at once when called on
    // that thread. False when close() came first; `call` then never runs.
    bool runAndWait(std::function<void()> call) const;
    // Releases waiting callers and refuses later calls. A call already running is waited for.
    void close();
    bool closed() const;
    // The caller is on the context's thread.
    bool onContextThread() const;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool closed = false;
    };
    QObject* context_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace orvek
