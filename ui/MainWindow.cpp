#include "MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "Fonts.h"
#include "Form1Layout.h"
#include "Timers.h"
#include "win32/WindowDC.h"
#include "ResourceIds.h"

namespace qorvane::ui {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
// WM_GETDPISCALEDSIZE, sent from Windows 10 1703 on; the headers declare it only for newer targets.
constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// Before Windows 10 1607, the one DPI of every monitor.
UINT screenDpi() {
    const int dpi = ::GetDeviceCaps(win32::WindowDC(nullptr).get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The primary monitor's at sign-in: where the window opens.
UINT systemDpi(const win32::SystemFunctions& system) {
    return system.getDpiForSystem != nullptr ? system.getDpiForSystem() : screenDpi();
}

UINT windowDpi(const win32::SystemFunctions& system, HWND window) {
    const UINT dpi = system.getDpiForWindow != nullptr ? system.getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : screenDpi();
}

// A rectangle of that size in the middle of the monitor's work area.
RECT centredIn(HMONITOR monitor, SIZE size) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitor, &info);
    const RECT& work = info.rcWork;
    const LONG left = work.left + (work.right - work.left - size.cx) / 2;
    const LONG top = work.top + (work.bottom - work.top - size.cy) / 2;
    return {left, top, left + size.cx, top + size.cy};
}

// The window's outer size for a client area of 329 x 150 at 96 DPI, scaled.
SIZE windowSizeFor(const win32::SystemFunctions& system, UINT dpi) {
    const int width = ::MulDiv(kClientWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    const int height = ::MulDiv(kClientHeight, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    RECT rect{0, 0, width, height};
    if (system.adjustWindowRectExForDpi != nullptr) {
        system.adjustWindowRectExForDpi(&rect, kWindowStyle, FALSE, kWindowExStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::optional<Widget> widgetOf(ControlId id) { return controlSpec(id).widget; }

// Sets a flag for as long as it lives.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = false; }

private:
    bool& flag_;
};

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

// Icons and the window are made at once for the DPI the window opens at, at
// their final size and place: nothing is made twice or moved on the way.
MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance),
      dpi_(systemDpi(system_)),
      bigIcon_(loadIcon(SM_CXICON)),
      smallIcon_(loadIcon(SM_CXSMICON)),
      window_(createWindow()) {
    if (window_ == nullptr) {
        return;
    }
    shown_.formVisible = false;  // not on screen until start()
    if (const UINT dpi = windowDpi(system_, window_); dpi != dpi_) {
        // The primary monitor's scale changed since sign-in.
        dpi_ = dpi;
        showTitleIcon();
        placeWindow(centredIn(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), windowSizeFor(system_, dpi_)));
    }
    fontFace_ = chooseFontFace();
    makeFonts();
    createControls();
    // From here on the window's messages reach this object, which is now whole.
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MainWindow::~MainWindow() {
    if (window_ != nullptr && ::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

int MainWindow::run() {
    if (window_ == nullptr) {
        return 1;
    }
    controller_.load();
    if (!::IsWindow(window_)) {
        return 0;  // another copy runs: the platform ended this one
    }
    start();
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog manager gives Tab its usual meaning between the controls;
        // it has nothing to do with the rest, such as the recall poll's timer.
        const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
        if (!key || !::IsDialogMessageW(window_, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

HWND MainWindow::createWindow() const {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = bigIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClassName;
    if (::RegisterClassExW(&windowClass) == 0) {
        return nullptr;
    }
    const std::wstring caption(texts::kWindowCaption);
    const RECT place = centredIn(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), windowSizeFor(system_, dpi_));
    return ::CreateWindowExW(kWindowExStyle, kWindowClassName, caption.c_str(), kWindowStyle, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance_, nullptr);
}

void MainWindow::placeWindow(const RECT& place) {
    ::SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

// The title bar's icon for a DPI the window has moved to, in place of the class's.
void MainWindow::showTitleIcon() {
    win32::UniqueIcon icon = loadIcon(SM_CXSMICON);
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    titleIcon_ = std::move(icon);  // the one before goes once the window has this one
}

// The image of that size in the icon, or the nearest one scaled to it.
win32::UniqueIcon MainWindow::loadIcon(int sizeMetric) const {
    const int size =
        system_.getSystemMetricsForDpi != nullptr
            ? system_.getSystemMetricsForDpi(sizeMetric, dpi_)
            : ::MulDiv(::GetSystemMetrics(sizeMetric), static_cast<int>(dpi_), static_cast<int>(screenDpi()));
    return win32::UniqueIcon(
        static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, size, size, 0)));
}

// Each control is made once, at its place for this DPI and with its font.
void MainWindow::createControls() {
    for (const ControlSpec& item : kForm1Controls) {
        const WindowClass windowClass = windowClassFor(item.kind);
        const WidgetState* state = item.widget ? &shown_[*item.widget] : nullptr;
        const bool visible = state == nullptr || state->visible;
        const std::wstring caption =
            state != nullptr && !state->text.empty() ? state->text : std::wstring(item.caption);
        const RECT place = placeOf(item);
        const HWND child =
            ::CreateWindowExW(windowClass.exStyle, windowClass.name, caption.c_str(),
                              WS_CHILD | WS_CLIPSIBLINGS | windowClass.style | (visible ? WS_VISIBLE : 0U), place.left,
                              place.top, place.right - place.left, place.bottom - place.top, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance_, nullptr);
        controls_[static_cast<std::size_t>(item.id - IdFrame1)] = child;
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(item)), FALSE);
        if (item.kind == Kind::List) {
            keepListHeight(item);
        } else if (item.kind == Kind::Box) {
            ::SetWindowSubclass(child, boxProc, 0, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    // The frame lies under everything inside it; the name above "By:" and
    // the suffix above the end of "分钟", so both show in full.
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ::SetWindowPos(control(IdFrame1), HWND_BOTTOM, 0, 0, 0, 0, kZOrderOnly);
    ::SetWindowPos(control(IdLabel3), control(IdLabel4), 0, 0, 0, 0, kZOrderOnly);
    ::SetWindowPos(control(IdLabel5), control(IdLabel6), 0, 0, 0, 0, kZOrderOnly);
    // "小时" reaches under the left edge of the minutes box; the box stays whole.
    ::SetWindowPos(control(IdLabel2), control(IdText2), 0, 0, 0, 0, kZOrderOnly);
}

// After a DPI change: every control to its new place, in its new font.
void MainWindow::layout() {
    for (const ControlSpec& item : kForm1Controls) {
        const RECT place = placeOf(item);
        ::SendMessageW(control(item.id), WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(item)), FALSE);
        ::SetWindowPos(control(item.id), nullptr, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (item.kind == Kind::List) {
            keepListHeight(item);
        }
    }
}

RECT MainWindow::placeOf(const ControlSpec& item) const {
    const int left = scale(item.left + (item.inFrame ? kFrameLeft : 0));
    const int top = scale(item.top + (item.inFrame ? kFrameTop : 0));
    // The list's window also holds its drop-down part.
    const int height = scale(item.height + (item.kind == Kind::List ? kComboListHeight : 0));
    return {left, top, left + scale(item.width), top + height};
}

HFONT MainWindow::fontOf(const ControlSpec& item) const { return item.headingFont ? headingFont_.get() : font_.get(); }

// The closed list keeps its designed height whatever the font.
void MainWindow::keepListHeight(const ControlSpec& item) {
    const HWND list = control(item.id);
    RECT closed{};
    ::GetWindowRect(list, &closed);
    const int border = (closed.bottom - closed.top) -
                       static_cast<int>(::SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    ::SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale(item.height) - border);
}

void MainWindow::makeFonts() {
    font_ = win32::GdiObject<HFONT>(makeWindowFont(fontFace_, dpi_));
    headingFont_ = win32::GdiObject<HFONT>(makeHeadingFont(dpi_));
}

void MainWindow::start() {
    started_ = true;
    // The window takes the focus when first activated and hands it on to the list.
    lastFocus_ = control(IdCombo1);
    render();  // shows the window, as the model has it visible
    // Explorer's word on the taskbar button comes once the window shows, also
    // when Explorer runs at another integrity level than we do.
    if (taskbarButtonCreated_ != 0) {
        ::ChangeWindowMessageFilterEx(window_, taskbarButtonCreated_, MSGFLT_ALLOW, nullptr);
    }
    ::UpdateWindow(window_);
    ::SetTimer(window_, kTimer2.id, kTimer2.intervalMs, nullptr);
}

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
            onActivate(LOWORD(wParam));
            break;  // DefWindowProc focuses the window, and WM_SETFOCUS passes that on
        case WM_SETFOCUS:
            focusUsableControl(lastFocus_);
            return 0;
        case WM_CLOSE:
            // A message of ours is open over the window (it disabled it) and
            // the operation that opened it still waits for the answer.
            if (!::IsWindowEnabled(window_)) {
                return 0;
            }
            break;
        case kGetDpiScaledSizeMessage: {
            const SIZE size = windowSizeFor(system_, static_cast<UINT>(wParam));
            *reinterpret_cast<SIZE*>(lParam) = size;
            return TRUE;
        }
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
                platform_.taskbarButtonCreated();
                return 0;
            }
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

// The key filter: a refused character never reaches the box. Keys without a
// character (arrows, Delete, Home, End) come as WM_KEYDOWN and pass untouched.
LRESULT CALLBACK MainWindow::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                     DWORD_PTR self) {
    if (message == WM_CHAR &&
        !reinterpret_cast<MainWindow*>(self)->controller_.acceptsKey(static_cast<wchar_t>(wParam))) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, boxProc, subclassId);
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

void MainWindow::onCommand(int id, int code) {
    switch (id) {
        case IdCombo1:
            if (code == CBN_SELCHANGE) {
                const auto selected = static_cast<std::int16_t>(::SendMessageW(control(IdCombo1), CB_GETCURSEL, 0, 0));
                shown_.comboSelected = selected;  // the list shows it already
                controller_.selectAction(selected);
            }
            break;
        case IdText1:
        case IdText2:
            if (rendering_) {
                return;  // our own SetWindowText, not the user's change
            }
            if (code == EN_CHANGE) {
                const Widget box = *widgetOf(static_cast<ControlId>(id));
                std::wstring text = windowText(control(static_cast<ControlId>(id)));
                shown_[box].text = text;
                controller_.boxTextEdited(box, text);
            }
            break;
        default: {
            const auto click = std::find_if(kClicks.begin(), kClicks.end(),
                                            [id](const Click& candidate) { return candidate.control == id; });
            if (click == kClicks.end()) {
                return;
            }
            if (code == click->notification) {
                (controller_.*click->operation)();
            }
            break;
        }
    }
    render();
}

void MainWindow::onTimer(UINT_PTR timerId) {
    if (timerId == kTimer1.id) {
        controller_.tick();
    } else if (timerId == kTimer2.id) {
        controller_.pollRecallHotkey();
    }
    render();
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    {
        // The controls hold the old fonts until layout() gives them the new ones.
        const win32::GdiObject<HFONT> oldFont = std::move(font_);
        const win32::GdiObject<HFONT> oldHeadingFont = std::move(headingFont_);
        makeFonts();
        layout();
    }
    showTitleIcon();
    placeWindow(suggested);
    // The frame paints only its border, so its old one would stay inside the new.
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool MainWindow::onSetCursor(HWND under) {
    if (under != control(IdLabel6)) {
        return false;
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void MainWindow::onDestroy() {
    // Closing ends the program at once: a running countdown is dropped with the timers.
    destroyed_ = true;
    ::KillTimer(window_, kTimer1.id);
    ::KillTimer(window_, kTimer2.id);
    ::PostQuitMessage(0);
}

void MainWindow::render() {
    const WindowModel& model = controller_.model();
    if (destroyed_ || rendering_ || model == shown_) {
        return;
    }
    const HWND focusBefore = ::GetFocus();
    {
        const ScopedFlag rendering(rendering_);
        renderList(model);
        renderWidgets(model);
        renderTimer1(model);
        renderWindowVisibility(model);
    }
    // A control that is hidden or disabled while it has the focus drops it.
    if (started_ && ::GetActiveWindow() == window_ && !usable(::GetFocus())) {
        focusUsableControl(::IsChild(window_, focusBefore) ? focusBefore : lastFocus_);
    }
}

void MainWindow::renderList(const WindowModel& model) {
    const HWND list = control(IdCombo1);
    if (model.comboEntries != shown_.comboEntries) {
        ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
        for (const std::wstring& entry : model.comboEntries) {
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        shown_.comboEntries = model.comboEntries;
        shown_.comboSelected = -1;
    }
    if (model.comboSelected != shown_.comboSelected) {
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(model.comboSelected), 0);
        shown_.comboSelected = model.comboSelected;
    }
}

void MainWindow::renderWidgets(const WindowModel& model) {
    for (const ControlSpec& item : kForm1Controls) {
        if (!item.widget) {
            continue;
        }
        const WidgetState& wanted = model[*item.widget];
        WidgetState& current = shown_[*item.widget];
        const HWND child = control(item.id);
        if (wanted.text != current.text) {
            ::SetWindowTextW(child, wanted.text.c_str());
            if (item.kind == Kind::Box) {
                // After a correction the caret stays at the end, where typing goes on.
                const auto end = static_cast<WPARAM>(wanted.text.size());
                ::SendMessageW(child, EM_SETSEL, end, static_cast<LPARAM>(end));
            }
        }
        if (wanted.enabled != current.enabled) {
            ::EnableWindow(child, wanted.enabled ? TRUE : FALSE);
        }
        if (wanted.visible != current.visible) {
            ::ShowWindow(child, wanted.visible ? SW_SHOWNA : SW_HIDE);
        }
        current = wanted;
    }
}

void MainWindow::renderTimer1(const WindowModel& model) {
    if (model.timer1Running == shown_.timer1Running) {
        return;
    }
    // Starting again begins a new full interval.
    if (model.timer1Running) {
        ::SetTimer(window_, kTimer1.id, kTimer1.intervalMs, nullptr);
    } else {
        ::KillTimer(window_, kTimer1.id);
    }
    shown_.timer1Running = model.timer1Running;
}

void MainWindow::renderWindowVisibility(const WindowModel& model) {
    if (started_ && model.formVisible != shown_.formVisible) {
        ::ShowWindow(window_, model.formVisible ? SW_SHOW : SW_HIDE);
        shown_.formVisible = model.formVisible;
    }
}

bool MainWindow::usable(HWND child) const {
    return child != nullptr && ::IsChild(window_, child) && ::IsWindowVisible(child) && ::IsWindowEnabled(child);
}

// Deactivated (another program, a message box, minimized, hidden): remember
// which control had the focus, so activation gives it back.
void MainWindow::onActivate(WORD state) {
    if (const HWND focus = ::GetFocus(); state == WA_INACTIVE && focus != nullptr && ::IsChild(window_, focus)) {
        lastFocus_ = focus;
    }
}

// The focus goes to the given control, or if it can no longer take it, to
// the next one in tab order, as Tab would.
void MainWindow::focusUsableControl(HWND preferred) {
    if (usable(preferred)) {
        ::SetFocus(preferred);
    } else if (const HWND next =
                   ::GetNextDlgTabItem(window_, ::IsChild(window_, preferred) ? preferred : nullptr, FALSE);
               next != nullptr) {
        ::SetFocus(next);
    }
}

int MainWindow::scale(int pixelsAt96) const {
    return ::MulDiv(pixelsAt96, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

}  // namespace qorvane::ui
