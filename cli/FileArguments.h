#pragma once
// File names between the command line and std::filesystem. Arguments arrive as UTF-8 (on
// Windows too: the program's manifest makes UTF-8 its code page), but a path made from a narrow
// string there reads it in the C library's code page; so names go in and come out as UTF-8.
#include <filesystem>
#include <string>

namespace orvek::cli {

inline std::filesystem::path fileArgument(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

inline std::string fileText(const std::filesystem::path& path) { return path.u8string(); }

}  // namespace orvek::cli
