#pragma once
// The firmware page as the window holds it: a program folder on disk, the simulated device on a
// pseudo-terminal, the connection monitor, and the page's update host behind a posting host, so
// that update workers reach the page on the test's thread as they reach the window's.
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

#include "RigUpdateHost.h"
#include "gui/controls/CBitComboBox.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/firmware/FirmwarePageControls.h"
#include "monitor/MonitorRig.h"
#include "session/PostingUpdateHost.h"
#include "support/RecordingMessageBoxes.h"

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

// The window's MonitorHost as far as the firmware page is concerned: it records like the
// monitor's test window and forwards what the firmware page shows.
class PageWindow : public RecordingWindow {
public:
    CFirmwareDlg* page = nullptr;
    const FirmwareIdentity* identity = nullptr;
    void deviceInfoShown(FirmwareTarget target) override {
        RecordingWindow::deviceInfoShown(target);
        if (page && identity) page->deviceInfoShown(target, *identity);
    }
    void settingsBackedUp(const SettingsBackup& backup) override {
        RecordingWindow::settingsBackedUp(backup);
        if (page) page->showSettingsBackup(backup);
    }
};

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

struct PageRig {
    explicit PageRig(sim::SimOptions options = {}) : sim(std::move(options)) {
        ok = sim.start();
        link.setPortOverride(sim.devicePath());
    }

    // The page reads the catalogue when it is made: write the folder's files first.
    void openPage() {
        page = std::make_unique<CFirmwareDlg>(
            [this](FirmwareTarget target, const std::filesystem::path& image) {
                (target == FirmwareTarget::Esc ? requests.escImage : requests.cardImage) = image;
                (target == FirmwareTarget::Esc ? requests.escUpdateRequested
                                               : requests.cardUpdateRequested) = true;
            },
            messages, folders.program());
        page->show();
        window.page = page.get();
        window.identity = &identity;
        updateHost = std::make_unique<RigUpdateHost>(state, requests, *page, window);
        posting = std::make_unique<PostingUpdateHost>(*updateHost, page.get());
        monitor = std::make_unique<ConnectionMonitor>(link, lists, identity, requests, state,
                                                      window, *posting);
    }

    void connectEsc() {
        monitor->onPollTimer();
        ASSERT_EQ(link.usbState(), UsbState::PortOpen);
        monitor->onDeviceEsc();
        monitor->onPollTimer();
        ASSERT_EQ(link.escState(), EscState::Identified);
    }
    void connectCard() {
        monitor->onPollTimer();
        ASSERT_EQ(link.usbState(), UsbState::PortOpen);
        monitor->onDeviceProgramCard();
        monitor->onPollTimer();
        ASSERT_EQ(state.cardState, CardState::Identified);
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

    // Pumps the window's events while an update worker runs, then once more for what it posted.
    // `whileRunning` is called between pumps.
    void runUpdates(const std::function<void()>& whileRunning = {}) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (monitor->updateRunning() && std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (whileRunning) whileRunning();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_FALSE(monitor->updateRunning()) << "the update did not end";
        monitor->waitForUpdates();
        QCoreApplication::processEvents();
    }
    // What the window does when its FIRMWARE button brings the page up.
    void bringUpPage() {
        if (state.updateIdle) page->showReadyPictures();
    }

    TestFolders folders;
    sim::Simulator sim;
    UsbUart link;
    ParameterLists lists;
    FirmwareIdentity identity;
    RequestFlags requests;
    DeviceState state;
    PageWindow window;
    RecordingMessageBoxes messages;
    std::unique_ptr<CFirmwareDlg> page;
    std::unique_ptr<RigUpdateHost> updateHost;
    std::unique_ptr<PostingUpdateHost> posting;
    // Last: destroyed first, joining any worker while the page is still there.
    std::unique_ptr<ConnectionMonitor> monitor;
    bool ok = false;
};

// The simulated device at the real line rate, so that an update lasts long enough to watch.
inline sim::SimOptions pacedDevice(sim::Peer peer) {
    sim::SimOptions o = deviceOptions(peer);
    o.paced = true;
    return o;
}

}  // namespace orvek::testing
