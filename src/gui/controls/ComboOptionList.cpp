#include "gui/controls/ComboOptionList.h"

#include <QSignalBlocker>

namespace orvek {

bool ComboOptionList::insertAt(int position, const std::string& text) {
    if (!box_) return false;
    const int n = box_->count();
    if (position == -1) position = n;
    if (position < 0 || position > n) return false;
    // Filling a list is no pick of the user's: the page hears nothing and nothing gets selected.
    const QSignalBlocker quiet(box_);
    const int selected = box_->currentIndex();
    box_->insertItem(position, QString::fromStdString(text));
    box_->setCurrentIndex(selected < 0 ? -1 : (selected >= position ? selected + 1 : selected));
    return true;
}

void ComboOptionList::clear() {
    if (!box_) return;
    const QSignalBlocker quiet(box_);
    box_->clear();
}

int ComboOptionList::count() const { return box_ ? box_->count() : 0; }

std::string ComboOptionList::textAt(int index) const {
    if (!box_ || index < 0 || index >= box_->count()) return {};
    return box_->itemText(index).toStdString();
}

int ComboOptionList::selection() const { return box_ ? box_->currentIndex() : kNoSelection; }

void ComboOptionList::setSelection(int index) {
    if (!box_) return;
    const QSignalBlocker quiet(box_);
    box_->setCurrentIndex(index >= 0 && index < box_->count() ? index : -1);
}

bool ComboOptionList::isEnabled() const { return box_ && box_->isEnabled(); }

void ComboOptionList::setEnabled(bool enabled) {
    if (box_) box_->setEnabled(enabled);
}

void ComboOptionList::redraw() {
    if (box_) box_->update();
}

}  // namespace orvek
