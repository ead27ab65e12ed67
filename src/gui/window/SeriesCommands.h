#pragma once
// File > Write Series… and the series list's Save Report…: the start dialog, filled from the page
// and the settings history, whose answer goes to the session; and the report written as CSV or
// JSON where the racer chooses.
#include <QtGlobal>

#include <filesystem>

#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/window/CSeriesDlg.h"
#include "series/WriteSeries.h"

namespace orvek {

class CEscSetupDlg;
class DeviceSession;
struct HistoryListing;

namespace seriesCommandText {
constexpr const char* ReportFilter =
    QT_TRANSLATE_NOOP("seriesCommandText", "Series report (*.csv *.json)");
constexpr const char* ReportSuffix = "csv";
constexpr const char* ReportKinds =
    QT_TRANSLATE_NOOP("Messages", "A series report is written as .csv or .json.");
}  // namespace seriesCommandText

// Asks for the series (records of settings from `listing`, newest first) and starts it; true when
// the racer started one.
bool AskForSeries(DeviceSession& session, const CEscSetupDlg& page, SeriesFormDialog& form,
                  FileDialogs& files, const std::filesystem::path& programFolder,
                  const HistoryListing& listing);

// Chooses a file and writes the report of the kind its ending names; a failed write is reported
// with the path and the reason.
void SaveSeriesReport(const SeriesSnapshot& series, FileDialogs& dialogs, MessageBoxes& messages);

}  // namespace orvek
