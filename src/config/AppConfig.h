#pragma once
// What the window reads from config.ini: the text size and the five product links. The
// racer's own config.ini (~/.config/orvek-link/config.ini) is read before the installed one in
// the program folder, key by key. Both are only ever read; a key neither holds gives the
// built-in default.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProfileFile.h"
#include "platform/UserFolders.h"

namespace orvek {

// config.ini in the program folder, only ever read.
namespace configKey {
constexpr const char* FileName = "config.ini";
constexpr const char* TextSection = "TEXT INFO";
constexpr const char* TextSize = "size";
constexpr const char* TextSizeDefault = "90";
constexpr int TextSizeBuffer = 20;
constexpr const char* LinkSection = "PRODUCT LINK";
constexpr int LinkBuffer = 260;
}  // namespace configKey

// The maker's web host: a reserved example host until config.ini names the real one.
constexpr const char* kDefaultWebHost = "www.orvek.example";

// The config.ini files in the order they are asked: the user's, then the installed one.
class ConfigFiles {
public:
    explicit ConfigFiles(
        const std::filesystem::path& programFolder,
        const std::optional<std::filesystem::path>& userFolder = userConfigFolder());

    // The value of the first file that has the key (an empty value counts as given), cut to
    // `bufferLength` - 1 characters; `defaultValue` when no file has it.
    std::string read(std::string_view section, std::string_view key, std::string_view defaultValue,
                     std::size_t bufferLength) const;

private:
    std::vector<ProfileDocument> files_;
};

// The leading whole number of a text, as the C library's conversion takes it: blanks skipped,
// an optional sign, then digits up to the first other character. No digits gives 0; a number
// past the int range gives the range's end.
int leadingInteger(std::string_view text);

// [TEXT INFO] size, in tenths of a point (default 90).
int readTextSize(const std::filesystem::path& programFolder,
                 const std::optional<std::filesystem::path>& userFolder = userConfigFolder());

// The size the pages take over on a screen that is not at 96 DPI. A size too small to read
// (under 6 pt, as a value that is not a number gives 0) falls back to the default 9 pt.
int readableTextSize(int textSize);

// The five link areas of the links page, in the order their areas are tested.
enum class ProductLink { Homepage, Arc, Basis, Zeta, Qlx };
constexpr std::size_t kProductLinkCount = 5;

struct ProductLinkKey {
    ProductLink link;
    const char* key;
    const char* path;  // of the default address on the maker's host; empty for the homepage
};
const std::array<ProductLinkKey, kProductLinkCount>& productLinkKeys();

// The built-in link: "http://" + host + path for a product, the bare host for the homepage.
std::string defaultProductLink(ProductLink link);

// [PRODUCT LINK] in config.ini, each cut to 259 characters, in productLinkKeys() order.
std::array<std::string, kProductLinkCount> ReadProductLinks(
    const std::filesystem::path& programFolder,
    const std::optional<std::filesystem::path>& userFolder = userConfigFolder());

}  // namespace orvek
