#pragma once
// ESCs plugged in one after another on one simulated adapter (orvek-sim --series): each one's
// family, version, state file and pair fault, and the swap: the ESC on the line is unplugged (it
// goes silent, the adapter still echoes) for a while, then the next one answers.
#include <string>
#include <vector>

#include "sim/Simulator.h"

namespace orvek::sim {

struct SeriesEsc {
    DeviceIdentity identity;
    std::string stateFile;  // empty: the default settings, kept nowhere
    int nakPair = -1;       // a pair this ESC answers 0x00, -1 for none
    std::string text;       // as given, for the lines orvek-sim prints
};

// "expert:3,expert:3:b.state,stock:2,expert:3::nak=4": family (expert, stock, blinky),
// version code, state file, "nak=K". False, with `error`, for a list that does not read so.
bool parseEscSeries(const std::string& list, std::vector<SeriesEsc>& escs, std::string& error);

class EscSeries {
public:
    // `faults` are the simulator's own, to which each ESC adds its pair fault.
    EscSeries(Simulator& sim, std::vector<SeriesEsc> escs, Faults faults, int unpluggedMs);

    // The first ESC, before the simulator starts. False when its state file is refused.
    bool plugInFirst();
    // Unplugs the ESC on the line now; the next one answers `unpluggedMs` later (none after the
    // last: the line stays silent).
    void unplug(double nowMs);
    // Plugs the next one in once its time has come; a line about it in `said`.
    void poll(double nowMs, std::string& said);

    std::size_t onLine() const { return current_; }

private:
    bool plugIn(std::size_t index);

    Simulator& sim_;
    std::vector<SeriesEsc> escs_;
    Faults faults_;
    int unpluggedMs_;
    std::size_t current_ = 0;
    double plugAtMs_ = -1;
};

}  // namespace orvek::sim
