// Any bytes as the settings history's file, read as orvek-cli reads it: open, list (all and by
// model), find and count. Besides memory errors, leaks and hangs it checks what the readers rely
// on: a listing is newest first and no longer than the count, each record listed is found by its
// number with the same content, a listing by model holds that model only, and a file that could
// not be read is never deleted (it is there, or moved aside).
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "history/HistoryStore.h"

namespace {

namespace fs = std::filesystem;
using namespace orvek;

void check(bool condition) {
    if (!condition) std::abort();
}

const fs::path& scratchFolder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "orvek-fuzz-history-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return fs::path(pattern);
    }();
    return folder;
}

void emptyFolder(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) fs::remove_all(entry, error);
}

bool sameRecord(const HistoryRecord& a, const HistoryRecord& b) {
    return a.id == b.id && a.time == b.time && a.kind == b.kind && a.program == b.program &&
           a.info == b.info && a.model == b.model && a.family == b.family &&
           a.firmware == b.firmware && a.block == b.block && a.settings == b.settings &&
           a.origin == b.origin && a.image == b.image && a.imageSize == b.imageSize &&
           a.target == b.target && a.result == b.result && a.note == b.note;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path folder = scratchFolder();
    emptyFolder(folder);
    const fs::path file = folder / "history.sqlite";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    {
        HistoryStore store(file);
        std::vector<HistoryRecord> records;
        const HistoryStatus listed = store.list("", 0, records);
        std::int64_t count = 0;
        const HistoryStatus counted = store.count(count);
        if (listed == HistoryStatus::Ok && counted == HistoryStatus::Ok) {
            check(records.size() <= static_cast<std::size_t>(count));
            for (std::size_t i = 1; i < records.size(); ++i)
                check(records[i - 1].id > records[i].id);
            for (std::size_t i = 0; i < records.size() && i < 8; ++i) {
                HistoryRecord found;
                check(store.find(records[i].id, found) == HistoryStatus::Ok);
                check(sameRecord(found, records[i]));
            }
            if (!records.empty()) {
                // Through the model's index, which the check at opening compares with the rows:
                // exactly the records of that model, in the same order.
                std::vector<HistoryRecord> ofModel;
                const std::string model = records.front().model;
                if (store.list(model, 0, ofModel) == HistoryStatus::Ok) {
                    std::vector<std::int64_t> expected, got;
                    for (const HistoryRecord& r : records)
                        if (r.model == model) expected.push_back(r.id);
                    for (const HistoryRecord& r : ofModel) got.push_back(r.id);
                    check(got == expected);
                }
                // By a part of it in other letter case, as orvek-cli --model asks: every one of
                // those records again, newest first.
                std::string part = model.substr(model.size() / 3, (model.size() + 1) / 2);
                for (char& c : part) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
                std::vector<HistoryRecord> byPart;
                if (store.list(part, 0, byPart, HistoryStore::ModelMatch::Part) ==
                    HistoryStatus::Ok) {
                    std::vector<std::int64_t> got;
                    for (const HistoryRecord& r : byPart) got.push_back(r.id);
                    for (std::size_t i = 1; i < got.size(); ++i) check(got[i - 1] > got[i]);
                    for (const HistoryRecord& r : records)
                        if (r.model == model)
                            check(std::find(got.begin(), got.end(), r.id) != got.end());
                }
            }
        }
        HistoryRecord missing;
        const HistoryStatus found = store.find(-1, missing);
        check(found != HistoryStatus::Ok);
        // The bytes are still there: at the path, or moved aside beside it.
        if (size > 0 && !store.movedAside().empty()) check(fs::exists(store.movedAside()));
    }
    emptyFolder(folder);
    return 0;
}
