#include "firmware/DeviceIdentity.h"

#include <cstdio>

#include "settings/EscFamily.h"

namespace orvek {

namespace {

constexpr EscModel kEscModels[] = {
    {0x0B, "ORVEK ARC", "Tarnwick V1.1MD", "Expert V"},
    {0x0C, "ORVEK BASIS SPEC", "Tarnwick V1.1ST", "Stock V"},
    {0x0D, "ORVEK ZETA", "Tarnwick V1.1BK", "Blinky V"},
};

}  // namespace

std::optional<EscModel> findEscModel(std::uint8_t typeCode) {
    for (const EscModel& model : kEscModels) {
        if (model.typeCode == typeCode) return model;
    }
    return std::nullopt;
}

std::string firmwareName(std::string_view prefix, std::uint8_t versionCode) {
    std::string name(prefix);
    name += escVersionText(versionCode);
    return name;
}

bool FirmwareIdentity::showDeviceInfo(FirmwareTarget target) {
    if (target == FirmwareTarget::ProgramCard) {
        cardModelName_ = kProgramCardModelName;
        cardFirmware_ = firmwareName(kProgramCardFirmwarePrefix, escInfo_[kEscInfoCardVersion]);
        return true;
    }
    const std::optional<EscModel> model = findEscModel(escInfo_[kEscInfoTypeCode]);
    if (!model) return false;
    escModelName_ = model->modelName;
    escHardwareVersion_ = model->hardwareVersion;
    escFirmware_ = firmwareName(model->firmwarePrefix, escInfo_[kEscInfoEscVersion]);
    return true;
}

}  // namespace orvek
