#pragma once

// Control identifiers and the class name of the window form1. Test drivers
// find the window and its controls by these, so they are fixed.

namespace qorvane::ui {

// Listed in tab order. IDs start above IDOK/IDCANCEL so Enter and Esc, which
// the dialog manager turns into those IDs, press no button.
enum ControlId : int {
    IdFrame1 = 100,
    IdLabel1,
    IdCombo1,
    IdText1,
    IdLabel2,
    IdText2,
    IdLabel3,
    IdLabel4,
    IdCommand1,
    IdCommand2,
    IdCommand3,
    IdLabel5,
    IdLabel6,
    IdLabel11,
    IdLabel12,
    IdLabel10,
    IdLabel9,
    IdLabel8,
    IdLabel7,
};

inline constexpr int kControlCount = IdLabel7 - IdFrame1 + 1;

inline constexpr const wchar_t* kWindowClassName = L"Qorvane.TimedShutdown.form1";

}  // namespace qorvane::ui
