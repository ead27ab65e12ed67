// Firmware updates started by the poll tick, and the tick keeping off a link someone else uses.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "MonitorRig.h"
#include "settings/SettingsFile.h"
#include "support/TestImages.h"

namespace orvek {
namespace {

using testing::MonitorRig;
using Bytes = std::vector<std::uint8_t>;

using testing::writeKfwImage;

TEST(UpdateDispatch, EscUpdateRunsOnItsThreadWhileTicksStayOffTheLink) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    const auto image = writeKfwImage("monitor-update", 40);
    rig.requests.escImage = image;
    rig.requests.escUpdateRequested = true;
    rig.requests.writeRequested = true;  // must wait for the update

    rig.monitor.onPollTimer();
    int ticksDuringUpdate = 0;
    while (rig.monitor.updateRunning()) {
        rig.monitor.onPollTimer();
        ++ticksDuringUpdate;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    rig.monitor.waitForUpdates();
    std::filesystem::remove(image);
    EXPECT_GT(ticksDuringUpdate, 0);

    // On the wire: the tick's probe, then only the update's bytes.
    Bytes expected = {0xD5, 0xD6, 0xD6, 0xD6, 0xD6, 0x39, 0x31};
    for (const auto& record : rig.sim.records())
        expected.insert(expected.end(), record.begin(), record.end());
    EXPECT_EQ(rig.sim.records().size(), 41u);
    EXPECT_EQ(rig.received(), expected);
    EXPECT_EQ(rig.sim.pairsStored(), 0) << "the write waited";
    EXPECT_TRUE(rig.window.log.has("updatePicture:188"));
    EXPECT_FALSE(rig.requests.escUpdateRequested);
    EXPECT_TRUE(rig.requests.writeRequested);
    EXPECT_TRUE(rig.state.updateIdle);
    EXPECT_EQ(rig.link.escState(), EscState::NotAnswering);
    EXPECT_TRUE(rig.window.timerRunning);
    EXPECT_TRUE(rig.window.log.startingWith("lamps:").empty()) << "no poll while the update ran";

    // The next tick identifies the new firmware afresh, then writes.
    rig.sim.clearReceived();
    rig.monitor.onPollTimer();
    const Bytes after = rig.received();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(Bytes(after.begin(), after.begin() + 3), (Bytes{0xD5, 0xD7, 0xD8}));
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
    EXPECT_EQ(rig.sim.commits(), 1);
    EXPECT_FALSE(rig.requests.writeRequested);
}

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The user's data folder of one test, removed at its end.
class DataHome {
public:
    DataHome()
        : path_(std::filesystem::temp_directory_path() /
                ("orvek-data-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        setenv("XDG_DATA_HOME", path_.c_str(), 1);
    }
    ~DataHome() {
        unsetenv("XDG_DATA_HOME");
        std::filesystem::remove_all(path_);
    }
    std::filesystem::path backups() const { return path_ / "orvek-link" / "backups"; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs a requested ESC update to its end; the events of the window from the request on.
void runEscUpdate(MonitorRig& rig, const std::filesystem::path& image) {
    rig.requests.escImage = image;
    rig.requests.escUpdateRequested = true;
    rig.monitor.onPollTimer();
    rig.monitor.waitForUpdates();
}

TEST(UpdateDispatch, EscSettingsAreSavedBeforeTheUpdateAndAFailedSaveDoesNotStopIt) {
    DataHome data;
    const auto image = writeKfwImage("monitor-backup", 4);
    {
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        runEscUpdate(rig, image);
        ASSERT_EQ(std::distance(std::filesystem::directory_iterator(data.backups()),
                                std::filesystem::directory_iterator()),
                  1);
        const auto saved = *std::filesystem::directory_iterator(data.backups());
        EXPECT_EQ(saved.path().filename().string().rfind("ORVEK-ARC_Expert-V1.30_", 0), 0u)
            << saved.path();
        const auto exported = data.path() / "export.cfg";
        ASSERT_EQ(exportSettingsFile(rig.lists, exported), SettingsFileStatus::Ok);
        EXPECT_EQ(fileBytes(saved.path()), fileBytes(exported));
        // Saved in the tick, before the worker took the link.
        const auto events = rig.window.log.all();
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events[0], "backup:saved:" + saved.path().string());
        EXPECT_EQ(events[1], "stopPollTimer");
        EXPECT_TRUE(rig.window.log.has("updatePicture:188"));
    }
    {
        // The data folder's place is taken by a file: shown, and the update goes on.
        std::filesystem::remove_all(data.path() / "orvek-link");
        std::ofstream(data.path() / "orvek-link") << "in the way";
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        runEscUpdate(rig, image);
        const auto backups = rig.window.log.startingWith("backup:");
        ASSERT_EQ(backups.size(), 1u);
        EXPECT_EQ(backups[0].rfind("backup:failed:" + data.backups().string(), 0), 0u)
            << backups[0];
        EXPECT_TRUE(rig.window.log.has("updatePicture:188"));
        EXPECT_EQ(rig.sim.records().size(), 5u);
    }
    std::filesystem::remove(image);
}

TEST(UpdateDispatch, NoBackupWithoutSettingsReadFromThisEsc) {
    DataHome data;
    const auto image = writeKfwImage("monitor-nobackup", 2);
    {
        // Every settings read failed: the lists hold no settings of this ESC.
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        sim::Faults noSettings;
        noSettings.ignoreByte = 0xD8;
        rig.sim.setFaults(noSettings);
        rig.connectEsc();
        rig.sim.setFaults({});
        runEscUpdate(rig, image);
        EXPECT_TRUE(rig.window.log.startingWith("backup:").empty());
        EXPECT_TRUE(rig.window.log.has("updatePicture:188"));
    }
    {
        // Fix mode: the settings read earlier belong to an ESC that is no longer identified.
        MonitorRig rig;
        ASSERT_TRUE(rig.ok);
        rig.connectEsc();
        rig.monitor.onDeviceFixMode();
        rig.window.log.clear();
        runEscUpdate(rig, image);
        EXPECT_TRUE(rig.window.log.startingWith("backup:").empty());
        EXPECT_TRUE(rig.window.log.has("updatePicture:188"));
    }
    EXPECT_FALSE(std::filesystem::exists(data.backups()));
    std::filesystem::remove(image);
}

TEST(UpdateDispatch, CardUpdateWithoutACardIsRefusedThroughTheMonitorsState) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    rig.requests.cardImage = "/nonexistent/card.xup";
    rig.requests.cardUpdateRequested = true;
    rig.monitor.onPollTimer();
    rig.monitor.waitForUpdates();
    EXPECT_EQ(rig.window.log.startingWith("message:"),
              std::vector<std::string>{"message:stop:Program Card Connection Error!"});
    EXPECT_FALSE(rig.requests.cardUpdateRequested);
    EXPECT_TRUE(rig.state.updateIdle);
    EXPECT_EQ(rig.received(), Bytes{0xD5});
}

TEST(UpdateDispatch, TickDoesNothingWhileTheLinkIsHeldElsewhere) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    {
        std::lock_guard<std::mutex> held(rig.link.exclusiveUse());
        rig.monitor.onPollTimer();
        EXPECT_EQ(rig.link.portOpen(), 0) << "not even the port is opened";
    }
    rig.plugIn();
    rig.monitor.onDeviceEsc();
    rig.requests.writeRequested = true;
    {
        std::lock_guard<std::mutex> held(rig.link.exclusiveUse());
        rig.monitor.onPollTimer();
    }
    EXPECT_TRUE(rig.received().empty());
    EXPECT_TRUE(rig.requests.writeRequested);
    EXPECT_EQ(rig.link.escState(), EscState::NotProbed);
}

}  // namespace
}  // namespace orvek
