#include "gui/pages/firmware/FirmwarePageUpdateHost.h"

namespace orvek {

FirmwarePageUpdateHost::FirmwarePageUpdateHost(DeviceState& state, RequestFlags& requests,
                                               CFirmwareDlg& page, MonitorHost& window)
    : MonitorUpdateHost(state, requests), page_(page), window_(window) {}

void FirmwarePageUpdateHost::stopPollTimer() { window_.stopPollTimer(); }
void FirmwarePageUpdateHost::startPollTimer() { window_.startPollTimer(); }
void FirmwarePageUpdateHost::showMessage(const std::string& text, MessageIcon icon) {
    window_.showMessage(text, icon);
}

void FirmwarePageUpdateHost::setProgressCaption(FirmwareTarget target, const std::string& caption) {
    page_.setProgressCaption(target, caption);
}
void FirmwarePageUpdateHost::showProgress(FirmwareTarget target, bool shown) {
    page_.showProgress(target, shown);
}
void FirmwarePageUpdateHost::setStatusPicture(FirmwareTarget target, int pictureId) {
    page_.setStatusPicture(target, pictureId);
}
void FirmwarePageUpdateHost::showStatusPicture(FirmwareTarget target, bool shown) {
    page_.showStatusPicture(target, shown);
}
void FirmwarePageUpdateHost::setStartPicture(FirmwareTarget target, int pictureId) {
    page_.setStartPicture(target, pictureId);
}
void FirmwarePageUpdateHost::invalidatePage() { page_.invalidatePage(); }

}  // namespace orvek
