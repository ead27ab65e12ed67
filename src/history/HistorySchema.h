#pragma once
// The history file's tables: what version they are, whether they are ours at all, and the steps
// that bring an older file up to date. Every judgement about a file is made here, from one
// reading of its tables, before a row is read or a step run.
#include <cstdint>
#include <string>

struct sqlite3;

namespace orvek {

constexpr int kHistorySchemaVersion = 2;

enum class SchemaVerdict {
    Empty,    // no tables at all: a new file
    Current,  // ours, at this program's version
    Older,    // ours, at an earlier version whose steps this program has
    Newer,    // ours, written by a newer program; left alone
    Foreign,  // another program's database
    Damaged,  // a version that is negative, missing or unknown, or one the tables contradict
};

struct SchemaState {
    SchemaVerdict verdict = SchemaVerdict::Empty;
    std::int64_t version = 0;  // for Current, Older and Newer
    std::string reason;        // for Foreign and Damaged: what was found
};

// Reads the tables once and judges them. Returns SQLite's code; the state is set only on
// SQLITE_OK.
int readSchema(sqlite3* db, SchemaState& state);

// Runs the steps from `state` (Empty or Older) to the current version, inside the caller's
// write transaction. Returns SQLite's code of the step that failed.
int migrateSchema(sqlite3* db, const SchemaState& state);

// The record columns as a query of `version` reads them: a file of an older version is read
// where it cannot be brought up to date (a read-only folder), with its missing columns as
// their defaults.
const char* recordColumns(std::int64_t version);

}  // namespace orvek
