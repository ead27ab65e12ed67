#include "platform/ProfileFile.h"

#include "platform/AsciiCase.h"
#include "platform/FileReplace.h"
#include "platform/ReadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <set>
#include <sstream>

namespace orvek {
namespace {

// The blanks the Windows reader trims; Ctrl-Z is the old end-of-file mark some editors leave.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// The name of a section header line ("[name]"), or nothing for any other line.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;  // trimmed, quotes still on
};

std::optional<KeyLine> keyLineOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[') {
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool hasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool isAcceptableName(std::string_view name) {
    return !name.empty() && !hasLineBreakOrNul(name) && trim(name).size() == name.size();
}

}  // namespace

ProfileDocument ProfileDocument::fromBytes(std::string_view bytes) {
    ProfileDocument document;
    const TextFileFormat format = detectTextFormat(bytes);
    document.encoding_ = format.encoding;
    document.byteOrderMark_ = std::string(bytes.substr(0, format.markLength));
    document.raw_ = std::string(bytes.substr(format.markLength));
    const std::string_view body = document.raw_;
    const bool utf16 =
        format.encoding == TextEncoding::Utf16Le || format.encoding == TextEncoding::Utf16Be;
    // Counted first, so that the offsets take no spare room a growing vector would keep.
    TextLineSplitter::Line line;
    std::size_t count = 0;
    for (TextLineSplitter counter(body, format.encoding); counter.next(line);) {
        ++count;
    }
    document.lineEnds_.reserve(count);
    document.text_.reserve(utf16 ? body.size() / 2 : body.size());
    bool lineEndKnown = false;
    for (TextLineSplitter splitter(body, format.encoding); splitter.next(line);) {
        if (!lineEndKnown && !line.lineEnd.empty()) {
            document.lineEnd_ = std::string(line.lineEnd);
            lineEndKnown = true;
        }
        if (format.encoding == TextEncoding::Utf8) {
            document.text_ += line.content;  // valid UTF-8 throughout: its own text
        } else {
            document.text_ += decodeTextLine(line.content, format.encoding);
        }
        const auto rawEnd =
            static_cast<std::size_t>(line.raw.data() - body.data()) + line.raw.size();
        document.lineEnds_.push_back({rawEnd, document.text_.size()});
    }
    return document;
}

std::string_view ProfileDocument::lineText(std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : lineEnds_[index - 1].text;
    return std::string_view(text_).substr(start, lineEnds_[index].text - start);
}

std::string_view ProfileDocument::lineRaw(std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : lineEnds_[index - 1].raw;
    return std::string_view(raw_).substr(start, lineEnds_[index].raw - start);
}

std::string_view ProfileDocument::lineEndOf(std::size_t index) const {
    const std::string_view raw = lineRaw(index);
    const bool utf16 = encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be;
    if (utf16 && raw.size() % 2 != 0) {
        return {};  // a last line ending in half a character has no line end
    }
    // Lines start on whole characters, so a matching tail is the line end itself.
    for (const std::string_view end :
         {std::string_view("\r\n"), std::string_view("\n"), std::string_view("\r")}) {
        const std::string encoded = *encodeText(end, encoding_);
        if (raw.size() >= encoded.size() && raw.substr(raw.size() - encoded.size()) == encoded) {
            return end;
        }
    }
    return {};
}

void ProfileDocument::putLine(std::size_t index, bool replace, std::string_view raw,
                              std::string_view text) {
    const std::size_t rawStart = index == 0 ? 0 : lineEnds_[index - 1].raw;
    const std::size_t textStart = index == 0 ? 0 : lineEnds_[index - 1].text;
    const std::size_t oldRaw = replace ? lineEnds_[index].raw - rawStart : 0;
    const std::size_t oldText = replace ? lineEnds_[index].text - textStart : 0;
    raw_.replace(rawStart, oldRaw, raw);
    text_.replace(textStart, oldText, text);
    const LineEnds ends{rawStart + raw.size(), textStart + text.size()};
    if (replace) {
        lineEnds_[index] = ends;
    } else {
        lineEnds_.insert(lineEnds_.begin() + static_cast<std::ptrdiff_t>(index), ends);
    }
    for (std::size_t i = index + 1; i < lineEnds_.size(); ++i) {
        lineEnds_[i].raw = lineEnds_[i].raw - oldRaw + raw.size();
        lineEnds_[i].text = lineEnds_[i].text - oldText + text.size();
    }
}

std::optional<ProfileDocument::SectionSpan> ProfileDocument::findSection(
    std::string_view section) const {
    for (std::size_t i = 0; i < lineCount(); ++i) {
        const auto name = sectionNameOf(lineText(i));
        if (!name || !equalsIgnoringCase(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lineCount() && !sectionNameOf(lineText(end))) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::findKeyLine(const SectionSpan& span,
                                                        std::string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto line = keyLineOf(lineText(i));
        if (line && equalsIgnoringCase(line->name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

ProfileDocument::PassedOver ProfileDocument::passedOver(std::string_view section) const {
    PassedOver result;
    const auto span = findSection(section);
    if (!span) return result;
    for (std::size_t i = span->end; i < lineCount(); ++i) {
        const auto name = sectionNameOf(lineText(i));
        if (name && equalsIgnoringCase(*name, section)) result.laterSections.push_back(i + 1);
    }
    std::set<std::string> seen;  // names folded to lower case
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const auto line = keyLineOf(lineText(i));
        if (!line) continue;
        std::string folded(line->name);
        for (char& c : folded) c = foldAscii(c);
        if (!seen.insert(folded).second) {
            result.repeatedKeys.push_back({std::string(line->name), i + 1});
        }
    }
    return result;
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
    return std::string(unquote(keyLineOf(lineText(*index))->value));
}

std::optional<std::string> ProfileDocument::encodeLine(std::string_view text,
                                                       bool withLineEnd) const {
    auto encoded = encodeText(text, encoding_);
    if (encoded && withLineEnd) {
        *encoded += *encodeText(lineEnd_, encoding_);
    }
    return encoded;
}

void ProfileDocument::ensureLastLineEnded() {
    if (lineEnds_.empty() || !lineEndOf(lineCount() - 1).empty()) {
        return;
    }
    const bool utf16 = encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be;
    if (utf16 && raw_.size() % 2 != 0) {
        // A stray half character at the end would shift every unit written after it.
        raw_.pop_back();
    }
    raw_ += *encodeText(lineEnd_, encoding_);
    lineEnds_.back().raw = raw_.size();
}

bool ProfileDocument::setValue(std::string_view section, std::string_view key,
                               std::string_view value) {
    if (!isAcceptableName(section) || section.find(']') != std::string_view::npos ||
        !isAcceptableName(key) || key.find('=') != std::string_view::npos || key.front() == ';' ||
        key.front() == '[' || hasLineBreakOrNul(value)) {
        return false;
    }
    if (encoding_ != TextEncoding::Windows1252) {
        return applyValue(section, key, value);
    }
    // A code-page file is told from UTF-8 only by holding bytes that are not UTF-8. If the
    // line that held them is the one replaced, the file would read back as other text.
    const ProfileDocument before = *this;
    if (!applyValue(section, key, value)) {
        return false;
    }
    const std::string bytes = toBytes();
    const bool reads8BitAsUtf8 =
        isValidUtf8(bytes) && std::any_of(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
    if (reads8BitAsUtf8) {
        *this = before;
        return false;
    }
    return true;
}

bool ProfileDocument::applyValue(std::string_view section, std::string_view key,
                                 std::string_view value) {
    const auto span = findSection(section);
    if (span) {
        if (const auto index = findKeyLine(*span, key)) {
            // Keep the key's own spelling and the line's own line end.
            const std::string text =
                std::string(keyLineOf(lineText(*index))->name) + "=" + std::string(value);
            auto raw = encodeLine(text, false);
            if (!raw) {
                return false;
            }
            *raw += *encodeText(lineEndOf(*index), encoding_);
            putLine(*index, true, *raw, text);
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
        while (insertAt > span->header + 1 && trim(lineText(insertAt - 1)).empty()) {
            --insertAt;
        }
        if (insertAt == lineCount()) {
            ensureLastLineEnded();
        }
        putLine(insertAt, false, *raw, text);
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
    putLine(lineCount(), false, *headerRaw, header);
    putLine(lineCount(), false, *keyRaw, text);
    return true;
}

std::string ProfileDocument::toBytes() const { return byteOrderMark_ + raw_; }

LoadedProfile loadProfileFile(const std::filesystem::path& file) {
    LoadedProfile loaded;
    std::string bytes;
    // Only regular files of a sane size: a device or pipe named as a settings file must not
    // hang the program, nor a huge file fill its memory.
    switch (readWholeFile(file, kProfileFileBytesLimit, bytes)) {
        case FileCheck::Ok:
            loaded.status = ProfileFileStatus::Loaded;
            loaded.document = ProfileDocument::fromBytes(bytes);
            break;
        case FileCheck::Missing: loaded.status = ProfileFileStatus::Missing; break;
        case FileCheck::NotAFile: loaded.status = ProfileFileStatus::NotAFile; break;
        case FileCheck::TooLarge: loaded.status = ProfileFileStatus::TooLarge; break;
        case FileCheck::CannotOpen:
        case FileCheck::ReadFailed: loaded.status = ProfileFileStatus::Unreadable; break;
    }
    return loaded;
}

bool saveProfileFile(const std::filesystem::path& file, const ProfileDocument& document) {
    const std::error_code error = replaceFile(file, document.toBytes());
    if (error) errno = error.value();  // for callers that report why
    return !error;
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
    if (loaded.status != ProfileFileStatus::Loaded && loaded.status != ProfileFileStatus::Missing) {
        return false;
    }
    return loaded.document.setValue(section, key, value) && saveProfileFile(file, loaded.document);
}

}  // namespace orvek
