#pragma once
// Millisecond tick count and sleep: the timing primitives every exchange and pause uses.
#include <cstdint>

namespace orvek {

// Milliseconds since an arbitrary start, from a monotonic clock; wraps like a 32-bit tick count.
std::uint32_t tickCount();

void sleepMs(std::uint32_t ms);

// Spins on the tick count until at least `ms` have passed, for pauses that must not yield
// to a coarse scheduler slice.
void busyWaitMs(std::uint32_t ms);

}  // namespace orvek
