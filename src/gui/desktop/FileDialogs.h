#pragma once
// Choosing a file to read or to write, behind a small interface so that tests hand over a
// preset path instead of opening a modal dialog.
#include <filesystem>
#include <optional>

#include <QString>

class QWidget;

namespace orvek {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A file to read; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> chooseFileToOpen() = 0;
    // A file to write; the dialog asks before it lets the user pick an existing file.
    // Nothing when the user cancels.
    virtual std::optional<std::filesystem::path> chooseFileToSave() = 0;
};

// QFileDialog, starting in the folder last chosen from (either kind), else the user's home
// folder. Nothing is remembered between runs.
class QtFileDialogs : public FileDialogs {
public:
    // `filter` in QFileDialog's form, e.g. "config Files (*.cfg)"; all files can be shown too.
    // `defaultSuffix` (without the dot) is added to a name typed without an extension.
    // `owner` may be null; it must outlive the object.
    QtFileDialogs(QWidget* owner, const QString& filter, const QString& defaultSuffix);

    std::optional<std::filesystem::path> chooseFileToOpen() override;
    std::optional<std::filesystem::path> chooseFileToSave() override;

    // Where the next dialog opens.
    std::filesystem::path startFolder() const;

private:
    std::optional<std::filesystem::path> choose(bool toSave);

    QWidget* owner_;
    QString filter_;
    QString defaultSuffix_;
    std::filesystem::path lastFolder_;
};

}  // namespace orvek
