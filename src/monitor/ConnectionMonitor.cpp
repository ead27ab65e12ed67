#include "monitor/ConnectionMonitor.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "history/SettingsRecords.h"
#include "monitor/PortNote.h"
#include "platform/Clock.h"
#include "settings/EscFamily.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"
#include "update/FirmwareUpdate.h"
#include "write/SettingsWrite.h"

namespace orvek {

namespace {

// Marks a tick as running: a host that runs events while its box is up may ask for a tick
// again inside it.
class TickScope {
public:
    explicit TickScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TickScope() { flag_ = false; }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;

private:
    bool& flag_;
};

// The progress display's text after each pair: the percentage, a percent sign and a blank.
class WriteProgressText : public WriteProgress {
public:
    WriteProgressText(DeviceState& state, MonitorHost& host) : state_(state), host_(host) {}
    void pairWritten(int, int percent) override {
        state_.writeProgress = percent;
        host_.setWriteProgressText(writeProgressText(percent));
    }

private:
    DeviceState& state_;
    MonitorHost& host_;
};

EscInfo toInfoBytes(const EscInfo& info) {
    EscInfo bytes{};
    std::copy(info.begin(), info.end(), bytes.begin());
    return bytes;
}

}  // namespace

std::string writeProgressText(int percent) {
    char text[16];
    std::snprintf(text, sizeof text, "%d%% ", percent);
    return text;
}

ConnectionMonitor::ConnectionMonitor(UsbUart& link, ParameterLists& lists,
                                     FirmwareIdentity& identity, RequestFlags& requests,
                                     DeviceState& state, MonitorHost& host, UpdateHost& updateHost)
    : link_(link),
      lists_(lists),
      identity_(identity),
      requests_(requests),
      state_(state),
      host_(host),
      updateHost_(updateHost) {}

void ConnectionMonitor::onPollTimer() {
    if (inTick_) return;
    // A worker owns the link from its start to its end, even before it has taken the lock.
    if (updateRunning()) return;
    std::unique_lock<std::mutex> owner(link_.exclusiveUse(), std::try_to_lock);
    if (!owner.owns_lock()) return;
    TickScope scope(inTick_);

    link_.openPort();  // a closed port simply leaves portOpen at 0
    reportPortAccess();
    PollDevice();
    if (afterPoll_) afterPoll_();
    if (requests_.cardUpdateRequested) startUpdate(FirmwareTarget::ProgramCard);
    if (requests_.escUpdateRequested) {
        backUpSettingsBeforeUpdate();
        startUpdate(FirmwareTarget::Esc);
    }
    if (requests_.defaultsRequested) ApplyFactoryDefaults();
    // A write waits for a later tick while an update started here uses the port.
    if (requests_.writeRequested && !updateRunning()) SendSettings();
}

void ConnectionMonitor::reportPortAccess() {
    const std::string note =
        link_.portOpen() == 1
            ? std::string()
            : portNote(link_.openFailure(), link_.refusedPathKind(), link_.triedPortPath());
    if (note == portNote_) return;
    portNote_ = note;
    host_.showPortNote(note);
}

void ConnectionMonitor::PollDevice() {
    if (link_.usbState() != UsbState::PortOpen) {
        if (link_.portOpen() == 1) {
            // The tick that finds the port open exchanges nothing with the device.
            link_.setUsbState(UsbState::PortOpen);
        } else {
            link_.setUsbState(UsbState::NoPort);
            state_.cardState = CardState::NotProbed;
        }
        RefreshStatusLamps();
        return;
    }
    switch (state_.mode.load()) {
        case DeviceMode::Esc: pollEsc(); return;
        case DeviceMode::ProgramCard: pollCard(); return;
        case DeviceMode::Fix: pollBootloaderMode(); return;
        case DeviceMode::None: return;
    }
}

void ConnectionMonitor::pollEsc() {
    switch (probeEsc(link_)) {
        case EscProbeResult::LinkLost:
            link_.closePort();
            RefreshStatusLamps();
            return;
        case EscProbeResult::NoAnswer:
            if (link_.escState() != EscState::NotAnswering) {
                link_.setEscState(EscState::NotAnswering);
                RefreshStatusLamps();
                host_.setEscTexts("", "");
            }
            return;
        case EscProbeResult::StrayByte: return;  // purged by the probe; states stay as they were
        case EscProbeResult::EscPresent: break;
    }
    if (link_.escState() == EscState::Identified) return;  // the quiet poll of a connected ESC
    EscInfo info{};
    if (QueryDeviceInfo(info) != LinkStatus::Ok || !escInfoValid(info)) return;
    identifyEsc(info);
}

void ConnectionMonitor::identifyEsc(const EscInfo& info) {
    const std::string versionText = escVersionText(info[kEscInfoEscVersion]);
    link_.setEscState(EscState::Identified);
    const EscFamily family = escFamilyFromTypeCode(info[kEscInfoTypeCode]);
    identity_.storeEscInfo(toInfoBytes(info));
    // A type code outside the model table changes nothing the firmware page shows.
    if (identity_.showDeviceInfo(FirmwareTarget::Esc)) host_.deviceInfoShown(FirmwareTarget::Esc);
    FillOptionLists(lists_, family, versionText);
    ReadEscSettings();
    RefreshStatusLamps();
    if (settingsRead_) record(HistoryKind::Read, lists_.lastReadBlock);
}

void ConnectionMonitor::pollCard() {
    switch (probeCard(link_)) {
        case CardProbeResult::LinkLost:
            link_.closePort();
            RefreshStatusLamps();
            return;
        case CardProbeResult::NoAnswer:
            if (state_.cardState != CardState::NotAnswering) {
                state_.cardState = CardState::NotAnswering;
                RefreshStatusLamps();
            }
            return;
        case CardProbeResult::NoCard:
            state_.cardState = CardState::NotAnswering;
            RefreshStatusLamps();
            return;
        case CardProbeResult::CardPresent: break;
    }
    if (state_.cardState == CardState::Identified) return;
    // The card counts as identified from its probe answer; its texts only from a whole reply.
    state_.cardState = CardState::Identified;
    EscInfo info{};
    if (QueryDeviceInfo(info) == LinkStatus::Ok) {
        identity_.storeEscInfo(toInfoBytes(info));
        identity_.showDeviceInfo(FirmwareTarget::ProgramCard);
        host_.deviceInfoShown(FirmwareTarget::ProgramCard);
    }
    RefreshStatusLamps();
}

void ConnectionMonitor::pollBootloaderMode() {
    // Neither the answer nor a lost port changes any state here; the adapter part of the next
    // tick shows a closed port.
    pollBootloader(link_);
}

LinkStatus ConnectionMonitor::QueryDeviceInfo(EscInfo& info) { return queryInfo(link_, info); }

void ConnectionMonitor::ReadEscSettings() {
    host_.stopPollTimer();
    SettingsFrame frame{};
    settingsRead_ = readSettings(link_, frame);
    if (settingsRead_) acceptSettingsBlock(lists_, frame.data(), frame.size());
    // Filled in whether the read succeeded or not, and always with what the firmware page
    // shows, so that both pages name the same ESC (for a type code outside the model table,
    // the last one that was in it).
    host_.setEscTexts(identity_.escModelName(), identity_.escFirmware());
    busyWaitMs(150);
    restartPollTimer();
}

void ConnectionMonitor::RefreshStatusLamps() {
    // Choosing a mode forgets the other device's state, so at most one of them is identified.
    DeviceMode identified = DeviceMode::None;
    if (link_.escState() == EscState::Identified) {
        identified = DeviceMode::Esc;
    } else if (state_.cardState == CardState::Identified) {
        identified = DeviceMode::ProgramCard;
    }
    host_.setLamps(link_.usbState() == UsbState::PortOpen, identified);
}

void ConnectionMonitor::startUpdate(FirmwareTarget target) {
    const bool esc = target == FirmwareTarget::Esc;
    UpdateJob job{updateHost_, link_, esc ? requests_.escImage : requests_.cardImage};
    UpdateThread& thread = esc ? escUpdate_ : cardUpdate_;
    // The identity as it is now: the worker must not read what the next tick may change.
    thread.start(
        [job, esc, target, history = history_, identity = identity_] {
            const UpdateResult result = esc ? EscFirmwareUpdate(job) : CardFirmwareUpdate(job);
            if (history) {
                history->record(
                    updateRecord(target, identity, job.image, updateOutcomeName(result.outcome)));
            }
        },
        updateEnded_);
}

void ConnectionMonitor::backUpSettingsBeforeUpdate() {
    // Only settings that came from this ESC: not in fix mode, not after a failed read.
    if (link_.escState() != EscState::Identified || !settingsRead_) return;
    host_.settingsBackedUp(
        backUpEscSettings(lists_, identity_.escInfo(), settingsBackupFolder(), std::time(nullptr)));
    record(HistoryKind::Backup, lists_.lastReadBlock);
}

void ConnectionMonitor::record(HistoryKind kind, const SettingsValues& bytes) {
    if (history_) history_->record(settingsRecord(kind, lists_, identity_, bytes, lists_.origin));
}

void ConnectionMonitor::waitForUpdates() {
    escUpdate_.join();
    cardUpdate_.join();
}

void ConnectionMonitor::restartPollTimer() {
    if (state_.updateIdle) host_.startPollTimer();
}

void ConnectionMonitor::chooseMode(DeviceMode chosen) {
    // Fix mode has always left the poll timer running while it switched.
    if (chosen != DeviceMode::Fix) host_.stopPollTimer();
    const bool turnOff = state_.mode == chosen;
    state_.mode = turnOff ? DeviceMode::None : chosen;
    // What was known of the device the poll looked for before is forgotten.
    if (chosen != DeviceMode::Esc || turnOff) link_.setEscState(EscState::NotProbed);
    if (chosen != DeviceMode::ProgramCard || turnOff) state_.cardState = CardState::NotProbed;
    RefreshStatusLamps();
    host_.setDeviceMenuChecks(state_.mode);
    if (!turnOff) {
        if (identifiesDevice(chosen)) host_.showUserSupportPage();
        host_.enablePagesFor(chosen);
    }
    restartPollTimer();
}

void ConnectionMonitor::ApplyFactoryDefaults() {
    // The flag is cleared before a box, so that ticks during the box do not repeat it.
    requests_.defaultsRequested = false;
    if (!refusedForConnection()) selectFactoryDefaults(lists_);  // also repaints the lists
}

void ConnectionMonitor::SendSettings() {
    if (refusedForConnection()) {
        requests_.writeRequested = false;
        return;
    }
    host_.settingsWriteRunning(true);
    host_.stopPollTimer();
    WriteProgressText progress(state_, host_);
    SettingsWriteOptions options;
    options.progress = &progress;
    options.history = history_;
    options.identity = &identity_;
    const SettingsWriteReport report = writeSettingsOf(link_, lists_, options);
    if (report.outcome == SettingsWriteOutcome::PairFailed)
        state_.writeProgress = report.progressAtFailure();
    if (const char* box = settingsWriteBoxText(report.outcome))
        host_.showMessage(box, MessageIcon::None);
    // After a failed pair the flag stays set: the next tick writes all pairs again from the first.
    if (report.outcome != SettingsWriteOutcome::PairFailed) requests_.writeRequested = false;
    host_.settingsWriteRunning(false);
    restartPollTimer();
}

bool ConnectionMonitor::refusedForConnection() {
    if (link_.usbState() != UsbState::PortOpen) {
        host_.showMessage(monitorText::UsbConnection, MessageIcon::Stop);
        return true;
    }
    if (link_.escState() != EscState::Identified) {
        host_.showMessage(monitorText::EscConnection, MessageIcon::Stop);
        return true;
    }
    return false;
}

}  // namespace orvek
