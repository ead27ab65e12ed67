// Writes the ESC SETUP page as two PNG pictures into the folder given: the page once the
// simulated ESC has been identified and its settings read, and the page after a setup sheet
// has been loaded into it (the lists it changed marked).
#include <QApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "controls/CBitComboBox.h"
#include "firmware/DeviceIdentity.h"
#include "link/UsbUart.h"
#include "monitor/ConnectionMonitor.h"
#include "settings/ui/CEscSetupDlg.h"
#include "sim/Simulator.h"
#include "update/HeadlessUpdateHost.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;

// What the main window would do for the monitor, as far as the page shows it.
class PageHost : public MonitorHost {
public:
    explicit PageHost(CEscSetupDlg& page) : page_(page) {}
    void setLamps(bool, bool, bool) override {}
    void setEscTexts(const std::string& model, const std::string& firmware) override {
        page_.setEscTexts(model, firmware);
    }
    void setWriteProgressText(const std::string&) override {}
    void setPromptPicture(int) override {}
    void stopPollTimer() override {}
    void startPollTimer() override {}
    void showMessage(const std::string& text, MessageIcon) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void setDeviceMenuChecks(bool, bool, bool) override {}
    void showUserSupportPage() override {}
    void enablePageButton(int, bool) override {}
    void deviceInfoShown(FirmwareTarget) override {}

private:
    CEscSetupDlg& page_;
};

class SilentBoxes : public MessageBoxes {
public:
    void show(const std::string&, MessageIcon) override {}
    bool ask(const std::string&, bool) override { return false; }
};

void writeSheet(const fs::path& programFolder) {
    const fs::path folder = programFolder / "Profile" / "Modify Touring";
    fs::create_directories(folder);
    std::ofstream(folder / "Nationals A-Main.ini", std::ios::binary)
        << "[option]\r\nDrag Brake=5%\r\nPower Profile=Level 10\r\nBoost Timing=45 deg\r\nBoost RPM=5000\r\n"
           "Turbo Timing=20 deg\r\nTurbo Delay=0.20sec\r\n"
           "[info]\r\nDriver=J. Carver\r\nDate=2026-05-12\r\nEvent=Nationals\r\nFirmware=Expert V1.30\r\n"
           "Motor=13.5T\r\nGear Ratio=4.2\r\nTiming=30 deg\r\nRotor=12.3mm\r\nTrack Name=Riverside\r\n"
           "Track Type=Carpet\r\nTrack Design=Flowing\r\nTraction Level=High\r\nTemp Track=28C\r\n"
           "[memo]\r\nmemo=Smooth punch out of the hairpin; drag brake kept low for the flowing infield.\r\n";
    std::ofstream(folder / "Winter club night.ini", std::ios::binary) << "[memo]\r\nmemo=-\r\n";
}

bool save(CEscSetupDlg& page, const fs::path& file) {
    QImage image(page.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    page.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const bool saved = image.save(QString::fromStdString(file.string()));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", file.c_str());
    return saved;
}

int run(const fs::path& out) {
    std::error_code error;
    fs::create_directories(out, error);
    const fs::path programFolder = fs::temp_directory_path() / ("orvek-settings-page-" + std::to_string(::getpid()));
    writeSheet(programFolder);

    sim::Simulator sim;
    if (!sim.start()) {
        std::fprintf(stderr, "the simulated ESC did not start\n");
        return 1;
    }
    UsbUart link;
    link.setPortOverride(sim.devicePath());
    RequestFlags requests;
    SilentBoxes messages;
    CEscSetupDlg page(requests, messages, programFolder);
    page.resize(985, 570);
    FirmwareIdentity identity;
    DeviceState state;
    PageHost host(page);
    HeadlessUpdateHost updateHost;  // no update is started here
    ConnectionMonitor monitor(link, page.lists(), identity, requests, state, host, updateHost);
    monitor.OnPollTimer();
    monitor.OnDeviceEsc();
    monitor.OnPollTimer();
    page.show();
    QApplication::processEvents();
    bool ok = link.escState == 2 && save(page, out / "settings-page-identified.png");

    CBitComboBox* categories = page.listBox(escSetupControl::CategoryList);
    categories->setCurrentIndex(0);  // as a pick of "Modify Touring"
    page.ListSetupSheets();
    QApplication::processEvents();
    ok = save(page, out / "settings-page-setup-sheet.png") && ok;
    fs::remove_all(programFolder, error);
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace orvek

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return orvek::run(argv[1]);
}
