#include "platform/ProfileFile.h"

#include "platform/AsciiCase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>

namespace orvek {
namespace {

// Far beyond any settings file or setup sheet.
constexpr std::uintmax_t kMaxProfileFileBytes = 64u * 1024 * 1024;

// The blanks the Windows reader trims; Ctrl-Z is the old end-of-file mark some editors leave.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}


// The name of a section header line ("[name]"), or nothing for any other line.
std::optional<std::string_view> SectionNameOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;  // trimmed, quotes still on
};

std::optional<KeyLine> KeyLineOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[') {
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsAcceptableName(std::string_view name) {
    return !name.empty() && !HasLineBreakOrNul(name) && Trim(name).size() == name.size();
}

// Owns a POSIX file descriptor.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::ostringstream name;
    name << '.' << target.filename().string() << ".tmp" << ::getpid() << '.' << counter++;
    return target.parent_path() / name.str();
}

// Writes into the file itself: for a file whose folder we may not create files in.
bool OverwriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    return fd.valid() && WriteAll(fd.get(), bytes) && fd.close();
}

}  // namespace

ProfileDocument ProfileDocument::fromBytes(std::string_view bytes) {
    ProfileDocument document;
    document.content_ = splitTextFile(bytes);
    return document;
}

std::optional<ProfileDocument::SectionSpan> ProfileDocument::findSection(
    std::string_view section) const {
    const auto& lines = content_.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionNameOf(lines[i].text);
        if (!name || !equalsIgnoringCase(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionNameOf(lines[end].text)) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::findKeyLine(const SectionSpan& span,
                                                        std::string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto line = KeyLineOf(content_.lines[i].text);
        if (line && equalsIgnoringCase(line->name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::value(std::string_view section,
                                                  std::string_view key) const {
    const auto span = findSection(section);
    if (!span) {
        return std::nullopt;
    }
    const auto index = findKeyLine(*span, key);
    if (!index) {
        return std::nullopt;
    }
    return std::string(Unquote(KeyLineOf(content_.lines[*index].text)->value));
}

std::optional<std::string> ProfileDocument::encodeLine(std::string_view text,
                                                       bool withLineEnd) const {
    auto encoded = encodeText(text, content_.encoding);
    if (encoded && withLineEnd) {
        *encoded += *encodeText(content_.lineEnd, content_.encoding);
    }
    return encoded;
}

void ProfileDocument::ensureLastLineEnded() {
    if (content_.lines.empty() || !content_.lines.back().lineEnd.empty()) {
        return;
    }
    TextLine& last = content_.lines.back();
    const bool utf16 = content_.encoding == TextEncoding::Utf16Le ||
                       content_.encoding == TextEncoding::Utf16Be;
    if (utf16 && last.raw.size() % 2 != 0) {
        // A stray half character at the end would shift every unit written after it.
        last.raw.pop_back();
    }
    last.raw += *encodeText(content_.lineEnd, content_.encoding);
    last.lineEnd = content_.lineEnd;
}

bool ProfileDocument::setValue(std::string_view section, std::string_view key,
                               std::string_view value) {
    if (!IsAcceptableName(section) || section.find(']') != std::string_view::npos ||
        !IsAcceptableName(key) || key.find('=') != std::string_view::npos ||
        key.front() == ';' || key.front() == '[' || HasLineBreakOrNul(value)) {
        return false;
    }
    if (content_.encoding != TextEncoding::Windows1252) {
        return applyValue(section, key, value);
    }
    // A code-page file is told from UTF-8 only by holding bytes that are not UTF-8. If the
    // line that held them is the one replaced, the file would read back as other text.
    const TextFileContent before = content_;
    if (!applyValue(section, key, value)) {
        return false;
    }
    const std::string bytes = toBytes();
    const bool reads8BitAsUtf8 =
        isValidUtf8(bytes) && std::any_of(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
    if (reads8BitAsUtf8) {
        content_ = before;
        return false;
    }
    return true;
}

bool ProfileDocument::applyValue(std::string_view section, std::string_view key,
                                 std::string_view value) {
    auto& lines = content_.lines;
    const auto span = findSection(section);
    if (span) {
        if (const auto index = findKeyLine(*span, key)) {
            // Keep the key's own spelling and the line's own line end.
            TextLine& line = lines[*index];
            const std::string text = std::string(KeyLineOf(line.text)->name) + "=" + std::string(value);
            auto raw = encodeLine(text, false);
            if (!raw) {
                return false;
            }
            line.raw = *raw + *encodeText(line.lineEnd, content_.encoding);
            line.text = text;
            return true;
        }
        const std::string text = std::string(key) + "=" + std::string(value);
        auto raw = encodeLine(text, true);
        if (!raw) {
            return false;
        }
        // After the section's last non-blank line, so blank lines that separate it from the
        // next section stay where they are.
        std::size_t insertAt = span->end;
        while (insertAt > span->header + 1 && Trim(lines[insertAt - 1].text).empty()) {
            --insertAt;
        }
        if (insertAt == lines.size()) {
            ensureLastLineEnded();
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                     TextLine{*raw, text, content_.lineEnd});
        return true;
    }
    const std::string header = "[" + std::string(section) + "]";
    const std::string text = std::string(key) + "=" + std::string(value);
    auto headerRaw = encodeLine(header, true);
    auto keyRaw = encodeLine(text, true);
    if (!headerRaw || !keyRaw) {
        return false;
    }
    ensureLastLineEnded();
    lines.push_back(TextLine{*headerRaw, header, content_.lineEnd});
    lines.push_back(TextLine{*keyRaw, text, content_.lineEnd});
    return true;
}

std::string ProfileDocument::toBytes() const {
    std::string bytes = content_.byteOrderMark;
    for (const auto& line : content_.lines) {
        bytes += line.raw;
    }
    return bytes;
}

LoadedProfile loadProfileFile(const std::filesystem::path& file) {
    LoadedProfile loaded;
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        loaded.status = ProfileFileStatus::Missing;
        return loaded;
    }
    // Only regular files of a sane size: a device or pipe named as a settings file must not
    // hang the program or fill its memory.
    if (error || !std::filesystem::is_regular_file(status) ||
        std::filesystem::file_size(file, error) > kMaxProfileFileBytes || error) {
        loaded.status = ProfileFileStatus::Unreadable;
        return loaded;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        loaded.status = ProfileFileStatus::Unreadable;
        return loaded;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        loaded.status = ProfileFileStatus::Unreadable;
        return loaded;
    }
    loaded.status = ProfileFileStatus::Loaded;
    loaded.document = ProfileDocument::fromBytes(bytes);
    return loaded;
}

bool saveProfileFile(const std::filesystem::path& file, const ProfileDocument& document) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(fs::symlink_status(file, error))) {
        const fs::path resolved = fs::weakly_canonical(file, error);
        if (!error) {
            target = resolved;
        }
    }
    const std::string bytes = document.toBytes();
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return false;
    }

    const fs::path temporary = TemporaryNameBeside(target);
    UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        // No file may be created beside it: an existing writable file is still written.
        return exists && OverwriteInPlace(target, bytes);
    }
    bool ok = true;
    if (exists) {
        ok = ::fchmod(fd.get(), existing.st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

std::string readProfileString(const ProfileDocument& document, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t bufferLength) {
    if (bufferLength == 0) {
        return {};
    }
    std::optional<std::string> found;
    if (!section.empty() && !key.empty()) {
        found = document.value(section, key);
    }
    if (!found) {
        // The Windows reader drops trailing blanks of the default, and only of the default.
        while (!defaultValue.empty() && defaultValue.back() == ' ') {
            defaultValue.remove_suffix(1);
        }
        found = std::string(defaultValue);
    }
    return cutToUtf16Units(*found, bufferLength - 1);
}

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t bufferLength) {
    const LoadedProfile loaded = loadProfileFile(file);
    return readProfileString(loaded.document, section, key, defaultValue, bufferLength);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
    LoadedProfile loaded = loadProfileFile(file);
    if (loaded.status == ProfileFileStatus::Unreadable) {
        return false;
    }
    return loaded.document.setValue(section, key, value) && saveProfileFile(file, loaded.document);
}

}  // namespace orvek
