#pragma once

// Control and timer identifiers of the window form1. Test drivers find the
// controls by these numbers, so they are fixed.

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

// Timer1 counts the minutes; Timer2 polls Ctrl+F12.
inline constexpr unsigned kTimer1Id = 1;
inline constexpr unsigned kTimer2Id = 2;
inline constexpr unsigned kTimer1IntervalMs = 60000;
// Windows' timer runs at about 15.6 ms, so asking for 1 ms fires no faster;
// 16 ms answers Ctrl+F12 within about two ticks while waking the program no
// more often than the system clock does anyway.
inline constexpr unsigned kRecallPollMs = 16;

inline constexpr const wchar_t* kWindowClassName = L"Qorvane.TimedShutdown.form1";

}  // namespace qorvane::ui
