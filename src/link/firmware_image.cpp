#include "link/firmware_image.h"

#include "link/protocol.h"

namespace velor::protocol {

std::size_t FirmwarePayloadSize(std::size_t length) {
    return length >= kFirmwareMinSize ? length - kFirmwareMinSize : 0;
}

bool IsUploadableFirmware(std::size_t length) {
    return length >= kFirmwareMinSize && FirmwarePayloadSize(length) % kBlockSize == 0 &&
           FirmwareBlockCount(length) <= kMaxBlockCount;
}

std::size_t FirmwareBlockCount(std::size_t length) {
    return FirmwarePayloadSize(length) / kBlockSize + 1;
}

} // namespace velor::protocol
