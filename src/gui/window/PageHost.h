#pragma once
// The pages of the window and their buttons, as the page table gives them: the frame the pages
// lie in, the buttons down the left column (with Alt+1, Alt+2 ...), which page shows with its
// button latched, which buttons a device mode enables, and the Tab order through them all.
#include <cstddef>
#include <functional>
#include <vector>

#include "gui/window/PageTable.h"

class QWidget;

namespace orvek {

class CxSkinButton;

class PageHost {
public:
    // `locked` tells when presses are refused (an update asked for or running); `show` is what a
    // button's click does (the window's ShowPage).
    PageHost(std::vector<PageEntry> entries, std::function<bool()> locked,
             std::function<void(std::size_t page)> show);

    // The frame and every page in it, in table order; the first page shows.
    void makePages(QWidget& client, const PageServices& services);
    // The buttons in the left column, enabled as for no device mode, the first one latched.
    void makeButtons(QWidget& client, QWidget& shortcutOwner);

    std::size_t count() const { return entries_.size(); }
    PageBase& page(std::size_t index) const { return *pages_[index]; }
    CxSkinButton& button(std::size_t index) const { return *buttons_[index]; }
    // The button of an id of the table; null for any other id.
    CxSkinButton* buttonById(int buttonId) const;
    QWidget& frame() const { return *frame_; }
    std::size_t shown() const { return shown_; }

    // Shows one page, hides the others and latches its button.
    void show(std::size_t index, bool updateQuiet);
    // Each button as its entry's rule says for the mode just chosen.
    void enableFor(DeviceMode mode);
    // The window's text size, for the pages whose texts follow it.
    void setTextSize(int tenthsOfPoint);
    // Tab goes down the page buttons, then through the shown page in its reading order, and back
    // to the first page button; the hidden pages' controls are passed over.
    void setFocusOrder();

private:
    std::vector<PageEntry> entries_;
    std::function<bool()> locked_;
    std::function<void(std::size_t)> showPage_;
    QWidget* frame_ = nullptr;
    std::vector<PageBase*> pages_;
    std::vector<CxSkinButton*> buttons_;
    std::size_t shown_ = 0;
};

}  // namespace orvek
