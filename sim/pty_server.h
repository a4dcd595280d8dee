#pragma once

#include "sim/line_pacer.h"
#include "sim/sim_device.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace velor::sim {

// Serves a SimDevice on a pseudo-terminal: the program opens the slave side (SlavePath) as if it
// were the USB-serial bridge's tty. The server keeps a slave descriptor of its own open, so a
// program that closes and reopens the tty finds the line as it left it. Replies leave when the
// line pacer says their last byte would have arrived. When the device drops the line, the
// pseudo-terminal is closed and serving ends.
class PtyServer {
public:
    // Opens the pseudo-terminal (raw, 9600 8N1); throws std::runtime_error when it cannot.
    PtyServer(SimState state, bool paced);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    const std::string& SlavePath() const { return slavePath_; }

    // Serves on the calling thread until RequestStop or until the device drops the line.
    void Serve();
    // Serves on a thread of its own; Stop ends it and waits for it.
    void Start();
    void Stop();
    // Safe to call from a signal handler.
    void RequestStop();

    bool LineDropped() const { return lineDropped_; }

    // Runs f on the device with the server locked out; how tests and the program inspect it.
    template <typename F> decltype(auto) WithDevice(F&& f) {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(device_);
    }

    // Every frame in both directions in hex, for --verbose.
    void SetTrace(LogSink trace) { trace_ = std::move(trace); }

private:
    struct Pending {
        LinePacer::Clock::time_point due;
        Bytes bytes;
    };

    void OpenTerminal();
    bool WaitForInput();
    void TakeInput();
    void SendDue();
    void DropPartialAfterSilence();
    void CloseLine();

    SimDevice device_;
    std::mutex mutex_;
    LinePacer pacer_;
    LogSink trace_;
    std::string slavePath_;
    int master_ = -1;
    int slaveKeeper_ = -1; // keeps the line up while the program has the tty closed
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> lineDropped_{false};
    std::deque<Pending> outgoing_;
    std::optional<LinePacer::Clock::time_point> frameStart_; // first byte of the frame in progress
    LinePacer::Clock::time_point lastInput_{};
    std::thread thread_;
};

} // namespace velor::sim
