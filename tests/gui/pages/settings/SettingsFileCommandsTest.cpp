// File > Import Settings and Export Settings on the page's lists, with real files.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTimer>

#include <deque>

#include "PageRig.h"
#include "gui/pages/settings/SettingsFileCommands.h"
#include "platform/ProfileFile.h"
#include "support/RecordingMessageBoxes.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;
using testing::PageRig;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

using testing::PresetFileDialogs;

// Picks option `index` of every list (the last one for -1), as the session takes a pick.
void selectEverywhere(PageRig& rig, int index) {
    for (int k = 0; k < kParameterCount; ++k) {
        const OptionList& list = rig.page.lists().byKey(k);
        rig.window.win().session().selectOption(
            k, index < 0 ? list.count() - 1 : std::min(index, list.count() - 1));
    }
    rig.settle();
}

TEST(SettingsFileCommands, ExportThenImportRestoresEverySelection) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    TempFolder folder;
    PresetFileDialogs dialogs;
    // Options that begin with other options' texts: "Level 1" / "Level 10", "500" / "5000".
    for (const int levelAndRpm : {0, 9}) {
        selectEverywhere(rig, 1);
        rig.window.win().session().selectOption(key::PowerProfile, levelAndRpm);
        rig.window.win().session().selectOption(key::BoostRpm, levelAndRpm);
        rig.settle();
        const auto exported = rig.selectedTexts();
        const fs::path file = folder / ("set" + std::to_string(levelAndRpm));
        dialogs.toSave.push_back(file);
        ExportSettings(rig.page, dialogs, rig.messages);
        ASSERT_TRUE(fs::exists(file.string() + ".cfg")) << "the extension is added";
        EXPECT_FALSE(fs::exists(file));

        selectEverywhere(rig, -1);
        dialogs.toOpen.push_back(file.string() + ".cfg");
        ImportSettings(rig.window.win().session(), dialogs);
        rig.settle();
        EXPECT_EQ(rig.selectedTexts(), exported);
    }
    EXPECT_EQ(rig.box(1016)->currentText(), QStringLiteral("Level 10"));
    EXPECT_EQ(rig.box(1024)->currentText(), QStringLiteral("5000"));
    EXPECT_TRUE(rig.messages.shown.empty());

    // Cancel in either dialog changes nothing.
    const auto before = rig.selectedTexts();
    ImportSettings(rig.window.win().session(), dialogs);
    rig.settle();
    ExportSettings(rig.page, dialogs, rig.messages);
    EXPECT_EQ(rig.selectedTexts(), before);
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(SettingsFileCommands, ImportNamesTheSettingsItLeftUnchanged) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    TempFolder folder;
    // Written on a Stock ESC: its Boost ACC and Turbo Slope texts are no options of an Expert.
    const fs::path stock = folder / "stock.cfg";
    writeBytes(stock,
               "[option]\r\nDrag Brake=35%\r\nBoost ACC=100 RPN/deg\r\nTurbo Slope=3  deg/0.1s\r\n"
               "Rotation Mode=Reverse\r\nPower Profile=\r\n");
    PresetFileDialogs dialogs;
    dialogs.toOpen.push_back(stock);
    ImportSettings(rig.window.win().session(), dialogs);
    rig.settle();
    EXPECT_EQ(rig.box(1012)->currentText(), QStringLiteral("35%"));
    EXPECT_EQ(rig.box(1020)->currentText(), QStringLiteral("Reverse"));
    EXPECT_EQ(rig.box(1026)->currentText(), QStringLiteral("650 RPM/deg")) << "kept";
    EXPECT_EQ(rig.box(1022)->currentText(), QStringLiteral("18 deg/0.1s")) << "kept";
    EXPECT_EQ(rig.box(1016)->currentText(), QStringLiteral("Level 7"))
        << "an empty value keeps the list";
    EXPECT_TRUE(rig.page.changeMarker(key::DragBrake)->isVisible());
    EXPECT_FALSE(rig.page.changeMarker(key::BoostAcc)->isVisible());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    const std::string report = rig.messages.shown[0].text;
    EXPECT_NE(report.find("Boost ACC = 100 RPN/deg"), std::string::npos) << report;
    EXPECT_NE(report.find("Turbo Slope = 3  deg/0.1s"), std::string::npos) << report;
    EXPECT_EQ(report.find("Drag Brake"), std::string::npos) << report;
    EXPECT_EQ(report.find("Power Profile"), std::string::npos) << report;

    // Before any ESC the lists are empty: every stored setting is named.
    PageRig empty;
    ASSERT_TRUE(empty.ok);
    dialogs.toOpen.push_back(stock);
    ImportSettings(empty.window.win().session(), dialogs);
    empty.settle();
    ASSERT_EQ(empty.messages.shown.size(), 1u);
    EXPECT_NE(empty.messages.shown[0].text.find("Drag Brake = 35%"), std::string::npos);
    EXPECT_NE(empty.messages.shown[0].text.find("Rotation Mode = Reverse"), std::string::npos);
}

TEST(SettingsFileCommands, FilesThatCannotBeReadOrWrittenAreReported) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    TempFolder folder;
    PresetFileDialogs dialogs;
    dialogs.toOpen = {folder.path(), folder / "gone.cfg"};
    ImportSettings(rig.window.win().session(), dialogs);
    rig.settle();
    ImportSettings(rig.window.win().session(), dialogs);
    rig.settle();
    ASSERT_EQ(rig.messages.shown.size(), 2u);
    for (const auto& shown : rig.messages.shown) {
        EXPECT_EQ(shown.text, "Read File Error!");
        EXPECT_EQ(shown.icon, MessageIcon::Stop);
    }

    rig.messages.shown.clear();
    const fs::path nowhere = folder / "no such folder" / "race.cfg";
    dialogs.toSave.push_back(nowhere);
    ExportSettings(rig.page, dialogs, rig.messages);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    const auto& failure = rig.messages.shown[0];
    EXPECT_EQ(failure.icon, MessageIcon::Stop);
    EXPECT_EQ(failure.text.rfind("Write File Error!", 0), 0u) << failure.text;
    EXPECT_NE(failure.text.find(nowhere.string()), std::string::npos) << failure.text;
    EXPECT_NE(failure.text.find("No such file or directory"), std::string::npos) << failure.text;
}

TEST(SettingsFileCommands, ExportAsksBeforeReplacingAFileTheDialogDidNotAskAbout) {
    PageRig rig;
    ASSERT_TRUE(rig.ok);
    rig.connectEsc();
    TempFolder folder;
    const fs::path kept = folder / "setup.cfg";
    writeBytes(kept, "[option]\r\nDrag Brake=0%\r\n");
    PresetFileDialogs dialogs;
    // "setup" goes to setup.cfg, which exists: No keeps it, Yes replaces it.
    dialogs.toSave = {folder / "setup", folder / "setup"};
    rig.messages.answers = {false, true};
    ExportSettings(rig.page, dialogs, rig.messages);
    EXPECT_EQ(readBytes(kept), "[option]\r\nDrag Brake=0%\r\n");
    ExportSettings(rig.page, dialogs, rig.messages);
    EXPECT_EQ(readProfileString(kept, "option", "Drag Brake", "", 20), "10%");
    ASSERT_EQ(rig.messages.shown.size(), 2u);
    EXPECT_TRUE(rig.messages.shown[0].question);
    EXPECT_NE(rig.messages.shown[0].text.find(kept.string()), std::string::npos);

    // A name the dialog returned as chosen (setup.cfg) is not asked about again.
    rig.messages.shown.clear();
    dialogs.toSave = {kept};
    ExportSettings(rig.page, dialogs, rig.messages);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_FALSE(fs::exists(folder / "setup.cfg.cfg"));
}

// Accepts the file dialog that the next modal loop opens, after checking how it was opened.
void acceptNextDialog(const fs::path& choose, QFileDialog::AcceptMode mode,
                      const QString& expectedFolder, bool& checked) {
    QTimer::singleShot(0, [=, &checked] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        checked = dialog->acceptMode() == mode &&
                  dialog->directory().absolutePath() == expectedFolder &&
                  dialog->nameFilters().contains(QStringLiteral("config Files (*.cfg)")) &&
                  dialog->nameFilters().size() == 2;
        dialog->selectFile(QString::fromStdString(choose.string()));
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

TEST(QtFileDialogs, StartAtHomeThenInTheFolderLastChosenFrom) {
    TempFolder home;
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    TempFolder folder;
    writeBytes(folder / "race.cfg", "[option]\r\n");
    QtFileDialogs dialogs(nullptr, QString::fromLatin1(kSettingsFileFilter),
                          QString::fromLatin1(kSettingsFileSuffix));
    EXPECT_EQ(dialogs.startFolder(), home.path());

    bool checked = false;
    acceptNextDialog(folder / "race.cfg", QFileDialog::AcceptOpen,
                     QString::fromStdString(home.path().string()), checked);
    EXPECT_EQ(dialogs.chooseFileToOpen(), std::optional<fs::path>(folder / "race.cfg"));
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialogs.startFolder(), folder.path());

    checked = false;
    acceptNextDialog(folder / "new", QFileDialog::AcceptSave,
                     QString::fromStdString(folder.path().string()), checked);
    EXPECT_EQ(dialogs.chooseFileToSave(), std::optional<fs::path>(folder / "new.cfg"))
        << "the suffix is added";
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace orvek
