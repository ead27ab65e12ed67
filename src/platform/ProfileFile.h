#pragma once
// Profile (INI) files read and written the way the Windows profile functions do, so that
// settings files and setup sheets pass unchanged between Windows and this program.
//
// Reading: section and key names match without regard to ASCII letter case; the first
// matching section and the first matching key in it win; lines starting with ';' are
// comments and lines without '=' are not keys; the value is the text after the first '=',
// blanks removed at both ends, then one pair of enclosing quotes (' or ") removed.
// Writing: replaces the line of the first matching key, appends a missing key at the end of
// its section and a missing section at the end of the file, and keeps every other byte.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/TextFileEncoding.h"

namespace orvek {

// One profile file held in memory, line by line, in its own encoding and line ends.
class ProfileDocument {
public:
    // An empty document that saves as a new Windows file would be made: UTF-8 (ASCII for
    // ASCII text), CR LF line ends.
    ProfileDocument() = default;

    static ProfileDocument fromBytes(std::string_view bytes);

    // The value of the key as the reader gives it (trimmed, quotes removed), not cut to
    // any length; nothing when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Refuses (false, document unchanged) a name or value that would not read back as the
    // same entry: empty names, line breaks or NUL anywhere, '=' in a key or a key starting
    // with ';' or '[', ']' in a section, blanks around a name, text that is not UTF-8 or
    // that the file's encoding cannot hold.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string toBytes() const;

    TextEncoding encoding() const { return content_.encoding; }

private:
    struct SectionSpan {
        std::size_t header;  // index of the header line
        std::size_t end;     // one past the section's last line
    };
    std::optional<SectionSpan> findSection(std::string_view section) const;
    std::optional<std::size_t> findKeyLine(const SectionSpan& span, std::string_view key) const;
    bool applyValue(std::string_view section, std::string_view key, std::string_view value);
    std::optional<std::string> encodeLine(std::string_view text, bool withLineEnd) const;
    void ensureLastLineEnded();

    TextFileContent content_;
};

enum class ProfileFileStatus {
    Loaded,
    Missing,     // no file at the path (a new one may be written there)
    Unreadable,  // the path exists but is not a readable regular file of at most 64 MiB
};

struct LoadedProfile {
    ProfileFileStatus status = ProfileFileStatus::Missing;
    ProfileDocument document;  // empty unless Loaded
};

LoadedProfile loadProfileFile(const std::filesystem::path& file);

// Replaces the file in one step (a temporary file renamed over it), keeping its permissions;
// a symbolic link is followed and its target replaced. False when it cannot be written.
bool saveProfileFile(const std::filesystem::path& file, const ProfileDocument& document);

// GetPrivateProfileString: the value, or `defaultValue` (without its trailing blanks) when
// the file, section or key is missing; the result is cut to `bufferLength` − 1 UTF-16 units
// (the buffer holds the terminator too), so a buffer of 20 gives at most 19 characters.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t bufferLength);

// The same lookup on a document already in memory.
std::string readProfileString(const ProfileDocument& document, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t bufferLength);

// WritePrivateProfileString: creates the file if needed; false when the entry is refused
// (see ProfileDocument::setValue), the file exists but cannot be read, or it cannot be written.
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace orvek
