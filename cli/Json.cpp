#include "Json.h"

namespace orvek::cli {

std::string jsonText(const Json& document) {
    // The replacing handler never throws.
    const std::string text = document.dump(-1, ' ', false, Json::error_handler_t::replace);
    // U+FFFD stands where the bytes were no text: written as its escape, as orvek-cli always
    // wrote it, it stays visible as such in a terminal and in a script's output.
    static const std::string replacement = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0;;) {
        const std::size_t found = text.find(replacement, at);
        out.append(text, at, found == std::string::npos ? std::string::npos : found - at);
        if (found == std::string::npos) return out;
        out += "\\ufffd";
        at = found + replacement.size();
    }
}

}  // namespace orvek::cli
