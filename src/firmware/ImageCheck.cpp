#include "firmware/ImageCheck.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "firmware/Crc32.h"
#include "firmware/HexDigits.h"
#include "firmware/KfwImage.h"
#include "firmware/TextLineReader.h"
#include "firmware/XupImage.h"

namespace orvek {

namespace {

enum RecordType : std::uint8_t {
    kData = 0x00,
    kEndOfFile = 0x01,
    kExtendedSegmentAddress = 0x02,
    kStartSegmentAddress = 0x03,
    kExtendedLinearAddress = 0x04,
    kStartLinearAddress = 0x05,
};

// Byte count, two address bytes and record type before the data, checksum after it.
constexpr std::size_t kRecordOverhead = 5;

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

// A character as a reader can see it: 'x' when printable, else its code.
std::string describeCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\n') return "a line break";
    if (byte >= 0x20 && byte < 0x7F) return format("'%c'", c);
    return format("byte 0x%02X", byte);
}

void addProblem(ImageCheckReport& report, std::size_t line, std::string what) {
    ++report.problemCount;
    if (report.problems.size() < ImageCheckReport::kProblemsKept)
        report.problems.push_back({line, std::move(what)});
}

}  // namespace

void KfwImageChecker::problem(std::string what) { addProblem(report_, line_, std::move(what)); }

void KfwImageChecker::addLine(std::string_view line) {
    ++line_;
    kfwRecordFrame(line, frame_);
    report_.frameBytes += static_cast<std::int64_t>(frame_.size());
    report_.crc32 = crc32Update(report_.crc32, frame_.data(), frame_.size());

    if (line.empty()) {
        problem("empty line: sent as an empty frame");
        return;
    }
    if (line[0] != ':') {
        problem(format("not a record: starts with %s instead of ':'",
                       describeCharacter(line[0]).c_str()));
        return;
    }
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (!isUpperHexDigit(line[i])) {
            problem(format("%s at column %zu is not an upper-case hexadecimal digit",
                           describeCharacter(line[i]).c_str(), i + 1));
            return;
        }
    }
    const std::size_t digits = line.size() - 1;
    if (digits % 2 != 0) {
        problem(format("odd number of hexadecimal digits (%zu): the last one is not sent", digits));
        return;
    }
    if (digits / 2 < kRecordOverhead) {
        problem(format("too short for a record: %zu bytes", digits / 2));
        return;
    }
    record_.assign(frame_.begin() + 1, frame_.end());
    checkRecord(record_);
}

void KfwImageChecker::checkRecord(const std::vector<std::uint8_t>& bytes) {
    ++report_.recordCount;
    const std::size_t dataLength = bytes.size() - kRecordOverhead;
    const std::uint8_t byteCount = bytes[0];
    const std::uint32_t address = (static_cast<std::uint32_t>(bytes[1]) << 8) | bytes[2];
    const std::uint8_t type = bytes[3];
    const std::uint8_t* data = bytes.data() + 4;

    if (byteCount != dataLength) {
        problem(format("byte count %u does not match the %zu data bytes of the record", byteCount,
                       dataLength));
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
    const auto expected = static_cast<std::uint8_t>(0x100u - (sum & 0xFFu));
    if (bytes.back() != expected) {
        problem(
            format("checksum %02X is wrong: the record's bytes need %02X", bytes.back(), expected));
    }
    if (endSeen_) problem("record after the end-of-file record");

    auto needData = [&](std::size_t length, const char* what) {
        if (dataLength == length) return true;
        problem(format("%s record with %zu data bytes instead of %zu", what, dataLength, length));
        return false;
    };
    switch (type) {
        case kData:
            report_.dataBytes += static_cast<std::int64_t>(dataLength);
            noteData(base_ + address, dataLength);
            break;
        case kEndOfFile:
            needData(0, "end-of-file");
            endSeen_ = true;
            break;
        case kExtendedSegmentAddress:
            if (needData(2, "extended segment address"))
                base_ = ((static_cast<std::uint64_t>(data[0]) << 8) | data[1]) << 4;
            break;
        case kExtendedLinearAddress:
            if (needData(2, "extended linear address"))
                base_ = ((static_cast<std::uint64_t>(data[0]) << 8) | data[1]) << 16;
            break;
        case kStartSegmentAddress: needData(4, "start segment address"); break;
        case kStartLinearAddress: needData(4, "start linear address"); break;
        default: problem(format("unknown record type %02X", type)); break;
    }
}

void KfwImageChecker::noteData(std::uint64_t address, std::size_t length) {
    if (length == 0) return;
    const std::uint64_t last = address + length - 1;
    if (!report_.lowestAddress || address < *report_.lowestAddress) report_.lowestAddress = address;
    if (!report_.highestAddress || last > *report_.highestAddress) report_.highestAddress = last;
    spans_.push_back({address, last, line_});
}

void KfwImageChecker::findOverlaps() {
    // In address order, each span is compared with the one reaching furthest before it; the
    // later of the two in the file is the one named.
    std::stable_sort(spans_.begin(), spans_.end(),
                     [](const DataSpan& a, const DataSpan& b) { return a.first < b.first; });
    std::vector<std::pair<std::size_t, std::string>> found;
    const DataSpan* reach = nullptr;
    for (const DataSpan& span : spans_) {
        if (reach != nullptr && span.first <= reach->last) {
            const DataSpan& later = span.line > reach->line ? span : *reach;
            const DataSpan& earlier = span.line > reach->line ? *reach : span;
            found.emplace_back(
                later.line, format("data at 0x%08llX to 0x%08llX overlaps the record on line %zu",
                                   static_cast<unsigned long long>(later.first),
                                   static_cast<unsigned long long>(later.last), earlier.line));
        }
        if (reach == nullptr || span.last > reach->last) reach = &span;
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [line, what] : found) addProblem(report_, line, std::move(what));
    spans_.clear();
}

ImageCheckReport KfwImageChecker::finish() {
    findOverlaps();
    line_ = 0;
    if (report_.recordCount == 0) {
        problem("the image holds no records");
    } else if (!endSeen_) {
        problem("no end-of-file record");
    }
    return std::move(report_);
}

ImageCheckReport checkKfwImage(const std::filesystem::path& path) {
    TextLineReader lines;
    if (!lines.open(path, kKfwFileBytesLimit)) {
        ImageCheckReport report;
        report.status = imageReadStatusFor(lines.failure());
        return report;
    }
    KfwImageChecker checker;
    std::string line;
    TextLineReader::Result result;
    while ((result = lines.next(line)) == TextLineReader::Result::Line) checker.addLine(line);
    ImageCheckReport report = checker.finish();
    if (result == TextLineReader::Result::Error)
        report.status = imageReadStatusFor(lines.failure());
    return report;
}

ImageCheckReport checkXupDecoded(const XupDecoder& decoder, ImageReadStatus status) {
    ImageCheckReport report;
    report.status = status;
    if (status != ImageReadStatus::Ok && status != ImageReadStatus::TooLarge) return report;
    if (status == ImageReadStatus::TooLarge) {
        addProblem(report, 0,
                   format("the image decodes to more than %zu bytes", decoder.capacity()));
        return report;
    }
    for (const XupTextPosition& position : decoder.invalidCharacters()) {
        addProblem(report, position.line,
                   format("%s at column %zu is not an upper-case hexadecimal digit",
                          describeCharacter(position.character).c_str(), position.column));
    }
    const std::size_t unlisted =
        decoder.invalidCharacterCount() - decoder.invalidCharacters().size();
    if (unlisted > 0)
        addProblem(report, 0,
                   format("%zu more characters that are not hexadecimal digits", unlisted));
    // One line end after the digits is harmless; any other lone last character is a lost digit.
    if (const auto& dropped = decoder.droppedCharacter();
        dropped && dropped->character != '\n' && dropped->character != '\r') {
        addProblem(report, dropped->line,
                   format("odd number of digits: the last one, %s at column %zu, is ignored",
                          describeCharacter(dropped->character).c_str(), dropped->column));
    }

    const std::vector<std::uint8_t>& image = decoder.image();
    report.frameBytes = static_cast<std::int64_t>(image.size());
    report.crc32 = crc32Update(0, image.data(), image.size());
    const XupBlockLayout layout = splitXupBlocks(image);
    report.recordCount = layout.blocks.size();
    for (const XupBlock& block : layout.blocks)
        report.dataBytes += static_cast<std::int64_t>(block.payloadLength);
    if (layout.overrun) {
        const XupBlockAt& overrun = *layout.overrun;
        if (!overrun.lengthComplete) {
            addProblem(report, 0,
                       format("the block at offset %zu has only one of its two length bytes",
                              overrun.block.offset));
        } else {
            addProblem(
                report, 0,
                format("the block at offset %zu needs %zu bytes but only %zu remain",
                       overrun.block.offset, overrun.block.frameLength(), overrun.remaining));
        }
    }
    if (image.empty()) addProblem(report, 0, "the image holds no blocks");
    return report;
}

ImageCheckReport checkXupImage(const std::filesystem::path& path) {
    XupDecoder decoder;
    const ImageReadStatus status = decodeXupFile(path, decoder);
    return checkXupDecoded(decoder, status);
}

ImageCheckReport checkFirmwareImage(const std::filesystem::path& path, FirmwareTarget target) {
    return target == FirmwareTarget::Esc ? checkKfwImage(path) : checkXupImage(path);
}

std::string problemCountText(std::size_t count, const std::string& adjective) {
    return std::to_string(count) + " " + adjective + (count == 1 ? "problem" : "problems");
}

std::string imageProblemText(const ImageProblem& problem) {
    if (problem.line == 0) return problem.what;
    return "line " + std::to_string(problem.line) + ": " + problem.what;
}

}  // namespace orvek
