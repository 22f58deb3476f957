// Start-up: the window's parts made in order, then the program's message loop.
#include "MainWindow.h"

#include <commctrl.h>

#include "KeyFilter.h"
#include "Timers.h"

namespace qorvane::ui {

int MainWindow::runProgram(HINSTANCE instance, std::unique_ptr<win32::SystemFunctions> system) {
    system->searchDllsInSystemDirectoryOnly();
    // No command line, no configuration: everything the program needs is its window.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    const auto window = create(instance, std::move(system));
    return window ? window->run() : 1;
}

// Made in the order each part needs the one before; the object is only made,
// and the window's messages only reach it, once every part is there.
std::unique_ptr<MainWindow> MainWindow::create(HINSTANCE instance, std::unique_ptr<win32::SystemFunctions> system) {
    auto shell = WindowShell::create(instance, *system, windowProc);
    if (!shell) {
        return nullptr;
    }
    const HWND window = shell->handle();
    auto platform = std::make_unique<win32::Win32PlatformServices>(window, *system);
    auto controller = std::make_unique<CountdownController>(*platform);
    const WindowModel& startUp = controller->model();
    auto form = std::make_unique<Form>(window, shell->dpi(), startUp);
    for (const ControlId box : {IdText1, IdText2}) {
        filterKeys(form->control(box), *controller, *system);
    }
    auto renderer = std::make_unique<Renderer>(window, *form, startUp);
    // The list has the focus when the window first shows.
    auto focus = std::make_unique<FocusKeeper>(window, form->control(IdCombo1));
    std::unique_ptr<MainWindow> self(new MainWindow(std::move(system), std::move(shell), std::move(platform),
                                                    std::move(controller), std::move(form), std::move(renderer),
                                                    std::move(focus)));
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self.get()));
    return self;
}

MainWindow::MainWindow(std::unique_ptr<win32::SystemFunctions> system, std::unique_ptr<WindowShell> shell,
                       std::unique_ptr<win32::Win32PlatformServices> platform,
                       std::unique_ptr<CountdownController> controller, std::unique_ptr<Form> form,
                       std::unique_ptr<Renderer> renderer, std::unique_ptr<FocusKeeper> focus)
    : system_(std::move(system)),
      shell_(std::move(shell)),
      platform_(std::move(platform)),
      controller_(std::move(controller)),
      form_(std::move(form)),
      renderer_(std::move(renderer)),
      focus_(std::move(focus)) {}

// The window goes first, while everything its last messages could reach is still there.
MainWindow::~MainWindow() {
    if (::IsWindow(window())) {
        ::SetWindowLongPtrW(window(), GWLP_USERDATA, 0);
    }
    shell_.reset();
}

int MainWindow::run() {
    controller_->load();
    if (!::IsWindow(window())) {
        return 0;  // another copy runs: the platform ended this one
    }
    start();
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (isHeldEnterRepeat(message)) {
            continue;
        }
        if (message.message == WM_KEYDOWN || message.message == WM_CHAR || message.message == WM_KEYUP) {
            message.hwnd = focus_->keyTarget(message.hwnd);
        }
        // The dialog manager gives Tab its usual meaning between the controls;
        // it has nothing to do with the rest, such as the recall poll's timer.
        const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
        if (!key || !::IsDialogMessageW(window(), &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

void MainWindow::start() {
    started_ = true;
    renderer_->allowShowingWindow();
    render();  // shows the window, as the model has it visible
    // Explorer's word on the taskbar button comes once the window shows, also
    // when Explorer runs at another integrity level than we do.
    if (taskbarButtonCreated_ != 0) {
        ::ChangeWindowMessageFilterEx(window(), taskbarButtonCreated_, MSGFLT_ALLOW, nullptr);
    }
    ::UpdateWindow(window());
    ::SetTimer(window(), kTimer2.id, kTimer2.intervalMs, nullptr);
}

}  // namespace qorvane::ui
