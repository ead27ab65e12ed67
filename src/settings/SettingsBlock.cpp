#include "settings/SettingsBlock.h"

#include <algorithm>

namespace orvek {
namespace {

constexpr std::size_t kLowVoltCutByte = 3;

// The value the pair at `position` carries for the lists as they are now.
std::uint8_t WriteValue(const ParameterLists& lists, std::size_t position) {
    const int k = kBlockByteKeys[position];
    if (k == kCarriedByte) {
        return lists.lastReadBlock[position];
    }
    const int index = lists.byKey(k).selection();
    if (position == kLowVoltCutByte && (index < 0 || index > 3)) {
        return lists.writeImage[position].value;
    }
    // No selection (-1) falls out of the same formulas: 0xFF, 70, 0, 0xFD.
    return static_cast<std::uint8_t>(storedValue(k, index) & 0xFF);
}

}  // namespace

bool isSettingsBlock(const std::uint8_t* data, std::size_t length) {
    return data != nullptr && length == kSettingsBlockSize &&
           data[kSettingsBlockSize - 1] == kSettingsBlockEndMarker;
}

int decodeBlockByte(int keyNumber, std::uint8_t value) {
    const int b = value;
    switch (keyNumber) {
        case key::LowVoltCut:
            switch (b) {
                case 29: return 1;
                case 30: return 2;
                case 32: return 3;
                default: return 0;  // off, also for values the list does not offer
            }
        case key::FullBrake:
            return (b - 75) / 5;  // truncates toward zero: 71..74 still read as 75%
        case key::ReverseSpeed: return b / 25 - 1;
        case key::InitialBrake: return b == 200 ? 0 : b;
        case key::NeutralDeadBand: return b / 3;
        default: return b;
    }
}

bool ApplySettingsBlock(ParameterLists& lists, const std::uint8_t* block, std::size_t length) {
    if (block == nullptr || length < kSettingsValueCount) {
        return false;
    }
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        const int k = kBlockByteKeys[position];
        if (k != kCarriedByte) {
            lists.byKey(k).setSelection(decodeBlockByte(k, block[position]));
        }
    }
    lists.redrawAll();
    return true;
}

bool acceptSettingsBlock(ParameterLists& lists, const std::uint8_t* block, std::size_t length) {
    if (!isSettingsBlock(block, length) || !ApplySettingsBlock(lists, block, length)) {
        return false;
    }
    std::copy(block, block + kSettingsValueCount, lists.lastReadBlock.begin());
    lists.escSettingsKnown = true;
    lists.origin = {ValuesSource::Device, {}, false};
    lists.escSettingsChanged();
    return true;
}

WriteImage BuildWriteImage(ParameterLists& lists) {
    WriteImage image{};
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        image[position] = {kRegisterCodes[position], WriteValue(lists, position)};
    }
    lists.writeImage = image;
    return image;
}

std::array<bool, kParameterCount> SettingsDifferingFromEsc(const ParameterLists& lists) {
    std::array<bool, kParameterCount> differs{};
    if (!lists.escSettingsKnown) {
        return differs;
    }
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        const int k = kBlockByteKeys[position];
        if (k != kCarriedByte && lists.byKey(k).count() > 0) {
            differs[static_cast<std::size_t>(k)] =
                WriteValue(lists, position) != lists.lastReadBlock[position];
        }
    }
    return differs;
}

std::vector<UnlistedRegister> UnlistedRegisterChanges(const ParameterLists& lists) {
    std::vector<UnlistedRegister> changes;
    if (!lists.escSettingsKnown) return changes;
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        const int k = kBlockByteKeys[position];
        if (k == kCarriedByte || lists.byKey(k).count() > 0) continue;
        const std::uint8_t written = WriteValue(lists, position);
        if (written != lists.lastReadBlock[position]) {
            changes.push_back(
                {k, kRegisterCodes[position], lists.lastReadBlock[position], written});
        }
    }
    return changes;
}

bool anySettingDiffersFromEsc(const ParameterLists& lists) {
    const auto differs = SettingsDifferingFromEsc(lists);
    return std::find(differs.begin(), differs.end(), true) != differs.end();
}

void recordWrittenSettings(ParameterLists& lists, const WriteImage& image) {
    for (std::size_t position = 0; position < kSettingsValueCount; ++position) {
        lists.lastReadBlock[position] = image[position].value;
    }
    lists.escSettingsKnown = true;
    lists.escSettingsChanged();
}

}  // namespace orvek
