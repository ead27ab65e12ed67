#include "history/SettingsRecords.h"

#include "platform/AsciiCase.h"
#include "settings/EscFamily.h"
#include "settings/OptionLists.h"

namespace orvek {

HistoryRecord settingsRecord(HistoryKind kind, const ParameterLists& lists,
                             const FirmwareIdentity& identity, const SettingsValues& bytes,
                             const ValuesOrigin& origin) {
    HistoryRecord record;
    record.kind = kind;
    record.info = identity.escInfo();
    record.model = identity.escModelName();
    record.family = escFamilyName(lists.family);
    record.firmware = identity.escFirmware();
    record.block.assign(bytes.begin(), bytes.end());
    record.settings = selectedSettingsTexts(lists);
    record.origin = origin;
    return record;
}

HistoryRecord updateRecord(FirmwareTarget target, const FirmwareIdentity& identity,
                           const std::filesystem::path& image, const std::string& result) {
    HistoryRecord record;
    record.kind = HistoryKind::Update;
    record.info = identity.escInfo();
    const bool esc = target == FirmwareTarget::Esc;
    record.model = esc ? identity.escModelName() : identity.cardModelName();
    record.firmware = esc ? identity.escFirmware() : identity.cardFirmware();
    record.image = image.filename().string();
    std::error_code error;
    const auto size = std::filesystem::file_size(image, error);
    record.imageSize = error ? 0 : static_cast<std::int64_t>(size);
    record.target = esc ? "esc" : "card";
    record.result = result;
    return record;
}

SettingsImport applyRecordedSettings(ParameterLists& lists, const HistoryRecord& record) {
    SettingsImport report;
    for (int k = 0; k < kParameterCount; ++k) {
        ImportedSetting& setting = report.settings[static_cast<std::size_t>(k)];
        setting.keyNumber = k;
        setting.value = record.settings[static_cast<std::size_t>(k)];
        if (setting.value.empty()) {
            setting.outcome = ImportOutcome::EmptyValue;
            continue;
        }
        const auto index = FindOption(lists, k, setting.value);
        if (!index) {
            setting.outcome = ImportOutcome::NoMatch;
            continue;
        }
        lists.byKey(k).setSelection(*index);
        setting.outcome = ImportOutcome::Selected;
        setting.selected = *index;
    }
    lists.origin = {ValuesSource::History, "#" + std::to_string(record.id), false};
    return report;
}

std::array<bool, kParameterCount> recordDiffers(
    const HistoryRecord& record, const std::array<std::string, kParameterCount>& now) {
    std::array<bool, kParameterCount> differs{};
    for (std::size_t k = 0; k < differs.size(); ++k)
        differs[k] = !equalsIgnoringCase(record.settings[k], now[k]);
    return differs;
}

}  // namespace orvek
