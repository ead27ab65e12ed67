#include "session/DeviceSession.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include "history/HistoryRecorder.h"
#include "history/SettingsRecords.h"
#include "link/UsbUart.h"
#include "monitor/ConnectionMonitor.h"
#include "monitor/MonitorUpdateHost.h"
#include "settings/OptionLists.h"
#include "settings/PlainOptionList.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImportReport.h"
#include "settings/SettingsModelState.h"
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

// Everything that lives on the device thread. Made on the window's thread and moved to the
// device thread before it starts; from then on only that thread touches it, until stop() has
// ended the thread.
class SessionCore : public QObject {
public:
    SessionCore(const SessionOptions& options, const SessionViews& views, QObject* windowContext,
                HistorySink* history)
        : options_(options),
          views_(views),
          toWindow_(windowContext),
          workersToCore_(this),
          monitorHost_(*this),
          updateHost_(*this),
          pollTimer_(this) {
        link_.setPortOverride(options.port);
        monitor_ = std::make_unique<ConnectionMonitor>(link_, lists_, identity_, requests_, state_,
                                                       monitorHost_, updateHost_);
        monitor_->setUpdateEndedHook([this] { workersToCore_.post([this] { publish(); }); });
        monitor_->setHistory(history);
        // A coarse timer may fire up to 5 % early: the poll keeps its 500 ms.
        pollTimer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pollTimer_, &QTimer::timeout, this, [this] { onPollTimer(); });
    }

    // On the device thread: the poll timer starts, and the window gets the state it starts from.
    void begin() {
        pollTimer_.start(kPollPeriodMs);
        publish();
    }

    // On the device thread: the last thing it does.
    void shutdown() {
        if (shuttingDown_) return;
        shuttingDown_ = true;
        pollTimer_.stop();
        // A worker waiting for this thread (the poll timer) would wait for ever now.
        workersToCore_.close();
        monitor_->waitForUpdates();
        monitor_.reset();
        link_.closePort();
    }

    // Commands that were queued behind the shut-down (or drained into a tick after it) find
    // nothing left to act on.
    bool down() const { return shuttingDown_; }

    void tick() {
        if (shuttingDown_) return;
        monitor_->onPollTimer();
        ++ticks_;
        publish();
    }

    void commandServed() {
        ++commandsServed_;
        publish();
    }

    void chooseDevice(int commandId) {
        // A mode change in the middle of an update is refused; the window's item has toggled its
        // own check already, so the checks are shown again as the modes are.
        if (updateLocked()) {
            monitorHost_.setDeviceMenuChecks(state_.escMode, state_.cardMode, state_.fixMode != 0);
            return;
        }
        monitor_->onDeviceCommand(commandId);
    }
    void requestWrite() { requests_.writeRequested = true; }
    void requestDefaults() { requests_.defaultsRequested = true; }
    void requestUpdate(FirmwareTarget target, const std::filesystem::path& image) {
        if (target == FirmwareTarget::Esc) {
            requests_.escImage = image;
            requests_.escUpdateRequested = true;
        } else {
            requests_.cardImage = image;
            requests_.cardUpdateRequested = true;
        }
    }
    void selectOption(int keyNumber, int index) {
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
    void importSettings(const std::filesystem::path& file) {
        const SettingsImport imported = importSettingsFile(lists_, file);
        if (imported.status != SettingsFileStatus::Ok) {
            monitorHost_.showMessage(settingsFileText::ReadError, MessageIcon::Stop);
            return;
        }
        const std::string report = unmatchedSettingsReport(imported);
        if (!report.empty()) monitorHost_.showMessage(report, MessageIcon::None);
    }
    void loadHistoryRecord(const HistoryRecord& record) {
        const std::string report = unmatchedSettingsReport(applyRecordedSettings(lists_, record));
        if (!report.empty()) monitorHost_.showMessage(report, MessageIcon::None);
    }
    void loadSetupSheet(const std::string& category, const std::string& title) {
        const SetupSheetNotes notes =
            LoadSetupSheet(lists_, options_.programFolder, category, title);
        toWindow_.post([this, notes] { views_.settings.setupSheetLoaded(notes); });
    }

    QueuedCalls& toWindow() { return toWindow_; }

private:
    // What the connection monitor does to the window, posted there as values. The poll timer is
    // the session's own.
    class MonitorToView : public MonitorHost {
    public:
        explicit MonitorToView(SessionCore& core) : core_(core) {}

        void setLamps(bool usbOn, bool escOn, bool cardOn) override {
            show(core_.views_.window,
                 [=](WindowView& view) { view.setLamps(usbOn, escOn, cardOn); });
        }
        void setEscTexts(const std::string& modelName, const std::string& firmware) override {
            show(core_.views_.settings,
                 [=](SettingsPageView& page) { page.setEscTexts(modelName, firmware); });
        }
        void setWriteProgressText(const std::string& text) override {
            show(core_.views_.settings,
                 [=](SettingsPageView& page) { page.setWriteProgressText(text); });
        }
        void setPromptPicture(int pictureId) override {
            show(core_.views_.window, [=](WindowView& view) { view.setPromptPicture(pictureId); });
        }
        void stopPollTimer() override { core_.stopPollTimer(); }
        void startPollTimer() override { core_.startPollTimer(); }
        void showMessage(const std::string& text, MessageIcon icon) override {
            // A box raised while the poll is stopped holds the session until it is dismissed, as
            // the modal box held the tick: no probe leaves meanwhile and the poll restarts only
            // after OK. A box raised while the poll runs lets it run.
            WindowView& view = core_.views_.window;
            if (core_.pollTimer_.isActive()) {
                core_.toWindow_.post([&view, text, icon] { view.showMessage(text, icon); });
            } else {
                core_.toWindow_.runAndWait([&view, text, icon] { view.showMessage(text, icon); });
            }
        }
        void setDeviceMenuChecks(bool esc, bool programCard, bool fixMode) override {
            show(core_.views_.window,
                 [=](WindowView& view) { view.setDeviceMenuChecks(esc, programCard, fixMode); });
        }
        void showUserSupportPage() override {
            show(core_.views_.window, [](WindowView& view) { view.showUserSupportPage(); });
        }
        void enablePageButton(int buttonId, bool enabled) override {
            show(core_.views_.window,
                 [=](WindowView& view) { view.enablePageButton(buttonId, enabled); });
        }
        void deviceInfoShown(FirmwareTarget target) override {
            const FirmwareIdentity identity = core_.identity_;
            show(core_.views_.firmware,
                 [=](FirmwarePageView& page) { page.deviceInfoShown(target, identity); });
        }
        void showPortNote(const std::string& note) override {
            show(core_.views_.window, [=](WindowView& view) { view.showPortNote(note); });
        }
        void settingsBackedUp(const SettingsBackup& backup) override {
            show(core_.views_.firmware,
                 [=](FirmwarePageView& page) { page.settingsBackedUp(backup); });
        }
        void settingsWriteRunning(bool running) override {
            core_.writing_ = running;
            core_.publish();
        }

    private:
        template <typename View, typename Call>
        void show(View& view, Call call) {
            core_.toWindow_.post([&view, call] { call(view); });
        }
        SessionCore& core_;
    };

    // What an update worker does around it: the state half kept here (its changes published to
    // the window), the display half posted to the window's page.
    class WorkerHost : public MonitorUpdateHost {
    public:
        explicit WorkerHost(SessionCore& core)
            : MonitorUpdateHost(core.state_, core.requests_), core_(core) {}

        void stopPollTimer() override {
            core_.workersToCore_.runAndWait([this] { core_.stopPollTimer(); });
        }
        void startPollTimer() override {
            core_.workersToCore_.post([this] { core_.startPollTimer(); });
        }
        void setUpdateIdle(bool idle) override {
            MonitorUpdateHost::setUpdateIdle(idle);
            republish();
        }
        void clearUpdateRequest(FirmwareTarget target) override {
            MonitorUpdateHost::clearUpdateRequest(target);
            republish();
        }
        void setCardState(CardState state) override {
            MonitorUpdateHost::setCardState(state);
            republish();
        }
        void setProgressCaption(FirmwareTarget target, const std::string& caption) override {
            show([=](UpdateDisplay& page) { page.setProgressCaption(target, caption); });
        }
        void showProgress(FirmwareTarget target, bool shown) override {
            show([=](UpdateDisplay& page) { page.showProgress(target, shown); });
        }
        void setStatusPicture(FirmwareTarget target, int pictureId) override {
            show([=](UpdateDisplay& page) { page.setStatusPicture(target, pictureId); });
        }
        void showStatusPicture(FirmwareTarget target, bool shown) override {
            show([=](UpdateDisplay& page) { page.showStatusPicture(target, shown); });
        }
        void setStartPicture(FirmwareTarget target, int pictureId) override {
            show([=](UpdateDisplay& page) { page.setStartPicture(target, pictureId); });
        }
        void invalidatePage() override {
            show([](UpdateDisplay& page) { page.invalidatePage(); });
        }
        void showMessage(const std::string& text, MessageIcon icon) override {
            UpdateDisplay& page = core_.views_.firmware;
            core_.toWindow_.runAndWait([&page, text, icon] { page.showMessage(text, icon); });
        }

    private:
        void republish() {
            core_.workersToCore_.post([this] { core_.publish(); });
        }
        template <typename Call>
        void show(Call call) {
            UpdateDisplay& page = core_.views_.firmware;
            core_.toWindow_.post([&page, call] { call(page); });
        }
        SessionCore& core_;
    };

    void onPollTimer() {
        if (!options_.pollTimer || shuttingDown_) return;
        // Commands posted before this tick began are served first, so that a request raised
        // before a tick is served by that tick whichever event the loop happened to take first.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        tick();
    }

    void stopPollTimer() { pollTimer_.stop(); }
    void startPollTimer() {
        if (!shuttingDown_) pollTimer_.start(kPollPeriodMs);
    }

    bool updateLocked() const {
        return requests_.escUpdateRequested || requests_.cardUpdateRequested ||
               (monitor_ && monitor_->updateRunning());
    }

    SessionStatus status() const {
        SessionStatus status;
        status.usbState = link_.usbState();
        status.escState = link_.escState();
        status.cardState = state_.cardState;
        status.escMode = state_.escMode;
        status.cardMode = state_.cardMode;
        status.fixMode = state_.fixMode != 0;
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

    // What the model's lists and fields are now, cheap to take on every tick: a quiet poll
    // changes none of it, and then no snapshot of the lists is made at all.
    struct ModelMark {
        std::uint64_t revisions = 0;
        EscFamily family = EscFamily::Unlisted;
        std::string versionText;
        SettingsValues lastReadBlock{};
        bool escSettingsKnown = false;
        SettingsValues written{};
        bool operator==(const ModelMark& o) const {
            return revisions == o.revisions && family == o.family && versionText == o.versionText &&
                   lastReadBlock == o.lastReadBlock && escSettingsKnown == o.escSettingsKnown &&
                   written == o.written;
        }
    };
    ModelMark modelMark() const {
        ModelMark mark;
        for (const PlainOptionList& list : plainLists_) mark.revisions += list.revision();
        mark.family = lists_.family;
        mark.versionText = lists_.versionText;
        mark.lastReadBlock = lists_.lastReadBlock;
        mark.escSettingsKnown = lists_.escSettingsKnown;
        for (std::size_t i = 0; i < mark.written.size(); ++i)
            mark.written[i] = lists_.writeImage[i].value;
        return mark;
    }

    // Tells the window what changed in the settings model, then the status.
    void publish() {
        const ModelMark mark = modelMark();
        const bool maybeChanged = !(mark == publishedMark_);
        publishedMark_ = mark;
        SettingsModelState settings;
        if (maybeChanged) settings = stateOf(lists_);
        if ((maybeChanged && settings != publishedSettings_) || picksServed_ != publishedPicks_) {
            if (!maybeChanged) settings = publishedSettings_;
            publishedSettings_ = settings;
            publishedPicks_ = picksServed_;
            const std::uint64_t picks = picksServed_;
            toWindow_.post([this, settings = std::move(settings), picks] {
                views_.settings.settingsChanged(settings, picks);
            });
        }
        const SessionStatus now = status();
        toWindow_.post([this, now] { views_.window.statusChanged(now); });
    }

    SessionOptions options_;
    SessionViews views_;
    QueuedCalls toWindow_;
    QueuedCalls workersToCore_;

    UsbUart link_;
    // The settings model: eighteen plain lists, whose revisions tell publish() when to look.
    std::array<PlainOptionList, kParameterCount> plainLists_;
    ParameterLists lists_{listsByKey(plainLists_)};
    FirmwareIdentity identity_;
    RequestFlags requests_;
    DeviceState state_;
    MonitorToView monitorHost_;
    WorkerHost updateHost_;
    QTimer pollTimer_;
    // Last of the device objects: destroyed first, joining any worker while the rest is there.
    std::unique_ptr<ConnectionMonitor> monitor_;

    bool shuttingDown_ = false;
    bool writing_ = false;
    std::uint64_t ticks_ = 0;
    std::uint64_t commandsServed_ = 0;
    std::uint64_t picksServed_ = 0;
    SettingsModelState publishedSettings_;
    ModelMark publishedMark_;
    std::uint64_t publishedPicks_ = 0;
};

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
    core_ = std::make_unique<SessionCore>(options, views, windowContext, history_.get());
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

void DeviceSession::chooseDevice(int commandId) {
    send([commandId](SessionCore& core) { core.chooseDevice(commandId); });
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
void DeviceSession::tick() {
    send([](SessionCore& core) { core.tick(); });
}

}  // namespace orvek
