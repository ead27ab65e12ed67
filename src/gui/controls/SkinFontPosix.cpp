// The sans face of the skin on Linux: Debian ships none of the Windows sans faces, and Liberation
// Sans has Arial's metrics.
#include "gui/controls/SkinFont.h"

namespace orvek {

const char* const kSansFace = "Liberation Sans";

}  // namespace orvek
