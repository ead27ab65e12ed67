#include "settings/SettingsImportReport.h"

namespace orvek {

std::string unmatchedSettingsReport(const SettingsImport& imported) {
    const auto unmatched = imported.unmatched();
    if (unmatched.empty()) return {};
    std::string text =
        "These settings were left unchanged: their values match no option of the lists as they are "
        "filled now.\n";
    for (const ImportedSetting& setting : unmatched) {
        text += "\n";
        text += parameterTable()[static_cast<std::size_t>(setting.keyNumber)].keyName;
        text += " = " + setting.value;
    }
    return text;
}

}  // namespace orvek
