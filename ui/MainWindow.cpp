// Routes each message of form1 to the controller or to the part of the window whose job it is.
#include "MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "Timers.h"

namespace qorvane::ui {

namespace {

// WM_GETDPISCALEDSIZE, sent from Windows 10 1703 on; the headers declare it only for newer targets.
constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

std::wstring windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

// The controls that do one thing when clicked: the three buttons and the maker's name.
struct Click {
    ControlId control;
    int notification;
    void (CountdownController::*operation)();
};
constexpr std::array<Click, 4> kClicks{{
    {IdCommand1, BN_CLICKED, &CountdownController::execute},
    {IdCommand2, BN_CLICKED, &CountdownController::cancel},
    {IdCommand3, BN_CLICKED, &CountdownController::hideToBackground},
    {IdLabel6, STN_CLICKED, &CountdownController::openCreditLink},
}};

}  // namespace

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handleMessage(message, wParam, lParam)
                           : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case win32::kBeforeMessageBox:
            render();
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_ACTIVATE:
            focus_->activated(LOWORD(wParam));
            break;  // DefWindowProc focuses the window, and WM_SETFOCUS passes that on
        case WM_SETFOCUS:
            focus_->windowFocused();
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_RESTORED) {
                focus_->restored();
            }
            break;
        case DM_GETDEFID:
            return focus_->defaultButton();
        case WM_QUERYENDSESSION:
            return TRUE;  // the session ending may be our own command's doing: never hold it up
        case WM_CLOSE:
            // A message of ours is open over the window (it disabled it) and
            // the operation that opened it still waits for the answer.
            if (!::IsWindowEnabled(window())) {
                return 0;
            }
            break;
        case kGetDpiScaledSizeMessage:
            *reinterpret_cast<SIZE*>(lParam) = shell_->sizeFor(static_cast<UINT>(wParam));
            return TRUE;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETCURSOR:
            if (onSetCursor(reinterpret_cast<HWND>(wParam))) {
                return TRUE;
            }
            break;
        case WM_DESTROY:
            onDestroy();
            return 0;
        default:
            if (message == taskbarButtonCreated_ && message != 0) {
                platform_->taskbarButtonCreated();
                return 0;
            }
            break;
    }
    return ::DefWindowProcW(window(), message, wParam, lParam);
}

void MainWindow::onCommand(int id, int code) {
    switch (id) {
        case IdCombo1:
            if (code == CBN_SELCHANGE) {
                const auto selected =
                    static_cast<std::int16_t>(::SendMessageW(form_->control(IdCombo1), CB_GETCURSEL, 0, 0));
                renderer_->userSelected(selected);
                controller_->selectAction(selected);
            }
            break;
        case IdText1:
        case IdText2:
            if (renderer_->rendering()) {
                return;  // our own SetWindowText, not the user's change
            }
            if (code == EN_CHANGE) {
                const Widget box = id == IdText1 ? Widget::Text1 : Widget::Text2;
                const std::wstring text = windowText(form_->control(static_cast<ControlId>(id)));
                renderer_->userEdited(box, text);
                controller_->boxTextEdited(box, text);
            }
            break;
        default: {
            const auto click = std::find_if(kClicks.begin(), kClicks.end(),
                                            [id](const Click& candidate) { return candidate.control == id; });
            if (click == kClicks.end()) {
                return;
            }
            if (code == click->notification) {
                (controller_.get()->*click->operation)();
            }
            break;
        }
    }
    render();
}

void MainWindow::onTimer(UINT_PTR timerId) {
    if (timerId == kTimer1.id) {
        controller_->tick();
    } else if (timerId == kTimer2.id) {
        controller_->pollRecallHotkey();
        if (const auto exitCode = platform_->endedCommand()) {
            controller_->commandEnded(*exitCode);
        }
    }
    render();
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    form_->layout(dpi);
    shell_->moveToDpi(dpi, suggested);
    // The frame paints only its border, so its old one would stay inside the new.
    ::RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool MainWindow::onSetCursor(HWND under) {
    if (under != form_->control(IdLabel6)) {
        return false;
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void MainWindow::onDestroy() {
    // Closing ends the program at once: a running countdown is dropped with the timers.
    destroyed_ = true;
    ::KillTimer(window(), kTimer1.id);
    ::KillTimer(window(), kTimer2.id);
    ::PostQuitMessage(0);
}

void MainWindow::render() {
    const WindowModel& model = controller_->model();
    // The recall poll renders every 16 ms and almost always finds nothing to do.
    if (destroyed_ || renderer_->showsAlready(model)) {
        return;
    }
    const HWND focusBefore = ::GetFocus();
    if (renderer_->render(model) && started_) {
        focus_->controlsChanged(focusBefore);
    }
}

}  // namespace qorvane::ui
