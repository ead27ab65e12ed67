#include "diag/DiagnosticHeader.h"

#include <chrono>
#include <cstdlib>

#include "config/AppConfig.h"
#include "platform/SystemName.h"
#include "platform/UserFolders.h"

namespace orvek {

namespace {

std::string adapterText(const SerialAdapter& adapter, const std::string& port) {
    std::string text = adapter.vendorId + ":" + adapter.productId + " " + adapter.ttyName;
    if (adapter.devicePath != adapter.ttyName) text += " (" + adapter.devicePath + ")";
    if (!adapter.serial.empty()) text += ", serial " + adapter.serial;
    if (adapter.isOrvekAdapter()) text += ", the CP210x";
    if (!port.empty() && adapter.devicePath == port) text += ", in use";
    return text;
}

std::string configFileText(const std::filesystem::path& file) {
    std::error_code error;
    const bool present = std::filesystem::is_regular_file(file, error);
    return file.string() + (present ? "" : " (none)");
}

}  // namespace

std::int64_t wallClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::vector<HeaderLine> diagnosticHeader(const DiagnosticFacts& facts, std::int64_t nowMs,
                                         const AdapterDiscovery& discovery) {
    std::vector<HeaderLine> lines;
    lines.push_back({"program", facts.program + " " + ORVEK_VERSION});
    if (!facts.command.empty()) lines.push_back({"command", facts.command});
    lines.push_back({"qt", facts.qtVersion.empty() ? "not used" : facts.qtVersion});
    lines.push_back({"system", systemDescription()});
    lines.push_back({"saved", localTimeText(nowMs, true)});

    lines.push_back({"port", facts.port.empty() ? "none opened" : facts.port});
    if (const char* named = std::getenv(kPortEnvVar); named != nullptr && *named != '\0')
        lines.push_back({kPortEnvVar, named});
    const std::vector<SerialAdapter> adapters = discovery.listUsbSerialPorts();
    if (adapters.empty()) {
        lines.push_back({"adapter", std::string("none found (USB ") + kAdapterVendor + ":" +
                                        kAdapterProduct + ")"});
    }
    for (const SerialAdapter& adapter : adapters)
        lines.push_back({"adapter", adapterText(adapter, facts.port)});

    lines.push_back({"history", facts.historyFile.empty() ? "none" : facts.historyFile.string()});
    lines.push_back({"history state", facts.historyState});

    lines.push_back({"program folder", facts.programFolder.string()});
    const std::optional<std::filesystem::path> userConfig = userConfigFolder();
    if (userConfig) lines.push_back({"config.ini", configFileText(*userConfig / "config.ini")});
    lines.push_back({"config.ini", configFileText(facts.programFolder / configKey::FileName)});
    lines.push_back({std::string("config [") + configKey::TextSection + "] " + configKey::TextSize,
                     std::to_string(readTextSize(facts.programFolder, userConfig))});
    const auto links = ReadProductLinks(facts.programFolder, userConfig);
    for (std::size_t i = 0; i < links.size(); ++i) {
        lines.push_back(
            {std::string("config [") + configKey::LinkSection + "] " + productLinkKeys()[i].key,
             links[i]});
    }
    return lines;
}

}  // namespace orvek
