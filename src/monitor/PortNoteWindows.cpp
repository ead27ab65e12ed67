// The permission note on Windows: a COM port refuses a second program, and a driver that lost
// its device refuses everyone; Windows has no groups for ports.
#include "monitor/PortNote.h"

namespace orvek::portNoteText {

const char* const AccessDenied =
    "Windows refused the adapter's COM port. Close any other program that uses it, or plug the "
    "adapter in again and check its CP210x driver in the Device Manager.";

}  // namespace orvek::portNoteText
