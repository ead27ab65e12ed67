#pragma once
// One event of the settings history: a settings read, a committed write, a defaults write, the
// backup read before a firmware update, or a finished firmware update. A value type only.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/EscInfo.h"
#include "settings/ParamTable.h"
#include "settings/ValuesOrigin.h"

namespace orvek {

enum class HistoryKind { Read, Write, Defaults, Backup, Update };

// "read", "write", "defaults", "backup", "update"; the words stored and printed.
const char* historyKindName(HistoryKind kind);
std::optional<HistoryKind> historyKindFromName(std::string_view name);

constexpr std::size_t kHistoryNoteLimit = 200;

// A note as kept: one line (line breaks become blanks), at most 200 characters (UTF-8 code
// points), never cutting one in half.
std::string historyNote(std::string_view text);

struct HistoryRecord {
    std::int64_t id = 0;  // given by the store
    std::string time;     // UTC, ISO 8601: 2026-12-09T01:23:45Z
    HistoryKind kind = HistoryKind::Read;
    std::string program;  // "window" or "cli"

    // The device: its seven information bytes, model, family and firmware texts.
    EscInfo info{};
    std::string model;
    std::string family;
    std::string firmware;

    // Settings kinds: the 22 bytes read (read, backup) or written (write, defaults), in block
    // order, and the eighteen option texts as the lists showed them, in key order.
    std::vector<std::uint8_t> block;
    std::array<std::string, kParameterCount> settings;
    ValuesOrigin origin;

    // Update: the image's file name and size, the target ("esc" or "card") and how it ended.
    std::string image;
    std::int64_t imageSize = 0;
    std::string target;
    std::string result;

    std::string note;

    bool holdsSettings() const { return kind != HistoryKind::Update; }
};

// Now, as a record's time.
std::string historyTimeNow();
// Now in UTC, formatted by strftime's `format`.
std::string utcTimeNow(const char* format);

}  // namespace orvek
