#pragma once

// The window's two timers.

namespace qorvane::ui {

struct TimerSpec {
    unsigned id;
    unsigned intervalMs;
};

// Counts the minutes.
inline constexpr TimerSpec kTimer1{1, 60000};
// Polls Ctrl+F12. Windows' timer runs at about 15.6 ms, so asking for 1 ms
// fires no faster; 16 ms answers within about two ticks while waking the
// program no more often than the system clock does anyway.
inline constexpr TimerSpec kTimer2{2, 16};

}  // namespace qorvane::ui
