#include "session/SessionCore.h"

#include <QCoreApplication>
#include <QEvent>

#include "history/SettingsRecords.h"
#include "monitor/ConnectionMonitor.h"
#include "settings/OptionLists.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImportReport.h"
#include "settings/SetupSheets.h"

namespace orvek {

namespace {

std::array<OptionList*, kParameterCount> listsByKey(
    std::array<PlainOptionList, kParameterCount>& lists) {
    std::array<OptionList*, kParameterCount> byKey{};
    for (std::size_t k = 0; k < lists.size(); ++k) byKey[k] = &lists[k];
    return byKey;
}

}  // namespace

SessionCore::SessionCore(const SessionOptions& options, const SessionViews& views,
                         QObject* windowContext, HistorySink* history, LinkLog& linkLog)
    : options_(options),
      views_(views),
      toWindow_(windowContext),
      workersToCore_(this),
      linkLog_(linkLog),
      lists_(listsByKey(plainLists_)),
      modelWatch_(plainLists_, lists_),
      monitorHost_(std::make_unique<MonitorToView>(*this)),
      updateHost_(std::make_unique<WorkerHost>(*this)),
      pollTimer_(this) {
    link_.setPortOverride(options.port);
    link_.setTrace(linkLog_.traceSink());
    monitor_ = std::make_unique<ConnectionMonitor>(link_, lists_, identity_, requests_, state_,
                                                   *monitorHost_, *updateHost_);
    monitor_->setUpdateEndedHook([this] { workersToCore_.post([this] { publish(); }); });
    monitor_->setHistory(history);
    // A coarse timer may fire up to 5 % early: the poll keeps its 500 ms.
    pollTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pollTimer_, &QTimer::timeout, this, [this] { onPollTimer(); });
}

// The monitor goes first: it joins any worker while the hosts it reports through are there.
SessionCore::~SessionCore() { monitor_.reset(); }

void SessionCore::begin() {
    pollTimer_.start(kPollPeriodMs);
    publish();
}

void SessionCore::shutdown() {
    if (shuttingDown_) return;
    shuttingDown_ = true;
    pollTimer_.stop();
    // A worker waiting for this thread (the poll timer) would wait for ever now.
    workersToCore_.close();
    monitor_->waitForUpdates();
    monitor_.reset();
    link_.closePort();
}

void SessionCore::tick() {
    if (shuttingDown_) return;
    monitor_->onPollTimer();
    ++ticks_;
    publish();
}

void SessionCore::commandServed() {
    ++commandsServed_;
    publish();
}

void SessionCore::chooseDevice(DeviceMode mode) {
    // A mode change in the middle of an update is refused; the window's item has toggled its
    // own check already, so the checks are shown again as the modes are.
    if (updateLocked()) {
        monitorHost_->setDeviceMenuChecks(state_.mode);
        return;
    }
    monitor_->chooseMode(mode);
}

void SessionCore::requestUpdate(FirmwareTarget target, const std::filesystem::path& image) {
    if (target == FirmwareTarget::Esc) {
        requests_.escImage = image;
        requests_.escUpdateRequested = true;
    } else {
        requests_.cardImage = image;
        requests_.cardUpdateRequested = true;
    }
}

void SessionCore::selectOption(int keyNumber, int index) {
    ++picksServed_;
    if (keyNumber < 0 || keyNumber >= kParameterCount) return;
    OptionList& list = lists_.byKey(keyNumber);
    if (list.selection() == index) return;
    list.setSelection(index);
    // A pick over the ESC's own values makes them the page's; over a sheet, a file, the
    // defaults or a record it edits them.
    if (lists_.origin.source == ValuesSource::Device ||
        lists_.origin.source == ValuesSource::Unknown) {
        lists_.origin = {ValuesSource::Page, {}, false};
    } else {
        lists_.origin.edited = true;
    }
}

void SessionCore::importSettings(const std::filesystem::path& file) {
    const SettingsImport imported = importSettingsFile(lists_, file);
    if (imported.status != SettingsFileStatus::Ok) {
        monitorHost_->showMessage(settingsFileText::ReadError, MessageIcon::Stop);
        return;
    }
    const std::string report = unmatchedSettingsReport(imported);
    if (!report.empty()) monitorHost_->showMessage(report, MessageIcon::None);
}

void SessionCore::loadHistoryRecord(const HistoryRecord& record) {
    const std::string report = unmatchedSettingsReport(applyRecordedSettings(lists_, record));
    if (!report.empty()) monitorHost_->showMessage(report, MessageIcon::None);
}

void SessionCore::loadSetupSheet(const std::string& category, const std::string& title) {
    const SetupSheetNotes notes = LoadSetupSheet(lists_, options_.programFolder, category, title);
    toWindow_.post([this, notes] { views_.settings.setupSheetLoaded(notes); });
}

void SessionCore::startPollTimer() {
    if (!shuttingDown_) pollTimer_.start(kPollPeriodMs);
}

void SessionCore::onPollTimer() {
    if (!options_.pollTimer || shuttingDown_) return;
    // Commands posted before this tick began are served first, so that a request raised
    // before a tick is served by that tick whichever event the loop happened to take first.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    tick();
}

bool SessionCore::updateLocked() const {
    return requests_.escUpdateRequested || requests_.cardUpdateRequested ||
           (monitor_ && monitor_->updateRunning());
}

SessionStatus SessionCore::status() const {
    SessionStatus status;
    status.usbState = link_.usbState();
    status.escState = link_.escState();
    status.cardState = state_.cardState;
    status.mode = state_.mode;
    status.updateIdle = state_.updateIdle;
    status.updateRunning = monitor_ && monitor_->updateRunning();
    status.writing = writing_;
    status.writeRequested = requests_.writeRequested;
    status.defaultsRequested = requests_.defaultsRequested;
    status.escUpdateRequested = requests_.escUpdateRequested;
    status.cardUpdateRequested = requests_.cardUpdateRequested;
    status.escImage = requests_.escImage;
    status.cardImage = requests_.cardImage;
    status.pollTimerActive = pollTimer_.isActive();
    status.ticks = ticks_;
    status.commandsServed = commandsServed_;
    return status;
}

void SessionCore::publish() {
    if (std::optional<SettingsModelState> settings = modelWatch_.changed(picksServed_)) {
        const std::uint64_t picks = picksServed_;
        toWindow_.post([this, settings = std::move(*settings), picks] {
            views_.settings.settingsChanged(settings, picks);
        });
    }
    const SessionStatus now = status();
    toWindow_.post([this, now] { views_.window.statusChanged(now); });
}

}  // namespace orvek
