#pragma once
// The settings write that the window's monitor and orvek-cli both drive: the option lists'
// write image as 22 pairs on the wire (each acknowledged, 100 ms apart), the commit, a
// read-back where asked, progress, the history record of a committed write, and one outcome
// with its words.
#include <atomic>
#include <string>

#include "firmware/DeviceIdentity.h"
#include "history/HistorySink.h"
#include "link/CommandSet.h"
#include "link/UsbUart.h"
#include "settings/ParameterLists.h"

namespace orvek {

// The boxes of a write that failed on the wire, in the window's words.
namespace writeText {
constexpr const char* PairFailed = "Send fail";
constexpr const char* CommitFailed = "Send Fail";
}  // namespace writeText

enum class SettingsWriteOutcome {
    Written,       // acknowledged pair by pair and committed; not read back
    Verified,      // committed, read back and equal to what was sent
    PairFailed,    // a pair was not acknowledged: nothing committed
    CommitFailed,  // every pair acknowledged, the commit byte not sent
    Stopped,       // stopped before a pair: nothing committed
    NotReadBack,   // committed, but the read-back brought no settings block
    Differs,       // committed, and the read-back differs from what was sent
};

struct SettingsWriteReport {
    SettingsWriteOutcome outcome = SettingsWriteOutcome::Written;
    // What was sent, in block order.
    WirePairs pairs{};
    // PairFailed: the pair not acknowledged; Stopped: the first pair not sent (0-based).
    int failedPair = -1;
    // NotReadBack, Differs, Verified: what the read-back found (the settings values).
    SettingsValues readBack{};

    // The ESC took the commit: it holds these values from now on, whatever a read-back says.
    bool committed() const;
    bool succeeded() const;
    // The percentage the progress display stays at after a failed pair.
    int progressAtFailure() const { return writePercent(failedPair < 0 ? 0 : failedPair); }
};

// The message box the window raises for a write that failed on the wire: writeText::PairFailed
// or CommitFailed; null for the other outcomes.
const char* settingsWriteBoxText(SettingsWriteOutcome outcome);
// One line saying what happened, with the detail a log or a terminal needs ("Send fail (pair 3
// of 22, register 0x12, was not acknowledged)"); empty for Written and Verified.
std::string settingsWriteMessage(const SettingsWriteReport& report);

struct SettingsWriteOptions {
    // Told after each acknowledged pair.
    WriteProgress* progress = nullptr;
    // Read the settings back after the commit and compare them with what was sent.
    bool verify = false;
    // Set from any thread or a signal handler: the write ends before its next pair.
    const std::atomic<bool>* stop = nullptr;
    // Where a committed write leaves its record, for `identity` (none when null).
    HistorySink* history = nullptr;
    const FirmwareIdentity* identity = nullptr;
};

// Sends the lists' selections to the identified ESC on `link`, whose exchange the caller holds.
// After the commit the lists take the written values as what the ESC holds, and the history
// gets a write record (a defaults record for untouched factory defaults).
SettingsWriteReport writeSettingsOf(UsbUart& link, ParameterLists& lists,
                                    const SettingsWriteOptions& options);

}  // namespace orvek
