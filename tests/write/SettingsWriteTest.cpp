// The one settings write against the simulated ESC on a pseudo-terminal: what goes on the wire,
// what each way of failing leaves behind, and what the history is told.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "settings/EscFamily.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"
#include "support/SimLink.h"
#include "write/SettingsWrite.h"

namespace orvek {
namespace {

using testing::receivedBytes;
using testing::SimLink;

struct Records : HistorySink {
    void record(HistoryRecord record) override { kept.push_back(std::move(record)); }
    std::vector<HistoryRecord> kept;
};

// Calls `atPair` after the given pair was acknowledged.
struct PairHook : WriteProgress {
    int pair = -1;
    std::function<void()> atPair;
    std::vector<int> percents;
    void pairWritten(int index, int percent) override {
        percents.push_back(percent);
        if (index == pair && atPair) atPair();
    }
};

// An Expert ESC on the simulator, identified and read as the monitor and orvek-cli do.
struct WriteRig {
    WriteRig() {
        if (!sim.ok) return;
        EscInfo info{};
        ok = queryInfo(sim.link, info) == LinkStatus::Ok && escInfoValid(info);
        identity.storeEscInfo(info);
        identity.showDeviceInfo(FirmwareTarget::Esc);
        FillOptionLists(lists, escFamilyFromTypeCode(info[kEscInfoTypeCode]),
                        escVersionText(info[kEscInfoEscVersion]));
        SettingsFrame frame{};
        ok = ok && readSettings(sim.link, frame) &&
             acceptSettingsBlock(lists, frame.data(), frame.size());
        lists.origin = {ValuesSource::Device, {}, false};
        sim.sim.clearReceived();
    }
    // Another option in the drag brake list, as a pick on the page makes it.
    void changeDragBrake() {
        OptionList& list = lists.byKey(key::DragBrake);
        list.setSelection((list.selection() + 1) % list.count());
        lists.origin = {ValuesSource::Page, {}, false};
    }
    SettingsWriteReport write(bool verify, WriteProgress* progress = nullptr,
                              const std::atomic<bool>* stop = nullptr) {
        SettingsWriteOptions options;
        options.verify = verify;
        options.progress = progress;
        options.stop = stop;
        options.history = &records;
        options.identity = &identity;
        return writeSettingsOf(sim.link, lists, options);
    }

    SimLink sim;
    ParameterLists lists;
    FirmwareIdentity identity;
    Records records;
    bool ok = false;
};

TEST(SettingsWrite, SendsTheListsAsPairsCommitsAndVerifies) {
    WriteRig rig;
    ASSERT_TRUE(rig.ok);
    rig.changeDragBrake();
    PairHook progress;
    const SettingsWriteReport report = rig.write(true, &progress);

    EXPECT_EQ(report.outcome, SettingsWriteOutcome::Verified);
    EXPECT_TRUE(report.committed());
    EXPECT_TRUE(report.succeeded());
    EXPECT_EQ(settingsWriteMessage(report), "");
    EXPECT_EQ(settingsWriteBoxText(report.outcome), nullptr);
    // 22 pairs in block order, the commit, then the read-back's query.
    const std::vector<std::uint8_t> bytes = receivedBytes(rig.sim.sim);
    ASSERT_GE(bytes.size(), 46u);
    for (std::size_t i = 0; i < kSettingsPairs; ++i) {
        EXPECT_EQ(bytes[2 * i], report.pairs[i][0]) << "pair " << i;
        EXPECT_EQ(bytes[2 * i + 1], report.pairs[i][1]) << "pair " << i;
    }
    EXPECT_EQ(bytes[44], 0xDF);
    EXPECT_EQ(bytes[45], 0xD8);
    EXPECT_EQ(rig.sim.sim.commits(), 1);
    EXPECT_EQ(progress.percents.size(), kSettingsPairs);
    EXPECT_EQ(progress.percents.back(), 100);
    // The lists now know what the ESC holds; the history has one write of the page's values.
    EXPECT_FALSE(anySettingDiffersFromEsc(rig.lists));
    ASSERT_EQ(rig.records.kept.size(), 1u);
    EXPECT_EQ(rig.records.kept[0].kind, HistoryKind::Write);
    EXPECT_EQ(rig.records.kept[0].origin.source, ValuesSource::Page);
}

TEST(SettingsWrite, UntouchedDefaultsAreRecordedAsDefaultsAndEditedOnesAsAWrite) {
    for (const bool edited : {false, true}) {
        WriteRig rig;
        ASSERT_TRUE(rig.ok);
        selectFactoryDefaults(rig.lists);
        rig.lists.origin = {ValuesSource::Defaults, {}, edited};
        EXPECT_EQ(rig.write(false).outcome, SettingsWriteOutcome::Written);
        EXPECT_EQ(receivedBytes(rig.sim.sim).size(), 45u) << "no read-back without verify";
        ASSERT_EQ(rig.records.kept.size(), 1u);
        EXPECT_EQ(rig.records.kept[0].kind, edited ? HistoryKind::Write : HistoryKind::Defaults);
    }
}

TEST(SettingsWrite, AnUnacknowledgedPairCommitsNothingAndSaysWhich) {
    WriteRig rig;
    ASSERT_TRUE(rig.ok);
    rig.changeDragBrake();
    const SettingsValues heldBefore = rig.lists.lastReadBlock;
    sim::Faults faults;
    faults.nakPairIndex = 5;
    rig.sim.sim.setFaults(faults);
    const SettingsWriteReport report = rig.write(true);

    EXPECT_EQ(report.outcome, SettingsWriteOutcome::PairFailed);
    EXPECT_EQ(report.failedPair, 5);
    EXPECT_FALSE(report.committed());
    EXPECT_STREQ(settingsWriteBoxText(report.outcome), "Send fail");
    char expected[96];
    std::snprintf(expected, sizeof expected,
                  "Send fail (pair 6 of 22, register 0x%02X, was not acknowledged)",
                  report.pairs[5][0]);
    EXPECT_EQ(settingsWriteMessage(report), expected);
    EXPECT_EQ(report.progressAtFailure(), writePercent(5));
    EXPECT_EQ(rig.sim.sim.commits(), 0);
    EXPECT_EQ(receivedBytes(rig.sim.sim).size(), 12u) << "the write ends at the refused pair";
    EXPECT_EQ(rig.lists.lastReadBlock, heldBefore) << "the lists still hold what the ESC holds";
    EXPECT_TRUE(rig.records.kept.empty());
}

TEST(SettingsWrite, AStopBeforeAPairSendsNoMoreAndNoCommit) {
    WriteRig rig;
    ASSERT_TRUE(rig.ok);
    std::atomic<bool> stop{false};
    PairHook progress;
    progress.pair = 2;
    progress.atPair = [&stop] { stop = true; };
    const SettingsWriteReport report = rig.write(true, &progress, &stop);

    EXPECT_EQ(report.outcome, SettingsWriteOutcome::Stopped);
    EXPECT_EQ(report.failedPair, 3);
    EXPECT_EQ(receivedBytes(rig.sim.sim).size(), 6u);
    EXPECT_EQ(rig.sim.sim.commits(), 0);
    EXPECT_EQ(settingsWriteMessage(report).rfind("write stopped after 3 of 22 pairs", 0), 0u);
    EXPECT_TRUE(rig.records.kept.empty());
}

TEST(SettingsWrite, ACutLineBeforeTheCommitIsACommitFailure) {
    WriteRig rig;
    ASSERT_TRUE(rig.ok);
    PairHook progress;
    progress.pair = 21;
    progress.atPair = [&rig] { rig.sim.sim.dropLine(); };
    const SettingsWriteReport report = rig.write(true, &progress);

    EXPECT_EQ(report.outcome, SettingsWriteOutcome::CommitFailed);
    EXPECT_STREQ(settingsWriteBoxText(report.outcome), "Send Fail");
    EXPECT_EQ(settingsWriteMessage(report), "Send Fail (the commit byte could not be sent)");
    EXPECT_TRUE(rig.records.kept.empty());
}

TEST(SettingsWrite, AReadBackThatFailsOrDiffersIsToldButTheCommitStands) {
    {
        // The ESC goes silent once the last pair is taken: committed, but nothing read back.
        WriteRig rig;
        ASSERT_TRUE(rig.ok);
        PairHook progress;
        progress.pair = 21;
        progress.atPair = [&rig] {
            sim::Faults silent;
            silent.silent = true;
            rig.sim.sim.setFaults(silent);
        };
        const SettingsWriteReport report = rig.write(true, &progress);
        EXPECT_EQ(report.outcome, SettingsWriteOutcome::NotReadBack);
        EXPECT_TRUE(report.committed());
        EXPECT_FALSE(report.succeeded());
        EXPECT_EQ(settingsWriteMessage(report),
                  "the settings were sent but could not be read back to verify them");
        EXPECT_EQ(rig.records.kept.size(), 1u) << "a committed write is recorded";
    }
    {
        // The ESC loses what it took before the commit: the read-back shows its old values.
        WriteRig rig;
        ASSERT_TRUE(rig.ok);
        const sim::SettingsBlock old = rig.sim.sim.settings();
        rig.changeDragBrake();
        PairHook progress;
        progress.pair = 21;
        progress.atPair = [&rig, old] { rig.sim.sim.setSettings(old); };
        const SettingsWriteReport report = rig.write(true, &progress);
        EXPECT_EQ(report.outcome, SettingsWriteOutcome::Differs);
        EXPECT_TRUE(report.committed());
        const std::string message = settingsWriteMessage(report);
        EXPECT_EQ(message.rfind("verification failed: register 0x", 0), 0u) << message;
        EXPECT_EQ(message.find(';'), std::string::npos)
            << "only the drag brake differs: " << message;
    }
}

}  // namespace
}  // namespace orvek
