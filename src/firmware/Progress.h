#pragma once
// The percentage an update shows before each frame or block it sends.
#include <cstdint>
#include <string>

namespace orvek {

// sent * 100 / total + 1 (integer division), kept within 1..100: a trailing empty frame,
// sent when everything is already sent, shows 100 rather than 101. An image with no bytes
// (total 0 or less) shows 100, since nothing is left to send; it never divides by zero.
// Worked out in 64 bits, so large counts cannot overflow the multiplication.
int progressPercent(std::int64_t sentBytes, std::int64_t totalBytes);

// The caption text of a percentage: "%d%%", as "42%".
std::string progressCaption(int percent);

}  // namespace orvek
