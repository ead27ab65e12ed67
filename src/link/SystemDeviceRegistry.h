#pragma once
// Windows only: DeviceRegistry on the system's device setup interface (SetupDi) and registry.
#include <memory>

#include "link/PortLookup.h"

namespace orvek {

std::shared_ptr<const DeviceRegistry> systemDeviceRegistry();

}  // namespace orvek
