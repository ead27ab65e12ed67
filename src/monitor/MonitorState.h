#pragma once
// The state the connection monitor reads and keeps on the device thread: the device mode, the
// card and update states, and the pages' request flags. The session owns these; the fields an
// update worker reads or writes from its own thread are atomic.
#include <atomic>
#include <filesystem>

#include "link/LinkStates.h"
#include "monitor/DeviceMode.h"

namespace orvek {

// What the pages ask the next poll tick to do. A flag stays set until the work it asks for
// has been done or refused; the work clears it.
struct RequestFlags {
    std::atomic<bool> writeRequested{false};
    std::atomic<bool> defaultsRequested{false};
    std::atomic<bool> escUpdateRequested{false};
    std::atomic<bool> cardUpdateRequested{false};
    // The image chosen on the firmware page for each target; read when the update starts.
    std::filesystem::path escImage;
    std::filesystem::path cardImage;
};

struct DeviceState {
    std::atomic<DeviceMode> mode{DeviceMode::None};
    std::atomic<CardState> cardState{CardState::NotAnswering};
    // False while a firmware update runs.
    std::atomic<bool> updateIdle{true};
    // The percentage last computed by the settings write.
    int writeProgress = 0;
};

}  // namespace orvek
