// Every reader of the firmware page's files against what is not a file it can read: each
// refuses at once, with the reason, instead of blocking on a pipe, reading a device for ever or
// taking a huge file into memory.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "firmware/FirmwareCatalogue.h"
#include "firmware/ImageCheck.h"
#include "firmware/KfwImage.h"
#include "firmware/XupImage.h"
#include "support/RefusedFiles.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

using testing::endsWithin;
using testing::makeRefusedFile;
using testing::RefusedKind;

constexpr std::chrono::milliseconds kAtOnce{1000};

class FirmwareFileRefused : public ::testing::TestWithParam<RefusedKind> {
protected:
    // The image status a reader must give for this kind of file; `tooLarge` for one over the limit.
    ImageReadStatus expected(ImageReadStatus tooLarge) const {
        return GetParam() == RefusedKind::Oversized ? tooLarge : ImageReadStatus::NotAFile;
    }
    testing::TempFolder folder;
};

TEST_P(FirmwareFileRefused, KfwPassesAndCheckRefuseAtOnce) {
    const auto image = folder.path() / "Firmware" / "refused.kfw";
    ASSERT_TRUE(makeRefusedFile(GetParam(), image, kKfwFileBytesLimit));
    KfwImageSize size;
    bool opened = true;
    FileCheck why = FileCheck::Ok;
    ImageCheckReport report;
    ASSERT_TRUE(endsWithin(kAtOnce, [&] {
        size = measureKfwImage(image);
        KfwImageReader reader;
        opened = reader.open(image);
        why = reader.failure();
        report = checkKfwImage(image);
    }));
    const ImageReadStatus status = expected(ImageReadStatus::FileTooLarge);
    EXPECT_EQ(size.status, status);
    EXPECT_EQ(size.totalBytes, 0);
    EXPECT_FALSE(opened);
    EXPECT_EQ(imageReadStatusFor(why), status);
    EXPECT_EQ(report.status, status);
    EXPECT_FALSE(report.ok());
}

TEST_P(FirmwareFileRefused, XupDecodeAndCheckRefuseAtOnce) {
    const auto image = folder.path() / "Firmware" / "refused.xup";
    ASSERT_TRUE(makeRefusedFile(GetParam(), image, xupTextBytesLimit()));
    XupImageData data;
    ImageCheckReport report;
    ASSERT_TRUE(endsWithin(kAtOnce, [&] {
        data = readXupImage(image);
        report = checkXupImage(image);
    }));
    // A text longer than any image that fits is the image that does not fit.
    const ImageReadStatus status = expected(ImageReadStatus::TooLarge);
    EXPECT_EQ(data.status, status);
    EXPECT_TRUE(data.bytes.empty());
    EXPECT_EQ(report.status, status);
    EXPECT_FALSE(report.ok());
}

TEST_P(FirmwareFileRefused, InformationTextIsLeftOut) {
    ASSERT_TRUE(makeRefusedFile(GetParam(), firmwareInformationPath(folder.path()),
                                kFirmwareInformationBytesLimit));
    std::optional<std::string> text = std::string("not read");
    ASSERT_TRUE(endsWithin(kAtOnce, [&] { text = LoadFirmwareInformation(folder.path()); }));
    EXPECT_FALSE(text.has_value());
}

INSTANTIATE_TEST_SUITE_P(EachKind, FirmwareFileRefused,
                         ::testing::ValuesIn(testing::refusedKindsHere()),
                         testing::RefusedKindName());

TEST(FirmwareFileLimits, FilesAtTheLimitAreStillRead) {
    testing::TempFolder folder;
    // The longest text of an image that fits: 2 * 65536 + 1 characters, each one a CR LF.
    std::string xup;
    for (std::size_t i = 0; i < 2 * kXupImageCapacity + 1; ++i) xup += "\r\n";
    ASSERT_EQ(xup.size(), xupTextBytesLimit());
    const XupImageData data = readXupImage(folder.write("full.xup", xup));
    EXPECT_EQ(data.status, ImageReadStatus::Ok);
    EXPECT_EQ(data.bytes.size(), kXupImageCapacity);

    // A .kfw of exactly its limit is read through to its end.
    const KfwImageSize size =
        measureKfwImage(folder.write("full.kfw", std::string(kKfwFileBytesLimit, '\n')));
    EXPECT_EQ(size.status, ImageReadStatus::Ok);
    EXPECT_EQ(size.lineCount, kKfwFileBytesLimit);
}

}  // namespace
}  // namespace orvek
