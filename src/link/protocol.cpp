#include "link/protocol.h"

#include "link/crc16.h"

#include <algorithm>

namespace velor::protocol {

namespace {

constexpr std::array<int, 8> kWriteDelaysMs = {0, 20, 50, 200, 500, 2000, 5000, 0};
constexpr unsigned kBitsPerByte = 8;

void AppendCrc(std::vector<uint8_t>& frame) {
    AppendLe16(frame, TCrc16().Compute(frame.data(), frame.size()));
}

void PutLe16(std::vector<uint8_t>& out, std::size_t offset, uint16_t value) {
    out[offset] = static_cast<uint8_t>(value);
    out[offset + 1] = static_cast<uint8_t>(value >> kBitsPerByte);
}

void PutLe32(std::vector<uint8_t>& out, std::size_t offset, uint32_t value) {
    PutLe16(out, offset, static_cast<uint16_t>(value));
    PutLe16(out, offset + 2, static_cast<uint16_t>(value >> (2 * kBitsPerByte)));
}

} // namespace

int WriteDelayMs(uint8_t delayCode) {
    return kWriteDelaysMs[delayCode & kStatusDelayMask];
}

uint16_t ReadLe16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << kBitsPerByte));
}

uint32_t ReadLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(ReadLe16(bytes)) |
           (static_cast<uint32_t>(ReadLe16(bytes + 2)) << (2 * kBitsPerByte));
}

void AppendLe16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> kBitsPerByte));
}

void AppendLe32(std::vector<uint8_t>& out, uint32_t value) {
    AppendLe16(out, static_cast<uint16_t>(value));
    AppendLe16(out, static_cast<uint16_t>(value >> (2 * kBitsPerByte)));
}

std::vector<uint8_t> BuildRequestFrame(const RequestHead& head, const uint8_t* data) {
    const std::size_t n = head[kRequestLengthOffset];
    std::vector<uint8_t> frame(head.begin(), head.end());
    frame.reserve(n + kRequestOverhead);
    if (n != 0) {
        frame.insert(frame.end(), data, data + n);
    }
    AppendCrc(frame);
    return frame;
}

std::vector<uint8_t> BuildRequestFrame(uint8_t command, const uint8_t* data, uint8_t n) {
    const RequestHead head = {kRequestStart, kRequestFixed1, kRequestFixed2, command, n};
    return BuildRequestFrame(head, data);
}

std::vector<uint8_t> BuildReplyFrame(const uint8_t* payload, uint8_t n) {
    std::vector<uint8_t> frame = {kReplyStart, n};
    frame.reserve(n + kReplyOverhead);
    if (n != 0) {
        frame.insert(frame.end(), payload, payload + n);
    }
    AppendCrc(frame);
    return frame;
}

std::vector<uint8_t> BuildFirstBlockData(uint16_t blockCount, int32_t code, uint32_t param,
                                         uint16_t checksum, const uint8_t* bytes, std::size_t n) {
    std::vector<uint8_t> data(kBlockHeaderSize + n);
    PutLe16(data, kHeadNumberOffset, 0);
    PutLe16(data, kHeadCountOffset, blockCount);
    PutLe16(data, kHeadCodeOffset, static_cast<uint16_t>(code));
    PutLe32(data, kHeadParamOffset, param);
    PutLe16(data, kHeadChecksumOffset, checksum);
    std::copy(bytes, bytes + n, data.begin() + kBlockHeaderSize);
    return data;
}

std::vector<uint8_t> BuildFurtherBlockData(uint16_t blockNumber, const uint8_t* bytes) {
    std::vector<uint8_t> data(kFurtherBlockDataSize);
    PutLe16(data, kBlockNumberOffset, blockNumber);
    std::copy(bytes, bytes + kBlockSize, data.begin() + kBlockContentOffset);
    return data;
}

std::vector<uint8_t> BuildReadRequestData(int32_t code) {
    std::vector<uint8_t> data;
    data.reserve(kReadRequestDataSize);
    AppendLe16(data, static_cast<uint16_t>(code));
    AppendLe32(data, 0);
    return data;
}

bool HasValidCrc(const uint8_t* frame, std::size_t size) {
    if (size < kCrcSize) {
        return false;
    }
    const std::size_t covered = size - kCrcSize;
    return TCrc16().Compute(frame, covered) == ReadLe16(frame + covered);
}

bool IsAcceptedReply(const uint8_t* reply, std::size_t size) {
    return size >= kReplyOverhead && reply[0] == kReplyStart && HasValidCrc(reply, size);
}

} // namespace velor::protocol
