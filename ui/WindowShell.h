#pragma once

// The top-level window form1 itself: its class, icons, size and place for the DPI it is on.

#include <windows.h>

#include <memory>

#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"

namespace qorvane::ui {

class WindowShell {
public:
    // Registers the class and creates the window, not yet shown, centred at
    // its final size for the DPI it opens at; nothing if Windows refuses.
    static std::unique_ptr<WindowShell> create(HINSTANCE instance, const win32::SystemFunctions& system,
                                               WNDPROC windowProc);
    WindowShell(const WindowShell&) = delete;
    WindowShell& operator=(const WindowShell&) = delete;
    ~WindowShell();

    HWND handle() const { return window_; }
    UINT dpi() const { return dpi_; }
    // The outer size whose client area is the designed one at that DPI.
    SIZE sizeFor(UINT dpi) const;
    // Moved to a monitor of another DPI: its icons and the place Windows suggests.
    void moveToDpi(UINT dpi, const RECT& suggested);

private:
    WindowShell(HINSTANCE instance, const win32::SystemFunctions& system);
    win32::UniqueIcon loadIcon(int sizeMetric) const;
    void showTitleIcon();
    void place(const RECT& rectangle);

    HINSTANCE instance_;
    const win32::SystemFunctions& system_;
    UINT dpi_;
    win32::UniqueIcon bigIcon_;       // the class's, for as long as the window
    win32::UniqueIcon smallIcon_;     // the class's too
    win32::UniqueIcon titleIcon_;     // the title bar's once the DPI is another
    win32::UniqueIcon titleBigIcon_;  // Alt+Tab's and the taskbar's then
    HWND window_ = nullptr;
};

}  // namespace qorvane::ui
