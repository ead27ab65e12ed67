#pragma once
// The half of UpdateHost that is monitor state (update idle, request flags, fix mode, card
// state), kept on the session's DeviceState and RequestFlags so that a worker can reach it from
// its thread. The session derives from it and adds the timer and what the firmware page shows.
#include "monitor/MonitorState.h"
#include "update/UpdateHost.h"

namespace orvek {

class MonitorUpdateHost : public UpdateHost {
public:
    MonitorUpdateHost(DeviceState& state, RequestFlags& requests)
        : state_(state), requests_(requests) {}

    void setUpdateIdle(bool idle) override { state_.updateIdle = idle; }
    void clearUpdateRequest(FirmwareTarget target) override {
        if (target == FirmwareTarget::Esc) {
            requests_.escUpdateRequested = false;
        } else {
            requests_.cardUpdateRequested = false;
        }
    }
    bool fixMode() const override { return state_.mode == DeviceMode::Fix; }
    CardState cardState() const override { return state_.cardState; }
    void setCardState(CardState state) override { state_.cardState = state; }

private:
    DeviceState& state_;
    RequestFlags& requests_;
};

}  // namespace orvek
