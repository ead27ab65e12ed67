#pragma once
// The window's language. English is the texts as the code writes them and needs nothing
// installed; German, Japanese and French come from the .qm files compiled in (translations/).
// Texts kept in header tables are marked QT_TRANSLATE_NOOP(context, text) and looked up with
// uiText; the core's fixed texts (boxes, notes) arrive in English and are shown through coreText.
#include <QCoreApplication>
#include <QString>

#include <string>
#include <vector>

namespace orvek {

// Installs the texts of `code` ("de", "ja", "fr"; "en" removes any) into the application,
// replacing the language before, and makes the skin hand out that language's pictures. False for
// a code without compiled-in texts (English is then spoken). Call before the window is made:
// widgets take their texts and pictures when they are built.
bool installWindowLanguage(const std::string& code);

// The language installed last; "en" before any.
std::string windowLanguage();

// A text of a header table in the window's language.
inline QString uiText(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

// The context of the fixed texts that reach a message box or a note as plain strings.
constexpr const char* kMessageContext = "Messages";

// A fixed text of the core or of a box, in the window's language: the whole text when it has a
// translation, else each line that has one; a text without any (a path, a file's contents) is
// shown as it came.
QString coreText(const std::string& text);

// The core's fixed texts that the window may show (their translations are in the .ts files).
const std::vector<const char*>& coreTexts();

// The buttons of Qt's own boxes, translated under Qt's context "QPlatformTheme".
const std::vector<const char*>& standardButtonTexts();

// The settings' and the sheets' info fields' names that settingName translates.
const std::vector<const char*>& settingNames();

// A setting's or an info field's name on screen (files keep the English key name): "Drag Brake",
// "Boost RPM".
QString settingName(const char* keyName);

}  // namespace orvek
