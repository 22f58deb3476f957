#pragma once

// The window's two timers.

namespace qorvane::ui {

// Timer1 counts the minutes; Timer2 polls Ctrl+F12.
inline constexpr unsigned kTimer1Id = 1;
inline constexpr unsigned kTimer2Id = 2;
inline constexpr unsigned kTimer1IntervalMs = 60000;
// Windows' timer runs at about 15.6 ms, so asking for 1 ms fires no faster;
// 16 ms answers Ctrl+F12 within about two ticks while waking the program no
// more often than the system clock does anyway.
inline constexpr unsigned kRecallPollMs = 16;

}  // namespace qorvane::ui
