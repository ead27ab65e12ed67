#include "config/AppConfig.h"

#include <cctype>
#include <climits>

#include "platform/ProfileFile.h"

namespace orvek {

int leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

ConfigFiles::ConfigFiles(const std::filesystem::path& programFolder,
                         const std::optional<std::filesystem::path>& userFolder) {
    for (const auto& folder : {userFolder, std::optional<std::filesystem::path>(programFolder)}) {
        if (!folder) continue;
        LoadedProfile file = loadProfileFile(*folder / configKey::FileName);
        if (file.status == ProfileFileStatus::Loaded) files_.push_back(std::move(file.document));
    }
}

std::string ConfigFiles::read(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t bufferLength) const {
    for (const ProfileDocument& file : files_) {
        if (file.value(section, key))
            return readProfileString(file, section, key, defaultValue, bufferLength);
    }
    return readProfileString(ProfileDocument(), section, key, defaultValue, bufferLength);
}

int readTextSize(const std::filesystem::path& programFolder,
                 const std::optional<std::filesystem::path>& userFolder) {
    const std::string text = ConfigFiles(programFolder, userFolder)
                                 .read(configKey::TextSection, configKey::TextSize,
                                       configKey::TextSizeDefault, configKey::TextSizeBuffer);
    return leadingInteger(text);
}

int readableTextSize(int textSize) {
    constexpr int kSmallestReadable = 60;
    constexpr int kDefault = 90;
    return textSize < kSmallestReadable ? kDefault : textSize;
}

const std::array<ProductLinkKey, kProductLinkCount>& productLinkKeys() {
    static const std::array<ProductLinkKey, kProductLinkCount> keys{{
        {ProductLink::Homepage, "MAIN", ""},
        {ProductLink::Arc, "ORVEK-ARC", "/product/ORVEK-ARC/"},
        {ProductLink::Basis, "ORVEK-BASIS", "/product/ORVEK-BASIS/"},
        {ProductLink::Zeta, "ORVEK-ZETA", "/product/ORVEK-ZETA/"},
        {ProductLink::Qlx, "ORVEK-QLX", "/product/ORVEK-QLX/"},
    }};
    return keys;
}

std::string defaultProductLink(ProductLink link) {
    const ProductLinkKey& entry = productLinkKeys()[static_cast<std::size_t>(link)];
    if (link == ProductLink::Homepage) return kDefaultWebHost;
    return std::string("http://") + kDefaultWebHost + entry.path;
}

std::array<std::string, kProductLinkCount> ReadProductLinks(
    const std::filesystem::path& programFolder,
    const std::optional<std::filesystem::path>& userFolder) {
    // One read of each file for all five keys.
    const ConfigFiles config(programFolder, userFolder);
    std::array<std::string, kProductLinkCount> links;
    for (const ProductLinkKey& entry : productLinkKeys()) {
        links[static_cast<std::size_t>(entry.link)] =
            config.read(configKey::LinkSection, entry.key, defaultProductLink(entry.link),
                        configKey::LinkBuffer);
    }
    return links;
}

}  // namespace orvek
