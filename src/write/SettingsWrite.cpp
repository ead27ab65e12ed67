#include "write/SettingsWrite.h"

#include <cstdio>

#include "history/SettingsRecords.h"
#include "platform/Clock.h"
#include "settings/SettingsBlock.h"

namespace orvek {

namespace {

// The ESC takes a moment after the commit before it answers a read again.
constexpr std::uint32_t kReadBackDelayMs = 200;

WirePairs wirePairsOf(const WriteImage& image) {
    WirePairs pairs{};
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {image[i].registerCode, image[i].value};
    return pairs;
}

SettingsValues valuesOf(const WirePairs& pairs) {
    SettingsValues values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = pairs[i][1];
    return values;
}

SettingsWriteOutcome readBack(UsbUart& link, SettingsWriteReport& report) {
    sleepMs(kReadBackDelayMs);
    SettingsFrame frame{};
    if (!readSettings(link, frame)) return SettingsWriteOutcome::NotReadBack;
    for (std::size_t i = 0; i < report.readBack.size(); ++i) report.readBack[i] = frame[i];
    return report.readBack == valuesOf(report.pairs) ? SettingsWriteOutcome::Verified
                                                     : SettingsWriteOutcome::Differs;
}

}  // namespace

bool SettingsWriteReport::committed() const {
    return outcome == SettingsWriteOutcome::Written || outcome == SettingsWriteOutcome::Verified ||
           outcome == SettingsWriteOutcome::NotReadBack || outcome == SettingsWriteOutcome::Differs;
}

bool SettingsWriteReport::succeeded() const {
    return outcome == SettingsWriteOutcome::Written || outcome == SettingsWriteOutcome::Verified;
}

const char* settingsWriteBoxText(SettingsWriteOutcome outcome) {
    switch (outcome) {
        case SettingsWriteOutcome::PairFailed: return writeText::PairFailed;
        case SettingsWriteOutcome::CommitFailed: return writeText::CommitFailed;
        default: return nullptr;
    }
}

std::string settingsWriteMessage(const SettingsWriteReport& report) {
    char line[96];
    switch (report.outcome) {
        case SettingsWriteOutcome::Written:
        case SettingsWriteOutcome::Verified: return {};
        case SettingsWriteOutcome::PairFailed: {
            const auto pair = static_cast<std::size_t>(report.failedPair);
            std::snprintf(
                line, sizeof line, " (pair %d of 22, register 0x%02X, was not acknowledged)",
                report.failedPair + 1, pair < report.pairs.size() ? report.pairs[pair][0] : 0);
            return std::string(settingsWriteBoxText(report.outcome)) + line;
        }
        case SettingsWriteOutcome::CommitFailed:
            return std::string(settingsWriteBoxText(report.outcome)) +
                   " (the commit byte could not be sent)";
        case SettingsWriteOutcome::Stopped:
            return "write stopped after " + std::to_string(report.failedPair) +
                   " of 22 pairs: the ESC holds an unfinished write, not committed, until the "
                   "settings are written again or it is powered off";
        case SettingsWriteOutcome::NotReadBack:
            return "the settings were sent but could not be read back to verify them";
        case SettingsWriteOutcome::Differs: {
            std::string differences;
            for (std::size_t i = 0; i < report.pairs.size(); ++i) {
                if (report.readBack[i] == report.pairs[i][1]) continue;
                std::snprintf(line, sizeof line, "%sregister 0x%02X sent 0x%02X, ESC holds 0x%02X",
                              differences.empty() ? "" : "; ", report.pairs[i][0],
                              report.pairs[i][1], report.readBack[i]);
                differences += line;
            }
            return "verification failed: " + differences;
        }
    }
    return {};
}

SettingsWriteReport writeSettingsOf(UsbUart& link, ParameterLists& lists,
                                    const SettingsWriteOptions& options) {
    SettingsWriteReport report;
    const WriteImage image = BuildWriteImage(lists);
    report.pairs = wirePairsOf(image);
    switch (writeSettings(link, report.pairs, options.progress, &report.failedPair, options.stop)) {
        case WriteOutcome::PairFailed:
            report.outcome = SettingsWriteOutcome::PairFailed;
            return report;
        case WriteOutcome::Stopped: report.outcome = SettingsWriteOutcome::Stopped; return report;
        case WriteOutcome::CommitFailed:
            report.outcome = SettingsWriteOutcome::CommitFailed;
            return report;
        case WriteOutcome::Written: break;
    }
    // Acknowledged and committed: what the lists wrote is what the ESC holds now.
    recordWrittenSettings(lists, image);
    if (options.history && options.identity) {
        // Untouched factory defaults are a defaults write; anything else a write.
        const bool defaults = lists.origin.source == ValuesSource::Defaults && !lists.origin.edited;
        options.history->record(
            settingsRecord(defaults ? HistoryKind::Defaults : HistoryKind::Write, lists,
                           *options.identity, valuesOf(report.pairs), lists.origin));
    }
    report.outcome = options.verify ? readBack(link, report) : SettingsWriteOutcome::Written;
    return report;
}

}  // namespace orvek
