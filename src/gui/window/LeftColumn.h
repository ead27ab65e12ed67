#pragma once
// The window's left column below the page buttons: the logos and separators, the device prompt,
// the three lamps with their state in words, and the note under the page buttons.
#include <array>
#include <string>
#include <vector>

#include "monitor/DeviceMode.h"

class QLabel;
class QWidget;

namespace orvek {

class LeftColumn {
public:
    // Makes every picture, the prompt, the lamps and the (hidden) note on `client`.
    void make(QWidget& client);

    QLabel& lamp(std::size_t index) const { return *lamps_[index]; }
    QLabel& prompt() const { return *prompt_; }
    QLabel& note() const { return *note_; }

    // The USB lamp, and the lamp of the device identified (ESC or program card); a change of a
    // lamp's state is told to assistive technology.
    void setLamps(bool usbOn, DeviceMode identified);
    void setPromptPicture(int pictureId);
    // The port's trouble first, then the history's, one under the other; hidden when neither.
    void showNotes(const std::vector<std::string>& notes);

private:
    std::array<QLabel*, 3> lamps_{};
    QLabel* prompt_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace orvek
