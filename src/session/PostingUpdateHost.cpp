#include "session/PostingUpdateHost.h"

#include <QMetaObject>
#include <QThread>
#include <utility>

namespace orvek {

PostingUpdateHost::PostingUpdateHost(UpdateHost& windowHost, QObject* context)
    : window_(windowHost), context_(context) {}

template <typename F>
void PostingUpdateHost::post(F&& call) const {
    if (!context_) return;  // the window is gone: nothing left to show
    QMetaObject::invokeMethod(context_, std::forward<F>(call), Qt::QueuedConnection);
}

template <typename F>
void PostingUpdateHost::runAndWait(F&& call) const {
    if (!context_) return;
    if (QThread::currentThread() == context_->thread()) {
        call();  // already on the window's thread: waiting for itself would dead-lock
        return;
    }
    // Queued calls made before this one run first: the window's queue keeps their order.
    QMetaObject::invokeMethod(context_, std::forward<F>(call), Qt::BlockingQueuedConnection);
}

void PostingUpdateHost::stopPollTimer() {
    runAndWait([this] { window_.stopPollTimer(); });
}

void PostingUpdateHost::startPollTimer() {
    post([this] { window_.startPollTimer(); });
}

void PostingUpdateHost::setUpdateIdle(bool idle) {
    post([this, idle] { window_.setUpdateIdle(idle); });
}

void PostingUpdateHost::clearUpdateRequest(FirmwareTarget target) {
    post([this, target] { window_.clearUpdateRequest(target); });
}

bool PostingUpdateHost::fixMode() const {
    bool fix = false;
    runAndWait([this, &fix] { fix = window_.fixMode(); });
    return fix;
}

CardState PostingUpdateHost::cardState() const {
    CardState state = CardState::NotProbed;
    runAndWait([this, &state] { state = window_.cardState(); });
    return state;
}

void PostingUpdateHost::setCardState(CardState state) {
    post([this, state] { window_.setCardState(state); });
}

void PostingUpdateHost::setProgressCaption(FirmwareTarget target, const std::string& caption) {
    post([this, target, caption] { window_.setProgressCaption(target, caption); });
}

void PostingUpdateHost::showProgress(FirmwareTarget target, bool shown) {
    post([this, target, shown] { window_.showProgress(target, shown); });
}

void PostingUpdateHost::setStatusPicture(FirmwareTarget target, int pictureId) {
    post([this, target, pictureId] { window_.setStatusPicture(target, pictureId); });
}

void PostingUpdateHost::showStatusPicture(FirmwareTarget target, bool shown) {
    post([this, target, shown] { window_.showStatusPicture(target, shown); });
}

void PostingUpdateHost::setStartPicture(FirmwareTarget target, int pictureId) {
    post([this, target, pictureId] { window_.setStartPicture(target, pictureId); });
}

void PostingUpdateHost::invalidatePage() {
    post([this] { window_.invalidatePage(); });
}

void PostingUpdateHost::showMessage(const std::string& text, MessageIcon icon) {
    // Modal: the worker goes on only once the box is dismissed.
    runAndWait([this, text, icon] { window_.showMessage(text, icon); });
}

}  // namespace orvek
