#include "history/HistoryStore.h"

#include <sqlite3.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

#include "platform/UserFolders.h"

namespace orvek {

namespace {

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
    int type(int column) const { return sqlite3_column_type(stmt_, column); }
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

bool isDamage(int code) {
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// 0 when this process may write `path`, else the errno that says why not.
int writeDenial(const std::filesystem::path& path) {
#ifdef _WIN32
    if (::_waccess(path.c_str(), 2) == 0) return 0;
#else
    if (::access(path.c_str(), W_OK) == 0) return 0;
#endif
    return errno;
}

// "a pipe", "a folder": what lies where the history's file should be.
const char* kindText(std::filesystem::file_type type) {
    switch (type) {
        case std::filesystem::file_type::directory: return "a folder";
        case std::filesystem::file_type::fifo: return "a pipe";
        case std::filesystem::file_type::socket: return "a socket";
        case std::filesystem::file_type::block:
        case std::filesystem::file_type::character: return "a device";
        default: return "not a regular file";
    }
}

// The path as an SQLite URI's path: everything but the unreserved characters and '/' escaped.
std::string uriPath(const std::filesystem::path& file) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (unsigned char c : file.generic_u8string()) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri;
}

std::filesystem::path companion(const std::filesystem::path& file, const char* suffix) {
    return file.string() + suffix;
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

HistoryStatus HistoryStore::open(HistoryAccess access) {
    movedAside_.clear();
    movedForeign_ = false;
    HistoryStatus status = openOnce(access);
    if (damaged_) {
        const bool foreign = foreign_;
        close();
        status = moveAside();
        if (status == HistoryStatus::Ok) {
            movedForeign_ = foreign;
            status = openOnce(access);
        }
    }
    if (status != HistoryStatus::Ok) close();
    return status;
}

HistoryStatus HistoryStore::ensureOpen(HistoryAccess access) {
    if (db_ && (access == HistoryAccess::Read || !readOnly_)) return HistoryStatus::Ok;
    return open(access);
}

HistoryStatus HistoryStore::openOnce(HistoryAccess access) {
    damaged_ = false;
    foreign_ = false;
    close();
    if (file_.empty()) {
        lastError_ = "no user data folder (neither XDG_DATA_HOME nor HOME is set)";
        return HistoryStatus::CannotOpen;
    }
    std::error_code error;
    const std::filesystem::path folder = file_.parent_path().empty() ? "." : file_.parent_path();
    if (!std::filesystem::is_directory(folder, error)) {
        if (access != HistoryAccess::Record) return HistoryStatus::NotFound;
        std::filesystem::create_directories(folder, error);
        if (error) {
            lastError_ = folder.string() + " cannot be made (" + error.message() + ")";
            return HistoryStatus::CannotOpen;
        }
    }
    // A link is followed only to a file in the same folder.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file_, error))) {
        const auto target = std::filesystem::weakly_canonical(file_, error);
        const auto home = std::filesystem::weakly_canonical(folder, error);
        if (error || target.parent_path() != home) {
            lastError_ = "a symbolic link out of " + folder.string();
            return HistoryStatus::LinkOutside;
        }
    }
    const std::filesystem::file_status found = std::filesystem::status(file_, error);
    if (std::filesystem::exists(found) && !std::filesystem::is_regular_file(found)) {
        lastError_ = std::string("it is ") + kindText(found.type()) + ", not a file";
        return HistoryStatus::CannotOpen;
    }
    const bool present = std::filesystem::exists(found);
    if (!present && access != HistoryAccess::Record) return HistoryStatus::NotFound;

    // Asked before SQLite is: opened for writing where it may not write, SQLite falls back to
    // reading and leaves its log and index behind, or names a missing file for a denied folder.
    const int folderDenied = writeDenial(folder);
    const int fileDenied = present ? writeDenial(file_) : 0;
    if (folderDenied != 0 || fileDenied != 0) {
        if (access == HistoryAccess::Read) return openReadOnly();
        lastError_ = folderDenied != 0 ? "no right to write in " + folder.string() + " (" +
                                             std::strerror(folderDenied) + ")"
                                       : std::string("the file may not be written (") +
                                             std::strerror(fileDenied) + ")";
        return HistoryStatus::CannotOpen;
    }
    // A full disk refuses the index SQLite makes beside the file, and leaves a stub of it that
    // breaks every later open until space returns: what this open made and no reader could
    // use (an index shorter than its 32-KiB header, a log without a byte) is cleared again, and
    // a reader then reads the file without them.
    const std::filesystem::path log = companion(file_, "-wal");
    const std::filesystem::path index = companion(file_, "-shm");
    const bool hadLog = std::filesystem::exists(log, error);
    const bool hadIndex = std::filesystem::exists(index, error);
    const HistoryStatus status = openReadWrite(access == HistoryAccess::Record);
    if (status == HistoryStatus::Ok || damaged_ || status == HistoryStatus::Busy ||
        status == HistoryStatus::NewerSchema)
        return status;
    close();
    if (!hadIndex && std::filesystem::file_size(index, error) < 32768 && !error)
        std::filesystem::remove(index, error);
    if (!hadLog && std::filesystem::file_size(log, error) == 0 && !error)
        std::filesystem::remove(log, error);
    if (access != HistoryAccess::Read) return status;
    const std::string writeError = lastError_;
    const HistoryStatus read = openReadOnly();
    if (read != HistoryStatus::Ok && !damaged_) lastError_ = writeError;
    return read;
}

HistoryStatus HistoryStore::connect(const std::string& name, int flags) {
    readOnly_ = (flags & SQLITE_OPEN_READONLY) != 0;
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (opened != SQLITE_OK) return failure(opened);
    sqlite3_extended_result_codes(db_.get(), 1);
    sqlite3_busy_timeout(db_.get(), kBusyWaitMs);
    return prepareSchema();
}

HistoryStatus HistoryStore::openReadWrite(bool create) {
    return connect(file_.string(), SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
}

HistoryStatus HistoryStore::openReadOnly() {
    // Without a log, no other program has the file open (its log lives as long as a
    // connection does) and none could write it here: the file is read as it lies, with no
    // index made beside it. With a log, the writer's index is shared as usual.
    const bool log = std::filesystem::exists(companion(file_, "-wal"));
    return connect("file:" + uriPath(file_) + "?mode=ro" + (log ? "" : "&immutable=1"),
                   SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
}

HistoryStatus HistoryStore::readTables(SchemaState& state) {
    sqlite3* db = db_.get();
    // One read transaction: the check and every look at the tables see the same file, never
    // one half before another program's first commit and the other half after it.
    if (const int begun = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr); begun != SQLITE_OK)
        return failure(begun);
    {
        // The whole check, indexes against rows included: a per-model list must not miss any.
        Statement check(db, "PRAGMA integrity_check(1)");
        if (check.status() != SQLITE_OK) return rollBack(check.status());
        const int stepped = check.step();
        if (stepped != SQLITE_ROW) return rollBack(stepped);
        if (check.text(0) != "ok") {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            damaged_ = true;
            lastError_ = "the file is damaged: " + check.text(0);
            return HistoryStatus::Failed;
        }
    }
    if (const int read = readSchema(db, state); read != SQLITE_OK) return rollBack(read);
    if (const int done = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr); done != SQLITE_OK)
        return rollBack(done);
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::prepareSchema() {
    sqlite3* db = db_.get();
    SchemaState state;
    if (const HistoryStatus read = readTables(state); read != HistoryStatus::Ok) return read;
    if (const HistoryStatus judged = judge(state); judged != HistoryStatus::Ok) return judged;
    if (readOnly_) {
        // An older file is read as it is; its steps wait for a program that may write.
        version_ = state.version;
        return HistoryStatus::Ok;
    }
    // Write-ahead logging: readers never wait for a writer, and a writer only for another. The
    // switch of a new file needs it to itself, and SQLite does not wait for that: another
    // program making or reading the same new file at that moment is waited for here.
    for (const auto until =
             std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyWaitMs);
         ;) {
        Statement wal(db, "PRAGMA journal_mode=WAL");
        int stepped = wal.status();
        if (stepped == SQLITE_OK) stepped = wal.step();
        if (stepped == SQLITE_ROW) break;
        if ((stepped & 0xFF) != SQLITE_BUSY || std::chrono::steady_clock::now() >= until)
            return failure(stepped);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failure(sqlite3_errcode(db));
    if (state.verdict == SchemaVerdict::Current) {
        version_ = state.version;
        return HistoryStatus::Ok;
    }

    // The steps run under the write lock, from the tables as they are then: another program
    // may have run them meanwhile.
    if (const HistoryStatus begun = beginWrite(); begun != HistoryStatus::Ok) return begun;
    if (const int read = readSchema(db, state); read != SQLITE_OK) return rollBack(read);
    if (const HistoryStatus judged = judge(state); judged != HistoryStatus::Ok) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return judged;
    }
    if (state.verdict != SchemaVerdict::Current) {
        if (const int ran = migrateSchema(db, state); ran != SQLITE_OK) {
            const HistoryStatus status = rollBack(ran);
            // Tables judged sound that a step still cannot take are damage as well; a full
            // disk or a lock is not.
            if ((ran & 0xFF) == SQLITE_ERROR || (ran & 0xFF) == SQLITE_CONSTRAINT) {
                damaged_ = true;
                lastError_ =
                    "the file is damaged: a step of its schema failed (" + lastError_ + ")";
            }
            return status;
        }
    }
    if (const int done = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr); done != SQLITE_OK)
        return rollBack(done);
    version_ = kHistorySchemaVersion;
    return HistoryStatus::Ok;
}

HistoryStatus HistoryStore::judge(const SchemaState& state) {
    switch (state.verdict) {
        case SchemaVerdict::Foreign:
            damaged_ = true;
            foreign_ = true;
            lastError_ = "the file is another program's database";
            return HistoryStatus::Failed;
        case SchemaVerdict::Damaged:
            damaged_ = true;
            lastError_ = "the file is damaged: " + state.reason;
            return HistoryStatus::Failed;
        case SchemaVerdict::Newer:
            lastError_ = "schema version " + std::to_string(state.version);
            return HistoryStatus::NewerSchema;
        case SchemaVerdict::Empty:
        case SchemaVerdict::Older:
        case SchemaVerdict::Current: break;
    }
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
        lastError_ += "; it could not be moved aside (" + error.message() + ")";
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
                                      // SQLite's lower() folds ASCII only.
                                      : " WHERE instr(lower(model), lower(?1))") +
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

std::string historyNotice(HistoryStatus status, const HistoryStore& store) {
    const std::string file = store.file().string();
    switch (status) {
        case HistoryStatus::Ok:
            if (store.movedAside().empty()) return {};
            return std::string(store.movedAsideWasForeign()
                                   ? "The settings history's file was another program's database"
                                   : "The settings history was damaged") +
                   "; it was moved aside to " + store.movedAside().filename().string() +
                   (store.isOpen() ? " and a new one started."
                                   : "; the next record starts a new one.");
        case HistoryStatus::CannotOpen:
            return "The settings history cannot be kept in " + file + ": " + store.lastError() +
                   ".";
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
