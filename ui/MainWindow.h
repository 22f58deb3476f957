#pragma once

// The window form1: routes each of its messages to the controller or to the
// part of the window whose job it is, and runs the message loop.

#include <windows.h>

#include <memory>

#include "CountdownController.h"
#include "FocusKeeper.h"
#include "Form.h"
#include "Renderer.h"
#include "WindowShell.h"
#include "win32/SystemFunctions.h"
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

    void start();
    void onCommand(int id, int code);
    void onTimer(UINT_PTR timerId);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    bool onSetCursor(HWND under);
    void onDestroy();
    // Shows the model as the last operation left it.
    void render();

    HWND window() const { return shell_->handle(); }

    win32::SystemFunctions system_;
    std::unique_ptr<WindowShell> shell_;
    std::unique_ptr<Form> form_;
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<FocusKeeper> focus_;
    std::unique_ptr<win32::Win32PlatformServices> platform_;
    std::unique_ptr<CountdownController> controller_;
    UINT taskbarButtonCreated_ = ::RegisterWindowMessageW(L"TaskbarButtonCreated");
    bool started_ = false;  // shown for the first time
    bool destroyed_ = false;
};

}  // namespace qorvane::ui
