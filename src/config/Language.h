#pragma once
// Which language the window speaks: English (the texts as written in the code), German,
// Japanese or French. Chosen from the environment as desktop programs do, overridden by
// [Language] name in config.ini, and that by orvek-link --lang. orvek-cli always speaks English.
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/UserFolders.h"

namespace orvek {

struct WindowLanguage {
    const char* code;        // "en", "de", "ja", "fr": the .qm files and the artwork use it
    const char* nativeName;  // how the language names itself in Help > Language
};
constexpr std::size_t kWindowLanguageCount = 4;
// English first: the default and the fallback.
const std::array<WindowLanguage, kWindowLanguageCount>& windowLanguages();

namespace languageKey {
constexpr const char* Section = "Language";
constexpr const char* Name = "name";
constexpr int Buffer = 40;
}  // namespace languageKey

// The language a name stands for: "de", "de_DE.UTF-8", "de-AT", "DE" give "de"; "C" and
// "POSIX" give "en"; nothing for a language the window does not speak.
std::optional<std::string> languageCodeOf(std::string_view name);

struct LanguageChoice {
    std::string code = "en";
    // The name asked for in config.ini or on the command line that is not a language the window
    // speaks (it then speaks English); empty when there was none.
    std::string unknown;
};

// `environment` looks up a variable (nothing when unset). LANGUAGE (a colon list), LC_ALL,
// LC_MESSAGES and LANG are asked in that order; the first one set and not empty decides, and one
// naming no language the window speaks gives English without a note. `configured` (config.ini)
// overrides the environment, `commandLine` (--lang) overrides both; an empty one counts as unset.
LanguageChoice chooseLanguage(
    const std::function<std::optional<std::string>(const char*)>& environment,
    const std::optional<std::string>& configured, const std::optional<std::string>& commandLine);

// The process environment, for chooseLanguage.
std::optional<std::string> processEnvironment(const char* name);

// [Language] name from the user's config.ini, then the installed one; nothing when neither says.
std::optional<std::string> readConfiguredLanguage(
    const std::filesystem::path& programFolder,
    const std::optional<std::filesystem::path>& userFolder = userConfigFolder());

// Writes [Language] name into the user's config.ini (the folder made when missing), keeping the
// file's other lines; false when it cannot.
bool writeConfiguredLanguage(
    const std::string& code,
    const std::optional<std::filesystem::path>& userFolder = userConfigFolder());

}  // namespace orvek
