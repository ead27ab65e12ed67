#pragma once
// The window's update host: the monitor's state half, the firmware page for what an update
// shows, and the window for the poll timer and message boxes. Runs on the window's thread; the
// workers reach it through a PostingUpdateHost.
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "monitor/MonitorHost.h"
#include "monitor/MonitorUpdateHost.h"

namespace orvek {

class FirmwarePageUpdateHost : public MonitorUpdateHost {
public:
    FirmwarePageUpdateHost(DeviceState& state, RequestFlags& requests, CFirmwareDlg& page,
                           MonitorHost& window);

    void stopPollTimer() override;
    void startPollTimer() override;
    void showMessage(const std::string& text, MessageIcon icon) override;

    void setProgressCaption(FirmwareTarget target, const std::string& caption) override;
    void showProgress(FirmwareTarget target, bool shown) override;
    void setStatusPicture(FirmwareTarget target, int pictureId) override;
    void showStatusPicture(FirmwareTarget target, bool shown) override;
    void setStartPicture(FirmwareTarget target, int pictureId) override;
    void invalidatePage() override;

private:
    CFirmwareDlg& page_;
    MonitorHost& window_;
};

}  // namespace orvek
