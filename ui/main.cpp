// The program's entry point, on Windows' own functions.
#include <windows.h>

#include <memory>

#include "MainWindow.h"
#include "win32/SystemFunctions.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return qorvane::ui::MainWindow::runProgram(instance, std::make_unique<qorvane::win32::SystemFunctions>());
}
