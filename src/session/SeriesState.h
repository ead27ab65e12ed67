#pragma once
// A write series as the window sees it: what the racer asked for at the start, and one value
// with the rows so far and what the series waits for now.
#include <cstddef>
#include <filesystem>
#include <string>

#include "history/HistoryRecord.h"
#include "series/WriteSeries.h"

namespace orvek {

namespace seriesText {
constexpr const char* Running = "A write series is running. End it first.";
constexpr const char* NoValues =
    "The page shows no ESC's settings to write. Identify an ESC or load a setup sheet first.";
}  // namespace seriesText

// Where a series takes its values from, its name and how many ESCs it serves.
struct SeriesStart {
    enum class Source { Page, File, Record };
    Source source = Source::Page;
    std::filesystem::path file;  // a settings file or a setup sheet (Source::File)
    HistoryRecord record;        // Source::Record
    std::string name;            // empty: the values' name and the date
    std::size_t count = 0;       // 0: until the racer ends it
};

enum class SeriesPhase {
    Off,             // no series since the session started
    WaitingForNext,  // no ESC on the line: the next one is served once it is identified
    WaitingForGone,  // the ESC on the line was served (or was there before): unplug it
    Writing,         // an ESC is being served
    Ended,
};

struct SeriesState {
    SeriesPhase phase = SeriesPhase::Off;
    SeriesSnapshot series;
    std::size_t count = 0;  // as started
    bool running() const { return phase != SeriesPhase::Off && phase != SeriesPhase::Ended; }
};

// The line above the running list: "Plug in the next ESC", "Writing ESC 4…", "Unplug ESC 3",
// "Series ended: 5 ESCs".
std::string seriesLine(const SeriesState& state);

}  // namespace orvek
