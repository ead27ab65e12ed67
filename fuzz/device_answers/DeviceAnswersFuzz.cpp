// A hostile device under libFuzzer: every write of the tool is answered as the input says
// (HostileDevice), while the real connection monitor runs its tick sequence in ESC mode (probe,
// identification, settings read, a settings write, factory defaults, a firmware update), in
// program-card mode (probe, identification, card update) and in fix mode (bootloader poll,
// ESC update), each update on its worker thread as the window starts it, on small images.
//
// Checked besides memory and undefined behaviour: every operation ends within the sum of the
// time limits and pauses it may spend; the link's and the monitor's states never leave their
// values, at any exchange; outside a requested settings write only the commands of the mode
// go to the device, and a write sends exactly the 22 pairs of its image in order and commits
// only after the last; an update sends only its handshake and the image's own frames in order;
// every message is one of the fixed texts with its icon; timer 1 runs again after everything.
// With no input left the device is healthy, so a short input must get through every step.
#include <unistd.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "FuzzLine.h"
#include "firmware/DeviceIdentity.h"
#include "link/CommandSet.h"
#include "link/UsbUart.h"
#include "monitor/ConnectionMonitor.h"
#include "monitor/MonitorUpdateHost.h"
#include "settings/ParameterLists.h"
#include "settings/SettingsBlockLayout.h"
#include "support/TestImages.h"
#include "update/FirmwareUpdate.h"
#include "update/UpdateMessages.h"
#include "write/SettingsWrite.h"

namespace orvek {
namespace {

using fuzzing::fail;
using fuzzing::fuzzLine;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Frames = std::vector<Bytes>;
using Writes = std::vector<fuzzing::DeviceWrite>;

// ---- Time bounds, from the link's limits ----------------------------------------------------

// The echo waits of UsbUart and the pauses of the link and its callers: no answer limits, but
// time an operation may spend all the same.
constexpr double kCommandEchoMs = 1000;   // sendCommand
constexpr double kPairEchoMs = 1000;      // sendPair, plus the wire time of the pair
constexpr double kFrameEchoMs = 200;      // sendFrame, plus the frame's wire time
constexpr double kFrameRestMs = 100;      // sendFrame's second read of a short echo
constexpr double kOpenSettleMs = 2 * 60;  // openPort, after the line set-up
constexpr double kAfterSettingsReadMs = 150;
constexpr double kBetweenPairsMs = 100;
constexpr double kBeforeBlockMs = 5;
constexpr double kAfterUploadMs = 1000;
constexpr double kCardLastHelloMs = 1500;  // the card update's wait after its plain hello
constexpr int kBlockTries = 4;             // a block asked for again three times, then failed

double wireMs(std::size_t bytes) {
    return std::ceil(static_cast<double>(bytes) * 10.0 * 1000.0 / 19200.0);
}
double commandMs() { return kCommandEchoMs; }
double probeMs() { return commandMs() + limit::Probe; }
double infoMs() { return std::max(2 * commandMs(), commandMs() + limit::MultiByteAnswer); }
double settingsReadMs() {
    return kSettingsReadAttempts * (commandMs() + limit::MultiByteAnswer) + kAfterSettingsReadMs;
}
double escPollMs() { return kOpenSettleMs + probeMs() + infoMs() + settingsReadMs(); }
double cardPollMs() { return kOpenSettleMs + probeMs() + infoMs(); }
double fixPollMs() { return kOpenSettleMs + commandMs() + limit::Probe; }
double settingsWriteMs() {
    return kSettingsPairs * (kPairEchoMs + wireMs(2) + limit::Acknowledge + kBetweenPairsMs) +
           commandMs();
}
double frameMs(std::size_t n) {
    return kFrameEchoMs + wireMs(n) + (n > kRxBufferSize ? 0 : kFrameRestMs);
}
double escUpdateMs(const Frames& frames) {
    double ms =
        4 * commandMs() + limit::Handshake + 2 * (commandMs() + limit::Handshake) + kAfterUploadMs;
    for (const auto& f : frames) ms += frameMs(f.size()) + limit::Acknowledge;
    return ms;
}
double cardRetriesMs() {
    double ms = 0;
    for (std::uint32_t l : kCardRetryLimitsMs) ms += commandMs() + l;
    return ms;
}
double cardUpdateMs(const Frames& blocks) {
    double ms = 4 * (commandMs() + limit::Handshake) + cardRetriesMs() + commandMs() +
                kCardLastHelloMs + cardRetriesMs() + kAfterUploadMs;
    for (const auto& b : blocks)
        ms += kBlockTries * (kBeforeBlockMs + frameMs(b.size()) + limit::BlockAnswer);
    return ms;
}

// ---- The images and the scratch folder ------------------------------------------------------

struct Scratch {
    fs::path root;
    fs::path kfw;
    fs::path xup;
    Frames kfwFrames;  // the frames the ESC update must send, in order
    Frames xupBlocks;  // the blocks the card update must send, in order
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

std::uint8_t hexValue(char c) {
    return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10);
}

void setUpScratch() {
    Scratch& s = scratch();
    // In memory where there is such a folder: each input writes and removes a settings backup.
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    s.root = base / ("orvek-device-answers-" + std::to_string(::getpid()));
    fs::remove_all(s.root);
    fs::create_directories(s.root);
    // Settings backups of the ESC update go here, not into the home folder.
    ::setenv("XDG_DATA_HOME", (s.root / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (s.root / "config").c_str(), 1);

    s.kfw = testing::writeKfwImage("small", 4, s.root);
    std::ifstream in(s.kfw, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::uint8_t> frame{cmd::RecordStart};
        for (std::size_t i = 1; i + 1 < line.size(); i += 2) {
            frame.push_back(
                static_cast<std::uint8_t>(hexValue(line[i]) << 4 | hexValue(line[i + 1])));
        }
        s.kfwFrames.push_back(frame);
    }

    // Three blocks; the middle one is longer than the receive buffer, so its echo is taken
    // while it is written.
    std::string text;
    for (std::size_t length : {12u, 300u, 5u}) {
        std::vector<std::uint8_t> block{static_cast<std::uint8_t>(length >> 8),
                                        static_cast<std::uint8_t>(length & 0xFF)};
        for (std::size_t k = 0; k < length; ++k)
            block.push_back(static_cast<std::uint8_t>(k * 7 + length));
        for (std::uint8_t b : block) {
            static const char kDigits[] = "0123456789ABCDEF";
            text += kDigits[b >> 4];
            text += kDigits[b & 0x0F];
        }
        s.xupBlocks.push_back(block);
    }
    s.xup = s.root / "small.xup";
    std::ofstream(s.xup, std::ios::binary) << text << "\r\n";
}

// ---- The window -----------------------------------------------------------------------------

void checkMessage(const std::string& text, MessageIcon icon) {
    static const std::array<const char*, 3> kRefusals = {
        updateText::UsbConnection, updateText::EscConnection, updateText::CardConnection};
    static const std::array<const char*, 13> kFailures = {
        writeText::PairFailed,   writeText::CommitFailed,   updateText::HelloTimeout,
        updateText::SyncTimeout, updateText::StartTimeout,  updateText::ReadyTimeout,
        updateText::NoReady,     updateText::NoHelloAnswer, updateText::DataTransfer,
        updateText::NoAck,       updateText::Crc,           updateText::RepeatOverFour,
        updateText::ByteCount};
    // The images are sound, so a refusal to read them is a fault too.
    const auto listed = [&](const auto& texts) {
        return std::find_if(texts.begin(), texts.end(), [&](const char* t) { return text == t; }) !=
               texts.end();
    };
    if (listed(kRefusals)) {
        if (icon != MessageIcon::Stop) fail("refusal without the stop icon: " + text);
    } else if (listed(kFailures)) {
        if (icon != MessageIcon::None) fail("transfer failure with an icon: " + text);
    } else {
        fail("message that is none of the fixed texts: " + text);
    }
}

class FuzzWindow : public MonitorHost {
public:
    std::atomic<bool> timerRunning{true};

    void setLamps(bool, DeviceMode identified) override {
        if (identified == DeviceMode::Fix) fail("a lamp for fix mode");
    }
    void setEscTexts(const std::string&, const std::string&) override {}
    void setWriteProgressText(const std::string&) override {}
    void stopPollTimer() override { timerRunning = false; }
    void startPollTimer() override { timerRunning = true; }
    void showMessage(const std::string& text, MessageIcon icon) override {
        checkMessage(text, icon);
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back(text);
    }
    void setDeviceMenuChecks(DeviceMode) override {}
    void showUserSupportPage() override {}
    void enablePagesFor(DeviceMode) override {}
    void deviceInfoShown(FirmwareTarget) override {}
    void showPortNote(const std::string& note) override {
        // Told when the note begins, changes or ends, never twice the same.
        if (note == portNote_) fail("port note told twice in a row");
        portNote_ = note;
    }
    void settingsBackedUp(const SettingsBackup&) override {}

    std::vector<std::string> messages() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
    std::string portNote_;
};

class FuzzUpdateWindow : public MonitorUpdateHost {
public:
    FuzzUpdateWindow(DeviceState& state, RequestFlags& requests, FuzzWindow& window)
        : MonitorUpdateHost(state, requests), window_(window) {}
    void stopPollTimer() override { window_.stopPollTimer(); }
    void startPollTimer() override { window_.startPollTimer(); }
    void setProgressCaption(FirmwareTarget, const std::string&) override {}
    void showProgress(FirmwareTarget, bool) override {}
    void setStatusPicture(FirmwareTarget, int) override {}
    void showStatusPicture(FirmwareTarget, bool) override {}
    void setStartPicture(FirmwareTarget, int) override {}
    void invalidatePage() override {}
    void showMessage(const std::string& text, MessageIcon icon) override {
        window_.showMessage(text, icon);
    }

private:
    FuzzWindow& window_;
};

struct Rig {
    Rig() { link.setPortOverride(fuzzLine().portPath()); }
    UsbUart link;
    ParameterLists lists;
    FirmwareIdentity identity;
    RequestFlags requests;
    DeviceState state;
    FuzzWindow window;
    FuzzUpdateWindow updateWindow{state, requests, window};
    ConnectionMonitor monitor{link, lists, identity, requests, state, window, updateWindow};
};

// ---- The checks -----------------------------------------------------------------------------

void checkStates(const Rig& rig) {
    const int usb = toInt(rig.link.usbState());
    const int esc = toInt(rig.link.escState());
    const int open = rig.link.portOpen();
    const int card = toInt(rig.state.cardState.load());
    const DeviceMode mode = rig.state.mode;
    if (usb != 0 && usb != 2) fail("usbState " + std::to_string(usb));
    if (esc < 0 || esc > 2) fail("escState " + std::to_string(esc));
    if (open != 0 && open != 1) fail("portOpen " + std::to_string(open));
    if (card < 0 || card > 2) fail("cardState " + std::to_string(card));
    const int modeNumber = static_cast<int>(mode);
    if (modeNumber < 0 || modeNumber > 3) fail("mode " + std::to_string(modeNumber));
    if (usb == 2 && open != 1) fail("usbState 2 with the port closed");
    // The lamp of the device kind not chosen stays off.
    if (mode == DeviceMode::Esc && card != 0)
        fail("cardState " + std::to_string(card) + " in ESC mode");
    if (mode == DeviceMode::ProgramCard && esc != 0)
        fail("escState " + std::to_string(esc) + " in program-card mode");
}

enum class Mode { None, Esc, Card, Fix };
enum class Tail { None, SettingsWrite, EscUpdate, CardUpdate };

struct Operation {
    std::string name;
    Mode mode;
    Tail tail;
    double boundMs;
};

int singleByte(const fuzzing::DeviceWrite& write) {
    return write.bytes.size() == 1 ? write.bytes[0] : -1;
}

std::string describe(const Operation& op, const Writes& writes, std::size_t at, const char* what) {
    std::string text = op.name + ": " + what + " (write " + std::to_string(at) + " of " +
                       std::to_string(writes.size()) + ":";
    if (at < writes.size()) {
        char hex[4];
        for (std::size_t i = 0; i < writes[at].bytes.size() && i < 8; ++i) {
            std::snprintf(hex, sizeof hex, " %02X", writes[at].bytes[i]);
            text += hex;
        }
    }
    return text + ")";
}

// The commands a poll of the mode sends, and how often each may go in one tick.
std::size_t pollCommands(const Operation& op, const Writes& writes) {
    std::array<int, 256> counts{};
    std::size_t i = 0;
    for (; i < writes.size(); ++i) {
        const int b = singleByte(writes[i]);
        int allowed = 0;
        switch (op.mode) {
            case Mode::Esc:
                allowed = b == cmd::EscProbe       ? 1
                          : b == cmd::InfoQuery    ? 2
                          : b == cmd::SettingsRead ? kSettingsReadAttempts
                                                   : 0;
                break;
            case Mode::Card: allowed = b == cmd::CardProbe ? 1 : b == cmd::InfoQuery ? 2 : 0; break;
            // In fix mode the poll's hello cannot be told from the update's.
            case Mode::Fix:
                allowed = b == cmd::BootHello && op.tail != Tail::EscUpdate ? 1 : 0;
                break;
            case Mode::None: break;
        }
        if (allowed == 0) break;
        if (++counts[static_cast<std::size_t>(b)] > allowed)
            fail(describe(op, writes, i, "command sent too often"));
    }
    return i;
}

void checkSettingsWrite(const Rig& rig, const Operation& op, const Writes& writes, std::size_t i,
                        const std::vector<std::string>& told) {
    const WriteImage& image = rig.lists.writeImage;
    std::size_t pairs = 0;
    for (; i < writes.size() && pairs < kSettingsPairs && writes[i].bytes.size() == 2;
         ++i, ++pairs) {
        if (writes[i].bytes[0] != kRegisterCodes[pairs] ||
            writes[i].bytes[1] != image[pairs].value) {
            fail(describe(op, writes, i, "a pair that is not the next of the write image"));
        }
    }
    bool committed = false;
    if (i < writes.size() && singleByte(writes[i]) == cmd::SettingsCommit) {
        if (pairs != kSettingsPairs) fail(describe(op, writes, i, "commit before all pairs"));
        committed = true;
        ++i;
    }
    if (i != writes.size())
        fail(describe(op, writes, i, "write to the ESC outside the settings write"));
    const auto toldOnly = [&](const char* text) { return told.size() == 1 && told[0] == text; };
    if (committed) {
        if (!told.empty()) fail(op.name + ": committed write told " + told[0]);
        if (rig.requests.writeRequested) fail(op.name + ": committed write left its request set");
        for (std::size_t k = 0; k < kSettingsValueCount; ++k) {
            if (rig.lists.lastReadBlock[k] != image[k].value)
                fail(op.name + ": committed write not recorded");
        }
    } else if (pairs > 0) {
        // A pair without its acknowledgement keeps the request for the next tick; a commit that
        // could not go out ends it.
        const bool pairFailed = rig.requests.writeRequested;
        if (pairFailed ? !toldOnly(writeText::PairFailed)
                       : pairs != kSettingsPairs || !toldOnly(writeText::CommitFailed)) {
            fail(op.name + ": failed write told wrongly (" + std::to_string(pairs) + " pairs, " +
                 std::to_string(told.size()) + " messages)");
        }
    }
}

std::size_t checkEscUpload(const Operation& op, const Writes& writes, std::size_t i) {
    const std::size_t hellosAllowed = op.mode == Mode::Fix ? 5 : 4;
    std::size_t hellos = 0;
    for (; i < writes.size() && singleByte(writes[i]) == cmd::BootHello; ++i) ++hellos;
    if (hellos > hellosAllowed) fail(describe(op, writes, i, "too many hellos"));
    std::size_t frames = 0;
    if (i < writes.size() && singleByte(writes[i]) == cmd::BootSync) {
        if (hellos < 4) fail(describe(op, writes, i, "sync after a failed hello"));
        ++i;
        if (i < writes.size() && singleByte(writes[i]) == cmd::BootStart) {
            ++i;
            const Frames& expected = scratch().kfwFrames;
            for (; i < writes.size(); ++i, ++frames) {
                if (frames >= expected.size() || writes[i].bytes != expected[frames]) {
                    fail(describe(op, writes, i, "a frame that is not the image's next"));
                }
            }
        }
    }
    if (i != writes.size()) fail(describe(op, writes, i, "write outside the ESC update"));
    return frames;
}

std::size_t checkCardUpload(const Operation& op, const Writes& writes, std::size_t i) {
    // Three hellos, the ready command and its six retries, the hello and its six retries.
    std::size_t handshake = 0;
    for (; i < writes.size(); ++i, ++handshake) {
        const int b = singleByte(writes[i]);
        if (b != cmd::BootHello && b != cmd::BootReady) break;
    }
    if (handshake > 17) fail(describe(op, writes, i, "card handshake too long"));
    const Frames& expected = scratch().xupBlocks;
    std::size_t block = 0;  // blocks begun
    int tries = 0;
    for (; i < writes.size(); ++i) {
        if (block < expected.size() && writes[i].bytes == expected[block]) {
            ++block;
            tries = 1;
        } else if (block > 0 && writes[i].bytes == expected[block - 1] && tries < kBlockTries) {
            ++tries;
        } else {
            fail(describe(op, writes, i, "a write that is neither the block again nor the next"));
        }
    }
    return block;
}

// The longest a write may keep its operation busy before the next write: the echo wait and
// the answer limit of the exchange it begins, and the pause that may follow that exchange.
double writeBudgetMs(const Operation& op, const Bytes& w) {
    const bool cardUpdate = op.tail == Tail::CardUpdate;
    if (w.size() == 2) return kPairEchoMs + wireMs(2) + limit::Acknowledge + kBetweenPairsMs;
    if (w.size() > 2) {
        return cardUpdate ? frameMs(w.size()) + limit::BlockAnswer + kBeforeBlockMs
                          : frameMs(w.size()) + limit::Acknowledge;
    }
    if (w.empty()) return 0;
    // The card update's handshake waits up to its longest retry limit, then a block may follow.
    double cardHandshakeMs = std::max<double>(limit::Handshake, kCardLastHelloMs);
    for (std::uint32_t l : kCardRetryLimitsMs)
        cardHandshakeMs = std::max<double>(cardHandshakeMs, l);
    cardHandshakeMs += kBeforeBlockMs;
    switch (w[0]) {
        case cmd::EscProbe:
        case cmd::CardProbe: return commandMs() + limit::Probe;
        case cmd::InfoQuery:
            // After an identification the settings read may fail without a command going out.
            return commandMs() +
                   (cardUpdate ? cardHandshakeMs : limit::MultiByteAnswer + kAfterSettingsReadMs);
        case cmd::SettingsRead: return commandMs() + limit::MultiByteAnswer + kAfterSettingsReadMs;
        case cmd::BootHello:
            if (cardUpdate) return commandMs() + cardHandshakeMs;
            return commandMs() + (op.tail == Tail::EscUpdate ? limit::Handshake : limit::Probe);
        case cmd::BootSync:
        case cmd::BootStart: return commandMs() + limit::Handshake;
        default: return commandMs();
    }
}

// Every write is followed by the next within its budget, the first comes after at most the
// port's opening, and the operation ends within the last one's budget (and an update's
// closing pause): the operation spent no more than the limits of the exchanges it made.
void checkTimes(const Operation& op, const Writes& writes, double startMs, double endMs) {
    const double endPauseMs =
        op.tail == Tail::EscUpdate || op.tail == Tail::CardUpdate ? kAfterUploadMs : 0;
    double fromMs = startMs;
    double budgetMs = kOpenSettleMs;
    for (std::size_t i = 0; i <= writes.size(); ++i) {
        const double atMs = i < writes.size() ? writes[i].atMs : endMs;
        const double allowedMs = budgetMs + (i == writes.size() ? endPauseMs : 0);
        if (atMs - fromMs > allowedMs) {
            fail(describe(op, writes, i > 0 ? i - 1 : writes.size(),
                          ("waited " + std::to_string(atMs - fromMs) +
                           " ms after this write, limits " + std::to_string(allowedMs) + " ms")
                              .c_str()));
        }
        if (i < writes.size()) {
            fromMs = atMs;
            budgetMs = writeBudgetMs(op, writes[i].bytes);
        }
    }
}

// Runs one operation under its time bound and checks what it did. Returns what it wrote.
Writes run(Rig& rig, const Operation& op, const std::function<void()>& body) {
    fuzzing::FuzzLine& line = fuzzLine();
    const std::size_t first = line.writes().size();
    const std::size_t firstMessage = rig.window.messages().size();
    const int refusedBefore = line.refusedWrites;
    const double start = line.nowMs();
    const double allowed = op.boundMs + line.slackMs(op.boundMs);
    line.deadlineMs = start + allowed;
    body();
    line.deadlineMs = std::numeric_limits<double>::infinity();
    const double spent = line.nowMs() - start;
    if (spent > allowed) {
        fail(op.name + " took " + std::to_string(spent) + " ms, bound " +
             std::to_string(op.boundMs) + " ms");
    }
    checkStates(rig);
    if (!rig.window.timerRunning) fail(op.name + ": timer 1 left stopped");
    if (!rig.state.updateIdle) fail(op.name + ": left the update running");
    if (rig.monitor.updateRunning()) fail(op.name + ": worker still running");

    Writes all = line.writes();
    Writes writes(all.begin() + static_cast<std::ptrdiff_t>(first), all.end());
    // On a pseudo-terminal, writes reach the peer in pieces of the kernel's choosing.
    if (std::string(line.name()) == "pty") return writes;
    checkTimes(op, writes, start, start + spent);
    // An update says its data could not be sent only when the line refused a write.
    const std::vector<std::string> told = rig.window.messages();
    const bool dataNotSent = std::find(told.begin() + static_cast<std::ptrdiff_t>(firstMessage),
                                       told.end(), updateText::DataTransfer) != told.end();
    if (dataNotSent && line.refusedWrites == refusedBefore) {
        fail(op.name + ": told \"" + updateText::DataTransfer + "\" though every write went out");
    }
    std::size_t i = pollCommands(op, writes);
    switch (op.tail) {
        case Tail::None:
            if (i != writes.size()) fail(describe(op, writes, i, "write outside the mode's poll"));
            break;
        case Tail::SettingsWrite: {
            const std::vector<std::string> all = rig.window.messages();
            checkSettingsWrite(
                rig, op, writes, i,
                {all.begin() + static_cast<std::ptrdiff_t>(firstMessage), all.end()});
            break;
        }
        case Tail::EscUpdate: checkEscUpload(op, writes, i); break;
        case Tail::CardUpdate: checkCardUpload(op, writes, i); break;
    }
    return writes;
}

std::size_t countOf(const Writes& writes, const Frames& expected) {
    std::size_t n = 0;
    for (const auto& w : writes)
        n += std::count(expected.begin(), expected.end(), w.bytes) > 0 ? 1 : 0;
    return n;
}

// ---- The tick sequence ----------------------------------------------------------------------

// Scenario bits of the input's first byte: the phases to run (none set: all), and steps to leave
// out.
constexpr std::uint8_t kEscPhase = 0x01;
constexpr std::uint8_t kCardPhase = 0x02;
constexpr std::uint8_t kFixPhase = 0x04;
constexpr std::uint8_t kNearWrap = 0x08;  // the tick count wraps during the first phase
constexpr std::uint8_t kNoWrite = 0x10;
constexpr std::uint8_t kNoEscUpdate = 0x20;
constexpr std::uint8_t kNoCardUpdate = 0x40;
constexpr std::uint8_t kNoFixUpdate = 0x80;

struct Scenario {
    Rig& rig;
    std::uint8_t bits;
    bool healthy;  // the input held no answers at all

    void tick(const std::string& name, Mode mode, double boundMs) {
        run(rig, {name, mode, Tail::None, boundMs}, [&] { rig.monitor.onPollTimer(); });
    }
    Writes tickAndWait(const std::string& name, Mode mode, Tail tail, double boundMs) {
        return run(rig, {name, mode, tail, boundMs}, [&] {
            rig.monitor.onPollTimer();
            rig.monitor.waitForUpdates();
        });
    }
    void expect(bool condition, const std::string& what) const {
        if (healthy && !condition) fail("healthy device: " + what);
    }

    void escPhase() {
        fuzzLine().setPeer(sim::Peer::EscApplication);
        run(rig, {"Device > Esc", Mode::None, Tail::None, 0},
            [&] { rig.monitor.chooseMode(DeviceMode::Esc); });
        for (int t = 0; t < 3; ++t) tick("ESC tick", Mode::Esc, escPollMs());
        expect(rig.link.escState() == EscState::Identified && rig.lists.escSettingsKnown,
               "ESC not identified");
        if (!(bits & kNoWrite)) {
            rig.requests.writeRequested = true;
            bool committed = false;
            for (int t = 0; t < 2 && rig.requests.writeRequested; ++t) {
                const Writes w = tickAndWait("ESC tick with a settings write", Mode::Esc,
                                             Tail::SettingsWrite, escPollMs() + settingsWriteMs());
                committed =
                    committed || (!w.empty() && singleByte(w.back()) == cmd::SettingsCommit);
            }
            expect(committed, "settings write not committed");
            rig.requests.writeRequested = false;
        }
        rig.requests.defaultsRequested = true;
        tick("ESC tick with factory defaults", Mode::Esc, escPollMs());
        if (rig.requests.defaultsRequested) fail("factory defaults request left set");
        if (!(bits & kNoEscUpdate)) {
            rig.requests.escImage = scratch().kfw;
            rig.requests.escUpdateRequested = true;
            const Writes w =
                tickAndWait("ESC tick with a firmware update", Mode::Esc, Tail::EscUpdate,
                            escPollMs() + escUpdateMs(scratch().kfwFrames));
            if (rig.requests.escUpdateRequested) fail("ESC update request left set");
            expect(countOf(w, scratch().kfwFrames) == scratch().kfwFrames.size(),
                   "ESC image not sent whole");
        }
    }

    void cardPhase() {
        fuzzLine().setPeer(sim::Peer::CardApplication);
        run(rig, {"Device > Program Card", Mode::None, Tail::None, 0},
            [&] { rig.monitor.chooseMode(DeviceMode::ProgramCard); });
        for (int t = 0; t < 3; ++t) tick("card tick", Mode::Card, cardPollMs());
        expect(rig.state.cardState == CardState::Identified, "card not identified");
        if (!(bits & kNoCardUpdate)) {
            rig.requests.cardImage = scratch().xup;
            rig.requests.cardUpdateRequested = true;
            const Writes w =
                tickAndWait("card tick with a firmware update", Mode::Card, Tail::CardUpdate,
                            cardPollMs() + cardUpdateMs(scratch().xupBlocks));
            if (rig.requests.cardUpdateRequested) fail("card update request left set");
            expect(countOf(w, scratch().xupBlocks) == scratch().xupBlocks.size(),
                   "card image not sent whole");
        }
        tick("card tick", Mode::Card, cardPollMs());
    }

    void fixPhase() {
        fuzzLine().setPeer(sim::Peer::EscBootloader);
        run(rig, {"Device > Fix Mode", Mode::None, Tail::None, 0},
            [&] { rig.monitor.chooseMode(DeviceMode::Fix); });
        for (int t = 0; t < 2; ++t) tick("fix-mode tick", Mode::Fix, fixPollMs());
        if (!(bits & kNoFixUpdate)) {
            rig.requests.escImage = scratch().kfw;
            rig.requests.escUpdateRequested = true;
            const Writes w =
                tickAndWait("fix-mode tick with a firmware update", Mode::Fix, Tail::EscUpdate,
                            fixPollMs() + escUpdateMs(scratch().kfwFrames));
            if (rig.requests.escUpdateRequested) fail("fix-mode update request left set");
            expect(countOf(w, scratch().kfwFrames) == scratch().kfwFrames.size(),
                   "fix-mode image not sent whole");
        }
    }
};

}  // namespace
}  // namespace orvek

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    orvek::setUpScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvek;
    fuzzing::FuzzLine& line = fuzzLine();
    line.begin(data, size);
    std::uint8_t bits = line.takeScenarioByte();
    if ((bits & (kEscPhase | kCardPhase | kFixPhase)) == 0)
        bits |= kEscPhase | kCardPhase | kFixPhase;
    // Just before the 32-bit tick count wraps: it does so within the first phase's waits.
    if (bits & kNearWrap) line.setTickStart(0xFFFFFFFFu - 700u);
    {
        Rig rig;
        Scenario scenario{rig, bits, size <= 1};
        line.onExchange = [&rig] { checkStates(rig); };
        if (bits & kEscPhase) scenario.escPhase();
        if (bits & kCardPhase) scenario.cardPhase();
        if (bits & kFixPhase) scenario.fixPhase();
        if (scenario.healthy && !rig.window.messages().empty()) {
            fail("healthy device: message " + rig.window.messages().front());
        }
        line.onExchange = nullptr;
    }
    std::error_code error;
    fs::remove_all(scratch().root / "data", error);
    return 0;
}
