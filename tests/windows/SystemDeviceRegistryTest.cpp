// The device list and registry reader on the real system (Wine in the test run): values as the
// registry holds them, the 100-byte limit, and an adapter entered in the registry found by the
// whole discovery path.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "link/AdapterDiscovery.h"
#include "link/SystemDeviceRegistry.h"

namespace orvek {
namespace {

bool underWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(SystemDeviceRegistry, ReadsKeysAndStringValuesWithinTheBuffer) {
    const auto registry = systemDeviceRegistry();
    EXPECT_TRUE(registry->keyExists(u"SYSTEM\\CurrentControlSet\\"));
    EXPECT_TRUE(registry->keyExists(u"SYSTEM\\CurrentControlSet\\Enum\\"));
    EXPECT_FALSE(registry->keyExists(u"SYSTEM\\CurrentControlSet\\No Such Key"));
    const std::u16string environment =
        u"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    EXPECT_EQ(registry->readString(environment, u"OS", 100), u"Windows_NT");
    // "Windows_NT" and its end take 22 bytes: a smaller buffer reads nothing.
    EXPECT_FALSE(registry->readString(environment, u"OS", 21));
    EXPECT_EQ(registry->readString(environment, u"OS", 22), u"Windows_NT");
    EXPECT_FALSE(registry->readString(environment, u"No such value", 100));
    int devices = 0;
    EXPECT_EQ(registry->walkPresentDevices([&](const std::u16string& id) {
        EXPECT_FALSE(id.empty());
        ++devices;
        return true;
    }),
              DeviceRegistry::Walk::Done);
}

// Enters a CP210x adapter with the given port under Enum\USB and takes it out again.
class RegisteredAdapter {
public:
    RegisteredAdapter(const wchar_t* serial, const wchar_t* port) {
        key_ = std::wstring(L"SYSTEM\\CurrentControlSet\\Enum\\USB\\VID_10C4&PID_EA60\\") + serial;
        HKEY parameters = nullptr;
        ok_ = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (key_ + L"\\Device Parameters").c_str(), 0,
                                nullptr, 0, KEY_WRITE, nullptr, &parameters,
                                nullptr) == ERROR_SUCCESS;
        if (!ok_) return;
        // The device list files a device under its class: the ports class.
        HKEY device = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_WRITE, &device) ==
            ERROR_SUCCESS) {
            setString(device, L"ClassGUID", L"{4d36e978-e325-11ce-bfc1-08002be10318}");
            ::RegCloseKey(device);
        }
        setString(parameters, L"PortName", port);
        ::RegCloseKey(parameters);
    }
    ~RegisteredAdapter() {
        if (ok_) ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.c_str());
    }
    RegisteredAdapter(const RegisteredAdapter&) = delete;
    RegisteredAdapter& operator=(const RegisteredAdapter&) = delete;
    bool ok() const { return ok_; }

private:
    static void setString(HKEY key, const wchar_t* name, const std::wstring& text) {
        ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    std::wstring key_;
    bool ok_ = false;
};

TEST(SystemDeviceRegistry, AnAdapterInTheRegistryIsFoundWithItsPort) {
    // Only Wine lists a device that exists in the registry alone; Windows wants it plugged in.
    if (!underWine()) GTEST_SKIP() << "needs a device the system lists from its registry";
    ::_putenv_s("ORVEK_PORT", "");
    if (!AdapterDiscovery().findAdapterPort().empty()) {
        GTEST_SKIP() << "this prefix already lists an adapter; the test run uses a fresh one";
    }
    {
        RegisteredAdapter adapter(L"0042", L"COM12");
        ASSERT_TRUE(adapter.ok());
        const AdapterDiscovery discovery;
        EXPECT_EQ(discovery.findAdapterPort(), "COM12");
        const auto ports = discovery.listUsbSerialPorts();
        ASSERT_EQ(ports.size(), 1u);
        EXPECT_EQ(ports[0].devicePath, "COM12");
        EXPECT_EQ(ports[0].serial, "0042");
        EXPECT_TRUE(ports[0].isOrvekAdapter());
        // A port named on the command line or in ORVEK_PORT still wins.
        EXPECT_EQ(resolvePortPath("COM3", discovery), "COM3");
    }
    EXPECT_EQ(AdapterDiscovery().findAdapterPort(), "");
}

}  // namespace
}  // namespace orvek
