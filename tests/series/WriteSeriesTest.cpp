// A series against the simulator on a pseudo-terminal: the ESC on the line is swapped between
// serves (another identity, its own settings, its own faults), as ESCs are plugged in one after
// another on the same adapter.
#include <gtest/gtest.h>

#include <vector>

#include "series/WriteSeries.h"
#include "settings/OptionLists.h"
#include "settings/ParamTable.h"
#include "settings/SettingsBlock.h"
#include "sim/EscSeries.h"
#include "support/SimLink.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::receivedBytes;
using testing::SimLink;
using testing::TempFolder;

struct Records : HistorySink {
    void record(HistoryRecord record) override { kept.push_back(std::move(record)); }
    std::vector<HistoryRecord> kept;
};

constexpr std::uint8_t kExpert = 0x0B;
constexpr std::uint8_t kStock = 0x0C;

struct SeriesRig {
    SeriesRig() { ok = line.ok; }

    // Another ESC on the line: its identity, its settings, its faults; nothing received yet.
    void plugIn(std::uint8_t typeCode, const sim::SettingsBlock& settings,
                sim::Faults faults = {}) {
        sim::DeviceIdentity identity;
        identity.typeCode = typeCode;
        line.sim.setIdentity(identity);
        line.sim.setSettings(settings);
        line.sim.setFaults(faults);
        line.sim.clearReceived();
    }
    // Identifies the ESC on the line and hands it to the series.
    const SeriesRow& serve(WriteSeries& series) {
        EscInfo info{};
        EXPECT_EQ(queryInfo(line.link, info), LinkStatus::Ok);
        line.sim.clearReceived();
        return series.serve(line.link, info);
    }
    // A settings file of an Expert 1.30's lists as the simulator's ESC holds them, but with
    // another drag brake: its path and the block an ESC holding it has.
    std::filesystem::path expertFile(sim::SettingsBlock& holding) {
        ParameterLists lists;
        FillOptionLists(lists, EscFamily::Expert, "1.30");
        const sim::SettingsBlock start = sim::defaultSettingsBlock();
        EXPECT_TRUE(acceptSettingsBlock(lists, start.data(), start.size()));
        OptionList& brake = lists.byKey(key::DragBrake);
        brake.setSelection((brake.selection() + 1) % brake.count());
        const WriteImage image = BuildWriteImage(lists);
        holding = start;
        for (std::size_t i = 0; i < image.size(); ++i) holding[i] = image[i].value;
        const std::filesystem::path file = folder.path() / "pit.cfg";
        EXPECT_EQ(exportSettingsFile(lists, file), SettingsFileStatus::Ok);
        return file;
    }

    SimLink line;
    TempFolder folder;
    Records records;
    bool ok = false;
};

TEST(WriteSeries, WritesEachEscOnceRefusesAnotherFamilyAndPassesOneThatHoldsTheValues) {
    SeriesRig rig;
    ASSERT_TRUE(rig.ok);
    sim::SettingsBlock holding{};
    WriteSeries series(seriesValuesFromFile(rig.expertFile(holding)), "pit 2026-12-10",
                       &rig.records);
    EXPECT_FALSE(series.values().family) << "a settings file names no family";
    const sim::SettingsBlock own = sim::defaultSettingsBlock();

    // Two Expert ESCs holding the simulator's own settings: written and verified.
    for (int n = 1; n <= 2; ++n) {
        rig.plugIn(kExpert, own);
        const SeriesRow& row = rig.serve(series);
        EXPECT_EQ(row.number, n);
        EXPECT_EQ(row.result, SeriesResult::Verified) << row.reason;
        EXPECT_EQ(rig.line.sim.settings(), holding);
        ASSERT_EQ(row.changes.size(), 1u);
        EXPECT_EQ(row.changes[0].key, "Drag Brake");
        EXPECT_EQ(row.model, "ORVEK ARC");
        EXPECT_EQ(row.info[0], kExpert);
    }
    EXPECT_EQ(series.values().family, EscFamily::Expert) << "the first ESC's family";

    // A Stock ESC: refused, told why, and nothing written.
    rig.plugIn(kStock, own);
    const SeriesRow& stock = rig.serve(series);
    EXPECT_EQ(stock.result, SeriesResult::Refused);
    EXPECT_EQ(stock.reason, "the values are for an Expert ESC; this is a Stock ESC");
    EXPECT_EQ(rig.line.sim.settings(), own);
    EXPECT_TRUE(receivedBytes(rig.line.sim).empty()) << "refused before its settings are read";

    // An Expert ESC that holds the values already: read, nothing sent.
    rig.plugIn(kExpert, holding);
    const SeriesRow& equal = rig.serve(series);
    EXPECT_EQ(equal.result, SeriesResult::AlreadyEqual);
    EXPECT_TRUE(equal.changes.empty());
    EXPECT_EQ(receivedBytes(rig.line.sim), std::vector<std::uint8_t>{0xD8});

    // An Expert ESC that refuses a pair: failed with the write's words, nothing committed.
    sim::Faults nak;
    nak.nakPairIndex = 4;
    rig.plugIn(kExpert, own, nak);
    const int commitsBefore = rig.line.sim.commits();
    const SeriesRow& failed = rig.serve(series);
    EXPECT_EQ(failed.result, SeriesResult::Failed);
    EXPECT_EQ(failed.reason.rfind("Send fail (pair 5 of 22", 0), 0u) << failed.reason;
    EXPECT_EQ(rig.line.sim.commits(), commitsBefore);

    ASSERT_EQ(series.rows().size(), 5u);
    EXPECT_TRUE(series.anyFailed());
    EXPECT_TRUE(series.anyRefused());
    // One record for each ESC written, with the series as its source.
    ASSERT_EQ(rig.records.kept.size(), 2u);
    for (const HistoryRecord& record : rig.records.kept) {
        EXPECT_EQ(record.kind, HistoryKind::Write);
        EXPECT_EQ(record.origin.source, ValuesSource::Series);
        EXPECT_EQ(record.origin.detail, "pit 2026-12-10");
    }
}

TEST(WriteSeries, ARecordsFamilyHoldsFromTheFirstEsc) {
    SeriesRig rig;
    ASSERT_TRUE(rig.ok);
    HistoryRecord stockRecord;
    stockRecord.id = 12;
    stockRecord.family = "Stock";
    WriteSeries series(seriesValuesFromRecord(stockRecord), "stock night", &rig.records);
    EXPECT_EQ(series.values().family, EscFamily::Stock);
    EXPECT_EQ(series.values().description, "record #12");
    rig.plugIn(kExpert, sim::defaultSettingsBlock());
    const SeriesRow& row = rig.serve(series);
    EXPECT_EQ(row.result, SeriesResult::Refused);
    EXPECT_EQ(row.reason, "the values are for a Stock ESC; this is an Expert ESC");
    EXPECT_TRUE(rig.records.kept.empty());
}

TEST(WriteSeries, AValueWithNoOptionOnTheEscRefusesIt) {
    SeriesRig rig;
    ASSERT_TRUE(rig.ok);
    SettingsTexts texts;
    texts[key::DragBrake] = "Level 99";
    WriteSeries series(seriesValuesFromTexts(texts, EscFamily::Expert, "page"), "odd", nullptr);
    rig.plugIn(kExpert, sim::defaultSettingsBlock());
    const SeriesRow& row = rig.serve(series);
    EXPECT_EQ(row.result, SeriesResult::Refused);
    EXPECT_EQ(row.reason, "Drag Brake: \"Level 99\" matches no option on this ESC");
    EXPECT_EQ(rig.line.sim.pairsStored(), 0);
}

TEST(WriteSeries, NamesAndResultsInWords) {
    EXPECT_EQ(defaultSeriesName("Club/Stock 13.5", "2026-12-10"), "Club/Stock 13.5 2026-12-10");
    EXPECT_EQ(defaultSeriesName("", "2026-12-10"), "series 2026-12-10");
    EXPECT_STREQ(seriesResultName(SeriesResult::Verified), "written and verified");
    EXPECT_STREQ(seriesResultName(SeriesResult::AlreadyEqual), "already equal");
    EXPECT_EQ(originText({ValuesSource::Series, "pit", false}), "series pit");
    EXPECT_EQ(valuesSourceFromName("series"), ValuesSource::Series);
}

TEST(SimulatedEscSeries, ReadsItsListAndRefusesWhatDoesNotReadSo) {
    std::vector<sim::SeriesEsc> escs;
    std::string error;
    ASSERT_TRUE(sim::parseEscSeries("expert:3,stock:2:s.state,blinky:12::nak=21", escs, error));
    ASSERT_EQ(escs.size(), 3u);
    EXPECT_EQ(escs[0].identity.typeCode, 0x0B);
    EXPECT_EQ(escs[1].identity.typeCode, 0x0C);
    EXPECT_EQ(escs[1].identity.versionCode, 2);
    EXPECT_EQ(escs[1].stateFile, "s.state");
    EXPECT_EQ(escs[2].identity.typeCode, 0x0D);
    EXPECT_EQ(escs[2].nakPair, 21);
    EXPECT_TRUE(escs[2].stateFile.empty());
    for (const char* bad : {"", "expert", "turbo:3", "expert:x", "expert:256", "expert:3:a:nak=22",
                            "expert:3:a:b", "expert:3:a:nak=4:x"}) {
        EXPECT_FALSE(sim::parseEscSeries(bad, escs, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(SimulatedEscSeries, AnUnpluggedEscIsSilentUntilTheNextOneAnswers) {
    SimLink line;
    ASSERT_TRUE(line.ok);
    std::vector<sim::SeriesEsc> escs;
    std::string error;
    ASSERT_TRUE(sim::parseEscSeries("expert:3,stock:2", escs, error));
    sim::EscSeries series(line.sim, escs, {}, 200);
    ASSERT_TRUE(series.plugInFirst());
    EXPECT_EQ(probeEsc(line.link), EscProbeResult::EscPresent);
    series.unplug(line.sim.nowMs());
    EXPECT_EQ(probeEsc(line.link), EscProbeResult::NoAnswer);
    std::string said;
    series.poll(line.sim.nowMs(), said);
    EXPECT_TRUE(said.empty()) << "not yet";
    series.poll(line.sim.nowMs() + 200, said);
    EXPECT_EQ(said, "ESC 2 of 2 (stock:2) plugged in");
    EscInfo info{};
    ASSERT_EQ(queryInfo(line.link, info), LinkStatus::Ok);
    EXPECT_EQ(info[0], 0x0C);
    // After the last one the line stays silent.
    series.unplug(line.sim.nowMs());
    said.clear();
    series.poll(line.sim.nowMs() + 10000, said);
    EXPECT_TRUE(said.empty());
    EXPECT_EQ(probeEsc(line.link), EscProbeResult::NoAnswer);
}

}  // namespace
}  // namespace orvek
