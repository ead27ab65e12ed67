#pragma once
// CRC-32 (the zlib / IEEE 802.3 polynomial), used to fingerprint firmware images.
#include <cstddef>
#include <cstdint>

namespace orvek {

// Continues `crc` (start with 0) over `size` bytes; feeding data in pieces gives the same result.
std::uint32_t crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

}  // namespace orvek
