#include "platform/UserFolders.h"

#include <cstdlib>

namespace orvek {
namespace {

std::optional<std::filesystem::path> absoluteFromEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    std::filesystem::path path(value);
    if (!path.is_absolute()) return std::nullopt;
    return path;
}

std::optional<std::filesystem::path> userFolder(const char* variable, const char* homeRelative) {
    if (auto base = absoluteFromEnv(variable)) return *base / "orvek-link";
    if (auto home = absoluteFromEnv("HOME")) return *home / homeRelative / "orvek-link";
    return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> userDataFolder() {
    return userFolder("XDG_DATA_HOME", ".local/share");
}

std::optional<std::filesystem::path> userConfigFolder() {
    return userFolder("XDG_CONFIG_HOME", ".config");
}

std::optional<std::filesystem::path> userHomeFolder() { return absoluteFromEnv("HOME"); }

}  // namespace orvek
