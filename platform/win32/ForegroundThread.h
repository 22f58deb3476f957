#pragma once

// Asks for the foreground past Windows' lock on a short-lived thread, so the window's thread never waits on another
// program.

#include <windows.h>

#include <memory>

#include "win32/UniqueResource.h"

namespace qorvane::win32 {

class ForegroundThread {
public:
    // Joins the input of the thread in front, asks for the window to be the
    // foreground window and leaves again, on a thread of its own: joining
    // makes SetForegroundWindow wait on the program in front, which may be
    // busy with the very same keys. Does nothing while an earlier one still
    // waits, so a stalled program gets at most one thread.
    void request(HWND window, DWORD frontThread) {
        if (running_ && ::WaitForSingleObject(running_.get(), 0) == WAIT_TIMEOUT) return;
        auto request = std::make_unique<Request>(Request{window, frontThread});
        running_ = UniqueHandle(::CreateThread(nullptr, 0, run, request.get(), 0, nullptr));
        if (running_) static_cast<void>(request.release());  // the thread's now
    }
    ForegroundThread() = default;
    ForegroundThread(const ForegroundThread&) = delete;
    ForegroundThread& operator=(const ForegroundThread&) = delete;
    // The thread may still wait when the program ends; it ends with the process.
    ~ForegroundThread() = default;

private:
    struct Request {
        HWND window;
        DWORD frontThread;
    };

    static DWORD WINAPI run(void* context) {
        const std::unique_ptr<Request> request(static_cast<Request*>(context));
        MSG message{};
        // A thread joins another's input only once it has a message queue.
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        const DWORD self = ::GetCurrentThreadId();
        if (::AttachThreadInput(self, request->frontThread, TRUE)) {
            ::SetForegroundWindow(request->window);
            ::AttachThreadInput(self, request->frontThread, FALSE);
        }
        return 0;
    }

    UniqueHandle running_;
};

}  // namespace qorvane::win32
