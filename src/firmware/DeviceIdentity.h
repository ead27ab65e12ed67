#pragma once
// How an attached device's identity reads in words: the ESC model table, the program card's
// row, version texts, and the identity values the firmware page shows.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "firmware/FirmwareCatalogue.h"
#include "link/EscInfo.h"

namespace orvek {

struct EscModel {
    std::uint8_t typeCode;
    const char* modelName;
    const char* hardwareVersion;
    const char* firmwarePrefix;
};

// The row for an ESC type code (0x0B, 0x0C, 0x0D); nothing for any other code.
std::optional<EscModel> findEscModel(std::uint8_t typeCode);

// The program card's own row, whatever the type code.
constexpr const char* kProgramCardModelName = "ORVEK PROGRAM CARD";
constexpr const char* kProgramCardFirmwarePrefix = "ORVEK QLX V";

// Prefix followed directly by the version text, as "Expert V2.20".
std::string firmwareName(std::string_view prefix, std::uint8_t versionCode);

// The identity values of the firmware page, filled from the last stored information reply.
// They keep the last identity shown, also after the device is gone.
class FirmwareIdentity {
public:
    void storeEscInfo(const EscInfo& info) { escInfo_ = info; }
    const EscInfo& escInfo() const { return escInfo_; }

    // ESC: the type code picks a model row; with a code outside the table nothing changes and
    // the result is false. Program card: model name and firmware name (hardware version stays).
    bool showDeviceInfo(FirmwareTarget target);

    const std::string& escModelName() const { return escModelName_; }
    const std::string& escHardwareVersion() const { return escHardwareVersion_; }
    const std::string& escFirmware() const { return escFirmware_; }
    const std::string& cardModelName() const { return cardModelName_; }
    const std::string& cardHardwareVersion() const { return cardHardwareVersion_; }
    const std::string& cardFirmware() const { return cardFirmware_; }

private:
    EscInfo escInfo_{};
    std::string escModelName_;
    std::string escHardwareVersion_;
    std::string escFirmware_;
    std::string cardModelName_;
    std::string cardHardwareVersion_;
    std::string cardFirmware_;
};

}  // namespace orvek
