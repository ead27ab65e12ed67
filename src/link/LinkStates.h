#pragma once
// What a link exchange returned, and what the tool knows of the line and the attached device.
// The numbers are the ones the lamps, the monitor and the workers compare, and the ones state
// dumps and test failures print.
#include <iosfwd>

namespace orvek {

enum class LinkStatus : int {
    Ok = 0,
    TxFailed = 1,    // not written (sendPair: or acknowledgement not 0x01)
    Timeout = 2,     // no complete answer within the time limit
    WrongCount = 3,  // the read completed with another byte count
};

// The link's serial port: no usable port, or open and in use.
enum class UsbState : int { NoPort = 0, PortOpen = 2 };

// The ESC application on the line.
enum class EscState : int { NotProbed = 0, NotAnswering = 1, Identified = 2 };

// The program card on the line (kept by the main window, not by the link).
enum class CardState : int { NotProbed = 0, NotAnswering = 1, Identified = 2 };

constexpr int toInt(LinkStatus s) { return static_cast<int>(s); }
constexpr int toInt(UsbState s) { return static_cast<int>(s); }
constexpr int toInt(EscState s) { return static_cast<int>(s); }
constexpr int toInt(CardState s) { return static_cast<int>(s); }

const char* linkStatusName(LinkStatus s);

// For test failures and traces: the name and the number, e.g. "Timeout (2)".
std::ostream& operator<<(std::ostream& out, LinkStatus s);
std::ostream& operator<<(std::ostream& out, UsbState s);
std::ostream& operator<<(std::ostream& out, EscState s);
std::ostream& operator<<(std::ostream& out, CardState s);

}  // namespace orvek
