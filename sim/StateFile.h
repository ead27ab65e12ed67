#pragma once
// The file in which the simulated ESC keeps its settings between runs: a first line that names
// it, then the 23 bytes in hexadecimal. Only a file of that kind is ever replaced, so a mistyped
// path cannot turn a racer's own file into simulator state.
#include <string>

#include "sim/DeviceModel.h"

namespace orvek::sim {

constexpr const char* kStateFileHeader = "# orvek-sim ESC settings";

// Empty when `path` can keep the state: nothing there yet in an existing folder, or a state
// file written here before that this user may write. Otherwise why not, in words. Pipes,
// devices and folders are refused by their type, never opened.
std::string stateFileProblem(const std::string& path);

// The block a state file holds; false (block untouched) for one that is missing or damaged.
bool readStateFile(const std::string& path, SettingsBlock& block);

// Replaces the file's content in one step; false when it cannot be written.
bool writeStateFile(const std::string& path, const SettingsBlock& block);

}  // namespace orvek::sim
