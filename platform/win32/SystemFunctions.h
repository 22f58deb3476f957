#pragma once

// Every Windows function the program may find missing or refused, in one
// list: user32's that are newer than Windows 7 (null where Windows lacks
// them, and the caller falls back), those Windows may refuse (the foreground,
// a search flag older systems do not know), and those of COM, the shell and
// the input methods, whose DLLs are loaded from the system directory by the
// first call, so that start-up does not wait for COM and the shell. Those
// DLLs are never unloaded: the shell may still be at work on a thread of ours
// when the program ends.

#include <windows.h>
#include <imm.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <type_traits>

#include "win32/SystemDirectory.h"

namespace qorvane::win32 {

class SystemFunctions {
public:
    using Function = void (*)();
    // Hands each function found to the caller, who may answer with another
    // or none: the tests' build makes Windows lack, refuse or stall calls so.
    using Interceptor = Function (*)(const char* name, Function found);

private:
    const Interceptor intercept_;  // first: the others are found through it

public:
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    using SetForegroundWindowFunction = BOOL(WINAPI*)(HWND);
    using LoadLibraryExWFunction = HMODULE(WINAPI*)(LPCWSTR, HANDLE, DWORD);
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
    using CoUninitializeFunction = void(WINAPI*)();
    using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
    using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    using ImmAssociateContextExFunction = BOOL(WINAPI*)(HWND, HIMC, DWORD);

    explicit SystemFunctions(Interceptor intercept = nullptr)
        : intercept_(intercept),
          getDpiForWindow(find<GetDpiForWindowFunction>(user32(), "GetDpiForWindow")),
          getDpiForSystem(find<GetDpiForSystemFunction>(user32(), "GetDpiForSystem")),
          adjustWindowRectExForDpi(find<AdjustWindowRectExForDpiFunction>(user32(), "AdjustWindowRectExForDpi")),
          getSystemMetricsForDpi(find<GetSystemMetricsForDpiFunction>(user32(), "GetSystemMetricsForDpi")),
          setForegroundWindow(bind("SetForegroundWindow", &::SetForegroundWindow)),
          loadLibraryExW(bind("LoadLibraryExW", &::LoadLibraryExW)) {}

    // Windows' own DLLs load further ones by name, and Windows looks for
    // those beside the program first, where a download may have company.
    // From here on only the system directory is searched. Windows 7 without
    // KB2533623 lacks the call, and keeps its old order.
    void searchDllsInSystemDirectoryOnly() const {
        if (const auto set = find<SetDefaultDllDirectoriesFunction>(::GetModuleHandleW(L"kernel32.dll"),
                                                                    "SetDefaultDllDirectories")) {
            set(LOAD_LIBRARY_SEARCH_SYSTEM32);
        }
    }

    // user32, Windows 10 1607 and later.
    const GetDpiForWindowFunction getDpiForWindow;
    const GetDpiForSystemFunction getDpiForSystem;
    const AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi;
    const GetSystemMetricsForDpiFunction getSystemMetricsForDpi;
    // Refused while another program keeps the foreground.
    const SetForegroundWindowFunction setForegroundWindow;

    // ole32, shell32 and imm32, loaded on first use.
    CoInitializeExFunction coInitializeEx() { return find<CoInitializeExFunction>(loaded(ole32_), "CoInitializeEx"); }
    CoUninitializeFunction coUninitialize() { return find<CoUninitializeFunction>(loaded(ole32_), "CoUninitialize"); }
    CoCreateInstanceFunction coCreateInstance() {
        return find<CoCreateInstanceFunction>(loaded(ole32_), "CoCreateInstance");
    }
    ShellExecuteAFunction shellExecuteA() { return find<ShellExecuteAFunction>(loaded(shell32_), "ShellExecuteA"); }
    ImmAssociateContextExFunction immAssociateContextEx() {
        return find<ImmAssociateContextExFunction>(loaded(imm32_), "ImmAssociateContextEx");
    }

private:
    template <typename Found>
    Found bind(const char* name, Found found) const {
        if (intercept_ == nullptr) return found;
        return reinterpret_cast<Found>(intercept_(name, reinterpret_cast<Function>(found)));
    }
    template <typename Found>
    Found find(HMODULE module, const char* name) const {
        if (module == nullptr) return nullptr;
        return bind(name, reinterpret_cast<Found>(reinterpret_cast<Function>(::GetProcAddress(module, name))));
    }
    static HMODULE user32() { return ::GetModuleHandleW(L"user32.dll"); }

    // From the system directory by full path, so a look-alike beside the
    // program is never loaded; and the DLLs it imports by name from there
    // too (Windows without KB2533623 refuses that flag, and knows only the
    // older one, which looks in the DLL's own folder first).
    HMODULE load(const wchar_t* name) const {
        const std::wstring path = systemFilePath(name);
        if (path.empty()) return nullptr;
        const HMODULE module = loadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return module != nullptr ? module : loadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    struct LateDll {
        const wchar_t* name;
        HMODULE module = nullptr;
        bool tried = false;
    };
    HMODULE loaded(LateDll& dll) const {
        if (!dll.tried) dll.module = load(dll.name);
        dll.tried = true;
        return dll.module;
    }

    const LoadLibraryExWFunction loadLibraryExW;
    LateDll ole32_{L"ole32.dll"};
    LateDll shell32_{L"shell32.dll"};
    LateDll imm32_{L"imm32.dll"};
};

// The types above are written by hand, as older headers lack the newer
// functions: where the headers declare them, they must agree.
#if WINVER >= 0x0605
static_assert(std::is_same_v<decltype(&::GetDpiForWindow), SystemFunctions::GetDpiForWindowFunction>);
static_assert(std::is_same_v<decltype(&::GetDpiForSystem), SystemFunctions::GetDpiForSystemFunction>);
static_assert(std::is_same_v<decltype(&::AdjustWindowRectExForDpi), SystemFunctions::AdjustWindowRectExForDpiFunction>);
static_assert(std::is_same_v<decltype(&::GetSystemMetricsForDpi), SystemFunctions::GetSystemMetricsForDpiFunction>);
#endif
static_assert(std::is_same_v<decltype(&::CoInitializeEx), SystemFunctions::CoInitializeExFunction>);
static_assert(std::is_same_v<decltype(&::CoUninitialize), SystemFunctions::CoUninitializeFunction>);
static_assert(std::is_same_v<decltype(&::CoCreateInstance), SystemFunctions::CoCreateInstanceFunction>);
static_assert(std::is_same_v<decltype(&::ShellExecuteA), SystemFunctions::ShellExecuteAFunction>);
static_assert(std::is_same_v<decltype(&::ImmAssociateContextEx), SystemFunctions::ImmAssociateContextExFunction>);
#if _WIN32_WINNT >= 0x0602
static_assert(std::is_same_v<decltype(&::SetDefaultDllDirectories), SystemFunctions::SetDefaultDllDirectoriesFunction>);
#endif

}  // namespace qorvane::win32
