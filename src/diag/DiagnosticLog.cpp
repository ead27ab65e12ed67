#include "diag/DiagnosticLog.h"

#include <cctype>
#include <cstdio>
#include <ctime>

#include "platform/FileReplace.h"

namespace orvek {

namespace {

std::tm localParts(std::int64_t ms) {
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &seconds);
#else
    localtime_r(&seconds, &parts);
#endif
    return parts;
}

std::string hexBytes(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    char hex[4];
    for (unsigned char byte : bytes) {
        if (!text.empty()) text += ' ';
        std::snprintf(hex, sizeof hex, "%02X", byte);
        text += hex;
    }
    return text;
}

std::string bytesPayload(const LogEntry& entry) {
    std::string text;
    switch (entry.kind) {
        case LogKind::NoAnswer:
            text = entry.data.empty() ? "(no answer)" : hexBytes(entry.data) + " (incomplete)";
            break;
        case LogKind::Dropped: text = hexBytes(entry.data) + " (dropped: not the echo)"; break;
        case LogKind::Unsent:
            text =
                (entry.data.empty() ? std::string() : hexBytes(entry.data) + " ") + "(not written)";
            break;
        default: text = hexBytes(entry.data); break;
    }
    if (entry.name != nullptr) text += std::string("  ") + entry.name;
    return text;
}

bool carriesBytes(LogKind kind) {
    switch (kind) {
        case LogKind::Sent:
        case LogKind::Echo:
        case LogKind::Received:
        case LogKind::NoAnswer:
        case LogKind::Unsent:
        case LogKind::Dropped: return true;
        default: return false;
    }
}

// A character that can continue a file or folder name, so that a match of the home folder
// followed or preceded by one is part of another name.
bool nameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' ||
           c == '~' || (static_cast<unsigned char>(c) >= 0x80);
}

std::string replaceHome(const std::string& text, const std::string& home) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(home); at != std::string::npos; at = text.find(home, at + 1)) {
        const std::size_t end = at + home.size();
        const bool startsName = at == 0 || !(nameCharacter(text[at - 1]) || text[at - 1] == '/' ||
                                             text[at - 1] == '\\');
        const bool endsName = end == text.size() || !nameCharacter(text[end]);
        if (at < from || !startsName || !endsName) continue;
        out.append(text, from, at - from);
        out += '~';
        from = end;
    }
    out.append(text, from, std::string::npos);
    return out;
}

}  // namespace

char logKindMark(LogKind kind) {
    switch (kind) {
        case LogKind::Sent: return '>';
        case LogKind::Echo: return '=';
        case LogKind::Received:
        case LogKind::NoAnswer: return '<';
        case LogKind::Unsent:
        case LogKind::Dropped:
        case LogKind::Link: return '-';
        case LogKind::State: return '*';
        case LogKind::Box: return '!';
    }
    return '?';
}

std::string localTimeText(std::int64_t ms, bool offset) {
    const std::tm parts = localParts(ms);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms % 1000));
    std::string result = std::string(text) + millis;
    if (offset) {
        char zone[16];
        if (std::strftime(zone, sizeof zone, " %z", &parts) > 1) result += zone;
    }
    return result;
}

std::string oneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    char escape[8];
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

std::string logEntryLine(const LogEntry& entry, std::int64_t previousMs) {
    const std::tm parts = localParts(entry.atMs);
    const long long sincePrevious =
        entry.atMs > previousMs ? static_cast<long long>(entry.atMs - previousMs) : 0;
    char head[64];
    std::snprintf(head, sizeof head, "%02d:%02d:%02d.%03d +%6lld ms  %c  ", parts.tm_hour,
                  parts.tm_min, parts.tm_sec, static_cast<int>(entry.atMs % 1000), sincePrevious,
                  logKindMark(entry.kind));
    return head + (carriesBytes(entry.kind) ? bytesPayload(entry) : oneLine(entry.data));
}

std::string diagnosticLogText(const std::vector<HeaderLine>& header, const LogSnapshot& snapshot) {
    std::string text = std::string(kDiagnosticLogTitle) + "\n";
    text += "format: " + std::to_string(kDiagnosticLogFormat) + "\n";
    for (const HeaderLine& line : header) text += line.key + ": " + oneLine(line.value) + "\n";
    text += "entries: " + std::to_string(snapshot.entries.size()) + " kept, " +
            std::to_string(snapshot.dropped) + " older ones dropped\n";
    text += "ring: " + std::to_string(snapshot.memoryBytes) + " bytes of at most " +
            std::to_string(snapshot.limitBytes) + "\n";
    if (!snapshot.entries.empty()) {
        text += "first entry: " + localTimeText(snapshot.entries.front().atMs, true) + "\n";
        text += "last entry: " + localTimeText(snapshot.entries.back().atMs, true) + "\n";
    }
    text +=
        "legend: local time, ms since the entry before, then > sent, = echo, < answer (or its "
        "absence), - the port, unwritten or dropped bytes, * state, ! message box; the bytes in "
        "hexadecimal, then the exchange\n";
    text += "\n";
    std::int64_t previous = snapshot.entries.empty() ? 0 : snapshot.entries.front().atMs;
    for (const LogEntry& entry : snapshot.entries) {
        text += logEntryLine(entry, previous);
        text += '\n';
        previous = entry.atMs;
    }
    return text;
}

std::string withHomeAsTilde(const std::string& text, const std::filesystem::path& home) {
    if (home.empty() || home.relative_path().empty()) return text;
    std::filesystem::path trimmed = home;
    while (!trimmed.has_filename() && trimmed.has_relative_path())
        trimmed = trimmed.parent_path();  // "/home/al/" as "/home/al"
    std::string result = replaceHome(text, trimmed.string());
    // Windows paths are written with either separator.
    const std::string generic = trimmed.generic_string();
    if (generic != trimmed.string()) result = replaceHome(result, generic);
    return result;
}

std::error_code saveDiagnosticLog(const std::filesystem::path& file,
                                  const std::vector<HeaderLine>& header,
                                  const LogSnapshot& snapshot,
                                  const std::optional<std::filesystem::path>& home) {
    const std::string text = diagnosticLogText(header, snapshot);
    return replaceFile(file, home ? withHomeAsTilde(text, *home) : text);
}

}  // namespace orvek
