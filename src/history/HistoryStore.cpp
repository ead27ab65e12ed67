#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "platform/UserFolders.h"

namespace orvek {

namespace {

// "ORVK": a file of ours, told from any other SQLite database that lies at the same path.
constexpr int kApplicationId = 0x4F52564B;

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
static_assert(sizeof kMigrations / sizeof kMigrations[0] == HistoryStore::kSchemaVersion,
              "one migration step per schema version");

constexpr const char* kColumns =
    "id, time, kind, program, info, model, family, firmware, block, settings, source,"
    " source_detail, edited, note, image, image_size, target, result";

// A prepared statement, finalized with its owner.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        status_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int status() const { return status_; }
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void bind(int index, std::int64_t number) { sqlite3_bind_int64(stmt_, index, number); }
    void bindBlob(int index, const std::uint8_t* data, std::size_t size) {
        sqlite3_bind_blob(stmt_, index, data, static_cast<int>(size), SQLITE_TRANSIENT);
    }
    int step() { return sqlite3_step(stmt_); }

    std::string text(int column) const {
        const auto* data = sqlite3_column_text(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return data ? std::string(reinterpret_cast<const char*>(data),
                                  static_cast<std::size_t>(size))
                    : std::string();
    }
    std::int64_t number(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::vector<std::uint8_t> blob(int column) const {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
        const int size = sqlite3_column_bytes(stmt_, column);
        if (!data || size <= 0) return {};
        return {data, data + size};
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int status_ = SQLITE_OK;
};

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

// False for a row this program could not have written (a damaged or edited file).
bool readRow(const Statement& row, HistoryRecord& record) {
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

bool isDamage(int code) {
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

}  // namespace

std::filesystem::path defaultHistoryFile() {
    if (const auto data = userDataFolder()) return *data / "history.sqlite";
    return {};
}

void HistoryStore::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

HistoryStore::HistoryStore(std::filesystem::path file, std::size_t keptRecords)
    : file_(std::move(file)), keptRecords_(keptRecords) {}

HistoryStore::~HistoryStore() = default;

void HistoryStore::close() { db_.reset(); }

HistoryStatus HistoryStore::failure(int code) {
    lastError_ = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(code);
    const int systemError = db_ ? sqlite3_system_errno(db_.get()) : 0;
    if (systemError != 0) lastError_ += std::string(" (") + std::strerror(systemError) + ")";
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return HistoryStatus::Busy;
        case SQLITE_FULL: return HistoryStatus::Full;
        case SQLITE_IOERR:
            // A file that may not grow fails its write as a full disk does.
            if (systemError == ENOSPC || systemError == EFBIG) return HistoryStatus::Full;
            return HistoryStatus::Failed;
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_READONLY:
        case SQLITE_AUTH: return HistoryStatus::CannotOpen;
        default:
            if (isDamage(code)) damaged_ = true;
            return HistoryStatus::Failed;
    }
}

HistoryStatus HistoryStore::open(bool create) {
    movedAside_.clear();
    HistoryStatus status = openOnce(create);
    if (damaged_) {
        close();
        status = moveAside();
        if (status == HistoryStatus::Ok) status = openOnce(create);
    }
    if (status != HistoryStatus::Ok) close();
    return status;
}

HistoryStatus HistoryStore::openOnce(bool create) {
    damaged_ = false;
    close();
    if (file_.empty()) {
        lastError_ = "no user data folder (neither XDG_DATA_HOME nor HOME is set)";
        return HistoryStatus::CannotOpen;
    }
    std::error_code error;
    const std::filesystem::path folder = file_.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
        if (!create) return HistoryStatus::NotFound;
        std::filesystem::create_directories(folder, error);
        if (error) {
            lastError_ = error.message();
            return HistoryStatus::CannotOpen;
        }
    }
    // A link is followed only to a file in the same folder.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file_, error))) {
        const auto target = std::filesystem::weakly_canonical(file_, error);
        const auto home = std::filesystem::weakly_canonical(folder.empty() ? "." : folder, error);
        if (error || target.parent_path() != home) {
            lastError_ = "a symbolic link out of " + folder.string();
            return HistoryStatus::LinkOutside;
        }
    }
    if (!create && !std::filesystem::exists(file_, error)) return HistoryStatus::NotFound;

    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int opened = sqlite3_open_v2(file_.string().c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (opened != SQLITE_OK) return failure(opened);
    sqlite3_extended_result_codes(db_.get(), 1);
    sqlite3_busy_timeout(db_.get(), kBusyWaitMs);
    return prepareSchema();
}

HistoryStatus HistoryStore::prepareSchema() {
    sqlite3* db = db_.get();
    {
        // The whole check, indexes against rows included: a per-model list must not miss any.
        Statement check(db, "PRAGMA integrity_check(1)");
        if (check.status() != SQLITE_OK) return failure(check.status());
        const int stepped = check.step();
        if (stepped != SQLITE_ROW) return failure(stepped);
        if (check.text(0) != "ok") {
            damaged_ = true;
            lastError_ = "the file is damaged: " + check.text(0);
            return HistoryStatus::Failed;
        }
    }
    std::int64_t applicationId = 0;
    std::int64_t tables = 0;
    {
        Statement id(db, "PRAGMA application_id");
        if (id.status() != SQLITE_OK || id.step() != SQLITE_ROW)
            return failure(sqlite3_errcode(db));
        applicationId = id.number(0);
        Statement count(db, "SELECT count(*) FROM sqlite_master");
        if (count.status() != SQLITE_OK || count.step() != SQLITE_ROW)
            return failure(sqlite3_errcode(db));
        tables = count.number(0);
    }
    if (applicationId != kApplicationId && tables > 0) {
        damaged_ = true;
        lastError_ = "the file is another program's database";
        return HistoryStatus::Failed;
    }
    // Write-ahead logging: readers never wait for a writer, and a writer only for another.
    {
        Statement wal(db, "PRAGMA journal_mode=WAL");
        if (wal.status() != SQLITE_OK) return failure(wal.status());
        const int stepped = wal.step();
        if (stepped != SQLITE_ROW) return failure(stepped);
    }
    if (sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failure(sqlite3_errcode(db));

    const auto schemaVersion = [&](std::int64_t& version) {
        version = 0;
        Statement present(db, "SELECT 1 FROM sqlite_master WHERE name='schema_version'");
        if (present.status() != SQLITE_OK) return present.status();
        if (present.step() != SQLITE_ROW) return SQLITE_OK;
        Statement read(db, "SELECT max(version) FROM schema_version");
        if (read.status() != SQLITE_OK) return read.status();
        if (read.step() == SQLITE_ROW) version = read.number(0);
        return SQLITE_OK;
    };
    std::int64_t version = 0;
    if (const int read = schemaVersion(version); read != SQLITE_OK) return failure(read);
    if (version > kSchemaVersion) {
        lastError_ = "schema version " + std::to_string(version);
        return HistoryStatus::NewerSchema;
    }
    if (version == kSchemaVersion) return HistoryStatus::Ok;

    // The steps run under the write lock; another program may have run them meanwhile.
    if (const HistoryStatus begun = beginWrite(); begun != HistoryStatus::Ok) return begun;
    if (const int read = schemaVersion(version); read != SQLITE_OK) return rollBack(read);
    if (version == 0) {
        const std::string start = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                                  "; CREATE TABLE schema_version(version INTEGER NOT NULL);"
                                  " INSERT INTO schema_version VALUES(0);";
        if (const int made = sqlite3_exec(db, start.c_str(), nullptr, nullptr, nullptr);
            made != SQLITE_OK)
            return rollBack(made);
    }
    for (std::int64_t step = version; step < kSchemaVersion; ++step) {
        if (const int ran = sqlite3_exec(db, kMigrations[step], nullptr, nullptr, nullptr);
            ran != SQLITE_OK)
            return rollBack(ran);
    }
    const std::string mark =
        "UPDATE schema_version SET version=" + std::to_string(kSchemaVersion) + "; COMMIT";
    if (const int done = sqlite3_exec(db, mark.c_str(), nullptr, nullptr, nullptr);
        done != SQLITE_OK)
        return rollBack(done);
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::beginWrite() {
    const int begun = sqlite3_exec(db_.get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    return begun == SQLITE_OK ? HistoryStatus::Ok : failure(begun);
}

HistoryStatus HistoryStore::rollBack(int code) {
    const HistoryStatus status = failure(code);
    sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    return status;
}

HistoryStatus HistoryStore::moveAside() {
    const std::string base = file_.string() + ".damaged-" + utcTimeNow("%Y%m%dT%H%M%SZ");
    std::string aside = base;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(aside, error); ++n)
        aside = base + "-" + std::to_string(n);
    std::filesystem::rename(file_, aside, error);
    if (error) {
        lastError_ = "the file is damaged and could not be moved aside: " + error.message();
        return HistoryStatus::CannotOpen;
    }
    // Its log and index go with it, so that the new file never reads them.
    for (const char* suffix : {"-wal", "-shm"}) {
        const std::filesystem::path companion = file_.string() + suffix;
        if (std::filesystem::exists(companion, error))
            std::filesystem::rename(companion, aside + suffix, error);
    }
    movedAside_ = aside;
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::add(HistoryRecord& record) {
    if (record.time.empty()) record.time = historyTimeNow();
    record.note = historyNote(record.note);
    movedAside_.clear();
    if (!db_) {
        const HistoryStatus opened = open(true);
        if (opened != HistoryStatus::Ok) return opened;
    }
    HistoryStatus status = insert(record);
    if (damaged_) {
        const std::filesystem::path earlier = movedAside_;
        close();
        status = moveAside();
        if (status == HistoryStatus::Ok) status = openOnce(true);
        if (status == HistoryStatus::Ok) status = insert(record);
        if (movedAside_.empty()) movedAside_ = earlier;
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
                                 std::vector<HistoryRecord>& records) {
    records.clear();
    if (!db_) {
        const HistoryStatus opened = open(false);
        if (opened == HistoryStatus::NotFound) return HistoryStatus::Ok;  // nothing recorded yet
        if (opened != HistoryStatus::Ok) return opened;
    }
    const std::string sql = std::string("SELECT ") + kColumns + " FROM records" +
                            (model.empty() ? "" : " WHERE model = ?1") +
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
    if (!db_) {
        const HistoryStatus opened = open(false);
        if (opened != HistoryStatus::Ok) return opened;
    }
    const std::string sql = std::string("SELECT ") + kColumns + " FROM records WHERE id = ?";
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
    if (!db_) {
        const HistoryStatus opened = open(false);
        if (opened != HistoryStatus::Ok) return opened;
    }
    Statement update(db_.get(), "UPDATE records SET note = ? WHERE id = ?");
    if (update.status() != SQLITE_OK) return failure(update.status());
    update.bind(1, historyNote(note));
    update.bind(2, id);
    if (const int stepped = update.step(); stepped != SQLITE_DONE) return failure(stepped);
    return sqlite3_changes(db_.get()) == 0 ? HistoryStatus::NotFound : HistoryStatus::Ok;
}

HistoryStatus HistoryStore::count(std::int64_t& records) {
    records = 0;
    if (!db_) {
        const HistoryStatus opened = open(false);
        if (opened == HistoryStatus::NotFound) return HistoryStatus::Ok;
        if (opened != HistoryStatus::Ok) return opened;
    }
    Statement query(db_.get(), "SELECT count(*) FROM records");
    if (query.status() != SQLITE_OK) return failure(query.status());
    const int stepped = query.step();
    if (stepped != SQLITE_ROW) return failure(stepped);
    records = query.number(0);
    return HistoryStatus::Ok;
}

std::string historyNotice(HistoryStatus status, const HistoryStore& store) {
    const std::string file = store.file().string();
    switch (status) {
        case HistoryStatus::Ok:
            if (store.movedAside().empty()) return {};
            return "The settings history was damaged; it was moved aside to " +
                   store.movedAside().filename().string() + " and a new one started.";
        case HistoryStatus::CannotOpen:
            return "The settings history cannot be kept: " + file + " cannot be opened (" +
                   store.lastError() + ").";
        case HistoryStatus::Busy:
            return "The settings history is locked by another program; this was not recorded.";
        case HistoryStatus::Full:
            return "The settings history cannot grow: the disk is full; this was not recorded.";
        case HistoryStatus::NewerSchema:
            return "The settings history was written by a newer version of the program; it is "
                   "left as it is and nothing is recorded.";
        case HistoryStatus::LinkOutside:
            return "The settings history is not used: " + file +
                   " is a link that points outside its folder.";
        case HistoryStatus::NotFound: return "No such record in the settings history.";
        case HistoryStatus::Failed: break;
    }
    return "The settings history could not record this (" + store.lastError() + ").";
}

}  // namespace orvek
