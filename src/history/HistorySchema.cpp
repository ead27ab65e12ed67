#include "history/HistorySchema.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <vector>

namespace orvek {

namespace {

// "ORVK": a file of ours, told from any other SQLite database that lies at the same path.
constexpr int kApplicationId = 0x4F52564B;

// A version above ours is a newer program's only below this: each program version adds one
// step, and a number this far out was written by hand or by damage.
constexpr std::int64_t kHighestLikelyVersion = 999;

// Each step takes the schema from the version before it to its own number (index + 1).
constexpr const char* kMigrations[] = {
    // 1: the records.
    "CREATE TABLE records("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " time TEXT NOT NULL,"
    " kind TEXT NOT NULL,"
    " program TEXT NOT NULL DEFAULT '',"
    " info BLOB,"
    " model TEXT NOT NULL DEFAULT '',"
    " family TEXT NOT NULL DEFAULT '',"
    " firmware TEXT NOT NULL DEFAULT '',"
    " block BLOB,"
    " settings TEXT NOT NULL DEFAULT '',"
    " source TEXT NOT NULL DEFAULT '',"
    " source_detail TEXT NOT NULL DEFAULT '',"
    " note TEXT NOT NULL DEFAULT '',"
    " image TEXT NOT NULL DEFAULT '',"
    " image_size INTEGER NOT NULL DEFAULT 0,"
    " target TEXT NOT NULL DEFAULT '',"
    " result TEXT NOT NULL DEFAULT '');",
    // 2: whether picks followed the source, and the window's per-model list without a scan.
    "ALTER TABLE records ADD COLUMN edited INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX records_by_model ON records(model, id);",
};
static_assert(sizeof kMigrations / sizeof kMigrations[0] == kHistorySchemaVersion,
              "one migration step per schema version");

// The columns each version's records table has; what a step adds, in its order.
const std::set<std::string>& columnsOf(std::int64_t version) {
    static const std::set<std::string> first = {
        "id",     "time",     "kind",       "program",  "info",   "model",
        "family", "firmware", "block",      "settings", "source", "source_detail",
        "note",   "image",    "image_size", "target",   "result"};
    static const std::set<std::string> second = [] {
        std::set<std::string> columns = first;
        columns.insert("edited");
        return columns;
    }();
    return version >= 2 ? second : first;
}

// One statement's rows, each column as text ("" for NULL); false on SQLite's failure, with its
// code in `code`.
bool queryRows(sqlite3* db, const char* sql, std::vector<std::vector<std::string>>& rows,
               int& code) {
    rows.clear();
    sqlite3_stmt* statement = nullptr;
    code = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    if (code != SQLITE_OK) return false;
    for (;;) {
        code = sqlite3_step(statement);
        if (code != SQLITE_ROW) break;
        std::vector<std::string> row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            const auto* text = sqlite3_column_text(statement, c);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (code != SQLITE_DONE) return false;
    code = SQLITE_OK;
    return true;
}

// A whole decimal number as SQLite prints an INTEGER, within 64 bits.
bool parseVersion(const std::string& text, std::int64_t& version) {
    if (text.empty() || text.size() > 20) return false;
    std::size_t digits = text[0] == '-' ? 1 : 0;
    if (digits == text.size()) return false;
    if (!std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE) return false;
    version = value;
    return true;
}

SchemaState damaged(std::string reason) { return {SchemaVerdict::Damaged, 0, std::move(reason)}; }

}  // namespace

int readSchema(sqlite3* db, SchemaState& state) {
    std::vector<std::vector<std::string>> rows;
    int code = SQLITE_OK;
    if (!queryRows(db, "PRAGMA application_id", rows, code)) return code;
    const bool ours = !rows.empty() && rows[0][0] == std::to_string(kApplicationId);
    if (!queryRows(db, "SELECT type, name FROM sqlite_master", rows, code)) return code;
    if (rows.empty()) {
        state = {SchemaVerdict::Empty, 0, {}};
        return SQLITE_OK;
    }
    if (!ours) {
        state = {SchemaVerdict::Foreign, 0, "it is another program's database"};
        return SQLITE_OK;
    }
    const auto has = [&rows](const char* type, const char* name) {
        return std::any_of(rows.begin(), rows.end(), [&](const std::vector<std::string>& row) {
            return row[0] == type && row[1] == name;
        });
    };
    const bool hasRecords = has("table", "records");
    const bool hasIndex = has("index", "records_by_model");
    if (!has("table", "schema_version")) {
        state = damaged("it has no schema version");
        return SQLITE_OK;
    }
    if (!queryRows(db, "SELECT typeof(version), version FROM schema_version", rows, code))
        return code;
    if (rows.size() != 1) {
        state =
            damaged(rows.empty() ? "it has no schema version"
                                 : "it has " + std::to_string(rows.size()) + " schema versions");
        return SQLITE_OK;
    }
    std::int64_t version = 0;
    if (rows[0][0] != "integer" || !parseVersion(rows[0][1], version)) {
        state = damaged("its schema version is not a whole number");
        return SQLITE_OK;
    }
    const std::string named = "schema version " + std::to_string(version);
    if (version < 0) {
        state = damaged("its " + named + " is negative");
        return SQLITE_OK;
    }
    if (version > kHighestLikelyVersion) {
        state = damaged("its " + named + " is unknown");
        return SQLITE_OK;
    }
    std::set<std::string> columns;
    if (hasRecords) {
        if (!queryRows(db, "SELECT name FROM pragma_table_info('records')", rows, code))
            return code;
        for (const auto& row : rows) columns.insert(row[0]);
    }
    if (version == 0) {
        // Only a start that has not yet run its first step; ours commit it in one go.
        state = hasRecords ? damaged("its schema version 0 has records")
                           : SchemaState{SchemaVerdict::Older, 0, {}};
        return SQLITE_OK;
    }
    const std::set<std::string>& expected = columnsOf(std::min<std::int64_t>(version, 2));
    if (version > kHistorySchemaVersion) {
        // A newer program only adds: it still holds every column this one reads.
        const bool holdsOurs = hasRecords && std::includes(columns.begin(), columns.end(),
                                                           expected.begin(), expected.end());
        state = holdsOurs ? SchemaState{SchemaVerdict::Newer, version, {}}
                          : damaged("its " + named + " lacks the records this program reads");
        return SQLITE_OK;
    }
    if (!hasRecords || columns != expected || (version >= 2 && !hasIndex)) {
        state = damaged("its tables are not those of its " + named);
        return SQLITE_OK;
    }
    state = {version == kHistorySchemaVersion ? SchemaVerdict::Current : SchemaVerdict::Older,
             version,
             {}};
    return SQLITE_OK;
}

int migrateSchema(sqlite3* db, const SchemaState& state) {
    std::int64_t version = state.version;
    if (state.verdict == SchemaVerdict::Empty) {
        const std::string start = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                                  "; CREATE TABLE schema_version(version INTEGER NOT NULL);"
                                  " INSERT INTO schema_version VALUES(0);";
        if (const int made = sqlite3_exec(db, start.c_str(), nullptr, nullptr, nullptr);
            made != SQLITE_OK)
            return made;
        version = 0;
    } else if (state.verdict != SchemaVerdict::Older) {
        return SQLITE_MISUSE;
    }
    // The judgement bounds the version; the loop bounds it again so that no state indexes
    // outside the steps.
    for (std::int64_t step = std::max<std::int64_t>(version, 0); step < kHistorySchemaVersion;
         ++step) {
        if (const int ran = sqlite3_exec(db, kMigrations[step], nullptr, nullptr, nullptr);
            ran != SQLITE_OK)
            return ran;
    }
    const std::string mark =
        "UPDATE schema_version SET version=" + std::to_string(kHistorySchemaVersion);
    return sqlite3_exec(db, mark.c_str(), nullptr, nullptr, nullptr);
}

const char* recordColumns(std::int64_t version) {
    if (version >= 2) {
        return "id, time, kind, program, info, model, family, firmware, block, settings, source,"
               " source_detail, edited, note, image, image_size, target, result";
    }
    return "id, time, kind, program, info, model, family, firmware, block, settings, source,"
           " source_detail, 0, note, image, image_size, target, result";
}

}  // namespace orvek
