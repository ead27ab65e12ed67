#pragma once
// The names a diagnostic log gives the bytes on the wire: the command a byte sent stands for
// (link/CommandSet.h), a pair of the settings write, a firmware frame. The echo and the answer
// that follow carry the name of what was sent, so that one word finds a whole exchange.
#include <cstddef>
#include <cstdint>

namespace orvek {

namespace wireName {
constexpr const char* CardProbe = "card probe";
constexpr const char* EscProbe = "ESC probe";
constexpr const char* BootHello = "boot hello";
constexpr const char* InfoQuery = "info query";
constexpr const char* BootReady = "boot ready";
constexpr const char* SettingsRead = "settings read";
constexpr const char* SettingsCommit = "settings commit";
constexpr const char* BootSync = "boot sync";
constexpr const char* BootStart = "boot start";
constexpr const char* PairWrite = "pair write";
constexpr const char* RecordFrame = "record frame";
constexpr const char* BlockFrame = "block frame";
}  // namespace wireName

class WireNamer {
public:
    // The name of the bytes sent now, remembered for their echo and answer; nullptr for a single
    // byte that is no command. 0xD7 is the info query, or the card bootloader's ready request
    // when it follows a boot hello.
    const char* sent(const std::uint8_t* data, std::size_t count);
    // The exchange under way: the name of what was sent last (nullptr before anything).
    const char* current() const { return current_; }

private:
    const char* current_ = nullptr;
};

}  // namespace orvek
