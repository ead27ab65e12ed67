// Feeds arbitrary bytes to the profile-file reader and writer. Besides memory errors it
// checks what callers rely on: an unchanged document gives back its bytes exactly, values
// are cut to the buffer, a value written reads back, and other entries stay as they were.
// The window's language, read from such a file or from the environment, is always one the
// window speaks.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/Language.h"
#include "platform/ProfileFile.h"
#include "platform/TextFileEncoding.h"

namespace {

using orvek::ProfileDocument;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

struct Lookup {
    std::string section;
    std::string key;
};

// Names worth looking up: the fixed ones the program uses, and whatever the input's own
// lines look like ("[x]" gives a section, "y=" a key).
std::vector<Lookup> LookupsFor(std::string_view bytes) {
    std::vector<std::string> sections = {"option", "info", "memo"};
    std::vector<std::string> keys = {"Operation Mode", "Driver", "memo"};
    const auto content = orvek::splitTextFile(bytes);
    for (std::size_t i = 0; i < content.lines.size() && i < 8; ++i) {
        const std::string line = trimmed(content.lines[i].text);
        if (!line.empty() && line.front() == '[' && line.find(']') != std::string::npos) {
            sections.push_back(trimmed(line.substr(1, line.rfind(']') - 1)));
        } else if (line.find('=') != std::string::npos) {
            keys.push_back(trimmed(line.substr(0, line.find('='))));
        }
    }
    std::vector<Lookup> lookups;
    for (const auto& section : sections) {
        for (const auto& key : keys) {
            lookups.push_back({section, key});
        }
    }
    return lookups;
}

std::string unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool spoken(const std::string& code) {
    for (const orvek::WindowLanguage& language : orvek::windowLanguages()) {
        if (code == language.code) return true;
    }
    return false;
}

// [Language] name as the window reads it, given as config.ini and, whole, as every variable of
// the environment: the choice is a language the window speaks, and a name it does not know is
// kept to be said only when it came from the file.
void checkLanguage(const ProfileDocument& document, std::string_view bytes) {
    const std::string name =
        orvek::readProfileString(document, orvek::languageKey::Section, orvek::languageKey::Name,
                                 "", orvek::languageKey::Buffer);
    const std::optional<std::string> configured =
        name.empty() ? std::nullopt : std::optional<std::string>(name);
    const orvek::LanguageChoice fromFile = orvek::chooseLanguage(
        [](const char*) { return std::optional<std::string>(); }, configured, std::nullopt);
    check(spoken(fromFile.code));
    check(fromFile.unknown.empty() || (fromFile.code == "en" && fromFile.unknown == name));
    check(!configured || fromFile.unknown.empty() == orvek::languageCodeOf(name).has_value());

    const std::string whole(bytes);
    const orvek::LanguageChoice fromEnvironment =
        orvek::chooseLanguage([&whole](const char*) { return std::optional<std::string>(whole); },
                              std::nullopt, std::nullopt);
    check(spoken(fromEnvironment.code));
    check(fromEnvironment.unknown.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileDocument document = ProfileDocument::fromBytes(bytes);
    check(document.toBytes() == bytes);
    checkLanguage(document, bytes);

    const std::vector<Lookup> lookups = LookupsFor(bytes);
    std::vector<std::optional<std::string>> before;
    const std::size_t buffer = size == 0 ? 20 : data[0] % 300;
    for (const auto& lookup : lookups) {
        before.push_back(document.value(lookup.section, lookup.key));
        const std::string cut =
            orvek::readProfileString(document, lookup.section, lookup.key, "d", buffer);
        check(buffer == 0 ? cut.empty() : orvek::utf16Length(cut) <= buffer - 1);
    }

    // Write the fixed entry, or one the input names with a value cut from its middle, and
    // check that it reads back and that nothing else changed.
    std::string section = "option";
    std::string key = "Operation Mode";
    std::string value = "For/Rev";
    if (size > 1 && data[1] % 2 == 1 && !lookups.empty()) {
        const Lookup& chosen = lookups[data[1] % lookups.size()];
        section = chosen.section;
        key = chosen.key;
        value = std::string(bytes.substr(bytes.size() / 2, 12));
    }
    if (!document.setValue(section, key, value)) {
        check(document.toBytes() == bytes);
        return 0;
    }
    const std::string after = document.toBytes();
    const ProfileDocument reread = ProfileDocument::fromBytes(after);
    // A code-page file left with ASCII only reads as UTF-8, which is the same text.
    const bool ascii = std::all_of(after.begin(), after.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    check(reread.encoding() == document.encoding() ||
          (document.encoding() == orvek::TextEncoding::Windows1252 && ascii));
    const auto written = reread.value(section, key);
    check(written.has_value() && *written == unquoted(trimmed(value)));

    const bool utf16 = document.encoding() == orvek::TextEncoding::Utf16Le ||
                       document.encoding() == orvek::TextEncoding::Utf16Be;
    if (utf16 && size % 2 == 1) {
        return 0;  // a stray half character at the end is dropped by the write
    }
    for (std::size_t i = 0; i < lookups.size(); ++i) {
        if (SameName(lookups[i].section, section) && SameName(lookups[i].key, key)) {
            continue;
        }
        check(reread.value(lookups[i].section, lookups[i].key) == before[i]);
    }
    return 0;
}
