// What a profile reader refuses: a pipe, a device, a folder or a file over the size bound, each
// at once and without taking the file into memory; and what it still reads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>

#include "platform/ProfileFile.h"
#include "support/RefusedFiles.h"
#include "support/TempFolder.h"

// The largest single allocation made while `watching` is set, so that a test can tell that a
// refusal took no memory of the file's size. The replacements pair malloc with free, which the
// compiler cannot see through once it inlines them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
namespace {
std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};
}  // namespace

void* operator new(std::size_t size) {
    if (watching.load(std::memory_order_relaxed)) {
        std::size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {}
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) std::abort();  // a test out of memory has nothing left to report
    return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace orvek {
namespace {

using testing::endsWithin;
using testing::makeRefusedFile;
using testing::readBytes;
using testing::RefusedKind;
using testing::TempFolder;
using testing::writeBytes;

class ProfileFileRefused : public ::testing::TestWithParam<RefusedKind> {};

TEST_P(ProfileFileRefused, AtOnceWithItsReasonAndNothingWrittenOverIt) {
    TempFolder folder;
    const auto file = folder / "Profile" / "Fun Car" / "sheet.ini";
    ASSERT_TRUE(makeRefusedFile(GetParam(), file, kProfileFileBytesLimit));
    const ProfileFileStatus expected = GetParam() == RefusedKind::Oversized
                                           ? ProfileFileStatus::TooLarge
                                           : ProfileFileStatus::NotAFile;

    ProfileFileStatus status = ProfileFileStatus::Loaded;
    std::string value;
    bool written = true;
    ASSERT_TRUE(endsWithin(std::chrono::milliseconds(1000), [&] {
        status = loadProfileFile(file).status;
        value = readProfileString(file, "option", "Boost RPM", "default", 20);
        written = writeProfileString(file, "option", "Boost RPM", "5000");
    }));
    EXPECT_EQ(status, expected);
    EXPECT_EQ(value, "default");
    EXPECT_FALSE(written) << "a file that cannot be read is not replaced";
    if (GetParam() == RefusedKind::Oversized) {
        EXPECT_EQ(std::filesystem::file_size(file), kProfileFileBytesLimit + 1);
    } else {
        EXPECT_FALSE(std::filesystem::is_regular_file(file));
    }
}

INSTANTIATE_TEST_SUITE_P(EachKind, ProfileFileRefused,
                         ::testing::ValuesIn(testing::refusedKindsHere()),
                         testing::RefusedKindName());

TEST(ProfileFileLimits, AFileOverTheBoundIsRefusedWithoutAnyLargeAllocation) {
    TempFolder folder;
    const auto file = folder / "blank.ini";
    writeBytes(file, std::string(8 * 1024 * 1024, '\n'));
    largest = 0;
    watching = true;
    const LoadedProfile loaded = loadProfileFile(file);
    watching = false;
    EXPECT_EQ(loaded.status, ProfileFileStatus::TooLarge);
    EXPECT_LT(largest.load(), 64u * 1024)
        << "the refusal allocated " << largest.load() << " bytes at once";
}

TEST(ProfileFileLimits, AFileAtTheBoundLoadsAndEditsLikeAnyOther) {
    TempFolder folder;
    const auto file = folder / "long.ini";
    // Blank lines up to the bound, with the one section at their end.
    const std::string tail = "[option]\r\nBoost RPM=5000\r\n";
    const std::string blank(kProfileFileBytesLimit - tail.size(), '\n');
    writeBytes(file, blank + tail);
    LoadedProfile loaded = loadProfileFile(file);
    ASSERT_EQ(loaded.status, ProfileFileStatus::Loaded);
    EXPECT_EQ(loaded.document.lineCount(), blank.size() + 2);
    EXPECT_EQ(loaded.document.value("OPTION", "boost rpm"), "5000");
    ASSERT_TRUE(loaded.document.setValue("option", "Boost RPM", "6000"));
    ASSERT_TRUE(loaded.document.setValue("option", "Turbo Delay", "0.1s"));
    // The file's first line end (LF) is the one new lines get; the changed line keeps its own.
    EXPECT_EQ(loaded.document.toBytes(),
              blank + "[option]\r\nBoost RPM=6000\r\nTurbo Delay=0.1s\n");
}

}  // namespace
}  // namespace orvek
