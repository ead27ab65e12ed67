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

// Each version's records table as PRAGMA table_info describes it, one column a text: name,
// declared type, NOT NULL, default and primary key. A column of the right name but another kind
// (an id that is no longer the row's number, say) is as much damage as a missing one.
const std::set<std::string>& columnsOf(std::int64_t version) {
    static const std::set<std::string> first = {
        "id|INTEGER|0||1",      "time|TEXT|1||0",       "kind|TEXT|1||0",
        "program|TEXT|1|''|0",  "info|BLOB|0||0",       "model|TEXT|1|''|0",
        "family|TEXT|1|''|0",   "firmware|TEXT|1|''|0", "block|BLOB|0||0",
        "settings|TEXT|1|''|0", "source|TEXT|1|''|0",   "source_detail|TEXT|1|''|0",
        "note|TEXT|1|''|0",     "image|TEXT|1|''|0",    "image_size|INTEGER|1|0|0",
        "target|TEXT|1|''|0",   "result|TEXT|1|''|0"};
    static const std::set<std::string> second = [] {
        std::set<std::string> columns = first;
        columns.insert("edited|INTEGER|1|0|0");
        return columns;
    }();
    return version >= 2 ? second : first;
}

// Each version's objects in sqlite_master, as "type name": nothing else may lie in a file of
// ours, since a trigger or an index of another's making would change what an insert does.
const std::set<std::string>& objectsOf(std::int64_t version) {
    static const std::set<std::string> first = {"table schema_version", "table records",
                                                "table sqlite_sequence"};
    static const std::set<std::string> second = [] {
        std::set<std::string> objects = first;
        objects.insert("index records_by_model");
        return objects;
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
    std::set<std::string> objects;
    for (const auto& row : rows) objects.insert(row[0] + " " + row[1]);
    const auto has = [&objects](const std::string& object) { return objects.count(object) > 0; };
    const bool hasRecords = has("table records");
    if (!has("table schema_version")) {
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
        if (!queryRows(db,
                       "SELECT name, type, \"notnull\", ifnull(dflt_value, ''), pk"
                       " FROM pragma_table_info('records')",
                       rows, code))
            return code;
        for (const auto& row : rows)
            columns.insert(row[0] + "|" + row[1] + "|" + row[2] + "|" + row[3] + "|" + row[4]);
    }
    if (version == 0) {
        // Only a start that has not yet run its first step; ours commit it in one go.
        const bool started = objects == std::set<std::string>{"table schema_version"};
        state = started ? SchemaState{SchemaVerdict::Older, 0, {}}
                        : damaged("its schema version 0 has tables");
        return SQLITE_OK;
    }
    const std::int64_t known = std::min<std::int64_t>(version, kHistorySchemaVersion);
    const std::set<std::string>& expected = columnsOf(known);
    if (version > kHistorySchemaVersion) {
        // A newer program only adds: it still holds every column and object this one uses.
        const bool holdsOurs =
            std::includes(columns.begin(), columns.end(), expected.begin(), expected.end()) &&
            std::includes(objects.begin(), objects.end(), objectsOf(known).begin(),
                          objectsOf(known).end());
        state = holdsOurs ? SchemaState{SchemaVerdict::Newer, version, {}}
                          : damaged("its " + named + " lacks the records this program reads");
        return SQLITE_OK;
    }
    if (columns != expected || objects != objectsOf(version)) {
        state = damaged("its tables are not those of its " + named);
        return SQLITE_OK;
    }
    if (version >= 2) {
        // The model index as the second step made it: on (model, id), and not unique.
        if (!queryRows(db,
                       "SELECT (SELECT group_concat(name) FROM (SELECT name FROM"
                       " pragma_index_info('records_by_model') ORDER BY seqno)),"
                       " (SELECT \"unique\" FROM pragma_index_list('records')"
                       "  WHERE name = 'records_by_model')",
                       rows, code))
            return code;
        if (rows.size() != 1 || rows[0][0] != "model,id" || rows[0][1] != "0") {
            state = damaged("its model index is not the one its " + named + " has");
            return SQLITE_OK;
        }
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
