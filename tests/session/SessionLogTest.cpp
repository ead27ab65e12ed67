// The session's diagnostic log while an ESC firmware update runs on its worker thread: the
// upload's exchange named frame by frame, the update's start and end, and the worker's box, all
// written from that thread beside the device thread's poll.
#include <gtest/gtest.h>

#include <algorithm>

#include "session/SessionRig.h"
#include "support/TestImages.h"

namespace orvek {
namespace {

using testing::SessionRig;

std::vector<std::string> named(const LogSnapshot& snapshot, LogKind kind, const char* name) {
    std::vector<std::string> out;
    for (const LogEntry& e : snapshot.entries) {
        if (e.kind == kind && e.name != nullptr && std::string(e.name) == name)
            out.push_back(e.data);
    }
    return out;
}

std::size_t indexOf(const LogSnapshot& snapshot, LogKind kind, const std::string& text) {
    for (std::size_t i = 0; i < snapshot.entries.size(); ++i) {
        if (snapshot.entries[i].kind == kind && snapshot.entries[i].data == text) return i;
    }
    return snapshot.entries.size();
}

bool updateOver(SessionRig& rig) {
    return driving::pumpUntil([&] {
        return rig.views.status.updateIdle && !rig.views.status.updateRunning &&
               !rig.views.status.escUpdateRequested;
    });
}

TEST(SessionLog, AnEscUpdateWritesItsFramesStartAndEndFromTheWorkersThread) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const auto image = testing::writeKfwImage("session-log", 12, rig.folder.path());
    rig.session->requestUpdate(FirmwareTarget::Esc, image);
    ASSERT_TRUE(rig.tick());
    ASSERT_TRUE(updateOver(rig));
    ASSERT_EQ(rig.sim.records().size(), 13u);

    const LogSnapshot log = rig.session->linkLogSnapshot();
    const std::size_t started = indexOf(log, LogKind::State, "firmware update started");
    const std::size_t ended = indexOf(log, LogKind::State, "firmware update ended");
    ASSERT_LT(started, ended);
    ASSERT_LT(ended, log.entries.size());
    EXPECT_EQ(named(log, LogKind::Sent, "boot hello"), std::vector<std::string>(4, "\xD6"));
    EXPECT_EQ(named(log, LogKind::Sent, "boot sync"), std::vector<std::string>{"\x39"});
    EXPECT_EQ(named(log, LogKind::Sent, "boot start"), std::vector<std::string>{"\x31"});
    // Each line of the image as it went out, echoed and acknowledged.
    const std::vector<std::string> frames = named(log, LogKind::Sent, "record frame");
    ASSERT_EQ(frames.size(), 13u);
    EXPECT_EQ(frames.back(), std::string(":\0\0\0\x01\xFF", 6)) << "the end record";
    EXPECT_EQ(named(log, LogKind::Echo, "record frame"), frames);
    EXPECT_EQ(named(log, LogKind::Received, "record frame").size(), 13u);
    for (std::size_t i = 0; i < log.entries.size(); ++i) {
        const LogEntry& e = log.entries[i];
        if (e.name == nullptr || std::string(e.name) != "record frame") continue;
        EXPECT_TRUE(i > started && i < ended) << "frame entry " << i << " outside the update";
    }
    EXPECT_EQ(rig.views.offThread, 0);
}

TEST(SessionLog, AFailedUpdateKeepsTheWorkersBoxAndTheAnswerThatFailedIt) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    // Every answer's first byte 0x00: the poll's probe finds a stray byte and keeps the ESC
    // identified, the bootloader's hello answer is not the one awaited.
    sim::Faults wrong;
    wrong.wrongAnswer = 0x00;
    rig.sim.setFaults(wrong);
    const auto image = testing::writeKfwImage("session-log-silent", 4, rig.folder.path());
    rig.session->requestUpdate(FirmwareTarget::Esc, image);
    ASSERT_TRUE(rig.tick());
    ASSERT_TRUE(updateOver(rig));
    ASSERT_EQ(rig.views.messages, std::vector<std::string>{"Update Error: TX=0xd6, TX Timeover!"});

    const LogSnapshot log = rig.session->linkLogSnapshot();
    const std::size_t box = indexOf(log, LogKind::Box, "box: " + rig.views.messages[0]);
    ASSERT_LT(box, log.entries.size()) << "the box " << rig.views.messages[0];
    EXPECT_LT(indexOf(log, LogKind::State, "firmware update started"), box);
    EXPECT_EQ(named(log, LogKind::Received, "boot hello"),
              std::vector<std::string>(1, std::string(1, '\0')))
        << "the last hello's answer, the wrong one";
    EXPECT_LT(box, indexOf(log, LogKind::State, "firmware update ended"));
}

}  // namespace
}  // namespace orvek
