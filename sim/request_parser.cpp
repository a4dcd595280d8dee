#include "sim/request_parser.h"

#include "sim/wire.h"

#include <algorithm>
#include <array>

namespace velor::sim {

namespace {
// The three bytes every request starts with.
constexpr std::array<uint8_t, 3> kRequestStart{protocol::kRequestStart, protocol::kRequestFixed1,
                                               protocol::kRequestFixed2};
} // namespace

std::size_t RequestFrame::WireSize() const {
    return data.size() + protocol::kRequestOverhead;
}

std::vector<RequestFrame> RequestParser::Feed(const uint8_t* data, std::size_t count) {
    buffer_.insert(buffer_.end(), data, data + count);
    std::vector<RequestFrame> frames;
    for (;;) {
        RequestFrame frame;
        const Step step = TakeOne(frame);
        if (step == Step::NeedMore) {
            break;
        }
        if (step == Step::Frame) {
            frames.push_back(std::move(frame));
        }
    }
    return frames;
}

void RequestParser::DropPartial() {
    if (!buffer_.empty()) {
        log_("refused: incomplete frame of " + std::to_string(buffer_.size()) +
             " bytes dropped after silence");
        buffer_.clear();
    }
}

RequestParser::Step RequestParser::TakeOne(RequestFrame& frame) {
    if (buffer_.empty()) {
        return Step::NeedMore;
    }
    const std::size_t startChecked = std::min(buffer_.size(), kRequestStart.size());
    if (!std::equal(kRequestStart.begin(), kRequestStart.begin() + startChecked, buffer_.begin())) {
        DropStray();
        return Step::Dropped;
    }
    if (buffer_.size() < protocol::kRequestHeadSize) {
        return Step::NeedMore;
    }
    const std::size_t dataSize = buffer_[protocol::kRequestLengthOffset];
    const std::size_t wireSize = dataSize + protocol::kRequestOverhead;
    if (buffer_.size() < wireSize) {
        return Step::NeedMore;
    }
    const uint8_t command = buffer_[protocol::kRequestCommandOffset];
    const bool crcOk = protocol::HasValidCrc(buffer_.data(), wireSize);
    if (crcOk) {
        frame.command = command;
        frame.data.assign(buffer_.begin() + protocol::kRequestHeadSize,
                          buffer_.begin() + protocol::kRequestHeadSize + dataSize);
    } else {
        log_("refused: bad CRC on command " + HexByte(command) + ", frame of " +
             std::to_string(wireSize) + " bytes dropped");
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + wireSize);
    return crcOk ? Step::Frame : Step::Dropped;
}

// Drops everything up to the next byte that could start a request.
void RequestParser::DropStray() {
    auto next = std::find(buffer_.begin() + 1, buffer_.end(), kRequestStart[0]);
    const auto dropped = static_cast<std::size_t>(next - buffer_.begin());
    log_("refused: " + std::to_string(dropped) + " byte(s) without a request start dropped");
    buffer_.erase(buffer_.begin(), next);
}

} // namespace velor::sim
