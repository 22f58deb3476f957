#include "win32/Win32PlatformServices.h"

#include <shobjidl.h>

#include <string>

#include "win32/ComPtr.h"
#include "win32/SystemDirectory.h"

namespace qorvane::win32 {

namespace {

// One name per session: a copy started in another user's session is not "this" program running.
constexpr const wchar_t* kInstanceMutexName = L"Local\\Qorvane.TimedShutdown.SingleInstance";

std::string toAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), wideLength, ansi.data(), size, nullptr, nullptr);
    }
    return ansi;
}

// The program a command line names, in the system directory and nowhere else.
std::wstring systemProgramPath(const std::wstring& commandLine) {
    const std::wstring name = commandLine.substr(0, commandLine.find(L' '));
    return name.empty() ? std::wstring() : systemFilePath(name + L".exe");
}

}  // namespace

Win32PlatformServices::~Win32PlatformServices() { keepSystemAwake(false); }

bool Win32PlatformServices::isPreviousInstanceRunning() {
    if (!instanceMutex_) {
        // Creation and the existence test are one atomic step, so copies
        // started at the same moment still find exactly one first copy.
        instanceMutex_ = UniqueHandle(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
        const DWORD error = ::GetLastError();
        if (error == ERROR_ALREADY_EXISTS) {
            return true;
        }
        // A mutex we may not open was made by another copy.
        return !instanceMutex_ && error == ERROR_ACCESS_DENIED;
    }
    return false;
}

void Win32PlatformServices::showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon,
                                        MessageFront front) {
    ::SendMessageW(window_, kBeforeMessageBox, 0, 0);
    const bool owned = ::IsWindowVisible(window_) != FALSE;
    UINT type = MB_OK | (icon == MessageIcon::Information ? MB_ICONINFORMATION : 0U);
    // A message at zero follows no input of the user's, and Windows may keep
    // the foreground from us: topmost, it shows over whatever is in front.
    // Every other one answers a click of the user's and is in front already;
    // topmost, it would float over every program he turns to.
    if (front == MessageFront::OverEverything) type |= MB_SETFOREGROUND | MB_TOPMOST;
    ::MessageBoxW(owned ? window_ : nullptr, text.c_str(), title.c_str(), type);
}

void Win32PlatformServices::terminate() { ::DestroyWindow(window_); }

bool Win32PlatformServices::runHidden(const std::wstring& commandLine) {
    const std::wstring program = systemProgramPath(commandLine);
    if (program.empty()) {
        return false;
    }
    std::wstring mutableCommandLine = commandLine;  // CreateProcessW may write to it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    // Run from the system directory, so the command holds no folder of the
    // user's (the program's own may be on a stick about to be pulled out).
    const std::wstring directory = systemFilePath(L"");
    PROCESS_INFORMATION process{};
    if (directory.empty() || !::CreateProcessW(program.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE,
                                               CREATE_NO_WINDOW, nullptr, directory.c_str(), &startup, &process)) {
        return false;
    }
    const UniqueHandle thread(process.hThread);
    // Windows may still refuse the command: the poll looks at it till it ends.
    commands_.emplace_back(process.hProcess);
    return true;
}

// A look at each process that never blocks; one that cannot be looked at
// counts as ended, and refused, so that it is reported rather than forgotten.
std::optional<std::uint32_t> Win32PlatformServices::endedCommand() {
    for (auto command = commands_.begin(); command != commands_.end(); ++command) {
        const DWORD state = ::WaitForSingleObject(command->get(), 0);
        if (state == WAIT_TIMEOUT) continue;
        DWORD exitCode = 0;
        if (state != WAIT_OBJECT_0 || !::GetExitCodeProcess(command->get(), &exitCode)) {
            exitCode = ::GetLastError() != 0 ? ::GetLastError() : ERROR_GEN_FAILURE;
        }
        commands_.erase(command);
        return exitCode;
    }
    return std::nullopt;
}

void Win32PlatformServices::keepSystemAwake(bool awake) {
    if (awake != keepingAwake_) {
        // Never ES_DISPLAY_REQUIRED: the screen may still go dark.
        ::SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
        keepingAwake_ = awake;
    }
}

void Win32PlatformServices::setTaskbarButtonVisible(bool visible) {
    taskbarButtonVisible_ = visible;
    applyTaskbarButton();
}

void Win32PlatformServices::taskbarButtonCreated() {
    if (!taskbarButtonVisible_) applyTaskbarButton();
}

// ITaskbarList talks to Explorer, which may be busy or restarting. Made anew
// for each change, so one that failed is tried again at the next.
void Win32PlatformServices::applyTaskbarButton() {
    const auto create = system_.coCreateInstance();
    if (create == nullptr) return;
    shell_.post([create, window = window_, visible = taskbarButtonVisible_] {
        ComPtr<ITaskbarList> taskbar;
        if (FAILED(create(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList, taskbar.put())) ||
            FAILED(taskbar->HrInit())) {
            return;
        }
        if (visible) {
            taskbar->AddTab(window);
        } else {
            taskbar->DeleteTab(window);
        }
    });
}

void Win32PlatformServices::openDocument(const std::wstring& verb, const std::wstring& file,
                                         const std::wstring& parameters, const std::wstring& directory,
                                         int showCommand) {
    const auto shellExecute = system_.shellExecuteA();
    if (shellExecute == nullptr) return;
    // The shell may start a browser, or talk to one, before it returns.
    shell_.post([shellExecute, window = window_, verb = toAnsi(verb), file = toAnsi(file),
                 parameters = toAnsi(parameters), directory = toAnsi(directory), showCommand] {
        shellExecute(window, verb.c_str(), file.c_str(), parameters.c_str(), directory.c_str(), showCommand);
    });
}

bool Win32PlatformServices::isKeyDown(int virtualKey) { return ::GetAsyncKeyState(virtualKey) < 0; }

void Win32PlatformServices::bringToFront(bool firstPollOfPress) {
    if (::IsIconic(window_)) {
        ::ShowWindow(window_, SW_RESTORE);
    }
    if (::GetForegroundWindow() == window_ || system_.setForegroundWindow(window_) || !firstPollOfPress) {
        return;
    }
    // Windows keeps the foreground from a program that did not get the last
    // input, and a poll never does. Sharing the input state of the window in
    // front lifts that, once per press; never with a thread that does not
    // answer, and never while an earlier try still waits on one.
    const HWND front = ::GetForegroundWindow();
    if (front == nullptr || ::IsHungAppWindow(front) || foreground_.busy()) {
        return;
    }
    const DWORD frontThread = ::GetWindowThreadProcessId(front, nullptr);
    if (frontThread == 0 || frontThread == ::GetCurrentThreadId()) {
        return;
    }
    // Joined, SetForegroundWindow waits on the program in front, which may be busy with the very same keys.
    foreground_.post([setForeground = system_.setForegroundWindow, window = window_, frontThread] {
        const DWORD self = ::GetCurrentThreadId();
        if (::AttachThreadInput(self, frontThread, TRUE)) {
            setForeground(window);
            ::AttachThreadInput(self, frontThread, FALSE);
        }
    });
}

}  // namespace qorvane::win32
