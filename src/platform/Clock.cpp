#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace orvek {

std::uint32_t tickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void sleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void busyWaitMs(std::uint32_t ms) {
    const std::uint32_t start = tickCount();
    while (tickCount() - start < ms) {
        std::this_thread::yield();
    }
}

}  // namespace orvek
