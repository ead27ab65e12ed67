#include "link/PortLookup.h"

#include <cstdio>

namespace orvek {
namespace {

std::u16string upper(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return text;
}

std::u16string widenAscii(const char* text) {
    std::u16string wide;
    for (; *text != '\0'; ++text) wide.push_back(static_cast<unsigned char>(*text));
    return wide;
}

// The instance id as 8-bit text, as the old driver stores it beside the port.
std::string narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out.push_back(static_cast<char>(c));
    return out;
}

}  // namespace

std::u16string findAdapterInstance(const DeviceRegistry& registry, const LookupMessages& messages) {
    std::u16string seen;
    std::u16string adapter;
    const DeviceRegistry::Walk walk = registry.walkPresentDevices([&](const std::u16string& id) {
        const std::u16string instance = upper(id);
        if (instance.compare(0, 3, u"USB") != 0) return true;
        seen += instance + u"\r\n";
        // After the start: the pattern is part of the id, never the whole of it.
        const std::size_t at = instance.find(kAdapterIdPattern);
        if (at != std::u16string::npos && at > 0) {
            adapter = instance;
            return false;
        }
        return true;
    });
    if (walk == DeviceRegistry::Walk::ListFailed) {
        if (messages) messages(kDeviceListFailedText);
        return {};
    }
    if (walk == DeviceRegistry::Walk::IdFailed && messages) messages(kDeviceIdFailedText);
    return adapter.empty() ? seen : adapter;
}

int findPortNumberNt(const DeviceRegistry& registry, const LookupMessages& messages) {
    const std::u16string root = u"SYSTEM\\CurrentControlSet\\";
    if (!registry.keyExists(root) || !registry.keyExists(root + u"Enum\\USB\\")) return -1;
    const std::u16string instance = findAdapterInstance(registry, messages);
    // USB\VID_10C4&PID_EA60\0001 lives at Enum\USB\VID_10C4&PID_EA60\0001\Device Parameters.
    const std::u16string key = instance + u"\\Device Parameters\\";
    if (key.size() < 4) return -1;
    const std::u16string parameters = root + u"Enum\\USB\\" + key.substr(4);
    const auto name = registry.readString(parameters, u"PortName", kRegistryValueBytes);
    if (!name) return -1;
    return portNumberFromName(*name);
}

int findPortNumberLegacy(const DeviceRegistry& registry, const LookupMessages& messages) {
    const std::string instance = narrow(findAdapterInstance(registry, messages));
    int found = -1;
    for (int n = 0; n <= 9999; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, "%.4d", n);
        const std::u16string key = u"Enum\\SLABCR\\guid\\" + widenAscii(number);
        if (!registry.keyExists(key)) break;
        const auto lower = registry.readNarrowString(key, u"CRLowerDeviceID", kRegistryValueBytes);
        if (!lower || *lower != instance) continue;
        const auto name = registry.readNarrowString(key, u"Portname", kRegistryValueBytes);
        if (!name) continue;
        found = portNumberFromName(std::u16string(name->begin(), name->end()));
    }
    return found;
}

int portNumberFromName(std::u16string_view name) {
    int number = 0;
    for (std::size_t i = 3; i < name.size() && name[i] >= u'0' && name[i] <= u'9'; ++i) {
        number = number * 10 + (name[i] - u'0');
        if (number > 99999) break;  // no such port; keeps the number in range
    }
    return number;
}

std::string comPortName(int portNumber) { return "COM" + std::to_string(portNumber); }

}  // namespace orvek
