// The FIRMWARE page on its own and with the monitor identifying a simulated device: its
// controls in place, the identity texts, the image lists, clicks on the start pictures and the
// check of a damaged image before anything is requested.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>

#include "FirmwarePageRig.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/pages/firmware/IdentityField.h"
#include "gui/pages/settings/EscSetupControls.h"
#include "resources/SkinRegistry.h"
#include "support/WidgetTesting.h"

namespace orvek {
namespace {

using namespace testing;
namespace ctl = firmwareControl;

IdentityField* field(const PageRig& rig, int id) {
    return static_cast<IdentityField*>(rig.page->control(id));
}

// A picture at `place` as it shows over the left background picture (at 20, 20) on black.
QImage overLeftBackground(int id, const QRect& place) {
    QImage image(place.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.drawImage(QPoint(20, 20) - place.topLeft(),
                      SkinRegistry::image(SkinId::FirmwareLeftPanel));
    painter.drawImage(QPoint(0, 0), SkinRegistry::image(id));
    return image;
}

TEST(FirmwarePageLayout, PicturesShowWhereTheyBelongAndOnlyTheUsedControlsShow) {
    PageRig rig;
    rig.openPage();
    const QImage shown = renderWidget(*rig.page);
    struct Picture {
        int id, skin;
        QRect place;
    };
    const Picture pictures[] = {
        {ctl::EscStart, SkinId::EscFirmwareStart, {440, 105, 150, 75}},
        {ctl::EscStatus, SkinId::StatusReady, {440, 180, 150, 75}},
        {ctl::CardStart, SkinId::CardFirmwareStart, {440, 355, 150, 75}},
        {ctl::CardStatus, SkinId::StatusReady, {440, 430, 150, 75}},
    };
    for (const Picture& p : pictures) {
        EXPECT_EQ(rig.page->control(p.id)->geometry(), p.place) << p.id;
        EXPECT_TRUE(regionMatches(shown, p.place, overLeftBackground(p.skin, p.place))) << p.id;
        // The pictures leave the mouse to the page, which tests its own rectangles.
        EXPECT_EQ(rig.page->childAt(p.place.center()), nullptr) << p.id;
    }
    // Each progress button lies exactly over its status picture, hidden until an update runs.
    EXPECT_EQ(rig.page->control(ctl::EscProgress)->geometry(),
              rig.page->control(ctl::EscStatus)->geometry());
    EXPECT_EQ(rig.page->control(ctl::CardProgress)->geometry(),
              rig.page->control(ctl::CardStatus)->geometry());
    auto* progress = static_cast<CxSkinButton*>(rig.page->control(ctl::EscProgress));
    EXPECT_EQ(progress->text(), "0%");
    EXPECT_EQ(progress->captionColour, QColor(247, 148, 29));
    EXPECT_EQ(progress->captionFontSize, 200);

    const int hidden[] = {ctl::EscModelLabel,      ctl::EscModelName,        ctl::EscHardwareLabel,
                          ctl::EscHardwareVersion, ctl::CardModelLabel,      ctl::CardModelName,
                          ctl::CardHardwareLabel,  ctl::CardHardwareVersion, ctl::EscProgress,
                          ctl::CardProgress,       ctl::BackupLine};
    for (int id : hidden) EXPECT_FALSE(rig.page->control(id)->isVisible()) << id;
    const int visible[] = {ctl::EscFirmwareLabel, ctl::EscFirmware,       ctl::EscChangeLabel,
                           ctl::EscImageList,     ctl::CardFirmwareLabel, ctl::CardFirmware,
                           ctl::CardChangeLabel,  ctl::CardImageList,     ctl::Information};
    for (int id : visible) EXPECT_TRUE(rig.page->control(id)->isVisible()) << id;

    // The visible labels read as they should, in light grey on the black page.
    EXPECT_EQ(static_cast<QLabel*>(rig.page->control(ctl::EscFirmwareLabel))->text(),
              "Now Firmware");
    EXPECT_EQ(static_cast<QLabel*>(rig.page->control(ctl::CardChangeLabel))->text(),
              "Change Firmware");
    EXPECT_GT(countPixels(shown, QRect(80, 135, 100, 20), QColor(234, 234, 234), 20), 10);
    // The current firmware fields are dark grey even while empty.
    EXPECT_EQ(countPixels(shown, QRect(200, 133, 180, 23), QColor(58, 58, 58)), 180 * 23);
    EXPECT_EQ(countPixels(shown, QRect(200, 390, 180, 23), QColor(58, 58, 58)), 180 * 23);
}

TEST(FirmwarePageLayout, IdentityTextSitsCentredOneLineHighAPixelLow) {
    PageRig rig;
    rig.openPage();
    rig.identity.storeEscInfo({0x0C, 0x40, 0, 7, 0, 0, 0});
    rig.identity.showDeviceInfo(FirmwareTarget::Esc);
    rig.page->deviceInfoShown(FirmwareTarget::Esc, rig.identity);
    const QImage shown = renderWidget(*rig.page);
    const QRect place(200, 133, 180, 23);
    const QRect ink = boundsOfColour(shown, place, Qt::white, 60);
    ASSERT_FALSE(ink.isNull());
    const QFontMetrics metrics(field(rig, ctl::EscFirmware)->font());
    const QRect line =
        IdentityField::textRect(place.size(), metrics.height()).translated(place.topLeft());
    EXPECT_EQ(line.top(), place.top() + (23 - metrics.height()) / 2 + 1);
    EXPECT_TRUE(line.contains(ink)) << "ink " << ink.top() << ".." << ink.bottom();
    // Centred across the field, to within a pixel of rounding.
    EXPECT_LE(std::abs((ink.left() - place.left()) - (place.right() - ink.right())), 2);
}

TEST(FirmwarePageLayout, ListsHoldTheImagesOnDiskSortedAndNothingIsChosen) {
    PageRig rig;
    for (const char* name : {"Stock V1.80.kfw", "blinky.kfw", "Old.KFW", "a.b.kfw", ".xup",
                             "QLX_V1.30.xup", "notes.txt"}) {
        rig.folders.writeFirmware(name, "");
    }
    rig.folders.writeInformation("Stock V1.80\r\n  Caf\xE9 racing \x96 smoother throttle\r\n");
    rig.openPage();
    const auto texts = [](CBitComboBox* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    };
    EXPECT_EQ(texts(rig.list(FirmwareTarget::Esc)), (QStringList{"a.b", "blinky", "Stock V1.80"}));
    EXPECT_EQ(texts(rig.list(FirmwareTarget::ProgramCard)), (QStringList{"", "QLX_V1.30"}));
    EXPECT_EQ(rig.list(FirmwareTarget::Esc)->currentIndex(), -1);
    EXPECT_EQ(rig.list(FirmwareTarget::ProgramCard)->currentIndex(), -1);
    auto* panel = static_cast<QPlainTextEdit*>(rig.page->control(ctl::Information));
    EXPECT_EQ(panel->toPlainText(),
              QString::fromUtf8("Stock V1.80\n  Caf\u00E9 racing \u2013 smoother throttle\n"));

    // Without the information file the panel says which file it misses; the lists still fill.
    PageRig bare;
    bare.folders.writeFirmware("Stock V1.80.kfw", "");
    bare.openPage();
    const QString said =
        static_cast<QPlainTextEdit*>(bare.page->control(ctl::Information))->toPlainText();
    EXPECT_TRUE(said.contains("FirmwareInformation.txt")) << said.toStdString();
    EXPECT_EQ(bare.list(FirmwareTarget::Esc)->count(), 1);
}

// The settings page's model and firmware texts, as "model|firmware".
std::string settingsTexts(PageRig& rig) {
    const CEscSetupDlg& settings = rig.window.win().settingsPage();
    auto text = [&](int id) {
        return static_cast<QLabel*>(settings.control(id))->text().toStdString();
    };
    return text(escSetupControl::ModelText) + "|" + text(escSetupControl::FirmwareText);
}

TEST(FirmwarePageIdentity, FieldsShowWhatTheMonitorIdentified) {
    {
        sim::SimOptions stock = deviceOptions(sim::Peer::EscApplication);
        stock.identity.typeCode = 0x0C;
        stock.identity.versionCode = 7;
        PageRig rig(stock);
        ASSERT_TRUE(rig.ok);
        rig.openPage();
        rig.connectEsc();
        EXPECT_EQ(field(rig, ctl::EscFirmware)->text(), "Stock V1.70");
        EXPECT_EQ(field(rig, ctl::EscModelName)->text(), "ORVEK BASIS SPEC");
        EXPECT_EQ(field(rig, ctl::EscHardwareVersion)->text(), "Tarnwick V1.1ST");
        EXPECT_EQ(settingsTexts(rig), "ORVEK BASIS SPEC|Stock V1.70");
    }
    {
        // An ESC outside the model table after a Stock one: the page and the settings line keep
        // the earlier ESC.
        sim::SimOptions stock = deviceOptions(sim::Peer::EscApplication);
        stock.identity.typeCode = 0x0C;
        stock.identity.versionCode = 7;
        PageRig rig(stock);
        ASSERT_TRUE(rig.ok);
        rig.openPage();
        rig.connectEsc();
        sim::DeviceIdentity unlisted = stock.identity;
        unlisted.typeCode = 0x0A;
        unlisted.versionCode = 9;
        rig.sim.setIdentity(unlisted);
        rig.window.choose(deviceCommand::Esc);  // off, and on again: identified afresh
        rig.window.choose(deviceCommand::Esc);
        rig.tick();
        ASSERT_EQ(rig.status().escState, EscState::Identified);
        EXPECT_EQ(rig.lists().family, EscFamily::Unlisted);
        EXPECT_EQ(field(rig, ctl::EscFirmware)->text(), "Stock V1.70");
        EXPECT_EQ(field(rig, ctl::EscModelName)->text(), "ORVEK BASIS SPEC");
        EXPECT_EQ(settingsTexts(rig), "ORVEK BASIS SPEC|Stock V1.70");
    }
    {
        sim::SimOptions card = deviceOptions(sim::Peer::CardApplication);
        card.identity.cardVersionCode = 0;
        PageRig rig(card);
        ASSERT_TRUE(rig.ok);
        rig.openPage();
        rig.connectCard();
        EXPECT_EQ(field(rig, ctl::CardFirmware)->text(), "ORVEK QLX V1.00");
        EXPECT_EQ(field(rig, ctl::CardModelName)->text(), "ORVEK PROGRAM CARD");
        EXPECT_EQ(field(rig, ctl::CardHardwareVersion)->text(), "");
    }
}

TEST(FirmwarePageClicks, OnlyPointsStrictlyInsideAStartPictureCount) {
    PageRig rig;
    rig.folders.writeFirmware("Stock V1.80.kfw", kfwImage(3, 1));
    rig.folders.writeFirmware("QLX_V1.30.xup", xupImage(2, 1));
    rig.openPage();
    rig.choose(FirmwareTarget::Esc, "Stock V1.80");
    rig.choose(FirmwareTarget::ProgramCard, "QLX_V1.30");

    // The start pictures' edges: left, top and the first pixels past right and bottom.
    const QPoint edges[] = {{440, 140}, {500, 105}, {590, 140}, {500, 180},
                            {440, 390}, {500, 355}, {590, 390}, {500, 430}};
    for (const QPoint& at : edges) {
        sendMove(*rig.page, at);
        EXPECT_NE(rig.page->cursor().shape(), Qt::PointingHandCursor) << at.x() << "," << at.y();
        QTest::mouseClick(rig.page, Qt::LeftButton, {}, at);
    }
    EXPECT_FALSE(rig.status().escUpdateRequested);
    EXPECT_FALSE(rig.status().cardUpdateRequested);
    EXPECT_TRUE(rig.messages.shown.empty());

    // One pixel inside: the hand, and the request for that target only.
    sendMove(*rig.page, {441, 106});
    EXPECT_EQ(rig.page->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {441, 106});
    EXPECT_TRUE(rig.status().escUpdateRequested);
    EXPECT_FALSE(rig.status().cardUpdateRequested);
    EXPECT_EQ(rig.status().escImage, rig.folders.firmware("Stock V1.80.kfw"));
    sendMove(*rig.page, {589, 429});
    EXPECT_EQ(rig.page->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {589, 429});
    EXPECT_TRUE(rig.status().cardUpdateRequested);
    EXPECT_EQ(rig.status().cardImage, rig.folders.firmware("QLX_V1.30.xup"));
    EXPECT_EQ(rig.status().escImage, rig.folders.firmware("Stock V1.80.kfw"))
        << "each target keeps its own";
    EXPECT_TRUE(rig.messages.shown.empty());
    sendMove(*rig.page, {300, 300});
    EXPECT_NE(rig.page->cursor().shape(), Qt::PointingHandCursor);
}

TEST(FirmwarePageClicks, NothingChosenAsksForAChoiceAndAnEmptyCardEntryIsIgnored) {
    PageRig rig;
    rig.folders.writeFirmware(".xup", xupImage(1, 2));
    rig.folders.writeFirmware("Stock V1.80.kfw", kfwImage(2, 2));
    rig.openPage();
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 140});
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 390});
    ASSERT_EQ(rig.messages.shown.size(), 2u);
    EXPECT_EQ(rig.messages.shown[0].text, "Please select ESC Firmware version!");
    EXPECT_EQ(rig.messages.shown[1].text, "Please select Program Card Firmware version!");
    EXPECT_FALSE(rig.messages.shown[0].question);
    EXPECT_FALSE(rig.status().escUpdateRequested);
    EXPECT_FALSE(rig.status().cardUpdateRequested);

    rig.choose(FirmwareTarget::ProgramCard, "");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 390});
    EXPECT_EQ(rig.messages.shown.size(), 2u) << "no message for the empty entry";
    EXPECT_FALSE(rig.status().cardUpdateRequested);
    EXPECT_TRUE(rig.status().cardImage.empty());
}

TEST(FirmwarePageImageCheck, DamagedImageIsAskedAboutAndNoSendsNothing) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.folders.writeFirmware("Saved page.kfw",
                              "<!DOCTYPE html>\r\n<html><body>Not found</body></html>\r\n");
    const std::string sound = kfwImage(6, 3);
    rig.folders.writeFirmware("Cut short.kfw", sound.substr(0, sound.size() / 2));
    rig.folders.writeFirmware("Stock V1.80.kfw", sound);
    const std::string card = xupImage(3, 3);
    rig.folders.writeFirmware("QLX cut.xup", card.substr(0, card.size() - 40));
    rig.openPage();
    rig.connectEsc();
    rig.sim.clearReceived();

    rig.choose(FirmwareTarget::Esc, "Saved page");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 140});
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    const ShownMessage asked = rig.messages.shown[0];
    EXPECT_TRUE(asked.question);
    EXPECT_NE(asked.text.find("Saved page.kfw"), std::string::npos) << asked.text;
    EXPECT_NE(asked.text.find("line 1: not a record: starts with '<'"), std::string::npos)
        << asked.text;
    EXPECT_NE(asked.text.find("line 2: not a record"), std::string::npos) << asked.text;
    EXPECT_NE(asked.text.find("Upload it anyway?"), std::string::npos);
    // No (the default): no request, and the next tick sends only its probe.
    EXPECT_FALSE(rig.status().escUpdateRequested);
    EXPECT_TRUE(rig.status().escImage.empty());
    rig.tick();
    EXPECT_FALSE(rig.status().updateRunning);
    EXPECT_EQ(rig.sim.received().size(), 1u);
    EXPECT_TRUE(rig.backupsSaved().empty());

    // A truncated download says where it ends; Yes lets it go as chosen.
    rig.choose(FirmwareTarget::Esc, "Cut short");
    rig.messages.answers.push_back(true);
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 140});
    ASSERT_EQ(rig.messages.shown.size(), 2u);
    EXPECT_NE(rig.messages.shown[1].text.find("no end-of-file record"), std::string::npos)
        << rig.messages.shown[1].text;
    EXPECT_TRUE(rig.status().escUpdateRequested);
    EXPECT_EQ(rig.status().escImage, rig.folders.firmware("Cut short.kfw"));

    // A card image whose last block runs past its end.
    rig.choose(FirmwareTarget::ProgramCard, "QLX cut");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 390});
    ASSERT_EQ(rig.messages.shown.size(), 3u);
    EXPECT_NE(rig.messages.shown[2].text.find("only"), std::string::npos)
        << rig.messages.shown[2].text;
    EXPECT_NE(rig.messages.shown[2].text.find("remain"), std::string::npos)
        << rig.messages.shown[2].text;
    EXPECT_FALSE(rig.status().cardUpdateRequested);

    // A sound image goes on without a question.
    rig.choose(FirmwareTarget::Esc, "Stock V1.80");
    QTest::mouseClick(rig.page, Qt::LeftButton, {}, {515, 140});
    EXPECT_EQ(rig.messages.shown.size(), 3u);
    EXPECT_TRUE(rig.status().escUpdateRequested);
    EXPECT_EQ(rig.status().escImage, rig.folders.firmware("Stock V1.80.kfw"));
}

}  // namespace
}  // namespace orvek
