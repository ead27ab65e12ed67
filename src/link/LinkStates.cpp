#include "link/LinkStates.h"

#include <ostream>

namespace orvek {

const char* linkStatusName(LinkStatus s) {
    switch (s) {
        case LinkStatus::Ok: return "Ok";
        case LinkStatus::TxFailed: return "TxFailed";
        case LinkStatus::Timeout: return "Timeout";
        case LinkStatus::WrongCount: return "WrongCount";
    }
    return "?";
}

namespace {
const char* stateName(int value, const char* const (&names)[3]) {
    return value >= 0 && value < 3 && names[value] != nullptr ? names[value] : "?";
}
}  // namespace

std::ostream& operator<<(std::ostream& out, LinkStatus s) {
    return out << linkStatusName(s) << " (" << toInt(s) << ")";
}

std::ostream& operator<<(std::ostream& out, UsbState s) {
    static const char* const names[3] = {"NoPort", nullptr, "PortOpen"};
    return out << stateName(toInt(s), names) << " (" << toInt(s) << ")";
}

std::ostream& operator<<(std::ostream& out, EscState s) {
    static const char* const names[3] = {"NotProbed", "NotAnswering", "Identified"};
    return out << stateName(toInt(s), names) << " (" << toInt(s) << ")";
}

std::ostream& operator<<(std::ostream& out, CardState s) {
    static const char* const names[3] = {"NotProbed", "NotAnswering", "Identified"};
    return out << stateName(toInt(s), names) << " (" << toInt(s) << ")";
}

}  // namespace orvek
