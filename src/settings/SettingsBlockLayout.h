#pragma once
// Shape of the ESC's settings block (the 23 bytes it answers a settings read with) and of
// the write image (22 register-code/value pairs) that sends settings back.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvek {

constexpr std::size_t kSettingsBlockSize = 23;
constexpr std::size_t kSettingsValueCount = 22;  // every byte but the end marker
constexpr std::uint8_t kSettingsBlockEndMarker = 0xDD;

// Bytes 0..21 of a settings block.
using SettingsValues = std::array<std::uint8_t, kSettingsValueCount>;

struct SettingPair {
    std::uint8_t registerCode = 0;
    std::uint8_t value = 0;
};

// In block order; sent pair by pair, then the commit byte.
using WriteImage = std::array<SettingPair, kSettingsValueCount>;

// Register code of each block byte; 0xF7 (byte 20) comes before 0xF5 (byte 21).
constexpr std::array<std::uint8_t, kSettingsValueCount> kRegisterCodes = {
    0xE1, 0xE2, 0xD2, 0xE3, 0xD3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9,
    0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF2, 0xF7, 0xF5};

// The parameter key number held in each block byte; -1 for the bytes the ESC keeps for
// itself, which are written back as last read.
constexpr int kCarriedByte = -1;
constexpr std::array<int, kSettingsValueCount> kBlockByteKeys = {0 /* Operation Mode */,
                                                                 3 /* Drag Brake */,
                                                                 kCarriedByte,
                                                                 2 /* Low Volt Cut */,
                                                                 kCarriedByte,
                                                                 7 /* Power Profile */,
                                                                 5 /* Full Brake */,
                                                                 1 /* Reverse Speed */,
                                                                 4 /* Initial Brake */,
                                                                 9 /* Neutral DeadBand */,
                                                                 11 /* Boost Timing */,
                                                                 15 /* Turbo Slope */,
                                                                 10 /* Temp Cut Set */,
                                                                 14 /* Turbo Timing */,
                                                                 12 /* Boost RPM */,
                                                                 16 /* Turbo Delay */,
                                                                 13 /* Boost ACC */,
                                                                 8 /* Drive Frequency */,
                                                                 6 /* Brake Frequency */,
                                                                 kCarriedByte,
                                                                 kCarriedByte,
                                                                 17 /* Rotation Mode */};

}  // namespace orvek
