#pragma once
// File > Write Series…: where the series takes its values from (the page, a setup sheet, a
// settings file or a history record), its name (the values' name and the date unless the racer
// types one) and how many ESCs it serves (none given: until the racer ends it). Behind a small
// interface, so that tests hand over a form instead of opening a modal dialog.
#include <QtGlobal>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "history/HistoryRecord.h"
#include "session/SeriesState.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace orvek {

class FileDialogs;

namespace seriesDialogText {
constexpr const char* Title = QT_TRANSLATE_NOOP("seriesDialogText", "Write Series");
constexpr const char* Page = QT_TRANSLATE_NOOP("seriesDialogText", "The settings on the &page");
constexpr const char* Sheet = QT_TRANSLATE_NOOP("seriesDialogText", "A setup &sheet");
constexpr const char* File = QT_TRANSLATE_NOOP("seriesDialogText", "A settings &file");
constexpr const char* Record = QT_TRANSLATE_NOOP("seriesDialogText", "A history &record");
constexpr const char* Browse = QT_TRANSLATE_NOOP("seriesDialogText", "&Browse...");
constexpr const char* Name = QT_TRANSLATE_NOOP("seriesDialogText", "Series &name");
constexpr const char* Count = QT_TRANSLATE_NOOP("seriesDialogText", "Number of &ESCs");
constexpr const char* UntilEnded = QT_TRANSLATE_NOOP("seriesDialogText", "until I end it");
constexpr const char* Start = QT_TRANSLATE_NOOP("seriesDialogText", "Start");
constexpr const char* SerialNote = QT_TRANSLATE_NOOP(
    "seriesDialogText",
    "An ESC has no serial number: the series takes the next ESC once the one before has been "
    "unplugged (or powered off) and the new one is identified. The ESC on the line now is the "
    "first.");
}  // namespace seriesDialogText

struct SeriesChoices {
    std::filesystem::path programFolder;  // where the setup sheets lie
    // The page shows an ESC's or a sheet's settings; the sheet it shows, if any.
    bool pageHasValues = false;
    std::string pageCategory;
    std::string pageSheet;
    // Records of settings, newest first.
    std::vector<HistoryRecord> records;
    std::string today;  // "2026-12-10"
    // Browse…; none: no button.
    FileDialogs* files = nullptr;
};

class SeriesFormDialog {
public:
    virtual ~SeriesFormDialog() = default;
    // Nothing when the racer cancels.
    virtual std::optional<SeriesStart> ask(const SeriesChoices& choices) = 0;
};

class CSeriesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSeriesDlg(const SeriesChoices& choices, QWidget* parent = nullptr);

    // The start as the dialog shows it now; nothing while it names no values (Start is off).
    std::optional<SeriesStart> form() const;

    // The parts, for tests and the picture tool.
    QRadioButton& pageChoice() const { return *page_; }
    QRadioButton& sheetChoice() const { return *sheet_; }
    QRadioButton& fileChoice() const { return *file_; }
    QRadioButton& recordChoice() const { return *record_; }
    QComboBox& categoryList() const { return *category_; }
    QComboBox& sheetList() const { return *sheetList_; }
    QLineEdit& fileField() const { return *fileField_; }
    QComboBox& recordList() const { return *recordList_; }
    QLineEdit& nameField() const { return *name_; }
    QSpinBox& countField() const { return *count_; }
    QPushButton& startButton() const { return *start_; }

private:
    void listSheets();
    // The name field follows the values until the racer types in it.
    void refresh();
    std::string valuesName() const;

    SeriesChoices choices_;
    QRadioButton* page_ = nullptr;
    QRadioButton* sheet_ = nullptr;
    QRadioButton* file_ = nullptr;
    QRadioButton* record_ = nullptr;
    QComboBox* category_ = nullptr;
    QComboBox* sheetList_ = nullptr;
    QLineEdit* fileField_ = nullptr;
    QPushButton* browse_ = nullptr;
    QComboBox* recordList_ = nullptr;
    QLineEdit* name_ = nullptr;
    QSpinBox* count_ = nullptr;
    QPushButton* start_ = nullptr;
    bool nameTyped_ = false;
    QString nameShown_;
};

class QtSeriesFormDialog : public SeriesFormDialog {
public:
    // `owner` may be null; it must outlive the object.
    explicit QtSeriesFormDialog(QWidget* owner) : owner_(owner) {}
    std::optional<SeriesStart> ask(const SeriesChoices& choices) override;

private:
    QWidget* owner_;
};

// A record as the dialog lists it: "#12  2026-12-10 10:02  write  XR10 Expert".
std::string seriesRecordText(const HistoryRecord& record);

}  // namespace orvek
