// Setup sheets saved by a racer who may not write everywhere: a read-only Profile folder gives
// the system's reason and no partial file, and a read-only installed data folder is never needed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "settings/SetupSheetWriter.h"
#include "support/WithoutRoot.h"

namespace orvek::testing {
namespace {

namespace fs = std::filesystem;

SetupSheetContent someContent() {
    SetupSheetContent content;
    content.options[3] = "40%";
    content.info[0] = "K. Hale";
    content.memo = "wet heat";
    return content;
}

TEST(SheetPermission, AReadOnlyProfileFolderGivesTheReasonAndNoPartialFile) {
    const fs::path user = deniedPortFolders().scratch / "sheet-user";
    const fs::path folder = user / "Profile" / "Drift Car";
    fs::create_directories(folder);
    ::chmod(folder.c_str(), 0555);
    const SheetSaveResult result =
        saveSetupSheet(user, "Drift Car", "Heat 2", someContent(), false);
    EXPECT_EQ(result.status, SheetSaveStatus::WriteFailed);
    EXPECT_EQ(result.error, std::errc::permission_denied) << result.error.message();
    EXPECT_EQ(result.file, folder / "Heat 2.ini");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 0)
        << "no sheet and no temporary file";
    ::chmod(folder.c_str(), 0755);
}

TEST(SheetPermission, AReadOnlyInstalledFolderIsNeverNeeded) {
    const fs::path program = deniedPortFolders().scratch / "sheet-program";
    const fs::path installed = program / "Profile" / "Drift Car" / "Team.ini";
    fs::create_directories(installed.parent_path());
    std::ofstream(installed, std::ios::binary) << "[option]\r\nDrag Brake=5%\r\n";
    ::chmod(installed.c_str(), 0444);
    ::chmod(installed.parent_path().c_str(), 0555);
    ::chmod((program / "Profile").c_str(), 0555);
    const fs::path user = deniedPortFolders().scratch / "sheet-user-2";

    const SheetSaveResult saved = saveSetupSheet(user, "Drift Car", "Team", someContent(), false);
    ASSERT_EQ(saved.status, SheetSaveStatus::Saved) << saved.error.message();
    EXPECT_EQ(saved.file, user / "Profile" / "Drift Car" / "Team.ini");
    const auto listed = ListSetupSheets(program, "Drift Car", user);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].file, saved.file)
        << "the racer's copy is listed in the installed one's place";
    std::ifstream in(installed, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[option]\r\nDrag Brake=5%\r\n");
    ::chmod((program / "Profile").c_str(), 0755);
    ::chmod(installed.parent_path().c_str(), 0755);
}

}  // namespace
}  // namespace orvek::testing
