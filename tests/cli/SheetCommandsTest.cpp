// sheet save, sheet list and card against the simulated ESC and real files: a saved sheet loads
// back as the reader reads it, refusals write nothing and exit with their codes, and the card's
// text can be read back from its PDF.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CliFixture.h"
#include "settings/OptionLists.h"
#include "settings/SetupSheets.h"

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

}  // namespace
}  // namespace orvek
