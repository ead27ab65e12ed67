#pragma once
// The running list of a write series, over the setup comment on the ESC SETUP page while a series
// runs and after it ends: the series' name and values, a line saying what it waits for, one row
// per ESC with its result by word and by shape (colour only repeats them), and End Series, or
// Save Report… and Close once it has ended. A view: its buttons only raise requests.
#include <QtGlobal>

#include <QWidget>

#include "session/SeriesState.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace orvek {

namespace seriesPanelText {
constexpr const char* Title = QT_TRANSLATE_NOOP("seriesPanelText", "WRITE SERIES");
constexpr const char* ListName = QT_TRANSLATE_NOOP("seriesPanelText", "ESCs of the series");
constexpr const char* LineName = QT_TRANSLATE_NOOP("seriesPanelText", "Series status");
constexpr const char* End = QT_TRANSLATE_NOOP("seriesPanelText", "&End Series");
constexpr const char* SaveReport = QT_TRANSLATE_NOOP("seriesPanelText", "Save &Report...");
constexpr const char* Close = QT_TRANSLATE_NOOP("seriesPanelText", "C&lose");
}  // namespace seriesPanelText

// A row as the list reads it: "ESC 2: refused. XR10 Stock, V1.20. The values are for …".
QString seriesRowText(const SeriesRow& row);

class SeriesPanel : public QWidget {
    Q_OBJECT
public:
    explicit SeriesPanel(QWidget* parent = nullptr);

    // Shows the series as the session told it; a new series shows the panel again.
    void show(const SeriesState& state);
    const SeriesState& shown() const { return state_; }

    QLabel& line() const { return *line_; }
    QListWidget& rows() const { return *rows_; }
    QPushButton& endButton() const { return *end_; }
    QPushButton& saveButton() const { return *save_; }
    QPushButton& closeButton() const { return *close_; }
    // What Tab visits on the panel, in reading order (hidden ones are passed over).
    std::vector<QWidget*> tabStops() const;

signals:
    void endRequested();
    void saveReportRequested();
    // Close: the panel goes until the next series.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SeriesState state_;
    bool dismissed_ = false;  // closed by the racer: hidden until the next series
    QLabel* title_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* values_ = nullptr;
    QLabel* line_ = nullptr;
    QListWidget* rows_ = nullptr;
    QPushButton* end_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace orvek
