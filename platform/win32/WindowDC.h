#pragma once

// Owner of a device context from GetDC, released when it goes.

#include <windows.h>

#include <utility>

namespace qorvane::win32 {

// The client area's device context of a window, or the screen's for none.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDC(WindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            release();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { release(); }

    HDC get() const { return dc_; }

private:
    void release() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
        dc_ = nullptr;
    }

    HWND window_;
    HDC dc_;
};

}  // namespace qorvane::win32
