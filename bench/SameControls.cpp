// The program's window made the plainest way, for the start-up figure: the
// same style and size, the same 19 themed controls with the same fonts, each
// created once at its final place with its font, the list filled, and the
// same Ctrl+F12 poll. Nothing else: no model, no controller, no DPI handling.
#include <windows.h>
#include <commctrl.h>

#include "ControlIds.h"
#include "Fonts.h"
#include "Form1Layout.h"
#include "PlainWindow.h"

using namespace qorvane;
using namespace qorvane::ui;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HWND window = bench::createPlainWindow(instance, L"Qorvane.Bench.SameControls", L"Same controls");
    if (window == nullptr) return 1;
    const HFONT font = makeFont(L"Microsoft YaHei UI", kFontPoints, DEFAULT_CHARSET, USER_DEFAULT_SCREEN_DPI);
    const HFONT headingFont = makeHeadingFont(USER_DEFAULT_SCREEN_DPI);
    for (const ControlSpec& item : kForm1Controls) {
        const WindowClass kind = windowClassFor(item.kind);
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
