#pragma once
// Finds the serial port of the CP210x USB-to-UART adapter (USB 10C4:EA60). On Linux by walking
// sysfs: every tty under <root>/class/tty whose device sits below a USB device with that
// identity. On Windows from the device list and the registry (link/PortLookup.h).
#include <string>
#include <vector>
#ifdef _WIN32
#include <memory>

#include "link/PortLookup.h"
#endif

namespace orvek {

constexpr const char* kAdapterVendor = "10c4";
constexpr const char* kAdapterProduct = "ea60";
// Environment variable that names a port and so bypasses discovery.
constexpr const char* kPortEnvVar = "ORVEK_PORT";

struct SerialAdapter {
    std::string ttyName;     // e.g. ttyUSB0 (COM7 on Windows)
    std::string devicePath;  // e.g. /dev/ttyUSB0 (COM7 on Windows)
    std::string vendorId;    // lower-case hex, e.g. 10c4
    std::string productId;   // lower-case hex, e.g. ea60
    std::string serial;      // USB serial number, may be empty
    bool isOrvekAdapter() const;
};

class AdapterDiscovery {
public:
#ifdef _WIN32
    // The system's device list and registry unless a test hands in its own; `messages` shows
    // the device list's failures.
    explicit AdapterDiscovery(std::shared_ptr<const DeviceRegistry> registry = nullptr,
                              LookupMessages messages = nullptr);
#else
    // `sysfsRoot` is "/sys" on a real system; tests point it at a fake tree.
    explicit AdapterDiscovery(std::string sysfsRoot = "/sys", std::string devRoot = "/dev");
#endif

    // Every tty with a USB parent, in name order.
    std::vector<SerialAdapter> listUsbSerialPorts() const;

    // The device path of the first present adapter in name order, or empty when none.
    std::string findAdapterPort() const;

private:
#ifdef _WIN32
    std::shared_ptr<const DeviceRegistry> registry_;
    LookupMessages messages_;
#else
    std::string sysfsRoot_;
    std::string devRoot_;
#endif
};

// Where the link should open: an explicit override (command line or environment) wins over
// discovery. Empty when nothing is found.
std::string resolvePortPath(const std::string& overridePath, const AdapterDiscovery& discovery);

}  // namespace orvek
