#pragma once
// Checks of firmware images for the command-line tool and for refusing damaged images before
// an update: Intel HEX records of a .kfw image, block layout of a .xup image. The update itself
// never applies these checks; the device judges what it receives.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/FirmwareCatalogue.h"
#include "firmware/ImageStatus.h"

namespace orvek {

class XupDecoder;

struct ImageProblem {
    std::size_t line = 0;  // 1-based line of the file; 0 for the image as a whole
    std::string what;
};

struct ImageCheckReport {
    ImageReadStatus status = ImageReadStatus::Ok;
    std::size_t recordCount = 0;  // .kfw: lines that read as records; .xup: whole blocks
    std::int64_t dataBytes = 0;   // .kfw: data bytes of data records; .xup: block payload bytes
    std::int64_t frameBytes = 0;  // bytes the update sends: .kfw frame bytes, .xup decoded bytes
    // .kfw only: lowest and highest data address, extended linear / segment addresses applied.
    std::optional<std::uint64_t> lowestAddress;
    std::optional<std::uint64_t> highestAddress;
    std::uint32_t crc32 = 0;             // CRC-32 of the frame bytes, in sending order
    std::vector<ImageProblem> problems;  // the first kProblemsKept, in file order
    std::size_t problemCount = 0;        // all problems found, also those not kept

    static constexpr std::size_t kProblemsKept = 200;
    bool ok() const { return status == ImageReadStatus::Ok && problemCount == 0; }
};

// Checks .kfw lines fed one at a time, in file order, with their line ends removed.
class KfwImageChecker {
public:
    void addLine(std::string_view line);
    // The report of every line added; the checker should not be used afterwards.
    ImageCheckReport finish();

private:
    void problem(std::string what);
    void checkRecord(const std::vector<std::uint8_t>& bytes);
    void noteData(std::uint64_t address, std::size_t length);
    // Names every data record that writes over addresses an earlier record already wrote.
    void findOverlaps();

    struct DataSpan {
        std::uint64_t first;
        std::uint64_t last;
        std::size_t line;
    };
    std::vector<DataSpan> spans_;

    ImageCheckReport report_;
    std::vector<std::uint8_t> frame_;
    std::vector<std::uint8_t> record_;
    std::size_t line_ = 0;
    std::uint64_t base_ = 0;
    bool endSeen_ = false;
};

ImageCheckReport checkKfwImage(const std::filesystem::path& path);

// The report of an image decoded (or refused) with `status`.
ImageCheckReport checkXupDecoded(const XupDecoder& decoder, ImageReadStatus status);
ImageCheckReport checkXupImage(const std::filesystem::path& path);

// The check of the image kind a target takes: .kfw records for the ESC, .xup blocks for the card.
ImageCheckReport checkFirmwareImage(const std::filesystem::path& path, FirmwareTarget target);

// "line 12: checksum 3F is wrong: ...", or the description alone for the image as a whole.
std::string imageProblemText(const ImageProblem& problem);

// "1 problem", "3 problems"; `adjective` goes between ("2 more problems").
std::string problemCountText(std::size_t count, const std::string& adjective = "");

}  // namespace orvek
