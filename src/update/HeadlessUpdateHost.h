#pragma once
// The update host of a run without a window (the command-line tool, benchmarks): no timer and
// no pictures; it answers with the device states it is given and keeps the last message.
#include <string>

#include "update/UpdateHost.h"

namespace orvek {

class HeadlessUpdateHost : public UpdateHost {
public:
    bool fix = false;
    CardState card = CardState::NotProbed;
    std::string lastMessage;

    void stopPollTimer() override {}
    void startPollTimer() override {}
    void setUpdateIdle(bool) override {}
    void clearUpdateRequest(FirmwareTarget) override {}
    bool fixMode() const override { return fix; }
    CardState cardState() const override { return card; }
    void setCardState(CardState state) override { card = state; }
    void setProgressCaption(FirmwareTarget, const std::string&) override {}
    void showProgress(FirmwareTarget, bool) override {}
    void setStatusPicture(FirmwareTarget, int) override {}
    void showStatusPicture(FirmwareTarget, bool) override {}
    void setStartPicture(FirmwareTarget, int) override {}
    void invalidatePage() override {}
    void showMessage(const std::string& text, MessageIcon) override { lastMessage = text; }
};

}  // namespace orvek
