#pragma once
// The About box: the program icon, its name and version, and an OK button.
#include <QDialog>

namespace orvek {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace orvek
