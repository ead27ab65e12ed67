// Writes PNGs of the main window as a racer sees it, each page with the simulated ESC
// identified, a setup sheet loaded, and an ESC firmware update half way and finished, and the
// lamps (USB and ESC lit, program card dark) in grey as a racer who sees no colour would:
//   orvek-window-pages [--scale FACTOR] [--lang LANG] <output-folder>
// At a scale factor above 1 the window is drawn as on a scaled screen (the 2x artwork) and each
// picture's name ends in "@<factor>x". With --lang de, ja or fr the window speaks that language
// and each name ends in "-de" (before any "@2x"); English names have no ending.
// The program data is made in a temporary folder. Exits non-zero when a step does not happen
// or a picture cannot be written.
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gui/controls/CBitComboBox.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/desktop/Translation.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/firmware/FirmwarePageControls.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/pages/settings/CSaveSheetDlg.h"
#include "gui/pages/settings/EscSetupControls.h"
#include "gui/pages/settings/SeriesPanel.h"
#include "gui/window/CHistoryDlg.h"
#include "gui/window/CSeriesDlg.h"
#include "gui/window/CTarnwick11Dlg.h"
#include "gui/window/WindowResources.h"
#include "platform/FileReplace.h"
#include "sim/EscSeries.h"
#include "sim/Simulator.h"
#include "tools/common/WindowTicks.h"

namespace {

namespace fs = std::filesystem;
using orvek::CTarnwick11Dlg;
using orvek::EscState;
using Page = CTarnwick11Dlg::Page;

class PrintedMessages : public orvek::MessageBoxes {
public:
    void show(const std::string& text, orvek::MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
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

void writeProgramData(const fs::path& program) {
    fs::create_directories(program / "Firmware");
    const fs::path folder = program / "Profile" / "Modify Touring";
    fs::create_directories(folder);
    std::ofstream(folder / "Nationals A-Main.ini", std::ios::binary)
        << "[option]\r\nDrag Brake=5%\r\nPower Profile=Level 10\r\nBoost Timing=45 deg\r\nBoost "
           "RPM=5000\r\n"
           "Turbo Timing=20 deg\r\nTurbo Delay=0.20sec\r\n"
           "[info]\r\nDriver=J. Carver\r\nDate=2026-05-12\r\nEvent=Nationals\r\nFirmware=Expert "
           "V1.30\r\n"
           "Motor=13.5T\r\nGear Ratio=4.2\r\nTiming=30 deg\r\nRotor=12.3mm\r\nTrack "
           "Name=Riverside\r\n"
           "Track Type=Carpet\r\nTrack Design=Flowing\r\nTraction Level=High\r\nTemp Track=28C\r\n"
           "[memo]\r\nmemo=Smooth punch out of the hairpin; drag brake kept low for the flowing "
           "infield.\r\n";
    std::ofstream(folder / "Winter club night.ini", std::ios::binary) << "[memo]\r\nmemo=-\r\n";
    std::ofstream(program / "Firmware" / "ESC_Expert_V1.40.kfw", std::ios::binary) << kfwImage(400);
    std::ofstream(program / "Firmware" / "ESC_Stock_V1.70.kfw", std::ios::binary) << kfwImage(20);
    std::ofstream(program / "Firmware" / "QLX_V1.30.xup", std::ios::binary) << "0002ABCD";
    std::ofstream(program / "FirmwareInformation.txt", std::ios::binary)
        << "ESC_Expert_V1.40\r\n  Smoother throttle at low speed.\r\n  Boost and turbo limits "
           "reworked.\r\n\r\n"
           "ESC_Stock_V1.70\r\n  For the stock class: timing fixed at 0\xB0.\r\n\r\n"
           "QLX_V1.30\r\n  Shows the firmware version on start.\r\n";
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

int failures = 0;
std::string gNameSuffix;  // "-de", "@2x", "-ja@2x": the language and the scale

void saveImage(const QImage& image, const fs::path& folder, std::string name) {
    name.insert(name.rfind('.'), gNameSuffix);
    const fs::path path = folder / name;
    // Through the program's one file writer: a read-only picture stays, no half file is left.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const bool encoded = image.save(&buffer, "PNG");
    const std::error_code error =
        encoded ? orvek::replaceFile(
                      path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())))
                : std::make_error_code(std::errc::io_error);
    if (!error) {
        std::printf("%s\n", path.c_str());
    } else {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.message().c_str());
        ++failures;
    }
}

void save(CTarnwick11Dlg& window, const fs::path& folder, const char* name) {
    QCoreApplication::processEvents();
    saveImage(window.grab().toImage(), folder, name);
}

// The three lamps with their labels, in grey.
void saveLampsInGrey(CTarnwick11Dlg& window, const fs::path& folder) {
    QCoreApplication::processEvents();
    const QWidget& usb = window.lamp(orvek::windowControl::UsbLamp);
    const QWidget& card = window.lamp(orvek::windowControl::CardLamp);
    const QPoint topLeft = usb.mapTo(&window, QPoint(-10, -8));
    const QPoint bottomRight = card.mapTo(&window, QPoint(190, card.height() + 8));
    const QImage lamps = window.grab(QRect(topLeft, bottomRight)).toImage();
    saveImage(lamps.convertToFormat(QImage::Format_Grayscale8), folder, "window-lamps-grey.png");
}

bool step(bool happened, const char* what) {
    if (!happened) {
        std::fprintf(stderr, "%s did not happen\n", what);
        ++failures;
    }
    return happened;
}

}  // namespace

// The racer's answers to File > Write Series: a sheet's values, the dialog drawn as it asks.
class PresetSeriesForm : public orvek::SeriesFormDialog {
public:
    PresetSeriesForm(orvek::SeriesStart start, fs::path out)
        : start_(std::move(start)), out_(std::move(out)) {}
    std::optional<orvek::SeriesStart> ask(const orvek::SeriesChoices& choices) override {
        orvek::CSeriesDlg dialog(choices);
        dialog.show();
        QCoreApplication::processEvents();
        saveImage(dialog.grab().toImage(), out_, "window-series-dialog.png");
        return start_;
    }

private:
    orvek::SeriesStart start_;
    fs::path out_;
};

// The ESC on the line goes, the window sees it gone, and the next one is identified and served.
void swapEsc(CTarnwick11Dlg& window, orvek::sim::EscSeries& escs, orvek::sim::Simulator& sim) {
    escs.unplug(sim.nowMs());
    orvek::driving::tickAndShow(window);
    std::string said;
    escs.poll(sim.nowMs() + 1000, said);
    orvek::driving::tickAndShow(window);
}

// A write series of four ESCs: one written, a Stock one refused, one refusing a pair, one
// written; the list while it waits for the fourth, and once the racer has ended it.
void saveSeries(CTarnwick11Dlg& window, orvek::sim::Simulator& sim, const fs::path& out) {
    std::vector<orvek::sim::SeriesEsc> list;
    std::string error;
    if (!step(orvek::sim::parseEscSeries("expert:3,stock:3,expert:3::nak=4,expert:3", list, error),
              "listing the series' ESCs"))
        return;
    orvek::sim::EscSeries escs(sim, list, {}, 1000);
    // The ESC of the pictures before goes; the series' first comes.
    sim.setFaults([] {
        orvek::sim::Faults silent;
        silent.silent = true;
        return silent;
    }());
    orvek::driving::tickAndShow(window);
    escs.plugInFirst();
    orvek::driving::tickAndShow(window);
    window.menuAction(orvek::menuCommand::WriteSeries)->trigger();
    if (!step(pumpUntil([&] { return window.status().series; }, 10), "starting the series")) return;
    orvek::driving::tickAndShow(window);
    swapEsc(window, escs, sim);
    swapEsc(window, escs, sim);
    escs.unplug(sim.nowMs());
    orvek::driving::tickAndShow(window);
    auto& panel = window.settingsPage().seriesPanel();
    // The line as the window's language says it.
    if (step(panel.rows().count() == 3 &&
                 panel.line().text() == orvek::coreText("Plug in the next ESC"),
             "the series waiting for its fourth ESC"))
        save(window, out, "window-series-running.png");
    std::string said;
    escs.poll(sim.nowMs() + 1000, said);
    orvek::driving::tickAndShow(window);
    panel.endButton().click();
    orvek::driving::sessionCaughtUp(window);
    if (step(panel.rows().count() == 4 && !window.status().series && panel.saveButton().isVisible(),
             "the series ended with four rows")) {
        panel.saveButton().setFocus();
        save(window, out, "window-series-finished.png");
    }
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string scale;
    std::string language = "en";
    int next = 1;
    for (; next + 1 < argc; next += 2) {
        const std::string option = argv[next];
        if (option == "--scale") {
            scale = argv[next + 1];
        } else if (option == "--lang") {
            language = argv[next + 1];
        } else {
            break;
        }
    }
    // Read by Qt when the application starts.
    if (!scale.empty()) qputenv("QT_SCALE_FACTOR", scale.c_str());
    QApplication app(argc, argv);
    if (next != argc - 1) {
        std::fprintf(stderr,
                     "usage: orvek-window-pages [--scale FACTOR] [--lang LANG] <output-folder>\n");
        return 2;
    }
    if (!orvek::installWindowLanguage(language)) {
        std::fprintf(stderr, "no texts for the language '%s'\n", language.c_str());
        return 2;
    }
    if (language != "en") gNameSuffix = "-" + language;
    if (!scale.empty()) gNameSuffix += "@" + scale + "x";
    const fs::path out = argv[argc - 1];
    std::error_code error;
    fs::create_directories(out, error);
    const fs::path root =
        fs::temp_directory_path() / ("orvek-window-pages-" + std::to_string(::getpid()));
    const fs::path program = root / "program";
    writeProgramData(program);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);  // the settings backup goes here

    orvek::sim::SimOptions simOptions;
    simOptions.paced = true;  // so that the update can be caught half way
    orvek::sim::Simulator sim(simOptions);
    if (!sim.start()) {
        std::fprintf(stderr, "cannot start the simulated ESC\n");
        return 1;
    }
    {
        PrintedMessages messages;
        orvek::WindowOptions options;
        options.port = sim.devicePath();
        options.programFolder = program;
        options.messages = &messages;
        options.timers = false;  // the ticks below come one by one
        options.historyFile = root / "history.sqlite";
        orvek::SeriesStart seriesStart;
        seriesStart.source = orvek::SeriesStart::Source::File;
        seriesStart.file = program / "Profile" / "Modify Touring" / "Nationals A-Main.ini";
        seriesStart.name = "Nationals A-Main 2026-12-10";
        PresetSeriesForm seriesForm(seriesStart, out);
        options.seriesForm = &seriesForm;
        CTarnwick11Dlg window(options);
        window.show();
        orvek::driving::tickAndShow(window);
        window.menuAction(orvek::deviceCommand::Esc)->trigger();
        orvek::driving::tickAndShow(window);
        if (!step(window.status().escState == EscState::Identified,
                  "identifying the simulated ESC"))
            return 1;

        window.ShowPage(Page::UserSupport);
        save(window, out, "window-user-support.png");
        saveLampsInGrey(window, out);
        window.ShowPage(Page::EscSetup);
        save(window, out, "window-esc-setup.png");

        orvek::CEscSetupDlg& settings = window.settingsPage();
        settings.listBox(orvek::escSetupControl::CategoryList)
            ->setCurrentIndex(0);  // "Modify Touring"
        settings.ListSetupSheets();
        orvek::driving::sessionCaughtUp(window);
        save(window, out, "window-esc-setup-sheet.png");
        {
            // File > Save as Setup Sheet, filled as a racer would fill it.
            orvek::SheetForm form;
            form.category = settings.shownCategory();
            form.name = "Heat 2 - less punch";
            form.info = settings.shownNotes().info;
            form.memo = "Punch down one step for the wet second heat.";
            orvek::CSaveSheetDlg dialog(form, &window);
            dialog.show();
            QCoreApplication::processEvents();
            saveImage(dialog.grab().toImage(), out, "window-save-sheet-dialog.png");
            // A name Windows cannot keep, refused with its reason under the fields.
            dialog.nameField().setText(QStringLiteral("CON"));
            dialog.accept();
            QCoreApplication::processEvents();
            saveImage(dialog.grab().toImage(), out, "window-save-sheet-refused.png");
        }

        {
            // A sheet sent, then File > Settings History with the identification's record chosen:
            // the rows the sheet changed are marked.
            window.session().requestWrite();
            orvek::driving::tickAndShow(window);
            window.menuAction(orvek::menuCommand::SettingsHistory)->trigger();
            auto* history = window.findChild<orvek::CHistoryDlg*>();
            if (step(history && orvek::driving::pumpUntil([&] {
                         return history->listings() > 0 && history->shown().size() >= 2;
                     }),
                     "listing the settings history")) {
                history->records().selectRow(1);
                QCoreApplication::processEvents();
                saveImage(history->grab().toImage(), out, "window-history-dialog.png");
                history->close();
            }
        }

        window.ShowPage(Page::Firmware);
        save(window, out, "window-firmware.png");

        orvek::CFirmwareDlg& firmware = window.firmwarePage();
        auto* images = static_cast<orvek::CBitComboBox*>(
            firmware.control(orvek::firmwareControl::EscImageList));
        images->setCurrentIndex(images->findText(QStringLiteral("ESC_Expert_V1.40")));
        firmware.requestUpdate(orvek::FirmwareTarget::Esc);
        orvek::driving::tickAndShow(window);
        auto* progress = static_cast<orvek::CxSkinButton*>(
            firmware.control(orvek::firmwareControl::EscProgress));
        if (step(pumpUntil([&] { return progress->isVisible() && progress->text() == "57%"; }, 60),
                 "the update reaching 57%")) {
            save(window, out, "window-firmware-updating.png");
        }
        if (step(pumpUntil([&] { return !window.updateLocked(); }, 120), "the update ending")) {
            step(
                firmware.statusPicture(orvek::FirmwareTarget::Esc) == orvek::SkinId::StatusFinished,
                "the update finishing");
            save(window, out, "window-firmware-finished.png");
        }
        saveSeries(window, sim, out);
    }
    sim.stop();
    fs::remove_all(root, error);
    return failures == 0 ? 0 : 1;
}
