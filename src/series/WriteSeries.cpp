#include "series/WriteSeries.h"

#include "write/SettingsWrite.h"

#include "history/SettingsRecords.h"
#include "settings/OptionLists.h"
#include "settings/ParamTable.h"
#include "settings/SettingsBlock.h"
#include "settings/SetupSheets.h"

namespace orvek {

namespace {

// The family a setup sheet's Firmware note names ("Expert V1.30"), if any.
std::optional<EscFamily> sheetFamily(const std::filesystem::path& file) {
    ParameterLists scratch;
    const SetupSheetNotes notes = LoadSetupSheet(scratch, file);
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        if (std::string(InfoKeyNames()[k]) != "Firmware") continue;
        if (const auto named = familyOfFirmwareText(notes.info[k])) return named->family;
    }
    return std::nullopt;
}

// The first value that matches no option of these lists, in words; empty when all match.
std::string unmatchedValue(const SettingsImport& imported) {
    for (const ImportedSetting& s : imported.settings) {
        if (s.outcome != ImportOutcome::NoMatch) continue;
        return std::string(parameterTable()[static_cast<std::size_t>(s.keyNumber)].keyName) +
               ": \"" + s.value + "\" matches no option on this ESC";
    }
    return {};
}

std::vector<SeriesChange> changesBetween(const SettingsTexts& before, const SettingsTexts& after) {
    std::vector<SeriesChange> changes;
    for (const EscParameter& p : parameterTable()) {
        const auto k = static_cast<std::size_t>(p.keyNumber);
        if (before[k] != after[k]) changes.push_back({p.keyName, before[k], after[k]});
    }
    return changes;
}

std::string familyWords(EscFamily family) {
    return std::string(family == EscFamily::Expert ? "an " : "a ") + escFamilyName(family) + " ESC";
}

}  // namespace

const char* seriesResultName(SeriesResult result) {
    switch (result) {
        case SeriesResult::Verified: return "written and verified";
        case SeriesResult::AlreadyEqual: return "already equal";
        case SeriesResult::Refused: return "refused";
        case SeriesResult::Failed: return "failed";
    }
    return "failed";
}

SeriesValues seriesValuesFromFile(const std::filesystem::path& file) {
    SeriesValues values;
    const std::optional<SheetPlace> sheet = sheetPlaceOf(file);
    values.description =
        sheet ? "setup sheet " +
                    (sheet->category.empty() ? sheet->title : sheet->category + "/" + sheet->title)
              : "settings file " + file.filename().string();
    values.name = file.stem().string();
    values.family = sheetFamily(file);
    values.apply = [file](ParameterLists& lists) { return importSettingsFile(lists, file); };
    return values;
}

SeriesValues seriesValuesFromRecord(const HistoryRecord& record) {
    SeriesValues values;
    values.description = "record #" + std::to_string(record.id);
    values.name = "record " + std::to_string(record.id);
    for (EscFamily family : {EscFamily::Expert, EscFamily::Stock, EscFamily::Blinky}) {
        if (record.family == escFamilyName(family)) values.family = family;
    }
    values.apply = [record](ParameterLists& lists) { return applyRecordedSettings(lists, record); };
    return values;
}

SeriesValues seriesValuesFromTexts(const SettingsTexts& texts, EscFamily family,
                                   const std::string& description) {
    HistoryRecord record;
    record.settings = texts;
    SeriesValues values;
    values.description = description;
    values.family = family;
    values.apply = [record](ParameterLists& lists) { return applyRecordedSettings(lists, record); };
    return values;
}

WriteSeries::WriteSeries(SeriesValues values, std::string name, HistorySink* history)
    : values_(std::move(values)), name_(std::move(name)), history_(history) {}

SeriesRow& WriteSeries::refuse(SeriesRow& row, std::string reason) {
    row.result = SeriesResult::Refused;
    row.reason = std::move(reason);
    row.changes.clear();
    return row;
}

const SeriesRow& WriteSeries::serve(UsbUart& link, const EscInfo& info,
                                    const SeriesServeOptions& options) {
    rows_.emplace_back();
    SeriesRow& row = rows_.back();
    row.number = static_cast<int>(rows_.size());
    row.time = historyTimeNow();
    row.info = info;
    FirmwareIdentity identity;
    identity.storeEscInfo(info);
    identity.showDeviceInfo(FirmwareTarget::Esc);
    row.model = identity.escModelName();
    row.firmware = identity.escFirmware();

    const EscFamily family = escFamilyFromTypeCode(info[kEscInfoTypeCode]);
    if (family == EscFamily::Unlisted) {
        return refuse(row, "unknown ESC type code " + std::to_string(info[kEscInfoTypeCode]));
    }
    if (values_.family && *values_.family != family) {
        return refuse(row, "the values are for " + familyWords(*values_.family) + "; this is " +
                               familyWords(family));
    }
    ParameterLists lists;
    FillOptionLists(lists, family, escVersionText(info[kEscInfoEscVersion]));
    SettingsFrame frame{};
    if (!readSettings(link, frame) || !acceptSettingsBlock(lists, frame.data(), frame.size())) {
        row.result = SeriesResult::Failed;
        row.reason = "its settings could not be read";
        return row;
    }
    const SettingsTexts held = selectedSettingsTexts(lists);
    const SettingsImport imported = values_.apply(lists);
    // A file that went or broke since the start would otherwise read as "already equal".
    if (imported.status != SettingsFileStatus::Ok)
        return refuse(row, "the values could not be read: " + values_.description);
    if (std::string unmatched = unmatchedValue(imported); !unmatched.empty())
        return refuse(row, std::move(unmatched));
    // A settings file names no family: the series writes it onto ESCs of the first one's.
    if (!values_.family) values_.family = family;
    row.changes = changesBetween(held, selectedSettingsTexts(lists));
    if (!anySettingDiffersFromEsc(lists) && UnlistedRegisterChanges(lists).empty()) {
        row.result = SeriesResult::AlreadyEqual;
        return row;
    }

    lists.origin = {ValuesSource::Series, name_, false};
    SettingsWriteOptions write;
    write.verify = true;
    write.stop = options.stop;
    write.progress = options.progress;
    write.history = history_;
    write.identity = &identity;
    const SettingsWriteReport report = writeSettingsOf(link, lists, write);
    row.result = report.outcome == SettingsWriteOutcome::Verified ? SeriesResult::Verified
                                                                  : SeriesResult::Failed;
    row.reason = settingsWriteMessage(report);
    return row;
}

bool WriteSeries::anyFailed() const {
    for (const SeriesRow& row : rows_)
        if (row.result == SeriesResult::Failed) return true;
    return false;
}

bool WriteSeries::anyRefused() const {
    for (const SeriesRow& row : rows_)
        if (row.result == SeriesResult::Refused) return true;
    return false;
}

std::string defaultSeriesName(const std::string& valuesName, const std::string& isoDate) {
    return valuesName.empty() ? "series " + isoDate : valuesName + " " + isoDate;
}

}  // namespace orvek
