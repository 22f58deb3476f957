#pragma once

// Shows and hides the window's taskbar button from a thread of its own, so the window's thread never waits on Explorer.

#include <windows.h>
#include <shobjidl.h>

#include <atomic>
#include <memory>

#include "win32/ComApartment.h"
#include "win32/ComPtr.h"
#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"

namespace qorvane::win32 {

class TaskbarThread {
public:
    // ITaskbarList talks to Explorer, which may be busy or restarting; the
    // thread keeps the button as last asked, and the caller never waits.
    TaskbarThread(HWND window, SystemFunctions& system) : window_(window), system_(system) {}
    TaskbarThread(const TaskbarThread&) = delete;
    TaskbarThread& operator=(const TaskbarThread&) = delete;
    // Tells the thread to end and lets it; it may still wait on Explorer.
    ~TaskbarThread() {
        if (shared_) {
            shared_->ending = true;
            ::SetEvent(shared_->asked.get());
        }
    }

    void show(bool visible) {
        if (!shared_ && !start()) return;
        shared_->visible = visible;
        ::SetEvent(shared_->asked.get());
    }
    // Explorer made the window a button (it does whenever the window shows,
    // and for every window when it restarts): take it away again if there
    // should be none.
    void buttonCreated() {
        if (shared_ && !shared_->visible) ::SetEvent(shared_->asked.get());
    }

private:
    struct Shared {
        HWND window;
        SystemFunctions::CoInitializeExFunction initialize;
        SystemFunctions::CoUninitializeFunction uninitialize;
        SystemFunctions::CoCreateInstanceFunction createInstance;
        UniqueHandle asked{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
        std::atomic<bool> visible{true};
        std::atomic<bool> ending{false};
    };

    // On first need; the COM functions are found here, on the window's thread.
    bool start() {
        auto shared = std::make_shared<Shared>();
        shared->window = window_;
        shared->initialize = system_.coInitializeEx();
        shared->uninitialize = system_.coUninitialize();
        shared->createInstance = system_.coCreateInstance();
        if (!shared->asked || shared->createInstance == nullptr) return false;
        auto own = std::make_unique<std::shared_ptr<Shared>>(shared);
        const UniqueHandle thread(::CreateThread(nullptr, 0, run, own.get(), 0, nullptr));
        if (!thread) return false;
        static_cast<void>(own.release());  // the thread's now
        shared_ = std::move(shared);
        return true;
    }

    static DWORD WINAPI run(void* context) {
        const std::unique_ptr<std::shared_ptr<Shared>> own(static_cast<std::shared_ptr<Shared>*>(context));
        const Shared& shared = **own;
        const ComApartment com(shared.initialize, shared.uninitialize);
        ComPtr<ITaskbarList> taskbar;
        if (FAILED(shared.createInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                         taskbar.put())) ||
            FAILED(taskbar->HrInit())) {
            return 1;
        }
        while (::WaitForSingleObject(shared.asked.get(), INFINITE) == WAIT_OBJECT_0 && !shared.ending) {
            if (shared.visible) {
                taskbar->AddTab(shared.window);
            } else {
                taskbar->DeleteTab(shared.window);
            }
        }
        return 0;
    }

    HWND window_;
    SystemFunctions& system_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace qorvane::win32
