#include "gui/window/CTarnwick11Dlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>

#include "config/AppConfig.h"
#include "config/Language.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"
#include "gui/desktop/ViewThread.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/links/CUserDlg.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/pages/settings/SeriesPanel.h"
#include "gui/pages/settings/SettingsFileCommands.h"
#include "gui/window/CAboutDlg.h"
#include "gui/window/SeriesCommands.h"
#include "gui/window/WindowResources.h"
#include "platform/UserFolders.h"
#include "resources/SkinRegistry.h"

namespace orvek {

namespace {

constexpr int kWindowWidth = 1250;
constexpr int kWindowHeight = 650;
constexpr int kScreenDpi = 96;

std::vector<PageEntry> pageTable(const WindowOptions& options) {
    std::vector<PageEntry> pages = standardPages();
    pages.insert(pages.end(), options.extraPages.begin(), options.extraPages.end());
    return pages;
}

}  // namespace

CTarnwick11Dlg::CTarnwick11Dlg(const WindowOptions& options, QWidget* parent)
    : QDialog(parent),
      options_(options),
      ownMessages_(this),
      ownFileDialogs_(this, uiText("fileFilter", kSettingsFileFilter),
                      QString::fromUtf8(kSettingsFileSuffix)),
      messages_(options.messages ? *options.messages : static_cast<MessageBoxes&>(ownMessages_)),
      urlOpener_(options.urlOpener ? *options.urlOpener : static_cast<UrlOpener&>(ownUrlOpener_)),
      fileDialogs_(options.fileDialogs ? *options.fileDialogs
                                       : static_cast<FileDialogs&>(ownFileDialogs_)),
      ownCardDialogs_(this, uiText("fileFilter", kSetupCardFilter),
                      QString::fromUtf8(kSetupCardSuffix)),
      cardDialogs_(options.cardDialogs ? *options.cardDialogs
                                       : static_cast<FileDialogs&>(ownCardDialogs_)),
      ownSheetForm_(this),
      sheetForm_(options.sheetForm ? *options.sheetForm
                                   : static_cast<SheetFormDialog&>(ownSheetForm_)),
      ownSeriesForm_(this),
      seriesForm_(options.seriesForm ? *options.seriesForm
                                     : static_cast<SeriesFormDialog&>(ownSeriesForm_)),
      ownReportDialogs_(this, uiText("seriesCommandText", seriesCommandText::ReportFilter),
                        QString::fromUtf8(seriesCommandText::ReportSuffix)),
      reportDialogs_(options.reportDialogs ? *options.reportDialogs
                                           : static_cast<FileDialogs&>(ownReportDialogs_)),
      pages_(
          pageTable(options), [this] { return updateLocked(); },
          [this](std::size_t page) { ShowPage(static_cast<Page>(page)); }),
      diagnosticLog_(this, options.logDialogs) {
    setWindowTitle(QString::fromUtf8(windowText::Title));  // the product's name, in every language
    setWindowIcon(QIcon(SkinRegistry::pixmap(SkinId::AppIcon)));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    skin::paintBlack(*this);
    textSize_ = readTextSize(options_.programFolder);

    menuBar_ = &menu_.make(*this, kWindowWidth, [this](int id) { onMenuCommand(id); });
    client_ = new QWidget(this);
    skin::paintBlack(*client_);
    const int menuHeight = menuBar_->sizeHint().height();
    client_->setGeometry(0, menuHeight, kWindowWidth, kWindowHeight - menuHeight);
    pages_.makePages(
        *client_, PageServices{options_.programFolder, urlOpener_, messages_,
                               [this](FirmwareTarget target, const std::filesystem::path& image) {
                                   raiseUpdateRequest(target, image);
                               }});
    linksPage_ = &static_cast<CUserDlg&>(page(Page::UserSupport));
    settingsPage_ = &static_cast<CEscSetupDlg&>(page(Page::EscSetup));
    firmwarePage_ = &static_cast<CFirmwareDlg&>(page(Page::Firmware));
    leftColumn_.make(*client_);
    showNotes();
    pages_.makeButtons(*client_, *this);
    pages_.setFocusOrder();

    setFixedSize(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
        applyScreenResolution(qRound(screen->logicalDotsPerInchY()));
    }

    for (QObject* watched : {static_cast<QObject*>(this), static_cast<QObject*>(client_),
                             static_cast<QObject*>(menuBar_)}) {
        watched->installEventFilter(this);
    }

    SessionOptions session;
    session.programFolder = options_.programFolder;
    session.port = options_.port;
    session.pollTimer = options_.timers;
    session.historyFile = options_.historyFile;
    session_ = std::make_unique<DeviceSession>(
        session, SessionViews{*this, *settingsPage_, *firmwarePage_}, this);
    settingsPage_->attachSession(session_.get());
    connect(settingsPage_, &CEscSetupDlg::seriesReportRequested, this, [this] {
        SaveSeriesReport(settingsPage_->seriesPanel().shown().series, reportDialogs_, messages_);
    });
    connect(&promptTimer_, &QTimer::timeout, this, [this] { onPromptTimer(); });
    if (options_.timers) promptTimer_.start(kPromptPeriodMs);
}

CTarnwick11Dlg::~CTarnwick11Dlg() {
    promptTimer_.stop();
    settingsPage_->attachSession(nullptr);
    // Ends the device thread; nothing it still had to say reaches this window.
    session_->stop();
}

void CTarnwick11Dlg::ShowPage(Page page) {
    // While an update is asked for or runs its pictures stay as the worker set them (its first
    // pictures can reach the page before the status that says it runs).
    pages_.show(static_cast<std::size_t>(page), status_.updateIdle && !updateLocked());
}

void CTarnwick11Dlg::applyScreenResolution(int logicalDpi) {
    if (logicalDpi == kScreenDpi) return;
    pages_.setTextSize(readableTextSize(textSize_));
}

bool CTarnwick11Dlg::updateLocked() const {
    return status_.updateLocked() || status_.commandsServed < updateRequestSent_;
}

void CTarnwick11Dlg::raiseUpdateRequest(FirmwareTarget target, const std::filesystem::path& image) {
    session_->requestUpdate(target, image);
    updateRequestSent_ = session_->commandsSent();
}

QAction* CTarnwick11Dlg::menuAction(int commandId) const { return menu_.action(commandId); }

CxSkinButton& CTarnwick11Dlg::progressDisplay() const { return settingsPage_->progressDisplay(); }

CxSkinButton& CTarnwick11Dlg::pageButton(int buttonId) const {
    return *pages_.buttonById(buttonId);
}

QLabel& CTarnwick11Dlg::lamp(int lampId) const {
    return leftColumn_.lamp(static_cast<std::size_t>(lampId - windowControl::UsbLamp));
}

void CTarnwick11Dlg::openHistory() {
    if (historyDialog_) {
        historyDialog_->raise();
        historyDialog_->activateWindow();
        return;
    }
    CHistoryDlg::Context context{*session_,
                                 fileDialogs_,
                                 messages_,
                                 settingsPage_->escModelText(),
                                 [this] { return selectedSettingsTexts(settingsPage_->lists()); },
                                 [this] { return updateLocked(); }};
    historyDialog_ = new CHistoryDlg(context, this);
    historyDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(settingsPage_, &CEscSetupDlg::selectionsShown, historyDialog_,
            &CHistoryDlg::pageChanged);
    historyDialog_->show();
}

void CTarnwick11Dlg::openSeries() {
    if (status_.series) return;
    session_->listHistory("", [this](const HistoryListing& listing) {
        // A series started meanwhile (a second choice of the item) keeps the first.
        if (status_.series || shuttingDown_) return;
        if (AskForSeries(*session_, *settingsPage_, seriesForm_, fileDialogs_,
                         options_.programFolder, listing)) {
            ShowPage(Page::EscSetup);
        }
    });
}

void CTarnwick11Dlg::onMenuCommand(int commandId) {
    switch (commandId) {
        case menuCommand::ImportSettings: ImportSettings(*session_, fileDialogs_); return;
        case menuCommand::SaveAsSetupSheet:
            SaveAsSetupSheet(*settingsPage_, sheetForm_, messages_, options_.programFolder,
                             userDataFolder());
            return;
        case menuCommand::ExportSetupCard:
            ExportSetupCard(*settingsPage_, cardDialogs_, messages_);
            return;
        case menuCommand::ExportSettings:
            ExportSettings(*settingsPage_, fileDialogs_, messages_);
            return;
        case menuCommand::SettingsHistory: openHistory(); return;
        case menuCommand::WriteSeries: openSeries(); return;
        case menuCommand::Exit: close(); return;
        case menuCommand::About: openAbout(); return;
        case menuCommand::SaveDiagnosticLog:
            diagnosticLog_.save(
                *session_, {options_.programFolder, options_.historyFile, historyNote_}, messages_);
            return;
        default: break;
    }
    if (const std::optional<std::string> language = WindowMenu::languageOf(commandId)) {
        // Taken at the next start: the window's texts are set when it is built.
        if (!writeConfiguredLanguage(*language))
            messages_.show(menuText::LanguageNotSaved, MessageIcon::Stop);
        return;
    }
    // A mode change in the middle of an update is refused; the item has toggled its own
    // check already, so the checks are shown again as the modes are.
    if (updateLocked()) {
        setDeviceMenuChecks(status_.mode);
        return;
    }
    if (const std::optional<DeviceMode> mode = WindowMenu::modeOf(commandId))
        session_->chooseDevice(*mode);
}

void CTarnwick11Dlg::openAbout() {
    CAboutDlg about(this);
    about.exec();
}

// The prompt's blink is the window's own: it shows the modes the session last told.
void CTarnwick11Dlg::onPromptTimer() {
    if (identifiesDevice(status_.mode)) {
        devicePrompt().setAccessibleName(QString());  // it no longer asks
        return;
    }
    devicePrompt().setAccessibleName(uiText("windowText", windowText::DevicePromptName));
    leftColumn_.setPromptPicture(promptPhase_ == 0 ? SkinId::PromptWhite : SkinId::PromptOrange);
    promptPhase_ = promptPhase_ == 0 ? 1 : 0;
}

// SessionView

int CTarnwick11Dlg::callsOffThread() const { return viewThread::callsOffThread(); }

void CTarnwick11Dlg::setLamps(bool usbOn, DeviceMode identified) {
    if (!viewThread::onThreadOf(*this)) return;
    leftColumn_.setLamps(usbOn, identified);
}

void CTarnwick11Dlg::showMessage(const std::string& text, MessageIcon icon) {
    if (!viewThread::onThreadOf(*this)) return;
    messages_.show(text, icon);
}

void CTarnwick11Dlg::setDeviceMenuChecks(DeviceMode mode) {
    if (!viewThread::onThreadOf(*this)) return;
    menu_.setDeviceChecks(mode);
}

void CTarnwick11Dlg::showUserSupportPage() {
    if (!viewThread::onThreadOf(*this)) return;
    ShowPage(Page::UserSupport);
}

void CTarnwick11Dlg::enablePagesFor(DeviceMode mode) {
    if (!viewThread::onThreadOf(*this)) return;
    pages_.enableFor(mode);
}

void CTarnwick11Dlg::showNotes() {
    leftColumn_.showNotes({options_.startNote, portNote_, historyNote_});
}

void CTarnwick11Dlg::showPortNote(const std::string& note) {
    if (!viewThread::onThreadOf(*this)) return;
    portNote_ = note;
    showNotes();
}

void CTarnwick11Dlg::showHistoryNote(const std::string& note) {
    if (!viewThread::onThreadOf(*this)) return;
    historyNote_ = note;
    showNotes();
}

void CTarnwick11Dlg::statusChanged(const SessionStatus& status) {
    if (!viewThread::onThreadOf(*this)) return;
    const bool writeEnded = status_.writing && !status.writing;
    status_ = status;
    menu_.action(menuCommand::WriteSeries)->setEnabled(!status.series && !updateLocked());
    if (writeEnded && closeAfterWrite_) {
        closeAfterWrite_ = false;
        settingsPage_->showClosingAfterWrite(false);
        close();  // asks again as any close does: the write may have failed
    }
}

// Closing and the update lockout

bool CTarnwick11Dlg::eventFilter(QObject* watched, QEvent* event) {
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    // The menus' keys (their Alt mnemonics, and the keys of a bar in keyboard mode) are
    // refused where the bar's presses are.
    const bool menuKey = watched == menuBar_ &&
                         (event->type() == QEvent::Shortcut || event->type() == QEvent::KeyPress);
    if ((press || menuKey) && updateLocked()) return true;
    return QDialog::eventFilter(watched, event);
}

bool CTarnwick11Dlg::mayClose() {
    if (updateLocked()) return false;
    // Closing ends a series; an ESC being written is finished first, as any write is.
    if (status_.series) session_->endSeries();
    // A settings write on the wire ends with its commit first; the window closes after it.
    if (status_.writing) {
        closeAfterWrite_ = true;
        settingsPage_->showClosingAfterWrite(true);
        return false;
    }
    if (settingsPage_->hasUnsentChanges())
        return messages_.ask(windowText::CloseWithUnsentChanges, false);
    return true;
}

void CTarnwick11Dlg::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Accepted);
}

void CTarnwick11Dlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // a stray key must not throw away edited, unsent settings
            return;
        default: QDialog::keyPressEvent(event);
    }
}

void CTarnwick11Dlg::reject() {}

}  // namespace orvek
