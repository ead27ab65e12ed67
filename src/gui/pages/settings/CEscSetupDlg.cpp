#include "gui/pages/settings/CEscSetupDlg.h"

#include "gui/controls/PageKit.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

#include <algorithm>
#include <vector>

#include "gui/controls/CBitComboBox.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/controls/SkinAccessible.h"
#include "gui/controls/SkinFont.h"
#include "gui/controls/SkinTextPanel.h"
#include "gui/desktop/ViewThread.h"
#include "gui/pages/settings/SeriesPanel.h"
#include "gui/pages/settings/WatchedOptionList.h"
#include "resources/SkinCatalog.h"
#include "resources/SkinRegistry.h"
#include "session/DeviceSession.h"
#include "settings/SettingsBlock.h"

namespace orvek {
namespace {

enum class Kind { Picture, Text, HiddenText, List, SortedList, Comment };

// Over the setup comment's panel, inside its frame.
const QRect kSeriesPanelPlace(665, 5, 305, 550);

// The progress display's caption, in tenths of a point; a long one goes down to the smallest.
constexpr int kProgressCaptionSize = 100;
constexpr int kSmallestProgressCaptionSize = 60;

// Where the window's left column put the progress display: (710, 495) there is (460, 505) here.
const QRect kProgressPlace(460, 505, 80, 30);

// Lists: `place` holds the height of the opened list; the box is kClosedListHeight high.
using EscSetupPlacement = Placement<Kind>;

// Every control of the page in creation order, which is also the drawing order: panels first.
std::vector<EscSetupPlacement> pageLayout() {
    using namespace escSetupControl;
    std::vector<EscSetupPlacement> layout = {
        {LeftPanel, Kind::Picture, {5, 0, 330, 560}, SkinId::SettingsLeftPanel},
        {MiddleUpperPanel, Kind::Picture, {330, 0, 330, 290}, SkinId::SettingsMiddleUpperPanel},
        {MiddleLowerPanel, Kind::Picture, {340, 300, 320, 180}, SkinId::SettingsMiddleLowerPanel},
        {RightPanel, Kind::Picture, {660, 0, 315, 560}, SkinId::SettingsRightPanel},
        {EscInformationHeading, Kind::Picture, {35, 20, 280, 25}, SkinId::EscInformationHeading},
        {FirmwareLabel, Kind::Picture, {35, 50, 80, 35}, SkinId::FirmwareLabel},
        {ModelText, Kind::HiddenText, {140, 52, 100, 30}},
        {FirmwareText, Kind::Text, {140, 72, 100, 30}},
        {BasicSetupHeading, Kind::Picture, {120, 110, 120, 18}, SkinId::BasicSetupHeading},
        {BasicSetupDivider, Kind::Picture, {35, 130, 280, 5}, SkinId::SettingsDivider},
        {BasicSetupLabels, Kind::Picture, {30, 140, 115, 405}, SkinId::BasicSetupLabels},
    };
    for (int n = 0; n < 12; ++n)
        layout.push_back({1009 + n, Kind::List, {145, 138 + 35 * n, 160, 120}});
    const std::vector<EscSetupPlacement> middle = {
        {TechnicalSetupHeading, Kind::Picture, {420, 20, 160, 16}, SkinId::TechnicalSetupHeading},
        {TechnicalSetupDivider, Kind::Picture, {360, 40, 280, 5}, SkinId::SettingsDivider},
        {TechnicalSetupLabels, Kind::Picture, {370, 50, 80, 184}, SkinId::TechnicalSetupLabels},
        // Top to bottom as the label picture names them, not in id order.
        {1021, Kind::List, {458, 47, 160, 120}},
        {1024, Kind::List, {458, 80, 160, 120}},
        {1026, Kind::List, {458, 112, 160, 120}},
        {1023, Kind::List, {458, 145, 160, 120}},
        {1022, Kind::List, {458, 180, 160, 120}},
        {1025, Kind::List, {458, 214, 160, 120}},
        {ProfilesHeading, Kind::Picture, {400, 320, 200, 30}, SkinId::ProfilesHeading},
        {ProfilesDivider, Kind::Picture, {360, 350, 280, 5}, SkinId::SettingsDivider},
        {CategoryLabel, Kind::Picture, {370, 365, 70, 13}, SkinId::CategoryLabel},
        {CategoryList, Kind::List, {370, 380, 250, 120}},
        {SetupSheetLabel, Kind::Picture, {370, 420, 70, 14}, SkinId::SetupSheetLabel},
        {SetupSheetList, Kind::SortedList, {370, 435, 250, 120}},
        {DefaultSettingAction, Kind::Picture, {350, 490, 110, 60}, SkinId::DefaultSettingAction},
        {SendSettingAction, Kind::Picture, {540, 490, 110, 60}, SkinId::SendSettingAction},
        {CommentHeading, Kind::Picture, {730, 10, 180, 30}, SkinId::SetupCommentHeading},
        {CommentUpperDivider, Kind::Picture, {680, 40, 280, 5}, SkinId::SettingsDivider},
        {CommentLowerDivider, Kind::Picture, {680, 460, 280, 5}, SkinId::SettingsDivider},
        {InfoLabels, Kind::Picture, {680, 50, 80, 380}, SkinId::InfoLabels},
        {FirstInfoValue + 0, Kind::Text, {770, 50, 170, 40}},
        {FirstInfoValue + 1, Kind::Text, {770, 80, 170, 40}},
    };
    layout.insert(layout.end(), middle.begin(), middle.end());
    for (int n = 0; n < 4; ++n)
        layout.push_back({FirstInfoValue + 2 + n, Kind::Text, {770, 112 + 30 * n, 170, 40}});
    layout.push_back({FirstInfoValue + 6, Kind::Text, {770, 235, 170, 40}});
    layout.push_back({FirstInfoValue + 7, Kind::Text, {770, 265, 190, 40}});
    for (int n = 0; n < 4; ++n)
        layout.push_back({FirstInfoValue + 8 + n, Kind::Text, {770, 293 + 30 * n, 170, 40}});
    layout.push_back({FirstInfoValue + 12, Kind::Text, {770, 415, 170, 40}});
    layout.push_back({CommentField, Kind::Comment, {680, 470, 280, 80}});
    return layout;
}

QFont PageTextFont() { return skinFont(QString::fromLatin1(skin::kDialogFace), 90); }

QLabel* makePicture(QWidget* page, const EscSetupPlacement& entry) {
    auto* picture = new QLabel(page);
    picture->setPixmap(SkinRegistry::pixmap(entry.picture));
    return picture;
}

QString progressName(const QString& shown) {
    return uiText("escSetupText", escSetupText::ProgressName) + QStringLiteral(": ") + shown;
}

// Text only: "0%" until a write shows its percentage, in the skin's orange on a black face.
CxSkinButton* makeProgress(QWidget* page) {
    auto* progress = new CxSkinButton(page);
    // It shows, it does not act: assistive technology reads it as a progress with its text. Set
    // before any text, whose change already builds the interface that is read.
    setAccessibleRole(*progress, QAccessible::ProgressBar);
    progress->setObjectName(QString::number(escSetupControl::ProgressDisplay));
    progress->captionFontSize = kProgressCaptionSize;
    progress->AssignSkin(SkinId::ProgressFace, SkinId::ProgressFace, 0);
    progress->captionColour = skin::kOrange;
    progress->setText(QStringLiteral("0%"));
    progress->setFocusPolicy(Qt::NoFocus);
    progress->setAccessibleName(progressName(progress->text()));
    return progress;
}

QLabel* makeText(QWidget* page) {
    auto* text = new QLabel(page);
    // Texts come from files the program does not control: never read them as markup.
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setWordWrap(true);
    text->setFont(PageTextFont());
    skin::setTextColour(*text, skin::kLabelText);
    return text;
}

QPlainTextEdit* makeComment(QWidget* page) {
    auto* comment = new SkinTextPanel(page);
    comment->setAccessibleName(uiText("escSetupText", escSetupText::CommentName));
    comment->setFont(PageTextFont());
    QPalette palette = comment->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, skin::kLabelText);
    comment->setPalette(palette);
    comment->hide();  // shown by a setup sheet with a "Temp Track" note
    return comment;
}

CBitComboBox* makeList(QWidget* page, const EscSetupPlacement& entry) {
    auto* box = new CBitComboBox(page, entry.kind == Kind::SortedList);
    box->itemFontSize = 100;
    // The opened part is as high as the layout gives, the closed box included.
    const int rowHeight = QFontMetrics(box->itemFont()).height() + 4;
    box->setMaxVisibleItems(std::max(1, (entry.place.height() - kClosedListHeight) / rowHeight));
    return box;
}

// A dot beside a list whose setting SEND SETTING would change on the ESC.
class ChangeMarker : public QWidget {
public:
    static constexpr int kSize = 8;
    explicit ChangeMarker(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(kSize, kSize);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        skin::drawChangeDot(painter, rect());
    }
};

}  // namespace

CEscSetupDlg::CEscSetupDlg(const std::filesystem::path& programFolder, QWidget* parent)
    : PageBase(parent), programFolder_(programFolder) {
    placeControls();
    attachLists();

    auto* categories = listBox(escSetupControl::CategoryList);
    for (std::size_t position = 0; position < kProfileCategoryCount; ++position) {
        categories->insertItem(static_cast<int>(position),
                               QString::fromLatin1(ProfileCategories()[position]));
    }
    categories->setCurrentIndex(-1);
    connect(categories, &CBitComboBox::selectionChanged, this, [this] { ListSetupSheets(); });
    connect(listBox(escSetupControl::SetupSheetList), &CBitComboBox::selectionChanged, this,
            [this] { LoadSetupSheet(); });
}

CEscSetupDlg::~CEscSetupDlg() { lists_.onEscSettingsChanged = nullptr; }

void CEscSetupDlg::placeControls() {
    for (const EscSetupPlacement& entry : pageLayout()) {
        QWidget* widget = nullptr;
        QRect place = entry.place;
        switch (entry.kind) {
            case Kind::Picture: widget = makePicture(this, entry); break;
            case Kind::Text:
            case Kind::HiddenText:
                widget = makeText(this);
                widget->setVisible(entry.kind == Kind::Text);
                break;
            case Kind::List:
            case Kind::SortedList:
                widget = makeList(this, entry);
                place.setHeight(kClosedListHeight);
                break;
            case Kind::Comment: widget = makeComment(this); break;
        }
        if (entry.kind == Kind::Picture || entry.kind == Kind::Text ||
            entry.kind == Kind::HiddenText) {
            // Presses and moves reach the page, which decides what the action pictures do.
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        if (entry.id == escSetupControl::InfoLabels) widget->hide();  // shown with the comment
        widget->setGeometry(place);
        controls_.add(entry.id, widget);
    }
    progress_ = makeProgress(this);
    lastProgress_ = progress_->text();
    progress_->setGeometry(kProgressPlace);
    // Recorded once, now that the pictures are placed. A press or a key only asks the session.
    sendKeys_ = clickAreas_.addWithKeys(
        *this, control(escSetupControl::SendSettingAction)->geometry(),
        uiText("escSetupText", escSetupText::SendSettingName), QAccessible::Button, [this] {
            if (session_) session_->requestWrite();
        });
    defaultKeys_ = clickAreas_.addWithKeys(
        *this, control(escSetupControl::DefaultSettingAction)->geometry(),
        uiText("escSetupText", escSetupText::DefaultSettingName), QAccessible::Button, [this] {
            if (session_) session_->requestDefaults();
        });
    seriesPanel_ = new SeriesPanel(this);
    seriesPanel_->setGeometry(kSeriesPanelPlace);
    connect(seriesPanel_, &SeriesPanel::endRequested, this, [this] {
        if (session_) session_->endSeries();
    });
    connect(seriesPanel_, &SeriesPanel::saveReportRequested, this,
            &CEscSetupDlg::seriesReportRequested);
    listBox(escSetupControl::CategoryList)
        ->setAccessibleName(uiText("escSetupText", escSetupText::CategoryName));
    listBox(escSetupControl::SetupSheetList)
        ->setAccessibleName(uiText("escSetupText", escSetupText::SetupSheetName));
}

void CEscSetupDlg::attachLists() {
    std::array<OptionList*, kParameterCount> byKey{};
    for (const EscParameter& parameter : parameterTable()) {
        const auto k = static_cast<std::size_t>(parameter.keyNumber);
        CBitComboBox* box = listBox(parameter.listId);
        box->setAccessibleName(settingName(parameter.keyName));
        watched_[k] = std::make_unique<WatchedOptionList>(box, [this] { refreshChangeMarkers(); });
        byKey[k] = watched_[k].get();
        // A pick of the user's; the settings code's own changes come through the watched list.
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this] { refreshChangeMarkers(); });
        // The session's model takes the pick; the box shows it meanwhile.
        const int keyNumber = parameter.keyNumber;
        connect(box, &CBitComboBox::selectionChanged, this, [this, keyNumber](int index) {
            if (session_) session_->selectOption(keyNumber, index);
        });

        auto* marker = new ChangeMarker(this);
        const QRect boxPlace = box->geometry();
        marker->move(boxPlace.right() + 5, boxPlace.center().y() - ChangeMarker::kSize / 2 + 1);
        marker->setToolTip(tr("Differs from the ESC: SEND SETTING writes it"));
        markers_[k] = marker;
    }
    lists_ = ParameterLists(byKey);
    lists_.onEscSettingsChanged = [this] { refreshChangeMarkers(); };
}

CBitComboBox* CEscSetupDlg::listBox(int id) const { return controls_.as<CBitComboBox>(id); }

CxSkinButton& CEscSetupDlg::progressDisplay() const { return *progress_; }

const QWidget* CEscSetupDlg::changeMarker(int keyNumber) const {
    return keyNumber >= 0 && keyNumber < kParameterCount
               ? markers_[static_cast<std::size_t>(keyNumber)]
               : nullptr;
}

QRect CEscSetupDlg::actionArea(int actionId) const {
    const QRect& area = clickAreas_.area(actionId == escSetupControl::SendSettingAction ? 0 : 1);
    return area.adjusted(1, 1, -1, -1);
}

void CEscSetupDlg::setEscTexts(const std::string& modelName, const std::string& firmware) {
    if (!viewThread::onThreadOf(*this)) return;
    controls_.as<QLabel>(escSetupControl::ModelText)->setText(QString::fromStdString(modelName));
    controls_.as<QLabel>(escSetupControl::FirmwareText)->setText(QString::fromStdString(firmware));
}

void CEscSetupDlg::setWriteProgressText(const std::string& text) {
    if (!viewThread::onThreadOf(*this)) return;
    lastProgress_ = QString::fromStdString(text);
    if (!closingAfterWrite_) showProgressText(lastProgress_);
}

void CEscSetupDlg::showClosingAfterWrite(bool closing) {
    closingAfterWrite_ = closing;
    showProgressText(closing ? uiText("escSetupText", escSetupText::ClosingAfterWrite)
                             : lastProgress_);
}

void CEscSetupDlg::showProgressText(const QString& text) {
    // A caption too wide for the display at its size ("Closing...", "Fermeture...") is drawn
    // smaller, never cut at its edges.
    progress_->captionFontSize = kProgressCaptionSize;
    progress_->setText(text);
    while (progress_->captionFontSize > kSmallestProgressCaptionSize) {
        const int left = progress_->captionPosition().x();
        const int width = QFontMetrics(progress_->captionFont()).horizontalAdvance(text);
        if (left >= 0 && left + width <= progress_->width()) break;
        progress_->captionFontSize -= 5;
    }
    // Read out as it changes (Qt tells assistive technology of the new name).
    progress_->setAccessibleName(progressName(text));
}

std::vector<QWidget*> CEscSetupDlg::tabStops() const {
    std::vector<QWidget*> stops;
    // Left column top to bottom, then the middle column as its labels name the lists.
    for (int id = kFirstListId; id < kFirstListId + 12; ++id) stops.push_back(listBox(id));
    for (int id : {1021, 1024, 1026, 1023, 1022, 1025}) stops.push_back(listBox(id));
    stops.push_back(listBox(escSetupControl::CategoryList));
    stops.push_back(listBox(escSetupControl::SetupSheetList));
    stops.push_back(defaultKeys_);
    stops.push_back(sendKeys_);
    stops.push_back(control(escSetupControl::CommentField));
    for (QWidget* stop : seriesPanel_->tabStops()) stops.push_back(stop);
    return stops;
}

void CEscSetupDlg::settingsChanged(const SettingsModelState& settings, std::uint64_t picksServed) {
    if (!viewThread::onThreadOf(*this)) return;
    showSettings(settings, picksServed);
    emit selectionsShown();
}

void CEscSetupDlg::seriesChanged(const SeriesState& series) {
    if (!viewThread::onThreadOf(*this)) return;
    seriesPanel_->show(series);
}

void CEscSetupDlg::setTextSize(int tenthsOfPoint) {
    for (int id = kFirstListId; id <= escSetupControl::SetupSheetList; ++id) {
        CBitComboBox* box = listBox(id);
        box->itemFontSize = tenthsOfPoint;
        box->update();
    }
}

void CEscSetupDlg::showSettings(const SettingsModelState& settings, std::uint64_t picksServed) {
    if (session_ && picksServed < session_->picksSent()) return;
    showState(lists_, settings);
}

bool CEscSetupDlg::hasUnsentChanges() const { return anySettingDiffersFromEsc(lists_); }

void CEscSetupDlg::refreshChangeMarkers() {
    const auto differs = SettingsDifferingFromEsc(lists_);
    for (std::size_t k = 0; k < markers_.size(); ++k) {
        if (markers_[k]) markers_[k]->setVisible(differs[k]);
    }
}

std::string CEscSetupDlg::shownCategory() const {
    return listBox(escSetupControl::CategoryList)->currentText().toStdString();
}

std::string CEscSetupDlg::shownSheetTitle() const {
    return listBox(escSetupControl::SetupSheetList)->currentText().toStdString();
}

std::string CEscSetupDlg::escFirmwareText() const {
    return controls_.as<QLabel>(escSetupControl::FirmwareText)->text().toStdString();
}

std::string CEscSetupDlg::escModelText() const {
    return controls_.as<QLabel>(escSetupControl::ModelText)->text().toStdString();
}

void CEscSetupDlg::selectSetupSheet(const std::string& category, const std::string& title) {
    CBitComboBox* categories = listBox(escSetupControl::CategoryList);
    categories->setCurrentIndex(categories->findText(QString::fromStdString(category)));
    ListSetupSheets();
    CBitComboBox* sheets = listBox(escSetupControl::SetupSheetList);
    const int index = sheets->findText(QString::fromStdString(title), Qt::MatchFixedString);
    if (index < 0 || index == sheets->currentIndex()) return;
    sheets->setCurrentIndex(index);
    LoadSetupSheet();
}

void CEscSetupDlg::ListSetupSheets() {
    const std::string category =
        listBox(escSetupControl::CategoryList)->currentText().toStdString();
    CBitComboBox* sheets = listBox(escSetupControl::SetupSheetList);
    sheets->clear();
    for (const SetupSheetEntry& sheet : orvek::ListSetupSheets(programFolder_, category)) {
        sheets->addString(QString::fromStdString(sheet.title));
    }
    if (sheets->count() == 0) return;
    sheets->setCurrentIndex(0);
    LoadSetupSheet();
}

void CEscSetupDlg::LoadSetupSheet() {
    const std::string category =
        listBox(escSetupControl::CategoryList)->currentText().toStdString();
    if (category.empty()) return;
    CBitComboBox* sheets = listBox(escSetupControl::SetupSheetList);
    const std::string title = sheets->currentText().toStdString();
    if (session_) session_->loadSetupSheet(category, title);
    sheets->update();
}

void CEscSetupDlg::setupSheetLoaded(const SetupSheetNotes& notes) {
    if (!viewThread::onThreadOf(*this)) return;
    showSheetNotes(notes);
}

void CEscSetupDlg::showSheetNotes(const SetupSheetNotes& notes) {
    shownNotes_ = notes;
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        controls_.as<QLabel>(escSetupControl::FirstInfoValue + static_cast<int>(k))
            ->setText(QString::fromStdString(notes.info[k]));
    }
    auto* comment = controls_.as<QPlainTextEdit>(escSetupControl::CommentField);
    comment->setPlainText(QString::fromStdString(notes.memo));
    comment->setVisible(notes.showComment);
    control(escSetupControl::InfoLabels)->setVisible(notes.showComment);
}

}  // namespace orvek
