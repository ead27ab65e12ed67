#include "link/AdapterDiscovery.h"

#include "link/SystemDeviceRegistry.h"

namespace orvek {
namespace {

std::string ascii(const std::u16string& text) { return std::string(text.begin(), text.end()); }

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// "USB\VID_10C4&PID_EA60\0001": vendor, product and the serial number after the last separator.
SerialAdapter adapterFromInstance(const std::string& instance, const std::string& portName) {
    SerialAdapter a;
    a.ttyName = portName;
    a.devicePath = portName;
    const std::size_t vid = instance.find("VID_");
    const std::size_t pid = instance.find("PID_");
    if (vid != std::string::npos) a.vendorId = lower(instance.substr(vid + 4, 4));
    if (pid != std::string::npos) a.productId = lower(instance.substr(pid + 4, 4));
    const std::size_t last = instance.rfind('\\');
    if (last != std::string::npos && last > 4) a.serial = instance.substr(last + 1);
    return a;
}

}  // namespace

AdapterDiscovery::AdapterDiscovery(std::shared_ptr<const DeviceRegistry> registry,
                                   LookupMessages messages)
    : registry_(registry ? std::move(registry) : systemDeviceRegistry()),
      messages_(std::move(messages)) {}

std::vector<SerialAdapter> AdapterDiscovery::listUsbSerialPorts() const {
    // Every present USB device that has a port name in its parameters, in enumeration order.
    std::vector<SerialAdapter> found;
    std::vector<std::u16string> ids;
    registry_->walkPresentDevices([&](const std::u16string& id) {
        ids.push_back(id);
        return true;
    });
    for (const std::u16string& id : ids) {
        if (id.size() < 4 || ascii(id.substr(0, 4)) != "USB\\") continue;
        const auto name = registry_->readString(
            u"SYSTEM\\CurrentControlSet\\Enum\\USB\\" + id.substr(4) + u"\\Device Parameters",
            u"PortName", kRegistryValueBytes);
        if (!name || name->empty()) continue;
        found.push_back(adapterFromInstance(ascii(id), ascii(*name)));
    }
    return found;
}

std::string AdapterDiscovery::findAdapterPort() const {
    const int port = findPortNumberNt(*registry_, messages_);
    return port < 0 ? std::string() : comPortName(port);
}

}  // namespace orvek
