#include "win32/Win32PlatformServices.h"

#include <algorithm>
#include <string>

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

void Win32PlatformServices::showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon) {
    ::SendMessageW(window_, kBeforeMessageBox, 0, 0);
    const bool owned = ::IsWindowVisible(window_) != FALSE;
    // In front of the program the user is in, also when our window is behind
    // it or minimized; topmost, so it shows even if Windows keeps the
    // foreground from us (a message at zero follows no input of the user's).
    const UINT type =
        MB_OK | MB_SETFOREGROUND | MB_TOPMOST | (icon == MessageIcon::Information ? MB_ICONINFORMATION : 0U);
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
    // Watched off this thread: Windows may still refuse the command.
    if (auto watch = CommandWatch::start(window_, UniqueHandle(process.hProcess))) {
        commands_.push_back(std::move(watch));
    }
    return true;
}

void Win32PlatformServices::forgetCommand(LPARAM watch) {
    std::erase_if(commands_, [watch](const std::unique_ptr<CommandWatch>& command) {
        return reinterpret_cast<LPARAM>(command.get()) == watch;
    });
}

void Win32PlatformServices::keepSystemAwake(bool awake) {
    if (awake != keepingAwake_) {
        // Never ES_DISPLAY_REQUIRED: the screen may still go dark.
        ::SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
        keepingAwake_ = awake;
    }
}

void Win32PlatformServices::setTaskbarButtonVisible(bool visible) { taskbar_.show(visible); }

void Win32PlatformServices::taskbarButtonCreated() { taskbar_.buttonCreated(); }

void Win32PlatformServices::openDocument(const std::wstring& verb, const std::wstring& file,
                                         const std::wstring& parameters, const std::wstring& directory,
                                         int showCommand) {
    const std::string ansiVerb = toAnsi(verb);
    const std::string ansiFile = toAnsi(file);
    const std::string ansiParameters = toAnsi(parameters);
    const std::string ansiDirectory = toAnsi(directory);
    const auto shellExecute = system_.shellExecuteA();
    if (shellExecute == nullptr) return;
    enterCom();  // some shell handlers need it
    shellExecute(window_, ansiVerb.c_str(), ansiFile.c_str(), ansiParameters.c_str(), ansiDirectory.c_str(),
                 showCommand);
}

// Once, on first need; CoCreateInstance then fails by itself if COM could not start.
void Win32PlatformServices::enterCom() {
    if (!com_) com_.emplace(system_);
}

bool Win32PlatformServices::isKeyDown(int virtualKey) { return ::GetAsyncKeyState(virtualKey) < 0; }

void Win32PlatformServices::bringToFront(bool firstPollOfPress) {
    if (::IsIconic(window_)) {
        ::ShowWindow(window_, SW_RESTORE);
    }
    if (::GetForegroundWindow() == window_ || ::SetForegroundWindow(window_) || !firstPollOfPress) {
        return;
    }
    // Windows keeps the foreground from a program that did not get the last
    // input, and a poll never does. Sharing the input state of the window in
    // front lifts that, once per press, on a thread of its own; never with a
    // thread that does not answer.
    const HWND front = ::GetForegroundWindow();
    if (front == nullptr || ::IsHungAppWindow(front)) {
        return;
    }
    if (const DWORD frontThread = ::GetWindowThreadProcessId(front, nullptr);
        frontThread != 0 && frontThread != ::GetCurrentThreadId()) {
        foreground_.request(window_, frontThread);
    }
}

}  // namespace qorvane::win32
