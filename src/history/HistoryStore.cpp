// The history's file: opening it for what is asked, judging its tables and bringing them up to
// date, moving a damaged or foreign file aside, and the words for a history that cannot be used.
// The records themselves are read and written in HistoryStoreRecords.cpp.
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

#include "history/HistoryStatement.h"
#include "platform/UserFolders.h"

namespace orvek {

namespace {

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
