// The least Win32 program that does what ours does at rest: one window of the
// same size, polling Ctrl and F12 at the same interval. The benchmark measures
// our program against this one.
#include <windows.h>

#include "ControlIds.h"
#include "Timers.h"
#include "Form1Layout.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT kHideMessage = WM_APP;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
        case kHideMessage:  // the probe's stand-in for a 隐藏 button
            ::ShowWindow(window, SW_HIDE);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Qorvane.Bench.Baseline";
    ::RegisterClassW(&windowClass);

    RECT rect{0, 0, qorvane::ui::kClientWidth, qorvane::ui::kClientHeight};
    ::AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    const HWND window =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"Baseline", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ::ShowWindow(window, show);
    ::SetTimer(window, 1, qorvane::ui::kRecallPollMs, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
