// The program's entry point: the DLL search made safe, the common controls, then the window.
#include <windows.h>
#include <commctrl.h>

#include "MainWindow.h"
#include "win32/SystemFunctions.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    qorvane::win32::SystemFunctions::searchDllsInSystemDirectoryOnly();
    // No command line, no configuration: everything the program needs is its window.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    const auto window = qorvane::ui::MainWindow::create(instance);
    return window ? window->run() : 1;
}
