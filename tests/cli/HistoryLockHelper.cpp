// Another program holding the settings history's write lock, for the suites:
//   history-lock FILE SECONDS
// begins a write transaction on FILE, prints "locked" once it holds the lock, keeps it for
// SECONDS (or until it is ended), then lets it go without writing anything.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: history-lock FILE SECONDS\n");
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "history-lock: cannot open %s\n", argv[1]);
        sqlite3_close_v2(db);
        return 1;
    }
    sqlite3_busy_timeout(db, 5000);
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "history-lock: %s\n", sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(std::atoi(argv[2])));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    return 0;
}
