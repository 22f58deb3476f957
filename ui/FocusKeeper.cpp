#include "FocusKeeper.h"

namespace qorvane::ui {

// Deactivated (another program, a message box, minimized, hidden): remember
// which control had the focus, so activation gives it back.
void FocusKeeper::activated(WORD state) {
    if (const HWND focus = ::GetFocus(); state == WA_INACTIVE && focus != nullptr && ::IsChild(window_, focus)) {
        lastFocus_ = focus;
    }
}

void FocusKeeper::controlsChanged(HWND focusBefore) {
    if (::GetActiveWindow() == window_ && !usable(::GetFocus())) {
        focusUsableControl(::IsChild(window_, focusBefore) ? focusBefore : lastFocus_);
    }
}

// The focus goes to the given control, or if it can no longer take it, to
// the next one in tab order, as Tab would.
void FocusKeeper::focusUsableControl(HWND preferred) {
    if (usable(preferred)) {
        ::SetFocus(preferred);
    } else if (const HWND next =
                   ::GetNextDlgTabItem(window_, ::IsChild(window_, preferred) ? preferred : nullptr, FALSE);
               next != nullptr) {
        ::SetFocus(next);
    }
}

bool FocusKeeper::usable(HWND child) const {
    return child != nullptr && ::IsChild(window_, child) && ::IsWindowVisible(child) && ::IsWindowEnabled(child);
}

}  // namespace qorvane::ui
