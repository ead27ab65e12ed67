#include "platform/UserFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace orvek {
namespace {

// The known folder's path, which the shell allocates and we free.
std::optional<std::filesystem::path> knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path);
    std::optional<std::filesystem::path> folder;
    if (SUCCEEDED(result) && path != nullptr && *path != L'\0') {
        folder = std::filesystem::path(path) / L"orvek-link";
    }
    ::CoTaskMemFree(path);
    return folder;
}

}  // namespace

std::optional<std::filesystem::path> userHomeFolder() {
    std::optional<std::filesystem::path> folder = knownFolder(FOLDERID_Profile);
    if (folder) folder = folder->parent_path();  // without the "orvek-link" knownFolder adds
    return folder;
}

// Setup sheets, images and backups stay on this machine; config.ini roams with the user.
std::optional<std::filesystem::path> userDataFolder() { return knownFolder(FOLDERID_LocalAppData); }

std::optional<std::filesystem::path> userConfigFolder() {
    return knownFolder(FOLDERID_RoamingAppData);
}

}  // namespace orvek
