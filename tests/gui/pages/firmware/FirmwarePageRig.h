#pragma once
// The firmware page in the real window: a program folder on disk, the simulated device on a
// pseudo-terminal, the window's device session and the update workers it starts.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/controls/CBitComboBox.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/firmware/FirmwarePageControls.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "monitor/MonitorRig.h"
#include "support/RecordingMessageBoxes.h"
#include "support/WindowRig.h"

namespace orvek::testing {

using Bytes = std::vector<std::uint8_t>;

// A folder of its own for one test: the program folder (with Firmware) and the user's data
// folder, where settings backups go.
class TestFolders {
public:
    TestFolders() {
        root_ = std::filesystem::temp_directory_path() /
                ("orvek-fwpage-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(program() / "Firmware");
        std::filesystem::create_directories(data());
        setenv("XDG_DATA_HOME", data().c_str(), 1);
    }
    ~TestFolders() {
        unsetenv("XDG_DATA_HOME");
        std::filesystem::remove_all(root_);
    }
    std::filesystem::path program() const { return root_ / "program"; }
    std::filesystem::path data() const { return root_ / "data"; }
    std::filesystem::path backups() const { return data() / "orvek-link" / "backups"; }
    std::filesystem::path firmware(const std::string& name) const {
        return program() / "Firmware" / name;
    }
    void writeFirmware(const std::string& name, const std::string& content) const {
        std::ofstream(firmware(name), std::ios::binary) << content;
    }
    void writeInformation(const std::string& content) const {
        std::ofstream(program() / "FirmwareInformation.txt", std::ios::binary) << content;
    }

private:
    std::filesystem::path root_;
};

inline std::string hexByte(unsigned value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

// An ESC image of `records` data records of 16 bytes and the end record, as Intel HEX text;
// `frames` gets what the bootloader must receive for each line.
inline std::string kfwImage(int records, int seed, std::vector<Bytes>* frames = nullptr) {
    std::string text;
    for (int r = 0; r <= records; ++r) {
        Bytes record = r < records ? Bytes{16, static_cast<std::uint8_t>(r >> 4),
                                           static_cast<std::uint8_t>((r & 0x0F) << 4), 0x00}
                                   : Bytes{0, 0, 0, 0x01};
        if (r < records) {
            for (int i = 0; i < 16; ++i)
                record.push_back(static_cast<std::uint8_t>(seed * 31 + r * 7 + i * 13));
        }
        unsigned sum = 0;
        for (std::uint8_t b : record) sum += b;
        record.push_back(static_cast<std::uint8_t>(0x100 - (sum & 0xFF)));
        text += ':';
        for (std::uint8_t b : record) text += hexByte(b);
        text += "\r\n";
        if (frames) {
            Bytes frame{0x3A};
            frame.insert(frame.end(), record.begin(), record.end());
            frames->push_back(frame);
        }
    }
    return text;
}

// A program-card image of `blocks` length-prefixed blocks as one run of digit pairs; `sent`
// gets each block as it goes on the line.
inline std::string xupImage(int blocks, int seed, std::vector<Bytes>* sent = nullptr) {
    std::string text;
    for (int b = 0; b < blocks; ++b) {
        const unsigned length = 20 + static_cast<unsigned>((seed * 17 + b * 29) % 90);
        Bytes block{static_cast<std::uint8_t>(length >> 8),
                    static_cast<std::uint8_t>(length & 0xFF)};
        for (unsigned i = 0; i < length; ++i)
            block.push_back(static_cast<std::uint8_t>(seed + b * 3 + i * 5));
        for (std::uint8_t byte : block) text += hexByte(byte);
        if (sent) sent->push_back(block);
    }
    return text;
}

// Shows and hides of chosen controls, in the order they happened.
class VisibilityLog : public QObject {
public:
    void watch(QWidget* widget, int id) {
        widget->setProperty("controlId", id);
        widget->installEventFilter(this);
    }
    std::vector<std::string> events;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
            events.push_back(std::to_string(object->property("controlId").toInt()) +
                             (event->type() == QEvent::Show ? ":show" : ":hide"));
        }
        return false;
    }
};

// The FIRMWARE page in the real main window, its device session on a simulated device, the
// program folder and the user's data folder on disk.
struct PageRig {
    explicit PageRig(sim::SimOptions options = {}) : window(std::move(options)) {
        ok = window.ok;
        window.options.programFolder = folders.program();
    }

    // The page reads the catalogue when it is made: write the folder's files first.
    void openPage() {
        CTarnwick11Dlg& w = window.win();
        w.show();
        page = &w.firmwarePage();
        bringUpPage();
    }
    // Port open, the device mode chosen and the device identified; the page shown again (a
    // mode switched on shows USER SUPPORT).
    void connectEsc() {
        tick();
        ASSERT_EQ(status().usbState, UsbState::PortOpen);
        window.choose(deviceCommand::Esc);
        tick();
        ASSERT_EQ(status().escState, EscState::Identified);
        bringUpPage();
    }
    void connectCard() {
        tick();
        ASSERT_EQ(status().usbState, UsbState::PortOpen);
        window.choose(deviceCommand::ProgramCard);
        tick();
        ASSERT_EQ(status().cardState, CardState::Identified);
        bringUpPage();
    }
    void tick() { window.tick(); }
    // The session has served every click so far; its status as the window shows it.
    const SessionStatus& status() {
        window.settle();
        return window.status();
    }

    CBitComboBox* list(FirmwareTarget target) const {
        return static_cast<CBitComboBox*>(page->control(target == FirmwareTarget::Esc
                                                            ? firmwareControl::EscImageList
                                                            : firmwareControl::CardImageList));
    }
    void choose(FirmwareTarget target, const QString& title) const {
        const int index = list(target)->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        list(target)->setCurrentIndex(index);
    }

    // Runs the window's events while an update is requested or runs, then until everything the
    // session and the worker posted is shown. `whileRunning` is called between turns.
    void runUpdates(const std::function<void()>& whileRunning = {}) {
        CTarnwick11Dlg& w = window.win();
        ASSERT_TRUE(driving::pumpUntil(
            [&] {
                if (whileRunning) whileRunning();
                return w.status().commandsServed >= w.session().commandsSent() &&
                       !w.status().updateLocked();
            },
            60000))
            << "the update did not end";
        window.settle();
        QCoreApplication::processEvents();
    }
    // What the window does when its FIRMWARE button brings the page up.
    void bringUpPage() { window.win().ShowPage(CTarnwick11Dlg::Page::Firmware); }

    // The boxes shown, as "message:<stop|none>:<text>".
    std::vector<std::string> messageLog() const {
        std::vector<std::string> log;
        for (const ShownMessage& m : window.messages.shown) {
            log.push_back(std::string("message:") +
                          (m.icon == MessageIcon::Stop ? "stop:" : "none:") + m.text);
        }
        return log;
    }
    // The settings backups in the user's data folder.
    std::vector<std::filesystem::path> backupsSaved() const {
        std::vector<std::filesystem::path> saved;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folders.backups(), error))
            saved.push_back(entry.path());
        return saved;
    }
    const ParameterLists& lists() { return window.win().settingsPage().lists(); }

    TestFolders folders;
    WindowRig window;
    sim::Simulator& sim = window.sim;
    RecordingMessageBoxes& messages = window.messages;
    CFirmwareDlg* page = nullptr;
    // An identity to show the page directly, as the session would.
    FirmwareIdentity identity;
    bool ok = false;
};

// The simulated device at the real line rate, so that an update lasts long enough to watch.
inline sim::SimOptions pacedDevice(sim::Peer peer) {
    sim::SimOptions o = deviceOptions(peer);
    o.paced = true;
    return o;
}

}  // namespace orvek::testing
