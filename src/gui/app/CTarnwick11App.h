#pragma once
// The application object: named after its executable (without extension), the name every
// message box shows as its caption.
#include <QApplication>

namespace orvek {

class CTarnwick11App : public QApplication {
    Q_OBJECT
public:
    CTarnwick11App(int& argc, char** argv);

    // The executable's file name without its extension.
    static QString nameFor(const QString& executablePath);
};

}  // namespace orvek
