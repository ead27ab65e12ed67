// The adapter's COM port from a Windows device list and registry, fed from a table: which
// device is the adapter, where its port name is read, and how the name becomes a number.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "link/PortLookup.h"

namespace orvek {
namespace {

// The system's side as a table: devices in enumeration order, keys with their values.
class TableRegistry : public DeviceRegistry {
public:
    std::vector<std::u16string> devices;
    Walk failure = Walk::Done;  // ListFailed before any device, IdFailed after the listed ones
    std::map<std::u16string, std::map<std::u16string, std::string>> keys;
    mutable std::vector<std::u16string> opened;

    void add(std::u16string key, std::u16string value, std::string data) {
        keys[key][value] = std::move(data);
    }

    Walk walkPresentDevices(
        const std::function<bool(const std::u16string&)>& visit) const override {
        if (failure == Walk::ListFailed) return Walk::ListFailed;
        for (const auto& id : devices) {
            if (!visit(id)) return Walk::Done;
        }
        return failure;
    }
    bool keyExists(const std::u16string& key) const override {
        opened.push_back(key);
        // A key exists when it or a key below it was entered.
        for (const auto& entry : keys) {
            if (entry.first.compare(0, key.size(), key) == 0) return true;
        }
        return false;
    }
    std::optional<std::u16string> readString(const std::u16string& key, const std::u16string& value,
                                             std::size_t maxBytes) const override {
        const auto data = readNarrowString(key, value, maxBytes / 2);
        if (!data) return std::nullopt;
        return std::u16string(data->begin(), data->end());
    }
    std::optional<std::string> readNarrowString(const std::u16string& key,
                                                const std::u16string& value,
                                                std::size_t maxBytes) const override {
        const auto k = keys.find(key);
        if (k == keys.end()) return std::nullopt;
        const auto v = k->second.find(value);
        if (v == k->second.end() || v->second.size() + 1 > maxBytes) return std::nullopt;
        return v->second;
    }
};

const std::u16string kEnum = u"SYSTEM\\CurrentControlSet\\Enum\\USB\\";

void addPort(TableRegistry& r, const std::u16string& idAfterUsb, const std::string& port) {
    r.add(kEnum + idAfterUsb + u"\\Device Parameters\\", u"PortName", port);
}

struct Messages {
    std::vector<std::string> shown;
    LookupMessages sink() {
        return [this](const char* text) { shown.emplace_back(text); };
    }
};

TEST(PortLookup, TheFirstUsbDeviceWithTheAdaptersIdsIsTheAdapterWhateverItsCase) {
    TableRegistry r;
    r.devices = {u"ROOT\\LEGACY_VID_10C4&PID_EA60\\0000", u"USB\\VID_046D&PID_C52B\\5&1",
                 u"usb\\vid_10c4&pid_ea60\\0042", u"USB\\VID_10C4&PID_EA60\\0001"};
    addPort(r, u"VID_10C4&PID_EA60\\0042", "COM10");
    addPort(r, u"VID_10C4&PID_EA60\\0001", "COM3");
    Messages m;
    EXPECT_EQ(findAdapterInstance(r, m.sink()), u"USB\\VID_10C4&PID_EA60\\0042");
    // Two adapters: the first listed is used, and COM10 keeps both digits.
    EXPECT_EQ(findPortNumberNt(r, m.sink()), 10);
    EXPECT_EQ(comPortName(findPortNumberNt(r, m.sink())), "COM10");
    EXPECT_TRUE(m.shown.empty());
}

TEST(PortLookup, WithoutAnAdapterTheListOfUsbIdsMatchesNoKey) {
    TableRegistry r;
    r.devices = {u"PCI\\VEN_8086\\3", u"USB\\VID_046D&PID_C52B\\5&1", u"USB\\ROOT_HUB30\\4"};
    // A key named after the list itself must not be found either.
    addPort(r, u"VID_046D&PID_C52B\\5&1", "COM4");
    Messages m;
    EXPECT_EQ(findAdapterInstance(r, m.sink()),
              u"USB\\VID_046D&PID_C52B\\5&1\r\nUSB\\ROOT_HUB30\\4\r\n");
    EXPECT_EQ(findPortNumberNt(r, m.sink()), -1);
    EXPECT_EQ(findPortNumberLegacy(r, m.sink()), -1);
}

TEST(PortLookup, AFailedListOrIdShowsItsMessageAndFindsNoPort) {
    TableRegistry r;
    r.devices = {u"USB\\VID_046D&PID_C52B\\5&1"};
    r.failure = DeviceRegistry::Walk::ListFailed;
    addPort(r, u"VID_10C4&PID_EA60\\0001", "COM3");
    Messages m;
    EXPECT_EQ(findPortNumberNt(r, m.sink()), -1);
    r.failure = DeviceRegistry::Walk::IdFailed;
    EXPECT_EQ(findAdapterInstance(r, m.sink()), u"USB\\VID_046D&PID_C52B\\5&1\r\n");
    EXPECT_EQ(m.shown, (std::vector<std::string>{kDeviceListFailedText, kDeviceIdFailedText}));
}

TEST(PortLookup, PortNamesBecomeNumbersAndUnreadableNamesNone) {
    EXPECT_EQ(portNumberFromName(u"COM3"), 3);
    EXPECT_EQ(portNumberFromName(u"COM12"), 12);
    EXPECT_EQ(portNumberFromName(u"COM"), 0);
    EXPECT_EQ(portNumberFromName(u"COMX7"), 0);
    EXPECT_EQ(portNumberFromName(u"LPT1"), 1);  // only the digits after three characters count

    TableRegistry r;
    r.devices = {u"USB\\VID_10C4&PID_EA60\\0001"};
    // A name longer than the 100-byte buffer (UTF-16, with its end) is not read.
    addPort(r, u"VID_10C4&PID_EA60\\0001", "COM1" + std::string(46, '0'));
    EXPECT_EQ(findPortNumberNt(r, nullptr), -1);
    addPort(r, u"VID_10C4&PID_EA60\\0001", "COM1" + std::string(45, '0'));
    EXPECT_EQ(findPortNumberNt(r, nullptr), 100000);  // read, though no such port exists
    // No Enum\USB key at all.
    r.keys.clear();
    EXPECT_EQ(findPortNumberNt(r, nullptr), -1);
}

TEST(PortLookup, LegacyKeysEndAtTheFirstGapAndTheLastExactMatchWins) {
    TableRegistry r;
    r.devices = {u"USB\\VID_10C4&PID_EA60\\0001"};
    const std::u16string base = u"Enum\\SLABCR\\guid\\";
    r.add(base + u"0000", u"CRLowerDeviceID", "USB\\VID_10C4&PID_EA60\\0001");
    r.add(base + u"0000", u"Portname", "COM2");
    r.add(base + u"0001", u"CRLowerDeviceID", "USB\\VID_10C4&PID_EA60\\0001");
    r.add(base + u"0001", u"Portname", "COM5");
    r.add(base + u"0003", u"CRLowerDeviceID", "USB\\VID_10C4&PID_EA60\\0001");
    r.add(base + u"0003", u"Portname", "COM9");
    EXPECT_EQ(findPortNumberLegacy(r, nullptr), 5);
    EXPECT_EQ(r.opened.back(), base + u"0002");  // 0003 was never looked at

    // The stored id differs only in case: no match.
    r.add(base + u"0001", u"CRLowerDeviceID", "USB\\vid_10c4&pid_ea60\\0001");
    EXPECT_EQ(findPortNumberLegacy(r, nullptr), 2);
}

}  // namespace
}  // namespace orvek
