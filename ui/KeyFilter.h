#pragma once

// The window's key filters: a refused character never reaches the boxes, a held Enter presses once.

#include <windows.h>

#include "CountdownController.h"

namespace qorvane::ui {

// Asks the controller about every character typed into the box. Keys without
// a character (arrows, Delete, Home, End) come as WM_KEYDOWN and pass untouched.
void filterKeys(HWND box, const CountdownController& controller);

// A key-down of Enter that only repeats a held one. The dialog manager would
// press the focused button at each repeat, about thirty a second: 执行 hands
// the focus to 取消任务, and a held Enter would cancel what it started.
bool isHeldEnterRepeat(const MSG& message);

}  // namespace qorvane::ui
