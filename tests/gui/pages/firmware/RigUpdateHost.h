#pragma once
// The firmware page rig's update host: the monitor's state half on the rig's own state, the page
// for what an update shows, and the recording window for the poll timer.
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "monitor/MonitorHost.h"
#include "monitor/MonitorUpdateHost.h"

namespace orvek::testing {

class RigUpdateHost : public MonitorUpdateHost {
public:
    RigUpdateHost(DeviceState& state, RequestFlags& requests, CFirmwareDlg& page,
                  MonitorHost& window)
        : MonitorUpdateHost(state, requests), page_(page), window_(window) {}

    void stopPollTimer() override { window_.stopPollTimer(); }
    void startPollTimer() override { window_.startPollTimer(); }
    void showMessage(const std::string& text, MessageIcon icon) override {
        window_.showMessage(text, icon);
    }
    void setProgressCaption(FirmwareTarget target, const std::string& caption) override {
        page_.setProgressCaption(target, caption);
    }
    void showProgress(FirmwareTarget target, bool shown) override {
        page_.showProgress(target, shown);
    }
    void setStatusPicture(FirmwareTarget target, int pictureId) override {
        page_.setStatusPicture(target, pictureId);
    }
    void showStatusPicture(FirmwareTarget target, bool shown) override {
        page_.showStatusPicture(target, shown);
    }
    void setStartPicture(FirmwareTarget target, int pictureId) override {
        page_.setStartPicture(target, pictureId);
    }
    void invalidatePage() override { page_.invalidatePage(); }

private:
    CFirmwareDlg& page_;
    MonitorHost& window_;
};

}  // namespace orvek::testing
