// Files and folders the Windows way: names beyond ASCII through UTF-16, a settings file replaced
// in one step, folders refused, the known folders, COM port names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ProfileFile.h"
#include "platform/ReadableFile.h"
#include "platform/SerialPort.h"
#include "platform/UserFolders.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;

TEST(WindowsFiles, NamesBeyondAsciiAreWrittenReplacedAndReadBack) {
    TempFolder folder;
    const fs::path sheets = folder.path() / fs::u8path(u8"Drift Car \u00dc \u8bbe\u7f6e");
    fs::create_directories(sheets);
    const fs::path sheet = sheets / fs::u8path(u8"Fr\u00e4nk \u2603.ini");
    ASSERT_TRUE(writeProfileString(sheet, "option", "Drag Brake", "20%"));
    ASSERT_TRUE(writeProfileString(sheet, "option", "Boost Timing", "10 deg"));
    // The second write replaced the file in one step: one file, nothing left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(sheets), fs::directory_iterator()), 1);
    EXPECT_EQ(readBytes(sheet), "[option]\r\nDrag Brake=20%\r\nBoost Timing=10 deg\r\n");
    EXPECT_EQ(readProfileString(sheet, "OPTION", "drag brake", "", 40), "20%");

    ReadableFile file;
    EXPECT_EQ(file.open(sheet, 1024), FileCheck::Ok);
    EXPECT_EQ(file.size(), readBytes(sheet).size());
}

TEST(WindowsFiles, FoldersAndMissingFilesAreRefused) {
    TempFolder folder;
    ReadableFile file;
    EXPECT_EQ(file.open(folder.path(), 1024), FileCheck::NotAFile);
    EXPECT_EQ(file.open(folder / "none.cfg", 1024), FileCheck::Missing);
}

TEST(WindowsFiles, UserFoldersAreTheKnownFolders) {
    const char* local = std::getenv("LOCALAPPDATA");
    const char* roaming = std::getenv("APPDATA");
    ASSERT_NE(local, nullptr);
    ASSERT_NE(roaming, nullptr);
    EXPECT_EQ(userDataFolder(), fs::path(local) / "orvek-link");
    EXPECT_EQ(userConfigFolder(), fs::path(roaming) / "orvek-link");
}

TEST(WindowsSerialPort, PortsThatAreNotThereAreMissing) {
    SerialPort port;
    EXPECT_FALSE(port.open("COM250"));
    EXPECT_EQ(port.lastOpenFailure(), SerialPort::OpenFailure::Missing);
    EXPECT_FALSE(port.open("\\\\.\\COM251"));
    EXPECT_EQ(port.lastOpenFailure(), SerialPort::OpenFailure::Missing);
    EXPECT_FALSE(port.isOpen());
    std::size_t got = 0;
    std::uint8_t byte = 0;
    EXPECT_EQ(port.read(&byte, 1, 10, got), SerialPort::ReadResult::Failed);
}

// A path that names a file or a folder is refused before anything is written to it; Wine
// shares COM ports between programs and never denies one, so "in use" and "refused" are left to
// the error codes' mapping.
TEST(WindowsSerialPort, FilesAndFoldersAreNoPortsAndStayAsTheyWere) {
    TempFolder folder;
    const fs::path file = folder / "settings.cfg";
    testing::writeBytes(file, "[option]\r\n");
    SerialPort port;
    EXPECT_FALSE(port.open(file.u8string()));
    EXPECT_EQ(port.lastOpenFailure(), SerialPort::OpenFailure::NotATerminal);
    EXPECT_EQ(port.lastPathKind(), SerialPort::PathKind::RegularFile);
    EXPECT_EQ(readBytes(file), "[option]\r\n");

    EXPECT_FALSE(port.open(folder.path().u8string()));
    EXPECT_EQ(port.lastOpenFailure(), SerialPort::OpenFailure::NotATerminal);
    EXPECT_EQ(port.lastPathKind(), SerialPort::PathKind::Folder);
    EXPECT_EQ(notASerialPortText("C:\\x", port.lastPathKind()),
              "C:\\x is not a serial port (a folder)");
}

}  // namespace
}  // namespace orvek
