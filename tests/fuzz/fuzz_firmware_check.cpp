// The firmware file checks on arbitrary file content, with the device's identity taken from the
// input as well: whether the file can be uploaded and how many blocks it takes, its descriptor,
// and whether it fits the device. The rules must agree with one another: an uploadable file has
// a descriptor, its header, payload and trailer add up to its size, the payload is whole blocks
// and their count fits the 16-bit block field; a file always fits the model-580 device it
// describes; a refusal always has a text and an acceptance none.

#include "link/firmware_image.h"
#include "operations/firmware_check.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 11;
constexpr std::size_t kTrailerSize = 2;
constexpr std::size_t kBlockSize = 64;
constexpr std::size_t kBlockCountLimit = 0xFFFF;
constexpr uint16_t kModel = 580;

// A device identity from the input's last seven bytes (any file of at least seven).
TVelorDevDesc DeviceFrom(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> tail(bytes.end() - 7, bytes.end());
    return FirmwareDescriptor(tail).value();
}

void CheckMatch(const TVelorDevDesc& file, const TVelorDevDesc& device) {
    const FirmwareMatch match = MatchFirmware(file, device);
    if ((match == FirmwareMatch::Accepted) != FirmwareRefusalText(match).isEmpty()) {
        std::abort();
    }
    if (match == FirmwareMatch::Accepted &&
        (file.Type != device.Type || file.Platform != device.Platform || file.Type != kModel)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    namespace protocol = velor::protocol;
    const std::vector<uint8_t> file(data, data + size);
    const auto descriptor = FirmwareDescriptor(file);
    if (descriptor.has_value() != (size >= protocol::kFirmwareDescriptorSize)) {
        std::abort();
    }
    if (protocol::IsUploadableFirmware(size)) {
        const std::size_t payload = protocol::FirmwarePayloadSize(size);
        const std::size_t blocks = protocol::FirmwareBlockCount(size);
        if (!descriptor || kHeaderSize + payload + kTrailerSize != size ||
            payload % kBlockSize != 0 || blocks != 1 + payload / kBlockSize ||
            blocks > kBlockCountLimit) {
            std::abort();
        }
    }
    if (!descriptor) {
        return 0;
    }
    CheckMatch(*descriptor, DeviceFrom(file));
    if (descriptor->Type == kModel &&
        MatchFirmware(*descriptor, *descriptor) != FirmwareMatch::Accepted) {
        std::abort();
    }
    return 0;
}
