// Measures a program from inside Wine for scripts/bench. One figure per line,
// "name value", on stdout:
//   probe startup PROGRAM CLASS RUNS            launch to window visible, per run (ms)
//   probe idle PROGRAM CLASS SECONDS [count]    CPU time over SECONDS (ms), private bytes and
//                                               working set (KB); "count" starts a countdown first
//   probe recall PROGRAM CLASS PRESSES [ours]   Ctrl+F12 SendInput to window visible, per press (ms)
// "idle" prints "ready" when its window opens and "window-end" when it closes,
// so the caller can measure the Wine server over the same window.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>

#include "ControlIds.h"
#include "SendKey.h"

using namespace std::chrono_literals;
using qorvane::ui::ControlId;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > end) return false;
        ::Sleep(1);
    }
    return true;
}

class Program {
public:
    Program(const wchar_t* path, const wchar_t* windowClass) : windowClass_(windowClass) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + std::wstring(path) + L"\"";
        started_ = ::CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                    &process_) != FALSE;
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() {
        if (!started_) return;
        if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(process_.hProcess, 1);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }

    bool waitForWindow() {
        return started_ && waitFor(
                               [&] {
                                   window_ = findWindow();
                                   return window_ != nullptr && ::IsWindowVisible(window_);
                               },
                               20s);
    }
    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }
    HWND control(ControlId id) const { return ::GetDlgItem(window_, id); }

    // Chooses shutdown in two hours and presses 执行, as a user would.
    void startCountdown() const {
        ::SendMessageW(control(qorvane::ui::IdCombo1), CB_SETCURSEL, 0, 0);
        ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(qorvane::ui::IdCombo1, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(control(qorvane::ui::IdCombo1)));
        ::SendMessageW(control(qorvane::ui::IdText1), WM_CHAR, L'2', 1);
        ::SendMessageW(control(qorvane::ui::IdCommand1), BM_CLICK, 0, 0);
    }

    // Hides the window the way its user does: ours through 隐藏 and its
    // message; the baseline, which has no button, hides itself on WM_APP.
    void hide(bool ours) const {
        if (!ours) {
            ::SendMessageW(window_, WM_APP, 0, 0);
            return;
        }
        ::PostMessageW(control(qorvane::ui::IdCommand3), BM_CLICK, 0, 0);
        HWND box = nullptr;
        waitFor(
            [&] {
                box = messageBox();
                return box != nullptr;
            },
            5s);
        if (box != nullptr) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        waitFor([&] { return box == nullptr || !::IsWindow(box); }, 5s);
    }

private:
    HWND findWindow() const { return topLevel(windowClass_); }
    HWND messageBox() const { return topLevel(L"#32770"); }
    HWND topLevel(const wchar_t* className) const {
        for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, className, nullptr)) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId) return window;
        }
        return nullptr;
    }

    const wchar_t* windowClass_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    bool started_ = false;
};

double cpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

int startup(const wchar_t* path, const wchar_t* windowClass, int runs) {
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        Program program(path, windowClass);
        if (!program.waitForWindow()) return 1;
        std::printf("startup_ms %.2f\n", millisecondsSince(start));
    }
    return 0;
}

int idle(const wchar_t* path, const wchar_t* windowClass, int seconds, bool countdown) {
    Program program(path, windowClass);
    if (!program.waitForWindow()) return 1;
    if (countdown) program.startCountdown();
    std::this_thread::sleep_for(1s);  // let start-up work settle
    const double cpuBefore = cpuMilliseconds(program.process());
    std::printf("ready\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = cpuMilliseconds(program.process()) - cpuBefore;
    std::printf("window-end\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(500ms);  // the caller reads the Linux side in the meantime
    std::fflush(stdout);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(program.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    // Wine answers 0 for other processes' CPU times and private bytes; the
    // caller then reads them on the Linux side.
    std::printf("wine_cpu_ms %.2f\nwine_private_kb %.0f\nworkingset_kb %.0f\n", cpu,
                static_cast<double>(memory.PrivateUsage) / 1024.0, static_cast<double>(memory.WorkingSetSize) / 1024.0);
    return 0;
}

int recall(const wchar_t* path, const wchar_t* windowClass, int presses, bool ours) {
    Program program(path, windowClass);
    if (!program.waitForWindow()) return 1;
    if (ours) program.startCountdown();
    for (int press = 0; press < presses; ++press) {
        program.hide(ours);
        if (!waitFor([&] { return !::IsWindowVisible(program.window()); }, 5s)) return 1;
        std::this_thread::sleep_for(50ms);
        const auto start = Clock::now();
        sendKey(VK_CONTROL, true);
        sendKey(VK_F12, true);
        const bool back = waitFor([&] { return ::IsWindowVisible(program.window()) != FALSE; }, 2s);
        const double latency = millisecondsSince(start);
        sendKey(VK_F12, false);
        sendKey(VK_CONTROL, false);
        if (!back) return 1;
        std::printf("recall_ms %.2f\n", latency);
        std::this_thread::sleep_for(50ms);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::printf("usage: probe startup|idle|recall PROGRAM CLASS N [count|ours]\n");
        return 2;
    }
    const std::wstring mode = argv[1];
    const int number = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
    const bool flag = argc > 5;
    if (mode == L"startup") return startup(argv[2], argv[3], number);
    if (mode == L"idle") return idle(argv[2], argv[3], number, flag);
    if (mode == L"recall") return recall(argv[2], argv[3], number, flag);
    return 2;
}
