// The program's entry point: the DLL search made safe, the common controls, then the window.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "MainWindow.h"
#include "win32/SystemFunctions.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    auto system = std::make_unique<qorvane::win32::SystemFunctions>();
    system->searchDllsInSystemDirectoryOnly();
    // No command line, no configuration: everything the program needs is its window.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    const auto window = qorvane::ui::MainWindow::create(instance, std::move(system));
    return window ? window->run() : 1;
}
