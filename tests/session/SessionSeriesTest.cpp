// A write series served by a device session against simulated ESCs swapped on one adapter: the
// ESC on the line first, then each one only after the one before has gone.
#include <gtest/gtest.h>

#include "SessionRig.h"
#include "sim/EscSeries.h"
#include "sim/StateFile.h"

namespace orvek {
namespace {

using testing::SessionRig;

constexpr int kUnpluggedMs = 300;

// Unplugs the ESC on the line, lets the session see it gone, plugs in the next and lets the
// session identify and serve it.
void swapEsc(SessionRig& rig, sim::EscSeries& escs) {
    escs.unplug(rig.sim.nowMs());
    ASSERT_TRUE(rig.tick());
    ASSERT_TRUE(
        driving::pumpUntil([&] { return rig.views.series.phase == SeriesPhase::WaitingForNext; }));
    std::string said;
    escs.poll(rig.sim.nowMs() + kUnpluggedMs, said);
    ASSERT_FALSE(said.empty());
    ASSERT_TRUE(rig.tick());
}

TEST(SessionSeries, ServesEachEscOnceInTheOrderTheyCome) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    const auto state = [&](const char* name) { return (rig.folder.path() / name).string(); };
    sim::SettingsBlock defaults{};
    for (const char* name : {"a.state", "b.state", "c.state"}) {
        sim::Simulator fresh;
        ASSERT_TRUE(sim::writeStateFile(state(name), fresh.settings()));
        defaults = fresh.settings();
    }
    std::vector<sim::SeriesEsc> list;
    std::string error;
    // The first ESC comes back last: it holds the values by then.
    ASSERT_TRUE(sim::parseEscSeries(
        "expert:3:" + state("a.state") + ",stock:2:" + state("b.state") +
            ",expert:3:" + state("c.state") + ":nak=5,expert:3:" + state("a.state"),
        list, error))
        << error;
    sim::EscSeries escs(rig.sim, list, {}, kUnpluggedMs);
    ASSERT_TRUE(escs.plugInFirst());
    rig.connectEsc();

    // The page's values: one list moved off what the ESC holds.
    constexpr int kKey = 3;
    const OptionListState& list3 = rig.views.settings.lists[kKey];
    const int picked = (list3.selection + 1) % static_cast<int>(list3.texts.size());
    rig.session->selectOption(kKey, picked);
    SeriesStart start;
    start.source = SeriesStart::Source::Page;
    start.name = "pit lane";
    start.count = 4;
    rig.session->startSeries(start);
    ASSERT_TRUE(rig.tick());
    EXPECT_TRUE(rig.views.status.series);
    ASSERT_EQ(rig.views.series.series.rows.size(), 1u) << "the ESC on the line is the first";
    EXPECT_EQ(rig.views.series.series.rows[0].result, SeriesResult::Verified);
    EXPECT_EQ(rig.views.series.series.name, "pit lane");
    EXPECT_EQ(rig.views.series.phase, SeriesPhase::WaitingForGone);
    EXPECT_FALSE(rig.views.progress.empty()) << "the write's percentage is shown";

    // Still on the line: a tick serves it no second time.
    ASSERT_TRUE(rig.tick());
    EXPECT_EQ(rig.views.series.series.rows.size(), 1u);
    EXPECT_EQ(rig.views.lines.back(), "Unplug ESC 1 (or power it off)");

    // A write asked for meanwhile is the series': refused.
    rig.session->requestWrite();
    ASSERT_TRUE(rig.tick());
    EXPECT_FALSE(rig.views.status.writeRequested);

    swapEsc(rig, escs);
    ASSERT_EQ(rig.views.series.series.rows.size(), 2u);
    EXPECT_EQ(rig.views.series.series.rows[1].result, SeriesResult::Refused);
    EXPECT_NE(rig.views.series.series.rows[1].reason.find("Stock"), std::string::npos);

    swapEsc(rig, escs);
    ASSERT_EQ(rig.views.series.series.rows.size(), 3u);
    EXPECT_EQ(rig.views.series.series.rows[2].result, SeriesResult::Failed);
    EXPECT_NE(rig.views.series.series.rows[2].reason.find("Send fail"), std::string::npos);

    swapEsc(rig, escs);
    ASSERT_EQ(rig.views.series.series.rows.size(), 4u);
    EXPECT_EQ(rig.views.series.series.rows[3].result, SeriesResult::AlreadyEqual);
    EXPECT_EQ(rig.views.series.phase, SeriesPhase::Ended) << "the count was four";
    EXPECT_FALSE(rig.views.status.series);
    EXPECT_EQ(rig.views.lines.back(), "Series ended: 4 ESCs");

    sim::SettingsBlock held{};
    ASSERT_TRUE(sim::readStateFile(state("a.state"), held));
    EXPECT_NE(held, defaults) << "the written ESC keeps the values";
    ASSERT_TRUE(sim::readStateFile(state("b.state"), held));
    EXPECT_EQ(held, defaults) << "the refused ESC holds its own";
    ASSERT_TRUE(sim::readStateFile(state("c.state"), held));
    EXPECT_EQ(held, defaults) << "nothing committed after the refused pair";

    // One record of a write: the first ESC's, with the series as its source.
    HistoryListing listing;
    bool listed = false;
    rig.session->listHistory("", [&](const HistoryListing& l) {
        listing = l;
        listed = true;
    });
    ASSERT_TRUE(driving::pumpUntil([&] { return listed; }));
    ASSERT_TRUE(listing.ok) << listing.failure;
    int writes = 0;
    for (const HistoryRecord& r : listing.records) {
        if (r.kind != HistoryKind::Write) continue;
        ++writes;
        EXPECT_EQ(r.origin.source, ValuesSource::Series);
        EXPECT_EQ(r.origin.detail, "pit lane");
    }
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(rig.views.offThread, 0);

    // The diagnostic log tells the series in order beside the bytes.
    std::vector<std::string> told;
    for (const LogEntry& e : rig.session->linkLogSnapshot().entries)
        if (e.kind == LogKind::State &&
            (e.data.rfind("series", 0) == 0 || e.data.rfind("Series", 0) == 0))
            told.push_back(e.data);
    const std::vector<std::string> expected = {
        "series started: pit lane (the settings on the page)",
        "series: ESC 1 written and verified",
        "series: ESC 2 refused: the values are for an Expert ESC; this is a Stock ESC",
        "series: ESC 3 failed: Send fail (pair 6 of 22, register 0xE4, was not acknowledged)",
        "series: ESC 4 already equal",
        "Series ended: 4 ESCs"};
    EXPECT_EQ(told, expected);
}

TEST(SessionSeries, EndsWhenAskedAndRefusesAPageWithNothingOnIt) {
    SessionRig rig;
    ASSERT_TRUE(rig.ok);
    ASSERT_TRUE(rig.tick());
    // No ESC identified and no sheet loaded: the page has no values.
    rig.session->startSeries(SeriesStart{});
    ASSERT_TRUE(rig.tick());
    EXPECT_FALSE(rig.views.status.series);
    ASSERT_FALSE(rig.views.messages.empty());
    EXPECT_EQ(rig.views.messages.back(), seriesText::NoValues);

    // A record's values; the series chooses ESC mode itself and serves the ESC it finds.
    HistoryRecord record;
    record.id = 7;
    record.family = "Expert";
    SeriesStart start;
    start.source = SeriesStart::Source::Record;
    start.record = record;
    rig.session->startSeries(start);
    ASSERT_TRUE(rig.tick());
    EXPECT_EQ(rig.views.checked, DeviceMode::Esc);
    ASSERT_TRUE(rig.tick());
    ASSERT_EQ(rig.views.series.series.rows.size(), 1u);
    EXPECT_EQ(rig.views.series.series.name.rfind("record 7 ", 0), 0u)
        << rig.views.series.series.name;
    EXPECT_TRUE(rig.views.status.series);

    // An update asked for during the series is refused with a line.
    rig.session->requestUpdate(FirmwareTarget::Esc, rig.folder.path() / "x.kfw");
    ASSERT_TRUE(rig.tick());
    EXPECT_FALSE(rig.views.status.escUpdateRequested);
    EXPECT_EQ(rig.views.messages.back(), seriesText::Running);

    rig.session->endSeries();
    ASSERT_TRUE(rig.caughtUp());
    ASSERT_TRUE(driving::pumpUntil([&] { return rig.views.series.phase == SeriesPhase::Ended; }));
    EXPECT_FALSE(rig.views.status.series);
    EXPECT_EQ(rig.views.series.series.rows.size(), 1u) << "the rows stay";
    // A write is the racer's again.
    rig.session->requestWrite();
    ASSERT_TRUE(rig.caughtUp());
    EXPECT_TRUE(rig.views.status.writeRequested);
}

}  // namespace
}  // namespace orvek
