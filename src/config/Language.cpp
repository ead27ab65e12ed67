#include "config/Language.h"

#include <cstdlib>
#include <system_error>

#include "config/AppConfig.h"
#include "platform/AsciiCase.h"
#include "platform/ProfileFile.h"

namespace orvek {

const std::array<WindowLanguage, kWindowLanguageCount>& windowLanguages() {
    static const std::array<WindowLanguage, kWindowLanguageCount> languages{{
        {"en", "English"},
        {"de", "Deutsch"},
        {"ja", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},  // 日本語
        {"fr",
         "Fran\xC3\xA7"
         "ais"},
    }};
    return languages;
}

std::optional<std::string> languageCodeOf(std::string_view name) {
    // "de_DE.UTF-8@euro": the language is what comes before the territory, codeset and modifier.
    const std::size_t end = name.find_first_of("_-.@");
    std::string language(name.substr(0, end));
    for (char& c : language) c = foldAscii(c);
    if (language == "c" || language == "posix") return std::string("en");
    for (const WindowLanguage& known : windowLanguages()) {
        if (language == known.code) return language;
    }
    return std::nullopt;
}

LanguageChoice chooseLanguage(
    const std::function<std::optional<std::string>(const char*)>& environment,
    const std::optional<std::string>& configured, const std::optional<std::string>& commandLine) {
    LanguageChoice choice;
    for (const std::optional<std::string>& asked : {commandLine, configured}) {
        if (!asked || asked->empty()) continue;
        if (const auto code = languageCodeOf(*asked)) {
            choice.code = *code;
        } else {
            choice.unknown = *asked;
        }
        return choice;
    }
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::optional<std::string> value = environment(variable);
        if (!value || value->empty()) continue;
        // LANGUAGE lists languages by preference; the first the window speaks is taken.
        std::string_view rest = *value;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (const auto code = languageCodeOf(rest.substr(0, colon))) {
                choice.code = *code;
                return choice;
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return choice;
    }
    return choice;
}

std::optional<std::string> processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> readConfiguredLanguage(
    const std::filesystem::path& programFolder,
    const std::optional<std::filesystem::path>& userFolder) {
    const std::string name =
        ConfigFiles(programFolder, userFolder)
            .read(languageKey::Section, languageKey::Name, "", languageKey::Buffer);
    if (name.empty()) return std::nullopt;
    return name;
}

bool writeConfiguredLanguage(const std::string& code,
                             const std::optional<std::filesystem::path>& userFolder) {
    if (!userFolder) return false;
    std::error_code error;
    std::filesystem::create_directories(*userFolder, error);
    return writeProfileString(*userFolder / configKey::FileName, languageKey::Section,
                              languageKey::Name, code);
}

}  // namespace orvek
