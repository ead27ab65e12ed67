#pragma once
// Which firmware images lie in the Firmware folder of the program folder and in the racer's own
// one (~/.local/share/orvek-link/Firmware), and the information text that describes them. Read
// once when the firmware page is set up; the program folder is always passed in by the caller.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UserFolders.h"

namespace orvek {

enum class FirmwareTarget { Esc = 0, ProgramCard = 1 };

// One image offered in a list: the title shown (the file name before its last dot) and the
// name of the folder entry it came from.
struct FirmwareImageEntry {
  std::string title;
  std::string fileName;
};

// The two lists of the firmware page, each sorted without regard to case.
struct FirmwareImageLists {
  std::vector<FirmwareImageEntry> esc;          // entries ending in "kfw"
  std::vector<FirmwareImageEntry> programCard;  // entries ending in "xup"
};

std::filesystem::path firmwareFolder(const std::filesystem::path& programFolder);
std::filesystem::path firmwareInformationPath(const std::filesystem::path& programFolder);

// The largest FirmwareInformation.txt read: a page of notes on the images is a few kilobytes.
constexpr std::uint64_t kFirmwareInformationBytesLimit = 1024 * 1024;

// The text of FirmwareInformation.txt: every line, the last one too, ended by CR LF. Bytes are
// kept as stored, one per character (how bytes above 0x7F read is up to the display). Nothing
// when the file is missing, is not a regular file, is larger than the limit or cannot be read
// to its end.
std::optional<std::string> LoadFirmwareInformation(const std::filesystem::path& programFolder);

// The information text as the panel shows it: UTF-8 with LF line ends. The file's bytes read as
// UTF-8 when they are valid UTF-8 (plain ASCII included; a byte-order mark is dropped), and
// otherwise as the Western Windows code page, in which such files are usually written.
std::string informationDisplayText(std::string_view loaded);

// The direct entries of the Firmware folders (the program folder's and `userFolder`'s) whose
// names end in "kfw" (ESC) or "xup" (program card), compared case-sensitively. Folders are
// skipped; a missing folder gives empty lists. A title in both folders is listed once: the
// user's image wins, as firmwareImagePath resolves it.
FirmwareImageLists ListFirmwareImages(const std::filesystem::path& programFolder,
                                      const std::optional<std::filesystem::path>& userFolder = userDataFolder());

// The title of a folder entry: its name before the last dot, or the whole name without a dot.
std::string imageTitle(std::string_view entryName);


// The file an update asks for when `title` is chosen: the title plus ".kfw" or ".xup".
std::string firmwareFileName(std::string_view title, FirmwareTarget target);

// Where an update opens the image: userFolder/Firmware/fileName when that entry exists there,
// otherwise programFolder/Firmware/fileName.
std::filesystem::path firmwareImagePath(const std::filesystem::path& programFolder, std::string_view fileName,
                                        const std::optional<std::filesystem::path>& userFolder = userDataFolder());

}  // namespace orvek
