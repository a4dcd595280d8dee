#include "operations/firmware_check.h"

#include "link/protocol.h"
#include "shell/message_catalogue.h"

namespace {

constexpr int kMsgError = 10001; // "Ошибка!"
constexpr int kMsgTypeMismatch = 10010; // "Несовпадение типа устройства - запись не доступна"
constexpr int kMsgPlatformMismatch = 10011; // "Несовпадение платформы устройства - ..."
constexpr int kMsgUnknownType = 10013; // "Тип прибора не определен - запись не доступна"

// File offsets of the descriptor fields.
constexpr std::size_t kTypeOffset = 0;
constexpr std::size_t kPlatformOffset = 2;
constexpr std::size_t kVersion1Offset = 4;
constexpr std::size_t kVersion2Offset = 5;
constexpr std::size_t kVersion3Offset = 6;
constexpr std::size_t kDescriptorSize = 7;

int RefusalMessage(FirmwareMatch match) {
    switch (match) {
    case FirmwareMatch::TypeMismatch:
        return kMsgTypeMismatch;
    case FirmwareMatch::PlatformMismatch:
        return kMsgPlatformMismatch;
    case FirmwareMatch::UnknownType:
        return kMsgUnknownType;
    default:
        return 0;
    }
}

} // namespace

std::optional<TVelorDevDesc> FirmwareDescriptor(const std::vector<uint8_t>& image) {
    if (image.size() < kDescriptorSize) {
        return std::nullopt;
    }
    TVelorDevDesc descriptor;
    descriptor.Type = velor::protocol::ReadLe16(&image[kTypeOffset]);
    descriptor.Platform = velor::protocol::ReadLe16(&image[kPlatformOffset]);
    descriptor.Version1 = image[kVersion1Offset];
    descriptor.Version2 = image[kVersion2Offset];
    descriptor.Version3 = image[kVersion3Offset];
    return descriptor;
}

FirmwareMatch MatchFirmware(const TVelorDevDesc& file, const TVelorDevDesc& device) {
    if (file.Type != device.Type) {
        return FirmwareMatch::TypeMismatch;
    }
    if (file.Platform != device.Platform) {
        return FirmwareMatch::PlatformMismatch;
    }
    return file.Type == velor::protocol::kModel580Type ? FirmwareMatch::Accepted
                                                       : FirmwareMatch::UnknownType;
}

QString FirmwareRefusalText(FirmwareMatch match) {
    const int message = RefusalMessage(match);
    if (message == 0) {
        return {};
    }
    return velor::MessageText(kMsgError) + QLatin1Char(' ') + velor::MessageText(message);
}
