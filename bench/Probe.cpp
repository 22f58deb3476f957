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
#include <random>
#include <string>
#include <thread>

#include "ProgramDriver.h"

using namespace qorvane::e2e;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Hides the window the way its user does: ours through 隐藏 and its message;
// the baseline, which has no button, hides itself on WM_APP.
void hide(const App& program, bool ours) {
    if (!ours) {
        ::SendMessageW(program.window(), WM_APP, 0, 0);
        return;
    }
    ::PostMessageW(program.control(IdCommand3), BM_CLICK, 0, 0);  // posted: the message it opens must not block us
    program.dismiss(program.waitForMessage());
}

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
        const App program(path, windowClass);
        if (program.window() == nullptr) return 1;
        std::printf("startup_ms %.2f\n", millisecondsSince(start));
    }
    return 0;
}

int idle(const wchar_t* path, const wchar_t* windowClass, int seconds, bool countdown) {
    const App program(path, windowClass);
    if (program.window() == nullptr) return 1;
    if (countdown) program.start(0, L"2", L"");  // shutdown in two hours
    std::this_thread::sleep_for(1s);             // let start-up work settle
    const double cpuBefore = cpuMilliseconds(program.process());
    std::printf("ready\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = cpuMilliseconds(program.process()) - cpuBefore;
    std::printf("window-end\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(500ms);  // the caller reads the Linux side in the meantime
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
    const App program(path, windowClass);
    if (program.window() == nullptr) return 1;
    if (ours) program.start(0, L"2", L"");
    std::minstd_rand random(12345);  // the same pauses in every run
    std::uniform_int_distribution<int> pause(0, 99);
    for (int press = 0; press < presses; ++press) {
        hide(program, ours);
        if (!waitFor([&] { return !::IsWindowVisible(program.window()); }, 5s)) return 1;
        // A random pause, so the press falls anywhere in the program's poll
        // cycle (and Wine's key-state caching) rather than always at one phase.
        std::this_thread::sleep_for(std::chrono::milliseconds(50 + pause(random)));
        const auto start = Clock::now();
        sendKey(VK_CONTROL, true);
        sendKey(VK_F12, true);
        const bool back = waitFor([&] { return ::IsWindowVisible(program.window()) != FALSE; }, 2s, 1ms);
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
