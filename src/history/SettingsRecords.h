#pragma once
// History records made from the settings model and the device identity, and a record's
// settings put back into the lists.
#include <cstdint>
#include <filesystem>
#include <string>

#include "firmware/DeviceIdentity.h"
#include "history/HistoryRecord.h"
#include "settings/ParameterLists.h"
#include "settings/SettingsFile.h"

namespace orvek {

// A settings record of the lists as they are: their eighteen texts, the family and the given
// 22 bytes (the block read, or the values written), for the identified ESC.
HistoryRecord settingsRecord(HistoryKind kind, const ParameterLists& lists,
                             const FirmwareIdentity& identity, const SettingsValues& bytes,
                             const ValuesOrigin& origin);

// A finished firmware update of `target`: the image's file name and size and how it ended.
HistoryRecord updateRecord(FirmwareTarget target, const FirmwareIdentity& identity,
                           const std::filesystem::path& image, const std::string& result);

// Selects each of the record's option texts in the lists as they are filled now (whole text,
// any letter case), as an import of a settings file does; the report says which matched.
SettingsImport applyRecordedSettings(ParameterLists& lists, const HistoryRecord& record);

// Which of the eighteen recorded texts differ from the lists' selections (letter case aside).
std::array<bool, kParameterCount> recordDiffers(const HistoryRecord& record,
                                                const std::array<std::string, kParameterCount>& now);

}  // namespace orvek
