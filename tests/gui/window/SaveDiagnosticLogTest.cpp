// Help > Save Diagnostic Log... in the window offscreen against the simulator: a session with an
// identification, a settings write and a cable pulled during a second write, saved as the file a
// racer sends to support. The file is also left in the build's artefacts folder to be read.
#include <QtGlobal>

#include <algorithm>
#include <sstream>

#include "diag/DiagnosticLog.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "settings/ParamTable.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;
using testing::PresetFileDialogs;
using testing::WindowRig;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The entries after the header: each as its mark and what follows, without the times.
std::vector<std::string> entriesOf(const std::vector<std::string>& lines) {
    std::vector<std::string> entries;
    auto it = std::find(lines.begin(), lines.end(), "");
    if (it != lines.end()) ++it;
    for (; it != lines.end(); ++it) {
        const std::size_t ms = it->find(" ms  ");
        entries.push_back(ms == std::string::npos ? "(no time) " + *it : it->substr(ms + 5));
    }
    return entries;
}

// The first entry at or after `from` that begins with `prefix`; entries.size() when none.
std::size_t findFrom(const std::vector<std::string>& entries, std::size_t from,
                     const std::string& prefix) {
    for (std::size_t i = from; i < entries.size(); ++i) {
        if (entries[i].rfind(prefix, 0) == 0) return i;
    }
    return entries.size();
}

std::string home(const std::string& text) {
    const std::optional<fs::path> folder = userHomeFolder();
    return folder ? withHomeAsTilde(text, *folder) : text;
}

TEST(SaveDiagnosticLog, HoldsTheHeaderAndTheSessionsWritesAndThePulledCable) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    PresetFileDialogs logFiles;
    rig.options.logDialogs = &logFiles;
    CTarnwick11Dlg& w = rig.win();
    rig.tick();
    rig.choose(deviceCommand::Esc);
    rig.tick();
    ASSERT_EQ(w.status().escState, EscState::Identified);

    // A write that goes through, then one whose cable is pulled at its ninth pair.
    const OptionList& drag = w.settingsPage().lists().byKey(key::DragBrake);
    w.session().selectOption(key::DragBrake, drag.selection() == 0 ? 1 : 0);
    rig.settle();
    w.session().requestWrite();
    rig.tick();
    ASSERT_EQ(rig.sim.commits(), 1);
    sim::Faults cut;
    // The tick's probe, eight pairs, and the ninth pair's first byte.
    cut.dropAfterBytes = static_cast<long long>(rig.sim.received().size()) + 1 + 8 * 2 + 1;
    rig.sim.setFaults(cut);
    w.session().requestWrite();
    rig.tick();
    rig.tick();  // finds the line gone; the write still asked for meets no port
    ASSERT_EQ(rig.messages.texts(),
              (std::vector<std::string>{"Send fail", "USB Connection Error!"}));

    testing::TempFolder out;
    const fs::path file = out / "support.txt";
    logFiles.toSave.push_back(file);
    w.menuAction(menuCommand::SaveDiagnosticLog)->trigger();
    ASSERT_TRUE(fs::exists(file));
    const std::string text = testing::readBytes(file);
    std::error_code ignored;
    fs::create_directories(ORVEK_ARTIFACTS_DIR, ignored);
    testing::writeBytes(fs::path(ORVEK_ARTIFACTS_DIR) / "diagnostic-log-window.txt", text);

    const std::vector<std::string> lines = linesOf(text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "ORVEK Link diagnostic log");
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(std::string("program: orvek-link ") + ORVEK_VERSION));
    EXPECT_TRUE(has(std::string("qt: ") + qVersion()));
    EXPECT_TRUE(has(home("port: " + rig.sim.devicePath())));
    EXPECT_TRUE(has(home("history: " + (rig.program / "history.sqlite").string())));
    EXPECT_TRUE(has("history state: records are kept"));
    EXPECT_TRUE(has(home("program folder: " + rig.program.path().string())));
    EXPECT_TRUE(has("config [TEXT INFO] size: 90"));

    // The session's story, in the order it happened.
    const std::vector<std::string> entries = entriesOf(lines);
    std::size_t at = 0;
    const auto next = [&](const std::string& prefix) {
        at = findFrom(entries, at, prefix);
        EXPECT_LT(at, entries.size()) << "no \"" << prefix << "\" in order";
        return at < entries.size() ? entries[at++] : std::string();
    };
    next("-  port opened: " + home(rig.sim.devicePath()));
    next("*  lamps: USB on, ESC off, program card off");
    next("*  mode: Esc");
    next(">  D5  ESC probe");
    EXPECT_EQ(entries[at], "=  D5  ESC probe");
    EXPECT_EQ(entries[at + 1], "<  26  ESC probe");
    next(">  D7  info query");
    next("<  0B 40 00 03 00 02 00  info query");
    next("*  identified: ORVEK ARC, Expert V1.30 (info 0B 40 00 03 00 02 00)");
    next(">  D8  settings read");
    next("<  ");
    EXPECT_NE(entries[at - 1].find(" DD  settings read"), std::string::npos) << entries[at - 1];
    next("*  lamps: USB on, ESC on, program card off");
    next("*  settings write started");
    const std::size_t firstWrite = at;
    next(">  DF  settings commit");
    EXPECT_EQ(std::count_if(entries.begin() + firstWrite, entries.begin() + at,
                            [](const std::string& e) { return e.rfind(">  ", 0) == 0; }),
              22 + 1)
        << "22 pairs, then the commit";
    EXPECT_EQ(std::count(entries.begin() + firstWrite, entries.begin() + at, "<  01  pair write"),
              22);
    next("*  settings write ended");
    next("*  settings write started");
    const std::size_t secondWrite = at;
    next("!  box: Send fail");
    EXPECT_EQ(std::count(entries.begin() + secondWrite, entries.begin() + at, "<  01  pair write"),
              8)
        << "eight pairs acknowledged before the cable went";
    // The pair the cable took: its bytes unwritten, or its acknowledgement missing.
    const std::string& lost = entries[at - 2];
    EXPECT_TRUE(lost.find("(not written)  pair write") != std::string::npos ||
                lost.find("(no answer)  pair write") != std::string::npos)
        << lost;
    next("*  settings write ended");
    next("-  port closed: the line is gone");
    next("*  lamps: USB off, ESC off, program card off");
    next("!  box (stop icon): USB Connection Error!");
    EXPECT_EQ(w.callsOffThread(), 0);
}

TEST(SaveDiagnosticLog, ACancelWritesNothingAndAFailedWriteSaysWhere) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    PresetFileDialogs logFiles;
    rig.options.logDialogs = &logFiles;
    CTarnwick11Dlg& w = rig.win();
    rig.tick();
    w.menuAction(menuCommand::SaveDiagnosticLog)->trigger();  // the dialog cancelled
    EXPECT_TRUE(rig.messages.shown.empty());

    const fs::path missing = rig.program / "no-such-folder" / "log.txt";
    logFiles.toSave.push_back(missing);
    w.menuAction(menuCommand::SaveDiagnosticLog)->trigger();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(rig.messages.shown[0].text.rfind(
                  std::string(kDiagnosticLogWriteError) + "\n\n" + missing.string() + "\n", 0),
              0u)
        << rig.messages.shown[0].text;
    EXPECT_FALSE(fs::exists(missing));
}

}  // namespace
}  // namespace orvek
