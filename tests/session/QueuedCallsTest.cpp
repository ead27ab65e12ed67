// Calls handed between threads: in order, waited for when asked, and never left hanging or run
// against a caller that gave up once the calls are closed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "session/QueuedCalls.h"

namespace orvek {
namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// A context object living on a thread of its own with a running event loop.
struct ContextThread {
    ContextThread() {
        application();
        context.moveToThread(&thread);
        thread.start();
    }
    ~ContextThread() {
        thread.quit();
        thread.wait();
    }
    QThread thread;
    QObject context;
};

TEST(QueuedCalls, PostedAndWaitedCallsRunOnTheContextThreadInTheOrderMade) {
    ContextThread target;
    QueuedCalls calls(&target.context);
    std::vector<int> order;
    std::vector<bool> onTarget;
    for (int i = 0; i < 100; ++i) {
        calls.post([&, i] {
            order.push_back(i);
            onTarget.push_back(QThread::currentThread() == &target.thread);
        });
    }
    int seenByWait = -1;
    // Queued behind the hundred posts, so it sees them all.
    ASSERT_TRUE(calls.runAndWait([&] { seenByWait = static_cast<int>(order.size()); }));
    EXPECT_EQ(seenByWait, 100);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_EQ(std::count(onTarget.begin(), onTarget.end(), false), 0);
}

TEST(QueuedCalls, CloseReleasesAWaiterWhoseCallNeverStartsAndDropsIt) {
    application();
    // A context on this thread, whose events nobody runs while the waiter waits.
    QObject idle;
    QueuedCalls calls(&idle);
    std::atomic<bool> ran{false};
    std::atomic<bool> returned{false};
    bool result = true;
    std::thread waiter([&] {
        int local = 0;
        result = calls.runAndWait([&ran, &local] {
            local = 1;  // would write into a frame that is gone if it ran late
            ran = true;
        });
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned) << "it waits for the call";
    calls.close();
    waiter.join();
    EXPECT_FALSE(result);
    QCoreApplication::processEvents();  // the queued call comes up now and must not run
    EXPECT_FALSE(ran);
    calls.post([&] { ran = true; });
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran) << "nothing is posted once closed";
}

TEST(QueuedCalls, CallsMadeOnTheContextThreadRunAtOnce) {
    application();
    QObject here;
    QueuedCalls calls(&here);
    bool ran = false;
    EXPECT_TRUE(calls.runAndWait([&] { ran = true; }));
    EXPECT_TRUE(ran) << "waiting for its own queue would never end";
}

}  // namespace
}  // namespace orvek
