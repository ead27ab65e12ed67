// The settings block codec under libFuzzer: lists filled for any type code and any version
// text, then any 23 bytes accepted as a settings read's answer, the write image built, a second
// block and the user's own list choices, and the image built again each time.
//
// Checked against the codec's rules written out again here, apart from the code: a block
// without its end marker changes nothing; each list selects what its byte stands for, or
// nothing; every pair carries its register code; carried bytes pass through as last read;
// every written value is one the parameter's options encode to, or the documented value of a
// list without a selection (0xFF, 70 for Full Brake, 0 for Reverse Speed, 0xFD for Neutral
// DeadBand, the previous image's value for Low Volt Cut); a selection written and read back
// selects the same option, a byte already in its encoded form is written back unchanged, and
// the "differs from the ESC" marks agree with the image.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/EscFamily.h"
#include "settings/OptionLists.h"
#include "settings/ParameterLists.h"
#include "settings/SettingsBlock.h"

namespace {

using namespace orvek;
using Block = std::array<std::uint8_t, kSettingsBlockSize>;

[[noreturn]] void fail(const std::string& what, int keyNumber = -1) {
    std::fprintf(
        stderr, "settings_block: %s%s%s\n", what.c_str(), keyNumber >= 0 ? ": " : "",
        keyNumber >= 0 ? parameterTable()[static_cast<std::size_t>(keyNumber)].keyName : "");
    std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool left(std::size_t n) const { return size_ - pos_ >= n; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    Block block() {
        Block b{};
        for (auto& v : b) v = byte();
        return b;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// What option `index` of the parameter is written as.
int encoded(int k, int index) {
    switch (k) {
        case key::LowVoltCut: {
            constexpr std::array<int, 4> kVolts = {0, 29, 30, 32};
            return kVolts[static_cast<std::size_t>(index)];
        }
        case key::FullBrake: return 75 + 5 * index;
        case key::ReverseSpeed: return (index + 1) * 25;
        case key::InitialBrake: return index == 0 ? 200 : index;
        case key::NeutralDeadBand: return 3 * index;
        default: return index;
    }
}

// The option a block byte selects, before the list's length is looked at.
int decoded(int k, std::uint8_t b) {
    switch (k) {
        case key::LowVoltCut: return b == 29 ? 1 : b == 30 ? 2 : b == 32 ? 3 : 0;
        case key::FullBrake: return (b - 75) / 5;
        case key::ReverseSpeed: return b / 25 - 1;
        case key::InitialBrake: return b == 200 ? 0 : b;
        case key::NeutralDeadBand: return b / 3;
        default: return b;
    }
}

int selectionFor(const ParameterLists& lists, int k, std::uint8_t b) {
    const int d = decoded(k, b);
    return d >= 0 && d < lists.byKey(k).count() ? d : OptionList::kNoSelection;
}

std::uint8_t noSelectionValue(int k, const WriteImage& previous, std::size_t position) {
    switch (k) {
        case key::LowVoltCut: return previous[position].value;
        case key::FullBrake: return 70;
        case key::ReverseSpeed: return 0;
        case key::NeutralDeadBand: return 0xFD;
        default: return 0xFF;
    }
}

std::array<int, kParameterCount> selections(const ParameterLists& lists) {
    std::array<int, kParameterCount> s{};
    for (int k = 0; k < kParameterCount; ++k)
        s[static_cast<std::size_t>(k)] = lists.byKey(k).selection();
    return s;
}

// Builds the image and checks every pair of it; returns it.
WriteImage buildAndCheck(ParameterLists& lists) {
    const WriteImage previous = lists.writeImage;
    const SettingsValues lastRead = lists.lastReadBlock;
    const auto before = selections(lists);
    const WriteImage image = BuildWriteImage(lists);
    if (selections(lists) != before) fail("building the image changed a selection");
    for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
        if (image[p].registerCode != kRegisterCodes[p])
            fail("register code of pair " + std::to_string(p));
        const int k = kBlockByteKeys[p];
        if (k == kCarriedByte) {
            if (image[p].value != lastRead[p])
                fail("carried byte " + std::to_string(p) + " not passed through");
            continue;
        }
        const int sel = lists.byKey(k).selection();
        const int count = lists.byKey(k).count();
        if (sel == OptionList::kNoSelection) {
            if (image[p].value != noSelectionValue(k, previous, p))
                fail("value of a list without a selection", k);
            continue;
        }
        if (sel < 0 || sel >= count) fail("selection outside the list", k);
        if (image[p].value != (encoded(k, sel) & 0xFF))
            fail("value that is not the selected option's", k);
        if (decoded(k, image[p].value) != sel) fail("value that reads back as another option", k);
    }
    for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
        if (lists.writeImage[p].registerCode != image[p].registerCode ||
            lists.writeImage[p].value != image[p].value) {
            fail("image not kept for the next one");
        }
    }
    // The marks of lists whose choice would change the ESC agree with what would be written.
    if (lists.escSettingsKnown) {
        const auto differs = SettingsDifferingFromEsc(lists);
        for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
            const int k = kBlockByteKeys[p];
            if (k == kCarriedByte) continue;
            const bool expected = lists.byKey(k).count() > 0 && image[p].value != lastRead[p];
            if (differs[static_cast<std::size_t>(k)] != expected) fail("differs-from-ESC mark", k);
        }
    }
    return image;
}

// Takes `block` as a settings read's answer and checks what it selected.
void acceptAndCheck(ParameterLists& lists, const Block& block) {
    const auto before = selections(lists);
    const SettingsValues lastRead = lists.lastReadBlock;
    const bool known = lists.escSettingsKnown;
    const bool accepted = acceptSettingsBlock(lists, block.data(), block.size());
    if (accepted != (block[kSettingsBlockSize - 1] == kSettingsBlockEndMarker))
        fail("end marker not judged");
    if (!accepted) {
        if (selections(lists) != before || lists.lastReadBlock != lastRead ||
            lists.escSettingsKnown != known) {
            fail("a refused block changed the lists");
        }
        return;
    }
    if (!lists.escSettingsKnown) fail("accepted block not known as the ESC's");
    for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
        if (lists.lastReadBlock[p] != block[p])
            fail("block byte " + std::to_string(p) + " not kept");
        const int k = kBlockByteKeys[p];
        if (k != kCarriedByte && lists.byKey(k).selection() != selectionFor(lists, k, block[p])) {
            fail("selection of block byte " + std::to_string(p), k);
        }
    }
}

// What was written, read back: the same selections, but for a Low Volt Cut list without one
// (its kept value selects an option).
void checkWrittenReadsBack(const ParameterLists& lists, const WriteImage& image) {
    for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
        const int k = kBlockByteKeys[p];
        if (k == kCarriedByte) continue;
        const int sel = lists.byKey(k).selection();
        if (k == key::LowVoltCut && sel == OptionList::kNoSelection) continue;
        if (selectionFor(lists, k, image[p].value) != sel)
            fail("image does not read back as the lists", k);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const EscFamily family = escFamilyFromTypeCode(in.byte());
    std::string version;
    for (std::size_t n = in.byte() % 16; n > 0 && in.left(1); --n)
        version += static_cast<char>(in.byte());

    ParameterLists lists;
    FillOptionLists(lists, family, version);
    const Block first = in.block();
    acceptAndCheck(lists, first);
    WriteImage image = buildAndCheck(lists);
    checkWrittenReadsBack(lists, image);
    if (lists.escSettingsKnown) {
        // A byte already in the form its option is written in goes back unchanged.
        for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
            const int k = kBlockByteKeys[p];
            if (k == kCarriedByte) continue;
            const int sel = lists.byKey(k).selection();
            if (sel >= 0 && (encoded(k, sel) & 0xFF) == first[p] && image[p].value != first[p]) {
                fail("a valid byte written back changed", k);
            }
        }
    }
    // The same lists give the same image again.
    const WriteImage again = buildAndCheck(lists);
    for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
        if (again[p].value != image[p].value) fail("image not the same when built again");
    }

    if (in.left(kSettingsBlockSize)) {
        acceptAndCheck(lists, in.block());
        image = buildAndCheck(lists);
        checkWrittenReadsBack(lists, image);
    }
    // The user's own choices, a list and a position each (0 for none, and past the end).
    while (in.left(2)) {
        const int k = in.byte() % kParameterCount;
        lists.byKey(k).setSelection(static_cast<int>(in.byte()) - 1);
    }
    image = buildAndCheck(lists);
    checkWrittenReadsBack(lists, image);
    recordWrittenSettings(lists, image);
    for (std::size_t p = 0; p < kSettingsValueCount; ++p) {
        if (lists.lastReadBlock[p] != image[p].value)
            fail("written image not recorded as the ESC's");
    }
    // Now nothing the lists show differs from what the ESC holds.
    if (anySettingDiffersFromEsc(lists)) fail("a list differs from the settings just written");
    return 0;
}
