#pragma once
// Turning the ESC's settings block into list selections, and list selections into the
// write image that sends them back.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "settings/ParameterLists.h"
#include "settings/SettingsBlockLayout.h"

namespace orvek {

// A settings read's answer is usable: 23 bytes ending in the end marker.
bool isSettingsBlock(const std::uint8_t* data, std::size_t length);

// The option index a block byte selects in its parameter's list (not yet checked against
// the list's length): negative or past the end means no selection.
int decodeBlockByte(int keyNumber, std::uint8_t value);

// Selects in each of the eighteen lists the option its block byte stands for (no selection
// when it stands for none) and redraws them. Uses bytes 0..21 only; false, and nothing
// changed, when fewer are given. Does not touch lastReadBlock.
bool ApplySettingsBlock(ParameterLists& lists, const std::uint8_t* block, std::size_t length);

// For a settings read's answer: checks it (isSettingsBlock), applies it and keeps bytes
// 0..21 as lastReadBlock, which now describes the ESC (escSettingsKnown). False, and nothing
// changed, for an unusable answer.
bool acceptSettingsBlock(ParameterLists& lists, const std::uint8_t* block, std::size_t length);

// The 22 pairs for the current selections, the carried bytes taken from lastReadBlock.
// Also kept as lists.writeImage, whose Low Volt Cut value the next image reuses while that
// list has no selection.
WriteImage BuildWriteImage(ParameterLists& lists);

// Per key number: the list's selection would write another value than the ESC holds
// (lastReadBlock). All false while escSettingsKnown is false; never true for a list without
// options, in which nothing can be chosen.
std::array<bool, kParameterCount> SettingsDifferingFromEsc(const ParameterLists& lists);
bool anySettingDiffersFromEsc(const ParameterLists& lists);

// A register the write sets to a value no list chose: its list offers no options on this ESC
// (a Blinky's boost and turbo lists, Power Profile on some versions), so it is written as a
// list without selection, 0xFF, whatever the ESC held.
struct UnlistedRegister {
    int keyNumber = 0;
    std::uint8_t registerCode = 0;
    std::uint8_t held = 0;     // what the ESC holds (lastReadBlock)
    std::uint8_t written = 0;  // what the write sends
};
// Those whose written value differs from what the ESC holds; none while escSettingsKnown is
// false.
std::vector<UnlistedRegister> UnlistedRegisterChanges(const ParameterLists& lists);

// A write of `image` was acknowledged pair by pair and committed: the ESC now holds it.
void recordWrittenSettings(ParameterLists& lists, const WriteImage& image);

}  // namespace orvek
