#pragma once
// A series: one set of values written onto ESC after ESC through one adapter, with a row for
// each ESC. The ESC carries no serial number, so ESCs are told apart by their coming and going:
// the caller hands over an ESC only after the one before has gone (its lamp went out) and a new
// identification has passed, and this object serves each ESC it is handed once.
#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "firmware/DeviceIdentity.h"
#include "history/HistoryRecord.h"
#include "history/HistorySink.h"
#include "link/CommandSet.h"
#include "link/UsbUart.h"
#include "settings/EscFamily.h"
#include "settings/ParameterLists.h"
#include "settings/SettingsFile.h"

namespace orvek {

enum class SeriesResult {
    Verified,      // written, read back and equal
    AlreadyEqual,  // it held the values already: nothing sent
    Refused,       // nothing written: another family, or values it has no option for
    Failed,        // the write or the read failed; the reason is the write's message
};

// "written and verified", "already equal", "refused", "failed".
const char* seriesResultName(SeriesResult result);

struct SeriesChange {
    std::string key, from, to;
};

struct SeriesRow {
    int number = 0;    // 1 for the first ESC of the series
    std::string time;  // UTC, as the history's records
    std::string model;
    std::string firmware;
    EscInfo info{};
    // The settings the values changed from what the ESC held (none when refused or equal).
    std::vector<SeriesChange> changes;
    SeriesResult result = SeriesResult::Failed;
    std::string reason;  // why it was refused, or how the write failed
};

// What a series writes: applied afresh to each ESC's lists once they are filled for it.
struct SeriesValues {
    // The values in words: "setup sheet Club/Stock 13.5", "settings file pit.cfg", "record #12".
    std::string description;
    // Their own short name, which a series' default name begins with: "pit" (pit.cfg),
    // "record 12".
    std::string name;
    // The family they are for; none for a settings file, which names none (the first ESC's).
    std::optional<EscFamily> family;
    // Selects the values in lists filled for an ESC; the report says which matched.
    std::function<SettingsImport(ParameterLists& lists)> apply;
};

// From a settings file (.cfg) or a setup sheet (.ini): the same option section. A sheet's family
// is the one its Firmware note names, when it names one.
SeriesValues seriesValuesFromFile(const std::filesystem::path& file);
// From a history record of settings: its family and texts.
SeriesValues seriesValuesFromRecord(const HistoryRecord& record);
// From eighteen texts as a page shows them, for the family it is filled for.
SeriesValues seriesValuesFromTexts(const SettingsTexts& texts, EscFamily family,
                                   const std::string& description);

struct SeriesServeOptions {
    // As the settings write's: the write ends before its next pair.
    const std::atomic<bool>* stop = nullptr;
    WriteProgress* progress = nullptr;
};

// What a series has done, as a value: what its report and the window show.
struct SeriesSnapshot {
    std::string name;
    std::string values;  // the values' description
    std::vector<SeriesRow> rows;
};

class WriteSeries {
public:
    // `history`, when given, gets a write record of each ESC written, with the series' name as
    // its source. It must outlive the series.
    WriteSeries(SeriesValues values, std::string name, HistorySink* history = nullptr);

    // Serves the ESC just identified on `link` (`info`, its identification answer): reads its
    // settings, refuses it when its family differs from the values', sends nothing when it
    // holds them already, and otherwise writes them, reads them back and compares. Its row.
    const SeriesRow& serve(UsbUart& link, const EscInfo& info,
                           const SeriesServeOptions& options = {});

    const std::string& name() const { return name_; }
    const SeriesValues& values() const { return values_; }
    const std::vector<SeriesRow>& rows() const { return rows_; }
    SeriesSnapshot snapshot() const { return {name_, values_.description, rows_}; }
    bool anyFailed() const;
    bool anyRefused() const;

private:
    SeriesRow& refuse(SeriesRow& row, std::string reason);

    SeriesValues values_;
    std::string name_;
    HistorySink* history_;
    std::vector<SeriesRow> rows_;
};

// "Club Stock 2026-12-10": a sheet's or file's name and the date, as a series is named when the
// racer gives no name.
std::string defaultSeriesName(const std::string& valuesName, const std::string& isoDate);

}  // namespace orvek
