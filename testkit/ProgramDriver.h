#pragma once
// Runs a program under test and works its window from outside, as a user would: for the driver and the bench.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "ControlIds.h"
#include "Timers.h"

namespace qorvane::e2e {

using namespace std::chrono_literals;
using namespace ui;

// Every 5 ms by default (each look a round trip to Wine's server), answering our windows' messages unless told to hang.
inline bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5000ms,
                    std::chrono::milliseconds poll = 5ms, bool answer = true) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition(); std::this_thread::sleep_for(poll)) {
        for (MSG message{}; answer && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&message);
        if (std::chrono::steady_clock::now() > end) return false;
    }
    return true;
}

inline std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    ::SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

inline void sendKey(WORD key, bool down) {
    INPUT input{INPUT_KEYBOARD, {}};
    input.ki = {key, 0, down ? 0U : KEYEVENTF_KEYUP, 0, 0};
    ::SendInput(1, &input, sizeof(input));
}

struct MessageBoxSeen {
    HWND box = nullptr;
    std::wstring title, text;
    bool hasIcon = false;
};

inline MessageBoxSeen findMessageBox(DWORD processId) {
    for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(box, &owner);
        if (owner != processId || !::IsWindowVisible(box)) continue;
        return {box, textOf(box), textOf(::GetDlgItem(box, 0xFFFF)),
                ::SendDlgItemMessageW(box, 1088, STM_GETICON, 0, 0) != 0};  // 1088: Wine's id for the box's icon
    }
    return {};
}

class App {
public:
    // Waits for the window of that class to show; with none, for nothing (a second copy shows none).
    explicit App(const std::wstring& program, const wchar_t* windowClass = kWindowClassName,
                 const wchar_t* folder = nullptr) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        const bool started = ::CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder,
                                              &startup, &process_) != FALSE;
        // Each poll, every 1 ms (the benchmark times start-up by it), looks at the next window of the class.
        const auto shows = [&] {
            DWORD owner = 0;
            window_ = ::FindWindowExW(nullptr, window_, windowClass, nullptr);
            ::GetWindowThreadProcessId(window_, &owner);
            return owner == process_.dwProcessId && ::IsWindowVisible(window_);
        };
        if (windowClass != nullptr && !(started && waitFor(shows, 15s, 1ms))) {
            std::printf("the program's window did not show\n");
            window_ = nullptr;
        }
    }
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    ~App() {
        if (!waitForExit(0)) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        if (!waitForExit(3000)) ::TerminateProcess(process_.hProcess, 1);
        ::CloseHandle(process_.hProcess);
        ::CloseHandle(process_.hThread);
    }

    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }
    bool waitForExit(DWORD ms) const { return ::WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }
    HWND control(ControlId id) const { return ::GetDlgItem(window_, id); }
    std::wstring text(ControlId id) const { return textOf(control(id)); }
    bool visible(ControlId id) const { return ::IsWindowVisible(control(id)) != FALSE; }
    HWND focus() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_, nullptr), &gui);
        return gui.hwndActive == window_ ? gui.hwndFocus : nullptr;
    }
    bool focused(ControlId id) const { return control(id) != nullptr && focus() == control(id); }

    void choose(int position) const {
        ::SendMessageW(control(IdCombo1), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IdCombo1, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(control(IdCombo1)));
    }
    void type(ControlId box, std::wstring_view characters) const {
        ::SendMessageW(control(box), EM_SETSEL, 0, -1);
        for (const wchar_t c : L"\b" + std::wstring(characters)) ::SendMessageW(control(box), WM_CHAR, c, 1);
    }
    void start(int position, std::wstring_view hours, std::wstring_view minutes) const {
        choose(position);
        type(IdText1, hours);
        type(IdText2, minutes);
        pressAndSettle(IdCommand1);
    }
    void pressAndSettle(ControlId button) const { ::SendMessageW(control(button), BM_CLICK, 0, 0); }
    void elapseTimer1() const { ::SendMessageW(window_, WM_TIMER, kTimer1.id, 0); }

    // The recall poll, handled before this returns: true if no message of the program's is open after it.
    bool pollsQuietly() const {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(window_, WM_TIMER, kTimer2.id, 0, SMTO_NORMAL, 2000, &result) != 0 &&
               findMessageBox(process_.dwProcessId).box == nullptr;
    }
    MessageBoxSeen waitForMessage() const {
        MessageBoxSeen seen;
        waitFor([&] { return (seen = findMessageBox(process_.dwProcessId)).box != nullptr; });
        return seen;
    }
    // Under Wine the owner is active again a little after its box is gone: input before that races its focus.
    void dismiss(const MessageBoxSeen& seen) const {
        ::PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
        waitFor([&] { return !::IsWindow(seen.box) && (!::IsWindowVisible(window_) || focus() != nullptr); });
    }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace qorvane::e2e
