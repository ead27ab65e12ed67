#include "monitor/PortNote.h"

namespace orvek {

std::string portNote(SerialPort::OpenFailure failure, SerialPort::PathKind kind,
                     const std::string& path) {
    switch (failure) {
        case SerialPort::OpenFailure::NoPermission: return portNoteText::AccessDenied;
        case SerialPort::OpenFailure::NotATerminal:
            return notASerialPortText(path, kind) +
                   ". Name the adapter's port with --port, or leave it out to find the adapter.";
        default: return {};
    }
}

}  // namespace orvek
