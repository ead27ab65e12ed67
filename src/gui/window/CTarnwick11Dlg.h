#pragma once
// The main window: the page buttons, lamps and device prompt on the left, the pages of the page
// table in a frame on the right, the menu and the prompt's blink. It is a view of its device
// session, which
// owns the link, the monitor and its poll timer, the settings model and the request flags on a
// thread of its own: the session decides what the lamps, texts, checks and buttons show, the
// pages and menus post requests to it, and the update workers drive the firmware page.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include "firmware/DeviceIdentity.h"
#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/desktop/UrlOpener.h"
#include "gui/pages/settings/CSaveSheetDlg.h"
#include "gui/window/CHistoryDlg.h"
#include "gui/window/CSeriesDlg.h"
#include "gui/window/DiagnosticLogCommand.h"
#include "gui/window/LeftColumn.h"
#include "gui/window/PageHost.h"
#include "gui/window/WindowMenu.h"
#include "session/DeviceSession.h"
#include "session/SessionView.h"

class QAction;
class QLabel;
class QMenuBar;

namespace orvek {

class CEscSetupDlg;
class CFirmwareDlg;
class CUserDlg;
class CxSkinButton;

struct WindowOptions {
    std::filesystem::path programFolder;
    // The serial port to use instead of the adapter found (empty: ORVEK_PORT, then discovery).
    std::string port;
    // Message boxes and the link opener; the window's own (Qt) ones when null. They must
    // outlive the window.
    MessageBoxes* messages = nullptr;
    UrlOpener* urlOpener = nullptr;
    // The settings file dialogs of File > Import and Export (and of the settings history's
    // Export as .cfg); the window's own when null.
    FileDialogs* fileDialogs = nullptr;
    // The file dialog of File > Export Setup Card; the window's own when null.
    FileDialogs* cardDialogs = nullptr;
    // The form of File > Save as Setup Sheet; the window's own dialog when null.
    SheetFormDialog* sheetForm = nullptr;
    // The start dialog of File > Write Series and the file dialog of its report's Save Report;
    // the window's own when null.
    SeriesFormDialog* seriesForm = nullptr;
    FileDialogs* reportDialogs = nullptr;
    // The file dialog of Help > Save Diagnostic Log; the window's own when null.
    FileDialogs* logDialogs = nullptr;
    // The settings history's file; empty for the racer's own.
    std::filesystem::path historyFile;
    // False: neither timer runs on its own; ticks come from session().tick() (tests, tools).
    bool timers = true;
    // Pages after the three of the page table, with their buttons below FIRMWARE's.
    std::vector<PageEntry> extraPages;
    // A line shown under the page buttons from the start (the language asked for that the window
    // does not speak); empty for none.
    std::string startNote;
};

class CTarnwick11Dlg : public QDialog, public WindowView {
    Q_OBJECT
public:
    // The page table's pages by position; pages added by WindowOptions::extraPages follow.
    enum class Page { UserSupport, EscSetup, Firmware };

    explicit CTarnwick11Dlg(const WindowOptions& options, QWidget* parent = nullptr);
    // Stops the session: an exchange on the wire ends first, update workers are joined.
    ~CTarnwick11Dlg() override;

    // The page-button action: shows the page and latches its button.
    void ShowPage(Page page);
    Page shownPage() const { return static_cast<Page>(pages_.shown()); }
    // A page of the table by position, the added ones included.
    PageBase& page(Page page) const { return pages_.page(static_cast<std::size_t>(page)); }

    // Applies the text-size rule for a screen of `logicalDpi` (done at creation for the
    // window's own screen): off 96 DPI the pages take over the configured text size.
    void applyScreenResolution(int logicalDpi);
    int textSize() const { return textSize_; }

    // A firmware update has been requested or is running: presses on the window and its menu
    // bar are ignored and the window cannot be closed.
    bool updateLocked() const;

    // Menu commands by id (File, Device and Help items), as choosing the item does.
    QAction* menuAction(int commandId) const;

    CEscSetupDlg& settingsPage() const { return *settingsPage_; }
    CUserDlg& linksPage() const { return *linksPage_; }
    CFirmwareDlg& firmwarePage() const { return *firmwarePage_; }
    CxSkinButton& pageButton(int buttonId) const;
    // The settings page's progress display (it shows with that page).
    CxSkinButton& progressDisplay() const;
    QLabel& lamp(int lampId) const;
    QLabel& devicePrompt() const { return leftColumn_.prompt(); }
    QLabel& portAccessNote() const { return leftColumn_.note(); }
    QWidget& pageFrame() const { return pages_.frame(); }
    QMenuBar& menuBar() const { return *menuBar_; }
    QTimer& promptTimer() { return promptTimer_; }
    DeviceSession& session() { return *session_; }
    // The session's state as last told: the window's only view of the device.
    const SessionStatus& status() const { return status_; }
    // Session calls that reached the window or a page on another thread (a hand-off fault).
    int callsOffThread() const;
    // A close waits for the settings write on the wire.
    bool closeWaitsForWrite() const { return closeAfterWrite_; }
    // Timer 2: blinks the prompt while neither ESC nor program-card mode is chosen.
    void onPromptTimer();

    // WindowView: what the device session shows on the window itself.
    void setLamps(bool usbOn, DeviceMode identified) override;
    void showMessage(const std::string& text, MessageIcon icon) override;
    void setDeviceMenuChecks(DeviceMode mode) override;
    void showUserSupportPage() override;
    void enablePagesFor(DeviceMode mode) override;
    void showPortNote(const std::string& note) override;
    void showHistoryNote(const std::string& note) override;
    void statusChanged(const SessionStatus& status) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Escape and the framework's own rejections never end the window; closing goes through
    // closeEvent alone.
    void reject() override;

private:
    void onMenuCommand(int commandId);
    void openAbout();
    // File > Settings History: one dialog at a time, beside the window.
    void openHistory();
    // File > Write Series: the history's records are fetched first, then the dialog opens.
    void openSeries();
    bool mayClose();
    void raiseUpdateRequest(FirmwareTarget target, const std::filesystem::path& image);

    WindowOptions options_;
    QtMessageBoxes ownMessages_;
    DesktopUrlOpener ownUrlOpener_;
    QtFileDialogs ownFileDialogs_;
    MessageBoxes& messages_;
    UrlOpener& urlOpener_;
    FileDialogs& fileDialogs_;
    QtFileDialogs ownCardDialogs_;
    FileDialogs& cardDialogs_;
    QtSheetFormDialog ownSheetForm_;
    SheetFormDialog& sheetForm_;
    QtSeriesFormDialog ownSeriesForm_;
    SeriesFormDialog& seriesForm_;
    QtFileDialogs ownReportDialogs_;
    FileDialogs& reportDialogs_;
    int textSize_ = 90;

    // What the session last told.
    SessionStatus status_;
    // An update request posted but not yet served counts as raised (the lockout starts at once).
    std::uint64_t updateRequestSent_ = 0;
    int promptPhase_ = 1;
    bool closeAfterWrite_ = false;

    // Children of the window, deleted with it; the parts below only place and find them.
    WindowMenu menu_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    PageHost pages_;
    LeftColumn leftColumn_;
    // The pages the window itself talks to, from the table.
    CEscSetupDlg* settingsPage_ = nullptr;
    CUserDlg* linksPage_ = nullptr;
    CFirmwareDlg* firmwarePage_ = nullptr;
    // What the note shows: the port's trouble first, then the history's.
    std::string portNote_;
    std::string historyNote_;
    // The start note, the port's and the history's, one line each.
    void showNotes();
    QPointer<CHistoryDlg> historyDialog_;
    DiagnosticLogCommand diagnosticLog_;
    bool shuttingDown_ = false;

    QTimer promptTimer_;
    // Last: stopped and destroyed first, while the pages it shows to are still there.
    std::unique_ptr<DeviceSession> session_;
};

}  // namespace orvek
