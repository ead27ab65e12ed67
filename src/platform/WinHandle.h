#pragma once
// Windows only: a kernel HANDLE (event, file) owned by one object, closed when it goes.
#include <windows.h>

namespace orvek {

class WinHandle {
public:
    WinHandle() = default;
    explicit WinHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~WinHandle() { reset(); }
    WinHandle(const WinHandle&) = delete;
    WinHandle& operator=(const WinHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }
    void reset() {
        if (handle_ != nullptr) ::CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

// A manual-reset event, not signalled, for one overlapped request.
inline HANDLE newRequestEvent() { return ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }

}  // namespace orvek
