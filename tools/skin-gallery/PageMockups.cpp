#include "PageMockups.h"

#include <QLabel>
#include <QPainter>

#include "gui/controls/CBitComboBox.h"
#include "gui/controls/CxSkinButton.h"
#include "gui/controls/SkinFont.h"
#include "resources/SkinRegistry.h"

namespace orvek {
namespace {

const QColor kLabelText(234, 234, 234);
const QColor kOrange(247, 148, 29);

QImage render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void picture(QWidget* page, int id, int x, int y) {
    auto* label = new QLabel(page);
    const QPixmap pixmap = SkinRegistry::pixmap(id);
    label->setPixmap(pixmap);
    label->setGeometry(QRect(QPoint(x, y), pixmap.deviceIndependentSize().toSize()));
}

QLabel* text(QWidget* page, const QString& content, const QRect& place, const QFont& font,
             const QColor& colour = kLabelText,
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new QLabel(content, page);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setGeometry(place);
    return label;
}

CBitComboBox* list(QWidget* page, const QRect& place, const QStringList& entries, int selected,
                   int fontSize = 100) {
    auto* combo = new CBitComboBox(page);
    combo->itemFontFace = QStringLiteral("Microsoft Sans Serif");
    combo->itemFontSize = fontSize;
    combo->setGeometry(place);
    for (const QString& entry : entries) combo->addString(entry);
    combo->setCurrentIndex(selected);
    return combo;
}

CxSkinButton* pageButton(QWidget* page, int normal, int pressed, int hover, int y, bool latched,
                         bool enabled) {
    auto* button = new CxSkinButton(page);
    button->AssignSkin(normal, pressed, hover);
    button->setGeometry(30, y, 200, 25);
    button->latched = latched;
    button->setEnabled(enabled);
    return button;
}

QImage leftColumn() {
    QWidget window;
    window.resize(250, 575);
    picture(&window, SkinId::FamilyLogo, 25, 3);
    for (int y : {75, 110, 145, 280, 340}) picture(&window, SkinId::Separator, 5, y);
    pageButton(&window, SkinId::UserSupportNormal, SkinId::UserSupportPressed,
               SkinId::UserSupportHover, 78, true, true);
    pageButton(&window, SkinId::EscSetupNormal, SkinId::EscSetupPressed, SkinId::EscSetupHover, 113,
               false, true);
    pageButton(&window, SkinId::FirmwareNormal, SkinId::FirmwarePressed, SkinId::FirmwareHover, 148,
               false, true);
    picture(&window, SkinId::PromptOrange, 30, 290);
    picture(&window, SkinId::LampHeading, 20, 360);
    picture(&window, SkinId::LampLabels, 60, 390);
    picture(&window, SkinId::LampOn, 30, 380);
    picture(&window, SkinId::LampOn, 30, 410);
    picture(&window, SkinId::LampOff, 30, 440);
    picture(&window, SkinId::MakerLogo, 30, 480);
    return render(window);
}

QImage settingsPage() {
    QWidget page;
    page.resize(985, 560);
    picture(&page, SkinId::SettingsLeftPanel, 5, 0);
    picture(&page, SkinId::SettingsMiddleUpperPanel, 330, 0);
    picture(&page, SkinId::SettingsMiddleLowerPanel, 340, 300);
    picture(&page, SkinId::SettingsRightPanel, 660, 0);
    picture(&page, SkinId::EscInformationHeading, 35, 20);
    picture(&page, SkinId::FirmwareLabel, 35, 50);
    picture(&page, SkinId::BasicSetupHeading, 120, 110);
    picture(&page, SkinId::BasicSetupLabels, 30, 140);
    picture(&page, SkinId::TechnicalSetupHeading, 420, 20);
    picture(&page, SkinId::TechnicalSetupLabels, 370, 50);
    picture(&page, SkinId::ProfilesHeading, 400, 320);
    picture(&page, SkinId::CategoryLabel, 370, 365);
    picture(&page, SkinId::SetupSheetLabel, 370, 420);
    picture(&page, SkinId::DefaultSettingAction, 350, 490);
    picture(&page, SkinId::SendSettingAction, 540, 490);
    picture(&page, SkinId::SetupCommentHeading, 730, 10);
    picture(&page, SkinId::InfoLabels, 680, 50);
    for (const QPoint& at :
         {QPoint(35, 130), QPoint(360, 40), QPoint(360, 350), QPoint(680, 40), QPoint(680, 460)}) {
        picture(&page, SkinId::SettingsDivider, at.x(), at.y());
    }

    const QFont pageFont = skinFont(QStringLiteral("MS Shell Dlg"), 90);
    text(&page, QStringLiteral("Expert V1.30"), QRect(140, 72, 100, 30), pageFont);

    const QStringList left[] = {{"For/Brake", "For/Rev/Brake"},
                                {"25%", "50%"},
                                {"3.0V/Cell", "3.2V/Cell"},
                                {"0%", "5%"},
                                {"= Drag Brake", "5%"},
                                {"75%", "100%"},
                                {"1K", "2K"},
                                {"Level 4", "Level 5"},
                                {"8K", "16K"},
                                {"Narrow", "Normal"},
                                {"105C", "Disable"},
                                {"CCW", "CW"}};
    for (int n = 0; n < 12; ++n)
        list(&page, QRect(145, 138 + 35 * n, 160, kClosedListHeight), left[n], n % 2);
    const struct {
        int y;
        QStringList entries;
    } middle[] = {
        {47, {"10 deg", "20 deg"}},  {80, {"3000", "14000"}}, {112, {"150 RPM/deg", "650 RPM/deg"}},
        {145, {"15 deg", "30 deg"}}, {180, {"6 deg/0.1sec"}}, {214, {"0.1 sec", "Instant"}}};
    for (const auto& entry : middle)
        list(&page, QRect(458, entry.y, 160, kClosedListHeight), entry.entries, 0);
    list(&page, QRect(370, 380, 250, kClosedListHeight), {"Modify Touring", "Rock Crawler"}, 0);
    list(&page, QRect(370, 435, 250, kClosedListHeight), {"Worlds 2024 A-Main"}, -1);

    const char* values[] = {"J. Carver", "2024-05-12", "Nationals", "Expert V1.30", "13.5T",
                            "4.2",       "30 deg",     "12.3mm",    "Riverside",    "Carpet",
                            "Flowing",   "High",       "28C"};
    const int tops[] = {50, 80, 112, 142, 172, 202, 235, 265, 293, 323, 353, 383, 415};
    for (int k = 0; k < 13; ++k)
        text(&page, QString::fromLatin1(values[k]), QRect(770, tops[k], 170, 40), pageFont);
    text(&page,
         QStringLiteral(
             "Smooth punch out of the hairpin; drag brake kept low for the flowing infield."),
         QRect(680, 470, 280, 80), pageFont);

    // The main window's progress display sits between the two action pictures.
    auto* progress = new CxSkinButton(&page);
    progress->AssignSkin(SkinId::ProgressFace, SkinId::ProgressFace, 0);
    progress->captionFontFace = QStringLiteral("Arial");
    progress->captionFontSize = 100;
    progress->captionColour = kOrange;
    progress->setText(QStringLiteral("45% "));
    progress->setGeometry(460, 505, 80, 30);
    return render(page);
}

QLabel* identityField(QWidget* page, const QString& content, const QRect& place) {
    QLabel* field = text(page, content, place, skinFont(QStringLiteral("Microsoft Sans Serif"), 85),
                         Qt::white, Qt::AlignCenter);
    field->setAutoFillBackground(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Window, QColor(58, 58, 58));
    field->setPalette(palette);
    return field;
}

QImage firmwarePage() {
    QWidget page;
    page.resize(985, 560);
    picture(&page, SkinId::FirmwareLeftPanel, 20, 20);
    picture(&page, SkinId::FirmwareRightPanel, 650, 0);
    picture(&page, SkinId::EscGroupTitle, 200, 40);
    picture(&page, SkinId::FirmwareSeparator, 70, 70);
    picture(&page, SkinId::CardGroupTitle, 170, 290);
    picture(&page, SkinId::FirmwareSeparator, 70, 320);
    picture(&page, SkinId::InformationTitle, 680, 25);
    picture(&page, SkinId::EscFirmwareStart, 440, 105);
    picture(&page, SkinId::CardFirmwareStart, 440, 355);
    picture(&page, SkinId::StatusFinished, 440, 430);

    const QFont labelFont = skinFont(QStringLiteral("Arial"), 90);
    text(&page, QStringLiteral("Now Firmware"), QRect(80, 135, 100, 20), labelFont);
    text(&page, QStringLiteral("Change Firmware"), QRect(80, 205, 100, 20), labelFont);
    text(&page, QStringLiteral("Now Firmware"), QRect(80, 390, 100, 20), labelFont);
    text(&page, QStringLiteral("Change Firmware"), QRect(80, 460, 100, 20), labelFont);
    identityField(&page, QStringLiteral("Expert V1.30"), QRect(200, 133, 180, 23));
    identityField(&page, QStringLiteral("ORVEK QLX V1.20"), QRect(200, 390, 180, 23));
    list(&page, QRect(200, 205, 180, 20), {"ESC_Expert_V1.40", "ESC_Stock_V1.70"}, 0, 85);
    list(&page, QRect(200, 460, 180, 20), {"QLX_V1.30"}, -1, 85);

    auto* progress = new CxSkinButton(&page);
    progress->AssignSkin(SkinId::ProgressFrame, SkinId::ProgressFrame, 0);
    progress->captionFontFace = QStringLiteral("Arial");
    progress->captionFontSize = 200;
    progress->captionColour = kOrange;
    progress->setText(QStringLiteral("57%"));
    progress->setGeometry(440, 180, 150, 75);

    text(&page,
         QStringLiteral("ESC_Expert_V1.40\n  Smoother throttle at low speed.\n  Boost and turbo "
                        "limits reworked.\n\n"
                        "QLX_V1.30\n  Shows the firmware version on start."),
         QRect(665, 70, 300, 465), skinFont(QStringLiteral("Arial"), 80));
    return render(page);
}

}  // namespace

void addPageMockups(GallerySheet& sheet) {
    sheet.heading(QStringLiteral("The pictures and controls in place"));
    sheet.tile(leftColumn(), QStringLiteral("main window left column\n(USER SUPPORT latched)"));
    sheet.block(settingsPage(), QStringLiteral("ESC SETUP page"));
    sheet.block(firmwarePage(),
                QStringLiteral("FIRMWARE page (ESC update at 57%, program card finished)"));
}

}  // namespace orvek
