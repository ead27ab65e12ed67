// The settings page's two requests as the poll tick serves them: factory defaults into the
// lists, and the lists written into the ESC pair by pair.
#include <cstdio>

#include "monitor/ConnectionMonitor.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"

namespace orvek {

namespace {

WirePairs wirePairsOf(const WriteImage& image) {
    WirePairs pairs{};
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {image[i].registerCode, image[i].value};
    return pairs;
}

class ProgressDisplay : public WriteProgress {
public:
    ProgressDisplay(DeviceState& state, MonitorHost& host) : state_(state), host_(host) {}
    void pairWritten(int, int percent) override {
        state_.writeProgress = percent;
        host_.setWriteProgressText(writeProgressText(percent));
    }

private:
    DeviceState& state_;
    MonitorHost& host_;
};

}  // namespace

std::string writeProgressText(int percent) {
    char text[16];
    std::snprintf(text, sizeof text, "%d%% ", percent);
    return text;
}

void ConnectionMonitor::ApplyFactoryDefaults() {
    // The flag is cleared before a box, so that ticks during the box do not repeat it.
    if (link_.usbState() != UsbState::PortOpen) {
        requests_.defaultsRequested = false;
        host_.showMessage(monitorText::UsbConnection, MessageIcon::Stop);
        return;
    }
    if (link_.escState() != EscState::Identified) {
        requests_.defaultsRequested = false;
        host_.showMessage(monitorText::EscConnection, MessageIcon::Stop);
        return;
    }
    selectFactoryDefaults(lists_);  // also repaints the lists
    requests_.defaultsRequested = false;
}

void ConnectionMonitor::SendSettings() {
    if (link_.usbState() != UsbState::PortOpen) {
        requests_.writeRequested = false;
        host_.showMessage(monitorText::UsbConnection, MessageIcon::Stop);
        return;
    }
    if (link_.escState() != EscState::Identified) {
        requests_.writeRequested = false;
        host_.showMessage(monitorText::EscConnection, MessageIcon::Stop);
        return;
    }
    host_.settingsWriteRunning(true);
    host_.stopPollTimer();
    const WriteImage image = BuildWriteImage(lists_);
    const WirePairs pairs = wirePairsOf(image);
    ProgressDisplay progress(state_, host_);
    int failedPair = 0;
    const WriteOutcome outcome = writeSettings(link_, pairs, &progress, &failedPair);
    if (outcome == WriteOutcome::PairFailed) {
        // writeRequested stays set: the next tick writes all pairs again from the first.
        state_.writeProgress = writePercent(failedPair);
        host_.showMessage(monitorText::PairFailed, MessageIcon::None);
        host_.settingsWriteRunning(false);
        restartPollTimer();
        return;
    }
    if (outcome == WriteOutcome::CommitFailed) {
        host_.showMessage(monitorText::CommitFailed, MessageIcon::None);
    } else {
        // Acknowledged and committed: what the lists wrote is what the ESC holds now.
        recordWrittenSettings(lists_, image);
        SettingsValues written{};
        for (std::size_t i = 0; i < written.size(); ++i) written[i] = image[i].value;
        // Untouched factory defaults are a defaults write; anything else a write.
        const bool defaults =
            lists_.origin.source == ValuesSource::Defaults && !lists_.origin.edited;
        record(defaults ? HistoryKind::Defaults : HistoryKind::Write, written);
    }
    requests_.writeRequested = false;
    host_.settingsWriteRunning(false);
    restartPollTimer();
}

}  // namespace orvek
