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
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextFileEncoding.h"

namespace orvek {

// The largest profile file read. Settings files, setup sheets and config.ini are a few
// kilobytes; a larger file is damaged or not one of them, and is refused before it is read.
constexpr std::uint64_t kProfileFileBytesLimit = 1024 * 1024;

// One profile file held in memory, line by line, in its own encoding and line ends. The
// lines' bytes and their decoded texts are held end to end in two strings, with two offsets a
// line beside them, so that a file costs little more than twice its size whatever its lines.
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

    // What the reader passes over for `section`: the headers of later sections of the same
    // name, and keys of the first one whose name an earlier line already gave. Lines are
    // counted from 1. Only for telling the user; reading keeps the first of each.
    struct RepeatedKey {
        std::string name;
        std::size_t line;
    };
    struct PassedOver {
        std::vector<std::size_t> laterSections;
        std::vector<RepeatedKey> repeatedKeys;
    };
    PassedOver passedOver(std::string_view section) const;

    TextEncoding encoding() const { return encoding_; }
    std::size_t lineCount() const { return lineEnds_.size(); }

private:
    struct SectionSpan {
        std::size_t header;  // index of the header line
        std::size_t end;     // one past the section's last line
    };
    // Where line i ends in raw_ and in text_ (one past its last byte); it starts where line
    // i - 1 ends.
    struct LineEnds {
        std::size_t raw;
        std::size_t text;
    };
    std::string_view lineText(std::size_t index) const;
    std::string_view lineRaw(std::size_t index) const;
    // The line end of line `index` ("\r\n", "\n", "\r" or empty), read from its bytes.
    std::string_view lineEndOf(std::size_t index) const;
    // Puts a line with these bytes and text at `index`, in place of the line there when
    // `replace` is set.
    void putLine(std::size_t index, bool replace, std::string_view raw, std::string_view text);

    std::optional<SectionSpan> findSection(std::string_view section) const;
    std::optional<std::size_t> findKeyLine(const SectionSpan& span, std::string_view key) const;
    bool applyValue(std::string_view section, std::string_view key, std::string_view value);
    std::optional<std::string> encodeLine(std::string_view text, bool withLineEnd) const;
    void ensureLastLineEnded();

    TextEncoding encoding_ = TextEncoding::Utf8;
    std::string byteOrderMark_;
    std::string lineEnd_ = "\r\n";  // the line end new lines get: the file's first one
    std::string raw_;               // every line's bytes, line ends included, in file order
    std::string text_;              // every line's text, decoded, without line ends
    std::vector<LineEnds> lineEnds_;
};

enum class ProfileFileStatus {
    Loaded,
    Missing,     // no file at the path (a new one may be written there)
    Unreadable,  // the path holds a regular file that cannot be read
    NotAFile,    // the path names a folder, pipe or device
    TooLarge,    // larger than kProfileFileBytesLimit: refused unread
};

struct LoadedProfile {
    ProfileFileStatus status = ProfileFileStatus::Missing;
    ProfileDocument document;  // empty unless Loaded
};

LoadedProfile loadProfileFile(const std::filesystem::path& file);

// Replaces the file in one step (replaceFile: a temporary file renamed over it), keeping its
// permissions and, where the process may give them (root may, an owner may keep a group it
// belongs to), its owner and group; a symbolic link is followed and its target replaced, or
// created when it does not exist yet. A hard link is not kept: the rename gives the path a new
// file, and the file's other names keep the old text. False, errno telling why, when it cannot
// be written, also for a file this user may not write.
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
