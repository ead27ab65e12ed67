#include "firmware/Crc32.h"

#include <array>

namespace orvek {

namespace {

std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1u) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[i] = value;
    }
    return table;
}

}  // namespace

std::uint32_t crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = makeTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

}  // namespace orvek
