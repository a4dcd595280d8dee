#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// Carries the window-side steps of one operation thread to the window's thread and holds the
// operation until each has run. A step is offered two ways at once: as a queued call that the
// window's event loop runs, and to the window's thread waiting in ServeUntilFinished without an
// event loop (the window's destruction). Whichever takes it first runs it; the other finds
// nothing left. A step the window's thread calls itself runs directly.
//
// An exception a step throws on the window's thread is carried back and rethrown on the caller's
// thread, so nothing escapes into the window's event loop.
class StepRelay : public std::enable_shared_from_this<StepRelay> {
public:
    // windowContext must outlive every Run; the window keeps it alive until the operation ends.
    explicit StepRelay(QObject* windowContext) : context_(windowContext) {}

    // Runs step on the window's thread and returns once it has run. Returns false, without
    // running it, when the relay has been closed before the window's thread took it.
    bool Run(const std::function<void()>& step);
    // On the operation thread, after its last step: no step follows.
    void Finish();

    // On the window's thread: runs the steps as they are offered until Finish, sleeping in
    // between, for at most bound (a step running when it passes is not cut short). Returns
    // whether the relay has finished.
    bool ServeUntilFinished(std::chrono::milliseconds bound);
    // On the window's thread: refuses the step offered and not yet taken, and every later one.
    void Close();

private:
    enum class State { Idle, Offered, Running, Done, Refused };

    // Runs the offered step, if still offered; lock is held on entry and exit.
    void RunOffered(std::unique_lock<std::mutex>& lock);

    QObject* context_;
    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    const std::function<void()>* step_ = nullptr; // the offered step while Offered or Running
    std::exception_ptr error_;
    bool finished_ = false;
    bool closed_ = false;
};
