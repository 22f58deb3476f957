#pragma once
// Runs a program under test and works its window from outside, as a user
// would: for the end-to-end driver and the benchmark probe.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ControlIds.h"
#include "Timers.h"

namespace qorvane::e2e {

using namespace std::chrono_literals;
using namespace ui;

inline std::string utf8(const std::wstring& text) {
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// Polls every 5 ms; timed waits ask for 1 ms. Polling a window of another
// process costs Wine a server round trip each time, so not finer than needed.
inline bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5000ms,
                    std::chrono::milliseconds poll = 5ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(poll);
    }
    return true;
}

inline std::wstring textOf(HWND window) {
    wchar_t buffer[512] = {};
    ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

struct MessageBoxSeen {
    HWND box = nullptr;
    std::wstring title, text;
    bool hasIcon = false;
};

// A message box of the given process, if one is open.
inline MessageBoxSeen findMessageBox(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            wchar_t className[32] = {};
            ::GetClassNameW(window, className, 32);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    MessageBoxSeen seen;
    if (search.found == nullptr) return seen;
    seen.box = search.found;
    seen.title = textOf(search.found);
    seen.text = textOf(::GetDlgItem(search.found, 0xFFFF));
    // The icon's static control: id 20 on Windows, 1088 under Wine.
    for (const int iconId : {20, 1088}) {
        const HWND icon = ::GetDlgItem(search.found, iconId);
        seen.hasIcon = seen.hasIcon ||
                       (icon != nullptr && ::IsWindowVisible(icon) && ::SendMessageW(icon, STM_GETICON, 0, 0) != 0);
    }
    return seen;
}

class App {
public:
    explicit App(const std::wstring& program, const std::wstring& workingDirectory = L"",
                 const wchar_t* windowClass = ui::kWindowClassName)
        : windowClass_(windowClass) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program + L"\"";
        started_ = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                                    &process_) != FALSE;
        if (!started_) {
            std::printf("could not start %s: error %lu\n", utf8(program).c_str(), ::GetLastError());
            return;
        }
        // Fine polling: the benchmark times start-up by this wait.
        waitFor([&] { return (window_ = findWindow()) != nullptr && ::IsWindowVisible(window_); }, 15000ms, 1ms);
    }
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    ~App() {
        if (started_) {
            if (running()) {
                ::PostMessageW(window_, WM_CLOSE, 0, 0);
                if (::WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) {
                    ::TerminateProcess(process_.hProcess, 1);
                }
            }
            ::CloseHandle(process_.hProcess);
            ::CloseHandle(process_.hThread);
        }
    }

    HWND findWindow() const {
        HWND found = nullptr;
        for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, windowClass_, nullptr)) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId) found = window;
        }
        return found;
    }

    bool ok() const { return started_ && window_ != nullptr; }
    HWND window() const { return window_; }
    HWND control(ControlId id) const { return ::GetDlgItem(window_, id); }
    std::wstring text(ControlId id) const { return textOf(control(id)); }
    bool visible(ControlId id) const { return ::IsWindowVisible(control(id)) != FALSE; }
    bool running() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    bool waitForExit(DWORD ms) const { return ::WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD processId() const { return process_.dwProcessId; }
    HANDLE process() const { return process_.hProcess; }
    bool hasModule(const wchar_t* name) const {
        std::vector<HMODULE> modules(512);
        DWORD bytes = 0;
        if (!::EnumProcessModules(process_.hProcess, modules.data(),
                                  static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &bytes)) {
            return false;
        }
        modules.resize(std::min<std::size_t>(modules.size(), bytes / sizeof(HMODULE)));
        for (const HMODULE module : modules) {
            std::wstring base(MAX_PATH, L'\0');
            base.resize(::GetModuleBaseNameW(process_.hProcess, module, base.data(), MAX_PATH));
            if (::lstrcmpiW(base.c_str(), name) == 0) return true;
        }
        return false;
    }

    void choose(int position) const {
        ::SendMessageW(control(IdCombo1), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IdCombo1, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(control(IdCombo1)));
    }
    void type(ControlId box, std::wstring_view characters) const {
        for (const wchar_t c : characters) ::SendMessageW(control(box), WM_CHAR, c, 1);
    }
    // Clears a box the way a user would: select all, then Backspace.
    void clear(ControlId box) const {
        ::SendMessageW(control(box), EM_SETSEL, 0, -1);
        ::SendMessageW(control(box), WM_CHAR, L'\b', 1);
    }
    void enter(const std::wstring& hours, const std::wstring& minutes) const {
        clear(IdText1);
        type(IdText1, hours);
        clear(IdText2);
        type(IdText2, minutes);
    }
    // Chooses the action, enters the time and presses 执行.
    void start(int position, const std::wstring& hours, const std::wstring& minutes) const {
        choose(position);
        enter(hours, minutes);
        pressAndSettle(IdCommand1);
    }
    // Posted, so a message box the press opens does not block the driver.
    void press(ControlId button) const { ::PostMessageW(control(button), BM_CLICK, 0, 0); }
    void pressAndSettle(ControlId button) const { ::SendMessageW(control(button), BM_CLICK, 0, 0); }
    void elapseTimer1() const {
        ::PostMessageW(window_, WM_TIMER, kTimer1.id, 0);
        ::SendMessageW(window_, WM_NULL, 0, 0);  // returns after the posted elapse has been handled
    }
    MessageBoxSeen waitForMessage() const {
        MessageBoxSeen seen;
        waitFor([&] { return (seen = findMessageBox(process_.dwProcessId)).box != nullptr; });
        return seen;
    }
    // Under Wine the owner is activated again a little after its message box
    // goes; input sent before that would race the focus it gets back.
    void dismiss(const MessageBoxSeen& seen) const {
        ::PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
        waitFor([&] { return !::IsWindow(seen.box); });
        if (::IsWindowVisible(window_)) waitFor([&] { return active(); });
    }
    bool active() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_, nullptr), &gui);
        return gui.hwndActive == window_ && gui.hwndFocus != nullptr;
    }

private:
    const wchar_t* windowClass_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    bool started_ = false;
};

inline void sendKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(input));
}

}  // namespace qorvane::e2e
