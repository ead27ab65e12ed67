#pragma once
// The settings history database: an SQLite file in write-ahead-log mode, so that the window and
// orvek-cli record at the same time. It keeps the newest records up to a bound, pruning the
// oldest in the same transaction as an insert, and never deletes a damaged file: it moves it
// aside and starts a new one.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "history/HistoryRecord.h"
#include "history/HistorySchema.h"

struct sqlite3;

namespace orvek {

// What a connection is opened for. Reading never creates anything, and works read-only where
// the file or its folder cannot be written or the disk is full; only recording and notes write.
enum class HistoryAccess {
    Read,    // list, find, count
    Change,  // a note: an existing file, written
    Record,  // a new record: the folder and the file made when missing
};

enum class HistoryStatus {
    Ok,
    CannotOpen,   // no folder, no permission, a read-only file system, not a regular file
    Busy,         // another program held its write lock past the wait
    Full,         // the disk (or the file size allowed) is full
    NewerSchema,  // written by a newer program; left alone
    LinkOutside,  // the file is a symbolic link out of its folder
    NotFound,     // no record with that number
    Failed,       // anything else SQLite reports
};

// Where the history lives: <user data>/history.sqlite; nothing without a user data folder.
std::filesystem::path defaultHistoryFile();

class HistoryStore {
public:
    static constexpr std::size_t kKeptRecords = 20000;
    // How long a write waits for another program's write lock.
    static constexpr int kBusyWaitMs = 2000;
    static constexpr int kSchemaVersion = kHistorySchemaVersion;

    explicit HistoryStore(std::filesystem::path file, std::size_t keptRecords = kKeptRecords);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens for `access`, checks the whole file and, where it may write, brings the schema up
    // to date. A damaged or foreign file is moved aside (movedAside() names where) and, for a
    // record, a new one started, which is still Ok. Unless recording, a missing file is
    // NotFound.
    HistoryStatus open(HistoryAccess access = HistoryAccess::Record);
    bool isOpen() const { return db_ != nullptr; }
    // Open without the right to write (the file, its folder or the disk would not have it).
    bool isReadOnly() const { return readOnly_; }
    void close();

    // Adds the record and prunes beyond the bound, in one transaction; sets record.id and,
    // when empty, record.time. A file found damaged here is moved aside and the insert made
    // once more in a new one.
    HistoryStatus add(HistoryRecord& record);

    // How a listing's `model` is matched: the whole model as recorded (the window's list of one
    // ESC's records, through the model index), or a part of it in any ASCII case ("arc" finds
    // "ORVEK ARC").
    enum class ModelMatch { Exact, Part };
    // Newest first; `model` empty for every model, `limit` 0 for no limit.
    HistoryStatus list(const std::string& model, std::size_t limit,
                       std::vector<HistoryRecord>& records, ModelMatch match = ModelMatch::Exact);
    HistoryStatus find(std::int64_t id, HistoryRecord& record);
    HistoryStatus setNote(std::int64_t id, const std::string& note);
    HistoryStatus count(std::int64_t& records);

    const std::filesystem::path& file() const { return file_; }
    // Where a damaged or foreign file went in the last open or add; empty when none was.
    const std::filesystem::path& movedAside() const { return movedAside_; }
    // The file moved aside was another program's database, not a damaged history.
    bool movedAsideWasForeign() const { return movedForeign_; }
    // SQLite's (or the system's) words for the last failure.
    const std::string& lastError() const { return lastError_; }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    // Open for `access` unless the connection held already serves it.
    HistoryStatus ensureOpen(HistoryAccess access);
    HistoryStatus openOnce(HistoryAccess access);
    // Opens `name` (a path or a URI) with SQLite's `flags`, then checks and judges the file.
    HistoryStatus connect(const std::string& name, int flags);
    HistoryStatus openReadWrite(bool create);
    HistoryStatus openReadOnly();
    // Checks the whole file and reads its tables, in one read transaction.
    HistoryStatus readTables(SchemaState& state);
    // Checks the file and judges its tables; brings them up to date unless read-only.
    HistoryStatus prepareSchema();
    HistoryStatus judge(const SchemaState& state);
    HistoryStatus moveAside();
    HistoryStatus failure(int code);
    // BEGIN IMMEDIATE, waiting for another writer up to kBusyWaitMs.
    HistoryStatus beginWrite();
    // The status of `code`, after the open transaction is rolled back.
    HistoryStatus rollBack(int code);
    HistoryStatus insert(HistoryRecord& record);

    std::filesystem::path file_;
    std::size_t keptRecords_;
    std::unique_ptr<sqlite3, Closer> db_;
    std::filesystem::path movedAside_;
    std::string lastError_;
    bool damaged_ = false;  // the last failure was a damaged or foreign file
    bool foreign_ = false;  // ... and that file was another program's
    bool movedForeign_ = false;
    bool readOnly_ = false;
    std::int64_t version_ = 0;  // the open file's schema version; 0 when it has no records yet
};

// One line for the racer about a history that could not be used, or whose file was moved
// aside; empty for Ok without a move.
std::string historyNotice(HistoryStatus status, const HistoryStore& store);

}  // namespace orvek
