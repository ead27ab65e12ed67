#pragma once
// A prepared statement of the history's database, finalized with its owner: what the store's
// files (opening and judging the file, the records) read and write through.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orvek {

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

}  // namespace orvek
