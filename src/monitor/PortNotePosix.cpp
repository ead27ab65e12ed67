// The permission note on Linux: the device node's group and the package's udev rule.
#include "monitor/PortNote.h"

namespace orvek::portNoteText {

const char* const AccessDenied =
    "No permission to open the adapter's port. Install the ORVEK Link udev rule (the package "
    "does) and plug the adapter in again, or join the dialout group and log in again.";

}  // namespace orvek::portNoteText
