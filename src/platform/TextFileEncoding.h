#pragma once
// Splits the bytes of a text file into lines in the encodings Windows tools write (8-bit,
// UTF-8 with a byte-order mark, UTF-16 with a byte-order mark) and encodes new lines back,
// so that an editor of such files can change one line and keep every other byte.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvek {

enum class TextEncoding {
    Utf8,         // 8-bit text that is valid UTF-8 (plain ASCII included); no byte-order mark
    Utf8WithBom,  // EF BB BF, then UTF-8
    Windows1252,  // 8-bit text that is not valid UTF-8: the Western Windows code page
    Utf16Le,      // FF FE, then little-endian UTF-16
    Utf16Be,      // FE FF, then big-endian UTF-16
};

struct TextLine {
    std::string raw;   // the line's bytes in the file, its line end included
    std::string text;     // the line decoded to UTF-8, without its line end
    std::string lineEnd;  // "\r\n", "\n", "\r", or empty for a last line without one
};

struct TextFileContent {
    TextEncoding encoding = TextEncoding::Utf8;
    std::string byteOrderMark;  // the bytes of the mark, empty when the file has none
    std::vector<TextLine> lines;
    // The line end new lines get: the file's first one ("\r\n", "\n" or "\r"), or "\r\n"
    // for a file without any line end.
    std::string lineEnd = "\r\n";
};

// Never fails: bytes that do not decode become U+FFFD in `text`, and stay as they are in `raw`.
TextFileContent splitTextFile(std::string_view bytes);

// How a text file's bytes are written: the encoding, and how many bytes its mark takes.
struct TextFileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    std::size_t markLength = 0;
};
TextFileFormat detectTextFormat(std::string_view bytes);

// The lines of a file's body (its bytes after the mark) one at a time, without copying them:
// line ends (LF, CR LF, a lone CR) are found unit by unit, so that a UTF-16 unit such as 0x0A0D
// is never mistaken for one. splitTextFile and the profile reader both split files through it.
class TextLineSplitter {
public:
    struct Line {
        std::string_view raw;      // the line's bytes, its line end included
        std::string_view content;  // the same without the line end
        std::string_view lineEnd;  // "\r\n", "\n", "\r", or empty for a last line without one
    };

    TextLineSplitter(std::string_view body, TextEncoding encoding);
    // The next line; false once every line was given.
    bool next(Line& line);

private:
    char16_t unitAt(std::size_t index) const;

    std::string_view body_;
    std::size_t unit_;
    bool bigEndian_;
    std::size_t units_;
    std::size_t start_ = 0;  // in units
};

// The text of a line's bytes (without its line end) in `encoding`, as UTF-8; bytes that do not
// decode become U+FFFD.
std::string decodeTextLine(std::string_view bytes, TextEncoding encoding);

// The bytes of `utf8` in `encoding`; nothing when `utf8` is not valid UTF-8 or holds a
// character the encoding cannot store.
std::optional<std::string> encodeText(std::string_view utf8, TextEncoding encoding);

bool isValidUtf8(std::string_view bytes);

// Length of `utf8` in UTF-16 code units, the unit Windows counts buffer lengths in.
std::size_t utf16Length(std::string_view utf8);

// The longest prefix of `utf8` of at most `units` UTF-16 code units, never splitting a
// character.
std::string cutToUtf16Units(std::string_view utf8, std::size_t units);

}  // namespace orvek
