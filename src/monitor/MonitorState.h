#pragma once
// Main-window state the connection monitor reads and keeps: the device mode, the card and
// update states, and the pages' request flags. The window owns these; the fields an update
// worker reads or writes from its own thread are atomic.
#include <atomic>
#include <filesystem>

#include "link/LinkStates.h"

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
    // The Device menu's modes; at most one is set.
    std::atomic<bool> escMode{false};
    std::atomic<bool> cardMode{false};
    std::atomic<int> fixMode{0};
    std::atomic<CardState> cardState{CardState::NotAnswering};
    // False while a firmware update runs.
    std::atomic<bool> updateIdle{true};
    // Which prompt picture the blink shows next.
    int promptPhase = 1;
    // The percentage last computed by the settings write.
    int writeProgress = 0;
};

}  // namespace orvek
