#pragma once
// The session's two host adapters. What the connection monitor tells the window is posted there
// as values; what an update worker does around it is split: its state half kept on the device
// thread (and told to the window), its display half posted to the firmware page.
#include <string>

#include "firmware/DeviceIdentity.h"
#include "monitor/MonitorHost.h"
#include "monitor/MonitorState.h"
#include "monitor/MonitorUpdateHost.h"
#include "session/QueuedCalls.h"
#include "session/SessionNotes.h"
#include "session/SessionView.h"

namespace orvek {

// What the hosts reach of the session's core (SessionCore): the views and their hand-off, the
// workers' way back, the poll timer, the state they keep and the telling of it.
class HostedCore {
public:
    virtual const SessionViews& views() const = 0;
    virtual QueuedCalls& toWindow() = 0;
    virtual QueuedCalls& workersToCore() = 0;
    virtual bool pollTimerActive() const = 0;
    virtual void stopPollTimer() = 0;
    virtual void startPollTimer() = 0;
    virtual DeviceState& state() = 0;
    virtual RequestFlags& requests() = 0;
    virtual const FirmwareIdentity& identity() const = 0;
    // A settings write holds the link; told with the next status.
    virtual void setWriting(bool writing) = 0;
    // Tells the window what changed in the settings model, then the status.
    virtual void publish() = 0;
    // The diagnostic log, which the hosts add the session's state changes and boxes to.
    virtual LinkLog& linkLog() = 0;

protected:
    ~HostedCore() = default;
};

class MonitorToView : public MonitorHost {
public:
    explicit MonitorToView(HostedCore& core) : core_(core), notes_(core.linkLog()) {}

    void setLamps(bool usbOn, DeviceMode identified) override;
    void setEscTexts(const std::string& modelName, const std::string& firmware) override;
    void setWriteProgressText(const std::string& text) override;
    void stopPollTimer() override;
    void startPollTimer() override;
    // A box raised while the poll is stopped holds the session until it is dismissed, as the
    // modal box held the tick: no probe leaves meanwhile and the poll restarts only after OK.
    // A box raised while the poll runs lets it run.
    void showMessage(const std::string& text, MessageIcon icon) override;
    void setDeviceMenuChecks(DeviceMode mode) override;
    void showUserSupportPage() override;
    void enablePagesFor(DeviceMode mode) override;
    void deviceInfoShown(FirmwareTarget target) override;
    void showPortNote(const std::string& note) override;
    void settingsBackedUp(const SettingsBackup& backup) override;
    // The start is told at once (a close waits for the end); the end goes with the status the
    // tick tells when it is over.
    void settingsWriteRunning(bool running) override;

private:
    HostedCore& core_;
    MonitorNotes notes_;
};

class WorkerHost : public MonitorUpdateHost {
public:
    explicit WorkerHost(HostedCore& core);

    void stopPollTimer() override;
    void startPollTimer() override;
    void setUpdateIdle(bool idle) override;
    void clearUpdateRequest(FirmwareTarget target) override;
    void setCardState(CardState state) override;
    void setProgressCaption(FirmwareTarget target, const std::string& caption) override;
    void showProgress(FirmwareTarget target, bool shown) override;
    void setStatusPicture(FirmwareTarget target, int pictureId) override;
    void showStatusPicture(FirmwareTarget target, bool shown) override;
    void setStartPicture(FirmwareTarget target, int pictureId) override;
    void invalidatePage() override;
    void showMessage(const std::string& text, MessageIcon icon) override;

private:
    // A state change a worker made is told from the device thread.
    void republish();
    HostedCore& core_;
};

}  // namespace orvek
