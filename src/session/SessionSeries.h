#pragma once
// The series a device session serves: which ESC on the line is new to it. The ESC has no serial
// number, so one counts as the next only after the one before has gone (its lamp went out:
// unplugged or powered off) and a new identification has passed. The ESC on the line when the
// series starts is its first.
#include <optional>

#include "session/SeriesState.h"

namespace orvek {

class SessionSeries {
public:
    bool running() const { return state_.running(); }
    const SeriesState& state() const { return state_; }

    void start(WriteSeries series, std::size_t count);
    void end();

    // After a poll, from the ESC lamp: true (and the phase Writing) when the identified ESC is to
    // be served now. Otherwise the phase follows what the lamp shows.
    bool due(bool escIdentified);
    // Serves the ESC `due` gave; the series ends once its count is reached.
    const SeriesRow& serve(UsbUart& link, const EscInfo& info, const SeriesServeOptions& options);

private:
    std::optional<WriteSeries> series_;
    SeriesState state_;
    // The ESC on the line (if any) has not been served: the one before has gone since.
    bool armed_ = false;
};

}  // namespace orvek
