#include "firmware/HexDigits.h"

namespace orvek {

std::uint8_t hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    return 0;
}

bool isUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::uint8_t hexPairToByte(char high, char low) {
    return static_cast<std::uint8_t>((16u * hexDigitValue(high) + hexDigitValue(low)) % 256u);
}

}  // namespace orvek
