#include "session/SessionSeries.h"

namespace orvek {

std::string seriesLine(const SeriesState& state) {
    const std::size_t served = state.series.rows.size();
    switch (state.phase) {
        case SeriesPhase::Off: return {};
        case SeriesPhase::WaitingForNext: return "Plug in the next ESC";
        case SeriesPhase::WaitingForGone:
            return served == 0 ? "Unplug the ESC on the line (or power it off)"
                               : "Unplug ESC " + std::to_string(served) + " (or power it off)";
        case SeriesPhase::Writing: return "Writing ESC " + std::to_string(served + 1) + "\u2026";
        case SeriesPhase::Ended:
            return "Series ended: " + std::to_string(served) + (served == 1 ? " ESC" : " ESCs");
    }
    return {};
}

void SessionSeries::start(WriteSeries series, std::size_t count) {
    series_.emplace(std::move(series));
    state_ = SeriesState{};
    state_.phase = SeriesPhase::WaitingForNext;
    state_.series = series_->snapshot();
    state_.count = count;
    armed_ = true;
}

void SessionSeries::end() {
    if (!running()) return;
    state_.phase = SeriesPhase::Ended;
}

bool SessionSeries::due(bool escIdentified) {
    if (!running()) return false;
    if (!escIdentified) {
        armed_ = true;
        state_.phase = SeriesPhase::WaitingForNext;
        return false;
    }
    if (armed_) {
        state_.phase = SeriesPhase::Writing;
        return true;
    }
    state_.phase = SeriesPhase::WaitingForGone;
    return false;
}

const SeriesRow& SessionSeries::serve(UsbUart& link, const EscInfo& info,
                                      const SeriesServeOptions& options) {
    const SeriesRow& row = series_->serve(link, info, options);
    armed_ = false;
    state_.series = series_->snapshot();
    const bool countReached = state_.count != 0 && state_.series.rows.size() >= state_.count;
    state_.phase = countReached ? SeriesPhase::Ended : SeriesPhase::WaitingForGone;
    return row;
}

}  // namespace orvek
