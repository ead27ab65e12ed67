#include "settings/EscFamily.h"

#include <cstdio>

namespace orvek {

EscFamily escFamilyFromTypeCode(std::uint8_t typeCode) {
    switch (typeCode) {
        case 0x0B: return EscFamily::Expert;
        case 0x0C: return EscFamily::Stock;
        case 0x0D: return EscFamily::Blinky;
        default: return EscFamily::Unlisted;
    }
}

std::string escVersionText(std::uint8_t versionCode) {
    // Single precision on purpose: the device's own tools print this float.
    const float version = 1.0f + static_cast<float>(versionCode) / 10.0f;
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(version));
    return text;
}

}  // namespace orvek
