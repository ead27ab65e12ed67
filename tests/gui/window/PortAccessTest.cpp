// The main window when the adapter's port refuses this user: a short note in the left column
// under the page buttons while the refusal lasts, drawn in the window's orange, no message box.
#include <QImage>
#include <QPixmap>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gui/window/WindowResources.h"
#include "monitor/PortNote.h"
#include "support/WindowRig.h"
#include "support/WithoutRoot.h"

namespace orvek::testing {
namespace {

// Pixels of the window's orange text colour RGB(247,148,29) drawn inside the note's place.
int orangePixels(CTarnwick11Dlg& window) {
    QLabel& note = window.portAccessNote();
    const QImage drawn = note.parentWidget()->grab(note.geometry()).toImage();
    int count = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 110 && c.green() < 180 && c.blue() < 90) ++count;
        }
    }
    return count;
}

TEST(PortAccessNote, ShownUnderThePageButtonsWhileThePortRefusesAndGoneOnceItOpens) {
    ASSERT_TRUE(portIsDenied()) << "the test needs a port this process may not open";
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    const std::filesystem::path port = deniedPortFolders().scratch / "window-port";
    std::filesystem::create_symlink(deniedPortFolders().port(), port);
    rig.options.port = port.string();
    CTarnwick11Dlg& window = rig.win();
    window.show();
    QLabel& note = window.portAccessNote();
    EXPECT_FALSE(note.isVisible());
    EXPECT_EQ(orangePixels(window), 0);

    for (int tick = 0; tick < 4; ++tick) rig.tick();
    ASSERT_TRUE(note.isVisible());
    EXPECT_EQ(note.text().toStdString(), portNoteText::AccessDenied);
    EXPECT_GT(orangePixels(window), 100) << "the note is drawn, in orange";
    EXPECT_TRUE(rig.messages.shown.empty()) << "no message box";
    // Between the FIRMWARE button and the separator under it, at most 200 pixels wide, with
    // room for every wrapped line.
    const QRect place = note.geometry();
    EXPECT_GE(place.top(), 174);
    EXPECT_LE(place.bottom(), 279);
    EXPECT_LE(place.width(), 200);
    EXPECT_LE(note.heightForWidth(place.width()), place.height());
    EXPECT_TRUE(showsPicture(window.lamp(windowControl::UsbLamp), SkinId::LampOff));
    window.grab().save(QStringLiteral(ORVEK_ARTIFACTS_DIR "/window-port-refused.png"));

    std::filesystem::remove(port);
    std::filesystem::create_symlink(rig.sim.devicePath(), port);
    rig.tick();
    rig.tick();
    EXPECT_FALSE(note.isVisible());
    EXPECT_EQ(orangePixels(window), 0);
    EXPECT_TRUE(showsPicture(window.lamp(windowControl::UsbLamp), SkinId::LampOn));
    std::filesystem::remove(port);
}

TEST(PortAccessNote, NamesAPathThatIsNoSerialPortAndLeavesItAsItWas) {
    WindowRig rig;
    ASSERT_TRUE(rig.ok);
    const std::filesystem::path scratch = deniedPortFolders().scratch / "not-a-port";
    std::filesystem::create_directories(scratch / "folder");
    const std::filesystem::path notes = scratch / "notes.txt";
    std::ofstream(notes) << "my notes\n";
    ASSERT_EQ(::mkfifo((scratch / "fifo").c_str(), 0600), 0);
    const std::filesystem::path port = scratch / "port";
    std::filesystem::create_symlink(notes, port);
    rig.options.port = port.string();
    CTarnwick11Dlg& window = rig.win();
    window.show();
    QLabel& note = window.portAccessNote();

    const struct {
        std::filesystem::path target;
        const char* kind;
    } kinds[] = {{notes, "a regular file"},
                 {scratch / "folder", "a folder"},
                 {scratch / "fifo", "a pipe"},
                 {"/dev/null", "a device that is not a terminal"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        std::filesystem::remove(port);
        std::filesystem::create_symlink(k.target, port);
        rig.tick();
        rig.tick();
        ASSERT_TRUE(note.isVisible());
        EXPECT_EQ(note.text().toStdString(),
                  port.string() + " is not a serial port (" + k.kind +
                      "). Name the adapter's port with --port, or leave it out to find the "
                      "adapter.");
        EXPECT_TRUE(showsPicture(window.lamp(windowControl::UsbLamp), SkinId::LampOff));
    }
    EXPECT_TRUE(rig.messages.shown.empty()) << "no message box";
    std::ifstream in(notes);
    std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "my notes\n");

    std::filesystem::remove(port);
    std::filesystem::create_symlink(rig.sim.devicePath(), port);
    rig.tick();
    rig.tick();
    EXPECT_FALSE(note.isVisible());
    EXPECT_TRUE(showsPicture(window.lamp(windowControl::UsbLamp), SkinId::LampOn));
}

}  // namespace
}  // namespace orvek::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return orvek::testing::RunTestsWithoutRoot(ORVEK_ARTIFACTS_DIR);
}
