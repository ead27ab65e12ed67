#include "platform/SystemName.h"

#include <windows.h>

namespace orvek {

std::string systemDescription() {
    // GetVersionEx answers as the program's manifest allows; ntdll's RtlGetVersion tells the truth.
    using RtlGetVersion = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    std::string text = "Windows";
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const FARPROC found = ntdll ? ::GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    if (found != nullptr) {
        const auto getVersion =
            reinterpret_cast<RtlGetVersion>(reinterpret_cast<void (*)()>(found));
        RTL_OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (getVersion(&info) == 0) {
            text += " " + std::to_string(info.dwMajorVersion) + "." +
                    std::to_string(info.dwMinorVersion) + " build " +
                    std::to_string(info.dwBuildNumber);
        }
    }
    SYSTEM_INFO system{};
    ::GetNativeSystemInfo(&system);
    switch (system.wProcessorArchitecture) {
        case PROCESSOR_ARCHITECTURE_AMD64: text += "; x64"; break;
        case PROCESSOR_ARCHITECTURE_ARM64: text += "; arm64"; break;
        case PROCESSOR_ARCHITECTURE_INTEL: text += "; x86"; break;
        default: break;
    }
    return text;
}

}  // namespace orvek
