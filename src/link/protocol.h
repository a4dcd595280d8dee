#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The model-580 link protocol: frame layouts, commands, lengths and timing. Shared by the device
// object and by the device simulator. All multi-byte fields are little-endian.
namespace velor::protocol {

// Request frame: 55 01 FF <command> <N> <N data bytes> <CRC-16 of bytes 0..4+N, low byte first>.
constexpr uint8_t kRequestStart = 0x55;
constexpr uint8_t kRequestFixed1 = 0x01; // byte 1, the same in every request
constexpr uint8_t kRequestFixed2 = 0xFF; // byte 2, the same in every request
constexpr std::size_t kRequestHeadSize = 5;
constexpr std::size_t kRequestCommandOffset = 3;
constexpr std::size_t kRequestLengthOffset = 4;
constexpr std::size_t kCrcSize = 2;
constexpr std::size_t kRequestOverhead = kRequestHeadSize + kCrcSize; // 7

// Reply frame: AA <N> <N payload bytes> <CRC-16 of bytes 0..1+N, low byte first>.
constexpr uint8_t kReplyStart = 0xAA;
constexpr std::size_t kReplyLengthOffset = 1;
constexpr std::size_t kReplyPayloadOffset = 2;
constexpr std::size_t kReplyOverhead = kReplyPayloadOffset + kCrcSize; // 4

using RequestHead = std::array<uint8_t, kRequestHeadSize>;

// The fixed head of a request: start, the two fixed bytes, command, data length.
constexpr RequestHead MakeRequestHead(uint8_t command, uint8_t dataSize) {
    return {kRequestStart, kRequestFixed1, kRequestFixed2, command, dataSize};
}

// Commands.
constexpr uint8_t kCmdIdentify = 0x80;
constexpr uint8_t kCmdSelectScenario = 0x81;
constexpr uint8_t kCmdReadRequest = 0x82;
constexpr uint8_t kCmdWriteBlock = 0x54;
constexpr uint8_t kCmdStatusPoll = 0x37;
constexpr uint8_t kCmdAcknowledge = 0x00;

constexpr uint8_t kAcknowledgeData = 0x00; // the acknowledge request's one data byte

// Request data lengths.
constexpr uint8_t kSelectScenarioDataSize = 1;      // scenario number
constexpr uint8_t kReadRequestDataSize = 6;         // code (16 bits), then 32 bits of 0
constexpr uint8_t kFirstSettingsBlockDataSize = 76; // 12-byte block header + 64 stream bytes
constexpr uint8_t kFirstFirmwareBlockDataSize = 23; // 12-byte block header + 11 file header bytes
constexpr uint8_t kFurtherBlockDataSize = 66;       // block number (16 bits) + 64 bytes

// Expected total reply lengths; each is read in one piece.
constexpr uint32_t kIdentifyReplySize = 11;
constexpr uint32_t kScenarioReplySize = 14;
constexpr uint32_t kFirstReadBlockReplySize = 72;
constexpr uint32_t kReadBlockReplySize = 70;
constexpr uint32_t kKeyReplySize = 14;
constexpr uint32_t kWriteReplySize = 8; // write block and status poll

// Identification reply: AA 07 <type:2> <platform:2> <version 1..3> <CRC>.
constexpr std::size_t kIdentifyTypeOffset = 2;
constexpr std::size_t kIdentifyPlatformOffset = 4;
constexpr std::size_t kIdentifyVersion1Offset = 6;
constexpr std::size_t kIdentifyVersion2Offset = 7;
constexpr std::size_t kIdentifyVersion3Offset = 8;
constexpr uint16_t kModel580Type = 580; // device type the configured model reports

// Scenario reply: AA <N> <code:2> <param:4> <further value:4, unused> <CRC>.
constexpr std::size_t kScenarioCodeOffset = 2;
constexpr std::size_t kScenarioParamOffset = 4;

// Scenario numbers sent in the select-scenario request.
constexpr uint8_t kScenarioKeyRead = 1;
constexpr uint8_t kScenarioSettingsRead = 2;
constexpr uint8_t kScenarioSettingsWrite = 3;
constexpr uint8_t kScenarioFirmwareWrite = 4;

// Transfer blocks and the settings stream. The 257-byte settings table splits at byte 225:
// bytes 0..224 travel at stream bytes 0..224, bytes 225..256 at stream bytes 256..287.
constexpr std::size_t kBlockSize = 64;
// Write block 0, the head: block number 0, block count, scenario code (16 bits), scenario
// parameter (32 bits), CRC-16 of everything the transfer carries, then the first content bytes.
constexpr std::size_t kHeadNumberOffset = 0;
constexpr std::size_t kHeadCountOffset = 2;
constexpr std::size_t kHeadCodeOffset = 4;
constexpr std::size_t kHeadParamOffset = 6;
constexpr std::size_t kHeadChecksumOffset = 10;
constexpr std::size_t kBlockHeaderSize = 12; // where block 0's content starts
// Further write blocks: the block number, then 64 content bytes.
constexpr std::size_t kBlockNumberOffset = 0;
constexpr std::size_t kBlockContentOffset = 2;
constexpr std::size_t kSettingsTableSize = 257;
constexpr std::size_t kStreamSplit = 225;                                   // 0xE1
constexpr std::size_t kStreamBlocks = kStreamSplit / kBlockSize + 2;        // 5
constexpr std::size_t kStreamSize = kStreamBlocks * kBlockSize;             // 320
constexpr std::size_t kStreamSecondPart = (kStreamBlocks - 1) * kBlockSize; // 256
using SettingsStream = std::array<uint8_t, kStreamSize>;

// Read-block replies: the 64 data bytes are the last 64 payload bytes, so N >= 66.
constexpr std::size_t kMinReadBlockPayload = kBlockSize + 2;

// Key identifier: the last 6 payload bytes of the key reply; N from 6 to 10.
constexpr std::size_t kKeyIdSize = 6;
constexpr std::size_t kMaxKeyPayload = kKeyReplySize - kReplyOverhead; // 10

// Firmware file: 11 header bytes (descriptor and 4 further bytes), payload, 2 trailing bytes.
constexpr std::size_t kFirmwareHeaderSize = 11;
constexpr std::size_t kFirmwareTrailerSize = 2;
constexpr std::size_t kFirmwareMinSize = kFirmwareHeaderSize + kFirmwareTrailerSize; // 13
constexpr std::size_t kMaxBlockCount = 0xFFFF; // the block count travels as 16 bits

// Write status: payload byte 3 of a write-block or status-poll reply.
constexpr std::size_t kWriteStatusOffset = 5;
constexpr uint8_t kStatusRefused = 0x20; // the device refuses the block
constexpr unsigned kStatusWaitShift = 3; // bits 3..4: wait field
constexpr uint8_t kStatusWaitMask = 0x03;
constexpr uint8_t kStatusWaitBusy = 1;     // busy: wait the delay, then poll
constexpr uint8_t kStatusDelayMask = 0x07; // bits 0..2: delay code
constexpr int kPollAttempts = 3;

// Fixed waits, in milliseconds.
constexpr int kReplyWaitMs = 20; // around the identification reply and before a poll reply

// Delay in milliseconds for a write-status delay code (0..7; only the low 3 bits count).
int WriteDelayMs(uint8_t delayCode);

// Little-endian fields.
uint16_t ReadLe16(const uint8_t* bytes);
uint32_t ReadLe32(const uint8_t* bytes);
void AppendLe16(std::vector<uint8_t>& out, uint16_t value);
void AppendLe32(std::vector<uint8_t>& out, uint32_t value);

// A complete request frame (head, data, CRC) as the program sends it. head[4] is N; data may be
// null when N is 0.
std::vector<uint8_t> BuildRequestFrame(const RequestHead& head, const uint8_t* data);
// The same from a command and its n data bytes.
std::vector<uint8_t> BuildRequestFrame(uint8_t command, const uint8_t* data, uint8_t n);
// A complete reply frame (AA, N, payload, CRC) as the device sends it.
std::vector<uint8_t> BuildReplyFrame(const uint8_t* payload, uint8_t n);

// Data of a write block. Block 0: number 0, block count, code (low 16 bits), parameter and
// checksum, followed by n bytes. Block i >= 1: its number followed by the 64 bytes at bytes.
std::vector<uint8_t> BuildFirstBlockData(uint16_t blockCount, int32_t code, uint32_t param,
                                         uint16_t checksum, const uint8_t* bytes, std::size_t n);
std::vector<uint8_t> BuildFurtherBlockData(uint16_t blockNumber, const uint8_t* bytes);
// Data of a read request: the scenario code's low 16 bits, then a 32-bit 0.
std::vector<uint8_t> BuildReadRequestData(int32_t code);

// Whether the last two bytes of a frame hold the CRC-16 of the bytes before them.
bool HasValidCrc(const uint8_t* frame, std::size_t size);
// Reply acceptance: start byte 0xAA and a valid CRC. The length is the caller's business.
bool IsAcceptedReply(const uint8_t* reply, std::size_t size);

} // namespace velor::protocol
