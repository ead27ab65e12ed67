// A worker thread driving the window's host through the posting bridge.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "session/PostingUpdateHost.h"

namespace orvek {
namespace {

// The window's side: records each call and the thread it ran on.
class WindowHost : public UpdateHost {
public:
    std::vector<std::string> calls;
    std::vector<QThread*> threads;
    bool timerRunning = true;
    CardState card = CardState::Identified;

    void stopPollTimer() override {
        timerRunning = false;
        note("stopPollTimer");
    }
    void startPollTimer() override {
        timerRunning = true;
        note("startPollTimer");
    }
    void setUpdateIdle(bool idle) override { note(idle ? "idle" : "busy"); }
    void clearUpdateRequest(FirmwareTarget) override { note("clear"); }
    bool fixMode() const override { return false; }
    CardState cardState() const override { return card; }
    void setCardState(CardState state) override {
        card = state;
        note("cardState");
    }
    void setProgressCaption(FirmwareTarget, const std::string& caption) override { note(caption); }
    void showProgress(FirmwareTarget, bool) override { note("progress"); }
    void setStatusPicture(FirmwareTarget, int id) override {
        note("picture " + std::to_string(id));
    }
    void showStatusPicture(FirmwareTarget, bool) override { note("status"); }
    void setStartPicture(FirmwareTarget, int) override { note("start"); }
    void invalidatePage() override { note("invalidate"); }
    void showMessage(const std::string& text, MessageIcon) override { note("message " + text); }

private:
    void note(std::string call) {
        calls.push_back(std::move(call));
        threads.push_back(QThread::currentThread());
    }
};

TEST(PostingUpdateHost, WorkerCallsRunOnTheWindowThreadInOrder) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QObject window;
    WindowHost host;
    PostingUpdateHost bridge(host, &window);

    std::atomic<bool> done{false};
    bool timerStoppedBeforeFirstExchange = false;
    CardState cardSeen = CardState::NotProbed;
    std::thread worker([&] {
        bridge.stopPollTimer();
        timerStoppedBeforeFirstExchange = !host.timerRunning;  // it must already be off
        cardSeen = bridge.cardState();
        bridge.setUpdateIdle(false);
        for (int p = 1; p <= 50; ++p)
            bridge.setProgressCaption(FirmwareTarget::ProgramCard, std::to_string(p) + "%");
        bridge.showMessage("Update Error: Data transfer no ack!", MessageIcon::None);
        bridge.setStatusPicture(FirmwareTarget::ProgramCard, 170);
        bridge.setUpdateIdle(true);
        bridge.startPollTimer();
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    QCoreApplication::processEvents();

    EXPECT_TRUE(timerStoppedBeforeFirstExchange);
    EXPECT_EQ(cardSeen, CardState::Identified);
    ASSERT_EQ(host.calls.size(), 56u);
    EXPECT_EQ(host.calls.front(), "stopPollTimer");
    EXPECT_EQ(host.calls[1], "busy");
    for (int p = 1; p <= 50; ++p)
        EXPECT_EQ(host.calls[static_cast<std::size_t>(1 + p)], std::to_string(p) + "%");
    EXPECT_EQ(host.calls[52], "message Update Error: Data transfer no ack!");
    EXPECT_EQ(host.calls[53], "picture 170");
    EXPECT_EQ(host.calls.back(), "startPollTimer");
    for (QThread* t : host.threads) EXPECT_EQ(t, window.thread());
}

TEST(PostingUpdateHost, CallsFromTheWindowThreadItselfDoNotWaitForThemselves) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QObject window;
    WindowHost host;
    PostingUpdateHost bridge(host, &window);
    bridge.stopPollTimer();  // would dead-lock if it waited for the queue it runs on
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(bridge.cardState(), CardState::Identified);
}

}  // namespace
}  // namespace orvek
