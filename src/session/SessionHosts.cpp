#include "session/SessionHosts.h"

namespace orvek {

namespace {

// A call on one of the window's views, posted to the window's thread with values only.
template <typename View, typename Call>
void show(HostedCore& core, View& view, Call call) {
    core.toWindow().post([&view, call] { call(view); });
}

}  // namespace

void MonitorToView::setLamps(bool usbOn, DeviceMode identified) {
    notes_.lamps(usbOn, identified);
    show(core_, core_.views().window, [=](WindowView& view) { view.setLamps(usbOn, identified); });
}

void MonitorToView::setEscTexts(const std::string& modelName, const std::string& firmware) {
    show(core_, core_.views().settings,
         [=](SettingsPageView& page) { page.setEscTexts(modelName, firmware); });
}

void MonitorToView::setWriteProgressText(const std::string& text) {
    show(core_, core_.views().settings,
         [=](SettingsPageView& page) { page.setWriteProgressText(text); });
}

void MonitorToView::stopPollTimer() { core_.stopPollTimer(); }

void MonitorToView::startPollTimer() { core_.startPollTimer(); }

void MonitorToView::showMessage(const std::string& text, MessageIcon icon) {
    notes_.box(text, icon);
    WindowView& view = core_.views().window;
    if (core_.pollTimerActive()) {
        core_.toWindow().post([&view, text, icon] { view.showMessage(text, icon); });
    } else {
        core_.toWindow().runAndWait([&view, text, icon] { view.showMessage(text, icon); });
    }
}

void MonitorToView::setDeviceMenuChecks(DeviceMode mode) {
    notes_.mode(mode);
    show(core_, core_.views().window, [=](WindowView& view) { view.setDeviceMenuChecks(mode); });
}

void MonitorToView::showUserSupportPage() {
    show(core_, core_.views().window, [](WindowView& view) { view.showUserSupportPage(); });
}

void MonitorToView::enablePagesFor(DeviceMode mode) {
    show(core_, core_.views().window, [=](WindowView& view) { view.enablePagesFor(mode); });
}

void MonitorToView::deviceInfoShown(FirmwareTarget target) {
    const FirmwareIdentity identity = core_.identity();
    notes_.identified(target, identity);
    show(core_, core_.views().firmware,
         [=](FirmwarePageView& page) { page.deviceInfoShown(target, identity); });
}

void MonitorToView::showPortNote(const std::string& note) {
    notes_.portNote(note);
    show(core_, core_.views().window, [=](WindowView& view) { view.showPortNote(note); });
}

void MonitorToView::settingsBackedUp(const SettingsBackup& backup) {
    notes_.backup(backup);
    show(core_, core_.views().firmware,
         [=](FirmwarePageView& page) { page.settingsBackedUp(backup); });
}

void MonitorToView::settingsWriteRunning(bool running) {
    notes_.settingsWrite(running);
    core_.setWriting(running);
    if (running) core_.publish();
}

WorkerHost::WorkerHost(HostedCore& core)
    : MonitorUpdateHost(core.state(), core.requests()), core_(core) {}

void WorkerHost::stopPollTimer() {
    core_.workersToCore().runAndWait([this] { core_.stopPollTimer(); });
}

void WorkerHost::startPollTimer() {
    core_.workersToCore().post([this] { core_.startPollTimer(); });
}

void WorkerHost::setUpdateIdle(bool idle) {
    core_.linkLog().add(LogKind::State, idle ? "firmware update ended" : "firmware update started");
    MonitorUpdateHost::setUpdateIdle(idle);
    republish();
}

void WorkerHost::clearUpdateRequest(FirmwareTarget target) {
    MonitorUpdateHost::clearUpdateRequest(target);
    republish();
}

void WorkerHost::setCardState(CardState state) {
    MonitorUpdateHost::setCardState(state);
    republish();
}

void WorkerHost::setProgressCaption(FirmwareTarget target, const std::string& caption) {
    show(core_, core_.views().firmware,
         [=](UpdateDisplay& page) { page.setProgressCaption(target, caption); });
}

void WorkerHost::showProgress(FirmwareTarget target, bool shown) {
    show(core_, core_.views().firmware,
         [=](UpdateDisplay& page) { page.showProgress(target, shown); });
}

void WorkerHost::setStatusPicture(FirmwareTarget target, int pictureId) {
    show(core_, core_.views().firmware,
         [=](UpdateDisplay& page) { page.setStatusPicture(target, pictureId); });
}

void WorkerHost::showStatusPicture(FirmwareTarget target, bool shown) {
    show(core_, core_.views().firmware,
         [=](UpdateDisplay& page) { page.showStatusPicture(target, shown); });
}

void WorkerHost::setStartPicture(FirmwareTarget target, int pictureId) {
    show(core_, core_.views().firmware,
         [=](UpdateDisplay& page) { page.setStartPicture(target, pictureId); });
}

void WorkerHost::invalidatePage() {
    show(core_, core_.views().firmware, [](UpdateDisplay& page) { page.invalidatePage(); });
}

void WorkerHost::showMessage(const std::string& text, MessageIcon icon) {
    core_.linkLog().add(LogKind::Box, boxNote(text, icon));
    UpdateDisplay& page = core_.views().firmware;
    core_.toWindow().runAndWait([&page, text, icon] { page.showMessage(text, icon); });
}

void WorkerHost::republish() {
    core_.workersToCore().post([this] { core_.publish(); });
}

}  // namespace orvek
