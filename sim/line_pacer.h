#pragma once

#include <chrono>
#include <cstddef>

namespace velor::sim {

// Time a serial line at 9600 baud, 8N1 takes per byte: a start bit, 8 data bits, a stop bit.
constexpr int kLineBaud = 9600;
constexpr int kBitsPerByte = 10;
constexpr std::chrono::nanoseconds kByteTime{1'000'000'000LL * kBitsPerByte / kLineBaud};

// Models the two directions of the device's serial line so that a pseudo-terminal, which moves
// bytes at once, keeps the timing of a real one: a request counts as received when its last
// byte would have arrived, and a reply is handed over when its last byte would have. Each
// direction carries one byte at a time, so a frame cannot start before the previous one ended.
// Switched off, every frame is received and delivered at once.
class LinePacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit LinePacer(bool enabled) : enabled_(enabled) {}

    bool Enabled() const { return enabled_; }
    // firstByte: when the request's first byte was seen. Returns when all size bytes are in.
    Clock::time_point RequestReceived(Clock::time_point firstByte, std::size_t size);
    // start: when the device begins to answer. Returns when all size bytes have arrived.
    Clock::time_point ReplyDelivered(Clock::time_point start, std::size_t size);

private:
    static Clock::time_point Occupy(Clock::time_point& lineFree, Clock::time_point start,
                                    std::size_t size);

    bool enabled_;
    Clock::time_point rxFree_{};
    Clock::time_point txFree_{};
};

} // namespace velor::sim
