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
    // The window with its controls, its platform and its controller, whole,
    // not yet shown; nothing if Windows would not make the window.
    static std::unique_ptr<MainWindow> create(HINSTANCE instance, std::unique_ptr<win32::SystemFunctions> system);
    // The whole program on these Windows functions: the DLL search made safe,
    // the common controls, then the window; returns the exit code.
    static int runProgram(HINSTANCE instance, std::unique_ptr<win32::SystemFunctions> system);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Loads, shows the window and runs the message loop; returns the
    // program's exit code.
    int run();

private:
    MainWindow(std::unique_ptr<win32::SystemFunctions> system, std::unique_ptr<WindowShell> shell,
               std::unique_ptr<win32::Win32PlatformServices> platform, std::unique_ptr<CountdownController> controller,
               std::unique_ptr<Form> form, std::unique_ptr<Renderer> renderer, std::unique_ptr<FocusKeeper> focus);

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
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

    // Each part is whole before this object is made, and none needs another
    // in its destructor, so their order here does not matter.
    std::unique_ptr<win32::SystemFunctions> system_;
    std::unique_ptr<WindowShell> shell_;
    std::unique_ptr<win32::Win32PlatformServices> platform_;
    std::unique_ptr<CountdownController> controller_;
    std::unique_ptr<Form> form_;
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<FocusKeeper> focus_;
    UINT taskbarButtonCreated_ = ::RegisterWindowMessageW(L"TaskbarButtonCreated");
    bool started_ = false;  // shown for the first time
    bool destroyed_ = false;
};

}  // namespace qorvane::ui
