#include "link/firmware_image.h"

#include "link/protocol.h"

namespace velor::protocol {

const std::size_t kLargestCountableFirmware = kFirmwareMinSize + kMaxBlockCount * kBlockSize - 1;

std::size_t FirmwarePayloadSize(std::size_t length) {
    return length >= kFirmwareMinSize ? length - kFirmwareMinSize : 0;
}

bool IsUploadableFirmware(std::size_t length) {
    return CheckFirmwareSize(length) == FirmwareSizeFault::None;
}

FirmwareSizeFault CheckFirmwareSize(std::size_t length) {
    if (length < kFirmwareMinSize) {
        return FirmwareSizeFault::TooShort;
    }
    if (FirmwareBlockCount(length) > kMaxBlockCount) {
        return FirmwareSizeFault::TooManyBlocks;
    }
    if (FirmwarePayloadSize(length) % kBlockSize != 0) {
        return FirmwareSizeFault::PartialBlock;
    }
    return FirmwareSizeFault::None;
}

std::size_t FirmwareBlockCount(std::size_t length) {
    return FirmwarePayloadSize(length) / kBlockSize + 1;
}

} // namespace velor::protocol
