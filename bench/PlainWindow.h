#pragma once
// The top-level window of the two bench programs: our window's style and
// client size at 96 DPI, polling Ctrl and F12 as ours does, hidden on WM_APP
// (the probe's stand-in for a 隐藏 button).
#include <windows.h>

#include "Form1Layout.h"
#include "Timers.h"

namespace qorvane::bench {

inline LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            // Both keys asked on every poll, as the program does.
            const bool f12 = ::GetAsyncKeyState(VK_F12) < 0;
            const bool control = ::GetAsyncKeyState(VK_CONTROL) < 0;
            if (f12 && control) {
                ::ShowWindow(window, SW_SHOW);
                ::SetForegroundWindow(window);
            }
            return 0;
        }
        case WM_APP:
            ::ShowWindow(window, SW_HIDE);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

// Not yet shown; the poll starts with it.
inline HWND createPlainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* caption) {
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = plainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    ::RegisterClassW(&windowClass);
    RECT rect{0, 0, ui::kClientWidth, ui::kClientHeight};
    ::AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    const HWND window =
        ::CreateWindowExW(0, className, caption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                          rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (window != nullptr) ::SetTimer(window, 1, ui::kTimer2.intervalMs, nullptr);
    return window;
}

}  // namespace qorvane::bench
