#pragma once
// Message boxes and a link opener for widget tests: they record what would be shown or opened,
// and answer questions from a queue (No when it is empty).
#include <deque>
#include <string>
#include <vector>

#include "platform/qt/MessageBoxes.h"
#include "platform/qt/UrlOpener.h"

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

    void show(const std::string& text, MessageIcon icon) override { shown.push_back({text, icon, false}); }
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

}  // namespace orvek::testing
