#include "operations/step_relay.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <chrono>
#include <exception>
#include <utility>

bool StepRelay::Run(const std::function<void()>& step) {
    if (QThread::currentThread() == context_->thread()) {
        step();
        return true;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    if (closed_) {
        return false;
    }
    state_ = State::Offered;
    step_ = &step;
    error_ = nullptr;
    changed_.notify_all(); // a window thread waiting in ServeUntilFinished takes it
    lock.unlock();
    // The window's event loop takes it otherwise. The call keeps the relay alive; it is dropped
    // unrun when the window goes first.
    QMetaObject::invokeMethod(
        context_,
        [relay = shared_from_this()] {
            std::unique_lock<std::mutex> served(relay->mutex_);
            relay->RunOffered(served);
        },
        Qt::QueuedConnection);
    lock.lock();
    changed_.wait(lock, [this] { return state_ == State::Done || state_ == State::Refused; });
    const bool ran = state_ == State::Done;
    state_ = State::Idle;
    step_ = nullptr;
    if (const std::exception_ptr error = std::exchange(error_, nullptr)) {
        lock.unlock();
        std::rethrow_exception(error);
    }
    return ran;
}

void StepRelay::RunOffered(std::unique_lock<std::mutex>& lock) {
    if (state_ != State::Offered) {
        return;
    }
    state_ = State::Running;
    const std::function<void()>* step = step_;
    lock.unlock();
    std::exception_ptr error;
    try {
        (*step)();
    } catch (...) {
        error = std::current_exception();
    }
    lock.lock();
    error_ = error;
    state_ = State::Done;
    changed_.notify_all();
}

void StepRelay::Finish() {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

bool StepRelay::ServeUntilFinished(std::chrono::milliseconds bound) {
    const auto until = std::chrono::steady_clock::now() + bound;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!finished_) {
        if (state_ == State::Offered) {
            RunOffered(lock);
            continue;
        }
        if (!changed_.wait_until(lock, until,
                                 [this] { return finished_ || state_ == State::Offered; })) {
            break;
        }
    }
    return finished_;
}

void StepRelay::Close() {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    if (state_ == State::Offered) {
        state_ = State::Refused;
        changed_.notify_all();
    }
}
