#include "Json.h"

#include <cstdio>

namespace orvek::cli {

namespace {

// Length of the well-formed UTF-8 sequence at the start of `text`, 0 when there is none
// (a stray continuation byte, an overlong form, a surrogate, past U+10FFFF, or cut short).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string quoteJson(std::string_view text) {
    std::string out = "\"";
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            // A byte that is not UTF-8 (a path from an older system): JSON text must be
            // Unicode, so it stands as the replacement character.
            out += "\\ufffd";
            text.remove_prefix(1);
            continue;
        }
        const auto c = static_cast<unsigned char>(text[0]);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out.append(text.data(), length);
                }
        }
        text.remove_prefix(length);
    }
    return out + "\"";
}

void Json::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ",";
        first_.back() = false;
    }
}

Json& Json::beginObject() {
    separate();
    out_ += "{";
    first_.push_back(true);
    return *this;
}

Json& Json::endObject() {
    out_ += "}";
    first_.pop_back();
    return *this;
}

Json& Json::beginArray() {
    separate();
    out_ += "[";
    first_.push_back(true);
    return *this;
}

Json& Json::endArray() {
    out_ += "]";
    first_.pop_back();
    return *this;
}

Json& Json::key(std::string_view name) {
    separate();
    out_ += quoteJson(name) + ":";
    afterKey_ = true;
    return *this;
}

Json& Json::value(std::string_view text) {
    separate();
    out_ += quoteJson(text);
    return *this;
}

Json& Json::value(std::int64_t number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}

Json& Json::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

Json& Json::null() {
    separate();
    out_ += "null";
    return *this;
}

}  // namespace orvek::cli
