#pragma once
// File > Save as Setup Sheet: the category, the sheet's name, the thirteen info fields and the
// memo, in the window's look. It refuses, in its own note line, a name or a value the sheet
// reader could not give back, and stays open for the racer to mend it.
#include <array>
#include <optional>
#include <string>

#include <QDialog>

#include "settings/SetupSheets.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace orvek {

struct SheetForm {
    std::string category;
    std::string name;
    std::array<std::string, kInfoKeyCount> info;
    std::string memo;
};

class CSaveSheetDlg : public QDialog {
    Q_OBJECT
public:
    CSaveSheetDlg(const SheetForm& prefill, QWidget* parent = nullptr);

    SheetForm form() const;
    // Accepts only a form the writer takes; otherwise says why in the note line.
    void accept() override;

    // The parts, for tests and the picture tool.
    QComboBox& categoryBox() const { return *category_; }
    QLineEdit& nameField() const { return *name_; }
    QLineEdit& infoField(std::size_t index) const { return *info_[index]; }
    QLineEdit& memoField() const { return *memo_; }
    QLabel& note() const { return *note_; }

private:
    QComboBox* category_ = nullptr;
    QLineEdit* name_ = nullptr;
    std::array<QLineEdit*, kInfoKeyCount> info_{};
    QLineEdit* memo_ = nullptr;
    QLabel* note_ = nullptr;
};

// Asks for the sheet to save, behind a small interface so that tests hand over a preset form.
class SheetFormDialog {
public:
    virtual ~SheetFormDialog() = default;
    // Nothing when the racer cancels.
    virtual std::optional<SheetForm> ask(const SheetForm& prefill) = 0;
};

class QtSheetFormDialog : public SheetFormDialog {
public:
    // `owner` may be null; it must outlive the object.
    explicit QtSheetFormDialog(QWidget* owner) : owner_(owner) {}
    std::optional<SheetForm> ask(const SheetForm& prefill) override;

private:
    QWidget* owner_;
};

}  // namespace orvek
