#pragma once

#include "link/protocol.h"
#include "sim/sim_config.h"

#include <cstddef>
#include <string>

// What the device side adds to the link's protocol facts: the statuses it answers with, its
// reply frames, and hex text for its log.
namespace velor::sim {

constexpr std::size_t kAckDataSize = 1;   // the acknowledge's one data byte
constexpr uint8_t kStatusAccepted = 0x00; // write status: the block is stored

// Write status asking the program to wait the delay of delayCode, then poll.
uint8_t BusyStatus(uint8_t delayCode);

// 0xAA, payload length, payload, CRC-16.
Bytes BuildReply(const Bytes& payload);

// "0x5A", "0x0202" and "55 01 FF" for log lines.
std::string HexByte(uint8_t value);
std::string HexWord(uint16_t value);
std::string HexBytes(const uint8_t* data, std::size_t count);

} // namespace velor::sim
