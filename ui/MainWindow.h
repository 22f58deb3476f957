#pragma once

// The window form1: real Win32 controls that show the controller's
// WindowModel, and the wiring of their events to the controller.

#include <windows.h>

#include <array>

#include "ControlIds.h"
#include "CountdownController.h"
#include "Form1Layout.h"
#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"
#include "win32/Win32PlatformServices.h"

namespace qorvane::ui {

class MainWindow {
public:
    // Builds the window with its controls, not yet shown.
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Loads, shows the window and runs the message loop; returns the
    // program's exit code.
    int run();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                    DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND createWindow() const;
    win32::UniqueIcon loadIcon(int sizeMetric) const;
    void showTitleIcon();
    void placeWindow(const RECT& place);
    void createControls();
    void start();

    void onCommand(int id, int code);
    void onTimer(UINT_PTR timerId);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    bool onSetCursor(HWND under);
    void onDestroy();

    // Brings the controls in line with the model, touching only what changed.
    void render();
    void renderList(const WindowModel& model);
    void renderWidgets(const WindowModel& model);
    void renderTimer1(const WindowModel& model);
    void renderWindowVisibility(const WindowModel& model);
    void onActivate(WORD state);
    void focusUsableControl(HWND preferred);
    bool usable(HWND child) const;
    void layout();
    RECT placeOf(const ControlSpec& item) const;
    HFONT fontOf(const ControlSpec& item) const;
    void keepListHeight(const ControlSpec& item);
    void makeFonts();
    int scale(int pixelsAt96) const;

    HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id - IdFrame1)]; }

    HINSTANCE instance_;
    win32::SystemFunctions system_;
    UINT dpi_;                     // the window's; until it exists, the primary monitor's at sign-in
    win32::UniqueIcon bigIcon_;    // the class's, for as long as the window
    win32::UniqueIcon smallIcon_;  // the class's too
    win32::UniqueIcon titleIcon_;  // the title bar's once the DPI is another
    HWND window_;                  // destroyed by closing it, by the platform's terminate, or with this object
    std::array<HWND, kControlCount> controls_{};
    win32::Win32PlatformServices platform_{window_, system_};
    CountdownController controller_{platform_};
    WindowModel shown_;  // what the controls show now
    win32::GdiObject<HFONT> font_;
    win32::GdiObject<HFONT> headingFont_;
    std::wstring fontFace_;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window was last active
    const UINT taskbarButtonCreated_ = ::RegisterWindowMessageW(L"TaskbarButtonCreated");
    bool started_ = false;    // shown for the first time
    bool rendering_ = false;  // our own text changes raise no user event
    bool destroyed_ = false;
};

}  // namespace qorvane::ui
