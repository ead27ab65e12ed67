#pragma once
// The window's update host: the state half is the monitor's, what an update shows goes to the
// firmware page, and the poll timer and message boxes are the main window's.
#include "firmware/ui/CFirmwareDlg.h"
#include "monitor/MonitorHost.h"
#include "monitor/MonitorUpdateHost.h"

namespace orvek {

class FirmwarePageUpdateHost : public MonitorUpdateHost {
public:
    FirmwarePageUpdateHost(DeviceState& state, RequestFlags& requests, CFirmwareDlg& page, MonitorHost& window)
        : MonitorUpdateHost(state, requests), page_(page), window_(window) {}

    void stopPollTimer() override { window_.stopPollTimer(); }
    void startPollTimer() override { window_.startPollTimer(); }
    void setProgressCaption(FirmwareTarget target, const std::string& caption) override {
        page_.setProgressCaption(target, caption);
    }
    void showProgress(FirmwareTarget target, bool shown) override { page_.showProgress(target, shown); }
    void setStatusPicture(FirmwareTarget target, int pictureId) override { page_.setStatusPicture(target, pictureId); }
    void showStatusPicture(FirmwareTarget target, bool shown) override { page_.showStatusPicture(target, shown); }
    void setStartPicture(FirmwareTarget target, int pictureId) override { page_.setStartPicture(target, pictureId); }
    void invalidatePage() override { page_.invalidatePage(); }
    void showMessage(const std::string& text, MessageIcon icon) override { window_.showMessage(text, icon); }

private:
    CFirmwareDlg& page_;
    MonitorHost& window_;
};

}  // namespace orvek
