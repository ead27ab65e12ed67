#pragma once
// A drop-down list of option texts as the settings code sees it, so that the same filling,
// decoding and file code drives the page's combo boxes and the command-line tool's plain lists.
#include <string>

namespace orvek {

class OptionList {
public:
    static constexpr int kNoSelection = -1;

    virtual ~OptionList() = default;

    // Inserts before `position`; -1 or count() appends. False (list unchanged) for any other
    // position. Entries are never sorted: they keep the positions they were given.
    virtual bool insertAt(int position, const std::string& text) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    // The text of an entry; empty for a position outside the list.
    virtual std::string textAt(int index) const = 0;

    virtual int selection() const = 0;
    // A position outside the list (negative or past the end) clears the selection.
    virtual void setSelection(int index) = 0;

    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    // Asks a visible list to repaint itself; lists without a screen do nothing.
    virtual void redraw() {}

    // The text of the selected entry; empty when nothing is selected.
    std::string selectedText() const { return textAt(selection()); }
};

}  // namespace orvek
