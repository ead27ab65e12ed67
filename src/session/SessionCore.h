#pragma once
// Everything of a device session that lives on its device thread: the link, the connection
// monitor and its poll timer, the settings model, the request flags, and the commands the
// window posts. Made on the window's thread and moved to the device thread before it starts;
// from then on only that thread touches it, until the session has ended the thread.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <QObject>
#include <QTimer>

#include "diag/LinkLog.h"
#include "firmware/DeviceIdentity.h"
#include "history/HistoryRecord.h"
#include "history/HistorySink.h"
#include "link/UsbUart.h"
#include "monitor/MonitorState.h"
#include "session/ModelWatch.h"
#include "session/QueuedCalls.h"
#include "session/SessionHosts.h"
#include "session/SessionOptions.h"
#include "session/SessionSeries.h"
#include "session/SessionView.h"
#include "settings/ParameterLists.h"
#include "settings/PlainOptionList.h"

namespace orvek {

class ConnectionMonitor;

class SessionCore : public QObject, public HostedCore {
public:
    // `linkLog` gets every exchange of the link and the hosts' notes; it must outlive the core.
    SessionCore(const SessionOptions& options, const SessionViews& views, QObject* windowContext,
                HistorySink* history, LinkLog& linkLog);
    ~SessionCore() override;
    SessionCore(const SessionCore&) = delete;
    SessionCore& operator=(const SessionCore&) = delete;

    // On the device thread: the poll timer starts, and the window gets the state it starts from.
    void begin();
    // On the device thread: the last thing it does.
    void shutdown();
    // Commands that were queued behind the shut-down (or drained into a tick after it) find
    // nothing left to act on.
    bool down() const { return shuttingDown_; }

    // One poll tick, then what it changed is told.
    void tick();
    // A command of the window was served: what it changed is told.
    void commandServed();

    // The window's commands.
    void chooseDevice(DeviceMode mode);
    // Refused while a series runs.
    void requestWrite();
    void requestDefaults();
    void requestUpdate(FirmwareTarget target, const std::filesystem::path& image);
    void selectOption(int keyNumber, int index);
    void importSettings(const std::filesystem::path& file);
    void loadHistoryRecord(const HistoryRecord& record);
    void loadSetupSheet(const std::string& category, const std::string& title);
    // A write series: its values are fixed now; the ESC on the line (if any) is its first.
    void startSeries(const SeriesStart& start);
    // Ends the series; an ESC being served is finished first (the tick holds this thread).
    void endSeries();

    // HostedCore: what the hosts reach.
    const SessionViews& views() const override { return views_; }
    QueuedCalls& toWindow() override { return toWindow_; }
    QueuedCalls& workersToCore() override { return workersToCore_; }
    bool pollTimerActive() const override { return pollTimer_.isActive(); }
    void stopPollTimer() override { pollTimer_.stop(); }
    void startPollTimer() override;
    DeviceState& state() override { return state_; }
    RequestFlags& requests() override { return requests_; }
    const FirmwareIdentity& identity() const override { return identity_; }
    void setWriting(bool writing) override { writing_ = writing; }
    void publish() override;
    LinkLog& linkLog() override { return linkLog_; }

private:
    void onPollTimer();
    bool updateLocked() const;
    // The tick's step after its poll: serves an ESC new to the series.
    void serveSeries();
    void tellSeries();
    int pollPeriodMs() const;
    SessionStatus status() const;

    SessionOptions options_;
    SessionViews views_;
    QueuedCalls toWindow_;
    QueuedCalls workersToCore_;
    LinkLog& linkLog_;  // before the hosts, which write to it

    UsbUart link_;
    // The settings model: eighteen plain lists, whose revisions tell the watch when to look.
    std::array<PlainOptionList, kParameterCount> plainLists_;
    ParameterLists lists_;
    ModelWatch modelWatch_;
    FirmwareIdentity identity_;
    RequestFlags requests_;
    DeviceState state_;
    std::unique_ptr<MonitorToView> monitorHost_;
    std::unique_ptr<WorkerHost> updateHost_;
    QTimer pollTimer_;
    // Last of the device objects: destroyed first, joining any worker while the rest is there.
    std::unique_ptr<ConnectionMonitor> monitor_;
    HistorySink* history_;
    SessionSeries series_;

    bool shuttingDown_ = false;
    bool writing_ = false;
    std::uint64_t ticks_ = 0;
    std::uint64_t commandsServed_ = 0;
    std::uint64_t picksServed_ = 0;
};

}  // namespace orvek
