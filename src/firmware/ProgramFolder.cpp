#include "firmware/ProgramFolder.h"

#include <system_error>
#ifdef _WIN32
#include <windows.h>
#endif

namespace orvek {

std::filesystem::path executableFolder(const std::filesystem::path& executablePath) {
    std::filesystem::path folder = executablePath.parent_path();
    if (folder.empty()) return std::filesystem::path(".");
    return folder;
}

std::optional<std::filesystem::path> runningExecutablePath() {
#ifdef _WIN32
    // Grown until the name fits: a folder deeper than MAX_PATH still yields its whole path.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) return std::nullopt;
        if (n < name.size()) return std::filesystem::path(name.substr(0, n));
        if (name.size() >= 32768) return std::nullopt;
        name.resize(name.size() * 2);
    }
#else
    std::error_code error;
    // Linux names the running image here; no length limit applies, unlike a fixed path buffer.
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || path.empty()) return std::nullopt;
    return path;
#endif
}

bool holdsProgramData(const std::filesystem::path& folder) {
    std::error_code error;
    for (const char* entry : {"config.ini", "FirmwareInformation.txt", "Firmware", "Profile"}) {
        if (std::filesystem::exists(folder / entry, error)) return true;
    }
    return false;
}

std::filesystem::path programFolderFor(const std::filesystem::path& executableDir) {
    if (holdsProgramData(executableDir)) return executableDir;
    std::error_code error;
    const std::filesystem::path installed = executableDir / ".." / "share" / "orvek-link";
    if (std::filesystem::is_directory(installed, error)) {
        return std::filesystem::weakly_canonical(installed, error);
    }
    return executableDir;
}

std::filesystem::path programFolder(const std::optional<std::filesystem::path>& overrideFolder) {
    if (overrideFolder && !overrideFolder->empty()) return *overrideFolder;
    if (auto executable = runningExecutablePath())
        return programFolderFor(executableFolder(*executable));
    return std::filesystem::path(".");
}

}  // namespace orvek
