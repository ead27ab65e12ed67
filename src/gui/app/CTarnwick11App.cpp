#include "gui/app/CTarnwick11App.h"

#include <QFileInfo>

namespace orvek {

CTarnwick11App::CTarnwick11App(int& argc, char** argv) : QApplication(argc, argv) {
    if (argc > 0) setApplicationName(nameFor(QString::fromLocal8Bit(argv[0])));
}

QString CTarnwick11App::nameFor(const QString& executablePath) {
    return QFileInfo(executablePath).completeBaseName();
}

}  // namespace orvek
