// The window's key filters: a refused character never reaches the boxes, a held Enter presses once.
#include "KeyFilter.h"

#include <commctrl.h>

namespace qorvane::ui {

namespace {

LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                         DWORD_PTR controller) {
    // An input method's character comes as WM_IME_CHAR, which the box inserts as it does WM_CHAR.
    if ((message == WM_CHAR || message == WM_IME_CHAR) &&
        !reinterpret_cast<const CountdownController*>(controller)->acceptsKey(static_cast<wchar_t>(wParam))) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, boxProc, subclassId);
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

void filterKeys(HWND box, const CountdownController& controller, win32::SystemFunctions& system) {
    if (const auto associate = system.immAssociateContextEx()) associate(box, nullptr, 0);
    ::SetWindowSubclass(box, boxProc, 0, reinterpret_cast<DWORD_PTR>(&controller));
}

bool isHeldEnterRepeat(const MSG& message) {
    constexpr LPARAM kWasDown = 1 << 30;  // the key was already down: a repeat
    return message.message == WM_KEYDOWN && message.wParam == VK_RETURN && (message.lParam & kWasDown) != 0;
}

}  // namespace qorvane::ui
