#include "firmware/DeviceIdentity.h"

#include <cstdio>

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

std::string versionText(std::uint8_t versionCode) {
  // Worked out in double and rounded to single precision before printing, as the version
  // texts have always been shown.
  const float version = static_cast<float>(versionCode / 10.0 + 1.0);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(version));
  return text;
}

std::string firmwareName(std::string_view prefix, std::uint8_t versionCode) {
  std::string name(prefix);
  name += versionText(versionCode);
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
