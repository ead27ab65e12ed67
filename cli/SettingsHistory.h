#pragma once
// What a command of orvek-cli leaves in the settings history: its reads, writes, defaults and
// firmware updates, handed to the recorder's thread so that the line never waits for the disk,
// and all written before the program ends. A history that cannot be used is told in one warning
// line; the command's result and exit code stay what they would be without it. A build without
// SQLite keeps no history and records nothing.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "Console.h"
#include "firmware/DeviceIdentity.h"
#include "firmware/FirmwareCatalogue.h"
#include "history/HistoryRecord.h"
#include "history/HistorySink.h"
#include "settings/ParameterLists.h"
#include "settings/SettingsBlockLayout.h"

namespace orvek {
class HistoryRecorder;
}

namespace orvek::cli {

class SettingsHistory : public HistorySink {
public:
    explicit SettingsHistory(const Console& console);
    // Writes what is still queued and gives the warning, if there is one.
    ~SettingsHistory() override;
    SettingsHistory(const SettingsHistory&) = delete;
    SettingsHistory& operator=(const SettingsHistory&) = delete;

    // The lists' eighteen texts and `bytes` (the block read, or the values written).
    void recordSettings(HistoryKind kind, const ParameterLists& lists,
                        const FirmwareIdentity& identity, const SettingsValues& bytes,
                        const ValuesOrigin& origin);
    // A record made elsewhere (the settings write's).
    void record(HistoryRecord record) override;
    // A firmware update that ended, its result in the words the window records
    // (updateOutcomeName).
    void recordUpdate(FirmwareTarget target, const FirmwareIdentity& identity,
                      const std::filesystem::path& image, const std::string& result);

    // Returns once everything recorded so far is written or refused, after printing the warning
    // (once a run). The number of the last record kept, none when nothing was.
    std::optional<std::int64_t> finish();

    // False in a build without SQLite.
    static bool available();

private:
    void keepNotice(const std::string& notice);

    const Console& console_;
    std::mutex mutex_;
    std::string notice_;  // the first notice the recorder gave
    bool told_ = false;
#ifdef ORVEK_WITH_HISTORY
    HistoryRecorder& recorder();
    std::unique_ptr<HistoryRecorder> recorder_;  // made at the first record
#endif
};

// A line of the history's own words as orvek-cli prints its lines: no capital, no full stop.
std::string cliLine(std::string sentence);

}  // namespace orvek::cli
