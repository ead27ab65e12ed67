#pragma once
// The Device menu's modes: which device the poll looks for. One at a time, or none.
namespace orvek {

enum class DeviceMode { None, Esc, ProgramCard, Fix };

// The device a poll can identify: the ESC or the program card, none in fix mode.
inline bool identifiesDevice(DeviceMode mode) {
    return mode == DeviceMode::Esc || mode == DeviceMode::ProgramCard;
}

}  // namespace orvek
