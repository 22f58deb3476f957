// Drives the real QorvaneShutdown.exe under Wine as a user would; as System32's shutdown.exe it records how it ran.

#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <shobjidl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../faults/FaultPlan.h"
#include "FakePlatform.h"
#include "KeyFilter.h"
#include "ProgramDriver.h"

using namespace qorvane;
using namespace qorvane::e2e;
using namespace qorvane::ui;

namespace {

int passed = 0, failed = 0;
std::wstring gProgram;
std::string gShots;
constexpr int kClientWidth = 329, kClientHeight = 150;  // form1's client area as designed, at 96 DPI
const int gDpi = ::_wtoi(::_wgetenv(L"QORVANE_DPI"));   // the prefix's, set by the harness

bool check(bool ok, const std::string& what) {
    ok ? ++passed : ++failed;
    if (!ok) std::printf("FAILED: %s\n", what.c_str());
    return ok;
}

int scaled(int pixels, int dpi = gDpi) { return ::MulDiv(pixels, dpi, 96); }

// A Linux command's output, or nothing if it failed; awaited in a file, as Wine's wait may end before it wrote.
std::optional<std::string> shell(const std::string& command) {
    static int calls = 0;
    static const std::string run = std::filesystem::path(::_wgetenv(L"QORVANE_RUN")).string();  // this run's own
    const std::string out = run + "/answer-" + std::to_string(++calls);
    const std::string line = "/bin/sh -c \"{ " + command + "; } >" + out + ".part && mv " + out + ".part " + out + "\"";
    ::WinExec(line.c_str(), SW_HIDE);
    std::optional<std::string> text;
    waitFor([&] {
        std::ifstream file("Z:" + out);
        return file && (std::getline(file, text.emplace(), '\0'), true);
    });
    ::DeleteFileA(("Z:" + out).c_str());
    return text;
}

std::string xWindow(HWND window) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(::GetPropW(window, L"__wine_x11_whole_window")));
}

bool windowState(HWND window, const char* word, bool holds = true) {
    return waitFor([&] {
        const auto state = shell("xprop -id " + xWindow(window) + " _NET_WM_STATE");
        return state && state->starts_with("_NET_WM_STATE(ATOM)") && (state->find(word) != std::string::npos) == holds;
    });
}

// Saves the window as shown; no label's text may reach its last column or row (Label3, Label5 lie under others).
void screenshot(const App& app, const std::string& name) {
    ::RedrawWindow(app.window(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(300);
    RECT frame{}, client{}, label{};
    ::GetWindowRect(app.window(), &frame);
    ::GetClientRect(app.window(), &client);
    ::MapWindowPoints(app.window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const auto crop = [](const RECT& r, const RECT& from) {
        return " -crop " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
               std::to_string(r.left - from.left) + "+" + std::to_string(r.top - from.top) + " +repage ";
    };
    const std::string file = gShots + "/" + name + (gDpi == 96 ? "" : "-" + std::to_string(gDpi) + "dpi") + ".png";
    std::string command = "import -window root" + crop(frame, {}) + file, each;
    for (const ControlId id :
         {IdLabel1, IdLabel2, IdLabel4, IdLabel6, IdLabel7, IdLabel8, IdLabel9, IdLabel10, IdLabel11, IdLabel12}) {
        if (app.visible(id) && !app.text(id).empty() && ::GetWindowRect(app.control(id), &label) &&
            ::IntersectRect(&label, &label, &client)) {
            // The label's id where its ink, as ImageMagick trims it, ends before its last column and row.
            command += "; convert " + file + crop(label, frame) + "-trim -format '%[fx:page.x+w<page.width&&" +
                       "page.y+h<page.height?" + std::to_string(id) + ":0] ' info:";
            each += std::to_string(id) + " ";
        }
    }
    check(shell(command) == each, name + ": the text of each of the labels " + each + "fits it");
}

// What the stand-in recorded, lower case: "program|working folder|show command (-1 for none)|command line".
std::vector<std::string> records() {
    std::vector<std::string> lines;
    std::ifstream file("C:\\records.txt");
    for (std::string line; std::getline(file, line);) lines.push_back(::CharLowerA(line.data()));
    return lines;
}

const std::string gSystem = "c:\\windows\\system32";  // the prefix's, in lower case as records() gives it
// Where a program of this bitness that names System32 ends up (the program is built as the driver is).
const std::string gStandIn = sizeof(void*) == 4 ? "c:\\windows\\syswow64" : gSystem;

constexpr const char* kStandInMutex = "Local\\qorvane-stand-in";  // held by each stand-in till it ends
bool standInRunning() {
    const HANDLE running = ::OpenMutexA(SYNCHRONIZE, FALSE, kStandInMutex);
    return running != nullptr && ::CloseHandle(running);
}

void typeKeys(std::initializer_list<WORD> keys) {
    for (const WORD key : keys) sendKey(key, true), sendKey(key, false);
}

// Through X, as a user holds them (Wine takes the keys' state from X's at each focus); returns once Wine has them.
void holdCtrlF12(bool down) {
    shell(std::string("xdotool ") + (down ? "keydown" : "keyup") + " ctrl+F12");
    waitFor([&] { return (::GetAsyncKeyState(VK_CONTROL) < 0) == down && (::GetAsyncKeyState(VK_F12) < 0) == down; });
}

struct OtherProgram {  // a window of the driver's, for another program the user is in
    HWND window = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                    nullptr, nullptr, nullptr);
    ~OtherProgram() { ::DestroyWindow(window); }
    // Shown anew: openbox at times refuses the foreground to a window it already shows.
    bool toFront() const {
        ::ShowWindow(window, SW_HIDE);
        ::ShowWindow(window, SW_SHOW);
        ::SetForegroundWindow(window);
        return waitFor([&] { return ::GetForegroundWindow() == window; });
    }
};

// Under the filter, a box that takes WM_IME_CHAR as Windows' edit does, typed (Wine's passes it on as WM_CHAR).
LRESULT CALLBACK asWindowsEdit(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return ::DefSubclassProc(box, message == WM_IME_CHAR ? WM_CHAR : message, wParam, lParam);
}

// The boxes' filter on a box of the driver's own, where Wine's imm32 answers for it.
void boxFilter() {
    testing::FakePlatform platform;
    const CountdownController controller(platform);
    win32::SystemFunctions system;
    const HWND box = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 60, 20, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowSubclass(box, asWindowsEdit, 0, 0);
    const HIMC before = ::ImmGetContext(box);
    ::ImmReleaseContext(box, before);
    ui::filterKeys(box, controller, system);
    for (const wchar_t typed : {L'a', L'啊', L'３', L'2'}) ::SendMessageW(box, WM_IME_CHAR, typed, 0);
    check(before != nullptr && ::ImmGetContext(box) == nullptr && textOf(box) == L"2",
          "a box without input methods, where of their letters, 啊 and full-width digits only a digit lands");
}

// The window as it starts and takes its entries, at the prefix's DPI.
void window() {
    const App app(gProgram);
    RECT client{}, frame{}, work{}, heading{};
    ::GetClientRect(app.window(), &client);
    ::GetWindowRect(app.window(), &frame);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(client.right == scaled(kClientWidth) && client.bottom == scaled(kClientHeight) &&
              std::abs(frame.left + frame.right - work.left - work.right) <= 2 &&
              std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 2,
          "the client area, centred on the screen");
    check(waitFor([&] { return app.focused(IdCombo1); }), "active, the list has the focus");
    const auto labelBefore = [&](ControlId box) { return textOf(::GetWindow(app.control(box), GW_HWNDPREV)); };
    check(labelBefore(IdText1) == L"小时" && labelBefore(IdText2) == L"分钟",
          "each box follows its label, which a screen reader names it by");
    screenshot(app, "startup");
    app.choose(1);
    typeKeys({VK_TAB});  // to the hours box, which has the focus back once a message is dismissed with Enter
    check(waitFor([&] { return app.focused(IdText1); }), "Tab from the list to the hours box");
    ::PostMessageW(app.window(), WM_COMMAND, MAKEWPARAM(IdCommand1, BN_CLICKED),
                   reinterpret_cast<LPARAM>(app.control(IdCommand1)));  // 执行, the focus left where it is
    const MessageBoxSeen noTime = app.waitForMessage();                 // 请设置时间！
    ::PostMessageW(app.window(), WM_CLOSE, 0, 0);
    check(!app.waitForExit(1500), "no closing while the message is open");
    typeKeys({VK_RETURN});
    waitFor([&] { return !::IsWindow(noTime.box) && app.focus() != nullptr; });
    typeKeys({'1'});
    check(waitFor([&] { return app.text(IdText1) == L"1"; }), "after the message, typing goes on in the hours box");
    screenshot(app, "setup");  // with the longest suffix, 后重新启动
    ::SendMessageW(app.control(IdText2), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"4x5"));  // as a paste
    check(app.text(IdText2) == L"45", "a paste shows as the rules keep it");
    const App second(gProgram, nullptr);
    const MessageBoxSeen seen = second.waitForMessage();
    check(seen.text == L"该程序已经处于运行状态" && seen.title == L"系统提示" && seen.hasIcon,
          "a second copy: its message");
    second.dismiss(seen);
    check(second.waitForExit(5000) && !app.waitForExit(2000), "it ends, the first goes on");
    app.start(1, L"545", L"59");  // the widest hours and minutes left
    screenshot(app, "countdown");
    const auto left = [&] { return app.text(IdLabel8) + app.text(IdLabel9) + L"|" + app.text(IdLabel11); };
    const std::wstring started = left();
    app.elapseTimer1();
    check(started == L"离重新启动还有：545|59" && left() == L"离重新启动还有：545|58",
          "the countdown's heading and time left, at 执行 and a minute later");
    // Moved to a monitor of another DPI, as on Windows 10: asked its size, then given a rectangle for Wine's frame.
    const int other = gDpi == 96 ? 192 : 96;
    RECT due{0, 0, scaled(kClientWidth, other), scaled(kClientHeight, other)};  // in Windows' frame for that DPI
    const auto style = [&](int which) { return static_cast<DWORD>(::GetWindowLongW(app.window(), which)); };
    ::AdjustWindowRectExForDpi(&due, style(GWL_STYLE), FALSE, style(GWL_EXSTYLE), static_cast<UINT>(other));
    const RECT suggested{0, 0, scaled(kClientWidth, other) + frame.right - frame.left - client.right,
                         scaled(kClientHeight, other) + frame.bottom - frame.top - client.bottom};
    SIZE asked{};
    void* remote = ::VirtualAllocEx(app.process(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    ::SendMessageW(app.window(), WM_GETDPISCALEDSIZE, static_cast<WPARAM>(other), reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(app.process(), remote, &asked, sizeof(asked), nullptr);
    check(faults::planned("windows7") || (asked.cx == due.right - due.left && asked.cy == due.bottom - due.top),
          "asked with WM_GETDPISCALEDSIZE (never on Windows 7), its size there in Windows' frame");
    ::WriteProcessMemory(app.process(), remote, &suggested, sizeof(suggested), nullptr);
    ::SendMessageW(app.window(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(remote));
    ::GetWindowRect(app.window(), &frame);
    ::GetWindowRect(app.control(IdLabel8), &heading);  // inside the frame: at 8 + 24, 0 + 24 at 96 DPI
    ::MapWindowPoints(nullptr, app.window(), reinterpret_cast<POINT*>(&heading), 1);
    check(::EqualRect(&frame, &suggested) && heading.left == scaled(32, other) && heading.top == scaled(24, other) &&
              shell("xprop -id " + xWindow(app.window()) + " _NET_WM_ICON | grep -o '[0-9]* x'") ==
                  std::to_string(scaled(32, other)) + " x\n" + std::to_string(scaled(16, other)) + " x\n",
          "then it takes the rectangle, and lays its controls out and takes its icons for that DPI");
    screenshot(app, "countdown-at-" + std::to_string(other) + "dpi");
    boxFilter();
}

// Ctrl+F12 tapped in another program, as quickly as a user does: the window comes in front, shown and restored.
bool recallWithCtrlF12(const App& app) {
    shell("xdotool keydown ctrl+F12 sleep 0.05");
    holdCtrlF12(false);
    return waitFor([&] {
        return ::GetForegroundWindow() == app.window() && ::IsWindowVisible(app.window()) && !::IsIconic(app.window());
    });
}

// Under a window manager: the focus comes back to the control that had it, Enter presses the focused button.
void recall() {
    const App app(gProgram);
    check(waitFor([&] { return app.focused(IdCombo1); }), "active, the list has the focus");
    app.choose(0);
    typeKeys({VK_TAB, '0'});
    check(waitFor([&] { return app.text(IdText1) == L"0"; }), "typing in the hours box");
    // Through X once X can focus the window (mapped a little after Wine shows it): a key handed to Wine can beat it.
    const auto typingGoesOn = [&](char digit, const std::wstring& expected) {
        shell("for i in $(seq 100); do xdotool windowfocus --sync " + xWindow(app.window()) +
              " 2>/dev/null && break; sleep 0.05; done; xdotool key " + digit);
        return waitFor([&] { return app.focused(IdText1) && app.text(IdText1) == expected; });
    };
    // 隐藏, the focus left where it is; called back from another program.
    ::PostMessageW(app.window(), WM_COMMAND, MAKEWPARAM(IdCommand3, BN_CLICKED),
                   reinterpret_cast<LPARAM>(app.control(IdCommand3)));
    const MessageBoxSeen seen = app.waitForMessage();
    check(seen.text == L"程序已转到后台运行，按Ctrl+F12即可回到程序！" && seen.title == L"注意" && !seen.hasIcon &&
              !::IsWindowVisible(app.window()) && ::GetWindow(seen.box, GW_OWNER) == nullptr,
          "the hide notice, on its own once the window has gone");
    app.dismiss(seen);
    const OtherProgram other;
    check(other.toFront() && recallWithCtrlF12(app) && typingGoesOn('1', L"01"),
          "Ctrl+F12 in another program calls the hidden window back, typing goes on");
    // Minimized and restored by the window manager, as the title bar and a taskbar click do.
    shell("xdotool windowminimize " + xWindow(app.window()));
    check(windowState(app.window(), "HIDDEN"), "minimized by the window manager");
    shell("xdotool windowactivate " + xWindow(app.window()));
    check(waitFor([&] { return ::GetForegroundWindow() == app.window(); }) && typingGoesOn('2', L"012"),
          "restored by it, typing goes on in the hours box");
    check(other.toFront(), "another program in front");
    ::ShowWindow(app.window(), SW_MINIMIZE);
    check(windowState(app.window(), "HIDDEN") && recallWithCtrlF12(app) && typingGoesOn('3', L"0123"),
          "Ctrl+F12 restores a minimized window, typing goes on");
    shell("xdotool keydown BackSpace sleep 1 keyup BackSpace");
    check(waitFor([&] { return app.text(IdText1).empty(); }), "a held Backspace repeats, as every key but Enter");
    app.type(IdText1, L"1");
    // Enter held on 执行, through X: disabled, it hands the focus to 取消任务, which the repeats must not press.
    typeKeys({VK_TAB, VK_TAB});
    check(waitFor([&] { return app.focused(IdCommand1); }), "执行 has the focus");
    shell("xdotool windowfocus --sync " + xWindow(app.window()) +
          " keydown Return sleep 1 keyup Return key Escape key Tab");
    check(waitFor([&] { return app.focused(IdCommand3); }) && app.visible(IdLabel9) && !app.visible(IdCombo1),
          "Enter held on 执行 starts one countdown, and neither it nor Esc after it ends it");
    // Under com-fails-once the taskbar list cannot be made this time, and the button stays.
    if (!faults::planned("com-fails-once"))
        check(windowState(app.window(), "SKIP_TASKBAR"), "no taskbar button while counting down");
    // Explorer, restarted, gives every window a button and says so: ours takes it away again.
    ITaskbarList* taskbar = nullptr;
    ::CoInitialize(nullptr);
    check(SUCCEEDED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                       reinterpret_cast<void**>(&taskbar))) &&
              SUCCEEDED(taskbar->HrInit()) && SUCCEEDED(taskbar->AddTab(app.window())) &&
              windowState(app.window(), "SKIP_TASKBAR", false),
          "Explorer gave the window a button");
    ::SendMessageW(app.window(), ::RegisterWindowMessageW(L"TaskbarButtonCreated"), 0, 0);
    check(windowState(app.window(), "SKIP_TASKBAR"), "told so, the window takes it away again");
    shell("xdotool key shift+Tab");  // back to 取消任务
    typeKeys({VK_RETURN});
    check(waitFor([&] { return app.visible(IdText1) && ::IsWindowEnabled(app.control(IdCommand1)); }) &&
              windowState(app.window(), "SKIP_TASKBAR", false),
          "Enter presses the focused 取消任务: the setup and the taskbar button are back");
}

void planted() {
    for (const char* folder : {"C:\\app", "C:\\work"}) {
        ::CreateDirectoryA(folder, nullptr);
        ::CopyFileA((gSystem + "\\shutdown.exe").c_str(), (std::string(folder) + "\\shutdown.exe").c_str(), FALSE);
    }
    ::CopyFileW(gProgram.c_str(), L"C:\\app\\QorvaneShutdown.exe", FALSE);
    const App app(L"C:\\app\\QorvaneShutdown.exe", kWindowClassName, L"C:\\work");
    // The maker's name opens the web page through the shell; the stand-in answers for the browser.
    ::SendMessageW(app.window(), WM_COMMAND, MAKEWPARAM(IdLabel6, STN_CLICKED),
                   reinterpret_cast<LPARAM>(app.control(IdLabel6)));
    check(waitFor([] { return records().size() == 1; }) && records()[0].find("|5|") != std::string::npos &&
              records()[0].ends_with("\"https://tovric.example.com/\""),
          "the maker's page opens, shown normally");
    app.start(1, L"0", L"2");
    app.pressAndSettle(IdCommand2);
    app.start(1, L"0", L"2");
    app.elapseTimer1();
    app.elapseTimer1();
    check(waitFor([] { return records().size() == 2 && !standInRunning(); }) && app.pollsQuietly() &&
              records()[1] == gStandIn + "\\shutdown.exe|" + gSystem + "|0|shutdown -r -f -t 0",
          "at 0 the command runs hidden, from and in the system directory, and ends: a success shows nothing");
    // Windows refuses the command once it runs: the user hears of it.
    std::ofstream("C:\\exitcode.txt") << 1190;
    app.pressAndSettle(IdCommand2);
    app.start(0, L"0", L"0");
    const MessageBoxSeen refused = app.waitForMessage();
    check(refused.text == L"无法执行关机操作！" && refused.title == L"注意", "a refused command: its message");
    app.dismiss(refused);
    ::PostMessageW(app.window(), WM_CLOSE, 0, 0);
    check(app.waitForExit(5000), "closing ends the program");
    // Kept awake while counting, never the display; released by 取消任务 and at zero (from Wine's log).
    check(shell("grep -ao 'NtSetThreadExecutionState (0x[0-9a-f]*' $QORVANE_RUN/wine.log | cut -d'(' -f2") ==
              "0x80000001\n0x80000000\n0x80000001\n0x80000000\n",
          "the system kept awake while counting, and let sleep after");
    // Beside it the harness planted a DLL the shell loads, as a program there that does not ask for System32 does.
    const auto loads = [] { return shell("grep -a 'Loaded L.C:..app..shlwapi' $QORVANE_RUN/wine.log | wc -l"); };
    const auto byProgram = loads();
    App(L"C:\\app\\shutdown.exe", nullptr).waitForExit(5000);
    check(byProgram == "0\n" && loads() == "1\n", "a DLL planted beside the program is not loaded");
}

// 1 min on the real timer, Ctrl+F12 behind another program under Windows' lock: one helper at a time joins it, none
// while it hangs; the plan stalls each 10 s, the last from 5 s before zero, when the command runs all the same.
void minute() {
    const App app(gProgram);
    const OtherProgram other;
    app.start(0, L"0", L"1");
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    const auto helperJoined = [&] {  // it shares the input of the program in front, whose active window it sees
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        return ::GetGUIThreadInfo(faults::logged("helper thread"), &gui) && gui.hwndActive == other.window;
    };
    check(other.toFront(), "another program in front");
    holdCtrlF12(true);
    check(waitFor([&] { return faults::logged("helper tries") == 1 && helperJoined(); }),
          "Ctrl+F12: the helper joins the program in front");
    shell("xdotool keyup ctrl+F12 sleep 0.1 keydown ctrl+F12 sleep 0.1");  // pressed again while it waits
    holdCtrlF12(false);
    check(waitFor([&] { return ::GetForegroundWindow() == app.window(); }, 15s) &&
              !waitFor([] { return faults::logged("helper tries") > 1; }, 1s),
          "in front once the program in front answers; the second press tried nothing more");
    // The program in front stops answering, hung to Windows after 5 s: no helper may join it (keys not through X).
    const UINT windowTries = faults::logged("window tries");
    check(other.toFront() && waitFor([&] { return ::IsHungAppWindow(other.window); }, 8s, 5ms, false), "it hangs");
    for (const WORD key : {WORD{VK_CONTROL}, WORD{VK_F12}}) sendKey(key, true);
    check(waitFor([&] { return faults::logged("window tries") > windowTries; }, 5s, 5ms, false) &&
              !waitFor([] { return faults::logged("helper tries") > 1; }, 1s, 5ms, false),
          "Ctrl+F12 then: refused, and no helper joins it");
    for (const WORD key : {WORD{VK_F12}, WORD{VK_CONTROL}}) sendKey(key, false);
    check(other.toFront() && !helperJoined(), "another program in front, which the helper left");
    waitFor([&] { return since() >= 55; }, 60s, 100ms);
    holdCtrlF12(true);
    check(waitFor([] { return faults::logged("helper tries") == 2; }), "Ctrl+F12 again: a new helper, the last done");
    holdCtrlF12(false);
    const bool ran = waitFor([] { return !records().empty(); }, 10s, 20ms);
    const double at = since();
    check(ran && at > 59.5 && at < 61, "the command runs at zero, " + std::to_string(at) + " s after 执行");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    char self[MAX_PATH], folder[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    if (std::string(self).ends_with("\\shutdown.exe")) {
        ::CreateMutexA(nullptr, FALSE, kStandInMutex);
        ::LoadLibraryA("shlwapi.dll");  // by name, as a program that takes Windows' order as it is
        STARTUPINFOW startup{};
        ::GetStartupInfoW(&startup);
        const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
        std::ofstream("C:\\records.txt", std::ios::app)
            << self << '|' << folder << '|' << show << '|' << ::GetCommandLineA() << '\n';
        int exitCode = 0;  // as Windows' own answers: 0 done, else refused
        std::ifstream("C:\\exitcode.txt") >> exitCode;
        return exitCode;
    }
    // In place of System32's shutdown.exe, where Windows leads this bitness: SysWOW64 for a 32-bit driver and program.
    ::CopyFileA(self, (gSystem + "\\shutdown.exe").c_str(), FALSE);
    const std::map<std::wstring, void (*)()> scenarios{
        {L"window", window}, {L"recall", recall}, {L"planted", planted}, {L"minute", minute}};
    if (argc < 4 || scenarios.count(argv[1]) == 0) return std::printf("usage: driver SCENARIO PROGRAM SHOTS\n"), 2;
    gProgram = argv[2];
    gShots.assign(argv[3], argv[3] + ::lstrlenW(argv[3]));  // a Linux path: ASCII
    scenarios.at(argv[1])();
    std::istringstream plan(faults::words());
    for (std::string word; plan >> word;) check(faults::acted(word), "the plan's " + word + " took effect");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
