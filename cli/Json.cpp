#include "Json.h"

#include <cstdio>

namespace orvek::cli {

std::string quoteJson(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
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
