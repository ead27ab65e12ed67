// Feeds arbitrary bytes as .xup text: decoded whole and in pieces (both must agree), with the
// card's capacity and with a small one taken from the input so that the size limit is reached
// cheaply; split into blocks (which must never reach past the image) and checked.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/ImageCheck.h"
#include "firmware/XupImage.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// Characters the decoder sees: CR LF counts as one.
std::size_t textCharacters(std::string_view text) {
    std::size_t count = text.size();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n') --count;
    }
    return count;
}

void checkBlocks(const std::vector<std::uint8_t>& image) {
    const orvek::XupBlockLayout layout = orvek::splitXupBlocks(image);
    std::size_t covered = 0;
    for (const orvek::XupBlock& block : layout.blocks) {
        require(block.offset == covered);
        covered += block.frameLength();
        require(covered <= image.size());
    }
    if (layout.overrun) {
        require(layout.overrun->block.offset == covered);
        require(layout.overrun->remaining == image.size() - covered);
        require(!layout.overrun->lengthComplete ||
                layout.overrun->block.frameLength() > layout.overrun->remaining);
    } else {
        require(covered == image.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvek;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t decodedSize = textCharacters(text) / 2;

    const XupImageData whole = decodeXupText(text);
    require(whole.status == ImageReadStatus::Ok);  // inputs are far below the card's capacity
    require(whole.bytes.size() == decodedSize);
    checkBlocks(whole.bytes);

    // The same text in pieces whose sizes come from the input, against a small capacity.
    const std::size_t capacity = size > 0 ? data[0] % 64 : 0;
    XupDecoder pieces(capacity);
    std::size_t offset = 0;
    std::size_t step = size > 0 ? (data[size - 1] % 7) + 1 : 1;
    while (offset < text.size()) {
        const std::size_t length = std::min(step, text.size() - offset);
        pieces.feed(text.substr(offset, length));
        offset += length;
        step = step * 3 % 11 + 1;
    }
    pieces.finish();
    require(pieces.tooLarge() == (decodedSize > capacity));
    require(pieces.image().size() <= capacity);
    if (!pieces.tooLarge()) require(pieces.image() == whole.bytes);
    require(pieces.invalidCharacters().size() <= pieces.invalidCharacterCount());

    const ImageCheckReport report = checkXupDecoded(
        pieces, pieces.tooLarge() ? ImageReadStatus::TooLarge : ImageReadStatus::Ok);
    require(report.problems.size() <= report.problemCount);
    if (pieces.tooLarge()) {
        require(!report.ok());
    } else {
        require(report.frameBytes == static_cast<std::int64_t>(whole.bytes.size()));
        require(report.dataBytes + 2 * static_cast<std::int64_t>(report.recordCount) <=
                report.frameBytes);
    }
    return 0;
}
