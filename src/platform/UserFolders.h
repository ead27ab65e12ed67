#pragma once
// The racer's own folders beside the installed program data: setup sheets and firmware images
// under the data folder, an own config.ini under the config folder. After the XDG base
// directory rules on Linux; on Windows %LOCALAPPDATA%\orvek-link and %APPDATA%\orvek-link
// from the known-folder API. The program only ever reads from them (settings backups aside).
#include <filesystem>
#include <optional>

namespace orvek {

// $XDG_DATA_HOME/orvek-link, else ~/.local/share/orvek-link; nothing when neither variable
// gives an absolute path (a relative one is ignored, as the XDG rules ask).
std::optional<std::filesystem::path> userDataFolder();

// $XDG_CONFIG_HOME/orvek-link, else ~/.config/orvek-link; nothing as above.
std::optional<std::filesystem::path> userConfigFolder();

// The user's home folder ($HOME; the profile folder on Windows), which a diagnostic log writes
// as "~"; nothing as above.
std::optional<std::filesystem::path> userHomeFolder();

}  // namespace orvek
