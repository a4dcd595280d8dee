#pragma once

#include <cstddef>

// Rules of a firmware image (a *.tsk file as a whole): 11 header bytes (device descriptor and 4
// further bytes), the payload, 2 trailing bytes that are never sent.
namespace velor::protocol {

// File offsets of the device descriptor that heads an image (type and platform little-endian).
constexpr std::size_t kFirmwareTypeOffset = 0;
constexpr std::size_t kFirmwarePlatformOffset = 2;
constexpr std::size_t kFirmwareVersion1Offset = 4;
constexpr std::size_t kFirmwareVersion2Offset = 5;
constexpr std::size_t kFirmwareVersion3Offset = 6;
constexpr std::size_t kFirmwareDescriptorSize = 7;

// Why an image of a given length cannot be uploaded.
enum class FirmwareSizeFault {
    None,
    TooShort,      // fewer than the 11 header and 2 trailing bytes
    TooManyBlocks, // its block count does not fit the 16-bit field of the header block
    PartialBlock,  // the payload does not end on a whole 64-byte block
};

// The largest file whose block count still fits 16 bits: anything longer is refused before it
// is read (13 + 65535 x 64 - 1 bytes; the largest uploadable one, of whole blocks, is 63 bytes
// shorter).
extern const std::size_t kLargestCountableFirmware;

// Payload size of an image of length bytes; 0 for images too short to have one.
std::size_t FirmwarePayloadSize(std::size_t length);
// Whether an image can be uploaded: at least 13 bytes, a block count (header block + payload
// blocks) that fits its 16-bit field, and a payload of whole 64-byte blocks.
bool IsUploadableFirmware(std::size_t length);
// The first rule above that an image of length bytes breaks, in the order given there.
FirmwareSizeFault CheckFirmwareSize(std::size_t length);
// Blocks an upload sends: the header block and one per 64 payload bytes.
std::size_t FirmwareBlockCount(std::size_t length);

} // namespace velor::protocol
