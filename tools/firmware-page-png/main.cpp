// Renders the FIRMWARE page while an ESC update runs and after it finished, against the
// simulated ESC on a pseudo-terminal:  orvek-firmware-page-png <output folder>
// Writes firmware-page-updating.png and firmware-page-finished.png; exits non-zero when the
// update does not finish.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <unistd.h>

#include "controls/CBitComboBox.h"
#include "controls/CxSkinButton.h"
#include "firmware/ui/CFirmwareDlg.h"
#include "firmware/ui/FirmwarePageControls.h"
#include "firmware/ui/FirmwarePageUpdateHost.h"
#include "monitor/ConnectionMonitor.h"
#include "sim/Simulator.h"
#include "update/ui/PostingUpdateHost.h"

namespace {

using namespace orvek;

// The main window as far as this picture needs it: it forwards what the page shows.
class PictureWindow : public MonitorHost {
public:
    explicit PictureWindow(CFirmwareDlg*& page) : page_(page) {}
    void setLamps(bool, bool, bool) override {}
    void setEscTexts(const std::string&, const std::string&) override {}
    void setWriteProgressText(const std::string&) override {}
    void setPromptPicture(int) override {}
    void stopPollTimer() override {}
    void startPollTimer() override {}
    void showMessage(const std::string& text, MessageIcon) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
    void setDeviceMenuChecks(bool, bool, bool) override {}
    void showUserSupportPage() override {}
    void enablePageButton(int, bool) override {}
    void deviceInfoShown(FirmwareTarget target) override { page_->ShowDeviceInfo(target); }
    void settingsBackedUp(const SettingsBackup& backup) override { page_->showSettingsBackup(backup); }

private:
    CFirmwareDlg*& page_;
};

class NoMessages : public MessageBoxes {
public:
    void show(const std::string& text, MessageIcon) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
    bool ask(const std::string&, bool) override { return false; }
};

std::string hexByte(unsigned value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

// An Intel HEX image of `records` 16-byte data records and the end record.
std::string kfwImage(int records) {
    std::string text;
    for (int r = 0; r <= records; ++r) {
        std::string bytes;
        unsigned sum = 0;
        const unsigned count = r < records ? 16 : 0;
        const unsigned address = static_cast<unsigned>(r) * 16;
        const unsigned head[] = {count, address >> 8, address & 0xFF, r < records ? 0u : 1u};
        for (unsigned b : head) {
            bytes += hexByte(b);
            sum += b;
        }
        for (unsigned i = 0; i < count; ++i) {
            const unsigned b = (r * 37 + i * 11) & 0xFF;
            bytes += hexByte(b);
            sum += b;
        }
        text += ":" + bytes + hexByte(0x100 - (sum & 0xFF)) + "\r\n";
    }
    return text;
}

QImage render(QWidget& page) {
    QImage image(page.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    page.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool pumpUntil(const std::function<bool()>& done, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvek-firmware-page-png <output folder>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::filesystem::path out = argv[1];
    std::error_code error;
    std::filesystem::create_directories(out, error);

    // A program folder of its own, and a data folder for the settings backup.
    const std::filesystem::path root = std::filesystem::temp_directory_path() /
                                       ("orvek-firmware-page-png-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "program" / "Firmware");
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    std::ofstream(root / "program" / "Firmware" / "ESC_Expert_V1.40.kfw", std::ios::binary) << kfwImage(400);
    std::ofstream(root / "program" / "Firmware" / "ESC_Stock_V1.70.kfw", std::ios::binary) << kfwImage(20);
    std::ofstream(root / "program" / "Firmware" / "QLX_V1.30.xup", std::ios::binary) << "0002ABCD";
    std::ofstream(root / "program" / "FirmwareInformation.txt", std::ios::binary)
        << "ESC_Expert_V1.40\r\n  Smoother throttle at low speed.\r\n  Boost and turbo limits reworked.\r\n\r\n"
           "ESC_Stock_V1.70\r\n  For the stock class: timing fixed at 0\xB0.\r\n\r\n"
           "QLX_V1.30\r\n  Shows the firmware version on start.\r\n";

    sim::SimOptions options;
    options.paced = true;
    sim::Simulator simulator(options);
    if (!simulator.start()) return 1;
    UsbUart link;
    link.setPortOverride(simulator.devicePath());
    ParameterLists lists;
    FirmwareIdentity identity;
    RequestFlags requests;
    DeviceState state;
    NoMessages messages;
    CFirmwareDlg* pagePointer = nullptr;
    PictureWindow window(pagePointer);
    CFirmwareDlg page(requests, identity, messages, root / "program");
    pagePointer = &page;
    page.show();
    FirmwarePageUpdateHost host(state, requests, page, window);
    PostingUpdateHost posting(host, &page);
    ConnectionMonitor monitor(link, lists, identity, requests, state, window, posting);

    monitor.OnPollTimer();
    monitor.OnDeviceEsc();
    monitor.OnPollTimer();
    auto* list = static_cast<CBitComboBox*>(page.control(firmwareControl::EscImageList));
    list->setCurrentIndex(list->findText(QStringLiteral("ESC_Expert_V1.40")));
    page.RequestUpdate(FirmwareTarget::Esc);
    monitor.OnPollTimer();

    auto* progress = static_cast<CxSkinButton*>(page.control(firmwareControl::EscProgress));
    const bool halfway = pumpUntil([&] { return progress->isVisible() && progress->text() == "57%"; }, 60);
    if (halfway) render(page).save(QString::fromStdString((out / "firmware-page-updating.png").string()));
    const bool ended = pumpUntil([&] { return !monitor.updateRunning(); }, 120);
    monitor.waitForUpdates();
    QCoreApplication::processEvents();
    render(page).save(QString::fromStdString((out / "firmware-page-finished.png").string()));
    std::filesystem::remove_all(root, error);
    if (!halfway || !ended || page.statusPicture(FirmwareTarget::Esc) != 188) {
        std::fprintf(stderr, "the update did not run to Finished\n");
        return 1;
    }
    return 0;
}
