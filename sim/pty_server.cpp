#include "sim/pty_server.h"

#include "sim/wire.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace velor::sim {

namespace {

using Clock = LinePacer::Clock;

// A frame that stops arriving for this long is given up by the receiver.
constexpr std::chrono::milliseconds kPartialFrameSilence{100};
// How long a reply may wait for room in the terminal's buffer before it is dropped.
constexpr int kWriteRoomWaitMs = 1000;
constexpr std::size_t kReadChunk = 4096;

std::runtime_error SystemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

timespec ToTimespec(Clock::duration d) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    constexpr long long kNsPerSecond = 1'000'000'000LL;
    const long long clamped = ns < 0 ? 0 : ns;
    return timespec{static_cast<time_t>(clamped / kNsPerSecond),
                    static_cast<long>(clamped % kNsPerSecond)};
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

PtyServer::PtyServer(SimState state, bool paced) : device_(std::move(state)), pacer_(paced) {
    try {
        OpenTerminal();
    } catch (...) {
        CloseFd(master_);
        CloseFd(slaveKeeper_);
        CloseFd(wakeRead_);
        CloseFd(wakeWrite_);
        throw;
    }
}

PtyServer::~PtyServer() {
    Stop();
    CloseFd(master_);
    CloseFd(slaveKeeper_);
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
}

void PtyServer::OpenTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        throw SystemError("cannot open a pseudo-terminal");
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        throw SystemError("cannot name the pseudo-terminal");
    }
    slavePath_ = name;
    slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slaveKeeper_ < 0 || ::tcgetattr(slaveKeeper_, &tio) != 0) {
        throw SystemError("cannot open " + slavePath_);
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(slaveKeeper_, TCSANOW, &tio) != 0) {
        throw SystemError("cannot make " + slavePath_ + " raw");
    }
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw SystemError("cannot create the wake-up pipe");
    }
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

void PtyServer::Start() {
    thread_ = std::thread([this] { Serve(); });
}

void PtyServer::Stop() {
    RequestStop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PtyServer::RequestStop() {
    stop_ = true;
    const char wake = 1;
    if (wakeWrite_ >= 0 && ::write(wakeWrite_, &wake, 1) < 0) {
        // The pipe is full: a wake-up is pending already.
    }
}

void PtyServer::Serve() {
    try {
        while (!stop_ && !lineDropped_) {
            if (WaitForInput()) {
                TakeInput();
            }
            SendDue();
            DropPartialAfterSilence();
            const bool hungUp = WithDevice([](SimDevice& d) { return d.HungUp(); });
            if (hungUp && outgoing_.empty()) {
                CloseLine();
            }
        }
    } catch (const std::exception& e) {
        const std::string line = std::string("serving stopped: ") + e.what();
        WithDevice([&line](SimDevice& d) { d.Note(line); });
        CloseLine();
    }
}

// Waits for bytes from the program, a stop request, or the next reply or receiver deadline.
// Returns whether the program's bytes are waiting.
bool PtyServer::WaitForInput() {
    std::optional<Clock::time_point> deadline;
    if (!outgoing_.empty()) {
        deadline = outgoing_.front().due;
    } else if (frameStart_) {
        deadline = lastInput_ + kPartialFrameSilence;
    }
    pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    timespec timeout{};
    if (deadline) {
        timeout = ToTimespec(*deadline - Clock::now());
    }
    const int ready = ::ppoll(fds, 2, deadline ? &timeout : nullptr, nullptr);
    if (ready < 0) {
        if (errno == EINTR) {
            return false;
        }
        throw SystemError("waiting on the pseudo-terminal failed");
    }
    if (fds[1].revents & POLLIN) {
        char drain[64];
        while (::read(wakeRead_, drain, sizeof drain) > 0) {
        }
    }
    if ((fds[0].revents & (POLLHUP | POLLERR)) && !(fds[0].revents & POLLIN)) {
        throw std::runtime_error("the pseudo-terminal hung up");
    }
    return (fds[0].revents & POLLIN) != 0;
}

void PtyServer::TakeInput() {
    uint8_t chunk[kReadChunk];
    const ssize_t n = ::read(master_, chunk, sizeof chunk);
    if (n <= 0) {
        return;
    }
    const Clock::time_point now = Clock::now();
    lastInput_ = now;
    if (!frameStart_) {
        frameStart_ = now;
    }
    if (trace_) {
        trace_("rx " + HexBytes(chunk, static_cast<std::size_t>(n)));
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (SimDevice::Exchange& exchange : device_.Receive(chunk, static_cast<std::size_t>(n))) {
        const Clock::time_point received =
            pacer_.RequestReceived(*frameStart_, exchange.requestSize);
        frameStart_ = now;
        if (!exchange.reply.empty()) {
            const Clock::time_point due = pacer_.ReplyDelivered(received, exchange.reply.size());
            outgoing_.push_back({due, std::move(exchange.reply)});
        }
    }
    if (!device_.HasPartialFrame()) {
        frameStart_.reset();
    }
}

void PtyServer::SendDue() {
    while (!outgoing_.empty() && outgoing_.front().due <= Clock::now()) {
        const Bytes& bytes = outgoing_.front().bytes;
        if (trace_) {
            trace_("tx " + HexBytes(bytes.data(), bytes.size()));
        }
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + sent, bytes.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                continue;
            }
            pollfd room{master_, POLLOUT, 0};
            if ((n < 0 && errno != EAGAIN && errno != EINTR) ||
                ::poll(&room, 1, kWriteRoomWaitMs) <= 0) {
                WithDevice(
                    [](SimDevice& d) { d.Note("reply dropped: the line does not take it"); });
                break;
            }
        }
        outgoing_.pop_front();
    }
}

void PtyServer::DropPartialAfterSilence() {
    if (!frameStart_ || Clock::now() - lastInput_ < kPartialFrameSilence) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    device_.DropPartialFrame();
    frameStart_.reset();
}

void PtyServer::CloseLine() {
    CloseFd(master_);
    CloseFd(slaveKeeper_);
    lineDropped_ = true;
}

} // namespace velor::sim
