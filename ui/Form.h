#pragma once

// The controls of form1, made once from the layout table, with their fonts, at the window's DPI.

#include <windows.h>

#include <array>
#include <string>

#include "ControlIds.h"
#include "Form1Layout.h"
#include "WindowModel.h"
#include "win32/UniqueResource.h"

namespace qorvane::ui {

class Form {
public:
    // Each control at its place for this DPI, with its font, showing the
    // model's start-up state.
    Form(HWND window, UINT dpi, const WindowModel& startUp);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id - IdFrame1)]; }
    // New fonts, and every control to its place, for a DPI the window moved to.
    void layout(UINT dpi);

private:
    RECT placeOf(const ControlSpec& item) const;
    HFONT fontOf(const ControlSpec& item) const;
    void keepListHeight(const ControlSpec& item);
    void makeFonts();
    int scale(int pixelsAt96) const;

    HWND window_;
    UINT dpi_;
    std::wstring fontFace_;
    win32::GdiObject<HFONT> font_;
    win32::GdiObject<HFONT> headingFont_;
    std::array<HWND, kControlCount> controls_{};  // children: they go with the window
};

}  // namespace qorvane::ui
