#include "firmware/ProgramFolder.h"

#include <system_error>

namespace orvek {

std::filesystem::path executableFolder(const std::filesystem::path& executablePath) {
  std::filesystem::path folder = executablePath.parent_path();
  if (folder.empty()) return std::filesystem::path(".");
  return folder;
}

std::optional<std::filesystem::path> runningExecutablePath() {
  std::error_code error;
  // Linux names the running image here; no length limit applies, unlike a fixed path buffer.
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || path.empty()) return std::nullopt;
  return path;
}

std::filesystem::path programFolder(const std::optional<std::filesystem::path>& overrideFolder) {
  if (overrideFolder && !overrideFolder->empty()) return *overrideFolder;
  if (auto executable = runningExecutablePath()) return executableFolder(*executable);
  return std::filesystem::path(".");
}

}  // namespace orvek
