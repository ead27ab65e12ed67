#pragma once
// The 7-byte answer to the device information query: what the link receives, what the
// monitor checks and what the firmware page and the backups read. A value type only, so that
// the file layers can name it without taking the link's I/O.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvek {

constexpr std::size_t kEscInfoSize = 7;
using EscInfo = std::array<std::uint8_t, kEscInfoSize>;

// The bytes the tool reads by position.
constexpr std::size_t kEscInfoTypeCode = 0;
constexpr std::size_t kEscInfoValidMarker = 1;  // 0x40 when an ESC application answered
constexpr std::size_t kEscInfoEscVersion = 3;
constexpr std::size_t kEscInfoCardVersion = 5;

}  // namespace orvek
