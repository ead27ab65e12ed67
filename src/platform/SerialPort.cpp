#include "platform/SerialPort.h"

// What both systems' serial ports share: how a path that is no serial port is refused and told.
namespace orvek {

bool SerialPort::refuseKind(PathKind kind) {
    openFailure_ = OpenFailure::NotATerminal;
    pathKind_ = kind;
    return false;
}

const char* pathKindText(SerialPort::PathKind kind) {
    switch (kind) {
        case SerialPort::PathKind::Terminal: return "a terminal";
        case SerialPort::PathKind::RegularFile: return "a regular file";
        case SerialPort::PathKind::Folder: return "a folder";
        case SerialPort::PathKind::Pipe: return "a pipe";
        case SerialPort::PathKind::Socket: return "a socket";
        case SerialPort::PathKind::OtherDevice: return "a device that is not a terminal";
    }
    return "not a terminal";
}

std::string notASerialPortText(const std::string& path, SerialPort::PathKind kind) {
    return path + " is not a serial port (" + pathKindText(kind) + ")";
}

}  // namespace orvek
