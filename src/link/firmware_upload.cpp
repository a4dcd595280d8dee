// Firmware upload of TVelorDevice: a header block with the file's 11 header bytes and the
// payload's checksum, then the payload in 64-byte blocks.
#include "link/velor_device.h"

#include "link/crc16.h"
#include "link/firmware_image.h"
#include "link/protocol.h"

using namespace velor::protocol;

// The image stays its owner's: it is read in place, never copied or changed. A payload that is
// not a whole number of blocks is refused before anything is sent, since its tail would never
// reach the device while the header's checksum claims it.
bool TVelorDevice::WriteFirmware(TVelorTable& table) {
    const std::size_t length = table.Length();
    if (!IsUploadableFirmware(length)) {
        return false;
    }
    const uint8_t* image = table.Data();
    const uint8_t* payload = image + kFirmwareHeaderSize;
    const std::size_t payloadSize = FirmwarePayloadSize(length);
    const auto blocks = static_cast<uint16_t>(FirmwareBlockCount(length));
    const uint16_t checksum = TCrc16().Compute(payload, payloadSize);
    stopped_ = false;
    SetGaugeMax(blocks);

    if (StopBeforeBlock() || !SendBlock(BuildFirstBlockData(blocks, table.Code, table.Param,
                                                            checksum, image, kFirmwareHeaderSize),
                                        false)) {
        return false;
    }
    AdvanceGauge();
    for (uint16_t block = 1; block < blocks; ++block) {
        const uint8_t* bytes = payload + (block - 1) * kBlockSize;
        if (StopBeforeBlock() || !SendBlock(BuildFurtherBlockData(block, bytes), false)) {
            return false;
        }
        AdvanceGauge();
    }
    return true;
}
