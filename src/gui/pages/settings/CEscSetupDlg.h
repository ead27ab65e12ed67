#pragma once
// The ESC SETUP page: the eighteen settings of the identified ESC in drop-down lists, the ESC
// information, setup sheets, and the SEND SETTING and DEFAULT SETTING pictures. The lists show the
// device session's settings model; the racer's picks, sheet picks and clicks are posted to the
// session, which decides. A small dot beside a list marks a setting that SEND SETTING would
// change on the ESC.
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "gui/controls/PageBase.h"
#include "gui/pages/settings/EscSetupControls.h"
#include "session/SessionView.h"
#include "settings/ParameterLists.h"
#include "settings/SettingsModelState.h"
#include "settings/SetupSheets.h"

class QLabel;
class QPlainTextEdit;

namespace orvek {

class CBitComboBox;
class CxSkinButton;
class KeyArea;
class SeriesPanel;
class DeviceSession;
class WatchedOptionList;

class CEscSetupDlg : public PageBase, public SettingsPageView {
    Q_OBJECT
public:
    explicit CEscSetupDlg(const std::filesystem::path& programFolder, QWidget* parent = nullptr);
    ~CEscSetupDlg() override;

    // Where picks and clicks go; none: they change nothing beyond the page.
    void attachSession(DeviceSession* session) { session_ = session; }

    // The eighteen lists as they show the session's model (read them; the session changes them).
    const ParameterLists& lists() const { return lists_; }
    // The model as the session has it now. Ignored while picks of the racer's are still on their
    // way to the session (`picksServed` behind): a later state will include them.
    void showSettings(const SettingsModelState& settings, std::uint64_t picksServed);
    // A setup sheet's notes into the info fields and the comment.
    void showSheetNotes(const SetupSheetNotes& notes);
    // SettingsPageView: what the session shows here.
    // Controls 1000 (model name, never shown) and 1001 (firmware text).
    void setEscTexts(const std::string& modelName, const std::string& firmware) override;
    // The progress display 1010: the write's percentage, unless a close waits for the write.
    void setWriteProgressText(const std::string& text) override;
    void settingsChanged(const SettingsModelState& settings, std::uint64_t picksServed) override;
    void setupSheetLoaded(const SetupSheetNotes& notes) override;
    // The running list of a write series, over the setup comment.
    void seriesChanged(const SeriesState& series) override;
    SeriesPanel& seriesPanel() const { return *seriesPanel_; }

    // A close of the window waits for the write on the wire (true): the progress display says
    // so instead of the percentage, until the wait ends (false).
    void showClosingAfterWrite(bool closing);
    CxSkinButton& progressDisplay() const;
    // The window's text size (tenths of a point), taken over by every list on a screen not at 96
    // DPI.
    void setTextSize(int tenthsOfPoint) override;
    // Some list would write another value than the ESC was last known to hold.
    bool hasUnsentChanges() const;

    // What the page shows now: the category picked, the sheet picked, the notes shown, the
    // identified ESC's firmware text (each empty for none).
    std::string shownCategory() const;
    std::string shownSheetTitle() const;
    const SetupSheetNotes& shownNotes() const { return shownNotes_; }
    std::string escFirmwareText() const;
    std::string escModelText() const;
    // Picks the category and then the sheet, as a racer picks them (the sheet is loaded).
    void selectSetupSheet(const std::string& category, const std::string& title);

    // Category pick: lists the category's setup sheets and loads the first.
    void ListSetupSheets();
    // Setup Sheet pick: asks the session to load the sheet's options; its notes come back.
    void LoadSetupSheet();

    // One of the twenty lists (1009 to 1028) by id; null otherwise.
    CBitComboBox* listBox(int id) const;
    // The marker beside the list of a parameter (key number).
    const QWidget* changeMarker(int keyNumber) const;
    // The area of an action picture in which a press raises its request, edges excluded.
    QRect actionArea(int actionId) const;
    // What Tab visits on this page, in reading order: the twelve basic lists, the six technical
    // lists as their labels name them, Category, Setup Sheet, DEFAULT SETTING, SEND SETTING and
    // the comment (when a sheet shows it).
    std::vector<QWidget*> tabStops() const override;
    // The keyboard's SEND SETTING and DEFAULT SETTING (Space or Enter, as a click).
    KeyArea& sendSettingKeys() const { return *sendKeys_; }
    KeyArea& defaultSettingKeys() const { return *defaultKeys_; }

signals:
    // The lists show a new state of the settings model.
    void selectionsShown();
    // Save Report… on the series' list: the window asks where.
    void seriesReportRequested();

private:
    void placeControls();
    void attachLists();
    void refreshChangeMarkers();
    void showProgressText(const QString& text);

    DeviceSession* session_ = nullptr;
    bool closingAfterWrite_ = false;
    SetupSheetNotes shownNotes_;
    QString lastProgress_;
    std::filesystem::path programFolder_;
    CxSkinButton* progress_ = nullptr;
    KeyArea* sendKeys_ = nullptr;
    KeyArea* defaultKeys_ = nullptr;
    SeriesPanel* seriesPanel_ = nullptr;
    std::array<std::unique_ptr<WatchedOptionList>, kParameterCount> watched_;
    std::array<QWidget*, kParameterCount> markers_{};
    ParameterLists lists_;
};

}  // namespace orvek
