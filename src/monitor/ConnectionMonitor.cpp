#include "monitor/ConnectionMonitor.h"

#include <algorithm>
#include <ctime>
#include <mutex>

#include "history/SettingsRecords.h"
#include "monitor/PortNote.h"
#include "platform/Clock.h"
#include "settings/EscFamily.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"
#include "update/FirmwareUpdate.h"

namespace orvek {

namespace {

// Marks a tick as running; a message box's own event loop can deliver timer 1 again inside it.
class TickScope {
public:
    explicit TickScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TickScope() { flag_ = false; }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;

private:
    bool& flag_;
};

EscInfo toInfoBytes(const EscInfo& info) {
    EscInfo bytes{};
    std::copy(info.begin(), info.end(), bytes.begin());
    return bytes;
}

}  // namespace

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

void ConnectionMonitor::onTimer(int timerId) {
    if (timerId == kPollTimerId) {
        onPollTimer();
    } else if (timerId == kPromptTimerId) {
        onPromptTimer();
    }
}

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

void ConnectionMonitor::onPromptTimer() {
    if (state_.escMode || state_.cardMode) return;
    if (state_.promptPhase == 0) {
        host_.setPromptPicture(SkinId::PromptWhite);
        state_.promptPhase = 1;
    } else {
        host_.setPromptPicture(SkinId::PromptOrange);
        state_.promptPhase = 0;
    }
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
    if (state_.escMode) {
        pollEsc();
    } else if (state_.cardMode) {
        pollCard();
    } else if (state_.fixMode != 0) {
        pollBootloaderMode();
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
    host_.setLamps(link_.usbState() == UsbState::PortOpen, link_.escState() == EscState::Identified,
                   state_.cardState == CardState::Identified);
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

void ConnectionMonitor::showDeviceMenuChecks() {
    host_.setDeviceMenuChecks(state_.escMode, state_.cardMode, state_.fixMode != 0);
}

// The check marks always equal the modes, so the mode flags tell whether an item is checked.
void ConnectionMonitor::onDeviceEsc() {
    host_.stopPollTimer();
    state_.cardMode = false;
    state_.fixMode = 0;
    state_.cardState = CardState::NotProbed;
    if (state_.escMode) {
        state_.escMode = false;
        link_.setEscState(EscState::NotProbed);
        RefreshStatusLamps();
        showDeviceMenuChecks();
    } else {
        state_.escMode = true;
        RefreshStatusLamps();
        showDeviceMenuChecks();
        host_.showUserSupportPage();
        host_.enablePageButton(pageButton::Firmware, true);
        host_.enablePageButton(pageButton::EscSetup, true);
    }
    restartPollTimer();
}

void ConnectionMonitor::onDeviceProgramCard() {
    host_.stopPollTimer();
    state_.escMode = false;
    state_.fixMode = 0;
    link_.setEscState(EscState::NotProbed);
    if (state_.cardMode) {
        state_.cardMode = false;
        state_.cardState = CardState::NotProbed;
        RefreshStatusLamps();
        showDeviceMenuChecks();
    } else {
        state_.cardMode = true;
        RefreshStatusLamps();
        showDeviceMenuChecks();
        host_.showUserSupportPage();
        host_.enablePageButton(pageButton::Firmware, true);
        host_.enablePageButton(pageButton::EscSetup, false);
    }
    restartPollTimer();
}

void ConnectionMonitor::onDeviceFixMode() {
    state_.escMode = false;
    state_.cardMode = false;
    link_.setEscState(EscState::NotProbed);
    state_.cardState = CardState::NotProbed;
    if (state_.fixMode != 0) {
        state_.fixMode = 0;
        RefreshStatusLamps();
        showDeviceMenuChecks();
    } else {
        state_.fixMode = 1;
        RefreshStatusLamps();
        showDeviceMenuChecks();
        host_.enablePageButton(pageButton::Firmware, true);
        host_.enablePageButton(pageButton::EscSetup, false);
    }
    restartPollTimer();
}

bool ConnectionMonitor::onDeviceCommand(int commandId) {
    switch (commandId) {
        case deviceCommand::Esc: onDeviceEsc(); return true;
        case deviceCommand::ProgramCard: onDeviceProgramCard(); return true;
        case deviceCommand::FixMode: onDeviceFixMode(); return true;
        default: return false;
    }
}

}  // namespace orvek
