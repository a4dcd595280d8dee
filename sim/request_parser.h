#pragma once

#include "sim/sim_config.h"

#include <cstddef>
#include <functional>
#include <string>

namespace velor::sim {

// One request frame that arrived whole with a correct checksum.
struct RequestFrame {
    uint8_t command = 0;
    Bytes data;
    std::size_t WireSize() const; // start bytes, command, length, data and checksum
};

using LogSink = std::function<void(const std::string&)>;

// Cuts the byte stream from the program into request frames as the device's receiver does:
// a frame starts with 0x55 0x01 0xFF, its length byte says how many data bytes follow, and its
// CRC-16 must check out. Bytes before a start are dropped, a frame with a bad checksum is dropped
// whole; nothing of either reaches the device, and each is logged.
class RequestParser {
public:
    explicit RequestParser(LogSink log) : log_(std::move(log)) {}

    std::vector<RequestFrame> Feed(const uint8_t* data, std::size_t count);

    // A frame that began but stopped arriving: the receiver gives it up after a silence.
    bool HasPartial() const { return !buffer_.empty(); }
    void DropPartial();

private:
    enum class Step { NeedMore, Dropped, Frame };
    Step TakeOne(RequestFrame& frame);
    void DropStray();

    LogSink log_;
    Bytes buffer_;
};

} // namespace velor::sim
