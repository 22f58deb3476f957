#pragma once

// Waits for a started command off the window's thread and posts its exit code to the window.

#include <windows.h>

#include <memory>

#include "win32/UniqueResource.h"

namespace qorvane::win32 {

// Posted to the window when a command ends: wParam its exit code, lParam the
// CommandWatch that saw it, for the platform to let go.
inline constexpr UINT kCommandEnded = WM_APP + 1;

class CommandWatch {
public:
    // Takes the process; nothing if the wait could not be set up.
    static std::unique_ptr<CommandWatch> start(HWND window, UniqueHandle process) {
        std::unique_ptr<CommandWatch> watch(new CommandWatch(window, std::move(process)));
        if (!::RegisterWaitForSingleObject(&watch->wait_, watch->process_.get(), ended, watch.get(), INFINITE,
                                           WT_EXECUTEONLYONCE)) {
            return nullptr;
        }
        return watch;
    }
    CommandWatch(const CommandWatch&) = delete;
    CommandWatch& operator=(const CommandWatch&) = delete;
    // Waits only for a callback already under way, which never waits itself.
    ~CommandWatch() {
        if (wait_ != nullptr) ::UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    }

private:
    CommandWatch(HWND window, UniqueHandle process) : window_(window), process_(std::move(process)) {}

    static void CALLBACK ended(void* context, BOOLEAN) {
        auto* self = static_cast<CommandWatch*>(context);
        DWORD exitCode = 0;
        if (!::GetExitCodeProcess(self->process_.get(), &exitCode)) exitCode = ::GetLastError();
        ::PostMessageW(self->window_, kCommandEnded, exitCode, reinterpret_cast<LPARAM>(self));
    }

    HWND window_;
    UniqueHandle process_;
    HANDLE wait_ = nullptr;
};

}  // namespace qorvane::win32
