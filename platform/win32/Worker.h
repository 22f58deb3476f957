#pragma once

// The one way the program runs work off the window's thread: a thread of its own that runs the jobs posted to it.

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "win32/ComApartment.h"
#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"

namespace qorvane::win32 {

// For work that may wait on another program (Explorer, the shell, the program
// in front), which the window's thread must never do. The rule for a job:
// - it holds copies of what it needs and touches nothing the window's thread
//   owns; it speaks to the window only with PostMessage;
// - the window's thread never waits for it: posting returns at once, and the
//   worker's end is asked for, never awaited;
// - a job still waiting on another program when ours ends ends with the process.
// Jobs run one at a time, in the order posted. While the thread waits it
// dispatches messages, as a COM apartment's thread must.
class Worker {
public:
    Worker() = default;
    // The thread lives in a single-threaded COM apartment of its own.
    explicit Worker(SystemFunctions& com) : com_(&com) {}
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    ~Worker() {
        if (state_) {
            state_->ending = true;
            ::SetEvent(state_->wake.get());
        }
    }

    // Queues the job, a callable; the thread starts with the first. False if no thread could be started.
    template <typename Function>
    bool post(Function job) {
        if (!state_ && !start()) return false;
        ++state_->unfinished;
        {
            const std::lock_guard<Lock> hold(state_->lock);
            state_->jobs.push_back(std::make_unique<JobOf<Function>>(std::move(job)));
        }
        ::SetEvent(state_->wake.get());
        return true;
    }
    // A job posted earlier has not finished: it may be waiting on another program.
    bool busy() const { return state_ && state_->unfinished > 0; }

private:
    class Lock {
    public:
        void lock() { ::AcquireSRWLockExclusive(&lock_); }
        void unlock() { ::ReleaseSRWLockExclusive(&lock_); }

    private:
        SRWLOCK lock_ = SRWLOCK_INIT;
    };

    struct Job {
        virtual ~Job() = default;
        virtual void run() = 0;
    };
    template <typename Function>
    struct JobOf final : Job {
        explicit JobOf(Function job) : function(std::move(job)) {}
        void run() override { function(); }
        Function function;
    };

    // Shared with the thread, which may outlive this object.
    struct State {
        SystemFunctions::CoInitializeExFunction initialize = nullptr;
        SystemFunctions::CoUninitializeFunction uninitialize = nullptr;
        UniqueHandle wake{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
        Lock lock;
        std::vector<std::unique_ptr<Job>> jobs;  // in the order posted
        std::atomic<int> unfinished{0};
        std::atomic<bool> ending{false};

        std::vector<std::unique_ptr<Job>> takeJobs() {
            const std::lock_guard<Lock> hold(lock);
            return std::exchange(jobs, {});
        }
    };

    bool start() {
        auto state = std::make_shared<State>();
        if (!state->wake) return false;
        if (com_ != nullptr) {
            // Found here, on the window's thread, which alone asks the list.
            state->initialize = com_->coInitializeEx();
            state->uninitialize = com_->coUninitialize();
        }
        auto own = std::make_unique<std::shared_ptr<State>>(state);
        const UniqueHandle thread(::CreateThread(nullptr, 0, run, own.get(), 0, nullptr));
        if (!thread) return false;
        static_cast<void>(own.release());  // the thread's now
        state_ = std::move(state);
        return true;
    }

    static DWORD WINAPI run(void* context) {
        const std::unique_ptr<std::shared_ptr<State>> own(static_cast<std::shared_ptr<State>*>(context));
        State& state = **own;
        // A queue of its own from the start: a thread joins another's input only once it has one.
        MSG first{};
        ::PeekMessageW(&first, nullptr, 0, 0, PM_NOREMOVE);
        std::optional<ComApartment> com;
        if (state.initialize != nullptr) com.emplace(state.initialize, state.uninitialize);
        for (;;) {
            for (const auto& job : state.takeJobs()) {
                if (state.ending) break;
                job->run();
                --state.unfinished;
            }
            if (state.ending) return 0;
            const HANDLE wake = state.wake.get();
            ::MsgWaitForMultipleObjectsEx(1, &wake, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            for (MSG message{}; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }

    SystemFunctions* com_ = nullptr;
    std::shared_ptr<State> state_;
};

}  // namespace qorvane::win32
