// The records of the history: adding one (and pruning beyond the bound), listing, finding, a
// note, the count; and how a record's row is written and read back.
#include <sqlite3.h>

#include <array>
#include <string>
#include <vector>

#include "history/HistoryStatement.h"
#include "history/HistoryStore.h"

namespace orvek {

namespace {

std::string joinSettings(const std::array<std::string, kParameterCount>& settings) {
    std::string joined;
    for (std::size_t k = 0; k < settings.size(); ++k) {
        if (k) joined += '\n';
        for (char c : settings[k]) joined += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return joined;
}

std::array<std::string, kParameterCount> splitSettings(const std::string& joined) {
    std::array<std::string, kParameterCount> settings;
    std::size_t k = 0;
    for (char c : joined) {
        if (c == '\n') {
            if (++k == settings.size()) break;
        } else {
            settings[k] += c;
        }
    }
    return settings;
}

// False for a row this program could not have written (a damaged or edited file): a kind or
// source it does not know, or a value of another type than it writes (a model stored as bytes
// is never found by a search for its text).
bool readRow(const Statement& row, HistoryRecord& record) {
    for (int column = 0; column < 18; ++column) {
        const int type = row.type(column);
        const bool fits = column == 4 || column == 8 ? type == SQLITE_BLOB || type == SQLITE_NULL
                          : column == 0 || column == 12 || column == 15 ? type == SQLITE_INTEGER
                                                                        : type == SQLITE_TEXT;
        if (!fits) return false;
    }
    const auto kind = historyKindFromName(row.text(2));
    const auto source = valuesSourceFromName(row.text(10));
    if (!kind || !source) return false;
    record = HistoryRecord{};
    record.id = row.number(0);
    record.time = row.text(1);
    record.kind = *kind;
    record.program = row.text(3);
    const std::vector<std::uint8_t> info = row.blob(4);
    for (std::size_t i = 0; i < info.size() && i < record.info.size(); ++i)
        record.info[i] = info[i];
    record.model = row.text(5);
    record.family = row.text(6);
    record.firmware = row.text(7);
    record.block = row.blob(8);
    record.settings = splitSettings(row.text(9));
    record.origin.source = *source;
    record.origin.detail = row.text(11);
    record.origin.edited = row.number(12) != 0;
    record.note = row.text(13);
    record.image = row.text(14);
    record.imageSize = row.number(15);
    record.target = row.text(16);
    record.result = row.text(17);
    return true;
}

}  // namespace

HistoryStatus HistoryStore::add(HistoryRecord& record) {
    if (record.time.empty()) record.time = historyTimeNow();
    record.note = historyNote(record.note);
    movedAside_.clear();
    movedForeign_ = false;
    if (const HistoryStatus opened = ensureOpen(HistoryAccess::Record); opened != HistoryStatus::Ok)
        return opened;
    HistoryStatus status = insert(record);
    if (damaged_) {
        const std::filesystem::path earlier = movedAside_;
        const bool earlierForeign = movedForeign_;
        close();
        status = moveAside();
        if (status == HistoryStatus::Ok) status = openOnce(HistoryAccess::Record);
        if (status == HistoryStatus::Ok) status = insert(record);
        if (movedAside_.empty()) {
            movedAside_ = earlier;
            movedForeign_ = earlierForeign;
        }
    }
    return status;
}

HistoryStatus HistoryStore::insert(HistoryRecord& record) {
    sqlite3* db = db_.get();
    if (const HistoryStatus begun = beginWrite(); begun != HistoryStatus::Ok) return begun;
    {
        Statement put(db,
                      "INSERT INTO records(time, kind, program, info, model, family, firmware,"
                      " block, settings, source, source_detail, edited, note, image, image_size,"
                      " target, result) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        if (put.status() != SQLITE_OK) return rollBack(put.status());
        put.bind(1, record.time);
        put.bind(2, std::string(historyKindName(record.kind)));
        put.bind(3, record.program);
        put.bindBlob(4, record.info.data(), record.info.size());
        put.bind(5, record.model);
        put.bind(6, record.family);
        put.bind(7, record.firmware);
        put.bindBlob(8, record.block.data(), record.block.size());
        put.bind(9, record.holdsSettings() ? joinSettings(record.settings) : std::string());
        put.bind(10, std::string(valuesSourceName(record.origin.source)));
        put.bind(11, record.origin.detail);
        put.bind(12, static_cast<std::int64_t>(record.origin.edited ? 1 : 0));
        put.bind(13, record.note);
        put.bind(14, record.image);
        put.bind(15, record.imageSize);
        put.bind(16, record.target);
        put.bind(17, record.result);
        if (const int stepped = put.step(); stepped != SQLITE_DONE) return rollBack(stepped);
        record.id = sqlite3_last_insert_rowid(db);
    }
    {
        // Everything older than the newest keptRecords_ goes, in the insert's own transaction.
        // Numbers are given in order under the write lock and only the oldest records are ever
        // removed, so the newest keptRecords_ are the last keptRecords_ numbers: a bound found
        // from the newest number costs a lookup, where counting back through the rows (OFFSET)
        // read every page of a full history at each insert.
        Statement prune(db, "DELETE FROM records WHERE id <= (SELECT max(id) FROM records) - ?");
        if (prune.status() != SQLITE_OK) return rollBack(prune.status());
        prune.bind(1, static_cast<std::int64_t>(keptRecords_));
        if (const int stepped = prune.step(); stepped != SQLITE_DONE) return rollBack(stepped);
    }
    if (const int done = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr); done != SQLITE_OK)
        return rollBack(done);
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::list(const std::string& model, std::size_t limit,
                                 std::vector<HistoryRecord>& records, ModelMatch match) {
    records.clear();
    const HistoryStatus opened = ensureOpen(HistoryAccess::Read);
    if (opened == HistoryStatus::NotFound) return HistoryStatus::Ok;  // nothing recorded yet
    if (opened != HistoryStatus::Ok) return opened;
    if (version_ == 0) return HistoryStatus::Ok;
    const std::string sql =
        std::string("SELECT ") + recordColumns(version_) + " FROM records" +
        (model.empty()                ? ""
         : match == ModelMatch::Exact ? " WHERE model = ?1"
                                      // SQLite's lower() folds ASCII only. Byte for byte:
                                      // as text, instr steps over whole characters and misses
                                      // a part that starts inside a stray byte's run.
                                      : " WHERE instr(CAST(lower(model) AS BLOB),"
                                        " CAST(lower(?1) AS BLOB))") +
        " ORDER BY id DESC LIMIT ?2";
    Statement query(db_.get(), sql.c_str());
    if (query.status() != SQLITE_OK) return failure(query.status());
    if (!model.empty()) query.bind(1, model);
    query.bind(2, limit == 0 ? std::int64_t{-1} : static_cast<std::int64_t>(limit));
    for (;;) {
        const int stepped = query.step();
        if (stepped == SQLITE_DONE) break;
        if (stepped != SQLITE_ROW) return failure(stepped);
        HistoryRecord record;
        if (readRow(query, record)) records.push_back(std::move(record));
    }
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::find(std::int64_t id, HistoryRecord& record) {
    if (const HistoryStatus opened = ensureOpen(HistoryAccess::Read); opened != HistoryStatus::Ok)
        return opened;
    if (version_ == 0) return HistoryStatus::NotFound;
    const std::string sql =
        std::string("SELECT ") + recordColumns(version_) + " FROM records WHERE id = ?";
    Statement query(db_.get(), sql.c_str());
    if (query.status() != SQLITE_OK) return failure(query.status());
    query.bind(1, id);
    const int stepped = query.step();
    if (stepped == SQLITE_DONE) return HistoryStatus::NotFound;
    if (stepped != SQLITE_ROW) return failure(stepped);
    if (!readRow(query, record)) {
        lastError_ = "record " + std::to_string(id) + " is not readable";
        return HistoryStatus::Failed;
    }
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::setNote(std::int64_t id, const std::string& note) {
    if (const HistoryStatus opened = ensureOpen(HistoryAccess::Change); opened != HistoryStatus::Ok)
        return opened;
    if (version_ == 0) return HistoryStatus::NotFound;
    Statement update(db_.get(), "UPDATE records SET note = ? WHERE id = ?");
    if (update.status() != SQLITE_OK) return failure(update.status());
    update.bind(1, historyNote(note));
    update.bind(2, id);
    if (const int stepped = update.step(); stepped != SQLITE_DONE) return failure(stepped);
    return sqlite3_changes(db_.get()) == 0 ? HistoryStatus::NotFound : HistoryStatus::Ok;
}

HistoryStatus HistoryStore::count(std::int64_t& records) {
    records = 0;
    const HistoryStatus opened = ensureOpen(HistoryAccess::Read);
    if (opened == HistoryStatus::NotFound) return HistoryStatus::Ok;
    if (opened != HistoryStatus::Ok) return opened;
    if (version_ == 0) return HistoryStatus::Ok;
    Statement query(db_.get(), "SELECT count(*) FROM records");
    if (query.status() != SQLITE_OK) return failure(query.status());
    const int stepped = query.step();
    if (stepped != SQLITE_ROW) return failure(stepped);
    records = query.number(0);
    return HistoryStatus::Ok;
}

}  // namespace orvek
