// The Windows of the program's test build: the words of C:\fault-plan.txt make
// the calls Windows may lack, refuse or stall do so, as Wine never does.
//   windows7            the newer DPI functions and SetDefaultDllDirectories absent,
//                       LOAD_LIBRARY_SEARCH_* refused (no KB2533623)
//   foreground-refused  SetForegroundWindow fails on the window's thread (the lock)
//   foreground-stalls   on any other thread it waits 10 s first (the program in
//                       front hangs), each try written to C:\fault-log.txt
//   com-fails-once      the first CoCreateInstance fails
#include <windows.h>

#include <array>
#include <atomic>
#include <string>
#include <string_view>

#include "win32/SystemFunctions.h"

namespace qorvane::faults {
namespace {

using Functions = win32::SystemFunctions;

struct Plan {
    std::string words;
    DWORD windowThread = ::GetCurrentThreadId();  // the first call comes from there
    bool has(std::string_view word) const { return (" " + words + " ").find(" " + std::string(word) + " ") != std::string::npos; }
};

// Windows' own file calls: the program's trimmed libstdc++ has no streams.
const Plan& plan() {
    static const Plan read = [] {
        Plan fresh;
        const HANDLE file = ::CreateFileW(L"C:\\fault-plan.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          0, nullptr);
        std::array<char, 256> text{};
        DWORD size = 0;
        if (file != INVALID_HANDLE_VALUE && ::ReadFile(file, text.data(), text.size() - 1, &size, nullptr)) {
            fresh.words.assign(text.data(), size);
            fresh.words = fresh.words.substr(0, fresh.words.find_first_of("\r\n"));
        }
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
        return fresh;
    }();
    return read;
}

void log(const char* line) {
    const HANDLE file = ::CreateFileW(L"C:\\fault-log.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, line, static_cast<DWORD>(std::string_view(line).size()), &written, nullptr);
    ::CloseHandle(file);
}

Functions::SetForegroundWindowFunction realSetForegroundWindow;
Functions::LoadLibraryExWFunction realLoadLibraryExW;
Functions::CoCreateInstanceFunction realCoCreateInstance;

BOOL WINAPI setForegroundWindow(HWND window) {
    if (::GetCurrentThreadId() == plan().windowThread && plan().has("foreground-refused")) {
        return FALSE;
    }
    if (::GetCurrentThreadId() != plan().windowThread && plan().has("foreground-stalls")) {
        log("SetForegroundWindow off the window's thread\n");
        ::Sleep(10000);
    }
    return realSetForegroundWindow(window);
}

HMODULE WINAPI loadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
    constexpr DWORD kSearchFlags = 0x1F00;  // LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR ... _DEFAULT_DIRS
    if (plan().has("windows7") && (flags & kSearchFlags) != 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return realLoadLibraryExW(name, file, flags);
}

HRESULT WINAPI coCreateInstance(REFCLSID type, IUnknown* outer, DWORD context, REFIID iid, void** object) {
    static std::atomic<int> calls{0};
    if (plan().has("com-fails-once") && calls++ == 0) {
        *object = nullptr;
        return CO_E_SERVER_EXEC_FAILURE;
    }
    return realCoCreateInstance(type, outer, context, iid, object);
}

template <typename Function>
faults::Function wrap(Function& real, faults::Function found, Function wrapper) {
    real = reinterpret_cast<Function>(found);
    return found != nullptr ? reinterpret_cast<faults::Function>(wrapper) : nullptr;
}

}  // namespace

Function intercept(const char* name, Function real) {
    const std::string_view call(name);
    const bool newerThanWindows7 = call == "GetDpiForWindow" || call == "GetDpiForSystem" ||
                                   call == "AdjustWindowRectExForDpi" || call == "GetSystemMetricsForDpi" ||
                                   call == "SetDefaultDllDirectories";
    if (newerThanWindows7 && plan().has("windows7")) return nullptr;
    if (call == "SetForegroundWindow") return wrap(realSetForegroundWindow, real, &setForegroundWindow);
    if (call == "LoadLibraryExW") return wrap(realLoadLibraryExW, real, &loadLibraryExW);
    if (call == "CoCreateInstance") return wrap(realCoCreateInstance, real, &coCreateInstance);
    return real;
}

}  // namespace qorvane::faults
