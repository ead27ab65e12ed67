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

// A folder holds program data when config.ini, FirmwareInformation.txt, Firmware or Profile
// lies in it.
bool holdsProgramData(const std::filesystem::path& folder);

// Where an executable in `executableDir` finds its data: that folder itself when it holds program
// data (the portable layout), otherwise the installed data folder "../share/orvek-link" beside
// it when that exists, otherwise the executable's folder all the same.
std::filesystem::path programFolderFor(const std::filesystem::path& executableDir);

// The program folder: `overrideFolder` when given (e.g. from a --data-dir option), otherwise
// the folder found for the running executable, otherwise the current folder.
std::filesystem::path programFolder(
    const std::optional<std::filesystem::path>& overrideFolder = std::nullopt);

}  // namespace orvek
