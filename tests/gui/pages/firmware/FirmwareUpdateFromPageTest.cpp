// Firmware updates started from the page: a click, the monitor's tick, the worker on its own
// thread against the simulated device, and what the page shows as the worker posts it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "FirmwarePageRig.h"
#include "firmware/KfwImage.h"
#include "firmware/Progress.h"
#include "firmware/XupImage.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/pages/firmware/IdentityField.h"
#include "settings/SettingsFile.h"
#include "support/RefusedFiles.h"

namespace orvek {
namespace {

using namespace testing;
namespace ctl = firmwareControl;

const QPoint kEscStart(515, 140);
const QPoint kCardStart(515, 390);

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CxSkinButton* progress(const PageRig& rig, FirmwareTarget target) {
    return static_cast<CxSkinButton*>(
        rig.page->control(target == FirmwareTarget::Esc ? ctl::EscProgress : ctl::CardProgress));
}

TEST(FirmwareUpdateFromPage, EscUpdateFromAClickToFinishedWithItsSettingsSavedFirst) {
    PageRig rig(pacedDevice(sim::Peer::EscApplication));
    ASSERT_TRUE(rig.ok);
    std::vector<Bytes> frames;
    rig.folders.writeFirmware("Expert V1.40.kfw", kfwImage(30, 5, &frames));
    rig.openPage();
    rig.connectEsc();
    VisibilityLog visibility;
    visibility.watch(rig.page->control(ctl::EscProgress), ctl::EscProgress);
    visibility.watch(rig.page->control(ctl::EscStatus), ctl::EscStatus);

    rig.choose(FirmwareTarget::Esc, "Expert V1.40");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kEscStart);
    ASSERT_TRUE(rig.status().escUpdateRequested);
    EXPECT_FALSE(rig.status().updateRunning) << "the click only asks";
    rig.messages.shown.clear();
    rig.tick();
    ASSERT_TRUE(rig.status().updateRunning);

    bool idleWhileShowingProgress = false;
    bool readyResetMidUpdate = false;
    rig.runUpdates([&] {
        if (!progress(rig, FirmwareTarget::Esc)->isVisible()) return;
        idleWhileShowingProgress |= !rig.window.win().updateLocked();
        // Brought up mid-update, the page keeps what it shows.
        rig.page->setStatusPicture(FirmwareTarget::Esc, SkinId::StatusFinished);
        rig.bringUpPage();
        readyResetMidUpdate |= rig.page->statusPicture(FirmwareTarget::Esc) == SkinId::StatusReady;
    });
    EXPECT_FALSE(idleWhileShowingProgress);
    EXPECT_FALSE(readyResetMidUpdate);

    // Shown in the order the worker posted: progress over the status picture, then the outcome.
    EXPECT_EQ(visibility.events,
              (std::vector<std::string>{"1101:show", "1031:hide", "1101:hide", "1031:show"}));
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::Esc), SkinId::StatusFinished);
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::ProgramCard), SkinId::StatusReady);
    // The caption keeps the percentage shown before the last record.
    const std::int64_t total = measureKfwImage(rig.folders.firmware("Expert V1.40.kfw")).totalBytes;
    const std::int64_t beforeLast = total - static_cast<std::int64_t>(frames.back().size());
    EXPECT_EQ(progress(rig, FirmwareTarget::Esc)->text().toStdString(),
              progressCaption(progressPercent(beforeLast, total)));
    EXPECT_EQ(rig.sim.records(), frames);
    EXPECT_TRUE(rig.messageLog().empty());
    EXPECT_FALSE(rig.status().escUpdateRequested);

    // The settings went to the user's data folder first, as an export of the lists would write
    // them.
    const auto backups = rig.backupsSaved();
    ASSERT_EQ(backups.size(), 1u);
    const std::filesystem::path saved = backups[0];
    EXPECT_EQ(saved.parent_path(), rig.folders.backups());
    EXPECT_EQ(saved.filename().string().rfind("ORVEK-ARC_Expert-V1.30_", 0), 0u) << saved;
    const auto exported = rig.folders.data() / "export.cfg";
    ASSERT_EQ(exportSettingsFile(rig.lists(), exported), SettingsFileStatus::Ok);
    EXPECT_EQ(fileBytes(saved), fileBytes(exported));
    auto* line = static_cast<QLabel*>(rig.page->control(ctl::BackupLine));
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(line->toolTip().contains(QString::fromStdString(saved.filename().string())));

    // The ESC is identified afresh at the next tick, and the page brought up shows Ready again.
    rig.messages.shown.clear();
    rig.tick();
    EXPECT_EQ(rig.status().escState, EscState::Identified);
    EXPECT_EQ(static_cast<IdentityField*>(rig.page->control(ctl::EscFirmware))->text(),
              "Expert V1.30")
        << "shown afresh from the new identification";
    rig.bringUpPage();
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::Esc), SkinId::StatusReady);
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::ProgramCard), SkinId::StatusReady);
}

TEST(FirmwareUpdateFromPage, CardUpdateRefusedForItsChecksumEndsFailedWithTheMessage) {
    PageRig rig(deviceOptions(sim::Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    rig.folders.writeFirmware("QLX_V1.30.xup", xupImage(5, 7));
    rig.openPage();
    rig.connectCard();
    sim::Faults crc;
    crc.blockChecksumErrorAt = 2;
    rig.sim.setFaults(crc);
    VisibilityLog visibility;
    visibility.watch(rig.page->control(ctl::CardProgress), ctl::CardProgress);
    visibility.watch(rig.page->control(ctl::CardStatus), ctl::CardStatus);

    rig.choose(FirmwareTarget::ProgramCard, "QLX_V1.30");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kCardStart);
    rig.messages.shown.clear();
    rig.tick();
    rig.runUpdates();

    EXPECT_EQ(rig.messageLog(),
              std::vector<std::string>{"message:none:Update Error: Data transfer crc error!"});
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::ProgramCard), SkinId::StatusFailed);
    EXPECT_EQ(visibility.events,
              (std::vector<std::string>{"1033:hide", "1102:show", "1102:hide", "1033:show"}));
    EXPECT_EQ(rig.sim.blocks().size(), 2u) << "nothing after the refused block";
    EXPECT_FALSE(rig.status().cardUpdateRequested);
    EXPECT_TRUE(rig.backupsSaved().empty()) << "a card has no settings to save";
    EXPECT_EQ(rig.status().usbState, UsbState::NoPort) << "closed for the next tick to reopen";
}

TEST(FirmwareUpdateFromPage, ClickDuringARunningUpdateStartsNoSecondOne) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    std::vector<Bytes> first;
    rig.folders.writeFirmware("A.kfw", kfwImage(12, 1, &first));
    rig.folders.writeFirmware("B.kfw", kfwImage(12, 2));
    rig.openPage();
    rig.connectEsc();
    rig.choose(FirmwareTarget::Esc, "A");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kEscStart);
    rig.tick();
    ASSERT_TRUE(rig.status().updateRunning);

    // The worker waits for the window's thread, which takes this click first.
    rig.choose(FirmwareTarget::Esc, "B");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kEscStart);
    EXPECT_EQ(rig.status().escImage, rig.folders.firmware("B.kfw"));
    rig.runUpdates([&] { rig.tick(); });
    EXPECT_FALSE(rig.status().escUpdateRequested) << "the running update cleared it";
    rig.tick();
    EXPECT_FALSE(rig.status().updateRunning);
    EXPECT_EQ(rig.sim.imagesCompleted(), 1);
    EXPECT_EQ(rig.sim.records(), first) << "the running update kept the image it started with";
}

TEST(FirmwareUpdateFromPage, BothTargetsRequestedBeforeATickEachGoWithTheirOwnImage) {
    PageRig rig(deviceOptions(sim::Peer::CardApplication));
    ASSERT_TRUE(rig.ok);
    std::vector<Bytes> blocks, records;
    rig.folders.writeFirmware("Race.xup", xupImage(4, 9, &blocks));
    rig.folders.writeFirmware("Race.kfw", kfwImage(6, 9, &records));
    rig.openPage();

    // The card attached: the card update takes the .xup even though the ESC was clicked last.
    rig.connectCard();
    rig.choose(FirmwareTarget::ProgramCard, "Race");
    rig.choose(FirmwareTarget::Esc, "Race");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kCardStart);
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kEscStart);
    rig.messages.shown.clear();
    rig.tick();
    rig.runUpdates();
    EXPECT_EQ(rig.sim.blocks(), blocks);
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::ProgramCard), SkinId::StatusFinished);
    EXPECT_EQ(rig.messageLog(), std::vector<std::string>{"message:stop:ESC Connection Error!"});

    // The ESC attached: the ESC update takes the .kfw even though the card was clicked last.
    rig.sim.setPeer(sim::Peer::EscApplication);
    rig.connectEsc();
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kEscStart);
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, kCardStart);
    rig.messages.shown.clear();
    rig.tick();
    rig.runUpdates();
    EXPECT_EQ(rig.sim.records(), records);
    EXPECT_EQ(rig.page->statusPicture(FirmwareTarget::Esc), SkinId::StatusFinished);
    EXPECT_EQ(rig.messageLog(),
              std::vector<std::string>{"message:stop:Program Card Connection Error!"});
}

// An image the readers refuse, chosen and clicked: the click and the worker end at once with the
// file error, and the poll runs again (a worker blocked on the file would keep it stopped).
class FirmwareUpdateOfARefusedFile : public ::testing::TestWithParam<RefusedKind> {};

TEST_P(FirmwareUpdateOfARefusedFile, EndsWithTheFileErrorAndThePollRunsAgain) {
    for (const FirmwareTarget target : {FirmwareTarget::Esc, FirmwareTarget::ProgramCard}) {
        const bool esc = target == FirmwareTarget::Esc;
        SCOPED_TRACE(esc ? "ESC" : "program card");
        PageRig rig(deviceOptions(esc ? sim::Peer::EscApplication : sim::Peer::CardApplication));
        ASSERT_TRUE(rig.ok);
        const std::string name = esc ? "Refused.kfw" : "Refused.xup";
        ASSERT_TRUE(makeRefusedFile(GetParam(), rig.folders.firmware(name),
                                    esc ? kKfwFileBytesLimit : xupTextBytesLimit()));
        rig.openPage();
        if (esc) {
            rig.connectEsc();
        } else {
            rig.connectCard();
        }
        rig.choose(target, "Refused");
        rig.messages.shown.clear();
        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(rig.page, Qt::LeftButton, {}, esc ? kEscStart : kCardStart);
        rig.tick();
        rig.runUpdates();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(rig.messageLog(), std::vector<std::string>{"message:stop:Read File Error!"});
        EXPECT_TRUE(rig.status().pollTimerActive) << "timer 1 runs again";
        EXPECT_FALSE(esc ? rig.status().escUpdateRequested : rig.status().cardUpdateRequested);
        EXPECT_TRUE(rig.status().updateIdle);
        EXPECT_TRUE(rig.sim.records().empty() && rig.sim.blocks().empty())
            << "nothing went to the device";
    }
}

// A folder is never listed, so it cannot be chosen; the other three can.
INSTANTIATE_TEST_SUITE_P(EachKind, FirmwareUpdateOfARefusedFile,
                         ::testing::Values(RefusedKind::Pipe, RefusedKind::Device,
                                           RefusedKind::Oversized),
                         RefusedKindName());

}  // namespace
}  // namespace orvek
