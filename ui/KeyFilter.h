#pragma once

// The window's key filters: a refused character never reaches the boxes, a held Enter presses once.

#include <windows.h>

#include "CountdownController.h"
#include "win32/SystemFunctions.h"

namespace qorvane::ui {

// Asks the controller about every character typed into the box, and keeps
// input methods away from it: a digit key then gives an ASCII digit in any of
// their modes (全角 would give ３), and nothing composed lands behind the
// filter. Keys without a character (arrows, Delete, Home, End) come as
// WM_KEYDOWN and pass untouched.
void filterKeys(HWND box, const CountdownController& controller, win32::SystemFunctions& system);

// A key-down of Enter that only repeats a held one. The dialog manager would
// press the focused button at each repeat, about thirty a second: 执行 hands
// the focus to 取消任务, and a held Enter would cancel what it started.
bool isHeldEnterRepeat(const MSG& message);

}  // namespace qorvane::ui
