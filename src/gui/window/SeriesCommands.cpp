#include "gui/window/SeriesCommands.h"

#include "gui/desktop/Translation.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "series/SeriesReport.h"
#include "session/DeviceSession.h"

namespace orvek {

namespace {
// The records the dialog offers: enough for a day at the track.
constexpr std::size_t kOfferedRecords = 200;
}  // namespace

bool AskForSeries(DeviceSession& session, const CEscSetupDlg& page, SeriesFormDialog& form,
                  FileDialogs& files, const std::filesystem::path& programFolder,
                  const HistoryListing& listing) {
    SeriesChoices choices;
    choices.programFolder = programFolder;
    choices.pageHasValues = page.lists().family != EscFamily::Unlisted;
    choices.pageCategory = page.shownCategory();
    choices.pageSheet = page.shownSheetTitle();
    for (const HistoryRecord& record : listing.records) {
        if (!record.holdsSettings()) continue;
        choices.records.push_back(record);
        if (choices.records.size() == kOfferedRecords) break;
    }
    choices.today = historyTimeNow().substr(0, 10);
    choices.files = &files;
    const std::optional<SeriesStart> start = form.ask(choices);
    if (!start) return false;
    session.startSeries(*start);
    return true;
}

void SaveSeriesReport(const SeriesSnapshot& series, FileDialogs& dialogs, MessageBoxes& messages) {
    const std::optional<std::filesystem::path> file = dialogs.chooseFileToSave();
    if (!file) return;
    std::error_code reason;
    switch (saveSeriesReport(series, *file, &reason)) {
        case SeriesReportStatus::Ok: return;
        case SeriesReportStatus::UnknownKind:
            messages.show(seriesCommandText::ReportKinds, MessageIcon::Stop);
            return;
        case SeriesReportStatus::WriteFailed:
            messages.show(QCoreApplication::translate("Messages", "Cannot write %1:\n%2")
                              .arg(QString::fromStdString(file->string()),
                                   QString::fromStdString(reason.message()))
                              .toStdString(),
                          MessageIcon::Stop);
            return;
    }
}

}  // namespace orvek
