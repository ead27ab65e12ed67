#pragma once
// What the simulated device does with each byte it receives: an ESC or a program card, each in
// its application or its bootloader. Pure logic with time passed in, so the simulator thread
// and tests drive it the same way.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvek::sim {

enum class Peer { EscApplication, EscBootloader, CardApplication, CardBootloader };

const char* peerName(Peer peer);

// Misbehaviour on request. Every field's default is a healthy device.
struct Faults {
    bool silent = false;              // no answers at all (the adapter still echoes)
    bool echo = true;                 // the adapter's echo of every byte
    std::uint32_t answerDelayMs = 0;  // every answer comes this late
    int wrongAnswer = -1;             // first byte of every answer replaced by this value
    int shortAnswerBy = 0;            // every answer loses this many bytes at its end
    int nakPairIndex = -1;            // the pair at this write-image position is answered 0x00
    int nakPairTimes = 1 << 30;       // ... this many times
    int blockAgainCount = 0;          // the next n card blocks are answered 0x00
    int blockChecksumErrorAt = -1;    // the card block with this index is answered 0x12
    long long dropAfterBytes = -1;    // the line is cut once this many bytes were received
    int bootReadyOnTry = 1;           // card bootloader answers 0xD8 only to the n-th 0xD7
    bool answerEveryHello = true;     // a bootloader answers every 0xD6, not just the first
    int recordAck = 0x01;             // the ESC bootloader's acknowledgement byte
    int silentAfterRecords = -1;      // the ESC bootloader stops acknowledging after n records
    int silentAfterBlocks = -1;       // the card bootloader stops answering after n blocks
    int ignoreByte = -1;              // a command byte the device does not react to at all
};

constexpr std::size_t kBlockSize = 23;
using SettingsBlock = std::array<std::uint8_t, kBlockSize>;

// The settings a new simulated ESC holds (a plausible race set-up, end marker included).
SettingsBlock defaultSettingsBlock();

struct DeviceIdentity {
    std::uint8_t typeCode = 0x0B;      // 0x0B, 0x0C, 0x0D: the three ESC firmware families
    std::uint8_t versionCode = 3;      // ESC firmware version code
    std::uint8_t cardVersionCode = 2;  // program card firmware version code
};

// One answer: bytes that go on the line no earlier than `delayMs` after the byte that caused it.
struct Emission {
    std::vector<std::uint8_t> bytes;
    std::uint32_t delayMs = 0;
};

class DeviceModel {
public:
    DeviceModel(Peer peer, DeviceIdentity identity, SettingsBlock block);

    // Feeds one received byte at `nowMs`; answers are appended to `out`.
    void onByte(std::uint8_t byte, double nowMs, const Faults& faults, std::vector<Emission>& out);
    // Lets time-based behaviour happen (end of a frame by silence, a bootloader's return).
    void onTick(double nowMs, const Faults& faults, std::vector<Emission>& out);

    Peer peer() const { return peer_; }
    void setPeer(Peer peer);
    const SettingsBlock& settings() const { return block_; }
    void setSettings(const SettingsBlock& block) { block_ = block; }
    const DeviceIdentity& identity() const { return identity_; }
    // Another ESC on the same line, as when one is unplugged and the next plugged in.
    void setIdentity(const DeviceIdentity& identity) { identity_ = identity; }

    // What the device has been given, for tests to compare byte for byte.
    const std::vector<std::vector<std::uint8_t>>& records() const { return records_; }
    const std::vector<std::vector<std::uint8_t>>& blocks() const { return blocks_; }
    int pairsStored() const { return pairsStored_; }
    int commits() const { return commits_; }
    int imagesCompleted() const { return imagesCompleted_; }
    // Set on every commit; the simulator persists the block when it sees it.
    bool takeCommitted();
    // New faults apply from the next pair or block on, with their counts restarted.
    void rearmFaults() { nakArmed_ = againArmed_ = false; }
    void clearReceived() {
        records_.clear();
        blocks_.clear();
        pairsStored_ = 0;
    }

private:
    void answer(const Faults& faults, std::vector<Emission>& out, std::vector<std::uint8_t> bytes);
    void escApplication(std::uint8_t b, const Faults& f, std::vector<Emission>& out);
    void escBootloader(std::uint8_t b, double nowMs, const Faults& f, std::vector<Emission>& out);
    void cardApplication(std::uint8_t b, const Faults& f, std::vector<Emission>& out);
    void cardBootloader(std::uint8_t b, const Faults& f, std::vector<Emission>& out);
    void finishRecord(const Faults& f, std::vector<Emission>& out);
    void finishBlock(const Faults& f, std::vector<Emission>& out);

    Peer peer_;
    DeviceIdentity identity_;
    SettingsBlock block_;

    int pendingRegister_ = -1;  // ESC application: register code waiting for its value
    int nakLeft_ = 0;
    bool nakArmed_ = false;

    bool escSynced_ = false, escDataPhase_ = false;
    std::vector<std::uint8_t> frame_;
    double lastByteMs_ = 0;

    int readyTries_ = 0;
    bool cardReadyGiven_ = false, cardDataPhase_ = false;
    int blocksAgainLeft_ = 0;
    bool againArmed_ = false;

    std::vector<std::vector<std::uint8_t>> records_;
    std::vector<std::vector<std::uint8_t>> blocks_;
    int pairsStored_ = 0;
    int commits_ = 0;
    int imagesCompleted_ = 0;
    int helloAnswered_ = 0;
    bool committed_ = false;
};

}  // namespace orvek::sim
