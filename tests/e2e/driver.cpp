// Drives the real QorvaneShutdown.exe as a user would, under Wine, and checks
// what it shows and what it runs. One scenario per call:
//   driver.exe SCENARIO PROGRAM.exe SCREENSHOT_DIR
// Prints every failed check and ends with "N passed, N failed".

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "ControlIds.h"
#include "ProgramDriver.h"
#include "Fonts.h"
#include "Form1Layout.h"
#include <shobjidl.h>

using namespace qorvane;
using namespace qorvane::ui;
using namespace qorvane::e2e;
using namespace std::chrono_literals;

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED: %s\n", what.c_str());
        std::fflush(stdout);
    }
}

void checkEqual(const std::wstring& actual, std::wstring_view expected, const std::string& what) {
    check(actual == expected, what + ": got \"" + utf8(actual) + "\", want \"" + utf8(std::wstring(expected)) + "\"");
}

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}

// The lines the shutdown stand-ins wrote: "path|command line".
std::vector<std::wstring> records() {
    std::vector<std::wstring> lines;
    const HANDLE file = ::CreateFileW(environment(L"QORVANE_RECORD_FILE").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    std::size_t start = 0;
    for (std::size_t end; (end = wide.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        lines.push_back(wide.substr(start, end - start));
    }
    return lines;
}

std::wstring commandOf(const std::wstring& record) { return record.substr(record.rfind(L'|') + 1); }
std::wstring folderOf(const std::wstring& record) {
    const std::size_t start = record.find(L'|') + 1;
    return record.substr(start, record.rfind(L'|') - start);
}

bool ranFrom(const std::wstring& record, const std::wstring& program) {
    return _wcsicmp(record.substr(0, record.find(L'|')).c_str(), program.c_str()) == 0;
}

std::wstring systemShutdown() {
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\shutdown.exe";
}

void expectMessage(const App& app, std::wstring_view text, std::wstring_view title, bool icon,
                   const std::string& when) {
    const MessageBoxSeen seen = app.waitForMessage();
    check(seen.box != nullptr, when + ": a message box opens");
    if (seen.box == nullptr) return;
    checkEqual(seen.text, text, when + ": message text");
    checkEqual(seen.title, title, when + ": message title");
    check(seen.hasIcon == icon, when + (icon ? ": information icon" : ": no icon"));
    app.dismiss(seen);
}

// Saves the window, frame included, as a 24-bit BMP.
void screenshot(HWND window, const std::wstring& path) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    std::this_thread::sleep_for(300ms);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    const HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(out, &file, sizeof(file), &written, nullptr);
    ::WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr);
    ::WriteFile(out, bits, imageSize, &written, nullptr);
    ::CloseHandle(out);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

std::wstring gProgram;
std::wstring gShots;

bool setupViewShowing(const App& app) {
    return app.visible(IdLabel1) && app.visible(IdCombo1) && !app.visible(IdLabel8) && !app.visible(IdLabel9) &&
           !app.visible(IdLabel10) && !app.visible(IdLabel11) && !app.visible(IdLabel12);
}

void expectCountdown(const App& app, std::wstring_view hours, std::wstring_view minutes, const std::string& when) {
    bool view = true;
    for (const ControlId id : {IdLabel8, IdLabel9, IdLabel10, IdLabel11, IdLabel12}) view = view && app.visible(id);
    for (const ControlId id : {IdLabel1, IdCombo1, IdText1, IdLabel2, IdText2, IdLabel3, IdLabel4})
        view = view && !app.visible(id);
    check(view, when + ": the countdown view alone shows");
    check(!::IsWindowEnabled(app.control(IdCommand1)), when + ": 执行 is disabled");
    checkEqual(app.text(IdLabel9), hours, when + ": hours left");
    checkEqual(app.text(IdLabel11), minutes, when + ": minutes left");
}

HWND focusOf(const App& app) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(app.window(), nullptr), &gui);
    return gui.hwndFocus;
}

bool focusOnAUsableControl(const App& app) {
    const HWND focus = focusOf(app);
    return focus != nullptr && ::GetParent(focus) == app.window() && ::IsWindowVisible(focus) &&
           ::IsWindowEnabled(focus);
}

void click(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    INPUT inputs[3]{};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = ((rect.left + rect.right) / 2) * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = ((rect.top + rect.bottom) / 2) * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
}

void typeKey(WORD key) {
    sendKey(key, true);
    sendKey(key, false);
}

// A window of the driver's own, standing for another program the user is in.
class OtherProgram {
public:
    OtherProgram() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"Qorvane.Test.OtherProgram";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                    200, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~OtherProgram() { ::DestroyWindow(window_); }
    bool toFront() const {
        ::SetForegroundWindow(window_);
        return waitFor([&] { return ::GetForegroundWindow() == window_; });
    }

private:
    HWND window_ = nullptr;
};

// Whether the window manager was told to leave the window off the taskbar
// (Wine marks it so for a window whose taskbar button is deleted).
bool skipsTaskbar(HWND window) {
    const auto xWindow = reinterpret_cast<std::uintptr_t>(::GetPropW(window, L"__wine_x11_whole_window"));
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE out = ::CreateFileW(L"C:\\xprop.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                                     CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    PROCESS_INFORMATION process{};
    std::wstring command = L"/usr/bin/xprop -id " + std::to_wstring(xWindow) + L" _NET_WM_STATE";
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    ::CloseHandle(out);
    // Wine's wait on a Linux process can end before it wrote: wait for its line instead.
    std::string line;
    waitFor([&] {
        char buffer[512] = {};
        DWORD read = 0;
        const HANDLE in = ::CreateFileW(L"C:\\xprop.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ::ReadFile(in, buffer, sizeof(buffer) - 1, &read, nullptr);
        ::CloseHandle(in);
        line = buffer;
        return line.find('\n') != std::string::npos;
    });
    return line.find("_NET_WM_STATE_SKIP_TASKBAR") != std::string::npos;
}

// Every label's text fits it in the label's font (font handles do not cross
// processes, so the same font is made here), and every control sits where
// the layout puts it at this DPI.
void checkLayout(const App& app, UINT dpi, const std::string& when) {
    const auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); };
    for (const ControlSpec& item : kForm1Controls) {
        RECT rect{};
        ::GetWindowRect(app.control(item.id), &rect);
        ::MapWindowPoints(nullptr, app.window(), reinterpret_cast<POINT*>(&rect), 2);
        const int left = item.left + (item.inFrame ? kFrameLeft : 0), top = item.top + (item.inFrame ? kFrameTop : 0);
        // Wine keeps a closed list at least as high as its font needs.
        check(rect.left == scaled(left) && rect.top == scaled(top) && rect.right - rect.left == scaled(item.width) &&
                  (item.kind == Kind::List || rect.bottom - rect.top == scaled(item.height)),
              when + ": control " + std::to_string(item.id) + " placed");
    }
    const HFONT font = makeWindowFont(chooseFontFace(), dpi);
    const HFONT headingFont = makeHeadingFont(dpi);
    // The list's entries are as high as its font: the font follows the DPI.
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen, &metrics);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    check(::SendMessageW(app.control(IdCombo1), CB_GETITEMHEIGHT, 0, 0) == metrics.tmHeight,
          when + ": the list's font is " + std::to_string(metrics.tmHeight) + " px high");
    // Measured to the lowest pixel drawn: Debian's stand-in for SimSun has a line taller than its glyphs.
    for (const ControlId id : {IdLabel1, IdLabel2, IdLabel5, IdLabel6, IdLabel7, IdLabel8}) {
        const HWND label = app.control(id);
        const HDC dc = ::GetDC(label);
        const HGDIOBJ old = ::SelectObject(dc, id == IdLabel8 ? headingFont : font);
        const std::wstring caption = textOf(label);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        TEXTMETRICW line{};
        ::GetTextMetricsW(dc, &line);
        long bottom = 0;
        for (const wchar_t c : caption) {
            GLYPHMETRICS glyph{};
            const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
            ::GetGlyphOutlineW(dc, c, GGO_METRICS, &glyph, 0, nullptr, &identity);
            bottom = std::max(bottom, line.tmAscent - glyph.gmptGlyphOrigin.y + static_cast<long>(glyph.gmBlackBoxY));
        }
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        RECT box{};
        ::GetClientRect(label, &box);
        check(extent.cx <= box.right && bottom <= box.bottom,
              when + ": \"" + utf8(caption) + "\" fits: " + std::to_string(extent.cx) + "x" + std::to_string(bottom) +
                  " in " + std::to_string(box.right) + "x" + std::to_string(box.bottom));
    }
    ::DeleteObject(font);
    ::DeleteObject(headingFont);
}

// Moves the window to a monitor of another DPI, as Windows does: it asks the
// window for its size there, then tells it the new DPI with a rectangle of
// that size. Neither message's pointer crosses processes by itself, so both
// structures are placed in the program's memory.
void changeDpi(const App& app, UINT dpi) {
    void* remote = ::VirtualAllocEx(app.process(), nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE size{};
    ::WriteProcessMemory(app.process(), remote, &size, sizeof(size), nullptr);
    const LRESULT answered =
        ::SendMessageW(app.window(), 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi, reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(app.process(), remote, &size, sizeof(size), nullptr);
    // The client area 329 x 150 scaled, with the frame Windows draws at that DPI.
    RECT wanted{0, 0, ::MulDiv(kClientWidth, static_cast<int>(dpi), 96),
                ::MulDiv(kClientHeight, static_cast<int>(dpi), 96)};
    ::AdjustWindowRectExForDpi(&wanted, static_cast<DWORD>(::GetWindowLongPtrW(app.window(), GWL_STYLE)), FALSE,
                               static_cast<DWORD>(::GetWindowLongPtrW(app.window(), GWL_EXSTYLE)), dpi);
    check(answered == TRUE && size.cx == wanted.right - wanted.left && size.cy == wanted.bottom - wanted.top,
          "the window asks for its client area at " + std::to_string(dpi) + " DPI");
    RECT window{};
    ::GetWindowRect(app.window(), &window);
    RECT suggested{window.left, window.top, window.left + size.cx, window.top + size.cy};
    ::WriteProcessMemory(app.process(), remote, &suggested, sizeof(suggested), nullptr);
    ::SendMessageW(app.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    ::VirtualFreeEx(app.process(), remote, 0, MEM_RELEASE);
    RECT now{};
    ::GetWindowRect(app.window(), &now);
    check(::EqualRect(&now, &suggested) != FALSE, "the window takes the rectangle Windows suggests");
}

// ---- Scenarios ----

void startup() {
    App app(gProgram);
    check(app.ok(), "the window appears");
    if (!app.ok()) return;
    checkEqual(textOf(app.window()), L"Qorvane定时关机V1.0", "caption");
    const UINT dpi =
        static_cast<UINT>(std::stoi(environment(L"QORVANE_DPI").empty() ? L"96" : environment(L"QORVANE_DPI")));
    // Centred on the screen's work area.
    RECT frame{}, work{};
    ::GetWindowRect(app.window(), &frame);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs((frame.left + frame.right) - (work.left + work.right)) <= 2 &&
              std::abs((frame.top + frame.bottom) - (work.top + work.bottom)) <= 2,
          "centred on the screen");

    const HWND list = app.control(IdCombo1);
    check(::SendMessageW(list, CB_GETCOUNT, 0, 0) == 3, "three actions in the list");
    const wchar_t* entries[] = {L"关机", L"重新启动", L"注销"};
    for (int i = 0; i < 3; ++i) {
        wchar_t entry[64] = {};
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        checkEqual(entry, entries[i], "entry " + std::to_string(i));
    }
    check(::SendMessageW(list, CB_GETCURSEL, 0, 0) == CB_ERR, "nothing selected");
    check(setupViewShowing(app), "setup view, no countdown labels");
    for (const ControlId id : {IdText1, IdLabel2, IdText2, IdLabel3}) check(!app.visible(id), "hours line hidden");
    check(app.visible(IdLabel4) && app.text(IdLabel4).empty(), "the suffix label is there and empty");
    checkEqual(app.text(IdCommand1), L"执行", "Command1");
    checkEqual(app.text(IdCommand2), L"取消任务", "Command2");
    checkEqual(app.text(IdCommand3), L"隐藏", "Command3");
    checkEqual(app.text(IdLabel1), L"请选择计算机将要执行的操作：", "Label1");
    checkEqual(app.text(IdLabel6), L"Tovric", "Label6");
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    check(waitFor([&] { return focusOf(app) == list; }), "the list has the focus");
    // Tab goes on to the next control that is shown: 执行, the hours line being hidden.
    sendKey(VK_TAB, true);
    sendKey(VK_TAB, false);
    check(waitFor([&] {
              ::GetGUIThreadInfo(::GetWindowThreadProcessId(app.window(), nullptr), &gui);
              return gui.hwndFocus == app.control(IdCommand1);
          }),
          "Tab moves the focus to 执行");
    sendKey(VK_SHIFT, true);
    sendKey(VK_TAB, true);
    sendKey(VK_TAB, false);
    sendKey(VK_SHIFT, false);
    check(waitFor([&] {
              ::GetGUIThreadInfo(::GetWindowThreadProcessId(app.window(), nullptr), &gui);
              return gui.hwndFocus == list;
          }),
          "Shift+Tab moves it back to the list");

    RECT client{};
    ::GetClientRect(app.window(), &client);
    check(client.right == ::MulDiv(kClientWidth, static_cast<int>(dpi), 96) &&
              client.bottom == ::MulDiv(kClientHeight, static_cast<int>(dpi), 96),
          "client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    checkLayout(app, dpi, "at start");
    screenshot(app.window(), gShots + L"\\startup.bmp");
    // Moved between monitors of other DPIs.
    for (const UINT other : {144U, 120U, 192U}) {
        changeDpi(app, other);
        checkLayout(app, other, "moved to " + std::to_string(other) + " DPI");
        screenshot(app.window(), gShots + L"\\moved-to-" + std::to_wstring(other) + L"dpi.bmp");
    }
}

void setupLine() {
    App app(gProgram);
    if (!app.ok()) return check(false, "the window appears");
    const wchar_t* suffixes[] = {L"后关机", L"后重新启动", L"后注销"};
    const wchar_t* headings[] = {L"离关机还有：", L"离重新启动还有：", L"离注销还有："};
    for (int position = 2; position >= 0; --position) {
        app.choose(position);
        checkEqual(app.text(IdLabel4), suffixes[position], "suffix");
        checkEqual(app.text(IdLabel8), headings[position], "heading");
    }
    for (const ControlId id : {IdText1, IdLabel2, IdText2, IdLabel3, IdLabel4})
        check(app.visible(id), "setup line shown");

    app.type(IdText1, L"1a -.\r2");
    checkEqual(app.text(IdText1), L"12", "the key filter keeps digits only");
    app.type(IdText1, L"\b");
    checkEqual(app.text(IdText1), L"1", "Backspace works");
    app.type(IdText1, L"45");
    ::SendMessageW(app.control(IdText1), EM_SETSEL, 0, 0);
    ::SendMessageW(app.control(IdText1), WM_KEYDOWN, VK_DELETE, 0);
    checkEqual(app.text(IdText1), L"45", "Delete still deletes");

    app.type(IdText2, L"60");
    checkEqual(app.text(IdText2), L"60", "60 minutes stay");
    app.type(IdText2, L"0");
    checkEqual(app.text(IdText2), L"", "a third digit after 60 empties the box");
    app.type(IdText2, L"61");
    checkEqual(app.text(IdText2), L"", "61 empties the box");

    // A paste from the context menu keeps only the digits, then the minutes rule applies.
    for (const auto& [pasted, expected] : std::map<std::wstring, std::wstring>{{L"a3b5", L"35"}, {L"x7y0", L""}}) {
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            const std::size_t bytes = (pasted.size() + 1) * sizeof(wchar_t);
            const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
            std::memcpy(::GlobalLock(memory), pasted.c_str(), bytes);
            ::GlobalUnlock(memory);
            ::SetClipboardData(CF_UNICODETEXT, memory);
            ::CloseClipboard();
        }
        app.clear(IdText2);
        ::SendMessageW(app.control(IdText2), WM_PASTE, 0, 0);
        checkEqual(app.text(IdText2), expected, "pasting " + utf8(pasted));
    }
    app.clear(IdText2);
    app.type(IdText2, L"30");
    app.choose(1);
    screenshot(app.window(), gShots + L"\\setup.bmp");

    // The shell is loaded for the credit link, not at start-up.
    check(!app.hasModule(L"shell32.dll"), "start-up does not load the shell");
    ::SendMessageW(app.window(), WM_COMMAND, MAKEWPARAM(IdLabel6, STN_CLICKED),
                   reinterpret_cast<LPARAM>(app.control(IdLabel6)));
    check(app.hasModule(L"shell32.dll"), "clicking the credit link loads the shell to open it");
    check(app.visible(IdText2), "and the window goes on as it was");
}

void entryMessages() {
    App app(gProgram);
    if (!app.ok()) return check(false, "the window appears");
    app.press(IdCommand1);
    expectMessage(app, L"请选择操作类型！", L"注意", false, "execute before choosing");
    check(setupViewShowing(app) && !app.visible(IdText1), "nothing changed");

    // The focus comes back to the box that had it, after a message dismissed
    // with Enter and after another program was in front.
    app.choose(0);
    click(app.control(IdText2));
    check(waitFor([&] { return focusOf(app) == app.control(IdText2); }), "a click puts the focus in the minutes box");
    ::PostMessageW(app.window(), WM_COMMAND, MAKEWPARAM(IdCommand1, BN_CLICKED),
                   reinterpret_cast<LPARAM>(app.control(IdCommand1)));
    const MessageBoxSeen noTime = app.waitForMessage();
    checkEqual(noTime.text, L"请设置时间！", "execute with no time");
    ::PostMessageW(app.window(), WM_CLOSE, 0, 0);
    check(!app.waitForExit(1500), "the window cannot be closed while its message is open");
    typeKey(VK_RETURN);
    waitFor([&] { return !::IsWindow(noTime.box) && app.active(); });
    typeKey('1');
    check(waitFor([&] { return app.text(IdText2) == L"1"; }), "after the message, typing goes on in the minutes box");
    {
        OtherProgram other;
        check(other.toFront(), "another program is in front");
        ::SetForegroundWindow(app.window());
        waitFor([&] { return ::GetForegroundWindow() == app.window(); });
        typeKey('5');
        check(waitFor([&] { return app.text(IdText2) == L"15"; }), "back from it, typing goes on in the minutes box");
    }

    app.enter(L"546", L"8");
    app.press(IdCommand1);
    expectMessage(app, L"请输入有效的时间（最多546小时7分钟）！", L"注意", false, "546 hours 8 minutes");
    check(setupViewShowing(app) && ::IsWindowEnabled(app.control(IdCommand1)), "still in the setup view");

    app.enter(L"2", L"");
    app.pressAndSettle(IdCommand1);
    checkEqual(app.text(IdText2), L"0", "empty minutes become 0");
    expectCountdown(app, L"2", L"0", "2 hours");
    app.pressAndSettle(IdCommand2);

    app.enter(L"", L"5");
    app.pressAndSettle(IdCommand1);
    checkEqual(app.text(IdText1), L"0", "empty hours become 0");
    expectCountdown(app, L"0", L"5", "5 minutes");
    app.pressAndSettle(IdCommand2);

    app.enter(L"546", L"7");
    app.pressAndSettle(IdCommand1);
    expectCountdown(app, L"546", L"7", "the largest count");
    screenshot(app.window(), gShots + L"\\countdown-546h07.bmp");
    app.pressAndSettle(IdCommand2);
    app.enter(L"1", L"30");
    app.pressAndSettle(IdCommand1);
    expectCountdown(app, L"1", L"30", "1 hour 30");
    screenshot(app.window(), gShots + L"\\countdown.bmp");
    check(records().empty(), "nothing was run");
}

void countdown() {
    const wchar_t* commands[] = {L"shutdown -s -f -t 0", L"shutdown -r -f -t 0", L"shutdown -l -f"};
    {
        App app(gProgram);
        if (!app.ok()) return check(false, "the window appears");
        app.start(0, L"0", L"2");
        expectCountdown(app, L"0", L"2", "start");
        app.elapseTimer1();
        expectCountdown(app, L"0", L"1", "first minute");
        check(records().empty(), "nothing runs before zero");
        app.elapseTimer1();
        expectCountdown(app, L"0", L"0", "zero");
        waitFor([] { return !records().empty(); });
        const auto lines = records();
        check(lines.size() == 1 && commandOf(lines[0]) == commands[0], "shut down ran once");
        app.elapseTimer1();
        std::this_thread::sleep_for(300ms);
        check(records().size() == 1, "a late elapse runs nothing more");
        screenshot(app.window(), gShots + L"\\countdown-0h00.bmp");
    }
    for (int position = 0; position < 3; ++position) {
        App app(gProgram);
        if (!app.ok()) return check(false, "the window appears");
        app.start(position, L"0", L"0");
        expectCountdown(app, L"0", L"0", "zero time");
        waitFor([&] { return records().size() == static_cast<std::size_t>(position) + 2; });
        const auto lines = records();
        checkEqual(lines.empty() ? L"" : commandOf(lines.back()), commands[position], "command at once");
        check(lines.size() == static_cast<std::size_t>(position) + 2, "one command per start");
    }
    for (const auto& line : records()) {
        check(ranFrom(line, systemShutdown()), "run from the system directory: " + utf8(line));
    }
}

void cancelAndClose() {
    {
        App app(gProgram);
        if (!app.ok()) return check(false, "the window appears");
        app.start(1, L"0", L"3");
        app.elapseTimer1();
        app.pressAndSettle(IdCommand2);
        check(setupViewShowing(app), "setup view back");
        for (const ControlId id : {IdText1, IdLabel2, IdText2, IdLabel3, IdLabel4})
            check(app.visible(id), "hours line kept");
        check(app.text(IdText1).empty() && app.text(IdText2).empty(), "boxes emptied");
        check(::IsWindowEnabled(app.control(IdCommand1)) != FALSE, "执行 enabled");
        check(::SendMessageW(app.control(IdCombo1), CB_GETCURSEL, 0, 0) == 1, "action kept");
        app.elapseTimer1();
        app.elapseTimer1();
        check(records().empty(), "no command after cancel");
    }
    {
        App app(gProgram);
        if (!app.ok()) return check(false, "the window appears");
        app.start(0, L"0", L"1");
        ::PostMessageW(app.window(), WM_CLOSE, 0, 0);
        check(app.waitForExit(5000), "closing ends the program");
        std::this_thread::sleep_for(500ms);
        check(records().empty(), "closing during a countdown runs nothing");
    }
}

void hideAndRecall() {
    App app(gProgram);
    if (!app.ok()) return check(false, "the window appears");
    app.start(0, L"0", L"2");
    app.press(IdCommand3);
    const MessageBoxSeen seen = app.waitForMessage();
    check(!::IsWindowVisible(app.window()), "the window is gone before the message");
    checkEqual(seen.text, L"程序已转到后台运行，按Ctrl+F12即可回到程序！", "background message");
    checkEqual(seen.title, L"注意", "background title");
    check(!seen.hasIcon, "background message has no icon");
    // The window stays away while its message is open, so no button can be pressed under it.
    sendKey(VK_CONTROL, true);
    sendKey(VK_F12, true);
    check(!waitFor([&] { return ::IsWindowVisible(app.window()) != FALSE; }, 500ms),
          "Ctrl+F12 does not call the window back while its message is open");
    sendKey(VK_F12, false);
    sendKey(VK_CONTROL, false);
    if (seen.box != nullptr) app.dismiss(seen);
    check(!::IsWindowVisible(app.window()), "still hidden after the message");

    // The countdown goes on while hidden.
    app.elapseTimer1();
    checkEqual(app.text(IdLabel11), L"1", "counting while hidden");

    for (const WORD key : {WORD{VK_CONTROL}, WORD{VK_F12}}) {
        sendKey(key, true);
        std::this_thread::sleep_for(250ms);
        sendKey(key, false);
        check(!::IsWindowVisible(app.window()), "one key alone does not call the window back");
    }

    std::vector<double> latencies;
    const OtherProgram other;
    for (int press = 0; press < 5; ++press) {
        if (press > 0) {
            app.press(IdCommand3);
            app.dismiss(app.waitForMessage());
        }
        check(!::IsWindowVisible(app.window()), "hidden before Ctrl+F12");
        // Pressed in another program, so only a poll of the global key state sees the keys.
        check(other.toFront(), "another program is in front");
        const auto start = std::chrono::steady_clock::now();
        sendKey(VK_CONTROL, true);
        sendKey(VK_F12, true);
        const bool back = waitFor([&] { return ::IsWindowVisible(app.window()) != FALSE; }, 2000ms);
        latencies.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        sendKey(VK_F12, false);
        sendKey(VK_CONTROL, false);
        check(back, "Ctrl+F12 calls the window back");
        check(waitFor([&] { return ::GetForegroundWindow() == app.window(); }), "and brings it to the front");
        check(waitFor([&] { return focusOnAUsableControl(app); }), "with the focus on one of its controls");
        check(skipsTaskbar(app.window()), "still without a taskbar button while counting down");
        std::this_thread::sleep_for(100ms);
    }
    std::printf("Ctrl+F12 recall latency (ms):");
    for (const double ms : latencies) std::printf(" %.1f", ms);
    std::printf("\n");

    // Minimized, Ctrl+F12 restores it.
    ::ShowWindow(app.window(), SW_MINIMIZE);
    waitFor([&] { return ::IsIconic(app.window()) != FALSE; });
    sendKey(VK_CONTROL, true);
    sendKey(VK_F12, true);
    check(waitFor([&] { return !::IsIconic(app.window()); }, 2000ms), "Ctrl+F12 restores a minimized window");
    sendKey(VK_F12, false);
    sendKey(VK_CONTROL, false);

    // Explorer, restarted, gives every window a button and says so: ours takes it away again.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ITaskbarList* taskbar = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                     reinterpret_cast<void**>(&taskbar)))) {
        taskbar->HrInit();
        taskbar->AddTab(app.window());
        check(!skipsTaskbar(app.window()), "Explorer gave the window a button");
        ::SendMessageW(app.window(), ::RegisterWindowMessageW(L"TaskbarButtonCreated"), 0, 0);
        check(skipsTaskbar(app.window()), "told so, the window takes it away again");
        taskbar->Release();
    }

    app.elapseTimer1();
    waitFor([] { return !records().empty(); });
    check(records().size() == 1, "the action ran at zero");
}

void singleInstance() {
    App first(gProgram);
    if (!first.ok()) return check(false, "the window appears");
    {
        App second(gProgram);
        const MessageBoxSeen seen =
            findMessageBox(second.processId()).box ? findMessageBox(second.processId()) : second.waitForMessage();
        checkEqual(seen.text, L"该程序已经处于运行状态", "second copy notice");
        checkEqual(seen.title, L"系统提示", "second copy title");
        check(seen.hasIcon, "second copy notice has the information icon");
        check(second.findWindow() == nullptr || !::IsWindowVisible(second.findWindow()), "no second window shown");
        if (seen.box) second.dismiss(seen);
        check(second.waitForExit(5000), "the second copy ends");
    }
    check(first.running() && ::IsWindowVisible(first.window()), "the first copy is undisturbed");

    // Ten at once, with the first closed: exactly one keeps a window.
    ::PostMessageW(first.window(), WM_CLOSE, 0, 0);
    first.waitForExit(5000);
    std::vector<PROCESS_INFORMATION> copies(10);
    for (auto& copy : copies) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + gProgram + L"\"";
        ::CreateProcessW(gProgram.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &copy);
    }
    int ended = 0;
    waitFor(
        [&] {
            for (auto& copy : copies) {
                if (const MessageBoxSeen seen = findMessageBox(copy.dwProcessId); seen.box != nullptr) {
                    ::PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
                }
            }
            ended = 0;
            for (auto& copy : copies) ended += ::WaitForSingleObject(copy.hProcess, 0) == WAIT_OBJECT_0;
            return ended == 9;
        },
        20000ms);
    check(ended == 9, "nine of ten copies end, " + std::to_string(ended) + " did");
    int windows = 0;
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, kWindowClassName, nullptr)) != nullptr;) windows += 1;
    check(windows == 1, "one window remains, found " + std::to_string(windows));
    for (auto& copy : copies) {
        ::TerminateProcess(copy.hProcess, 0);
        ::CloseHandle(copy.hProcess);
        ::CloseHandle(copy.hThread);
    }
}

void plantedPrograms() {
    const std::wstring recorder = systemShutdown();
    ::CreateDirectoryW(L"C:\\app", nullptr);
    ::CreateDirectoryW(L"C:\\work", nullptr);
    ::CopyFileW(gProgram.c_str(), L"C:\\app\\QorvaneShutdown.exe", FALSE);
    ::CopyFileW(recorder.c_str(), L"C:\\app\\shutdown.exe", FALSE);
    ::CopyFileW(recorder.c_str(), L"C:\\work\\shutdown.exe", FALSE);
    {
        App app(L"C:\\app\\QorvaneShutdown.exe", L"C:\\work");
        if (!app.ok()) return check(false, "the window appears");
        app.start(0, L"0", L"0");
        waitFor([] { return !records().empty(); });
        const auto lines = records();
        check(lines.size() == 1, "one command recorded");
        for (const auto& line : lines) {
            check(ranFrom(line, recorder), "only the system shutdown.exe runs: " + utf8(line));
            check(_wcsicmp(folderOf(line).c_str(), recorder.substr(0, recorder.rfind(L'\\')).c_str()) == 0,
                  "in the system directory, not the user's folder: " + utf8(line));
        }
    }
    // With no shutdown.exe at all, reaching zero says so.
    ::DeleteFileW(recorder.c_str());
    ::DeleteFileW(L"C:\\app\\shutdown.exe");
    ::DeleteFileW(L"C:\\work\\shutdown.exe");
    App app(gProgram);
    if (!app.ok()) return check(false, "the window appears");
    app.start(0, L"0", L"1");
    ::PostMessageW(app.window(), WM_TIMER, kTimer1.id, 0);
    expectMessage(app, L"无法执行关机操作！", L"注意", false, "no shutdown.exe");
    app.pressAndSettle(IdCommand2);
    check(setupViewShowing(app), "cancel still works after a failed launch");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: driver SCENARIO PROGRAM SCREENSHOT_DIR\n");
        return 2;
    }
    gProgram = argv[2];
    gShots = argv[3];
    const std::map<std::wstring, void (*)()> scenarios{
        {L"startup", startup},         {L"setup", setupLine},         {L"entry", entryMessages},
        {L"countdown", countdown},     {L"cancel", cancelAndClose},   {L"recall", hideAndRecall},
        {L"instance", singleInstance}, {L"planted", plantedPrograms},
    };
    const auto scenario = scenarios.find(argv[1]);
    if (scenario == scenarios.end()) {
        std::printf("unknown scenario\n");
        return 2;
    }
    scenario->second();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
