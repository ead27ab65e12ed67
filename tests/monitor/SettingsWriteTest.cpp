// Factory defaults and the settings write as the poll tick serves them, against the simulated ESC.
#include <gtest/gtest.h>

#include "MonitorRig.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"

namespace orvek {
namespace {

using testing::deviceOptions;
using testing::MonitorRig;
using Events = std::vector<std::string>;

const Events kAllProgress = {"progress:0% ",  "progress:4% ",  "progress:9% ",  "progress:14% ",
                             "progress:19% ", "progress:23% ", "progress:28% ", "progress:33% ",
                             "progress:38% ", "progress:42% ", "progress:47% ", "progress:52% ",
                             "progress:57% ", "progress:61% ", "progress:66% ", "progress:71% ",
                             "progress:76% ", "progress:80% ", "progress:85% ", "progress:90% ",
                             "progress:95% ", "progress:100% "};

// The ESC now holds exactly what the lists say.
void expectEscHoldsLists(MonitorRig& rig) {
    const WriteImage image = BuildWriteImage(rig.lists);
    const sim::SettingsBlock held = rig.sim.settings();
    for (std::size_t i = 0; i < image.size(); ++i)
        EXPECT_EQ(held[i], image[i].value) << "byte " << i;
}

// Selects another option than the current one in a list; the index chosen.
int selectOther(ParameterLists& lists, int keyNumber) {
    OptionList& list = lists.byKey(keyNumber);
    const int other = (list.selection() + 1) % list.count();
    list.setSelection(other);
    return other;
}

TEST(SendSettings, WritesEveryPairWithProgressThenCommits) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const sim::SettingsBlock before = rig.sim.settings();
    selectOther(rig.lists, key::DragBrake);
    rig.requests.writeRequested = true;

    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.window.log.startingWith("progress:"), kAllProgress);
    EXPECT_EQ(rig.sim.pairsStored(), 22);
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_NE(rig.sim.settings()[1], before[1]) << "the changed drag brake arrived";
    expectEscHoldsLists(rig);
    // What the ESC holds now is known without reading it back.
    EXPECT_TRUE(std::equal(rig.lists.lastReadBlock.begin(), rig.lists.lastReadBlock.end(),
                           rig.sim.settings().begin()));
    EXPECT_FALSE(anySettingDiffersFromEsc(rig.lists));
    EXPECT_FALSE(rig.requests.writeRequested);
    EXPECT_EQ(rig.state.writeProgress, 100);
    EXPECT_TRUE(rig.window.log.startingWith("message:").empty());
    const Events all = rig.window.log.all();
    EXPECT_EQ(all.front(), "stopPollTimer");
    EXPECT_EQ(all.back(), "startPollTimer");
    // The probe of the tick, then 22 pairs, then the commit byte.
    const auto bytes = rig.received();
    ASSERT_EQ(bytes.size(), 1u + 44u + 1u);
    EXPECT_EQ(bytes.front(), 0xD5);
    EXPECT_EQ(bytes[1], 0xE1);
    EXPECT_EQ(bytes.back(), 0xDF);
}

TEST(SendSettings, ConnectionRefusalsClearTheFlagWithAStopBox) {
    {
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        rig.link.setPortOverride("/nonexistent/orvek-adapter");
        rig.requests.writeRequested = true;
        rig.requests.defaultsRequested = true;
        rig.monitor.onPollTimer();
        EXPECT_EQ(
            rig.window.log.startingWith("message:"),
            (Events{"message:stop:USB Connection Error!", "message:stop:USB Connection Error!"}));
        EXPECT_FALSE(rig.requests.writeRequested);
        EXPECT_FALSE(rig.requests.defaultsRequested);
    }
    for (const DeviceMode mode : {DeviceMode::None, DeviceMode::ProgramCard, DeviceMode::Fix}) {
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        rig.plugIn();
        if (mode != DeviceMode::None) rig.monitor.chooseMode(mode);
        rig.requests.writeRequested = true;
        rig.window.log.clear();
        rig.monitor.onPollTimer();
        EXPECT_EQ(rig.window.log.startingWith("message:"),
                  Events{"message:stop:ESC Connection Error!"})
            << "mode " << static_cast<int>(mode);
        EXPECT_FALSE(rig.requests.writeRequested);
        EXPECT_TRUE(rig.window.log.startingWith("stopPollTimer").empty())
            << "refused before the timer stops";
        EXPECT_EQ(rig.sim.pairsStored(), 0);
    }
}

TEST(SendSettings, RefusedPairLeavesTheRequestForTheNextTickWhichStartsAgain) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    sim::Faults nak;
    nak.nakPairIndex = 5;
    nak.nakPairTimes = 1;
    rig.sim.setFaults(nak);
    selectOther(rig.lists, key::DragBrake);
    rig.requests.writeRequested = true;

    rig.monitor.onPollTimer();
    EXPECT_TRUE(anySettingDiffersFromEsc(rig.lists))
        << "a half-done write is not what the ESC holds";
    const Events firstFive(kAllProgress.begin(), kAllProgress.begin() + 5);
    EXPECT_EQ(rig.window.log.startingWith("progress:"), firstFive);
    EXPECT_EQ(rig.window.log.startingWith("message:"), Events{"message:none:Send fail"});
    EXPECT_TRUE(rig.requests.writeRequested);
    EXPECT_EQ(rig.state.writeProgress, 23);
    EXPECT_EQ(rig.sim.commits(), 0);
    EXPECT_EQ(rig.window.log.all().back(), "startPollTimer");

    rig.window.log.clear();
    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.window.log.startingWith("progress:"), kAllProgress);
    EXPECT_TRUE(rig.window.log.startingWith("message:").empty());
    EXPECT_FALSE(rig.requests.writeRequested);
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_EQ(rig.sim.pairsStored(), 5 + 22);
    EXPECT_FALSE(anySettingDiffersFromEsc(rig.lists));
}

TEST(SendSettings, CommitThatCannotBeWrittenIsReportedOnceAndNotRetried) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.plugIn();
    rig.monitor.onDeviceEsc();
    rig.monitor.onPollTimer();  // probe, identity query, settings read: 3 bytes
    ASSERT_EQ(rig.link.escState(), EscState::Identified);
    const SettingsValues before = rig.lists.lastReadBlock;
    selectOther(rig.lists, key::DragBrake);
    // The cable goes once the next probe and the 22 pairs are in, before the commit byte.
    sim::Faults cut;
    cut.dropAfterBytes = 3 + 1 + 44;
    rig.sim.setFaults(cut);
    rig.window.log.clear();
    rig.requests.writeRequested = true;

    rig.monitor.onPollTimer();
    EXPECT_EQ(rig.window.log.startingWith("progress:"), kAllProgress);
    EXPECT_EQ(rig.window.log.startingWith("message:"), Events{"message:none:Send Fail"});
    EXPECT_FALSE(rig.requests.writeRequested);
    EXPECT_EQ(rig.sim.pairsStored(), 22);
    EXPECT_EQ(rig.sim.commits(), 0);
    EXPECT_EQ(rig.window.log.all().back(), "startPollTimer");
    EXPECT_TRUE(
        std::equal(rig.lists.lastReadBlock.begin(), rig.lists.lastReadBlock.end(), before.begin()))
        << "an uncommitted write is not what the ESC holds";
}

TEST(SendSettings, RefusalBoxDoesNotLetANestedTickOntoTheLink) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.plugIn();
    rig.monitor.onDeviceEsc();
    rig.requests.writeRequested = true;
    rig.requests.defaultsRequested = true;
    rig.sim.setFaults([] {
        sim::Faults f;
        f.silent = true;  // the ESC does not answer: the write is refused
        return f;
    }());
    std::size_t bytesDuringBox = 0;
    int nested = 0;
    rig.window.duringMessage = [&] {
        const std::size_t before = rig.received().size();
        rig.monitor.onPollTimer();
        ++nested;
        bytesDuringBox += rig.received().size() - before;
    };
    rig.monitor.onPollTimer();
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(bytesDuringBox, 0u);
    EXPECT_EQ(rig.window.log.startingWith("message:").size(), 2u);
}

TEST(ApplyFactoryDefaults, DefaultsAndWriteInOneTickEndWithTheDefaultsInTheEsc) {
    sim::SimOptions options = deviceOptions(sim::Peer::EscApplication);
    options.identity.typeCode = 0x0C;
    MonitorRig rig(options);
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const sim::SettingsBlock before = rig.sim.settings();
    rig.requests.defaultsRequested = true;
    rig.requests.writeRequested = true;

    rig.monitor.onPollTimer();
    // Start the reference from what the ESC held, then apply the family's defaults to it.
    ParameterLists fromEsc;
    FillOptionLists(fromEsc, EscFamily::Stock, rig.lists.versionText);
    ApplySettingsBlock(fromEsc, before.data(), before.size());
    selectFactoryDefaults(fromEsc);
    for (int k = 0; k < kParameterCount; ++k) {
        EXPECT_EQ(rig.lists.byKey(k).selection(), fromEsc.byKey(k).selection()) << "key " << k;
    }
    EXPECT_FALSE(rig.requests.defaultsRequested);
    EXPECT_FALSE(rig.requests.writeRequested);
    EXPECT_EQ(rig.sim.commits(), 1);
    expectEscHoldsLists(rig);
    bool changed = false;
    for (std::size_t i = 0; i < 22; ++i) changed = changed || rig.sim.settings()[i] != before[i];
    EXPECT_TRUE(changed) << "the defaults differ from the simulated ESC's own settings";
}

TEST(ApplyFactoryDefaults, OnlyTheListsChangeAndAnUnlistedFamilyKeepsThem) {
    {
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        const sim::SettingsBlock before = rig.sim.settings();
        rig.requests.defaultsRequested = true;
        rig.monitor.onPollTimer();
        EXPECT_FALSE(rig.requests.defaultsRequested);
        EXPECT_EQ(rig.received(), std::vector<std::uint8_t>{0xD5}) << "nothing sent but the probe";
        EXPECT_EQ(rig.sim.settings(), before);
    }
    sim::SimOptions options = deviceOptions(sim::Peer::EscApplication);
    options.identity.typeCode = 0x0A;
    MonitorRig rig(options);
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    ASSERT_EQ(rig.lists.family, EscFamily::Unlisted);
    std::vector<int> selections;
    for (int k = 0; k < kParameterCount; ++k) selections.push_back(rig.lists.byKey(k).selection());
    rig.requests.defaultsRequested = true;
    rig.monitor.onPollTimer();
    for (int k = 0; k < kParameterCount; ++k)
        EXPECT_EQ(rig.lists.byKey(k).selection(), selections[k]);
    EXPECT_FALSE(rig.requests.defaultsRequested);
    EXPECT_TRUE(rig.window.log.startingWith("message:").empty());
}

}  // namespace
}  // namespace orvek
