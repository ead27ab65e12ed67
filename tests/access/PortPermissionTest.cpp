// A port that is there but refuses this user: the link tells why it did not open, the monitor
// tells the window once when that begins and once when it ends, and orvek-cli names the fix.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/Process.h"
#include "link/UsbUart.h"
#include "monitor/MonitorRig.h"
#include "monitor/PortNote.h"
#include "platform/FileReplace.h"
#include "support/WithoutRoot.h"

namespace fs = std::filesystem;

namespace orvek::testing {
namespace {

// A fake sysfs tree in which ttyUSB0 belongs to the ORVEK adapter (USB 10c4:ea60).
fs::path adapterSysfs(const std::string& name) {
    const fs::path root = deniedPortFolders().scratch / name;
    const fs::path usb = root / "devices" / "usb1-1";
    const fs::path node = usb / "usb1-1:1.0" / "ttyUSB0";
    fs::create_directories(node / "tty" / "ttyUSB0");
    std::ofstream(usb / "idVendor") << "10c4\n";
    std::ofstream(usb / "idProduct") << "ea60\n";
    fs::create_directories(root / "class" / "tty" / "ttyUSB0");
    fs::create_directory_symlink(node, root / "class" / "tty" / "ttyUSB0" / "device");
    return root;
}

// A port path that the test can point at the refusing file first and at a real line later.
class SwitchablePort {
public:
    explicit SwitchablePort(const std::string& name) : path_(deniedPortFolders().scratch / name) {
        pointAt(deniedPortFolders().port());
    }
    ~SwitchablePort() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    void pointAt(const fs::path& target) {
        std::error_code ignored;
        fs::remove(path_, ignored);
        fs::create_symlink(target, path_);
    }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

TEST(PortPermission, TheLinkTellsARefusedPortFromAMissingOneAndForgetsItOnceOpen) {
    ASSERT_TRUE(portIsDenied()) << "the test needs a port this process may not open";
    UsbUart link;
    link.setPortOverride(deniedPortFolders().port().string());
    EXPECT_EQ(link.openPort(), 1);
    EXPECT_EQ(link.openFailure(), SerialPort::OpenFailure::NoPermission);
    EXPECT_EQ(link.triedPortPath(), deniedPortFolders().port().string());

    // Found by discovery: the adapter is present, its device node refuses.
    UsbUart discovered;
    discovered.setDiscovery(
        AdapterDiscovery(adapterSysfs("sysfs").string(), deniedPortFolders().devices.string()));
    EXPECT_EQ(discovered.openPort(), 1);
    EXPECT_EQ(discovered.openFailure(), SerialPort::OpenFailure::NoPermission);

    UsbUart missing;
    missing.setPortOverride((deniedPortFolders().scratch / "ttyUSB9").string());
    EXPECT_EQ(missing.openPort(), 1);
    EXPECT_EQ(missing.openFailure(), SerialPort::OpenFailure::Missing);

    sim::Simulator sim;
    ASSERT_TRUE(sim.start());
    SwitchablePort port("line");
    link.setPortOverride(port.path());
    EXPECT_EQ(link.openPort(), 1);
    EXPECT_EQ(link.openFailure(), SerialPort::OpenFailure::NoPermission);
    port.pointAt(sim.devicePath());
    EXPECT_EQ(link.openPort(), 0);
    EXPECT_EQ(link.openFailure(), SerialPort::OpenFailure::None);
    link.closePort();
    sim.stop();
}

TEST(PortPermission, TheWindowIsToldOnceWhenThePortRefusesAndOnceWhenItOpens) {
    ASSERT_TRUE(portIsDenied());
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    SwitchablePort port("monitored");
    rig.link.setPortOverride(port.path());
    rig.monitor.onDeviceEsc();
    for (int tick = 0; tick < 6; ++tick) rig.monitor.onPollTimer();
    EXPECT_EQ(rig.window.log.startingWith("portNote:"),
              std::vector<std::string>{std::string("portNote:") + portNoteText::AccessDenied});
    EXPECT_EQ(rig.link.usbState(), UsbState::NoPort);
    EXPECT_TRUE(rig.window.log.startingWith("message:").empty()) << "no message box for it";

    // The rule is installed and the adapter plugged in again: the port opens, the note goes.
    port.pointAt(rig.sim.devicePath());
    rig.window.log.clear();
    for (int tick = 0; tick < 3; ++tick) rig.monitor.onPollTimer();
    EXPECT_EQ(rig.window.log.startingWith("portNote:"), std::vector<std::string>{"portNote:"});
    EXPECT_EQ(rig.link.escState(), EscState::Identified);

    // A port that is simply missing is not a permission problem: nothing is said.
    rig.link.closePort();
    rig.link.setPortOverride((deniedPortFolders().scratch / "gone").string());
    rig.window.log.clear();
    for (int tick = 0; tick < 3; ++tick) rig.monitor.onPollTimer();
    EXPECT_TRUE(rig.window.log.startingWith("portNote:").empty());
}

TEST(PortPermission, APathThatIsNoSerialPortIsToldOnceWithItsKindAndOnceWhenItEnds) {
    MonitorRig rig;
    ASSERT_TRUE(rig.ok);
    const fs::path notes = deniedPortFolders().scratch / "notes.txt";
    std::ofstream(notes) << "x";
    SwitchablePort port("notes-port");
    port.pointAt(notes);
    rig.link.setPortOverride(port.path());
    rig.monitor.onDeviceEsc();
    for (int tick = 0; tick < 4; ++tick) rig.monitor.onPollTimer();
    port.pointAt(deniedPortFolders().scratch);
    for (int tick = 0; tick < 4; ++tick) rig.monitor.onPollTimer();
    port.pointAt(rig.sim.devicePath());
    for (int tick = 0; tick < 3; ++tick) rig.monitor.onPollTimer();
    const std::string advice =
        ". Name the adapter's port with --port, or leave it out to find the adapter.";
    EXPECT_EQ(
        rig.window.log.startingWith("portNote:"),
        (std::vector<std::string>{
            "portNote:" + port.path() + " is not a serial port (a regular file)" + advice,
            "portNote:" + port.path() + " is not a serial port (a folder)" + advice, "portNote:"}));
    EXPECT_EQ(rig.link.escState(), EscState::Identified);
}

TEST(PortPermission, TheCommandLineNamesTheFixOnceAndExitsWithThree) {
    ASSERT_TRUE(portIsDenied());
    const std::string port = deniedPortFolders().port().string();
    const std::string cli = (deniedPortFolders().programs / "orvek-cli").string();
    const RunResult r = run({cli, "--port", port, "read"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_EQ(r.err,
              "orvek-cli: no permission to open " + port +
                  ": install the udev rule 60-orvek-link.rules (the package puts it in "
                  "/usr/lib/udev/rules.d) and plug the adapter in again, or join the dialout group "
                  "(sudo adduser $USER dialout) and log in again\n");

    // A missing port keeps its own plain message.
    const RunResult missing =
        run({cli, "--port", (deniedPortFolders().scratch / "none").string(), "info"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.err.find("permission"), std::string::npos) << missing.err;

    // A file this user may not open is a file all the same, not a port without permission.
    if (fs::exists("/etc/shadow")) {
        const RunResult file = run({cli, "--port", "/etc/shadow", "info"});
        EXPECT_EQ(file.exitCode, 3);
        EXPECT_EQ(file.err, "orvek-cli: /etc/shadow is not a serial port (a regular file)\n");
    }
}

TEST(FileProtection, AFileThisUserMayNotWriteIsNeverReplaced) {
    ASSERT_NE(::geteuid(), 0u) << "root may write every file";
    const std::filesystem::path folder = deniedPortFolders().scratch / "protected";
    std::filesystem::create_directories(folder);
    const std::filesystem::path saved = folder / "race.cfg";
    std::ofstream(saved) << "[option]\nBoost RPM=5000\n";
    ASSERT_EQ(::chmod(saved.c_str(), 0444), 0);

    const std::string cli = (deniedPortFolders().programs / "orvek-cli").string();
    const RunResult r = run({cli, "--simulate", "read", "-o", saved.string()});
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_EQ(r.err, "orvek-cli: cannot write " + saved.string() + ": Permission denied\n");
    // The same writer serves the window's export, the backups and the simulator's state.
    EXPECT_EQ(replaceFile(saved, "[option]\n"), std::make_error_code(std::errc::permission_denied));

    std::ifstream in(saved);
    std::stringstream kept;
    kept << in.rdbuf();
    EXPECT_EQ(kept.str(), "[option]\nBoost RPM=5000\n");
    struct stat info {};
    ASSERT_EQ(::stat(saved.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file left";
}

TEST(FileProtection, TheSimulatorSaysWhenItCouldNotKeepTheSettings) {
    const fs::path folder = deniedPortFolders().scratch / "state";
    fs::create_directories(folder);
    const std::string state = (folder / "esc.state").string();
    const std::string programs = deniedPortFolders().programs.string();
    std::ofstream(folder / "race.cfg") << "[option]\nReverse Speed=50%\n";
    SimProcess sim({programs + "/orvek-sim", "--state", state});
    ASSERT_FALSE(sim.path().empty());
    // The folder closes after the start: the save at the commit cannot be made.
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const RunResult written = run(
        {programs + "/orvek-cli", "--port", sim.path(), "write", (folder / "race.cfg").string()});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(sim.stop(), 1) << "a save that failed is a failure";
    ::chmod(folder.c_str(), 0755);
    EXPECT_FALSE(fs::exists(state));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace orvek::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return orvek::testing::RunTestsWithoutRoot({}, {ORVEK_CLI_PATH, ORVEK_SIM_PATH});
}
