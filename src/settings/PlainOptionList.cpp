#include "settings/PlainOptionList.h"

namespace orvek {

bool PlainOptionList::insertAt(int position, const std::string& text) {
    if (position == -1) {
        position = count();
    }
    if (position < 0 || position > count()) {
        return false;
    }
    texts_.insert(texts_.begin() + position, text);
    ++revision_;
    // The selected entry stays selected, as in a combo box.
    if (selection_ != kNoSelection && position <= selection_) {
        ++selection_;
    }
    return true;
}

void PlainOptionList::clear() {
    texts_.clear();
    selection_ = kNoSelection;
    ++revision_;
}

int PlainOptionList::count() const { return static_cast<int>(texts_.size()); }

std::string PlainOptionList::textAt(int index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    return texts_[static_cast<std::size_t>(index)];
}

void PlainOptionList::setSelection(int index) {
    selection_ = index >= 0 && index < count() ? index : kNoSelection;
    ++revision_;
}

}  // namespace orvek
