#pragma once
// The diagnostic log as one text file a racer sends to support: a title, header lines (what ran
// where, with which adapter, settings history and config.ini), the ring's own figures and a
// legend, a blank line, then one line per entry, oldest first:
//
//   12:03:04.512 +   500 ms  >  D5  ESC probe
//
// (local time, milliseconds since the entry before, the direction, the bytes in hexadecimal and
// the exchange's name). The racer's home folder reads "~" everywhere in the file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "diag/LinkLog.h"
#include "platform/UserFolders.h"

namespace orvek {

constexpr const char* kDiagnosticLogTitle = "ORVEK Link diagnostic log";
constexpr int kDiagnosticLogFormat = 1;

struct HeaderLine {
    std::string key;
    std::string value;
};

// The mark of an entry's kind: > sent, = echo, < received (or missing), - link, dropped and
// unwritten bytes, * state, ! message box.
char logKindMark(LogKind kind);

// One entry as its line, without the line end. `previousMs` is the time of the entry before
// (the entry's own for the first).
std::string logEntryLine(const LogEntry& entry, std::int64_t previousMs);

// Local time of `ms` since the Unix epoch, "2026-05-12 14:03:07.123"; with `offset`, the
// difference to UTC follows (" +0200").
std::string localTimeText(std::int64_t ms, bool offset = false);

// Control characters as escapes ("\n", "\x1b"), so that a text stays on its one line.
std::string oneLine(const std::string& text);

// The whole file: the title, `header` as "key: value" lines, the ring's figures, the legend, a
// blank line and the entries.
std::string diagnosticLogText(const std::vector<HeaderLine>& header, const LogSnapshot& snapshot);

// `text` with the home folder written as "~": "/home/al/x" becomes "~/x" and "/home/al" "~",
// but "/home/alex" and "/mnt/home/al" stay. A home that is a root ("/") changes nothing.
std::string withHomeAsTilde(const std::string& text, const std::filesystem::path& home);

// Writes the file through the one file replacer, with `home` (when known) as "~". An empty
// error code on success.
std::error_code saveDiagnosticLog(
    const std::filesystem::path& file, const std::vector<HeaderLine>& header,
    const LogSnapshot& snapshot,
    const std::optional<std::filesystem::path>& home = userHomeFolder());

}  // namespace orvek
