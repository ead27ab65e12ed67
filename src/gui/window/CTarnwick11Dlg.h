#pragma once
// The main window: the page buttons, lamps and device prompt on the left, the three pages in a
// frame on the right, the menu and the two timers of the connection monitor. It owns the link,
// the pages, the monitor and their state, and only forwards: the monitor decides what the lamps,
// texts, checks and buttons show, the pages raise requests, the workers drive the firmware page.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QTimer>

#include "firmware/DeviceIdentity.h"
#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/desktop/UrlOpener.h"
#include "link/UsbUart.h"
#include "monitor/ConnectionMonitor.h"
#include "monitor/MonitorHost.h"
#include "monitor/MonitorState.h"

class QAction;
class QLabel;
class QMenuBar;

namespace orvek {

class CEscSetupDlg;
class CFirmwareDlg;
class CUserDlg;
class CxSkinButton;
class FirmwarePageUpdateHost;
class PostingUpdateHost;

struct WindowOptions {
    std::filesystem::path programFolder;
    // The serial port to use instead of the adapter found (empty: ORVEK_PORT, then discovery).
    std::string port;
    // Message boxes and the link opener; the window's own (Qt) ones when null. They must
    // outlive the window.
    MessageBoxes* messages = nullptr;
    UrlOpener* urlOpener = nullptr;
    // The settings file dialogs of File > Import and Export; the window's own when null.
    FileDialogs* fileDialogs = nullptr;
};

class CTarnwick11Dlg : public QDialog, public MonitorHost {
    Q_OBJECT
public:
    enum class Page { UserSupport, EscSetup, Firmware };

    explicit CTarnwick11Dlg(const WindowOptions& options, QWidget* parent = nullptr);
    // Lets a running update finish first: its worker may be waiting for this window's thread.
    ~CTarnwick11Dlg() override;

    // The page-button action: shows the page and latches its button.
    void ShowPage(Page page);
    Page shownPage() const { return shownPage_; }

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
    CxSkinButton& progressDisplay() const { return *progress_; }
    QLabel& lamp(int lampId) const;
    QLabel& devicePrompt() const { return *prompt_; }
    QLabel& portAccessNote() const { return *portAccessNote_; }
    QWidget& pageFrame() const { return *frame_; }
    QMenuBar& menuBar() const { return *menuBar_; }
    QTimer& pollTimer() { return pollTimer_; }
    QTimer& promptTimer() { return promptTimer_; }
    UsbUart& link() { return link_; }
    RequestFlags& requests() { return requests_; }
    DeviceState& state() { return state_; }
    ConnectionMonitor& monitor() { return *monitor_; }

    // MonitorHost: what the connection monitor shows.
    void setLamps(bool usbOn, bool escOn, bool cardOn) override;
    void setEscTexts(const std::string& modelName, const std::string& firmware) override;
    void setWriteProgressText(const std::string& text) override;
    void setPromptPicture(int pictureId) override;
    void stopPollTimer() override;
    void startPollTimer() override;
    void showMessage(const std::string& text, MessageIcon icon) override;
    void setDeviceMenuChecks(bool esc, bool programCard, bool fixMode) override;
    void showUserSupportPage() override;
    void enablePageButton(int buttonId, bool enabled) override;
    void deviceInfoShown(FirmwareTarget target) override;
    void showPortNote(const std::string& note) override;
    void settingsBackedUp(const SettingsBackup& backup) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Escape and the framework's own rejections never end the window; closing goes through
    // closeEvent alone.
    void reject() override;

private:
    void buildLeftColumn();
    void buildPages();
    void buildMenu();
    void onMenuCommand(int commandId);
    void openAbout();
    bool mayClose();

    WindowOptions options_;
    QtMessageBoxes ownMessages_;
    DesktopUrlOpener ownUrlOpener_;
    QtFileDialogs ownFileDialogs_;
    MessageBoxes& messages_;
    UrlOpener& urlOpener_;
    FileDialogs& fileDialogs_;
    int textSize_ = 90;

    RequestFlags requests_;
    DeviceState state_;
    FirmwareIdentity identity_;
    UsbUart link_;

    // Children of the window, deleted with it.
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    QWidget* frame_ = nullptr;
    CEscSetupDlg* settingsPage_ = nullptr;
    CUserDlg* linksPage_ = nullptr;
    CFirmwareDlg* firmwarePage_ = nullptr;
    std::array<CxSkinButton*, 3> pageButtons_{};
    CxSkinButton* progress_ = nullptr;
    std::array<QLabel*, 3> lamps_{};
    QLabel* prompt_ = nullptr;
    QLabel* portAccessNote_ = nullptr;
    std::array<QAction*, 7> actions_{};
    Page shownPage_ = Page::UserSupport;
    bool shuttingDown_ = false;

    QTimer pollTimer_;
    QTimer promptTimer_;
    std::unique_ptr<FirmwarePageUpdateHost> updateHost_;
    std::unique_ptr<PostingUpdateHost> postingUpdateHost_;
    // Last: destroyed first, while everything it refers to is still there.
    std::unique_ptr<ConnectionMonitor> monitor_;
};

}  // namespace orvek
