// Writes a PNG of the main window for each page, with the simulated ESC identified:
//   orvek-window-pages <output-folder>
// Exits non-zero when the simulated ESC is not identified or a picture cannot be written.
#include <QApplication>
#include <QDir>
#include <QLabel>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/CTarnwick11Dlg.h"
#include "firmware/ProgramFolder.h"
#include "sim/Simulator.h"

namespace {

using orvek::CTarnwick11Dlg;

struct Scene {
    const char* file;
    std::function<void(CTarnwick11Dlg&)> show;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvek-window-pages <output-folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    orvek::sim::Simulator sim;
    if (!sim.start()) {
        std::fprintf(stderr, "cannot start the simulated ESC\n");
        return 1;
    }
    int failures = 0;
    {
        orvek::WindowOptions options;
        options.port = sim.devicePath();
        options.programFolder = orvek::programFolder();
        CTarnwick11Dlg window(options);
        window.pollTimer().stop();
        window.promptTimer().stop();
        window.show();
        window.monitor().OnPollTimer();
        window.menuAction(orvek::deviceCommand::Esc)->trigger();
        window.monitor().OnPollTimer();
        if (window.link().escState != 2) {
            std::fprintf(stderr, "the simulated ESC was not identified\n");
            return 1;
        }
        const std::vector<Scene> scenes = {
            {"window-user-support.png", [](CTarnwick11Dlg& w) { w.ShowPage(CTarnwick11Dlg::Page::UserSupport); }},
            {"window-esc-setup.png", [](CTarnwick11Dlg& w) { w.ShowPage(CTarnwick11Dlg::Page::EscSetup); }},
            {"window-firmware.png", [](CTarnwick11Dlg& w) { w.ShowPage(CTarnwick11Dlg::Page::Firmware); }},
        };
        for (const Scene& scene : scenes) {
            scene.show(window);
            QApplication::processEvents();
            const QString path = folder + QLatin1Char('/') + QLatin1String(scene.file);
            if (!window.grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                ++failures;
            } else {
                std::printf("%s\n", qPrintable(path));
            }
        }
    }
    sim.stop();
    return failures == 0 ? 0 : 1;
}
