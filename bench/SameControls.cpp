// The program's window made the plainest way, for the start-up figure: the
// same style and size, the same 19 themed controls with the same fonts, each
// created once at its final place with its font, the list filled, and the
// same Ctrl+F12 poll. Nothing else: no model, no controller, no DPI handling.
#include <windows.h>
#include <commctrl.h>

#include "ControlIds.h"
#include "Fonts.h"
#include "Form1Layout.h"
#include "Timers.h"

using namespace qorvane;
using namespace qorvane::ui;

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (::GetAsyncKeyState(VK_F12) < 0 && ::GetAsyncKeyState(VK_CONTROL) < 0) {
                ::ShowWindow(window, SW_SHOW);
                ::SetForegroundWindow(window);
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

struct Class {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

Class classFor(Kind kind) {
    switch (kind) {
        case Kind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case Kind::Label:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case Kind::ClickableLabel:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::Box:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::List:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case Kind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Qorvane.Bench.SameControls";
    ::RegisterClassW(&windowClass);

    RECT rect{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    const HWND window =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"Same controls", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    const HFONT font = makeFont(L"Microsoft YaHei UI", kFontPoints, DEFAULT_CHARSET, USER_DEFAULT_SCREEN_DPI);
    const HFONT headingFont = makeHeadingFont(USER_DEFAULT_SCREEN_DPI);
    for (const ControlSpec& item : kForm1Controls) {
        const Class kind = classFor(item.kind);
        const bool hidden = item.widget && (*item.widget == Widget::Text1 || *item.widget == Widget::Label2 ||
                                            *item.widget == Widget::Text2 || *item.widget == Widget::Label3 ||
                                            (*item.widget >= Widget::Label8 && *item.widget <= Widget::Label12));
        const int left = item.left + (item.inFrame ? kFrameLeft : 0), top = item.top + (item.inFrame ? kFrameTop : 0);
        const std::wstring caption(item.caption);
        const HWND child = ::CreateWindowExW(kind.exStyle, kind.name, caption.c_str(),
                                             WS_CHILD | kind.style | (hidden ? 0U : WS_VISIBLE), left, top, item.width,
                                             item.height + (item.kind == Kind::List ? kComboListHeight : 0), window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(item.headingFont ? headingFont : font), FALSE);
        if (item.kind == Kind::List) {
            for (const wchar_t* entry : {L"关机", L"重新启动", L"注销"}) {
                ::SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
            }
        }
    }
    ::ShowWindow(window, show);
    ::SetTimer(window, 1, kRecallPollMs, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    ::DeleteObject(font);
    ::DeleteObject(headingFont);
    return 0;
}
