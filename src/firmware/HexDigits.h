#pragma once
// The hexadecimal digit conversion shared by the .kfw and .xup image readers.
#include <cstdint>

namespace orvek {

// '0'..'9' give 0..9 and 'A'..'F' give 10..15. Every other character, the lower-case letters
// 'a'..'f' included, gives 0: images are written in upper case, and a stray character must
// never produce a value outside one nibble.
std::uint8_t hexDigitValue(char c);

// True only for the characters hexDigitValue reads as digits ('0'..'9', 'A'..'F').
bool isUpperHexDigit(char c);

// 16 * value(high) + value(low), modulo 256 (always in range with the mapping above).
std::uint8_t hexPairToByte(char high, char low);

}  // namespace orvek
