#pragma once

// The hours and minutes boxes' key filter: a refused character never reaches the box.

#include <windows.h>

#include "CountdownController.h"

namespace qorvane::ui {

// Asks the controller about every character typed into the box. Keys without
// a character (arrows, Delete, Home, End) come as WM_KEYDOWN and pass untouched.
void filterKeys(HWND box, const CountdownController& controller);

}  // namespace qorvane::ui
