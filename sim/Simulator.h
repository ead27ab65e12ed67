#pragma once
// The simulated adapter plus device on a pseudo-terminal: echoes every byte, answers as the
// chosen peer, optionally paces its output at the line rate, records what it received with
// timestamps, keeps the ESC settings (optionally in a state file) and injects faults.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/DeviceModel.h"
#include "sim/PseudoTerminal.h"

namespace orvek::sim {

struct SimOptions {
    Peer peer = Peer::EscApplication;
    DeviceIdentity identity;
    SettingsBlock settings = defaultSettingsBlock();
    bool paced = false;  // put bytes on the line at `baud`, 10 bits a byte
    std::uint32_t baud = 19200;
    std::string stateFile;  // where the ESC keeps its settings across runs (optional)
};

struct ReceivedByte {
    std::uint8_t value;
    double atMs;  // since the simulator started
};

class Simulator {
public:
    explicit Simulator(SimOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // False when the pseudo-terminal cannot be opened, or the state file is refused
    // (stateProblem says why: it is never read nor written then).
    bool start();
    void stop();
    const std::string& stateProblem() const { return stateProblem_; }
    // False once a save of the state file failed: the settings were not kept.
    bool stateKept() const { return !stateSaveFailed_.load(); }
    const std::string& devicePath() const { return pty_.devicePath(); }

    void setFaults(const Faults& faults);
    Faults faults() const;

    // The peer that answers now (an update moves an application to its bootloader and back).
    Peer peer() const;
    void setPeer(Peer peer);
    // What the device says it is from now on (another ESC on the same adapter).
    void setIdentity(const DeviceIdentity& identity);
    // Another ESC plugged in on the same adapter: its identity, and its settings from
    // `stateFile`, where it keeps them from now on (empty: the default settings, kept nowhere).
    // False when the file is refused (stateProblem says why); the ESC then holds the defaults.
    bool plugInEsc(const DeviceIdentity& identity, const std::string& stateFile);
    SettingsBlock settings() const;
    void setSettings(const SettingsBlock& block);

    std::vector<ReceivedByte> received() const;
    std::vector<std::vector<std::uint8_t>> records() const;
    std::vector<std::vector<std::uint8_t>> blocks() const;
    int pairsStored() const;
    int commits() const;
    int imagesCompleted() const;
    // Bytes put on the line so far: echoes and answers.
    long long bytesEmitted() const;
    void clearReceived();

    // Cuts the line now, as a pulled cable does.
    void dropLine();
    bool lineDropped() const { return dropped_.load(); }

    // Milliseconds since start, on the clock the timestamps use.
    double nowMs() const;

    // Time one byte takes on the line.
    double byteTimeMs() const;

private:
    struct Pending {
        std::uint8_t value;
        double dueMs;
    };
    void run();
    void handleInput(std::vector<Emission>& emissions);
    void schedule(const std::vector<std::uint8_t>& bytes, double earliestMs);
    void flushDue();
    void loadState();
    void saveState();

    SimOptions options_;
    PseudoTerminal pty_;
    mutable std::mutex mutex_;
    DeviceModel model_;
    Faults faults_;
    std::vector<ReceivedByte> received_;
    long long receivedTotal_ = 0;
    std::deque<Pending> outQueue_;
    double wireFreeMs_ = 0;
    bool writeBlocked_ = false;
    double cutAtMs_ = -1;  // when a requested cut takes the line down
    long long emitted_ = 0;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> dropped_{false};
    std::string stateProblem_;
    std::atomic<bool> stateSaveFailed_{false};
    bool dropRequested_ = false;
    std::condition_variable dropDone_;
    int wakeRead_ = -1, wakeWrite_ = -1;
    std::int64_t startNs_ = 0;
};

// The device a program's --simulate option names: "expert" (also the empty name), "stock",
// "blinky", "card" or "bootloader". False, `options` untouched, for any other name.
bool optionsForDeviceKind(const std::string& kind, SimOptions& options);

}  // namespace orvek::sim
