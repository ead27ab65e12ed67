#include "session/PostingUpdateHost.h"

namespace orvek {

PostingUpdateHost::PostingUpdateHost(UpdateHost& windowHost, QObject* context)
    : window_(windowHost), calls_(context) {}

void PostingUpdateHost::stopPollTimer() {
    calls_.runAndWait([this] { window_.stopPollTimer(); });
}

void PostingUpdateHost::startPollTimer() {
    calls_.post([this] { window_.startPollTimer(); });
}

void PostingUpdateHost::setUpdateIdle(bool idle) {
    calls_.post([this, idle] { window_.setUpdateIdle(idle); });
}

void PostingUpdateHost::clearUpdateRequest(FirmwareTarget target) {
    calls_.post([this, target] { window_.clearUpdateRequest(target); });
}

bool PostingUpdateHost::fixMode() const {
    bool fix = false;
    calls_.runAndWait([this, &fix] { fix = window_.fixMode(); });
    return fix;
}

CardState PostingUpdateHost::cardState() const {
    CardState state = CardState::NotProbed;
    calls_.runAndWait([this, &state] { state = window_.cardState(); });
    return state;
}

void PostingUpdateHost::setCardState(CardState state) {
    calls_.post([this, state] { window_.setCardState(state); });
}

void PostingUpdateHost::setProgressCaption(FirmwareTarget target, const std::string& caption) {
    calls_.post([this, target, caption] { window_.setProgressCaption(target, caption); });
}

void PostingUpdateHost::showProgress(FirmwareTarget target, bool shown) {
    calls_.post([this, target, shown] { window_.showProgress(target, shown); });
}

void PostingUpdateHost::setStatusPicture(FirmwareTarget target, int pictureId) {
    calls_.post([this, target, pictureId] { window_.setStatusPicture(target, pictureId); });
}

void PostingUpdateHost::showStatusPicture(FirmwareTarget target, bool shown) {
    calls_.post([this, target, shown] { window_.showStatusPicture(target, shown); });
}

void PostingUpdateHost::setStartPicture(FirmwareTarget target, int pictureId) {
    calls_.post([this, target, pictureId] { window_.setStartPicture(target, pictureId); });
}

void PostingUpdateHost::invalidatePage() {
    calls_.post([this] { window_.invalidatePage(); });
}

void PostingUpdateHost::showMessage(const std::string& text, MessageIcon icon) {
    // Modal: the worker goes on only once the box is dismissed.
    calls_.runAndWait([this, text, icon] { window_.showMessage(text, icon); });
}

}  // namespace orvek
