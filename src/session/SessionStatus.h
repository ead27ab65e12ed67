#pragma once
// The device session's state as one value, sent to the window after every tick and every
// command it serves: the link and device states, the Device menu's modes, the request flags
// and whether an update or a settings write holds the link.
#include <cstdint>
#include <filesystem>

#include "link/LinkStates.h"
#include "monitor/DeviceMode.h"

namespace orvek {

struct SessionStatus {
    UsbState usbState = UsbState::NoPort;
    EscState escState = EscState::NotProbed;
    CardState cardState = CardState::NotAnswering;
    DeviceMode mode = DeviceMode::None;
    bool updateIdle = true;
    bool updateRunning = false;
    // A settings write is on the wire (from its first pair to its end, box included).
    bool writing = false;
    // A write series runs: from its start until it ends (its rows stay on the page).
    bool series = false;
    bool writeRequested = false;
    bool defaultsRequested = false;
    bool escUpdateRequested = false;
    bool cardUpdateRequested = false;
    // The image each target's update was last asked for (empty before any).
    std::filesystem::path escImage;
    std::filesystem::path cardImage;
    bool pollTimerActive = false;
    // Poll ticks run, and commands of the window served, since the session started.
    std::uint64_t ticks = 0;
    std::uint64_t commandsServed = 0;

    // A firmware update has been requested or runs: the window refuses presses and closing.
    bool updateLocked() const { return escUpdateRequested || cardUpdateRequested || updateRunning; }
};

}  // namespace orvek
