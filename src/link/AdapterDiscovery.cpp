#include "link/AdapterDiscovery.h"

#include <cstdlib>

namespace orvek {

bool SerialAdapter::isOrvekAdapter() const {
    return vendorId == kAdapterVendor && productId == kAdapterProduct;
}

std::string resolvePortPath(const std::string& overridePath, const AdapterDiscovery& discovery) {
    if (!overridePath.empty()) return overridePath;
    if (const char* env = std::getenv(kPortEnvVar); env != nullptr && *env != '\0') return env;
    return discovery.findAdapterPort();
}

}  // namespace orvek
