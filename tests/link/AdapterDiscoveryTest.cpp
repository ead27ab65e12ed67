// Adapter discovery on fake sysfs trees built on disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link/AdapterDiscovery.h"

namespace fs = std::filesystem;

namespace orvek {
namespace {

class FakeSysfs : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("orvek-sysfs-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "class" / "tty");
    }
    void TearDown() override { fs::remove_all(root); }

    static void writeFile(const fs::path& p, const std::string& text) {
        std::ofstream(p) << text << "\n";
    }

    // A USB device at `busPath` with one interface carrying tty `name`.
    void addUsbTty(const std::string& name, const std::string& busPath, const std::string& vendor,
                   const std::string& product, const std::string& serial = "") {
        const fs::path usb = root / "devices" / "pci0000:00" / busPath;
        const fs::path node = usb / (busPath + ":1.0") / name;
        fs::create_directories(node / "tty" / name);
        writeFile(usb / "idVendor", vendor);
        writeFile(usb / "idProduct", product);
        if (!serial.empty()) writeFile(usb / "serial", serial);
        fs::create_directories(root / "class" / "tty" / name);
        fs::create_directory_symlink(node, root / "class" / "tty" / name / "device");
    }
    void addVirtualTty(const std::string& name) {
        fs::create_directories(root / "class" / "tty" / name);
    }

    fs::path root;
};

TEST_F(FakeSysfs, FirstAdapterInNameOrderWins) {
    addUsbTty("ttyUSB1", "usb1-2", "10c4", "ea60", "0002");
    addUsbTty("ttyUSB0", "usb1-1", "10c4", "ea60", "0001");
    addVirtualTty("tty0");
    AdapterDiscovery d(root.string(), "/dev");
    EXPECT_EQ(d.findAdapterPort(), "/dev/ttyUSB0");
    const auto all = d.listUsbSerialPorts();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].serial, "0001");
    EXPECT_EQ(all[1].serial, "0002");
}

TEST_F(FakeSysfs, OtherVendorsAreIgnoredAndCaseDoesNotMatter) {
    addUsbTty("ttyUSB0", "usb1-1", "0403", "6001");  // another bridge
    addUsbTty("ttyUSB1", "usb1-3", "10c4", "ea61");  // same vendor, other product
    addUsbTty("ttyUSB3", "usb1-4", "10C4", "EA60");
    AdapterDiscovery d(root.string(), "/dev");
    EXPECT_EQ(d.findAdapterPort(), "/dev/ttyUSB3");
    EXPECT_EQ(d.listUsbSerialPorts().size(), 3u);
}

TEST_F(FakeSysfs, NoAdapterGivesNoPort) {
    addVirtualTty("tty0");
    addVirtualTty("ttyS0");
    addUsbTty("ttyACM0", "usb2-1", "2341", "0043");
    AdapterDiscovery d(root.string(), "/dev");
    EXPECT_EQ(d.findAdapterPort(), "");
    AdapterDiscovery missing((root / "absent").string(), "/dev");
    EXPECT_EQ(missing.findAdapterPort(), "");
    EXPECT_TRUE(missing.listUsbSerialPorts().empty());
}

TEST_F(FakeSysfs, OverrideAndEnvironmentBypassDiscovery) {
    addUsbTty("ttyUSB0", "usb1-1", "10c4", "ea60");
    AdapterDiscovery d(root.string(), "/dev");
    ::unsetenv(kPortEnvVar);
    EXPECT_EQ(resolvePortPath("", d), "/dev/ttyUSB0");
    ::setenv(kPortEnvVar, "/tmp/sim-port", 1);
    EXPECT_EQ(resolvePortPath("", d), "/tmp/sim-port");
    EXPECT_EQ(resolvePortPath("/dev/ttyS4", d), "/dev/ttyS4");
    ::unsetenv(kPortEnvVar);
}

}  // namespace
}  // namespace orvek
