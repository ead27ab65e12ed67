// history: the settings history from a terminal. Listing, one record in full, a note, a
// record's settings written back into the ESC (through the write's own path) or saved as a
// settings file.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "SettingsHistory.h"
#include "SettingsWrite.h"
#ifdef ORVEK_WITH_HISTORY
#include "history/HistoryStore.h"
#include "history/SettingsRecords.h"
#include "settings/SettingsFile.h"
#endif

namespace orvek::cli {

#ifndef ORVEK_WITH_HISTORY

int runHistory(const GlobalOptions&, const Console& console, const HistoryOptions&) {
    return console.fail(kExitFailure, "this build keeps no settings history (it has no SQLite)");
}

int settingsRecordFromArgument(const Console& console, const std::string&, HistoryRecord&) {
    return console.fail(kExitFailure, "this build keeps no settings history (it has no SQLite)");
}

#else

namespace {

std::string hexBytes(const std::uint8_t* data, std::size_t size) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", data[i]);
        text += byte;
    }
    return text;
}

std::string sourceText(const HistoryRecord& r) {
    const std::string text = originText(r.origin);
    return text.empty() ? "unknown" : terminalText(text);
}

// "ORVEK ARC, Expert V1.30", or what of it is known.
std::string deviceText(const HistoryRecord& r) {
    const std::string model = terminalText(r.model);
    const std::string firmware = terminalText(r.firmware);
    if (model.empty() && firmware.empty()) return "unidentified device";
    if (model.empty()) return firmware;
    if (firmware.empty()) return model;
    return model + ", " + firmware;
}

// A whole number of at most `maxDigits` decimal digits, nothing else; nothing for any other text.
std::optional<std::int64_t> wholeNumber(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::int64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

// "12" or "#12", as the listing shows a record's number.
std::optional<std::int64_t> recordNumber(std::string_view text) {
    if (!text.empty() && text[0] == '#') text.remove_prefix(1);
    const auto number = wholeNumber(text, 18);
    if (!number || *number == 0) return std::nullopt;
    return number;
}

// A count of records, 0 for all.
std::optional<std::size_t> recordCount(std::string_view text) {
    const auto count = wholeNumber(text, 9);
    if (!count) return std::nullopt;
    return static_cast<std::size_t>(*count);
}

// "\"ab\"", with what a terminal would act on escaped.
std::string quoted(const std::string& text) { return "\"" + terminalText(text) + "\""; }

// What happened, in a few words: "read", "write (file /home/racer/race.cfg)", "update of the
// ESC with V1.40.kfw: finished". The source is named where the kind does not say it.
std::string eventText(const HistoryRecord& r) {
    switch (r.kind) {
        case HistoryKind::Read: return "read";
        case HistoryKind::Backup: return "backup read before an update";
        case HistoryKind::Defaults: return "defaults";
        case HistoryKind::Write: return "write (" + sourceText(r) + ")";
        case HistoryKind::Update: break;
    }
    return std::string("update of the ") + (r.target == "card" ? "program card" : "ESC") +
           " with " + terminalText(r.image) + ": " + terminalText(r.result);
}

Json summaryJson(const HistoryRecord& r) {
    Json j;
    j["id"] = r.id;
    j["time"] = r.time;
    j["kind"] = historyKindName(r.kind);
    j["program"] = r.program;
    j["model"] = r.model;
    j["family"] = r.family;
    j["firmware"] = r.firmware;
    if (r.holdsSettings()) {
        j["source"] = valuesSourceName(r.origin.source);
        j["sourceDetail"] = r.origin.detail;
        j["edited"] = r.origin.edited;
    } else {
        j["image"] = r.image;
        j["imageSize"] = r.imageSize;
        j["target"] = r.target;
        j["result"] = r.result;
    }
    j["note"] = r.note;
    return j;
}

Json recordJson(const HistoryRecord& r) {
    Json j = summaryJson(r);
    j["info"] = Json::array();
    for (std::uint8_t b : r.info) j["info"].push_back(static_cast<int>(b));
    if (!r.holdsSettings()) return j;
    j["block"] = Json::array();
    for (std::uint8_t b : r.block) j["block"].push_back(static_cast<int>(b));
    Json settings = Json::object();
    for (const EscParameter& p : parameterTable())
        settings[p.keyName] = r.settings[static_cast<std::size_t>(p.keyNumber)];
    j["settings"] = std::move(settings);
    return j;
}

// The line for a history that cannot be read; exit code kExitFailure.
int historyProblem(const Console& console, HistoryStatus status, const HistoryStore& store) {
    switch (status) {
        case HistoryStatus::Busy:
            return console.fail(kExitFailure,
                                "the settings history is locked by another program; try again");
        case HistoryStatus::NewerSchema:
        case HistoryStatus::LinkOutside:
            return console.fail(kExitFailure, cliLine(historyNotice(status, store)));
        default:
            return console.fail(kExitFailure, "cannot read the settings history " +
                                                  fileText(store.file()) + ": " +
                                                  store.lastError());
    }
}

// The line for a note that could not be kept; exit code kExitFailure.
int noteProblem(const Console& console, HistoryStatus status, const HistoryStore& store) {
    if (status == HistoryStatus::CannotOpen) {
        return console.fail(kExitFailure, "cannot write the note into the settings history " +
                                              fileText(store.file()) + ": " + store.lastError());
    }
    return historyProblem(console, status, store);
}

// A damaged file found while reading was moved aside: said as a recording says it.
void tellMovedAside(const Console& console, const HistoryStore& store) {
    if (!store.movedAside().empty())
        console.note("orvek-cli: warning: " + cliLine(historyNotice(HistoryStatus::Ok, store)));
}

// The record asked for, or an exit code after saying why there is none.
int findRecord(const Console& console, HistoryStore& store, std::int64_t id,
               HistoryRecord& record) {
    const HistoryStatus status = store.find(id, record);
    tellMovedAside(console, store);
    if (status == HistoryStatus::NotFound) {
        return console.fail(kExitBadInput,
                            "no record #" + std::to_string(id) + " in the settings history");
    }
    if (status != HistoryStatus::Ok) return historyProblem(console, status, store);
    return kExitOk;
}

int settingsRecordOnly(const Console& console, const HistoryRecord& record) {
    if (record.holdsSettings()) return kExitOk;
    return console.fail(kExitBadInput, "record #" + std::to_string(record.id) +
                                           " is a firmware update; it holds no settings");
}

int list(const Console& console, const HistoryOptions& options) {
    const std::optional<std::size_t> limit = recordCount(options.limitText);
    if (!limit) {
        return console.fail(kExitUsage, "--limit takes a number of records (0 for all), not " +
                                            quoted(options.limitText));
    }
    HistoryStore store(defaultHistoryFile());
    std::vector<HistoryRecord> records;
    const HistoryStatus status =
        store.list(options.model, *limit, records, HistoryStore::ModelMatch::Part);
    tellMovedAside(console, store);
    if (status != HistoryStatus::Ok) return historyProblem(console, status, store);
    Json j;
    j["records"] = Json::array();
    // The numbers right-aligned, the newest (the widest) first.
    const std::size_t width = records.empty() ? 0 : std::to_string(records.front().id).size();
    for (const HistoryRecord& r : records) {
        const std::string number = std::to_string(r.id);
        console.out(std::string(width - std::min(width, number.size()), ' ') + "#" + number + "  " +
                    terminalText(r.time) + "  " + terminalText(r.program) + "  " + deviceText(r) +
                    "  " + eventText(r) + (r.note.empty() ? "" : "  " + quoted(r.note)));
        j["records"].push_back(summaryJson(r));
    }
    if (records.empty()) {
        console.out(options.model.empty() ? "no records in the settings history"
                                          : "no records of a model holding " +
                                                quoted(options.model) + " in the settings history");
    }
    console.document(j);
    return kExitOk;
}

int show(const Console& console, std::int64_t id) {
    HistoryStore store(defaultHistoryFile());
    HistoryRecord r;
    if (const int code = findRecord(console, store, id, r)) return code;
    console.out("record   #" + std::to_string(r.id));
    console.out("time     " + terminalText(r.time));
    console.out(std::string("kind     ") + historyKindName(r.kind));
    console.out("program  " + terminalText(r.program));
    console.out("model    " + terminalText(r.model));
    console.out("family   " + terminalText(r.family));
    console.out("firmware " + terminalText(r.firmware));
    console.out("info     " + hexBytes(r.info.data(), r.info.size()));
    if (r.holdsSettings()) {
        console.out("source   " + sourceText(r));
        console.out("block    " + hexBytes(r.block.data(), r.block.size()));
    } else {
        console.out("image    " + terminalText(r.image) + " (" + std::to_string(r.imageSize) +
                    " bytes)");
        console.out("target   " + std::string(r.target == "card" ? "program card" : "ESC"));
        console.out("result   " + terminalText(r.result));
    }
    console.out("note     " + terminalText(r.note));
    if (r.holdsSettings()) {
        for (const EscParameter& p : parameterTable()) {
            console.out(std::string(p.keyName) + " = " +
                        terminalText(r.settings[static_cast<std::size_t>(p.keyNumber)]));
        }
    }
    console.document(recordJson(r));
    return kExitOk;
}

int note(const Console& console, std::int64_t id, const HistoryOptions& options) {
    HistoryStore store(defaultHistoryFile());
    const HistoryStatus status = store.setNote(id, options.text);
    tellMovedAside(console, store);
    if (status == HistoryStatus::NotFound) {
        return console.fail(kExitBadInput,
                            "no record #" + std::to_string(id) + " in the settings history");
    }
    if (status != HistoryStatus::Ok) return noteProblem(console, status, store);
    const std::string kept = historyNote(options.text);
    console.out("note of record #" + std::to_string(id) + ": " +
                (kept.empty() ? "(none)" : terminalText(kept)));
    Json j;
    j["id"] = id;
    j["note"] = kept;
    console.document(j);
    return kExitOk;
}

int restore(const GlobalOptions& global, const Console& console, std::int64_t number,
            const HistoryOptions& options) {
    HistoryRecord record;
    {
        HistoryStore store(defaultHistoryFile());
        if (const int code = findRecord(console, store, number, record)) return code;
    }
    if (const int code = settingsRecordOnly(console, record)) return code;

    return withEscSettings(
        global, console, [&](Session& session, EscIdentity& id, ParameterLists& lists) {
            if (record.family != escFamilyName(id.family)) {
                return console.fail(
                    kExitTransfer,
                    "record #" + std::to_string(record.id) + " holds settings of the " +
                        (record.family.empty() ? "unknown" : terminalText(record.family)) +
                        " family; the attached ESC is " + describe(id) + "; nothing sent");
            }
            const Texts before = selectedTexts(lists);
            const SettingsImport applied = applyRecordedSettings(lists, record);
            Json j;
            identityJson(j, session, id);
            j["record"] = record.id;
            showWarnings(console, importWarnings(applied, lists, id, "record"), j);
            return writeSelections(session, console, options.write, id, lists, before,
                                   {ValuesSource::History, "#" + std::to_string(record.id), false},
                                   j);
        });
}

int exportRecord(const Console& console, std::int64_t id, const HistoryOptions& options) {
    if (options.text.empty() || options.text.back() == '/') {
        return console.fail(kExitUsage,
                            "history export needs the settings file's name (or - for standard "
                            "output)");
    }
    const bool toStdout = options.text == "-";
    if (toStdout && console.json()) {
        return console.fail(kExitUsage,
                            "history export - and --json both use standard output; choose one");
    }
    HistoryRecord record;
    {
        HistoryStore store(defaultHistoryFile());
        if (const int code = findRecord(console, store, id, record)) return code;
    }
    if (const int code = settingsRecordOnly(console, record)) return code;
    if (toStdout) {
        std::fputs(settingsFileBytes(record.settings).c_str(), stdout);
        return std::fflush(stdout) == 0
                   ? kExitOk
                   : console.fail(kExitCannotWrite, "cannot write to standard output");
    }
    const std::filesystem::path path = settingsExportPath(fileArgument(options.text));
    std::error_code reason;
    if (exportSettingsFile(record.settings, path, &reason) != SettingsFileStatus::Ok) {
        return console.fail(kExitCannotWrite, "cannot write " + fileText(path) + ": " +
                                                  (reason ? reason.message() : "not a file"));
    }
    console.out("record #" + std::to_string(record.id) + " saved to " + fileText(path));
    Json j;
    j["id"] = record.id;
    j["saved"] = fileText(path);
    console.document(j);
    return kExitOk;
}

}  // namespace

namespace {

int notARecordNumber(const Console& console, const std::string& idText) {
    return console.fail(kExitUsage,
                        quoted(idText) + " is not a record number; history lists them (#12 or 12)");
}

}  // namespace

int settingsRecordFromArgument(const Console& console, const std::string& idText,
                               HistoryRecord& record) {
    const std::optional<std::int64_t> id = recordNumber(idText);
    if (!id) return notARecordNumber(console, idText);
    HistoryStore store(defaultHistoryFile());
    if (const int code = findRecord(console, store, *id, record)) return code;
    return settingsRecordOnly(console, record);
}

int runHistory(const GlobalOptions& global, const Console& console, const HistoryOptions& options) {
    if (options.action == HistoryAction::List) return list(console, options);
    const std::optional<std::int64_t> id = recordNumber(options.idText);
    if (!id) return notARecordNumber(console, options.idText);
    switch (options.action) {
        case HistoryAction::List: break;
        case HistoryAction::Show: return show(console, *id);
        case HistoryAction::Note: return note(console, *id, options);
        case HistoryAction::Restore: return restore(global, console, *id, options);
        case HistoryAction::Export: return exportRecord(console, *id, options);
    }
    return kExitUsage;
}

#endif

}  // namespace orvek::cli
