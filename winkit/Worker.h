#pragma once
// Work that would hold up a user-interface thread runs on a thread of its own, and its result comes back
// to a window as a posted message: the worker touches no window and no shared state, so only the
// window's own thread ever acts on what it found.
#include "winkit/Scoped.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

namespace winkit {

namespace detail {
template <typename Result> struct WorkJob {
    HWND target;
    UINT message;
    WPARAM wParam;
    std::function<Result()> work;

    static DWORD WINAPI Run(void* param) {
        const std::unique_ptr<WorkJob> job(static_cast<WorkJob*>(param));
        auto result = std::make_unique<Result>(job->work());
        if (::PostMessageW(job->target, job->message, job->wParam, reinterpret_cast<LPARAM>(result.get())))
            result.release();
        return 0;
    }
};
} // namespace detail

// Runs `work` on a new thread, then posts `message` to `target` with `wParam` and the result, a heap
// object whose ownership travels in lParam (take it back with TakePostedResult). A result nobody can
// receive any more (the window is gone) is dropped by the worker. False when no thread could start.
template <typename Result>
bool PostResultOfWork(HWND target, UINT message, WPARAM wParam, std::function<Result()> work) {
    using Job = detail::WorkJob<Result>;
    auto job = std::make_unique<Job>(Job{target, message, wParam, std::move(work)});
    ScopedHandle thread(::CreateThread(nullptr, 0, &Job::Run, job.get(), 0, nullptr));
    if (!thread)
        return false;
    job.release(); // the thread owns it now
    return true;
}

// The result a PostResultOfWork message carries; the receiver owns it.
template <typename Result> std::unique_ptr<Result> TakePostedResult(LPARAM lParam) {
    return std::unique_ptr<Result>(reinterpret_cast<Result*>(lParam));
}

} // namespace winkit
