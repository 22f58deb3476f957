// The controls of form1, made once from the layout table, with their fonts, at the window's DPI.
#include "Form.h"

#include <commctrl.h>

#include "Fonts.h"

namespace qorvane::ui {

Form::Form(HWND window, UINT dpi, const WindowModel& startUp)
    : window_(window), dpi_(dpi), fontFace_(chooseFontFace()) {
    makeFonts();
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlSpec& item : kForm1Controls) {
        const WindowClass windowClass = windowClassFor(item.kind);
        const WidgetState* state = item.widget ? &startUp[*item.widget] : nullptr;
        const bool visible = state == nullptr || state->visible;
        const std::wstring caption =
            state != nullptr && !state->text.empty() ? state->text : std::wstring(item.caption);
        const RECT place = placeOf(item);
        const HWND child =
            ::CreateWindowExW(windowClass.exStyle, windowClass.name, caption.c_str(),
                              WS_CHILD | WS_CLIPSIBLINGS | windowClass.style | (visible ? WS_VISIBLE : 0U), place.left,
                              place.top, place.right - place.left, place.bottom - place.top, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
        controls_[static_cast<std::size_t>(item.id - IdFrame1)] = child;
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(item)), FALSE);
        if (item.kind == Kind::List) {
            keepListHeight(item);
        }
    }
    // The frame lies under everything inside it, the name above "By:" and
    // the suffix above the end of "分钟", so both show in full. A screen reader
    // names a box after the label just before it among the children: "小时"
    // goes before the hours box, "分钟" before the minutes box; tab order, which
    // only counts the tab stops, stays as it is.
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    const auto placeAfter = [this](ControlId moved, ControlId after) {
        ::SetWindowPos(control(moved), control(after), 0, 0, 0, 0, kZOrderOnly);
    };
    ::SetWindowPos(control(IdFrame1), HWND_BOTTOM, 0, 0, 0, 0, kZOrderOnly);
    placeAfter(IdLabel2, IdCombo1);
    placeAfter(IdLabel4, IdText1);
    placeAfter(IdLabel3, IdLabel4);
    placeAfter(IdLabel5, IdLabel6);
}

void Form::layout(UINT dpi) {
    dpi_ = dpi;
    // The controls hold the old fonts until they are given the new ones.
    const win32::GdiObject<HFONT> oldFont = std::move(font_);
    const win32::GdiObject<HFONT> oldHeadingFont = std::move(headingFont_);
    makeFonts();
    for (const ControlSpec& item : kForm1Controls) {
        const RECT place = placeOf(item);
        ::SendMessageW(control(item.id), WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(item)), FALSE);
        ::SetWindowPos(control(item.id), nullptr, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (item.kind == Kind::List) {
            keepListHeight(item);
        }
    }
}

RECT Form::placeOf(const ControlSpec& item) const {
    const int left = scale(item.left + (item.inFrame ? kFrameLeft : 0));
    const int top = scale(item.top + (item.inFrame ? kFrameTop : 0));
    // The list's window also holds its drop-down part.
    const int height = scale(item.height + (item.kind == Kind::List ? kComboListHeight : 0));
    return {left, top, left + scale(item.width), top + height};
}

HFONT Form::fontOf(const ControlSpec& item) const { return item.headingFont ? headingFont_.get() : font_.get(); }

// The closed list keeps its designed height whatever the font.
void Form::keepListHeight(const ControlSpec& item) {
    const HWND list = control(item.id);
    RECT closed{};
    ::GetWindowRect(list, &closed);
    const int border = (closed.bottom - closed.top) -
                       static_cast<int>(::SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    ::SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale(item.height) - border);
}

void Form::makeFonts() {
    font_ = win32::GdiObject<HFONT>(makeWindowFont(fontFace_, dpi_));
    headingFont_ = win32::GdiObject<HFONT>(makeHeadingFont(dpi_));
}

int Form::scale(int pixelsAt96) const { return ::MulDiv(pixelsAt96, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI); }

}  // namespace qorvane::ui
