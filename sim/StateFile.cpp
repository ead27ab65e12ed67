#include "sim/StateFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "platform/FileReplace.h"
#include "platform/ReadableFile.h"

namespace orvek::sim {
namespace {

namespace fs = std::filesystem;

// A state file is one short line after its header; anything much longer is not one.
constexpr std::uint64_t kStateFileBytesLimit = 4096;

bool readOwnFile(const std::string& path, std::string& text) {
    return readWholeFile(path, kStateFileBytesLimit, text) == FileCheck::Ok &&
           text.rfind(std::string(kStateFileHeader) + "\n", 0) == 0;
}

}  // namespace

std::string stateFileProblem(const std::string& path) {
    if (path.empty()) return "no state file named";
    std::error_code error;
    const fs::path target = followLinks(path);
    const fs::file_status status = fs::status(target, error);
    if (!fs::exists(status)) {
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        if (!fs::is_directory(folder, error))
            return "its folder " + folder.string() + " is missing";
        return {};
    }
    if (fs::is_directory(status)) return "it is a folder";
    if (!fs::is_regular_file(status)) return "it is not a regular file (a pipe or device)";
    std::string text;
    if (!readOwnFile(target.string(), text))
        return "it is not a state file of orvek-sim; it is left as it is";
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return "this user may not write it";
    return {};
}

bool readStateFile(const std::string& path, SettingsBlock& block) {
    std::string text;
    if (!readOwnFile(path, text)) return false;
    std::istringstream in(text.substr(std::string(kStateFileHeader).size() + 1));
    SettingsBlock read{};
    for (std::size_t i = 0; i < read.size(); ++i) {
        unsigned value = 0;
        if (!(in >> std::hex >> value) || value > 0xFF) return false;
        read[i] = static_cast<std::uint8_t>(value);
    }
    if (read[kBlockSize - 1] != 0xDD) return false;
    block = read;
    return true;
}

bool writeStateFile(const std::string& path, const SettingsBlock& block) {
    std::string text = std::string(kStateFileHeader) + "\n";
    char hex[4];
    for (std::uint8_t b : block) {
        std::snprintf(hex, sizeof hex, "%02X ", b);
        text += hex;
    }
    text += "\n";
    return !replaceFile(path, text);
}

}  // namespace orvek::sim
