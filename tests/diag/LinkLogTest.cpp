// The link's diagnostic ring on the real link and monitor against the simulator: every byte of
// an identification in order with its name, a silent ESC told from a pulled line, the bound
// over an hour of quiet polling on a fast clock, and writers on several threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <numeric>
#include <thread>

#include "diag/LinkLog.h"
#include "monitor/MonitorRig.h"

namespace orvek {
namespace {

using testing::MonitorRig;
using Bytes = std::vector<std::uint8_t>;

struct Wire {
    LogKind kind;
    std::string name;
    Bytes bytes;
    bool operator==(const Wire& o) const {
        return kind == o.kind && name == o.name && bytes == o.bytes;
    }
};

std::ostream& operator<<(std::ostream& out, const Wire& w) {
    out << "kind " << static_cast<int>(w.kind) << " '" << w.name << "'";
    for (std::uint8_t b : w.bytes) out << ' ' << std::hex << static_cast<int>(b) << std::dec;
    return out;
}

bool onTheWire(LogKind kind) {
    return kind == LogKind::Sent || kind == LogKind::Echo || kind == LogKind::Received ||
           kind == LogKind::NoAnswer || kind == LogKind::Unsent || kind == LogKind::Dropped;
}

std::vector<Wire> wireOf(const LogSnapshot& snapshot) {
    std::vector<Wire> out;
    for (const LogEntry& e : snapshot.entries) {
        if (!onTheWire(e.kind)) continue;
        out.push_back({e.kind, e.name ? e.name : "", Bytes(e.data.begin(), e.data.end())});
    }
    return out;
}

std::vector<std::string> linkLines(const LogSnapshot& snapshot) {
    std::vector<std::string> out;
    for (const LogEntry& e : snapshot.entries) {
        if (e.kind == LogKind::Link) out.push_back(e.data);
    }
    return out;
}

// A clock the test moves: milliseconds since the Unix epoch.
struct FakeClock {
    std::int64_t now = 1'700'000'000'000;
    LinkLog::Clock clock() {
        return [this] { return now; };
    }
};

TEST(LinkLogOnTheWire, AnIdentificationKeepsEveryByteInOrderWithItsName) {
    sim::SimOptions options;
    options.identity.typeCode = 0x0C;
    options.identity.versionCode = 7;
    options.identity.cardVersionCode = 4;
    MonitorRig rig(options);
    ASSERT_TRUE(rig.ok);
    LinkLog log;
    rig.link.setTrace(log.traceSink());
    rig.plugIn();
    rig.monitor.onDeviceEsc();
    rig.monitor.onPollTimer();
    ASSERT_EQ(rig.link.escState(), EscState::Identified);

    const LogSnapshot snapshot = log.snapshot();
    EXPECT_EQ(snapshot.port, rig.sim.devicePath());
    EXPECT_EQ(linkLines(snapshot),
              std::vector<std::string>{"port opened: " + rig.sim.devicePath()});

    const sim::SettingsBlock block = rig.sim.settings();
    const Bytes settings(block.begin(), block.end());
    const Bytes info{0x0C, 0x40, 0x00, 0x07, 0x00, 0x04, 0x00};
    const std::vector<Wire> expected = {
        {LogKind::Sent, "ESC probe", {0xD5}},           {LogKind::Echo, "ESC probe", {0xD5}},
        {LogKind::Received, "ESC probe", {0x26}},       {LogKind::Sent, "info query", {0xD7}},
        {LogKind::Echo, "info query", {0xD7}},          {LogKind::Received, "info query", info},
        {LogKind::Sent, "settings read", {0xD8}},       {LogKind::Echo, "settings read", {0xD8}},
        {LogKind::Received, "settings read", settings},
    };
    EXPECT_EQ(wireOf(snapshot), expected);

    // Nothing went on the line or came off it that the log lacks.
    Bytes sent;
    std::size_t fromLine = 0;
    for (const Wire& w : wireOf(snapshot)) {
        if (w.kind == LogKind::Sent) sent.insert(sent.end(), w.bytes.begin(), w.bytes.end());
        if (w.kind == LogKind::Echo || w.kind == LogKind::Received) fromLine += w.bytes.size();
    }
    EXPECT_EQ(sent, rig.received());
    EXPECT_EQ(static_cast<long long>(fromLine), rig.sim.bytesEmitted());
    for (std::size_t i = 1; i < snapshot.entries.size(); ++i)
        EXPECT_LE(snapshot.entries[i - 1].atMs, snapshot.entries[i].atMs) << "entry " << i;
}

TEST(LinkLogOnTheWire, ASilentEscAndAPulledLineReadDifferently) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    LinkLog log;
    rig.link.setTrace(log.traceSink());
    rig.connectEsc();

    sim::Faults silent;
    silent.silent = true;
    rig.sim.setFaults(silent);
    const std::size_t before = log.size();
    rig.monitor.onPollTimer();
    const LogSnapshot quiet = log.snapshot();
    const std::vector<Wire> tick = wireOf(quiet);
    ASSERT_GE(tick.size(), 3u);
    const std::vector<Wire> last(tick.end() - 3, tick.end());
    EXPECT_EQ(last, (std::vector<Wire>{{LogKind::Sent, "ESC probe", {0xD5}},
                                       {LogKind::Echo, "ESC probe", {0xD5}},
                                       {LogKind::NoAnswer, "ESC probe", {}}}));
    EXPECT_EQ(quiet.entries.size(), before + 3) << "a silent ESC closes nothing";

    rig.sim.setFaults({});
    rig.sim.dropLine();
    for (int i = 0; i < 3 && rig.link.portOpen() == 1; ++i) rig.monitor.onPollTimer();
    ASSERT_EQ(rig.link.portOpen(), 0);
    const std::vector<std::string> lines = linkLines(log.snapshot());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "port closed: the line is gone");
}

TEST(WireNames, TheSameByteIsNamedByTheExchangeItBelongsTo) {
    WireNamer namer;
    const auto sent = [&](Bytes bytes) {
        const char* name = namer.sent(bytes.data(), bytes.size());
        return std::string(name ? name : "(none)");
    };
    EXPECT_EQ(sent({0xD4}), "card probe");
    EXPECT_EQ(sent({0xD7}), "info query");
    // The card bootloader's handshake: hellos, then 0xD7 asks whether it is ready, repeatedly.
    EXPECT_EQ(sent({0xD6}), "boot hello");
    EXPECT_EQ(sent({0xD7}), "boot ready");
    EXPECT_EQ(sent({0xD7}), "boot ready");
    EXPECT_EQ(sent({0xD5}), "ESC probe");
    EXPECT_EQ(sent({0xD7}), "info query");
    EXPECT_EQ(sent({0x39}), "boot sync");
    EXPECT_EQ(sent({0x31}), "boot start");
    EXPECT_EQ(sent({0xDF}), "settings commit");
    EXPECT_EQ(sent({0x05, 0x02}), "pair write");
    EXPECT_EQ(sent({':', '0', '2'}), "record frame");
    EXPECT_EQ(sent({0x00, 0x02, 0xAB, 0xCD}), "block frame");
    EXPECT_EQ(sent({0x42}), "(none)");
    EXPECT_EQ(namer.current(), nullptr) << "an unknown byte names no exchange";
}

TEST(LinkLogRing, AnHourOfQuietPollingStaysWithinTwoMebibytes) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    FakeClock time;
    LinkLog log(LinkLog::kLimitBytes, time.clock());
    rig.link.setTrace(log.traceSink());
    rig.connectEsc();
    const std::size_t atIdentification = log.size();

    // The poll's 500 ms, an hour's worth, on the real link: each tick probes the ESC once.
    constexpr int kTicks = 3600 * 2;
    for (int i = 0; i < kTicks; ++i) {
        time.now += 500;
        rig.monitor.onPollTimer();
    }
    ASSERT_EQ(rig.link.escState(), EscState::Identified);

    const LogSnapshot snapshot = log.snapshot();
    std::printf(
        "after an hour of quiet polling: %zu entries, %zu bytes of %zu (%.1f %%), %llu "
        "dropped\n",
        snapshot.entries.size(), snapshot.memoryBytes, snapshot.limitBytes,
        100.0 * static_cast<double>(snapshot.memoryBytes) /
            static_cast<double>(snapshot.limitBytes),
        static_cast<unsigned long long>(snapshot.dropped));
    RecordProperty("ring_bytes", std::to_string(snapshot.memoryBytes));
    RecordProperty("entries", std::to_string(snapshot.entries.size()));
    EXPECT_LE(snapshot.memoryBytes, std::size_t{2} * 1024 * 1024);
    EXPECT_EQ(snapshot.entries.size() + snapshot.dropped, atIdentification + 3u * kTicks)
        << "probe, echo and answer each tick";
    // The ring counts what it holds, entry by entry.
    const std::size_t counted = std::accumulate(
        snapshot.entries.begin(), snapshot.entries.end(), std::size_t{0},
        [](std::size_t sum, const LogEntry& e) { return sum + LinkLog::entryBytes(e); });
    EXPECT_EQ(counted, snapshot.memoryBytes);
    // The newest tick is there, with the time it happened.
    ASSERT_GE(snapshot.entries.size(), 3u);
    const LogEntry& answer = snapshot.entries.back();
    EXPECT_EQ(answer.kind, LogKind::Received);
    EXPECT_EQ(answer.data, std::string(1, '\x26'));
    EXPECT_EQ(answer.atMs, time.now);
}

TEST(LinkLogRing, TheOldestEntriesGoFirstAndTheBoundHolds) {
    FakeClock time;
    LinkLog log(LinkLog::kLimitBytes, time.clock());
    // An hour-long upload's worth of 44-byte record frames with their echo and acknowledgement.
    Bytes frame(44, 0x30);
    frame[0] = ':';
    const Bytes ack{0x01};
    constexpr int kFrames = 40000;
    std::size_t highest = 0;
    for (int i = 0; i < kFrames; ++i) {
        ++time.now;
        log.traced(UsbUart::TraceDirection::Sent, frame.data(), frame.size());
        log.traced(UsbUart::TraceDirection::Echo, frame.data(), frame.size());
        log.traced(UsbUart::TraceDirection::Received, ack.data(), ack.size());
        highest = std::max(highest, log.memoryBytes());
    }
    const LogSnapshot snapshot = log.snapshot();
    EXPECT_LE(highest, LinkLog::kLimitBytes);
    EXPECT_GT(snapshot.dropped, 0u) << "the traffic was more than the bound";
    EXPECT_EQ(snapshot.entries.size() + snapshot.dropped, 3u * kFrames);
    EXPECT_GT(snapshot.memoryBytes, LinkLog::kLimitBytes - 200)
        << "the ring is used up to its bound";
    // What is kept is the newest, without a gap: a frame each millisecond, its echo and its
    // acknowledgement at the same time.
    EXPECT_EQ(snapshot.entries.back().atMs, time.now);
    for (std::size_t i = 1; i < snapshot.entries.size(); ++i) {
        const LogEntry& e = snapshot.entries[i];
        const std::int64_t step = e.kind == LogKind::Sent ? 1 : 0;
        ASSERT_EQ(e.atMs, snapshot.entries[i - 1].atMs + step) << "entry " << i;
    }
    EXPECT_STREQ(snapshot.entries.back().name, "record frame");

    // An entry larger than the whole bound stays alone: the newest is never lost.
    LinkLog small(1000, time.clock());
    small.add(LogKind::State, "before");
    const Bytes huge(5000, 0xAA);
    small.traced(UsbUart::TraceDirection::Sent, huge.data(), huge.size());
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small.snapshot().entries[0].data.size(), 5000u);
}

TEST(LinkLogRing, WritersOnTwoThreadsAndCopiesOnAThirdLoseNothing) {
    LinkLog log(64 * LinkLog::kLimitBytes);  // room for all: nothing may be dropped
    constexpr int kEach = 20000;
    std::atomic<bool> writing{true};
    std::size_t copies = 0;
    bool ordered = true;
    std::thread reader([&] {
        while (writing) {
            const LogSnapshot s = log.snapshot();
            for (std::size_t i = 1; i < s.entries.size(); ++i)
                ordered = ordered && s.entries[i - 1].atMs <= s.entries[i].atMs;
            ++copies;
        }
    });
    const Bytes probe{0xD5};
    std::thread device([&] {
        for (int i = 0; i < kEach; ++i)
            log.traced(UsbUart::TraceDirection::Sent, probe.data(), probe.size());
    });
    std::thread worker([&] {
        for (int i = 0; i < kEach; ++i) log.add(LogKind::State, "firmware update started");
    });
    device.join();
    worker.join();
    writing = false;
    reader.join();
    EXPECT_EQ(log.size(), 2u * kEach);
    EXPECT_TRUE(ordered) << "times taken under the ring's lock never go back";
    EXPECT_GT(copies, 0u);
}

}  // namespace
}  // namespace orvek
