// series: one setup onto ESC after ESC through one adapter. An ESC is the next one only after
// the one before has gone and a new one answers: the ESC has no serial number, so ESCs are told
// apart by their coming and going. A line for each ESC, a summary at the end.
#include <cstdio>
#include <cstdlib>

#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "SettingsInput.h"
#include "UploadInterrupts.h"
#include "link/CommandSet.h"
#include "platform/AsciiCase.h"
#include "series/LineWatch.h"
#include "series/SeriesReport.h"
#include "series/WriteSeries.h"

namespace orvek::cli {

namespace {

std::string rowLine(const SeriesRow& row) {
    std::string line = "ESC " + std::to_string(row.number) + ": " +
                       (row.model.empty() ? "unknown model" : row.model) + ", " + row.firmware +
                       ": " + seriesResultName(row.result);
    if (!row.changes.empty()) line += " (" + changesText(row.changes) + ")";
    if (!row.reason.empty()) line += ": " + row.reason;
    return line;
}

std::string summary(const WriteSeries& series) {
    int counts[4] = {0, 0, 0, 0};
    for (const SeriesRow& row : series.rows()) ++counts[static_cast<int>(row.result)];
    return "series " + series.name() + ": " + std::to_string(series.rows().size()) + " ESCs, " +
           std::to_string(counts[0]) + " written and verified, " + std::to_string(counts[1]) +
           " already equal, " + std::to_string(counts[2]) + " refused, " +
           std::to_string(counts[3]) + " failed";
}

// The values, or an exit code after saying why there are none.
int seriesValues(const Console& console, const SeriesOptions& options, SeriesValues& values) {
    if (options.file.empty() == options.record.empty()) {
        return console.fail(kExitUsage,
                            "series takes a settings file or a setup sheet, or "
                            "--record ID: one of them");
    }
    if (!options.record.empty()) {
        HistoryRecord record;
        if (const int code = settingsRecordFromArgument(console, options.record, record))
            return code;
        values = seriesValuesFromRecord(record);
        return kExitOk;
    }
    std::vector<std::string> warnings;
    if (const int code = checkSettingsInput(console, "series", options.file, warnings)) return code;
    for (const std::string& warning : warnings) console.note("warning: " + warning);
    const std::filesystem::path file = fileArgument(options.file);
    values = seriesValuesFromFile(file);
    return kExitOk;
}

Json reportJson(const WriteSeries& series) {
    Json j;
    j["name"] = series.name();
    j["values"] = series.values().description;
    j["escs"] = Json::array();
    for (const SeriesRow& row : series.rows()) {
        Json esc;
        esc["number"] = row.number;
        esc["time"] = row.time;
        esc["model"] = row.model;
        esc["firmware"] = row.firmware;
        esc["info"] = infoBytesText(row.info);
        esc["changes"] = Json::array();
        for (const SeriesChange& c : row.changes)
            esc["changes"].push_back({{"key", c.key}, {"from", c.from}, {"to", c.to}});
        esc["result"] = seriesResultName(row.result);
        esc["reason"] = row.reason;
        j["escs"].push_back(std::move(esc));
    }
    return j;
}

}  // namespace

int runSeries(const GlobalOptions& global, const Console& console, const SeriesOptions& options) {
    std::size_t count = 0;
    if (!options.countText.empty()) {
        char* end = nullptr;
        const long long n = std::strtoll(options.countText.c_str(), &end, 10);
        if (options.countText[0] < '0' || options.countText[0] > '9' || *end != '\0' || n < 1 ||
            n > 100000) {
            return console.fail(kExitUsage, "--count takes a number of ESCs (1 or more), not \"" +
                                                options.countText + "\"");
        }
        count = static_cast<std::size_t>(n);
    }
    if (!options.report.empty() && !endsWithIgnoringCase(options.report, ".csv") &&
        !endsWithIgnoringCase(options.report, ".json")) {
        return console.fail(kExitUsage, "--report names a .csv or .json file");
    }
    SeriesValues values;
    if (const int code = seriesValues(console, options, values)) return code;

    Session session(global, console);
    if (const int code = session.openLink()) return code;
    const std::string name = options.name.empty()
                                 ? defaultSeriesName(values.name, historyTimeNow().substr(0, 10))
                                 : options.name;
    WriteSeries series(std::move(values), name, &session.history());
    console.note("series " + name + ": " + series.values().description +
                 "; the ESC has no serial number, so each one counts once it has gone and the "
                 "next answers");

    bool lineLost = false;
    for (;;) {
        EscInfo info{};
        LineWatch watch;
        {
            const UploadInterrupts waiting("ending the series", "ending the series");
            console.note("plug in the next ESC");
            watch = watchLine(
                session.link(), true, [&] { return waiting.interrupted(); }, info);
        }
        if (watch != LineWatch::Arrived) {
            lineLost = watch == LineWatch::LinkLost;
            break;
        }
        {
            const UploadInterrupts writing(
                "warning: stopping the write now leaves the ESC holding settings it has not "
                "committed, so it goes on (about 2 s); interrupt again within 3 s to stop it "
                "anyway",
                "stopping the write before its next pair");
            SeriesServeOptions serve;
            serve.stop = &writing.abortRequested();
            console.out(rowLine(series.serve(session.link(), info, serve)));
        }
        if (count != 0 && series.rows().size() >= count) break;
        {
            const UploadInterrupts waiting("ending the series", "ending the series");
            console.note("unplug the ESC (or power it off)");
            watch = watchLine(
                session.link(), false, [&] { return waiting.interrupted(); }, info);
        }
        if (watch != LineWatch::Gone) {
            lineLost = watch == LineWatch::LinkLost;
            break;
        }
    }
    console.out(summary(series));
    session.history().finish();
    if (!options.report.empty()) {
        std::error_code reason;
        const std::filesystem::path file = fileArgument(options.report);
        if (saveSeriesReport(series.snapshot(), file, &reason) != SeriesReportStatus::Ok) {
            return console.fail(kExitCannotWrite,
                                "cannot write " + fileText(file) + ": " + reason.message());
        }
        console.note("report saved to " + fileText(file));
    }
    console.document(reportJson(series));
    if (lineLost) return session.disconnected();
    if (series.anyFailed()) return kExitTransfer;
    if (series.anyRefused()) return kExitNoDevice;
    return kExitOk;
}

}  // namespace orvek::cli
