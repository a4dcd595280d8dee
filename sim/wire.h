#pragma once

#include "sim/sim_config.h"

#include <array>
#include <cstddef>
#include <string>

// The device's view of the link: frame layout, command codes, block geometry and write-status
// bits, and the few byte helpers the simulator needs.
namespace velor::sim {

constexpr std::array<uint8_t, 3> kRequestStart{0x55, 0x01, 0xFF};
constexpr std::size_t kRequestCommandOffset = 3;
constexpr std::size_t kRequestLengthOffset = 4;
constexpr std::size_t kRequestHeadSize = 5; // start bytes, command, length
constexpr std::size_t kRequestOverhead = 7; // head and CRC-16
constexpr uint8_t kReplyStart = 0xAA;
constexpr std::size_t kReplyOverhead = 4; // start, length, CRC-16
constexpr std::size_t kCrcSize = 2;

constexpr uint8_t kCmdAcknowledge = 0x00;
constexpr uint8_t kCmdStatusPoll = 0x37;
constexpr uint8_t kCmdWriteBlock = 0x54;
constexpr uint8_t kCmdIdentify = 0x80;
constexpr uint8_t kCmdSelectScenario = 0x81;
constexpr uint8_t kCmdReadRequest = 0x82;

// Request data lengths the device insists on.
constexpr std::size_t kAckDataSize = 1;
constexpr std::size_t kSelectDataSize = 1;
constexpr std::size_t kReadRequestDataSize = 6;    // code (16 bits), 32-bit zero
constexpr std::size_t kSettingsHeadBlockSize = 76; // number, count, code, param, CRC, 64 bytes
constexpr std::size_t kFirmwareHeadBlockSize = 23; // number, count, code, param, CRC, 11 bytes
constexpr std::size_t kDataBlockSize = 66;         // number, 64 bytes

// Settings table on the link: 257 bytes carried in a 320-byte stream of five 64-byte blocks;
// table bytes 0..224 sit at stream 0..224, table bytes 225..256 at stream 256..287.
constexpr std::size_t kSettingsTableSize = 257;
constexpr std::size_t kBlockSize = 64;
constexpr std::size_t kSplit = 225;
constexpr std::size_t kSettingsBlocks = kSplit / kBlockSize + 2;
constexpr std::size_t kStreamSize = kSettingsBlocks * kBlockSize;
constexpr std::size_t kSecondPartOffset = (kSettingsBlocks - 1) * kBlockSize;

// Firmware: 11 header bytes (7-byte descriptor and 4 further bytes) head the upload.
constexpr std::size_t kFirmwareHeaderSize = 11;
constexpr std::size_t kKeyIdentifierSize = 6;

// Write status, payload byte 3 of a write-block or status-poll reply.
constexpr uint8_t kStatusAccepted = 0x00;
constexpr uint8_t kStatusRefused = 0x20;
constexpr uint8_t kStatusWaitBusy = 0x08; // wait field (bits 3-4) = 1
constexpr uint8_t kStatusDelayMask = 0x07;

// Settings and firmware writes have at most this many blocks (16-bit count on the link).
constexpr std::size_t kMaxBlocks = 0xFFFF;

uint16_t GetLe16(const uint8_t* p);
uint32_t GetLe32(const uint8_t* p);
void PutLe16(Bytes& out, uint16_t value);
void PutLe32(Bytes& out, uint32_t value);

uint16_t Crc(const uint8_t* data, std::size_t count);
// The last two bytes of frame are the CRC-16 (low byte first) of the bytes before them.
bool ChecksumMatches(const uint8_t* frame, std::size_t size);

// 0xAA, payload length, payload, CRC-16.
Bytes BuildReply(const Bytes& payload);

// "0x5A" for log lines.
std::string HexByte(uint8_t value);
std::string HexWord(uint16_t value);
std::string HexBytes(const uint8_t* data, std::size_t count);

} // namespace velor::sim
