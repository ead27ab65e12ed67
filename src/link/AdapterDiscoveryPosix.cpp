#include "link/AdapterDiscovery.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace orvek {
namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string readAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string value;
    if (!in || !std::getline(in, value)) return {};
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
        value.pop_back();
    return value;
}

// Walks up from the tty's device node to the USB device that carries idVendor/idProduct.
bool findUsbParent(const fs::path& start, const fs::path& stop, SerialAdapter& out) {
    std::error_code ec;
    for (fs::path dir = start; !dir.empty() && dir != stop && dir != dir.root_path();
         dir = dir.parent_path()) {
        if (fs::exists(dir / "idVendor", ec) && fs::exists(dir / "idProduct", ec)) {
            out.vendorId = lower(readAttribute(dir / "idVendor"));
            out.productId = lower(readAttribute(dir / "idProduct"));
            out.serial = readAttribute(dir / "serial");
            return true;
        }
    }
    return false;
}

}  // namespace

AdapterDiscovery::AdapterDiscovery(std::string sysfsRoot, std::string devRoot)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {}

std::vector<SerialAdapter> AdapterDiscovery::listUsbSerialPorts() const {
    std::vector<SerialAdapter> found;
    std::error_code ec;
    const fs::path ttyClass = fs::path(sysfsRoot_) / "class" / "tty";
    std::vector<std::string> names;
    for (fs::directory_iterator it(ttyClass, ec), end; !ec && it != end; it.increment(ec)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    const fs::path root = fs::weakly_canonical(fs::path(sysfsRoot_), ec);
    for (const std::string& name : names) {
        const fs::path deviceLink = ttyClass / name / "device";
        std::error_code lec;
        const fs::path device = fs::canonical(deviceLink, lec);
        if (lec) continue;  // virtual terminals and ptys have no device
        SerialAdapter adapter;
        if (!findUsbParent(device, root, adapter)) continue;
        adapter.ttyName = name;
        adapter.devicePath = (fs::path(devRoot_) / name).string();
        found.push_back(std::move(adapter));
    }
    return found;
}

std::string AdapterDiscovery::findAdapterPort() const {
    for (const SerialAdapter& a : listUsbSerialPorts()) {
        if (a.isOrvekAdapter()) return a.devicePath;
    }
    return {};
}

}  // namespace orvek
