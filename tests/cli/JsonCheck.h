#pragma once
// A strict check that a text is exactly one JSON document (RFC 8259) in UTF-8, with nothing
// after it but white space: what a script reading --json output may count on.
#include <cctype>
#include <cstddef>
#include <string>

namespace orvek::testing {

class JsonCheck {
public:
    explicit JsonCheck(const std::string& text) : t_(text) {}
    bool oneDocument() {
        space();
        if (!value()) return false;
        space();
        return i_ == t_.size();
    }

private:
    bool at(char c) const { return i_ < t_.size() && t_[i_] == c; }
    void space() {
        while (at(' ') || at('\t') || at('\n') || at('\r')) ++i_;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (t_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    bool value() {
        if (at('{')) return container('}', true);
        if (at('[')) return container(']', false);
        if (at('"')) return string();
        if (at('t')) return literal("true");
        if (at('f')) return literal("false");
        if (at('n')) return literal("null");
        return number();
    }
    bool container(char close, bool object) {
        ++i_;
        space();
        if (at(close)) return ++i_, true;
        for (;;) {
            space();
            if (object && !(string() && (space(), at(':')) && (++i_, true))) return false;
            space();
            if (!value()) return false;
            space();
            if (at(close)) return ++i_, true;
            if (!at(',')) return false;
            ++i_;
        }
    }
    bool number() {
        const std::size_t start = i_;
        if (at('-')) ++i_;
        if (!digits()) return false;
        if (at('.') && (++i_, !digits())) return false;
        if ((at('e') || at('E')) && (++i_, (at('+') || at('-')) && ++i_, !digits())) return false;
        return i_ > start;
    }
    bool digits() {
        const std::size_t start = i_;
        while (i_ < t_.size() && t_[i_] >= '0' && t_[i_] <= '9') ++i_;
        return i_ > start;
    }
    bool string() {
        if (!at('"')) return false;
        ++i_;
        while (i_ < t_.size()) {
            const auto c = static_cast<unsigned char>(t_[i_]);
            if (c == '"') return ++i_, true;
            if (c < 0x20) return false;
            if (c == '\\') {
                ++i_;
                if (at('u')) {
                    for (int k = 1; k <= 4; ++k) {
                        if (i_ + k >= t_.size() ||
                            !std::isxdigit(static_cast<unsigned char>(t_[i_ + k])))
                            return false;
                    }
                    i_ += 5;
                } else if (i_ < t_.size() &&
                           std::string("\"\\/bfnrt").find(t_[i_]) != std::string::npos) {
                    ++i_;
                } else {
                    return false;
                }
                continue;
            }
            if (!utf8()) return false;
        }
        return false;
    }
    bool utf8() {
        const auto lead = static_cast<unsigned char>(t_[i_]);
        std::size_t n = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        if (n == 0 || i_ + n > t_.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(t_[i_ + k]) & 0xC0) != 0x80) return false;
        }
        i_ += n;
        return true;
    }

    const std::string& t_;
    std::size_t i_ = 0;
};

inline bool isOneJsonDocument(const std::string& text) { return JsonCheck(text).oneDocument(); }

}  // namespace orvek::testing
