#include "gui/desktop/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace orvek {

QtFileDialogs::QtFileDialogs(QWidget* owner, const QString& filter, const QString& defaultSuffix)
    : owner_(owner), filter_(filter), defaultSuffix_(defaultSuffix) {}

std::filesystem::path QtFileDialogs::startFolder() const {
    std::error_code error;
    if (!lastFolder_.empty() && std::filesystem::is_directory(lastFolder_, error))
        return lastFolder_;
    return QDir::homePath().toStdString();
}

std::optional<std::filesystem::path> QtFileDialogs::chooseFileToOpen() { return choose(false); }

std::optional<std::filesystem::path> QtFileDialogs::choose(bool toSave) {
    QFileDialog dialog(owner_, QString(), QString::fromStdString(startFolder().string()));
    dialog.setAcceptMode(toSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(toSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QStringList{filter_, QFileDialog::tr("All Files (*)")});
    if (toSave) dialog.setDefaultSuffix(defaultSuffix_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const std::filesystem::path chosen = dialog.selectedFiles().front().toStdString();
    lastFolder_ = chosen.parent_path();
    return chosen;
}

std::optional<std::filesystem::path> QtFileDialogs::chooseFileToSave() { return choose(true); }

}  // namespace orvek
