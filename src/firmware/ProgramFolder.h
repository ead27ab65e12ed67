#pragma once
// Where the program's data (config.ini, Firmware, FirmwareInformation.txt, Profile) lies:
// the folder of the running executable unless the caller names another one.
#include <filesystem>
#include <optional>

namespace orvek {

// The folder that holds `executablePath`: the path cut before its last separator.
// A bare file name yields "." (the current folder), "/name" yields "/".
std::filesystem::path executableFolder(const std::filesystem::path& executablePath);

// Full path of the running executable, or nothing when the system cannot tell.
std::optional<std::filesystem::path> runningExecutablePath();

// The program folder: `overrideFolder` when given (e.g. from a --data-dir option), otherwise
// the folder of the running executable, otherwise the current folder.
std::filesystem::path programFolder(const std::optional<std::filesystem::path>& overrideFolder = std::nullopt);

}  // namespace orvek
