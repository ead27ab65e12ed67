#include "gui/desktop/MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "gui/desktop/Translation.h"

namespace orvek {

void QtMessageBoxes::show(const std::string& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QCoreApplication::applicationName(), coreText(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtMessageBoxes::ask(const std::string& text, bool yesIsDefault) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), coreText(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace orvek
