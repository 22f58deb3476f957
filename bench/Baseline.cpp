// The least Win32 program that does what ours does at rest: one window of the
// same size, polling Ctrl and F12 at the same interval. The benchmark measures
// our program against this one.
#include <windows.h>

#include "PlainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const HWND window = qorvane::bench::createPlainWindow(instance, L"Qorvane.Bench.Baseline", L"Baseline");
    if (window == nullptr) return 1;
    ::ShowWindow(window, show);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
