#pragma once
// The ESC firmware families, told apart by the type code of the device's identity reply,
// and the version text a firmware version code reads as.
#include <cstdint>
#include <string>

namespace orvek {

enum class EscFamily { Expert, Stock, Blinky, Unlisted };

EscFamily escFamilyFromTypeCode(std::uint8_t typeCode);

// "Expert", "Stock", "Blinky" or "Unlisted".
const char* escFamilyName(EscFamily family);

// "%.2f" of 1 + code / 10 in single precision: code 3 gives "1.30", 255 gives "26.50".
std::string escVersionText(std::uint8_t versionCode);

}  // namespace orvek
