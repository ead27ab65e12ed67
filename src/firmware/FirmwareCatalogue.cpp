#include "firmware/FirmwareCatalogue.h"

#include <algorithm>
#include <system_error>

#include "firmware/TextLineReader.h"
#include "platform/AsciiCase.h"
#include "platform/TextFileEncoding.h"

namespace orvek {

namespace {

bool endsWith(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() && name.substr(name.size() - ending.size()) == ending;
}

void sortByTitle(std::vector<FirmwareImageEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const FirmwareImageEntry& a, const FirmwareImageEntry& b) {
    return lessIgnoringCase(a.title, b.title);
  });
}

// The images of one folder, unsorted.
FirmwareImageLists imagesIn(const std::filesystem::path& folder) {
  FirmwareImageLists lists;
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  const std::filesystem::directory_iterator end;
  for (; !error && entry != end; entry.increment(error)) {
    std::error_code typeError;
    if (entry->is_directory(typeError)) continue;
    const std::string name = entry->path().filename().string();
    if (endsWith(name, "kfw")) {
      lists.esc.push_back({imageTitle(name), name});
    } else if (endsWith(name, "xup")) {
      lists.programCard.push_back({imageTitle(name), name});
    }
  }
  return lists;
}

// Adds the installed entries whose titles the user's own images do not already give.
void addUnlessOwned(std::vector<FirmwareImageEntry>& own, const std::vector<FirmwareImageEntry>& installed) {
  const std::size_t ownCount = own.size();
  for (const FirmwareImageEntry& entry : installed) {
    const auto first = own.begin();
    const auto ownEnd = first + static_cast<std::ptrdiff_t>(ownCount);
    if (std::none_of(first, ownEnd, [&](const FirmwareImageEntry& e) { return e.title == entry.title; })) {
      own.push_back(entry);
    }
  }
}

}  // namespace

std::filesystem::path firmwareFolder(const std::filesystem::path& programFolder) {
  return programFolder / "Firmware";
}

std::filesystem::path firmwareInformationPath(const std::filesystem::path& programFolder) {
  return programFolder / "FirmwareInformation.txt";
}

std::optional<std::string> LoadFirmwareInformation(const std::filesystem::path& programFolder) {
  TextLineReader lines;
  const std::filesystem::path file = firmwareInformationPath(programFolder);
  if (!lines.open(file, kFirmwareInformationBytesLimit)) return std::nullopt;
  std::string text;
  std::string line;
  TextLineReader::Result result;
  while ((result = lines.next(line)) == TextLineReader::Result::Line) {
    text += line;
    text += "\r\n";
  }
  if (result == TextLineReader::Result::Error) return std::nullopt;
  return text;
}

std::string informationDisplayText(std::string_view loaded) {
  std::string text;
  for (const TextLine& line : splitTextFile(loaded).lines) {
    text += line.text;
    text += '\n';
  }
  return text;
}

FirmwareImageLists ListFirmwareImages(const std::filesystem::path& programFolder,
                                      const std::optional<std::filesystem::path>& userFolder) {
  FirmwareImageLists lists;
  if (userFolder) lists = imagesIn(firmwareFolder(*userFolder));
  const FirmwareImageLists installed = imagesIn(firmwareFolder(programFolder));
  addUnlessOwned(lists.esc, installed.esc);
  addUnlessOwned(lists.programCard, installed.programCard);
  sortByTitle(lists.esc);
  sortByTitle(lists.programCard);
  return lists;
}

std::string imageTitle(std::string_view entryName) {
  const std::size_t dot = entryName.rfind('.');
  return std::string(dot == std::string_view::npos ? entryName : entryName.substr(0, dot));
}


std::string firmwareFileName(std::string_view title, FirmwareTarget target) {
  std::string name(title);
  name += target == FirmwareTarget::Esc ? ".kfw" : ".xup";
  return name;
}

std::filesystem::path firmwareImagePath(const std::filesystem::path& programFolder, std::string_view fileName,
                                        const std::optional<std::filesystem::path>& userFolder) {
  if (userFolder) {
    const std::filesystem::path own = firmwareFolder(*userFolder) / std::string(fileName);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(own, error))) return own;
  }
  return firmwareFolder(programFolder) / std::string(fileName);
}

}  // namespace orvek
