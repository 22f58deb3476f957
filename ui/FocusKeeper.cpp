// Keeps the keyboard focus as the dialog manager does: the control that had it gets it back.
#include "FocusKeeper.h"

namespace qorvane::ui {

// Deactivated (another program, a message box, minimized, hidden): remember
// which control had the focus, so activation gives it back.
void FocusKeeper::activated(WORD state) {
    if (const HWND focus = ::GetFocus(); state == WA_INACTIVE && focus != nullptr && ::IsChild(window_, focus)) {
        lastFocus_ = focus;
    }
}

void FocusKeeper::restored() {
    if (::GetActiveWindow() == window_ && !::IsChild(window_, ::GetFocus())) {
        focusUsableControl(lastFocus_);
    }
}

void FocusKeeper::controlsChanged(HWND focusBefore) {
    if (::GetActiveWindow() == window_ && !usable(::GetFocus())) {
        focusUsableControl(::IsChild(window_, focusBefore) ? focusBefore : lastFocus_);
    }
}

LRESULT FocusKeeper::defaultButton() const {
    const HWND focus = ::GetFocus();
    if (!::IsChild(window_, focus) ||
        (::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) {
        return 0;
    }
    return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
}

// The focus goes to the given control, or if it can no longer take it, to
// the next one in tab order, as Tab would. Only a shown window is asked for
// its next one: all controls of a hidden window count as hidden, and the
// render that shows the window comes back here.
void FocusKeeper::focusUsableControl(HWND preferred) {
    if (usable(preferred)) {
        ::SetFocus(preferred);
    } else if (::IsWindowVisible(window_)) {
        if (const HWND next = ::GetNextDlgTabItem(window_, ::IsChild(window_, preferred) ? preferred : nullptr, FALSE);
            next != nullptr) {
            ::SetFocus(next);
        }
    }
}

// By the control's own state, not its window's: while the window is hidden
// (called back by Ctrl+F12, it is activated before it shows) its controls
// keep their own.
bool FocusKeeper::usable(HWND child) const {
    const auto style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));
    return child != nullptr && ::IsChild(window_, child) && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

}  // namespace qorvane::ui
