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

const char* escFamilyName(EscFamily family) {
    switch (family) {
        case EscFamily::Expert: return "Expert";
        case EscFamily::Stock: return "Stock";
        case EscFamily::Blinky: return "Blinky";
        case EscFamily::Unlisted: return "Unlisted";
    }
    return "Unlisted";
}

std::string escVersionText(std::uint8_t versionCode) {
    // Single precision on purpose: the device's own tools print this float.
    const float version = 1.0f + static_cast<float>(versionCode) / 10.0f;
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(version));
    return text;
}

}  // namespace orvek
