#pragma once
// Lets an update worker drive the window from its own thread: every call is handed to the
// window's thread in the order the worker made it. Calls the worker must wait for (stopping the
// poll timer, a message box, reading a state) block until the window's thread has run them.
#include "session/QueuedCalls.h"
#include "update/UpdateHost.h"

namespace orvek {

class PostingUpdateHost : public UpdateHost {
public:
    // `windowHost` is the window's own implementation, run on the thread of `context`.
    PostingUpdateHost(UpdateHost& windowHost, QObject* context);

    void stopPollTimer() override;
    void startPollTimer() override;
    void setUpdateIdle(bool idle) override;
    void clearUpdateRequest(FirmwareTarget target) override;
    bool fixMode() const override;
    CardState cardState() const override;
    void setCardState(CardState state) override;
    void setProgressCaption(FirmwareTarget target, const std::string& caption) override;
    void showProgress(FirmwareTarget target, bool shown) override;
    void setStatusPicture(FirmwareTarget target, int pictureId) override;
    void showStatusPicture(FirmwareTarget target, bool shown) override;
    void setStartPicture(FirmwareTarget target, int pictureId) override;
    void invalidatePage() override;
    void showMessage(const std::string& text, MessageIcon icon) override;

    // Waiting calls return and later ones are dropped (the window is going).
    void close() { calls_.close(); }

private:
    UpdateHost& window_;
    QueuedCalls calls_;
};

}  // namespace orvek
