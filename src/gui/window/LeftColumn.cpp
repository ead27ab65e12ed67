#include "gui/window/LeftColumn.h"

#include <QAccessible>
#include <QFont>
#include <QLabel>

#include "gui/controls/PageKit.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"
#include "gui/window/WindowResources.h"
#include "resources/SkinRegistry.h"

namespace orvek {

namespace {

enum class Kind { Picture };

// The pictures of the left column (id 0: the logo, which has none).
const Placement<Kind> kPictures[] = {
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
const QRect kNotePlace(30, 184, 200, 92);
const std::array<QRect, 3> kLampPlaces{QRect(30, 380, 20, 20), QRect(30, 410, 20, 20),
                                       QRect(30, 440, 20, 20)};
const std::array<const char*, 3> kLampNames{windowText::UsbLampName, windowText::EscLampName,
                                            windowText::CardLampName};

QLabel* picture(QWidget& parent, int controlId, int pictureId, const QRect& place) {
    auto* label = new QLabel(&parent);
    if (controlId != 0) label->setObjectName(QString::number(controlId));
    label->setPixmap(SkinRegistry::pixmap(pictureId));
    label->setGeometry(place);
    return label;
}

}  // namespace

void LeftColumn::make(QWidget& client) {
    for (const Placement<Kind>& p : kPictures) picture(client, p.id, p.picture, p.place);
    // Never shown; kept so that the window has every picture it is drawn with.
    picture(client, windowControl::HiddenPicture1, SkinId::SpareFace1, QRect())->hide();
    picture(client, windowControl::HiddenPicture2, SkinId::SpareFace2, QRect())->hide();

    prompt_ = picture(client, windowControl::DevicePrompt, SkinId::PromptOrange, kPromptPlace);
    for (std::size_t i = 0; i < lamps_.size(); ++i) {
        lamps_[i] = picture(client, windowControl::UsbLamp + static_cast<int>(i), SkinId::LampOff,
                            kLampPlaces[i]);
        lamps_[i]->setAccessibleName(uiText("windowText", kLampNames[i]));
        lamps_[i]->setAccessibleDescription(uiText("windowText", windowText::LampOff));
    }
    prompt_->setAccessibleName(uiText("windowText", windowText::DevicePromptName));

    note_ = new QLabel(&client);
    note_->setObjectName(QString::number(windowControl::PortAccessNote));
    note_->setGeometry(kNotePlace);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont noteFont(QString::fromLatin1(skin::kCaptionFace));
    noteFont.setPixelSize(skin::kNotePixels);
    note_->setFont(noteFont);
    skin::setTextColour(*note_, skin::kOrange);
    note_->hide();
}

void LeftColumn::setLamps(bool usbOn, DeviceMode identified) {
    const std::array<bool, 3> on{usbOn, identified == DeviceMode::Esc,
                                 identified == DeviceMode::ProgramCard};
    for (std::size_t i = 0; i < lamps_.size(); ++i) {
        lamps_[i]->setPixmap(SkinRegistry::pixmap(on[i] ? SkinId::LampOn : SkinId::LampOff));
        // The lamp's state in words, told to assistive technology when it changes.
        const QString state =
            uiText("windowText", on[i] ? windowText::LampOn : windowText::LampOff);
        if (lamps_[i]->accessibleDescription() != state) {
            lamps_[i]->setAccessibleDescription(state);
            QAccessibleEvent changed(lamps_[i], QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
}

void LeftColumn::setPromptPicture(int pictureId) {
    prompt_->setPixmap(SkinRegistry::pixmap(pictureId));
}

void LeftColumn::showNotes(const std::vector<std::string>& notes) {
    // The core says them in English; they are shown in the window's language.
    QStringList shown;
    for (const std::string& note : notes) {
        if (!note.empty()) shown.append(coreText(note));
    }
    const QString text = shown.join(QLatin1Char('\n'));
    note_->setText(text);
    note_->setVisible(!text.isEmpty());
}

}  // namespace orvek
