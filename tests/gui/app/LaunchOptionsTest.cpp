// orvek-link's command line: each option in both of its forms, and the one line that stops the
// program for a command line it cannot follow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>

#include <fstream>

#include "config/Language.h"
#include "gui/app/LaunchOptions.h"
#include "gui/desktop/Translation.h"
#include "gui/window/WindowResources.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::TempFolder;

LaunchParse parse(const std::vector<std::string>& arguments) {
    return parseLaunchOptions(arguments);
}

TEST(LaunchOptions, EveryOptionTakesItsValueAfterASpaceOrAnEqualsSign) {
    TempFolder folder;
    const std::string data = folder.path().string();
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--port", "/dev/ttyUSB1", "--device", "card", "--data-dir", data, "--lang", "de"},
             {"--port=/dev/ttyUSB1", "--device=card", "--data-dir=" + data, "--lang=de"}}) {
        const LaunchParse parsed = parse(arguments);
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.options.port, "/dev/ttyUSB1");
        EXPECT_EQ(parsed.options.deviceCommand, deviceCommand::ProgramCard);
        EXPECT_EQ(parsed.options.dataDir, data);
        EXPECT_EQ(parsed.options.language, "de");
        EXPECT_FALSE(parsed.options.simulate);
        EXPECT_FALSE(parsed.options.showHelp || parsed.options.showVersion);
    }
    // A language the window does not speak is no error: it speaks English and says so.
    EXPECT_EQ(parse({"--lang", "xx"}).error, "");
    EXPECT_EQ(parse({"--lang", "xx"}).options.language, "xx");
    EXPECT_FALSE(parse({}).options.language.has_value());
    EXPECT_NE(parse({"--lang"}).error, "");
    // Only the first '=' ends the name.
    EXPECT_EQ(parse({"--port=/tmp/a=b"}).options.port, "/tmp/a=b");

    // Each device starts as its Device menu command.
    EXPECT_EQ(parse({"--device", "esc"}).options.deviceCommand, deviceCommand::Esc);
    EXPECT_EQ(parse({"--device", "fix"}).options.deviceCommand, deviceCommand::FixMode);
    EXPECT_FALSE(parse({}).options.deviceCommand);

    EXPECT_TRUE(parse({"--help"}).options.showHelp);
    EXPECT_TRUE(parse({"-h"}).options.showHelp);
    EXPECT_TRUE(parse({"--version"}).options.showVersion);
}

TEST(LaunchOptions, SimulateTakesItsKindOnlyAfterAnEqualsSign) {
    const LaunchParse plain = parse({"--simulate"});
    EXPECT_EQ(plain.error, "");
    EXPECT_TRUE(plain.options.simulate);
    EXPECT_EQ(plain.options.simulateKind, "expert");
    for (const char* kind : {"expert", "stock", "blinky", "card", "bootloader"}) {
        const LaunchParse chosen = parse({std::string("--simulate=") + kind});
        EXPECT_EQ(chosen.error, "");
        EXPECT_EQ(chosen.options.simulateKind, kind);
    }
    // A word after a space is an argument of its own, not the simulated device.
    EXPECT_EQ(parse({"--simulate", "card"}).error, "unknown option 'card'");
}

TEST(LaunchOptions, ACommandLineItCannotFollowGetsOneLineSayingWhy) {
    TempFolder folder;
    const std::string file = folder.write("config.ini", "[TEXT INFO]\r\n").string();
    const std::string missing = (folder / "nowhere").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--port"}, "--port needs a value"},
        {{"--port="}, "--port needs a value"},
        {{"--data-dir", ""}, "--data-dir needs a value"},
        {{"--device"}, "--device needs a value"},
        {{"--device", "bootloader"}, "unknown device 'bootloader' (esc, card or fix)"},
        {{"--simulate=ship"},
         "unknown simulated device 'ship' (expert, stock, blinky, card or bootloader)"},
        {{"--colour=red"}, "unknown option '--colour=red'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--simulate", "--port", "/dev/ttyUSB0"}, "--simulate and --port exclude each other"},
        {{"--data-dir", file}, "--data-dir " + file + " is not a folder"},
        {{"--data-dir=" + missing}, "--data-dir " + missing + " does not exist"},
        // The first fault is the one told.
        {{"--bogus", "--device", "x"}, "unknown option '--bogus'"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(arguments.front());
        EXPECT_EQ(parse(arguments).error, error);
    }
}

TEST(LaunchOptions, TheUsageNamesEveryOptionTheParserTakes) {
    const std::string usage = LaunchUsage();
    for (const char* option :
         {"--port", "--simulate", "--device", "--data-dir", "--version", "--help", "esc, card, fix",
          "expert (default), stock, blinky, card or bootloader"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(LaunchOptions, TheLanguageComesFromLangThenConfigThenTheEnvironmentAndAnUnknownOneIsSaid) {
    TempFolder program;
    TempFolder user;
    const auto german = [](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "LANG") return std::string("de_DE.UTF-8");
        return std::nullopt;
    };
    const auto install = [&](const std::vector<std::string>& arguments) {
        return installLaunchLanguage(parse(arguments).options, program.path(), user.path(), german);
    };
    EXPECT_EQ(install({}), "");
    EXPECT_EQ(windowLanguage(), "de");
    EXPECT_EQ(QCoreApplication::translate("menuText", "&File"), QStringLiteral("&Datei"));

    // The installed config.ini, then the user's, over the environment.
    std::ofstream(program.path() / "config.ini") << "[Language]\nname=fr\n";
    EXPECT_EQ(install({}), "");
    EXPECT_EQ(windowLanguage(), "fr");
    ASSERT_TRUE(writeConfiguredLanguage("ja", user.path()));
    EXPECT_EQ(install({}), "");
    EXPECT_EQ(windowLanguage(), "ja");

    // --lang over both.
    EXPECT_EQ(install({"--lang", "en"}), "");
    EXPECT_EQ(windowLanguage(), "en");
    EXPECT_EQ(QCoreApplication::translate("menuText", "&File"), QStringLiteral("&File"));

    // A language the window does not speak: English, and a line that names it.
    const std::string note = install({"--lang=tlh"});
    EXPECT_NE(note.find("'tlh'"), std::string::npos) << note;
    EXPECT_EQ(windowLanguage(), "en");
}

}  // namespace
}  // namespace orvek
