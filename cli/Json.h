#pragma once
// A small writer of JSON text for --json output: objects, arrays, strings, numbers, booleans.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvek::cli {

class Json {
public:
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    Json& key(std::string_view name);
    Json& value(std::string_view text);
    Json& value(const char* text) { return value(std::string_view(text)); }
    Json& value(std::int64_t number);
    Json& value(int number) { return value(static_cast<std::int64_t>(number)); }
    Json& value(bool flag);
    Json& null();
    const std::string& text() const { return out_; }

private:
    void separate();
    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
};

std::string quoteJson(std::string_view text);

}  // namespace orvek::cli
