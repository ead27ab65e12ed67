#pragma once
// The device session: one thread per window that owns the link, the connection monitor with its
// poll timer, the settings model and the request flags, and starts the update workers. The
// window only posts commands here and shows what the session tells its SessionView, so no wait
// for the device ever falls on the window's thread.
//
//   window thread                      device thread                    worker thread
//   DeviceSession::chooseDevice ──q──> SessionCore ─ ConnectionMonitor ─> update worker
//   window and page views <─────q──── (lamps, texts, settings, status)  <─q─ UpdateDisplay
//
// Commands are served in the order they were posted. A tick serves every command posted before
// it began first, so a request raised before a tick is served by that tick.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QThread>

#include "diag/LinkLog.h"
#include "firmware/FirmwareCatalogue.h"
#include "history/HistoryRecord.h"
#include "monitor/DeviceMode.h"
#include "session/QueuedCalls.h"
#include "session/SeriesState.h"
#include "session/SessionOptions.h"
#include "session/SessionView.h"
#include "update/UpdateHost.h"

class QObject;

namespace orvek {

class SessionCore;
class HistoryRecorder;

struct HistoryListing {
    bool ok = false;
    std::string failure;  // the racer's line when !ok
    std::vector<HistoryRecord> records;
};

class DeviceSession {
public:
    // The views are called on the thread of `windowContext` and must outlive the session (or
    // its stop()).
    DeviceSession(const SessionOptions& options, const SessionViews& views, QObject* windowContext);
    // stop().
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Ends the session: nothing more reaches the window, a running exchange is finished (a
    // settings write up to its commit), running update workers are joined, the port is closed
    // and the thread ends. Called on the window's thread; later commands are dropped.
    void stop();

    // Commands, posted to the device thread in order.
    void chooseDevice(DeviceMode mode);
    void requestWrite();
    void requestDefaults();
    void requestUpdate(FirmwareTarget target, const std::filesystem::path& image);
    void selectOption(int keyNumber, int index);
    void importSettings(const std::filesystem::path& file);
    void loadSetupSheet(const std::string& category, const std::string& title);
    // A history record's settings into the lists, as an import does; nothing is sent.
    void loadHistoryRecord(const HistoryRecord& record);
    // A write series onto ESC after ESC; its rows and line come to SettingsPageView.
    void startSeries(const SeriesStart& start);
    void endSeries();

    // The settings history, read and changed on the recorder's thread (never the device's);
    // `done` runs on the window's thread.
    // Newest first; `model` empty for every model.
    void listHistory(const std::string& model, std::function<void(const HistoryListing&)> done);
    // `done` gets an empty text, or why the note was not kept.
    void setHistoryNote(std::int64_t id, const std::string& note,
                        std::function<void(const std::string& failure)> done);
    // One poll tick now, as the poll timer runs it.
    void tick();

    // The diagnostic log as it holds now. Copied from its ring under the ring's own lock rather
    // than asked of the device thread, which a settings write or a box holds for seconds just
    // when the log is wanted; the copy is of at most the ring's bound (2 MiB), a few ms.
    LogSnapshot linkLogSnapshot() const { return linkLog_.snapshot(); }

    // Commands posted so far; a status whose commandsServed reaches a command's number was
    // made after that command was served.
    std::uint64_t commandsSent() const { return commandsSent_; }
    // List picks posted so far (see SessionView::settingsChanged).
    std::uint64_t picksSent() const { return picksSent_; }

private:
    void send(std::function<void(SessionCore&)> command);

    // First: it outlives the core and the update workers that write to it.
    LinkLog linkLog_;
    // Before the core: the recorder outlives the monitor, whose update workers record into it.
    std::unique_ptr<QueuedCalls> historyToWindow_;
    std::unique_ptr<HistoryRecorder> history_;
    QThread thread_;
    std::unique_ptr<SessionCore> core_;
    std::unique_ptr<QueuedCalls> toCore_;
    std::uint64_t commandsSent_ = 0;
    std::uint64_t picksSent_ = 0;
    bool stopped_ = false;
};

}  // namespace orvek
