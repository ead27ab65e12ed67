#pragma once
// File > Settings History: the recorded reads and writes, newest first, for the identified
// ESC's model or every model; the chosen record's settings beside the page's lists with the
// rows that differ marked; Load into the page (through the session, nothing sent), the note,
// and an export as a settings file. Arrows move through the records; Enter loads.
#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "history/HistoryRecord.h"
#include "settings/SettingsFile.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvek {

class DeviceSession;
class FileDialogs;
class MessageBoxes;
struct HistoryListing;

class CHistoryDlg : public QDialog {
    Q_OBJECT
public:
    struct Context {
        DeviceSession& session;
        FileDialogs& files;
        MessageBoxes& messages;
        // The identified ESC's model; empty when none is identified (every model is shown).
        std::string model;
        // The page's selections now, and whether an update forbids loading.
        std::function<SettingsTexts()> pageTexts;
        std::function<bool()> loadLocked;
    };

    explicit CHistoryDlg(const Context& context, QWidget* parent = nullptr);

    // Reads the records again (after a record or a changed filter).
    void reload();
    // The page's lists changed: the comparison is drawn again.
    void pageChanged();

    // The parts, for tests and the picture tool.
    QTableWidget& records() const { return *records_; }
    QTableWidget& comparison() const { return *comparison_; }
    QCheckBox& allModels() const { return *allModels_; }
    QPushButton& loadButton() const { return *load_; }
    QPushButton& noteButton() const { return *noteButton_; }
    QPushButton& exportButton() const { return *export_; }
    QLineEdit& noteField() const { return *noteField_; }
    QLabel& status() const { return *status_; }
    // Listings received so far; the records shown.
    int listings() const { return listings_; }
    const std::vector<HistoryRecord>& shown() const { return shown_; }
    // The record selected, or null.
    const HistoryRecord* selected() const;
    // Which comparison rows are marked as differing.
    std::vector<bool> markedRows() const;

    void loadSelected();
    // First press: the note field opens for typing; second press (or Enter in it): saved.
    void editNote();
    void exportSelected();

private:
    void showListing(const HistoryListing& listing);
    void showSelected();
    void saveNote();

    Context context_;
    QCheckBox* allModels_ = nullptr;
    QTableWidget* records_ = nullptr;
    QTableWidget* comparison_ = nullptr;
    QLineEdit* noteField_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* noteButton_ = nullptr;
    QPushButton* export_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<HistoryRecord> shown_;
    std::int64_t keepSelected_ = 0;
    int listings_ = 0;
    bool editingNote_ = false;
};

}  // namespace orvek
