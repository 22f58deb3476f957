#pragma once

// Keeps the keyboard focus as the dialog manager does: the control that had it gets it back.

#include <windows.h>

namespace qorvane::ui {

class FocusKeeper {
public:
    // first: the control that gets the focus at the first activation.
    FocusKeeper(HWND window, HWND first) : window_(window), lastFocus_(first) {}

    // WM_ACTIVATE: on leaving, remember which control had the focus.
    void activated(WORD state);
    // WM_SETFOCUS: the window got the focus; its control takes it over.
    void windowFocused() { focusUsableControl(lastFocus_); }
    // WM_SIZE: restored from minimized while active, which gives no new
    // activation: the focus is still on the bare window.
    void restored();
    // After the controls changed: a focused control that became hidden or
    // disabled hands the focus on, as Tab would from it.
    void controlsChanged(HWND focusBefore);
    // The window a typed key goes to: one that came to the bare window goes to
    // the control that gets the focus back. Activated while still minimized (a
    // window manager may do so a moment before it restores the window), the
    // window holds the focus itself, as no control of a minimized one can.
    HWND keyTarget(HWND target) const { return target == window_ && usable(lastFocus_) ? lastFocus_ : target; }
    // DM_GETDEFID, asked by the dialog manager for Enter: the focused push
    // button is the default one, as in any dialog; else there is none.
    LRESULT defaultButton() const;

private:
    void focusUsableControl(HWND preferred);
    bool usable(HWND child) const;

    HWND window_;
    HWND lastFocus_;  // the control that had the focus when the window was last active
};

}  // namespace qorvane::ui
