#include "session/SessionNotes.h"

#include <cstdio>

namespace orvek {

const char* deviceModeName(DeviceMode mode) {
    switch (mode) {
        case DeviceMode::None: return "none";
        case DeviceMode::Esc: return "Esc";
        case DeviceMode::ProgramCard: return "Program Card";
        case DeviceMode::Fix: return "Fix Mode";
    }
    return "?";
}

std::string boxNote(const std::string& text, MessageIcon icon) {
    return std::string(icon == MessageIcon::Stop ? "box (stop icon): " : "box: ") + text;
}

std::string identityNote(FirmwareTarget target, const FirmwareIdentity& identity) {
    const bool esc = target == FirmwareTarget::Esc;
    std::string text = "identified: " + (esc ? identity.escModelName() : identity.cardModelName()) +
                       ", " + (esc ? identity.escFirmware() : identity.cardFirmware()) + " (info";
    char hex[4];
    for (std::uint8_t byte : identity.escInfo()) {
        std::snprintf(hex, sizeof hex, " %02X", byte);
        text += hex;
    }
    return text + ")";
}

void MonitorNotes::lamps(bool usbOn, DeviceMode identified) {
    const auto lit = [](bool on) { return on ? "on" : "off"; };
    std::string text = std::string("lamps: USB ") + lit(usbOn) + ", ESC " +
                       lit(identified == DeviceMode::Esc) + ", program card " +
                       lit(identified == DeviceMode::ProgramCard);
    if (text == lamps_) return;
    lamps_ = text;
    log_.add(LogKind::State, std::move(text));
}

void MonitorNotes::mode(DeviceMode mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    log_.add(LogKind::State, std::string("mode: ") + deviceModeName(mode));
}

void MonitorNotes::portNote(const std::string& note) {
    log_.add(LogKind::State,
             note.empty() ? std::string("port note cleared") : "port note: " + note);
}

void MonitorNotes::identified(FirmwareTarget target, const FirmwareIdentity& identity) {
    log_.add(LogKind::State, identityNote(target, identity));
}

void MonitorNotes::box(const std::string& text, MessageIcon icon) {
    log_.add(LogKind::Box, boxNote(text, icon));
}

void MonitorNotes::settingsWrite(bool running) {
    log_.add(LogKind::State, running ? "settings write started" : "settings write ended");
}

void MonitorNotes::backup(const SettingsBackup& backup) {
    log_.add(LogKind::State, (backup.saved ? "settings backed up: " : "settings backup failed: ") +
                                 backup.file.string());
}

}  // namespace orvek
