#pragma once
// Message boxes, a link opener and file dialogs for widget tests: they record what would be
// shown or opened, and answer questions and file choices from queues (No, or Cancel, when empty).
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/desktop/UrlOpener.h"

namespace orvek::testing {

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    bool question;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::deque<bool> answers;
    // Runs while a box is "up" (after it is recorded), as the racer takes time to read it.
    std::function<void()> onShow;

    void show(const std::string& text, MessageIcon icon) override {
        shown.push_back({text, icon, false});
        if (onShow) onShow();
    }
    bool ask(const std::string& text, bool) override {
        shown.push_back({text, MessageIcon::None, true});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : shown) out.push_back(m.text);
        return out;
    }
};

class RecordingUrlOpener : public UrlOpener {
public:
    std::vector<std::string> opened;
    void open(const std::string& link) override { opened.push_back(link); }
};

// Hands over preset choices in order; nothing (Cancel) once they are used up.
class PresetFileDialogs : public FileDialogs {
public:
    std::deque<std::filesystem::path> toOpen;
    std::deque<std::filesystem::path> toSave;
    std::optional<std::filesystem::path> chooseFileToOpen() override { return next(toOpen); }
    std::optional<std::filesystem::path> chooseFileToSave() override { return next(toSave); }

private:
    static std::optional<std::filesystem::path> next(std::deque<std::filesystem::path>& queue) {
        if (queue.empty()) return std::nullopt;
        std::filesystem::path path = queue.front();
        queue.pop_front();
        return path;
    }
};

}  // namespace orvek::testing
