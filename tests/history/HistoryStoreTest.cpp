// The history database on real files: what goes in comes out, the bound holds, and no file
// that is damaged, foreign, newer, linked away or locked is harmed or mistaken for success.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "history/HistoryStore.h"
#include "history/HistoryTesting.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace orvek::testing {
namespace {

TEST(HistoryStore, KeepsEveryFieldAndListsNewestFirstByModel) {
    TempFolder folder;
    HistoryStore store(folder / "data" / "history.sqlite");
    HistoryRecord first = sampleRecord(1);
    first.note = "heat 2, too much punch";
    HistoryRecord second = sampleRecord(2, "ORVEK ZETA");
    HistoryRecord update;
    update.kind = HistoryKind::Update;
    update.model = "ORVEK ARC";
    update.image = "Expert_V2.30.kfw";
    update.imageSize = 12345;
    update.target = "esc";
    update.result = "finished";
    ASSERT_EQ(store.add(first), HistoryStatus::Ok);
    ASSERT_EQ(store.add(second), HistoryStatus::Ok);
    ASSERT_EQ(store.add(update), HistoryStatus::Ok);
    EXPECT_LT(first.id, second.id);
    EXPECT_EQ(first.time.size(), 20u);  // 2026-12-09T01:23:45Z
    EXPECT_EQ(first.time.back(), 'Z');

    HistoryStore reader(folder / "data" / "history.sqlite");
    std::vector<HistoryRecord> all;
    ASSERT_EQ(reader.list("", 0, all), HistoryStatus::Ok);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].id, update.id);
    EXPECT_EQ(all[2].id, first.id);
    const HistoryRecord& back = all[2];
    EXPECT_EQ(back.kind, HistoryKind::Write);
    EXPECT_EQ(back.info, first.info);
    EXPECT_EQ(back.block, first.block);
    EXPECT_EQ(back.settings, first.settings);
    EXPECT_EQ(back.origin, first.origin);
    EXPECT_EQ(back.note, "heat 2, too much punch");
    EXPECT_EQ(back.firmware, "Expert V2.20");
    EXPECT_EQ(all[0].image, "Expert_V2.30.kfw");
    EXPECT_EQ(all[0].imageSize, 12345);

    std::vector<HistoryRecord> arc;
    ASSERT_EQ(reader.list("ORVEK ARC", 0, arc), HistoryStatus::Ok);
    ASSERT_EQ(arc.size(), 2u);
    std::vector<HistoryRecord> newest;
    ASSERT_EQ(reader.list("", 1, newest), HistoryStatus::Ok);
    ASSERT_EQ(newest.size(), 1u);
    EXPECT_EQ(newest[0].id, update.id);
}

TEST(HistoryStore, NotesAreOneLineOfAtMost200CharactersAndNeedARecord) {
    TempFolder folder;
    HistoryStore store(folder / "history.sqlite");
    HistoryRecord record = sampleRecord(1);
    ASSERT_EQ(store.add(record), HistoryStatus::Ok);
    std::string longNote;
    for (int i = 0; i < 250; ++i) longNote += "\xC3\xA9";  // é, two bytes each
    ASSERT_EQ(store.setNote(record.id, "line one\nline two"), HistoryStatus::Ok);
    HistoryRecord back;
    ASSERT_EQ(store.find(record.id, back), HistoryStatus::Ok);
    EXPECT_EQ(back.note, "line one line two");
    ASSERT_EQ(store.setNote(record.id, longNote), HistoryStatus::Ok);
    ASSERT_EQ(store.find(record.id, back), HistoryStatus::Ok);
    EXPECT_EQ(back.note.size(), 400u);  // 200 characters, none cut in half
    EXPECT_EQ(store.setNote(record.id + 100, "nobody"), HistoryStatus::NotFound);
    EXPECT_EQ(store.find(record.id + 100, back), HistoryStatus::NotFound);
}

TEST(HistoryStore, KeepsTheNewestUpToItsBoundAndNeverReusesANumber) {
    TempFolder folder;
    HistoryStore store(folder / "history.sqlite", 50);
    std::int64_t lastId = 0;
    for (int n = 0; n < 150; ++n) {
        HistoryRecord record = sampleRecord(n);
        ASSERT_EQ(store.add(record), HistoryStatus::Ok);
        lastId = record.id;
    }
    std::int64_t count = 0;
    ASSERT_EQ(store.count(count), HistoryStatus::Ok);
    EXPECT_EQ(count, 50);
    std::vector<HistoryRecord> kept;
    ASSERT_EQ(store.list("", 0, kept), HistoryStatus::Ok);
    EXPECT_EQ(kept.front().id, lastId);
    EXPECT_EQ(kept.back().id, lastId - 49);
    HistoryRecord next = sampleRecord(999);
    ASSERT_EQ(store.add(next), HistoryStatus::Ok);
    EXPECT_EQ(next.id, lastId + 1);
}

TEST(HistoryStore, ListingAMissingHistoryCreatesNothing) {
    TempFolder folder;
    HistoryStore store(folder / "none" / "history.sqlite");
    std::vector<HistoryRecord> records;
    EXPECT_EQ(store.list("", 0, records), HistoryStatus::Ok);
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(fs::exists(folder / "none"));
}

TEST(HistoryStore, ADamagedFileIsMovedAsideUntouchedAndANewOneStarted) {
    TempFolder folder;
    const fs::path file = folder / "history.sqlite";
    std::mt19937 random(7);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    writeBytes(file, noise);

    HistoryStore store(file);
    HistoryRecord record = sampleRecord(1);
    ASSERT_EQ(store.add(record), HistoryStatus::Ok);
    ASSERT_FALSE(store.movedAside().empty());
    EXPECT_EQ(store.movedAside().parent_path(), folder.path());
    EXPECT_EQ(store.movedAside().filename().string().rfind("history.sqlite.damaged-", 0), 0u);
    EXPECT_EQ(readBytes(store.movedAside()), noise);
    const std::string notice = historyNotice(HistoryStatus::Ok, store);
    EXPECT_NE(notice.find("moved aside to " + store.movedAside().filename().string()),
              std::string::npos);

    HistoryStore reader(file);
    std::vector<HistoryRecord> records;
    ASSERT_EQ(reader.list("", 0, records), HistoryStatus::Ok);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(reader.movedAside().empty());
}

TEST(HistoryStore, AnotherProgramsDatabaseIsMovedAsideNotWrittenInto) {
    TempFolder folder;
    const fs::path file = folder / "history.sqlite";
    {
        RawDatabase other(file);
        ASSERT_TRUE(
            other.exec("CREATE TABLE contacts(name TEXT); INSERT INTO contacts VALUES('x')"));
    }
    HistoryStore store(file);
    HistoryRecord record = sampleRecord(1);
    ASSERT_EQ(store.add(record), HistoryStatus::Ok);
    ASSERT_FALSE(store.movedAside().empty());
    EXPECT_TRUE(store.movedAsideWasForeign());
    EXPECT_EQ(historyNotice(HistoryStatus::Ok, store),
              "The settings history's file was another program's database; it was moved aside "
              "to " +
                  store.movedAside().filename().string() + " and a new one started.");
    RawDatabase aside(store.movedAside());
    EXPECT_EQ(aside.text("SELECT name FROM contacts"), "x");
    EXPECT_EQ(aside.text("SELECT count(*) FROM sqlite_master WHERE name='records'"), "0");
}

TEST(HistoryStore, AVersionOneFileIsMigratedWithItsRecords) {
    TempFolder folder;
    const fs::path file = folder / "history.sqlite";
    {
        RawDatabase old(file);
        ASSERT_TRUE(old.exec(
            "PRAGMA application_id=1330796107;"
            "CREATE TABLE schema_version(version INTEGER NOT NULL);"
            "INSERT INTO schema_version VALUES(1);"
            "CREATE TABLE records(id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL,"
            " kind TEXT NOT NULL, program TEXT NOT NULL DEFAULT '', info BLOB,"
            " model TEXT NOT NULL DEFAULT '', family TEXT NOT NULL DEFAULT '',"
            " firmware TEXT NOT NULL DEFAULT '', block BLOB, settings TEXT NOT NULL DEFAULT '',"
            " source TEXT NOT NULL DEFAULT '', source_detail TEXT NOT NULL DEFAULT '',"
            " note TEXT NOT NULL DEFAULT '', image TEXT NOT NULL DEFAULT '',"
            " image_size INTEGER NOT NULL DEFAULT 0, target TEXT NOT NULL DEFAULT '',"
            " result TEXT NOT NULL DEFAULT '');"
            "INSERT INTO records(time, kind, program, model, source, note)"
            " VALUES('2026-11-28T09:00:00Z', 'read', 'window', 'ORVEK ARC', 'device', 'club "
            "race');"));
    }
    HistoryStore store(file);
    std::vector<HistoryRecord> records;
    ASSERT_EQ(store.list("ORVEK ARC", 0, records), HistoryStatus::Ok);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].note, "club race");
    EXPECT_FALSE(records[0].origin.edited);
    EXPECT_TRUE(store.movedAside().empty());
    RawDatabase check(file);
    EXPECT_EQ(check.text("SELECT version FROM schema_version"), "2");
    EXPECT_EQ(check.text("SELECT count(*) FROM sqlite_master WHERE name='records_by_model'"), "1");
}

TEST(HistoryStore, ANewerFileIsLeftAsItIs) {
    TempFolder folder;
    const fs::path file = folder / "history.sqlite";
    {
        HistoryStore first(file);
        HistoryRecord record = sampleRecord(1);
        ASSERT_EQ(first.add(record), HistoryStatus::Ok);
        RawDatabase raw(file);
        ASSERT_TRUE(raw.exec("UPDATE schema_version SET version=9"));
    }
    HistoryStore store(file);
    HistoryRecord record = sampleRecord(2);
    EXPECT_EQ(store.add(record), HistoryStatus::NewerSchema);
    EXPECT_TRUE(store.movedAside().empty());
    EXPECT_NE(historyNotice(HistoryStatus::NewerSchema, store).find("newer"), std::string::npos);
    RawDatabase raw(file);
    EXPECT_EQ(raw.text("SELECT count(*) FROM records"), "1");
}

#ifndef _WIN32
// Symbolic links, pipes and the C library's error texts as POSIX has them.
TEST(HistoryStore, FollowsALinkOnlyWithinItsFolder) {
    TempFolder folder;
    fs::create_directories(folder / "data");
    fs::create_directories(folder / "elsewhere");
    const fs::path outside = folder / "elsewhere" / "victim.sqlite";
    writeBytes(outside, "not yours");
    fs::create_symlink(outside, folder / "data" / "history.sqlite");
    HistoryStore store(folder / "data" / "history.sqlite");
    HistoryRecord record = sampleRecord(1);
    EXPECT_EQ(store.add(record), HistoryStatus::LinkOutside);
    EXPECT_EQ(readBytes(outside), "not yours");

    fs::create_directories(folder / "inside");
    fs::create_symlink("real.sqlite", folder / "inside" / "history.sqlite");
    HistoryStore linked(folder / "inside" / "history.sqlite");
    EXPECT_EQ(linked.add(record), HistoryStatus::Ok);
    EXPECT_TRUE(fs::is_regular_file(folder / "inside" / "real.sqlite"));
}
#endif

TEST(HistoryStore, AWriteLockHeldPastTheWaitIsBusyAndTheNextInsertWorks) {
    TempFolder folder;
    const fs::path file = folder / "history.sqlite";
    HistoryStore store(file);
    HistoryRecord first = sampleRecord(1);
    ASSERT_EQ(store.add(first), HistoryStatus::Ok);
    {
        RawDatabase other(file);
        ASSERT_TRUE(other.exec("BEGIN IMMEDIATE; DELETE FROM records WHERE id < 0;"));
        HistoryRecord blocked = sampleRecord(2);
        EXPECT_EQ(store.add(blocked), HistoryStatus::Busy);
        // Reading goes on beside the writer.
        std::vector<HistoryRecord> records;
        EXPECT_EQ(store.list("", 0, records), HistoryStatus::Ok);
        EXPECT_EQ(records.size(), 1u);
        ASSERT_TRUE(other.exec("COMMIT"));
    }
    HistoryRecord after = sampleRecord(3);
    EXPECT_EQ(store.add(after), HistoryStatus::Ok);
}

#ifndef _WIN32
TEST(HistoryStore, AFolderThatCannotBeMadeOrAPipeInTheFilesPlaceIsNamed) {
    TempFolder folder;
    writeBytes(folder / "data", "a file where the folder should be");
    HistoryStore store(folder / "data" / "history.sqlite");
    HistoryRecord record = sampleRecord(1);
    EXPECT_EQ(store.add(record), HistoryStatus::CannotOpen);
    EXPECT_EQ(historyNotice(HistoryStatus::CannotOpen, store),
              "The settings history cannot be kept in " + store.file().string() + ": " +
                  (folder / "data").string() + " cannot be made (Not a directory).");

    const fs::path pipe = folder / "history.sqlite";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    HistoryStore piped(pipe);
    EXPECT_EQ(piped.add(record), HistoryStatus::CannotOpen);
    EXPECT_EQ(
        historyNotice(HistoryStatus::CannotOpen, piped),
        "The settings history cannot be kept in " + pipe.string() + ": it is a pipe, not a file.");
    std::vector<HistoryRecord> records;
    EXPECT_EQ(piped.list("", 0, records), HistoryStatus::CannotOpen);
    EXPECT_TRUE(fs::is_fifo(pipe)) << "left where it is";
}
#endif

// A history of one record whose tables are then changed by hand, as `sql` changes them.
fs::path spoiledHistory(const TempFolder& folder, const std::string& sql) {
    const fs::path file = folder / "history.sqlite";
    {
        HistoryStore first(file);
        HistoryRecord record = sampleRecord(1);
        EXPECT_EQ(first.add(record), HistoryStatus::Ok);
    }
    RawDatabase raw(file);
    EXPECT_TRUE(raw.exec(sql)) << sql;
    EXPECT_EQ(raw.text("PRAGMA integrity_check"), "ok") << "SQLite itself finds nothing wrong";
    return file;
}

// Each of these is a file no version of the program writes: taken as damage, it is moved
// aside as it is, and the record goes into a new one; reading it moves it aside as well.
TEST(HistoryStore, SchemaVersionsThatTheTablesDoNotBearOutAreDamage) {
    const std::vector<std::pair<std::string, std::string>> spoilt = {
        {"negative", "UPDATE schema_version SET version=-7"},
        {"minus one", "UPDATE schema_version SET version=-1"},
        {"2^62", "UPDATE schema_version SET version=4611686018427387904"},
        {"no row", "DELETE FROM schema_version"},
        {"two rows", "INSERT INTO schema_version VALUES(2)"},
        {"no table", "DROP TABLE schema_version"},
        {"a word", "UPDATE schema_version SET version='two'"},
        {"one over two's columns", "UPDATE schema_version SET version=1"},
        {"two over one's columns",
         "DROP INDEX records_by_model; ALTER TABLE records DROP COLUMN edited"},
        {"no records", "DROP TABLE records"},
        {"zero with records", "UPDATE schema_version SET version=0"},
        {"newer without records", "UPDATE schema_version SET version=3; DROP TABLE records"},
        {"a trigger", "CREATE TRIGGER lose AFTER INSERT ON records BEGIN DELETE FROM records; END"},
        {"a unique model index",
         "DROP INDEX records_by_model; CREATE UNIQUE INDEX records_by_model ON records(model, id)"},
        {"the index on another column",
         "DROP INDEX records_by_model; CREATE INDEX records_by_model ON records(kind)"},
        {"a column of another kind",
         "ALTER TABLE records DROP COLUMN note; ALTER TABLE records ADD COLUMN note BLOB"},
    };
    for (const auto& [name, sql] : spoilt) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const fs::path file = spoiledHistory(folder, sql);
        const std::string before = readBytes(file);

        HistoryStore store(file);
        HistoryRecord record = sampleRecord(2);
        ASSERT_EQ(store.add(record), HistoryStatus::Ok) << store.lastError();
        ASSERT_FALSE(store.movedAside().empty());
        EXPECT_FALSE(store.movedAsideWasForeign());
        EXPECT_EQ(readBytes(store.movedAside()), before);
        EXPECT_EQ(historyNotice(HistoryStatus::Ok, store),
                  "The settings history was damaged; it was moved aside to " +
                      store.movedAside().filename().string() + " and a new one started.");
        HistoryStore again(file);
        std::vector<HistoryRecord> records;
        ASSERT_EQ(again.list("", 0, records), HistoryStatus::Ok);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].origin, record.origin);
        EXPECT_TRUE(again.movedAside().empty());

        TempFolder other;
        const fs::path read = spoiledHistory(other, sql);
        HistoryStore reader(read);
        EXPECT_EQ(reader.list("", 0, records), HistoryStatus::Ok);
        EXPECT_TRUE(records.empty());
        EXPECT_FALSE(reader.movedAside().empty());
        EXPECT_EQ(historyNotice(HistoryStatus::Ok, reader),
                  "The settings history was damaged; it was moved aside to " +
                      reader.movedAside().filename().string() +
                      "; the next record starts a new one.");
        EXPECT_FALSE(fs::exists(read));
    }
}

// A version-one file that already holds what the second step makes: the step fails, and the
// file is damage rather than a history that fails at every start.
TEST(HistoryStore, AStepThatFailsMakesTheFileDamage) {
    TempFolder folder;
    const fs::path file = spoiledHistory(
        folder,
        "DROP INDEX records_by_model; ALTER TABLE records DROP COLUMN edited;"
        "UPDATE schema_version SET version=1; CREATE INDEX records_by_model ON records(model)");
    HistoryStore store(file);
    HistoryRecord record = sampleRecord(2);
    ASSERT_EQ(store.add(record), HistoryStatus::Ok) << store.lastError();
    ASSERT_FALSE(store.movedAside().empty());
    RawDatabase aside(store.movedAside());
    EXPECT_EQ(aside.text("SELECT version FROM schema_version"), "1") << "rolled back, kept";
    EXPECT_EQ(aside.text("SELECT count(*) FROM records"), "1");
}

// A row whose values are not of the types the program writes (a model stored as bytes, which a
// search by its text never finds) is passed over by every listing alike, as an unknown kind is.
TEST(HistoryStore, ARowOfOtherTypesIsPassedOverByEveryListing) {
    TempFolder folder;
    const fs::path file = spoiledHistory(folder, "UPDATE records SET model=CAST(model AS BLOB)");
    HistoryStore store(file);
    HistoryRecord second = sampleRecord(2);
    ASSERT_EQ(store.add(second), HistoryStatus::Ok);
    std::vector<HistoryRecord> all, ofModel;
    ASSERT_EQ(store.list("", 0, all), HistoryStatus::Ok);
    ASSERT_EQ(store.list("ORVEK ARC", 0, ofModel), HistoryStatus::Ok);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].id, second.id);
    ASSERT_EQ(ofModel.size(), 1u);
    EXPECT_EQ(ofModel[0].id, second.id);
    HistoryRecord first;
    EXPECT_EQ(store.find(1, first), HistoryStatus::Failed);
    EXPECT_TRUE(store.movedAside().empty());
}

TEST(HistoryStore, APartOfAModelFindsItInAnyCaseAlsoBesideAStrayByte) {
    TempFolder folder;
    HistoryStore store(folder / "history.sqlite");
    HistoryRecord arc = sampleRecord(1, "ORVEK ARC");
    // A model another program wrote with a byte that is no whole UTF-8 character.
    HistoryRecord stray = sampleRecord(2, "ORV\xA5K ARC");
    HistoryRecord zeta = sampleRecord(3, "ORVEK ZETA");
    for (HistoryRecord* record : {&arc, &stray, &zeta})
        ASSERT_EQ(store.add(*record), HistoryStatus::Ok) << store.lastError();
    const auto ids = [&store](const std::string& part) {
        std::vector<HistoryRecord> found;
        EXPECT_EQ(store.list(part, 0, found, HistoryStore::ModelMatch::Part), HistoryStatus::Ok);
        std::vector<std::int64_t> out;
        for (const HistoryRecord& r : found) out.push_back(r.id);
        return out;
    };
    EXPECT_EQ(ids("arc"), (std::vector<std::int64_t>{stray.id, arc.id}));
    EXPECT_EQ(ids("zeta"), (std::vector<std::int64_t>{zeta.id}));
    EXPECT_EQ(ids("\xA5k ar"), (std::vector<std::int64_t>{stray.id}));
    EXPECT_TRUE(ids("basis").empty());
    // The fuzzer's input: its stray-byte model is found by the part that starts at that byte.
    const fs::path found = folder / "found.sqlite";
    fs::copy_file(fs::path(ORVEK_HISTORY_CORPUS) / "model-with-a-stray-byte", found);
    HistoryStore reader(found);
    std::vector<HistoryRecord> byPart;
    ASSERT_EQ(reader.list("\xA5k ar", 0, byPart, HistoryStore::ModelMatch::Part),
              HistoryStatus::Ok);
    ASSERT_EQ(byPart.size(), 1u);
    EXPECT_EQ(byPart[0].model, "ORV\xA5K ARC");
}

TEST(HistoryStore, TheFuzzersFindingsOpenAsDamage) {
    const fs::path corpus = ORVEK_HISTORY_CORPUS;
    for (const char* name : {"negative-version", "id-not-the-row-number"}) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const fs::path file = folder / "history.sqlite";
        fs::copy_file(corpus / name, file);
        HistoryStore store(file);
        std::vector<HistoryRecord> records;
        EXPECT_EQ(store.list("", 0, records), HistoryStatus::Ok) << store.lastError();
        EXPECT_TRUE(records.empty());
        EXPECT_FALSE(store.movedAside().empty());
        HistoryRecord record = sampleRecord(1);
        EXPECT_EQ(store.add(record), HistoryStatus::Ok) << store.lastError();
        EXPECT_EQ(record.id, 1);
    }
}

}  // namespace
}  // namespace orvek::testing
