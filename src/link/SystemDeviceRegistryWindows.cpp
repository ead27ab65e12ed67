#include "link/SystemDeviceRegistry.h"

#include <windows.h>

#include <setupapi.h>

#include <vector>

namespace orvek {
namespace {

const wchar_t* wide(const std::u16string& text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A device information list, released by its owner.
class DeviceList {
public:
    DeviceList()
        : list_(::SetupDiGetClassDevsW(nullptr, nullptr, nullptr,
                                       DIGCF_PRESENT | DIGCF_ALLCLASSES)) {}
    ~DeviceList() {
        if (valid()) ::SetupDiDestroyDeviceInfoList(list_);
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
    bool valid() const { return list_ != INVALID_HANDLE_VALUE; }
    HDEVINFO get() const { return list_; }

private:
    HDEVINFO list_;
};

// An open registry key under HKEY_LOCAL_MACHINE, closed by its owner.
class RegistryKey {
public:
    explicit RegistryKey(const std::u16string& path) {
        // A trailing separator names the same key; the call wants none.
        std::u16string trimmed = path;
        while (!trimmed.empty() && trimmed.back() == u'\\') trimmed.pop_back();
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(trimmed), 0, KEY_READ, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RegistryKey() {
        if (key_ != nullptr) ::RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    bool valid() const { return key_ != nullptr; }

    // The value's bytes, at most `maxBytes` of them; nothing when it is longer or missing.
    std::optional<std::vector<BYTE>> read(const std::u16string& value, std::size_t maxBytes,
                                          DWORD wantedType) const {
        if (key_ == nullptr) return std::nullopt;
        std::vector<BYTE> data(maxBytes);
        DWORD size = static_cast<DWORD>(maxBytes);
        DWORD type = 0;
        if (::RegQueryValueExW(key_, wide(value), nullptr, &type, data.data(), &size) !=
                ERROR_SUCCESS ||
            (type != wantedType && !(wantedType == REG_SZ && type == REG_EXPAND_SZ))) {
            return std::nullopt;
        }
        data.resize(size);
        return data;
    }

    // An 8-bit text value, read through the 8-bit call as the old system stored it.
    std::optional<std::string> readNarrow(const std::u16string& value, std::size_t maxBytes) const {
        if (key_ == nullptr) return std::nullopt;
        const std::string name(value.begin(), value.end());
        std::string data(maxBytes, '\0');
        DWORD size = static_cast<DWORD>(maxBytes);
        if (::RegQueryValueExA(key_, name.c_str(), nullptr, nullptr,
                               reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        data.resize(size);
        return data.substr(0, data.find('\0'));
    }

private:
    HKEY key_ = nullptr;
};

class SystemRegistry : public DeviceRegistry {
public:
    Walk walkPresentDevices(
        const std::function<bool(const std::u16string&)>& visit) const override {
        const DeviceList list;
        if (!list.valid()) return Walk::ListFailed;
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        for (DWORD index = 0; ::SetupDiEnumDeviceInfo(list.get(), index, &device); ++index) {
            wchar_t id[520] = {};
            if (!::SetupDiGetDeviceInstanceIdW(list.get(), &device, id, 520, nullptr)) {
                return Walk::IdFailed;
            }
            if (!visit(std::u16string(reinterpret_cast<const char16_t*>(id)))) break;
        }
        return Walk::Done;
    }

    bool keyExists(const std::u16string& key) const override { return RegistryKey(key).valid(); }

    std::optional<std::u16string> readString(const std::u16string& key, const std::u16string& value,
                                             std::size_t maxBytes) const override {
        const auto data = RegistryKey(key).read(value, maxBytes, REG_SZ);
        if (!data) return std::nullopt;
        std::u16string text(data->size() / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>((*data)[2 * i] | ((*data)[2 * i + 1] << 8));
        }
        return text.substr(0, text.find(u'\0'));
    }

    std::optional<std::string> readNarrowString(const std::u16string& key,
                                                const std::u16string& value,
                                                std::size_t maxBytes) const override {
        return RegistryKey(key).readNarrow(value, maxBytes);
    }
};

}  // namespace

std::shared_ptr<const DeviceRegistry> systemDeviceRegistry() {
    return std::make_shared<SystemRegistry>();
}

}  // namespace orvek
