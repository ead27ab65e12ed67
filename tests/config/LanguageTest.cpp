// The window's language: from the environment in the order desktop programs ask it, overridden
// by config.ini and that by --lang; an unknown name falls back to English and is reported; the
// choice of Help > Language written into the user's config.ini without losing its other lines.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "config/Language.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::TempFolder;

using Environment = std::map<std::string, std::string>;

LanguageChoice choose(const Environment& environment,
                      const std::optional<std::string>& configured = std::nullopt,
                      const std::optional<std::string>& commandLine = std::nullopt) {
    return chooseLanguage(
        [&](const char* name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            if (found == environment.end()) return std::nullopt;
            return found->second;
        },
        configured, commandLine);
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Language, NamesOfLocalesGiveTheLanguageTheWindowSpeaks) {
    EXPECT_EQ(languageCodeOf("de_DE.UTF-8"), "de");
    EXPECT_EQ(languageCodeOf("ja_JP.eucJP@x"), "ja");
    EXPECT_EQ(languageCodeOf("fr-CA"), "fr");
    EXPECT_EQ(languageCodeOf("DE"), "de");
    EXPECT_EQ(languageCodeOf("en_GB"), "en");
    EXPECT_EQ(languageCodeOf("C.UTF-8"), "en");
    EXPECT_EQ(languageCodeOf("POSIX"), "en");
    EXPECT_EQ(languageCodeOf("es_ES.UTF-8"), std::nullopt);
    EXPECT_EQ(languageCodeOf("deu"), std::nullopt);  // not a prefix match
    EXPECT_EQ(languageCodeOf(""), std::nullopt);
}

TEST(Language, TheEnvironmentIsAskedInDesktopOrderAndTheFirstSetOneDecides) {
    EXPECT_EQ(choose({}).code, "en");
    EXPECT_EQ(choose({{"LANG", "fr_FR.UTF-8"}}).code, "fr");
    EXPECT_EQ(choose({{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}).code, "ja");
    EXPECT_EQ(choose({{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LC_ALL", "de_DE.UTF-8"}}).code, "de");
    EXPECT_EQ(choose({{"LC_ALL", "de_DE.UTF-8"}, {"LANGUAGE", "fr"}}).code, "fr");
    // An empty variable counts as unset.
    EXPECT_EQ(choose({{"LANGUAGE", ""}, {"LANG", "de_DE.UTF-8"}}).code, "de");
    // LANGUAGE is a list by preference: the first language the window speaks is taken.
    EXPECT_EQ(choose({{"LANGUAGE", "es:pt_BR:ja:de"}}).code, "ja");
    // A locale the window does not speak is English, without a note: it was not asked for.
    const LanguageChoice spanish = choose({{"LANG", "es_ES.UTF-8"}, {"LC_ALL", ""}});
    EXPECT_EQ(spanish.code, "en");
    EXPECT_EQ(spanish.unknown, "");
    // The first set variable decides even when a later one names a spoken language.
    EXPECT_EQ(choose({{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}).code, "en");
}

TEST(Language, ConfigOverridesTheEnvironmentAndTheCommandLineOverridesBoth) {
    const Environment german{{"LANG", "de_DE.UTF-8"}};
    EXPECT_EQ(choose(german, "ja").code, "ja");
    EXPECT_EQ(choose(german, "ja", "fr").code, "fr");
    EXPECT_EQ(choose(german, std::nullopt, "en").code, "en");
    // Empty means unset at every level.
    EXPECT_EQ(choose(german, "", "").code, "de");

    // An unknown asked-for language is English, with the name to report; a known one below it
    // is not taken instead, since the racer asked for this one.
    const LanguageChoice unknown = choose(german, "fr", "klingon");
    EXPECT_EQ(unknown.code, "en");
    EXPECT_EQ(unknown.unknown, "klingon");
    EXPECT_EQ(choose(german, "xx").unknown, "xx");
    EXPECT_EQ(choose(german, "de").unknown, "");
}

TEST(Language, HelpLanguageWritesTheUsersConfigAndKeepsItsOtherLines) {
    TempFolder program;
    TempFolder home;
    const std::filesystem::path user = home.path() / "config" / "orvek-link";
    EXPECT_EQ(readConfiguredLanguage(program.path(), user), std::nullopt);

    // The installed config.ini speaks when the user's says nothing.
    std::ofstream(program.path() / "config.ini") << "[Language]\nname=fr\n";
    EXPECT_EQ(readConfiguredLanguage(program.path(), user), "fr");

    // The folder is made; the user's file then wins.
    ASSERT_TRUE(writeConfiguredLanguage("ja", user));
    EXPECT_EQ(readConfiguredLanguage(program.path(), user), "ja");

    std::ofstream(user / "config.ini") << "[TEXT INFO]\nsize=110\n[Language]\nname=ja\n";
    ASSERT_TRUE(writeConfiguredLanguage("de", user));
    const std::string text = readFile(user / "config.ini");
    EXPECT_NE(text.find("size=110"), std::string::npos) << text;
    EXPECT_NE(text.find("name=de"), std::string::npos) << text;
    EXPECT_EQ(text.find("name=ja"), std::string::npos) << text;
    EXPECT_EQ(readConfiguredLanguage(program.path(), user), "de");

    // No user folder (no HOME): nothing can be written.
    EXPECT_FALSE(writeConfiguredLanguage("de", std::nullopt));
}

TEST(Language, EnglishComesFirstAndEveryLanguageNamesItself) {
    ASSERT_EQ(windowLanguages().size(), 4U);
    EXPECT_STREQ(windowLanguages()[0].code, "en");
    for (const WindowLanguage& language : windowLanguages()) {
        EXPECT_EQ(languageCodeOf(language.code), language.code);
        EXPECT_STRNE(language.nativeName, "");
    }
}

}  // namespace
}  // namespace orvek
