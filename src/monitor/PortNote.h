#pragma once
// The note the window shows under its page buttons while the port it was given cannot be used
// for a reason the person at the keyboard can mend: no permission, or a path that is no serial
// port at all. Background failures (no adapter, a device that does not answer) get no note.
#include <string>

#include "platform/SerialPort.h"

namespace orvek {

namespace portNoteText {
// The system's own fix: the udev rule on Linux, the port's program and driver on Windows
// (PortNotePosix.cpp, PortNoteWindows.cpp).
extern const char* const AccessDenied;
}  // namespace portNoteText

// The note for the last open of `path`, empty when there is none to show.
std::string portNote(SerialPort::OpenFailure failure, SerialPort::PathKind kind,
                     const std::string& path);

}  // namespace orvek
