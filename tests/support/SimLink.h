#pragma once
// A simulator on a pseudo-terminal and a link opened on it: the real serial code end to end.
#include <gtest/gtest.h>

#include <memory>

#include "link/UsbUart.h"
#include "sim/Simulator.h"

namespace orvek::testing {

struct SimLink {
    explicit SimLink(sim::SimOptions options = {}) : sim(std::move(options)) {
        ok = sim.start();
        link.setPortOverride(sim.devicePath());
        ok = ok && link.openPort() == 0;
    }
    sim::Simulator sim;
    UsbUart link;
    bool ok = false;
};

inline sim::SimOptions simAs(sim::Peer peer, bool paced = false) {
    sim::SimOptions o;
    o.peer = peer;
    o.paced = paced;
    return o;
}

// Bytes the simulator received, without their timestamps.
inline std::vector<std::uint8_t> receivedBytes(const sim::Simulator& s) {
    std::vector<std::uint8_t> out;
    for (const auto& r : s.received()) out.push_back(r.value);
    return out;
}

}  // namespace orvek::testing
