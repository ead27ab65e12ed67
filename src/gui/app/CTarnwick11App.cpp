#include "gui/app/CTarnwick11App.h"

#include <QFileInfo>

namespace orvek {

CTarnwick11App::CTarnwick11App(int& argc, char** argv) : QApplication(argc, argv) {
    if (argc > 0) setApplicationName(nameFor(QString::fromLocal8Bit(argv[0])));
    // One look on every system, Linux's: the native Windows style paints the menu bar white
    // under the skin palette's light text.
    setStyle(QStringLiteral("Fusion"));
}

QString CTarnwick11App::nameFor(const QString& executablePath) {
    return QFileInfo(executablePath).completeBaseName();
}

}  // namespace orvek
