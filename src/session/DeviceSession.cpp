#include "session/DeviceSession.h"

#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "session/SessionCore.h"

namespace orvek {

DeviceSession::DeviceSession(const SessionOptions& options, const SessionViews& views,
                             QObject* windowContext)
    : historyToWindow_(std::make_unique<QueuedCalls>(windowContext)) {
    // Records are written by the recorder's own thread, after the exchange that made them.
    WindowView* window = &views.window;
    history_ = std::make_unique<HistoryRecorder>(
        options.historyFile.empty() ? defaultHistoryFile() : options.historyFile, "window",
        [toWindow = historyToWindow_.get(), window](const std::string& note) {
            toWindow->post([window, note] { window->showHistoryNote(note); });
        });
    core_ = std::make_unique<SessionCore>(options, views, windowContext, history_.get(), linkLog_);
    toCore_ = std::make_unique<QueuedCalls>(core_.get());
    thread_.setObjectName(QStringLiteral("device session"));
    core_->moveToThread(&thread_);
    thread_.start();
    toCore_->post([core = core_.get()] { core->begin(); });
}

DeviceSession::~DeviceSession() { stop(); }

void DeviceSession::stop() {
    if (stopped_) return;
    stopped_ = true;
    // Nothing reaches the window any more, and a session call waiting for it (a box) returns.
    core_->toWindow().close();
    historyToWindow_->close();
    // Queued behind whatever runs now: a settings write ends with its commit first.
    toCore_->runAndWait([core = core_.get()] { core->shutdown(); });
    toCore_->close();
    thread_.quit();
    thread_.wait();
    core_.reset();
    // What the last exchanges left is written before the session ends.
    history_.reset();
}

void DeviceSession::listHistory(const std::string& model,
                                std::function<void(const HistoryListing&)> done) {
    if (stopped_) return;
    history_->perform([toWindow = historyToWindow_.get(), model, done](HistoryStore& store) {
        HistoryListing listing;
        const HistoryStatus status = store.list(model, 0, listing.records);
        listing.ok = status == HistoryStatus::Ok;
        if (!listing.ok) listing.failure = historyNotice(status, store);
        toWindow->post([done, listing = std::move(listing)] { done(listing); });
    });
}

void DeviceSession::setHistoryNote(std::int64_t id, const std::string& note,
                                   std::function<void(const std::string& failure)> done) {
    if (stopped_) return;
    history_->perform([toWindow = historyToWindow_.get(), id, note, done](HistoryStore& store) {
        const HistoryStatus status = store.setNote(id, note);
        const std::string failure =
            status == HistoryStatus::Ok ? std::string() : historyNotice(status, store);
        toWindow->post([done, failure] { done(failure); });
    });
}

void DeviceSession::loadHistoryRecord(const HistoryRecord& record) {
    send([record](SessionCore& core) { core.loadHistoryRecord(record); });
}

void DeviceSession::send(std::function<void(SessionCore&)> command) {
    if (stopped_) return;
    ++commandsSent_;
    toCore_->post([core = core_.get(), command = std::move(command)] {
        if (core->down()) return;
        command(*core);
        core->commandServed();
    });
}

void DeviceSession::chooseDevice(DeviceMode mode) {
    send([mode](SessionCore& core) { core.chooseDevice(mode); });
}
void DeviceSession::requestWrite() {
    send([](SessionCore& core) { core.requestWrite(); });
}
void DeviceSession::requestDefaults() {
    send([](SessionCore& core) { core.requestDefaults(); });
}
void DeviceSession::requestUpdate(FirmwareTarget target, const std::filesystem::path& image) {
    send([target, image](SessionCore& core) { core.requestUpdate(target, image); });
}
void DeviceSession::selectOption(int keyNumber, int index) {
    if (stopped_) return;
    ++picksSent_;
    send([keyNumber, index](SessionCore& core) { core.selectOption(keyNumber, index); });
}
void DeviceSession::importSettings(const std::filesystem::path& file) {
    send([file](SessionCore& core) { core.importSettings(file); });
}
void DeviceSession::loadSetupSheet(const std::string& category, const std::string& title) {
    send([category, title](SessionCore& core) { core.loadSetupSheet(category, title); });
}
void DeviceSession::startSeries(const SeriesStart& start) {
    send([start](SessionCore& core) { core.startSeries(start); });
}
void DeviceSession::endSeries() {
    send([](SessionCore& core) { core.endSeries(); });
}
void DeviceSession::tick() {
    send([](SessionCore& core) { core.tick(); });
}

}  // namespace orvek
