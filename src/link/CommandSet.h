#pragma once
// The wire protocol to the ESC and the program card, in their applications and bootloaders:
// each command as one named exchange with its own time limit and rule for a valid answer.
#include <array>
#include <atomic>
#include <cstdint>

#include "link/EscInfo.h"
#include "link/UsbUart.h"

namespace orvek {

namespace cmd {
constexpr std::uint8_t CardProbe = 0xD4;
constexpr std::uint8_t EscProbe = 0xD5;
constexpr std::uint8_t BootHello = 0xD6;
constexpr std::uint8_t InfoQuery = 0xD7;
constexpr std::uint8_t BootReady = 0xD7;
constexpr std::uint8_t SettingsRead = 0xD8;
constexpr std::uint8_t SettingsCommit = 0xDF;
constexpr std::uint8_t BootSync = 0x39;
constexpr std::uint8_t BootStart = 0x31;
constexpr std::uint8_t RecordStart = 0x3A;
}  // namespace cmd

namespace answer {
constexpr std::uint8_t EscPresent = 0x26;
constexpr std::uint8_t BootListening = 0xD7;
constexpr std::uint8_t BootReady = 0xD8;
constexpr std::uint8_t BootSynced = 0x61;
constexpr std::uint8_t BootAccepts = 0x01;
constexpr std::uint8_t PairAccepted = 0x01;
constexpr std::uint8_t BlockAccepted = 0x11;
constexpr std::uint8_t BlockChecksumError = 0x12;
constexpr std::uint8_t SettingsEnd = 0xDD;
constexpr std::uint8_t EscInfoValid = 0x40;
}  // namespace answer

// Time limits of the exchanges, in milliseconds.
namespace limit {
constexpr std::uint32_t Probe = 150;
constexpr std::uint32_t MultiByteAnswer = 500;
constexpr std::uint32_t Handshake = 1000;
constexpr std::uint32_t Acknowledge = 2000;
constexpr std::uint32_t BlockAnswer = 1000;
}  // namespace limit

constexpr std::size_t kSettingsFrameSize = 23;
constexpr std::size_t kSettingsPairs = 22;
constexpr int kSettingsReadAttempts = 6;

using SettingsFrame = std::array<std::uint8_t, kSettingsFrameSize>;
// The settings write on the wire: 22 two-byte pairs (register code, value) in block order.
using WirePair = std::array<std::uint8_t, 2>;
using WirePairs = std::array<WirePair, kSettingsPairs>;

enum class EscProbeResult { LinkLost, NoAnswer, EscPresent, StrayByte };
enum class CardProbeResult { LinkLost, NoAnswer, CardPresent, NoCard };

// EscProbe: 0xD5, one byte within 150 ms, 0x26 means an ESC application answers.
// A stray byte is purged. LinkLost leaves closing the port to the caller.
EscProbeResult probeEsc(UsbUart& link);

// CardProbe: 0xD4, two bytes within 150 ms, first byte 0xDx means a program card.
CardProbeResult probeCard(UsbUart& link);

// BootHello poll of fix mode: 0xD6, one byte within 150 ms. A failed send closes the port and
// the read still follows. True when a bootloader answered 0xD7.
bool pollBootloader(UsbUart& link);

// InfoQuery: 0xD7, seven bytes within 500 ms. A failed send is repeated once and then no
// answer is read. `info` holds the answer only when it came complete (status 0), zeros
// otherwise; an ESC is identified when `escInfoValid` also holds. Returns the status of the
// read, or TxFailed when the query was not sent.
LinkStatus queryInfo(UsbUart& link, EscInfo& info);
bool escInfoValid(const EscInfo& info);

// One SettingsRead attempt: 0xD8, 23 bytes within 500 ms ending 0xDD.
bool readSettingsOnce(UsbUart& link, SettingsFrame& frame);
// Up to six attempts back to back, purging both directions before the first and after the last.
bool readSettings(UsbUart& link, SettingsFrame& frame, int* attemptsUsed = nullptr);

// Settings write: the 22 pairs each acknowledged 0x01 within 2000 ms, 100 ms apart, then the
// commit byte 0xDF with no answer.
enum class WriteOutcome { Written, PairFailed, CommitFailed, Stopped };
struct WriteProgress {
    virtual ~WriteProgress() = default;
    // Called after pair `index` is acknowledged, with the percentage computed before it was sent.
    virtual void pairWritten(int index, int percent) = 0;
};
// `stop`, when given and set (from any thread or a signal handler), ends the write before its
// next pair: Stopped, with `failedPair` the pair that was not sent, and no commit.
WriteOutcome writeSettings(UsbUart& link, const WirePairs& image, WriteProgress* progress,
                           int* failedPair = nullptr, const std::atomic<bool>* stop = nullptr);
// The percentage shown for pair i of the 22: 100 * i / 21.
int writePercent(int pairIndex);

// ESC bootloader exchanges. Each returns true when the expected answer is in rxBuffer[0].
// sendFailed is set when the command could not be written.
bool bootSync(UsbUart& link, bool& sendFailed);
bool bootStart(UsbUart& link, bool& sendFailed);

// A record frame: TxFailed when it cannot be written, Timeout or WrongCount when no
// acknowledgement byte came within 2000 ms; any acknowledgement byte counts.
LinkStatus sendRecordFrame(UsbUart& link, const std::uint8_t* frame, std::uint32_t length);

// A card block frame: purge, send, one answer byte within 1000 ms.
enum class BlockAnswer { Accepted, ChecksumRefused, Again, NotSent, NoAnswer };
BlockAnswer sendBlockFrame(UsbUart& link, const std::uint8_t* block, std::uint32_t length);

}  // namespace orvek
