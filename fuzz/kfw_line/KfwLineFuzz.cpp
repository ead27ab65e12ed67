// Feeds arbitrary bytes as a .kfw image: every line through the reader, the frame builder and
// the checker, whose counts must agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/ImageCheck.h"
#include "firmware/KfwImage.h"
#include "firmware/TextLineReader.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvek;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The whole input as one line.
    const std::vector<std::uint8_t> whole = kfwRecordFrame(text);
    require(whole.size() == (size + 1) / 2);
    require(whole.empty() || whole[0] == 0x3A);

    if (size == 0) return 0;
    std::string copy(text);
    std::FILE* stream = fmemopen(copy.data(), copy.size(), "rb");
    if (!stream) return 0;
    TextLineReader lines(stream);
    KfwImageChecker checker;
    std::string line;
    std::vector<std::uint8_t> frame;
    std::int64_t frameBytes = 0;
    std::size_t textBytes = 0;
    std::size_t lineCount = 0;
    while (lines.next(line) == TextLineReader::Result::Line) {
        ++lineCount;
        require(line.find('\n') == std::string::npos);
        textBytes += line.size();
        kfwRecordFrame(line, frame);
        frameBytes += static_cast<std::int64_t>(frame.size());
        checker.addLine(line);
    }
    require(lineCount == lines.lineNumber());
    require(textBytes <= size);
    const ImageCheckReport report = checker.finish();
    require(report.frameBytes == frameBytes);
    require(report.recordCount <= lineCount);
    require(report.problems.size() <= report.problemCount);
    require(report.problems.size() <= ImageCheckReport::kProblemsKept);
    require(report.dataBytes >= 0 && report.dataBytes <= frameBytes);
    require(report.lowestAddress.has_value() == report.highestAddress.has_value());
    if (report.lowestAddress) require(*report.lowestAddress <= *report.highestAddress);
    for (const ImageProblem& problem : report.problems)
        require(problem.line <= lineCount && !problem.what.empty());
    return 0;
}
