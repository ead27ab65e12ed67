#include "platform/TextFileEncoding.h"

#include <array>

namespace orvek {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of bytes 0x80..0x9F in Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same value, as Windows itself converts them.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF. Advances `pos`
// past the character, or by one byte when the bytes there are not valid.
std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (s.size() - pos < length) {
        ++pos;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string decodeUtf8Lossy(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto cp = NextUtf8(bytes, pos);
        appendUtf8(out, cp ? *cp : kReplacement);
    }
    return out;
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char32_t{b});
    }
    return out;
}

char16_t Utf16UnitAt(std::string_view bytes, std::size_t index, bool bigEndian) {
    const auto b0 = static_cast<unsigned char>(bytes[2 * index]);
    const auto b1 = static_cast<unsigned char>(bytes[2 * index + 1]);
    return static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
}

std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    const std::size_t units = bytes.size() / 2;  // an odd last byte cannot be a character
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = Utf16UnitAt(bytes, i, bigEndian);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char16_t low = Utf16UnitAt(bytes, i + 1, bigEndian);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : char32_t{unit});
    }
    if (bytes.size() % 2 != 0) {
        appendUtf8(out, kReplacement);
    }
    return out;
}

std::string decodeLine(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom:
            return decodeUtf8Lossy(bytes);
        case TextEncoding::Windows1252:
            return decodeWindows1252(bytes);
        case TextEncoding::Utf16Le:
            return decodeUtf16(bytes, false);
        case TextEncoding::Utf16Be:
            return decodeUtf16(bytes, true);
    }
    return {};
}

void appendUtf16Unit(std::string& out, char16_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::optional<char> windows1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (!NextUtf8(bytes, pos)) {
            return false;
        }
    }
    return true;
}

TextFileFormat detectTextFormat(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") return {TextEncoding::Utf16Le, 2};
    if (bytes.substr(0, 2) == "\xFE\xFF") return {TextEncoding::Utf16Be, 2};
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return {TextEncoding::Utf8WithBom, 3};
    return {isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252, 0};
}

TextLineSplitter::TextLineSplitter(std::string_view body, TextEncoding encoding)
    : body_(body),
      unit_(encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? 2 : 1),
      bigEndian_(encoding == TextEncoding::Utf16Be),
      units_(body.size() / unit_) {}

char16_t TextLineSplitter::unitAt(std::size_t index) const {
    return unit_ == 1 ? static_cast<unsigned char>(body_[index])
                      : Utf16UnitAt(body_, index, bigEndian_);
}

bool TextLineSplitter::next(Line& line) {
    for (std::size_t i = start_; i < units_; ++i) {
        const char16_t u = unitAt(i);
        if (u != u'\n' && u != u'\r') continue;
        const bool crLf = u == u'\r' && i + 1 < units_ && unitAt(i + 1) == u'\n';
        const std::size_t endUnits = crLf ? 2 : 1;
        line.lineEnd = crLf ? "\r\n" : (u == u'\n' ? "\n" : "\r");
        line.raw = body_.substr(start_ * unit_, (i + endUnits - start_) * unit_);
        line.content = body_.substr(start_ * unit_, (i - start_) * unit_);
        start_ = i + endUnits;
        return true;
    }
    // The last line has no line end; with UTF-16 it may end in half a unit.
    if (start_ * unit_ >= body_.size()) return false;
    line.raw = body_.substr(start_ * unit_);
    line.content = line.raw;
    line.lineEnd = {};
    start_ = units_ + 1;
    return true;
}

std::string decodeTextLine(std::string_view bytes, TextEncoding encoding) {
    return decodeLine(bytes, encoding);
}

TextFileContent splitTextFile(std::string_view bytes) {
    TextFileContent content;
    const TextFileFormat format = detectTextFormat(bytes);
    content.encoding = format.encoding;
    content.byteOrderMark = std::string(bytes.substr(0, format.markLength));
    TextLineSplitter splitter(bytes.substr(format.markLength), format.encoding);
    bool lineEndKnown = false;
    for (TextLineSplitter::Line line; splitter.next(line);) {
        if (!lineEndKnown && !line.lineEnd.empty()) {
            content.lineEnd = std::string(line.lineEnd);
            lineEndKnown = true;
        }
        content.lines.push_back(TextLine{std::string(line.raw),
                                         decodeLine(line.content, content.encoding),
                                         std::string(line.lineEnd)});
    }
    return content;
}

std::optional<std::string> encodeText(std::string_view utf8, TextEncoding encoding) {
    if (!isValidUtf8(utf8)) {
        return std::nullopt;
    }
    if (encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8WithBom) {
        return std::string(utf8);
    }
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = *NextUtf8(utf8, pos);
        if (encoding == TextEncoding::Windows1252) {
            const auto b = windows1252Byte(cp);
            if (!b) {
                return std::nullopt;
            }
            out += *b;
            continue;
        }
        const bool bigEndian = encoding == TextEncoding::Utf16Be;
        if (cp >= 0x10000) {
            appendUtf16Unit(out, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), bigEndian);
            appendUtf16Unit(out, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), bigEndian);
        } else {
            appendUtf16Unit(out, static_cast<char16_t>(cp), bigEndian);
        }
    }
    return out;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = NextUtf8(utf8, pos);
        units += cp && *cp >= 0x10000 ? 2 : 1;
    }
    return units;
}

std::string cutToUtf16Units(std::string_view utf8, std::size_t units) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        const auto cp = NextUtf8(utf8, next);
        const std::size_t cost = cp && *cp >= 0x10000 ? 2 : 1;
        if (used + cost > units) {
            break;
        }
        used += cost;
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

}  // namespace orvek
