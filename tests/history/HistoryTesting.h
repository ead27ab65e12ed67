#pragma once
// Records and raw database access for the history suites.
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "history/HistoryRecord.h"

namespace orvek::testing {

inline HistoryRecord sampleRecord(int n, const std::string& model = "ORVEK ARC") {
    HistoryRecord record;
    record.kind = n % 2 ? HistoryKind::Write : HistoryKind::Read;
    record.program = "cli";
    record.info = {0x0B, 0x40, 0x01, static_cast<std::uint8_t>(n), 0x00, 0x00, 0x00};
    record.model = model;
    record.family = "Expert";
    record.firmware = "Expert V2.20";
    for (int i = 0; i < 22; ++i) record.block.push_back(static_cast<std::uint8_t>(n + i));
    for (std::size_t k = 0; k < record.settings.size(); ++k)
        record.settings[k] = "option " + std::to_string(k) + "/" + std::to_string(n);
    record.origin = {ValuesSource::Sheet, "Team/Heat " + std::to_string(n), n % 3 == 0};
    return record;
}

// A plain connection for what the store must cope with: another writer, an old schema.
class RawDatabase {
public:
    explicit RawDatabase(const std::filesystem::path& file) {
        sqlite3_open(file.string().c_str(), &db_);
        sqlite3_busy_timeout(db_, 5000);
    }
    ~RawDatabase() { sqlite3_close_v2(db_); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;
    bool exec(const std::string& sql) {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    std::string text(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        std::string result;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const auto* value = sqlite3_column_text(statement, 0);
            if (value) result = reinterpret_cast<const char*>(value);
        }
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace orvek::testing
