#include "gui/window/PageHost.h"

#include <QShortcut>

#include "gui/controls/CxSkinButton.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"
#include "gui/window/WindowResources.h"

namespace orvek {

namespace {

const QRect kFramePlace(250, 0, 985, 560);
// The pages cover the frame with their top 10 pixels above it.
constexpr int kPageRise = 10;

}  // namespace

PageHost::PageHost(std::vector<PageEntry> entries, std::function<bool()> locked,
                   std::function<void(std::size_t)> show)
    : entries_(std::move(entries)), locked_(std::move(locked)), showPage_(std::move(show)) {}

void PageHost::makePages(QWidget& client, const PageServices& services) {
    frame_ = new QWidget(&client);
    frame_->setObjectName(QString::number(windowControl::PageFrame));
    skin::paintBlack(*frame_);
    frame_->setGeometry(kFramePlace);
    frame_->hide();
    const QRect pagePlace(0, -kPageRise, kFramePlace.width(), kFramePlace.height() + kPageRise);
    for (const PageEntry& entry : entries_) {
        PageBase* page = entry.make(services, frame_);
        page->setGeometry(pagePlace);
        page->setVisible(pages_.empty());
        pages_.push_back(page);
    }
    frame_->show();
}

void PageHost::makeButtons(QWidget& client, QWidget& shortcutOwner) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const PageEntry& entry = entries_[i];
        auto* button = new CxSkinButton(&client);
        button->setObjectName(QString::number(entry.buttonId));
        button->AssignSkin(entry.normalPicture, entry.pressedPicture, entry.hoverPicture);
        button->setGeometry(entry.buttonPlace);
        button->setAccessibleName(uiText("windowText", entry.buttonName));
        button->setEnabled(entry.enabledFor(DeviceMode::None));
        buttons_.push_back(button);
        QObject::connect(button, &CxSkinButton::clicked, button, [this, i] { showPage_(i); });
        // Alt+1, Alt+2 ...: the button's click, where the button is enabled.
        auto* key = new QShortcut(QKeySequence(Qt::ALT | (Qt::Key_1 + static_cast<int>(i))),
                                  &shortcutOwner);
        QObject::connect(key, &QShortcut::activated, button, [this, button] {
            if (button->isEnabled() && !locked_()) button->click();
        });
    }
    buttons_.front()->latched = true;
    buttons_.front()->repaint();
}

CxSkinButton* PageHost::buttonById(int buttonId) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].buttonId == buttonId) return buttons_[i];
    }
    return nullptr;
}

void PageHost::show(std::size_t index, bool updateQuiet) {
    shown_ = index;
    for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(i == index);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->latched = i == index;
        buttons_[i]->repaint();
    }
    pages_[index]->shownByButton(updateQuiet);
}

void PageHost::enableFor(DeviceMode mode) {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        buttons_[i]->setEnabled(entries_[i].enabledFor(mode));
}

void PageHost::setTextSize(int tenthsOfPoint) {
    for (PageBase* page : pages_) page->setTextSize(tenthsOfPoint);
}

void PageHost::setFocusOrder() {
    std::vector<QWidget*> order(buttons_.begin(), buttons_.end());
    for (const PageBase* page : pages_) {
        const std::vector<QWidget*> stops = page->tabStops();
        order.insert(order.end(), stops.begin(), stops.end());
    }
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace orvek
