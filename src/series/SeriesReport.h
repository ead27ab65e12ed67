#pragma once
// A series as a report for the racer's records: CSV, one line per ESC under a heading line, and
// JSON, the series' name, its values and an `escs` array with one object per ESC.
#include <filesystem>
#include <string>
#include <system_error>

#include "series/WriteSeries.h"

namespace orvek {

std::string seriesReportCsv(const SeriesSnapshot& series);
std::string seriesReportJson(const SeriesSnapshot& series);

enum class SeriesReportStatus { Ok, UnknownKind, WriteFailed };
// Writes the kind the file's ending names (.csv or .json, any letter case) in one step; on a
// failure `reason`, when given, says why.
SeriesReportStatus saveSeriesReport(const SeriesSnapshot& series, const std::filesystem::path& file,
                                    std::error_code* reason = nullptr);

// The seven information bytes as the report shows them: "0B 40 00 03 00 02 00".
std::string infoBytesText(const EscInfo& info);
// "Drag Brake: Level 3 -> Level 5; Punch: ..." ("(none)" for an empty text).
std::string changesText(const std::vector<SeriesChange>& changes);

}  // namespace orvek
