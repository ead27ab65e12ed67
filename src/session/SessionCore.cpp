#include "session/SessionCore.h"

#include <QCoreApplication>
#include <QEvent>

#include "history/HistoryRecord.h"
#include "history/SettingsRecords.h"
#include "monitor/ConnectionMonitor.h"
#include "settings/OptionLists.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImportReport.h"
#include "settings/SetupSheets.h"

namespace orvek {

namespace {

// Between ESCs of a series: an ESC unplugged for half a second is seen gone.
constexpr int kSeriesPollPeriodMs = 100;

// The progress display's percentage while a series writes an ESC.
class SeriesProgress : public WriteProgress {
public:
    explicit SeriesProgress(MonitorHost& host) : host_(host) {}
    void pairWritten(int, int percent) override {
        host_.setWriteProgressText(writeProgressText(percent));
    }

private:
    MonitorHost& host_;
};

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
      pollTimer_(this),
      history_(history) {
    link_.setPortOverride(options.port);
    link_.setTrace(linkLog_.traceSink());
    monitor_ = std::make_unique<ConnectionMonitor>(link_, lists_, identity_, requests_, state_,
                                                   *monitorHost_, *updateHost_);
    monitor_->setUpdateEndedHook([this] { workersToCore_.post([this] { publish(); }); });
    monitor_->setHistory(history);
    monitor_->setAfterPoll([this] { serveSeries(); });
    // A coarse timer may fire up to 5 % early: the poll keeps its 500 ms.
    pollTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pollTimer_, &QTimer::timeout, this, [this] { onPollTimer(); });
}

// The monitor goes first: it joins any worker while the hosts it reports through are there.
SessionCore::~SessionCore() { monitor_.reset(); }

void SessionCore::begin() {
    pollTimer_.start(pollPeriodMs());
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
    // The series serves ESCs only: another mode (or none) ends it.
    if (series_.running() && state_.mode != DeviceMode::Esc) endSeries();
}

void SessionCore::requestWrite() {
    // The series owns what is written while it runs.
    if (!series_.running()) requests_.writeRequested = true;
}

void SessionCore::requestDefaults() {
    if (!series_.running()) requests_.defaultsRequested = true;
}

void SessionCore::requestUpdate(FirmwareTarget target, const std::filesystem::path& image) {
    if (series_.running()) {
        monitorHost_->showMessage(seriesText::Running, MessageIcon::None);
        return;
    }
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

void SessionCore::startSeries(const SeriesStart& start) {
    if (series_.running()) return;
    if (updateLocked() || requests_.writeRequested) {
        monitorHost_->showMessage(seriesText::Running, MessageIcon::None);
        return;
    }
    SeriesValues values;
    switch (start.source) {
        case SeriesStart::Source::Page:
            if (lists_.family == EscFamily::Unlisted) {
                monitorHost_->showMessage(seriesText::NoValues, MessageIcon::None);
                return;
            }
            values = seriesValuesFromTexts(selectedSettingsTexts(lists_), lists_.family,
                                           "the settings on the page");
            values.name = "page settings";
            break;
        case SeriesStart::Source::File: {
            std::error_code error;
            if (!std::filesystem::is_regular_file(start.file, error)) {
                monitorHost_->showMessage(settingsFileText::ReadError, MessageIcon::Stop);
                return;
            }
            values = seriesValuesFromFile(start.file);
            break;
        }
        case SeriesStart::Source::Record: values = seriesValuesFromRecord(start.record); break;
    }
    const std::string name = start.name.empty()
                                 ? defaultSeriesName(values.name, historyTimeNow().substr(0, 10))
                                 : start.name;
    series_.start(WriteSeries(std::move(values), name, history_), start.count);
    linkLog_.add(LogKind::State,
                 "series started: " + name + " (" + series_.state().series.values + ")");
    if (state_.mode != DeviceMode::Esc) monitor_->chooseMode(DeviceMode::Esc);
    // Between ESCs the line is watched closely, so that a short unplug is seen.
    if (pollTimer_.isActive()) startPollTimer();
    tellSeries();
}

void SessionCore::endSeries() {
    if (!series_.running()) return;
    series_.end();
    linkLog_.add(LogKind::State, seriesLine(series_.state()));
    if (pollTimer_.isActive()) startPollTimer();
    tellSeries();
}

void SessionCore::serveSeries() {
    const SeriesPhase before = series_.state().phase;
    if (!series_.due(link_.escState() == EscState::Identified)) {
        if (series_.state().phase != before) tellSeries();
        return;
    }
    tellSeries();  // "Writing ESC n…"
    monitorHost_->settingsWriteRunning(true);
    monitorHost_->stopPollTimer();
    SeriesProgress progress(*monitorHost_);
    SeriesServeOptions options;
    options.progress = &progress;
    const SeriesRow& row = series_.serve(link_, identity_.escInfo(), options);
    linkLog_.add(LogKind::State, "series: ESC " + std::to_string(row.number) + " " +
                                     seriesResultName(row.result) +
                                     (row.reason.empty() ? "" : ": " + row.reason));
    if (series_.state().phase == SeriesPhase::Ended)
        linkLog_.add(LogKind::State, seriesLine(series_.state()));
    // The page shows what the ESC holds now.
    if (row.result == SeriesResult::Verified) monitor_->ReadEscSettings();
    monitorHost_->settingsWriteRunning(false);
    startPollTimer();
    tellSeries();
}

void SessionCore::tellSeries() {
    toWindow_.post([this, series = series_.state()] { views_.settings.seriesChanged(series); });
}

int SessionCore::pollPeriodMs() const {
    return series_.running() ? kSeriesPollPeriodMs : kPollPeriodMs;
}

void SessionCore::startPollTimer() {
    if (!shuttingDown_) pollTimer_.start(pollPeriodMs());
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
    status.series = series_.running();
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
