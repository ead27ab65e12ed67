#pragma once
// The adapter's COM port as Windows records it: the first present USB device whose instance id
// holds VID_10C4&PID_EA60, and the port name its driver wrote into the registry. The lookups
// are plain logic over DeviceRegistry, so they run against the system on Windows and against a
// given table anywhere.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvek {

constexpr std::u16string_view kAdapterIdPattern = u"VID_10C4&PID_EA60";
// The two messages of a device list that cannot be read, in the product's own words.
constexpr const char* kDeviceListFailedText = "获取系统设备列表失败";
constexpr const char* kDeviceIdFailedText = "获取设备识别字符串失败";
// A registry value is read into this many bytes at most; a longer one counts as unreadable.
constexpr std::size_t kRegistryValueBytes = 100;

// What the lookups need from the system: the present devices of all classes in enumeration
// order, and string values under HKEY_LOCAL_MACHINE.
class DeviceRegistry {
public:
    virtual ~DeviceRegistry() = default;

    enum class Walk { Done, ListFailed, IdFailed };
    // Calls `visit` with each device's instance id until it returns false or the list ends.
    virtual Walk walkPresentDevices(
        const std::function<bool(const std::u16string&)>& visit) const = 0;
    virtual bool keyExists(const std::u16string& key) const = 0;
    // A UTF-16 string value (REG_SZ), or nothing when the key or value is missing or its data is
    // longer than `maxBytes`.
    virtual std::optional<std::u16string> readString(const std::u16string& key,
                                                     const std::u16string& value,
                                                     std::size_t maxBytes) const = 0;
    // The same value read as 8-bit text (the old driver's keys).
    virtual std::optional<std::string> readNarrowString(const std::u16string& key,
                                                        const std::u16string& value,
                                                        std::size_t maxBytes) const = 0;
};

// Where a lookup's message goes (a line on standard error in orvek-cli).
using LookupMessages = std::function<void(const char* text)>;

// The adapter's upper-case instance id, or, when none is present, the list of every USB
// instance id seen, each ended by CR LF (which names no device). A list that cannot be read
// gives one of the two messages.
std::u16string findAdapterInstance(const DeviceRegistry& registry, const LookupMessages& messages);

// The port number from the device's own parameters key (Device Parameters\PortName), or -1.
int findPortNumberNt(const DeviceRegistry& registry, const LookupMessages& messages);

// The port number from the old driver's key list Enum\SLABCR\guid\0000, 0001, ... (the last
// key whose CRLowerDeviceID is the adapter's id wins), or -1.
int findPortNumberLegacy(const DeviceRegistry& registry, const LookupMessages& messages);

// "COM3" gives 3, "COM12" 12: the decimal digits after the first three characters; none gives 0.
int portNumberFromName(std::u16string_view name);

// The name a port number is opened by: 7 gives "COM7", 10 "COM10".
std::string comPortName(int portNumber);

}  // namespace orvek
