// The Windows of the program's test build: the words of C:\fault-plan.ini make the calls Windows may lack, refuse
// or stall do so, as Wine never does (every SetForegroundWindow is counted, the helper's apart):
//   windows7            DPI functions newer than 7 and SetDefaultDllDirectories absent, LOAD_LIBRARY_SEARCH_* refused
//   foreground-refused  SetForegroundWindow fails on a thread not sharing the input of the one in front, as the lock
//   foreground-stalls   off the window's thread it waits 10 s first
//   com-fails-once      the first CoCreateInstance fails
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "FaultPlan.h"
#include "MainWindow.h"
#include "win32/SystemFunctions.h"

namespace qorvane::faults {
namespace {

using Functions = win32::SystemFunctions;
const DWORD windowThread = ::GetCurrentThreadId();  // the table is made there, before any other thread

Functions::SetForegroundWindowFunction realSetForegroundWindow;
Functions::LoadLibraryExWFunction realLoadLibraryExW;
Functions::CoCreateInstanceFunction realCoCreateInstance;

bool acts(const char* word, bool may) {
    if (!may || !planned(word)) return false;
    ::WritePrivateProfileStringA("acted", word, "1", kPlanFile);
    return true;
}

BOOL WINAPI setForegroundWindow(HWND window) {
    const bool helper = ::GetCurrentThreadId() != windowThread;
    const char* tries = helper ? "helper tries" : "window tries";
    ::WritePrivateProfileStringA("log", tries, std::to_string(logged(tries) + 1).c_str(), kPlanFile);
    if (helper) {
        ::WritePrivateProfileStringA("log", "helper thread", std::to_string(::GetCurrentThreadId()).c_str(), kPlanFile);
    }
    // A thread joined to the one in front shares its active window.
    if (acts("foreground-refused", ::GetActiveWindow() != ::GetForegroundWindow())) return FALSE;
    if (acts("foreground-stalls", helper)) ::Sleep(10000);
    return realSetForegroundWindow(window);
}

HMODULE WINAPI loadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
    constexpr DWORD kSearchFlags = 0x1F00;  // LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR ... _DEFAULT_DIRS
    if (acts("windows7", (flags & kSearchFlags) != 0)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return realLoadLibraryExW(name, file, flags);
}

HRESULT WINAPI coCreateInstance(REFCLSID type, IUnknown* outer, DWORD context, REFIID iid, void** object) {
    static std::atomic<int> calls{0};
    if (acts("com-fails-once", calls++ == 0)) {
        *object = nullptr;
        return CO_E_SERVER_EXEC_FAILURE;
    }
    return realCoCreateInstance(type, outer, context, iid, object);
}

using Found = Functions::Function;

template <typename Function>
Found wrap(Function& real, Found found, Function wrapper) {
    real = reinterpret_cast<Function>(found);
    return found != nullptr ? reinterpret_cast<Found>(wrapper) : nullptr;
}

Found intercept(const char* name, Found real) {
    const std::string_view call(name);
    if (planned("windows7") &&
        (call == "GetDpiForWindow" || call == "GetDpiForSystem" || call == "AdjustWindowRectExForDpi" ||
         call == "GetSystemMetricsForDpi" || call == "SetDefaultDllDirectories")) {
        return nullptr;
    }
    if (call == "SetForegroundWindow") return wrap(realSetForegroundWindow, real, &setForegroundWindow);
    if (call == "LoadLibraryExW") return wrap(realLoadLibraryExW, real, &loadLibraryExW);
    if (call == "CoCreateInstance") return wrap(realCoCreateInstance, real, &coCreateInstance);
    return real;
}

}  // namespace
}  // namespace qorvane::faults

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return qorvane::ui::MainWindow::runProgram(
        instance, std::make_unique<qorvane::win32::SystemFunctions>(&qorvane::faults::intercept));
}
