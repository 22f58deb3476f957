// The top-level window form1 itself: its class, icons, size and place for the DPI it is on.
#include "WindowShell.h"

#include <string>

#include "ControlIds.h"
#include "Form1Layout.h"
#include "ResourceIds.h"
#include "Texts.h"
#include "win32/WindowDC.h"

namespace qorvane::ui {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;

// Before Windows 10 1607, the one DPI of every monitor.
UINT screenDpi() {
    const int dpi = ::GetDeviceCaps(win32::WindowDC(nullptr).get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The primary monitor's at sign-in: where the window opens.
UINT systemDpi(const win32::SystemFunctions& system) {
    return system.getDpiForSystem != nullptr ? system.getDpiForSystem() : screenDpi();
}

UINT windowDpi(const win32::SystemFunctions& system, HWND window) {
    const UINT dpi = system.getDpiForWindow != nullptr ? system.getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : screenDpi();
}

// A rectangle of that size in the middle of the monitor's work area.
RECT centredIn(HMONITOR monitor, SIZE size) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitor, &info);
    const RECT& work = info.rcWork;
    const LONG left = work.left + (work.right - work.left - size.cx) / 2;
    const LONG top = work.top + (work.bottom - work.top - size.cy) / 2;
    return {left, top, left + size.cx, top + size.cy};
}

}  // namespace

WindowShell::WindowShell(HINSTANCE instance, const win32::SystemFunctions& system)
    : instance_(instance), system_(system), dpi_(systemDpi(system)) {}

// Icons and the window are made at once for the DPI the window opens at, at
// their final size and place: nothing is made twice or moved on the way.
std::unique_ptr<WindowShell> WindowShell::create(HINSTANCE instance, const win32::SystemFunctions& system,
                                                 WNDPROC windowProc) {
    std::unique_ptr<WindowShell> shell(new WindowShell(instance, system));
    shell->bigIcon_ = shell->loadIcon(SM_CXICON);
    shell->smallIcon_ = shell->loadIcon(SM_CXSMICON);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = shell->bigIcon_.get();
    windowClass.hIconSm = shell->smallIcon_.get();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClassName;
    if (::RegisterClassExW(&windowClass) == 0) {
        return nullptr;
    }
    const std::wstring caption(texts::kWindowCaption);
    const RECT place = centredIn(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), shell->sizeFor(shell->dpi_));
    shell->window_ =
        ::CreateWindowExW(kWindowExStyle, kWindowClassName, caption.c_str(), kWindowStyle, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, nullptr);
    if (shell->window_ == nullptr) {
        return nullptr;
    }
    if (const UINT dpi = windowDpi(system, shell->window_); dpi != shell->dpi_) {
        // The primary monitor's scale changed since sign-in.
        shell->dpi_ = dpi;
        shell->showTitleIcon();
        shell->place(centredIn(::MonitorFromWindow(shell->window_, MONITOR_DEFAULTTOPRIMARY), shell->sizeFor(dpi)));
    }
    return shell;
}

WindowShell::~WindowShell() {
    if (window_ != nullptr && ::IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
}

SIZE WindowShell::sizeFor(UINT dpi) const {
    const int width = ::MulDiv(kClientWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    const int height = ::MulDiv(kClientHeight, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    RECT rect{0, 0, width, height};
    if (system_.adjustWindowRectExForDpi != nullptr) {
        system_.adjustWindowRectExForDpi(&rect, kWindowStyle, FALSE, kWindowExStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void WindowShell::moveToDpi(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    showTitleIcon();
    place(suggested);
}

void WindowShell::place(const RECT& rectangle) {
    ::SetWindowPos(window_, nullptr, rectangle.left, rectangle.top, rectangle.right - rectangle.left,
                   rectangle.bottom - rectangle.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The icons for a DPI the window has moved to, in place of the class's: the
// title bar's and the one Alt+Tab and the taskbar show.
void WindowShell::showTitleIcon() {
    win32::UniqueIcon small = loadIcon(SM_CXSMICON);
    win32::UniqueIcon big = loadIcon(SM_CXICON);
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    // The ones before go once the window has these.
    titleIcon_ = std::move(small);
    titleBigIcon_ = std::move(big);
}

// The image of that size in the icon, or the nearest one scaled to it.
win32::UniqueIcon WindowShell::loadIcon(int sizeMetric) const {
    const int size =
        system_.getSystemMetricsForDpi != nullptr
            ? system_.getSystemMetricsForDpi(sizeMetric, dpi_)
            : ::MulDiv(::GetSystemMetrics(sizeMetric), static_cast<int>(dpi_), static_cast<int>(screenDpi()));
    return win32::UniqueIcon(
        static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, size, size, 0)));
}

}  // namespace qorvane::ui
