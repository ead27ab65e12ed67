#include "history/HistoryRecord.h"

#include <chrono>
#include <ctime>

namespace orvek {

namespace {

constexpr std::array<const char*, 5> kKindNames = {"read", "write", "defaults", "backup", "update"};

}  // namespace

const char* historyKindName(HistoryKind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }

std::optional<HistoryKind> historyKindFromName(std::string_view name) {
    for (std::size_t i = 0; i < kKindNames.size(); ++i)
        if (name == kKindNames[i]) return static_cast<HistoryKind>(i);
    return std::nullopt;
}

std::string historyNote(std::string_view text) {
    std::string note;
    std::size_t codePoints = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        if (i + length > text.size()) break;  // a cut sequence at the end is dropped
        if (codePoints == kHistoryNoteLimit) break;
        if (lead == '\n' || lead == '\r' || lead == '\t') {
            note += ' ';
        } else if (lead >= 0x20 || length > 1) {
            note.append(text.substr(i, length));
        }
        ++codePoints;
        i += length;
    }
    return note;
}

std::string historyTimeNow() { return utcTimeNow("%Y-%m-%dT%H:%M:%SZ"); }

std::string utcTimeNow(const char* format) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, format, &utc);
    return text;
}

}  // namespace orvek
