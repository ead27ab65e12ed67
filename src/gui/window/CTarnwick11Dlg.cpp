#include "gui/window/CTarnwick11Dlg.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QShortcut>
#include <QThread>

#include "config/AppConfig.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/controls/PageKit.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/ViewThread.h"
#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/links/CUserDlg.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/pages/settings/SettingsFileCommands.h"
#include "gui/window/CAboutDlg.h"
#include "gui/window/WindowResources.h"
#include "platform/UserFolders.h"
#include "resources/SkinRegistry.h"

namespace orvek {

namespace {

constexpr int kWindowWidth = 1250;
constexpr int kWindowHeight = 650;
constexpr int kScreenDpi = 96;

enum class Kind { Picture };

// The pictures of the left column (id 0: the logo, which has none).
const Placement<Kind> kLeftColumnPictures[] = {
    {0, Kind::Picture, QRect(25, 3, 200, 70), SkinId::FamilyLogo},
    {windowControl::SeparatorUnderLogo, Kind::Picture, QRect(5, 75, 200, 5), SkinId::Separator},
    {windowControl::SeparatorUnderUserSupport, Kind::Picture, QRect(5, 110, 200, 5),
     SkinId::Separator},
    {windowControl::SeparatorUnderEscSetup, Kind::Picture, QRect(5, 145, 200, 5),
     SkinId::Separator},
    {windowControl::SeparatorAbovePrompt, Kind::Picture, QRect(5, 280, 200, 5), SkinId::Separator},
    {windowControl::SeparatorUnderPrompt, Kind::Picture, QRect(5, 340, 200, 5), SkinId::Separator},
    {windowControl::LampHeading, Kind::Picture, QRect(20, 360, 200, 12), SkinId::LampHeading},
    {windowControl::LampLabels, Kind::Picture, QRect(60, 390, 150, 70), SkinId::LampLabels},
    {windowControl::MakerLogo, Kind::Picture, QRect(30, 480, 160, 80), SkinId::MakerLogo},
};
const QRect kPromptPlace(30, 290, 200, 50);
// In the free space between the FIRMWARE button (bottom 173) and separator 1062 (top 280).
const QRect kPortAccessNotePlace(30, 184, 200, 92);
constexpr int kPortAccessNotePixels = 11;
const std::array<QRect, 3> kLampPlaces{QRect(30, 380, 20, 20), QRect(30, 410, 20, 20),
                                       QRect(30, 440, 20, 20)};
const QRect kFramePlace(250, 0, 985, 560);
// The pages cover the frame with their top 10 pixels above it.
constexpr int kPageRise = 10;

struct PageButtonPlace {
    int id;
    int normal, pressed, hover;
    QRect place;
};
const PageButtonPlace kPageButtons[] = {
    {windowControl::UserSupportButton, SkinId::UserSupportNormal, SkinId::UserSupportPressed,
     SkinId::UserSupportHover, QRect(30, 78, 200, 25)},
    {windowControl::EscSetupButton, SkinId::EscSetupNormal, SkinId::EscSetupPressed,
     SkinId::EscSetupHover, QRect(30, 113, 200, 25)},
    {windowControl::FirmwareButton, SkinId::FirmwareNormal, SkinId::FirmwarePressed,
     SkinId::FirmwareHover, QRect(30, 148, 200, 25)},
};

struct MenuItem {
    int commandId;
    const char* text;
    bool checkable;
};
const MenuItem kFileItems[] = {{menuCommand::ImportSettings, menuText::ImportSettings, false},
                               {menuCommand::ExportSettings, menuText::ExportSettings, false},
                               {menuCommand::SaveAsSetupSheet, menuText::SaveAsSetupSheet, false},
                               {menuCommand::ExportSetupCard, menuText::ExportSetupCard, false},
                               {menuCommand::SettingsHistory, menuText::SettingsHistory, false},
                               {menuCommand::Exit, menuText::Exit, false}};
const MenuItem kDeviceItems[] = {{deviceCommand::Esc, menuText::Esc, true},
                                 {deviceCommand::ProgramCard, menuText::ProgramCard, true},
                                 {deviceCommand::FixMode, menuText::FixMode, true}};
// The mode each Device item chooses, in kDeviceItems' order.
const std::array<DeviceMode, 3> kDeviceModes{DeviceMode::Esc, DeviceMode::ProgramCard,
                                             DeviceMode::Fix};
const MenuItem kHelpItems[] = {{menuCommand::About, menuText::About, false}};

std::size_t buttonSlot(int buttonId) {
    return static_cast<std::size_t>(buttonId - windowControl::UserSupportButton);
}

QLabel* picture(QWidget* parent, int controlId, int pictureId, const QRect& place) {
    auto* label = new QLabel(parent);
    if (controlId != 0) label->setObjectName(QString::number(controlId));
    label->setPixmap(SkinRegistry::pixmap(pictureId));
    label->setGeometry(place);
    return label;
}

}  // namespace

CTarnwick11Dlg::CTarnwick11Dlg(const WindowOptions& options, QWidget* parent)
    : QDialog(parent),
      options_(options),
      ownMessages_(this),
      ownFileDialogs_(this, QString::fromUtf8(kSettingsFileFilter),
                      QString::fromUtf8(kSettingsFileSuffix)),
      messages_(options.messages ? *options.messages : static_cast<MessageBoxes&>(ownMessages_)),
      urlOpener_(options.urlOpener ? *options.urlOpener : static_cast<UrlOpener&>(ownUrlOpener_)),
      fileDialogs_(options.fileDialogs ? *options.fileDialogs
                                       : static_cast<FileDialogs&>(ownFileDialogs_)),
      ownCardDialogs_(this, QString::fromUtf8(kSetupCardFilter),
                      QString::fromUtf8(kSetupCardSuffix)),
      cardDialogs_(options.cardDialogs ? *options.cardDialogs
                                       : static_cast<FileDialogs&>(ownCardDialogs_)),
      ownSheetForm_(this),
      sheetForm_(options.sheetForm ? *options.sheetForm
                                   : static_cast<SheetFormDialog&>(ownSheetForm_)) {
    setWindowTitle(QString::fromUtf8(windowText::Title));
    setWindowIcon(QIcon(SkinRegistry::pixmap(SkinId::AppIcon)));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    skin::paintBlack(*this);
    textSize_ = readTextSize(options_.programFolder);

    buildMenu();
    client_ = new QWidget(this);
    skin::paintBlack(*client_);
    const int menuHeight = menuBar_->sizeHint().height();
    client_->setGeometry(0, menuHeight, kWindowWidth, kWindowHeight - menuHeight);
    buildPages();
    buildLeftColumn();
    setFocusOrder();

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
    connect(&promptTimer_, &QTimer::timeout, this, [this] { onPromptTimer(); });
    if (options_.timers) promptTimer_.start(kPromptPeriodMs);
}

CTarnwick11Dlg::~CTarnwick11Dlg() {
    promptTimer_.stop();
    settingsPage_->attachSession(nullptr);
    // Ends the device thread; nothing it still had to say reaches this window.
    session_->stop();
}

void CTarnwick11Dlg::buildMenu() {
    menuBar_ = new QMenuBar(this);
    auto addMenu = [this](const char* title, const auto& items) {
        QMenu* menu = menuBar_->addMenu(QString::fromUtf8(title));
        for (const MenuItem& item : items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setData(item.commandId);
            action->setCheckable(item.checkable);
            const int id = item.commandId;
            connect(action, &QAction::triggered, this, [this, id] { onMenuCommand(id); });
            for (QAction*& slot : actions_) {
                if (!slot) {
                    slot = action;
                    break;
                }
            }
        }
    };
    addMenu(menuText::File, kFileItems);
    addMenu(menuText::Device, kDeviceItems);
    addMenu(menuText::Help, kHelpItems);
    // The bar on the black window: dark ground, light text, the skin's red under the pointer.
    QPalette palette = menuBar_->palette();
    palette.setColor(QPalette::Window, skin::kMenuGround);
    palette.setColor(QPalette::Button, skin::kMenuGround);
    for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(text, skin::kLabelText);
    }
    palette.setColor(QPalette::Highlight, skin::kRed);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    menuBar_->setPalette(palette);
    menuBar_->setAutoFillBackground(true);
    menuBar_->setGeometry(0, 0, kWindowWidth, menuBar_->sizeHint().height());
}

void CTarnwick11Dlg::buildPages() {
    frame_ = new QWidget(client_);
    frame_->setObjectName(QString::number(windowControl::PageFrame));
    skin::paintBlack(*frame_);
    frame_->setGeometry(kFramePlace);
    frame_->hide();
    settingsPage_ = new CEscSetupDlg(options_.programFolder, frame_);
    linksPage_ = new CUserDlg(urlOpener_, options_.programFolder, frame_);
    firmwarePage_ = new CFirmwareDlg(
        [this](FirmwareTarget target, const std::filesystem::path& image) {
            raiseUpdateRequest(target, image);
        },
        messages_, options_.programFolder, frame_);
    const QRect pagePlace(0, -kPageRise, kFramePlace.width(), kFramePlace.height() + kPageRise);
    for (QWidget* page : {static_cast<QWidget*>(settingsPage_), static_cast<QWidget*>(linksPage_),
                          static_cast<QWidget*>(firmwarePage_)}) {
        page->setGeometry(pagePlace);
    }
    firmwarePage_->hide();
    settingsPage_->hide();
    linksPage_->show();
    frame_->show();
}

void CTarnwick11Dlg::buildLeftColumn() {
    for (const Placement<Kind>& p : kLeftColumnPictures) picture(client_, p.id, p.picture, p.place);
    // Never shown; kept so that the window has every picture it is drawn with.
    picture(client_, windowControl::HiddenPicture1, SkinId::SpareFace1, QRect())->hide();
    picture(client_, windowControl::HiddenPicture2, SkinId::SpareFace2, QRect())->hide();

    prompt_ = picture(client_, windowControl::DevicePrompt, SkinId::PromptOrange, kPromptPlace);
    const std::array<const char*, 3> lampNames{windowText::UsbLampName, windowText::EscLampName,
                                               windowText::CardLampName};
    for (std::size_t i = 0; i < lamps_.size(); ++i) {
        lamps_[i] = picture(client_, windowControl::UsbLamp + static_cast<int>(i), SkinId::LampOff,
                            kLampPlaces[i]);
        lamps_[i]->setAccessibleName(QString::fromUtf8(lampNames[i]));
        lamps_[i]->setAccessibleDescription(QString::fromUtf8(windowText::LampOff));
    }
    prompt_->setAccessibleName(QString::fromUtf8(windowText::DevicePromptName));

    portAccessNote_ = new QLabel(client_);
    portAccessNote_->setObjectName(QString::number(windowControl::PortAccessNote));
    portAccessNote_->setGeometry(kPortAccessNotePlace);
    portAccessNote_->setWordWrap(true);
    portAccessNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont noteFont(QStringLiteral("Arial"));
    noteFont.setPixelSize(kPortAccessNotePixels);
    portAccessNote_->setFont(noteFont);
    skin::setTextColour(*portAccessNote_, skin::kOrange);
    portAccessNote_->hide();

    for (const PageButtonPlace& b : kPageButtons) {
        auto* button = new CxSkinButton(client_);
        button->setObjectName(QString::number(b.id));
        button->AssignSkin(b.normal, b.pressed, b.hover);
        button->setGeometry(b.place);
        pageButtons_[buttonSlot(b.id)] = button;
    }
    const std::array<const char*, 3> buttonNames{windowText::UserSupportButtonName,
                                                 windowText::EscSetupButtonName,
                                                 windowText::FirmwareButtonName};
    for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
        pageButtons_[i]->setAccessibleName(QString::fromUtf8(buttonNames[i]));
        // Alt+1, Alt+2, Alt+3: the button's click, where the button is enabled.
        auto* key = new QShortcut(QKeySequence(Qt::ALT | (Qt::Key_1 + static_cast<int>(i))), this);
        CxSkinButton* button = pageButtons_[i];
        connect(key, &QShortcut::activated, this, [this, button] {
            if (button->isEnabled() && !updateLocked()) button->click();
        });
    }
    connect(pageButtons_[0], &CxSkinButton::clicked, this, [this] { ShowPage(Page::UserSupport); });
    connect(pageButtons_[1], &CxSkinButton::clicked, this, [this] { ShowPage(Page::EscSetup); });
    connect(pageButtons_[2], &CxSkinButton::clicked, this, [this] { ShowPage(Page::Firmware); });
    pageButton(windowControl::EscSetupButton).setEnabled(false);
    pageButton(windowControl::FirmwareButton).setEnabled(false);

    pageButton(windowControl::UserSupportButton).latched = true;
    pageButton(windowControl::UserSupportButton).repaint();
}

// Tab goes down the left column's page buttons, then through the shown page in its reading order,
// and back to the first page button; the hidden pages' controls are passed over.
void CTarnwick11Dlg::setFocusOrder() {
    std::vector<QWidget*> order(pageButtons_.begin(), pageButtons_.end());
    for (const std::vector<QWidget*>& stops :
         {linksPage_->tabStops(), settingsPage_->tabStops(), firmwarePage_->tabStops()}) {
        order.insert(order.end(), stops.begin(), stops.end());
    }
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void CTarnwick11Dlg::ShowPage(Page page) {
    shownPage_ = page;
    firmwarePage_->setVisible(page == Page::Firmware);
    settingsPage_->setVisible(page == Page::EscSetup);
    linksPage_->setVisible(page == Page::UserSupport);
    const std::array<Page, 3> buttonPages{Page::UserSupport, Page::EscSetup, Page::Firmware};
    for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
        pageButtons_[i]->latched = buttonPages[i] == page;
        pageButtons_[i]->repaint();
    }
    // While an update is asked for or runs its pictures stay as the worker set them (its first
    // pictures can reach the page before the status that says it runs).
    if (page == Page::Firmware && status_.updateIdle && !updateLocked())
        firmwarePage_->showReadyPictures();
}

void CTarnwick11Dlg::applyScreenResolution(int logicalDpi) {
    if (logicalDpi == kScreenDpi) return;
    const int size = readableTextSize(textSize_);
    settingsPage_->setTextSize(size);
    firmwarePage_->setTextSize(size);
}

bool CTarnwick11Dlg::updateLocked() const {
    return status_.updateLocked() || status_.commandsServed < updateRequestSent_;
}

void CTarnwick11Dlg::raiseUpdateRequest(FirmwareTarget target, const std::filesystem::path& image) {
    session_->requestUpdate(target, image);
    updateRequestSent_ = session_->commandsSent();
}

QAction* CTarnwick11Dlg::menuAction(int commandId) const {
    for (QAction* action : actions_) {
        if (action && action->data().toInt() == commandId) return action;
    }
    return nullptr;
}

CxSkinButton& CTarnwick11Dlg::progressDisplay() const { return settingsPage_->progressDisplay(); }

CxSkinButton& CTarnwick11Dlg::pageButton(int buttonId) const {
    return *pageButtons_[buttonSlot(buttonId)];
}

QLabel& CTarnwick11Dlg::lamp(int lampId) const {
    return *lamps_[static_cast<std::size_t>(lampId - windowControl::UsbLamp)];
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
        case menuCommand::Exit: close(); return;
        case menuCommand::About: openAbout(); return;
        default: break;
    }
    // A mode change in the middle of an update is refused; the item has toggled its own
    // check already, so the checks are shown again as the modes are.
    if (updateLocked()) {
        setDeviceMenuChecks(status_.mode);
        return;
    }
    for (std::size_t i = 0; i < kDeviceModes.size(); ++i) {
        if (kDeviceItems[i].commandId == commandId) session_->chooseDevice(kDeviceModes[i]);
    }
}

void CTarnwick11Dlg::openAbout() {
    CAboutDlg about(this);
    about.exec();
}

// The prompt's blink is the window's own: it shows the modes the session last told.
void CTarnwick11Dlg::onPromptTimer() {
    if (identifiesDevice(status_.mode)) {
        prompt_->setAccessibleName(QString());  // it no longer asks
        return;
    }
    prompt_->setAccessibleName(QString::fromUtf8(windowText::DevicePromptName));
    setPromptPicture(promptPhase_ == 0 ? SkinId::PromptWhite : SkinId::PromptOrange);
    promptPhase_ = promptPhase_ == 0 ? 1 : 0;
}

// SessionView

int CTarnwick11Dlg::callsOffThread() const { return viewThread::callsOffThread(); }

void CTarnwick11Dlg::setLamps(bool usbOn, DeviceMode identified) {
    if (!viewThread::onThreadOf(*this)) return;
    const std::array<bool, 3> on{usbOn, identified == DeviceMode::Esc,
                                 identified == DeviceMode::ProgramCard};
    for (std::size_t i = 0; i < lamps_.size(); ++i) {
        lamps_[i]->setPixmap(SkinRegistry::pixmap(on[i] ? SkinId::LampOn : SkinId::LampOff));
        // The lamp's state in words, told to assistive technology when it changes.
        const QString state = QString::fromUtf8(on[i] ? windowText::LampOn : windowText::LampOff);
        if (lamps_[i]->accessibleDescription() != state) {
            lamps_[i]->setAccessibleDescription(state);
            QAccessibleEvent changed(lamps_[i], QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
}

void CTarnwick11Dlg::setPromptPicture(int pictureId) {
    prompt_->setPixmap(SkinRegistry::pixmap(pictureId));
}

void CTarnwick11Dlg::showMessage(const std::string& text, MessageIcon icon) {
    if (!viewThread::onThreadOf(*this)) return;
    messages_.show(text, icon);
}

void CTarnwick11Dlg::setDeviceMenuChecks(DeviceMode mode) {
    if (!viewThread::onThreadOf(*this)) return;
    for (std::size_t i = 0; i < kDeviceModes.size(); ++i)
        menuAction(kDeviceItems[i].commandId)->setChecked(kDeviceModes[i] == mode);
}

void CTarnwick11Dlg::showUserSupportPage() {
    if (!viewThread::onThreadOf(*this)) return;
    ShowPage(Page::UserSupport);
}

void CTarnwick11Dlg::enablePagesFor(DeviceMode mode) {
    if (!viewThread::onThreadOf(*this)) return;
    pageButton(windowControl::FirmwareButton).setEnabled(true);
    pageButton(windowControl::EscSetupButton).setEnabled(mode == DeviceMode::Esc);
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

void CTarnwick11Dlg::showNotes() {
    std::string text = portNote_;
    if (!text.empty() && !historyNote_.empty()) text += "\n";
    text += historyNote_;
    portAccessNote_->setText(QString::fromStdString(text));
    portAccessNote_->setVisible(!text.empty());
}

void CTarnwick11Dlg::statusChanged(const SessionStatus& status) {
    if (!viewThread::onThreadOf(*this)) return;
    const bool writeEnded = status_.writing && !status.writing;
    status_ = status;
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
