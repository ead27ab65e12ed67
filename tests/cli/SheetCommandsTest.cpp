// sheet save, sheet list and card against the simulated ESC and real files: a saved sheet loads
// back as the reader reads it, refusals write nothing and exit with their codes, and the card's
// text can be read back from its PDF.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CliFixture.h"
#include "platform/ProfileFile.h"
#include "settings/OptionLists.h"
#include "settings/SetupSheets.h"
#include "support/RefusedFiles.h"

namespace orvek {
namespace {

// Each test keeps the racer's data folder in its own folder.
class SheetCommands : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        if (const char* before = std::getenv("XDG_DATA_HOME")) dataHomeBefore_ = before;
        ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    }
    void TearDown() override {
        ::setenv("XDG_DATA_HOME", dataHomeBefore_.c_str(), 1);
        Cli::TearDown();
    }
    fs::path sheet(const std::string& category, const std::string& name) const {
        return dir / "data" / "orvek-link" / "Profile" / category / (name + ".ini");
    }
    static std::string pdfText(const std::string& pdf) {
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(
            ::popen(("pdftotext -layout '" + pdf + "' -").c_str(), "r"), ::pclose);
        std::string text;
        char buffer[4096];
        for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
            text.append(buffer, n);
        return text;
    }

    // The text as one run of characters: the card wraps long values onto lines of its own.
    static std::string withoutBlanks(const std::string& text) {
        std::string packed;
        for (char c : text)
            if (c != ' ' && c != '\n' && c != '\f') packed += c;
        return packed;
    }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> all;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) all.push_back(line);
        return all;
    }

private:
    std::string dataHomeBefore_;
};

TEST_F(SheetCommands, TheEscsSettingsSavedAsASheetLoadBackAndAreReplacedOnlyWithForce) {
    auto r = testing::run({kCli, "--simulate", "sheet", "save", "Drift Car", "Heat 2", "--info",
                           "driver=K. Hale", "--memo", "less punch"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const fs::path saved = sheet("Drift Car", "Heat 2");
    ASSERT_TRUE(fs::exists(saved));

    ParameterLists lists;
    FillOptionLists(lists, EscFamily::Expert, "1.30");
    const SetupSheetNotes notes = LoadSetupSheet(lists, saved);
    EXPECT_EQ(notes.info[0], "K. Hale");
    EXPECT_EQ(notes.info[3], "Expert V1.30") << "the ESC's firmware text";
    EXPECT_EQ(notes.memo, "less punch");
    int selected = 0;
    for (int k = 0; k < kParameterCount; ++k) selected += lists.byKey(k).selection() >= 0;
    EXPECT_EQ(selected, kParameterCount) << "every list found its text";

    const std::string before = [&] {
        std::ifstream in(saved, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    r = testing::run({kCli, "--simulate", "sheet", "save", "Drift Car", "heat 2", "--memo", "x"});
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
    std::ifstream again(saved, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), before);
    r = testing::run(
        {kCli, "--simulate", "sheet", "save", "Drift Car", "Heat 2", "--memo", "x", "--force"});
    EXPECT_EQ(r.exitCode, 0) << r.err;

    r = testing::run({kCli, "--json", "sheet", "list", "Drift Car"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"title\":\"Heat 2\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"own\":true"), std::string::npos) << r.out;
}

TEST_F(SheetCommands, RefusalsExitWithTheirCodesAndWriteNothing) {
    const std::string empty = file("empty.cfg");
    std::ofstream(empty).close();
    const struct {
        std::vector<std::string> args;
        int exit;
    } cases[] = {
        {{kCli, "sheet", "save", "Drift Car", "../x", "--from", empty}, 2},
        {{kCli, "sheet", "save", "Drift Car", ".hidden", "--from", empty}, 2},
        {{kCli, "sheet", "save", "Options", "x", "--from", empty}, 2},
        {{kCli, "sheet", "save", "Drift Car", "x", "--info", "Colour=red", "--from", empty}, 2},
        {{kCli, "sheet", "save", "Drift Car", "x", "--memo", "two\nlines", "--simulate"}, 2},
        {{kCli, "sheet", "save", "Drift Car", "x", "--from", empty}, 6},
        {{kCli, "sheet", "list", "Nowhere"}, 2},
#ifdef ORVEK_CLI_HAS_CARD
        {{kCli, "card", file("card.pdf"), "--from", empty}, 6},
#else
        {{kCli, "card", file("card.pdf"), "--from", empty}, 1},  // no cards in this build
#endif
    };
    for (const auto& c : cases) {
        const auto r = testing::run(c.args);
        EXPECT_EQ(r.exitCode, c.exit) << c.args[3] << " " << r.err;
        EXPECT_EQ(r.err.rfind("orvek-cli: ", 0), 0u) << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "data" / "orvek-link" / "Profile"));
    EXPECT_FALSE(fs::exists(file("card.pdf")));
}

TEST_F(SheetCommands, TheCardHoldsTheEscsValuesAndAPngIsAFullPage) {
#ifndef ORVEK_CLI_HAS_CARD
    GTEST_SKIP() << "this build of orvek-cli draws no cards (no Qt)";
#endif
    auto r = testing::run({kCli, "--simulate", "card", file("race")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = pdfText(file("race.pdf"));
    for (const char* expected : {"ORVEK ARC", "Expert V1.30", "Drag Brake", "Turbo Delay"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;

    const std::string cfg = file("set.cfg");
    std::ofstream(cfg) << "[option]\r\nDrag Brake=35%\r\nRotation Mode=Reverse\r\n";
    r = testing::run({kCli, "card", file("set.png"), "--from", cfg});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The PNG's width, from its header: an A4 page at 150 dpi.
    std::ifstream png(file("set.png"), std::ios::binary);
    unsigned char header[24] = {};
    png.read(reinterpret_cast<char*>(header), sizeof header);
    const unsigned width = (header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19];
    EXPECT_GE(width, 1240u);
}

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST_F(SheetCommands, AnEmptyFromOrANameWindowsCannotKeepIsRefusedWithItsReason) {
    const struct {
        std::vector<std::string> args;
        int exit;
        std::string line;
    } cases[] = {
        {{"sheet", "save", "Fun Car", "E1", "--from", ""},
         2,
         "--from needs a file name (a .cfg or .ini file)"},
        {{"card", file("c.pdf"), "--from", ""},
         2,
         "--from needs a file name (a .cfg or .ini file)"},
        {{"sheet", "save", "Fun Car", "a:b*c?\"<>|"},
         2,
         "a sheet name may not hold any of : * ? \" < > | / \\ (Windows file names cannot)"},
        {{"sheet", "save", "Fun Car", "CON"},
         2,
         "a sheet name may not be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with or "
         "without an extension (Windows keeps these names for devices)"},
        {{"sheet", "save", "Fun Car", "name."},
         2,
         "a sheet name may not end in a dot or a space (Windows drops them from file names)"},
        {{"sheet", "save", "Fun Car", "  "}, 2, "a sheet name may not be only spaces"},
        {{"sheet", "save", "Fun Car", "Caf\xE9"},
         2,
         "a sheet name must be UTF-8 text; this one holds bytes that are not"},
        {{"sheet", "save", "Fun Car", ".x"}, 2, "a sheet name may not start with a dot"},
        {{"sheet", "save", "Fun Car", "x", "--memo", "a\nb"},
         2,
         "the memo holds a line break; a sheet keeps one line"},
        {{"sheet", "save", "Fun Car", "x", "--memo", std::string(260, 'm')},
         2,
         "the memo is 260 bytes long; a sheet keeps at most 259 (a plain letter takes 1 byte, "
         "an accented one 2, a Japanese character 3)"},
        {{"sheet", "save", "Fun Car", "x", "--memo", repeated("\xC3\xA4", 130)},
         2,
         "the memo is 260 bytes long; a sheet keeps at most 259 (a plain letter takes 1 byte, "
         "an accented one 2, a Japanese character 3)"},
    };
    for (const auto& c : cases) {
#ifndef ORVEK_CLI_HAS_CARD
        if (c.args[0] == "card") continue;  // a build without cards says only that
#endif
        std::vector<std::string> args{kCli, "--simulate"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = testing::run(args);
        EXPECT_EQ(r.exitCode, c.exit) << c.line;
        EXPECT_EQ(r.err, "orvek-cli: " + c.line + "\n");
        EXPECT_EQ(r.out, "") << "nothing saved or printed";
    }
    EXPECT_FALSE(fs::exists(dir / "data" / "orvek-link" / "Profile"));
    EXPECT_FALSE(fs::exists(file("c.pdf")));

    // The limit holds exactly: 259 bytes are kept whole.
    const std::string longest = repeated("\xC3\xA4", 129) + "m";
    const auto kept =
        testing::run({kCli, "--simulate", "sheet", "save", "Fun Car", "M", "--memo", longest});
    ASSERT_EQ(kept.exitCode, 0) << kept.err;
    std::ifstream in(sheet("Fun Car", "M"), std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(text.find("memo=" + longest + "\r\n"), std::string::npos) << text;

    // A name given with its extension names the sheet without it.
    const auto saved =
        testing::run({kCli, "--json", "--simulate", "sheet", "save", "Fun Car", "E1.ini"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_TRUE(fs::exists(sheet("Fun Car", "E1")));
    EXPECT_FALSE(fs::exists(sheet("Fun Car", "E1.ini")));
    EXPECT_NE(saved.out.find("\"name\":\"E1\""), std::string::npos) << saved.out;
}

TEST_F(SheetCommands, AFromFileThatCannotBeReadSaysWhyAsWriteDoes) {
    const std::string missing = file("missing.cfg");
    const std::string notAFile = ": not a regular file (a folder, pipe or device)";
    struct Case {
        std::string file;
        std::string line;
    };
    std::vector<Case> cases = {{missing, "no such settings file: " + missing}};
    for (const testing::RefusedKind kind :
         {testing::RefusedKind::Pipe, testing::RefusedKind::Folder,
          testing::RefusedKind::Oversized}) {
        const fs::path path = dir / "in" / (testing::refusedKindName(kind) + std::string(".cfg"));
        ASSERT_TRUE(testing::makeRefusedFile(kind, path, kProfileFileBytesLimit));
        cases.push_back(
            {path.string(), "cannot read settings file " + path.string() +
                                (kind == testing::RefusedKind::Oversized
                                     ? ": larger than 1 MiB, more than any settings file or setup "
                                       "sheet"
                                     : notAFile)});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto write = testing::run({kCli, "--simulate", "write", c.file}, {}, 5000);
        EXPECT_EQ(write.err, "orvek-cli: " + c.line + "\n") << "the line write gives";
        const auto save =
            testing::run({kCli, "sheet", "save", "Fun Car", "E1", "--from", c.file}, {}, 5000);
        EXPECT_EQ(save.exitCode, 6);
        EXPECT_EQ(save.err, write.err);
#ifdef ORVEK_CLI_HAS_CARD
        const auto card = testing::run({kCli, "card", file("c.pdf"), "--from", c.file}, {}, 5000);
        EXPECT_EQ(card.exitCode, 6);
        EXPECT_EQ(card.err, write.err);
#endif
    }
    EXPECT_FALSE(fs::exists(dir / "data" / "orvek-link" / "Profile"));
    EXPECT_FALSE(fs::exists(file("c.pdf")));
}

TEST_F(SheetCommands, ListingNoSheetsSaysWhereItLooked) {
    // A portable copy whose program data is a config.ini alone: no installed sheets.
    fs::create_directories(dir / "portable");
    fs::copy_file(kCli, dir / "portable" / "orvek-cli");
    std::ofstream(dir / "portable" / "config.ini") << "[TEXT INFO]\nsize=90\n";
    const std::string cli = (dir / "portable" / "orvek-cli").string();
    const std::string program = (dir / "portable").string();
    const std::string user = (dir / "data" / "orvek-link").string();
    fs::create_directories(dir / "data" / "orvek-link" / "Profile" / "Drift Car");

    auto r = testing::run({cli, "sheet", "list"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "no setup sheets in " + program + "/Profile or " + user + "/Profile\n");
    r = testing::run({cli, "sheet", "list", "Drift Car"});
    EXPECT_EQ(r.out, "no Drift Car setup sheets in " + program + "/Profile/Drift Car or " + user +
                         "/Profile/Drift Car\n");
    r = testing::run({cli, "--json", "sheet", "list"});
    EXPECT_EQ(r.out, "[]\n");

    // Where the settings history is kept is shown with the other folders.
    r = testing::run({cli, "folders"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lines(r.out).back(),
              "history       " + user + "/history.sqlite  (the settings history)");
}

TEST_F(SheetCommands, ABlinkySheetWrittenBackIntoTheSameBlinkySaysNothingOfItsEmptySettings) {
    auto r = testing::run({kCli, "--simulate=blinky", "sheet", "save", "Fun Car", "Zeta"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = testing::run({kCli, "--simulate=blinky", "write", sheet("Fun Car", "Zeta").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;

    // An empty value of a setting the Blinky has is still said.
    std::ofstream(file("blank.cfg")) << "[option]\r\nDrag Brake=\r\n";
    r = testing::run({kCli, "--simulate=blinky", "write", "--dry-run", file("blank.cfg")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("warning: Drag Brake: empty in the file; keeps "), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("warning: Boost Timing: empty"), std::string::npos) << r.err;
}

class SheetCard : public SheetCommands {
protected:
    void SetUp() override {
        SheetCommands::SetUp();
#ifndef ORVEK_CLI_HAS_CARD
        GTEST_SKIP() << "this build of orvek-cli draws no cards (no Qt)";
#endif
    }
};

TEST_F(SheetCard, AFileIsJudgedAsWriteJudgesItAndWhatMatchesNothingIsNotPrinted) {
    const std::string weird = file("weird.cfg");
    std::ofstream(weird) << "[option]\r\nDrag Brake=999%\r\nPower Profile=Level 99\r\n"
                            "Rotation Mode=reverse\r\n";
    const auto r = testing::run({kCli, "card", file("w.pdf"), "--from", weird});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> expected;
    for (const EscParameter& p : parameterTable()) {
        const std::string name = p.keyName;
        if (name == "Drag Brake" || name == "Power Profile") {
            expected.push_back("warning: " + name + ": \"" +
                               (name == "Drag Brake" ? "999%" : "Level 99") +
                               "\" matches no option on an Expert 1.30 ESC; left blank on the "
                               "card");
        } else if (name != "Rotation Mode") {
            expected.push_back("warning: " + name + ": not in the file; left blank on the card");
        }
    }
    EXPECT_EQ(lines(r.err), expected);
    const std::string text = pdfText(file("w.pdf"));
    EXPECT_EQ(text.find("999"), std::string::npos) << text;
    EXPECT_EQ(text.find("Level 99"), std::string::npos) << text;
    EXPECT_NE(text.find("Reverse"), std::string::npos) << "the option's own text";

    // Write words the same settings the same way, for the ESC it asks.
    const auto write = testing::run({kCli, "--simulate", "write", "--dry-run", weird});
    EXPECT_NE(write.err.find("warning: Drag Brake: \"999%\" matches no option on this ESC (ORVEK "
                             "ARC, Expert 1.30); keeps "),
              std::string::npos)
        << write.err;

    // A file in which nothing matches is refused as write refuses it.
    std::ofstream(file("other.ini")) << "[settings]\r\nDrag Brake=5%\r\n";
    const auto refusedWrite = testing::run({kCli, "--simulate", "write", file("other.ini")});
    const auto refusedCard =
        testing::run({kCli, "card", file("o.pdf"), "--from", file("other.ini")});
    EXPECT_EQ(refusedCard.exitCode, 6);
    EXPECT_EQ(refusedCard.err, "orvek-cli: " + file("other.ini") +
                                   " holds no settings (no [option] keys matched)\n");
    EXPECT_EQ(refusedCard.err, refusedWrite.err);
    EXPECT_FALSE(fs::exists(file("o.pdf")));
}

TEST_F(SheetCard, OnlyAPdfOrAPngIsWrittenAndMinusIsRefused) {
    for (const char* name : {"x.jpg", "x.SVG", "x.txt", "x."}) {
        const auto r = testing::run({kCli, "--simulate", "card", file(name)});
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.err, "orvek-cli: cannot write a setup card as " + file(name) +
                             ": a card is a .pdf or a .png file\n");
        EXPECT_FALSE(fs::exists(file(name)));
    }
    const auto minus = testing::run({kCli, "--simulate", "card", "-"});
    EXPECT_EQ(minus.exitCode, 2);
    EXPECT_EQ(minus.err,
              "orvek-cli: a setup card is a PDF or PNG picture, not text for standard output: give "
              "the card a file name instead of -\n");
    EXPECT_EQ(minus.out, "");
    EXPECT_FALSE(fs::exists("-.pdf"));
    for (const char* name : {"Card.PDF", "card.PnG"}) {
        const auto r = testing::run({kCli, "--simulate", "card", file(name)});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(fs::exists(file(name))) << name;
    }
}

TEST_F(SheetCard, ASheetsCardNamesItsCategoryAndNameAndQtKeepsQuiet) {
    auto r = testing::run({kCli, "--simulate", "sheet", "save", "Drift Car", "Heat 2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // As from cron or ssh: no XDG_RUNTIME_DIR, for which Qt has words of its own.
    std::string runtimeBefore;
    if (const char* before = std::getenv("XDG_RUNTIME_DIR")) runtimeBefore = before;
    ::unsetenv("XDG_RUNTIME_DIR");
    r = testing::run({kCli, "card", file("heat.pdf"), "--from", sheet("Drift Car", "Heat 2")});
    const auto verbose = testing::run(
        {kCli, "-v", "card", file("heat.pdf"), "--from", sheet("Drift Car", "Heat 2")});
    if (!runtimeBefore.empty()) ::setenv("XDG_RUNTIME_DIR", runtimeBefore.c_str(), 1);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "") << "neither Qt's words nor warnings for the program's own sheet";
    EXPECT_EQ(r.out, "setup card written: " + file("heat.pdf") + "\n");
    EXPECT_NE(verbose.err.find("XDG_RUNTIME_DIR"), std::string::npos)
        << "-v shows them: " << verbose.err;
    EXPECT_NE(pdfText(file("heat.pdf")).find("Setup sheet: Drift Car / Heat 2"), std::string::npos);
}

}  // namespace
}  // namespace orvek
