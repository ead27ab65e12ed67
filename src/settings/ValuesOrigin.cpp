#include "settings/ValuesOrigin.h"

#include <array>

namespace orvek {

namespace {
constexpr std::array<const char*, 8> kSourceNames = {"",     "device",   "page",    "sheet",
                                                     "file", "defaults", "history", "series"};
}  // namespace

const char* valuesSourceName(ValuesSource source) {
    return kSourceNames[static_cast<std::size_t>(source)];
}

std::optional<ValuesSource> valuesSourceFromName(std::string_view name) {
    for (std::size_t i = 0; i < kSourceNames.size(); ++i)
        if (name == kSourceNames[i]) return static_cast<ValuesSource>(i);
    return std::nullopt;
}

std::string originText(const ValuesOrigin& origin) {
    std::string text = valuesSourceName(origin.source);
    if (text.empty()) return text;
    if (!origin.detail.empty()) text += " " + origin.detail;
    if (origin.edited) text += " (edited)";
    return text;
}

}  // namespace orvek
