#pragma once
// The note the window shows under its page buttons while the port it was given cannot be used
// for a reason the person at the keyboard can mend: no permission, or a path that is no serial
// port at all. Background failures (no adapter, a device that does not answer) get no note.
#include <string>

#include "platform/SerialPort.h"

namespace orvek {

namespace portNoteText {
constexpr const char* AccessDenied =
    "No permission to open the adapter's port. Install the ORVEK Link udev rule (the package "
    "does) and plug the adapter in again, or join the dialout group and log in again.";
}  // namespace portNoteText

// The note for the last open of `path`, empty when there is none to show.
std::string portNote(SerialPort::OpenFailure failure, SerialPort::PathKind kind,
                     const std::string& path);

}  // namespace orvek
