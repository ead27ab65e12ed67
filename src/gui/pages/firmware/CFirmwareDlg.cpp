#include "gui/pages/firmware/CFirmwareDlg.h"

#include "gui/controls/PageKit.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <optional>

#include "firmware/FirmwareCatalogue.h"
#include "firmware/ImageCheck.h"
#include "gui/controls/CBitComboBox.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/controls/SkinAccessible.h"
#include "gui/controls/SkinFont.h"
#include "gui/controls/SkinTextPanel.h"
#include "gui/desktop/ViewThread.h"
#include "gui/pages/firmware/FirmwarePageControls.h"
#include "gui/pages/firmware/IdentityField.h"
#include "resources/SkinRegistry.h"
#include "update/UpdateHost.h"

namespace orvek {

namespace {

namespace ctl = firmwareControl;

enum class Kind { Picture, Label, Field, List, Start, Status, Progress, Information, BackupLine };

// `picture`: the skin id of a picture, start, status or progress control.
using Place = Placement<Kind>;

// Every control of the page, bottom of the stack first. The hidden model and hardware rows of
// the program card sit where the ESC's sit, one group lower.
const Place kLayout[] = {
    {ctl::LeftBackground, Kind::Picture, {20, 20, 600, 520}, SkinId::FirmwareLeftPanel},
    {ctl::RightBackground, Kind::Picture, {650, 0, 330, 560}, SkinId::FirmwareRightPanel},
    {ctl::EscTitle, Kind::Picture, {200, 40, 180, 32}, SkinId::EscGroupTitle},
    {ctl::EscSeparator, Kind::Picture, {70, 70, 420, 10}, SkinId::FirmwareSeparator},
    {ctl::EscModelLabel, Kind::Label, {80, 105, 100, 20}, 0, firmwareText::ModelName, false},
    {ctl::EscModelName, Kind::Field, {200, 103, 180, 23}, 0, nullptr, false},
    {ctl::EscHardwareLabel,
     Kind::Label,
     {80, 145, 100, 20},
     0,
     firmwareText::HardwareVersion,
     false},
    {ctl::EscHardwareVersion, Kind::Field, {200, 143, 180, 23}, 0, nullptr, false},
    {ctl::EscFirmwareLabel, Kind::Label, {80, 135, 100, 20}, 0, firmwareText::NowFirmware},
    {ctl::EscFirmware, Kind::Field, {200, 133, 180, 23}},
    {ctl::EscChangeLabel, Kind::Label, {80, 205, 100, 20}, 0, firmwareText::ChangeFirmware},
    {ctl::EscImageList, Kind::List, {200, 205, 180, 20}},
    {ctl::EscStart, Kind::Start, {440, 105, 150, 75}, SkinId::EscFirmwareStart},
    {ctl::EscProgress, Kind::Progress, {440, 180, 150, 75}, SkinId::ProgressFrame, nullptr, false},
    {ctl::EscStatus, Kind::Status, {440, 180, 150, 75}, SkinId::StatusReady},
    {ctl::CardTitle, Kind::Picture, {170, 290, 270, 32}, SkinId::CardGroupTitle},
    {ctl::CardSeparator, Kind::Picture, {70, 320, 420, 10}, SkinId::FirmwareSeparator},
    {ctl::CardModelLabel, Kind::Label, {80, 355, 100, 20}, 0, firmwareText::ModelName, false},
    {ctl::CardModelName, Kind::Field, {200, 353, 180, 23}, 0, nullptr, false},
    {ctl::CardHardwareLabel,
     Kind::Label,
     {80, 395, 100, 20},
     0,
     firmwareText::HardwareVersion,
     false},
    {ctl::CardHardwareVersion, Kind::Field, {200, 393, 180, 23}, 0, nullptr, false},
    {ctl::CardFirmwareLabel, Kind::Label, {80, 390, 100, 20}, 0, firmwareText::NowFirmware},
    {ctl::CardFirmware, Kind::Field, {200, 390, 180, 23}},
    {ctl::CardChangeLabel, Kind::Label, {80, 460, 100, 20}, 0, firmwareText::ChangeFirmware},
    {ctl::CardImageList, Kind::List, {200, 460, 180, 20}},
    {ctl::CardStart, Kind::Start, {440, 355, 150, 75}, SkinId::CardFirmwareStart},
    {ctl::CardProgress, Kind::Progress, {440, 430, 150, 75}, SkinId::ProgressFrame, nullptr, false},
    {ctl::CardStatus, Kind::Status, {440, 430, 150, 75}, SkinId::StatusReady},
    {ctl::InformationTitle, Kind::Picture, {680, 25, 250, 37}, SkinId::InformationTitle},
    {ctl::Information, Kind::Information, {665, 70, 300, 465}},
    {ctl::BackupLine, Kind::BackupLine, {665, 538, 300, 18}, 0, nullptr, false},
};

// The controls of one update target, and what assistive technology reads for them.
struct TargetControls {
    int list, start, status, progress;
    const char* selectText;
    const char* listName;
    const char* startName;
    const char* updateName;
};
const TargetControls kTargets[] = {
    {ctl::EscImageList, ctl::EscStart, ctl::EscStatus, ctl::EscProgress, firmwareText::SelectEsc,
     firmwareText::EscListName, firmwareText::EscStartName, firmwareText::EscUpdateName},
    {ctl::CardImageList, ctl::CardStart, ctl::CardStatus, ctl::CardProgress,
     firmwareText::SelectCard, firmwareText::CardListName, firmwareText::CardStartName,
     firmwareText::CardUpdateName},
};
constexpr FirmwareTarget kBothTargets[] = {FirmwareTarget::Esc, FirmwareTarget::ProgramCard};

std::size_t slot(FirmwareTarget target) { return target == FirmwareTarget::Esc ? 0 : 1; }
const TargetControls& controlsOf(FirmwareTarget target) { return kTargets[slot(target)]; }

// Which identity value each identity field shows.
struct Binding {
    int id;
    const std::string& (FirmwareIdentity::*value)() const;
};
const Binding kBindings[] = {
    {ctl::EscModelName, &FirmwareIdentity::escModelName},
    {ctl::EscHardwareVersion, &FirmwareIdentity::escHardwareVersion},
    {ctl::EscFirmware, &FirmwareIdentity::escFirmware},
    {ctl::CardModelName, &FirmwareIdentity::cardModelName},
    {ctl::CardHardwareVersion, &FirmwareIdentity::cardHardwareVersion},
    {ctl::CardFirmware, &FirmwareIdentity::cardFirmware},
};

constexpr int kIdentityTextSize = 85;
constexpr int kLabelTextSize = 90;
constexpr int kInformationTextSize = 80;
constexpr int kProgressTextSize = 200;
constexpr std::size_t kProblemsAsked = 5;

QFont identityFont(int tenthsOfPoint) {
    return skinFont(QString::fromLatin1(skin::kListFace), tenthsOfPoint);
}

// A status picture in words: Ready, Finished or Failed.
QString statusWord(int pictureId) {
    switch (pictureId) {
        case SkinId::StatusReady: return orvek::CFirmwareDlg::tr("Ready");
        case SkinId::StatusFinished: return orvek::CFirmwareDlg::tr("Finished");
        case SkinId::StatusFailed: return orvek::CFirmwareDlg::tr("Failed");
        default: return {};
    }
}

QString updateName(const TargetControls& target, const QString& shown) {
    return uiText("firmwareText", target.updateName) + QStringLiteral(": ") + shown;
}

QString fromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// The question asked before a damaged image goes: what is wrong, where, and whether to go on.
std::string damagedImageQuestion(const std::filesystem::path& image,
                                 const ImageCheckReport& report) {
    QString text = orvek::CFirmwareDlg::tr("The firmware image %1 is damaged:")
                       .arg(QString::fromStdString(image.filename().string())) +
                   QLatin1Char('\n');
    const std::size_t shown = std::min(report.problems.size(), kProblemsAsked);
    for (std::size_t i = 0; i < shown; ++i)
        text += QString::fromStdString(imageProblemText(report.problems[i])) + QLatin1Char('\n');
    if (report.problemCount > shown) {
        const QString more =
            QString::fromStdString(problemCountText(report.problemCount - shown, "more "));
        text += orvek::CFirmwareDlg::tr("... and %1").arg(more) + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + orvek::CFirmwareDlg::tr("Upload it anyway?");
    return text.toStdString();
}

}  // namespace

CFirmwareDlg::CFirmwareDlg(UpdateRequest raiseRequest, MessageBoxes& messages,
                           const std::filesystem::path& programFolder, QWidget* parent)
    : PageBase(parent),
      raiseRequest_(std::move(raiseRequest)),
      messages_(messages),
      programFolder_(programFolder) {
    resize(985, 570);
    statusPictures_.fill(SkinId::StatusReady);
    placeControls();
    showInformation();
    fillImageLists();
    // In target order, so that an area's index is its target's slot.
    for (FirmwareTarget target : kBothTargets) {
        const TargetControls& c = controlsOf(target);
        startKeys_[slot(target)] = clickAreas_.addWithKeys(
            *this, control(c.start)->geometry(), uiText("firmwareText", c.startName),
            QAccessible::Button, [this, target] { requestUpdate(target); });
        imageList(target)->setAccessibleName(uiText("firmwareText", c.listName));
        CxSkinButton* progress = progressButton(target);
        progress->setAccessibleName(updateName(c, progress->text()));
        picture(c.status)->setAccessibleName(updateName(c, statusWord(statusPicture(target))));
    }
    control(ctl::Information)
        ->setAccessibleName(uiText("firmwareText", firmwareText::InformationName));
}

std::vector<QWidget*> CFirmwareDlg::tabStops() const {
    std::vector<QWidget*> stops;
    for (FirmwareTarget target : kBothTargets) {
        stops.push_back(imageList(target));
        stops.push_back(startKeys_[slot(target)]);
    }
    stops.push_back(control(ctl::Information));
    return stops;
}

void CFirmwareDlg::placeControls() {
    for (const Place& place : kLayout) {
        QWidget* widget = nullptr;
        switch (place.kind) {
            case Kind::Picture:
            case Kind::Start:
            case Kind::Status: {
                auto* label = new QLabel(this);
                label->setPixmap(SkinRegistry::pixmap(place.picture));
                // The page tests its own rectangles for the hand and the clicks.
                label->setAttribute(Qt::WA_TransparentForMouseEvents);
                widget = label;
                break;
            }
            case Kind::Label: {
                auto* label = new QLabel(uiText("firmwareText", place.text), this);
                label->setFont(skinFont(QString::fromLatin1(skin::kCaptionFace), kLabelTextSize));
                skin::setTextColour(*label, skin::kLabelText);
                label->setAttribute(Qt::WA_TransparentForMouseEvents);
                widget = label;
                break;
            }
            case Kind::Field: {
                auto* field = new IdentityField(this);
                field->setFont(identityFont(kIdentityTextSize));
                widget = field;
                break;
            }
            case Kind::List: {
                auto* list = new CBitComboBox(this, true);
                list->itemFontSize = kIdentityTextSize;
                widget = list;
                break;
            }
            case Kind::Progress: {
                auto* button = new CxSkinButton(this);
                // Read as a progress; set before the caption, which builds the interface.
                setAccessibleRole(*button, QAccessible::ProgressBar);
                button->AssignSkin(place.picture, place.picture, 0);
                button->setText(QString::fromUtf8(firmwareText::StartCaption));
                button->captionFontSize = kProgressTextSize;
                button->captionColour = skin::kOrange;
                button->setFocusPolicy(Qt::NoFocus);
                widget = button;
                break;
            }
            case Kind::Information: {
                auto* panel = new SkinTextPanel(this);
                panel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                panel->setFont(
                    skinFont(QString::fromLatin1(skin::kCaptionFace), kInformationTextSize));
                QPalette colours = panel->palette();
                colours.setColor(QPalette::Base, Qt::black);
                colours.setColor(QPalette::Text, skin::kLabelText);
                // A dark scroll bar beside the dark panel.
                colours.setColor(QPalette::Window, Qt::black);
                colours.setColor(QPalette::Button, skin::kFieldGround);
                colours.setColor(QPalette::ButtonText, skin::kLabelText);
                colours.setColor(QPalette::Light, skin::kFieldGround.lighter(130));
                colours.setColor(QPalette::Dark, Qt::black);
                panel->setPalette(colours);
                widget = panel;
                break;
            }
            case Kind::BackupLine: {
                auto* line = new QLabel(this);
                line->setFont(
                    skinFont(QString::fromLatin1(skin::kCaptionFace), kInformationTextSize));
                skin::setTextColour(*line, skin::kLabelText);
                widget = line;
                break;
            }
        }
        widget->setGeometry(place.place);
        widget->setVisible(place.shown);
        controls_.add(place.id, widget);
    }
}

void CFirmwareDlg::showInformation() {
    auto* panel = controls_.as<QPlainTextEdit>(ctl::Information);
    const std::optional<std::string> text = LoadFirmwareInformation(programFolder_);
    if (text) {
        panel->setPlainText(QString::fromStdString(informationDisplayText(*text)));
    } else {
        // The lists and start pictures work without it; the panel says what is missing.
        panel->setPlainText(tr("No firmware information: %1 cannot be read.")
                                .arg(fromPath(firmwareInformationPath(programFolder_))));
    }
}

void CFirmwareDlg::fillImageLists() {
    const FirmwareImageLists images = ListFirmwareImages(programFolder_);
    const auto fill = [](CBitComboBox* list, const std::vector<FirmwareImageEntry>& entries) {
        list->clear();
        for (const FirmwareImageEntry& entry : entries) {
            const int position = list->addString(QString::fromStdString(entry.title));
            // The title's own bytes, so that the request names the folder entry exactly.
            list->setItemData(position, QByteArray::fromStdString(entry.title));
        }
        list->setCurrentIndex(-1);  // nothing is chosen until the user picks an image
    };
    fill(imageList(FirmwareTarget::Esc), images.esc);
    fill(imageList(FirmwareTarget::ProgramCard), images.programCard);
}

void CFirmwareDlg::setTextSize(int tenthsOfPoint) {
    for (const Binding& binding : kBindings)
        control(binding.id)->setFont(identityFont(tenthsOfPoint));
    for (FirmwareTarget target : kBothTargets) {
        imageList(target)->itemFontSize = tenthsOfPoint;
        imageList(target)->update();
    }
}

void CFirmwareDlg::ShowDeviceInfo(FirmwareTarget) {
    // The identity object has already applied the model table; every field shows its value.
    for (const Binding& binding : kBindings) {
        controls_.as<IdentityField>(binding.id)
            ->setText(QString::fromStdString((identity_.*binding.value)()));
    }
}

void CFirmwareDlg::showReadyPictures() {
    setStatusPicture(FirmwareTarget::Esc, SkinId::StatusReady);
    setStatusPicture(FirmwareTarget::ProgramCard, SkinId::StatusReady);
}

int CFirmwareDlg::statusPicture(FirmwareTarget target) const {
    return statusPictures_[slot(target)];
}

void CFirmwareDlg::showSettingsBackup(const SettingsBackup& backup) {
    auto* line = controls_.as<QLabel>(ctl::BackupLine);
    QString where = QDir::toNativeSeparators(fromPath(backup.file));
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QStringLiteral("/") &&
        where.startsWith(home + QLatin1Char('/'))) {
        where = QStringLiteral("~") + where.mid(home.size());
    }
    const QString text = backup.saved ? tr("ESC settings saved to %1").arg(where)
                                      : tr("ESC settings NOT saved: cannot write %1").arg(where);
    skin::setTextColour(*line, backup.saved ? skin::kLabelText : skin::kRed);
    line->setText(QFontMetrics(line->font()).elidedText(text, Qt::ElideMiddle, line->width()));
    line->setToolTip(text);
    line->show();
}

void CFirmwareDlg::setProgressCaption(FirmwareTarget target, const std::string& caption) {
    if (!viewThread::onThreadOf(*this)) return;
    CxSkinButton* button = progressButton(target);
    button->setText(QString::fromStdString(caption));
    button->setAccessibleName(updateName(controlsOf(target), button->text()));
    button->update();
}

void CFirmwareDlg::showProgress(FirmwareTarget target, bool shown) {
    if (!viewThread::onThreadOf(*this)) return;
    progressButton(target)->setVisible(shown);
}

void CFirmwareDlg::setStatusPicture(FirmwareTarget target, int pictureId) {
    if (!viewThread::onThreadOf(*this)) return;
    statusPictures_[slot(target)] = pictureId;
    QLabel* status = picture(controlsOf(target).status);
    status->setPixmap(SkinRegistry::pixmap(pictureId));
    status->setAccessibleName(updateName(controlsOf(target), statusWord(pictureId)));
}

void CFirmwareDlg::showStatusPicture(FirmwareTarget target, bool shown) {
    if (!viewThread::onThreadOf(*this)) return;
    picture(controlsOf(target).status)->setVisible(shown);
}

void CFirmwareDlg::setStartPicture(FirmwareTarget target, int pictureId) {
    if (!viewThread::onThreadOf(*this)) return;
    picture(controlsOf(target).start)->setPixmap(SkinRegistry::pixmap(pictureId));
}

void CFirmwareDlg::invalidatePage() {
    if (!viewThread::onThreadOf(*this)) return;
    update();
}

void CFirmwareDlg::settingsBackedUp(const SettingsBackup& backup) {
    if (!viewThread::onThreadOf(*this)) return;
    showSettingsBackup(backup);
}

void CFirmwareDlg::deviceInfoShown(FirmwareTarget target, const FirmwareIdentity& identity) {
    if (!viewThread::onThreadOf(*this)) return;
    identity_ = identity;
    ShowDeviceInfo(target);
}

void CFirmwareDlg::showMessage(const std::string& text, MessageIcon icon) {
    if (!viewThread::onThreadOf(*this)) return;
    messages_.show(text, icon);
}

void CFirmwareDlg::requestUpdate(FirmwareTarget target) {
    const CBitComboBox* list = imageList(target);
    const int selected = list->currentIndex();
    if (selected < 0) {
        messages_.show(controlsOf(target).selectText, MessageIcon::None);
        return;
    }
    const std::string title = list->itemData(selected).toByteArray().toStdString();
    // An empty card entry (a file named ".xup") is ignored; an empty ESC entry asks for ".kfw".
    if (target == FirmwareTarget::ProgramCard && title.empty()) return;
    const std::filesystem::path image =
        firmwareImagePath(programFolder_, firmwareFileName(title, target));
    if (!imageMayGo(image, target)) return;
    // Each target keeps its own image, so that two requests before one tick never mix them.
    if (raiseRequest_) raiseRequest_(target, image);
}

bool CFirmwareDlg::imageMayGo(const std::filesystem::path& image, FirmwareTarget target) {
    const ImageCheckReport report = checkFirmwareImage(image, target);
    // An image that cannot be read at all is the update's to report ("Read File Error!").
    if (report.status != ImageReadStatus::Ok || report.problemCount == 0) return true;
    return messages_.ask(damagedImageQuestion(image, report), false);
}

void CFirmwareDlg::shownByButton(bool updateQuiet) {
    if (updateQuiet) showReadyPictures();
}

QLabel* CFirmwareDlg::picture(int controlId) const { return controls_.as<QLabel>(controlId); }

CxSkinButton* CFirmwareDlg::progressButton(FirmwareTarget target) const {
    return controls_.as<CxSkinButton>(controlsOf(target).progress);
}

CBitComboBox* CFirmwareDlg::imageList(FirmwareTarget target) const {
    return controls_.as<CBitComboBox>(controlsOf(target).list);
}

}  // namespace orvek
