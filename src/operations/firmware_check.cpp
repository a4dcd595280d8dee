#include "operations/firmware_check.h"

#include "catalogue/message_catalogue.h"
#include "link/firmware_image.h"
#include "link/protocol.h"

namespace {

constexpr int kMsgError = 10001; // "Ошибка!"
constexpr int kMsgTypeMismatch = 10010; // "Несовпадение типа устройства - запись не доступна"
constexpr int kMsgPlatformMismatch = 10011; // "Несовпадение платформы устройства - ..."
constexpr int kMsgUnknownType = 10013; // "Тип прибора не определен - запись не доступна"

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
    if (image.size() < velor::protocol::kFirmwareDescriptorSize) {
        return std::nullopt;
    }
    TVelorDevDesc descriptor;
    descriptor.Type = velor::protocol::ReadLe16(&image[velor::protocol::kFirmwareTypeOffset]);
    descriptor.Platform =
        velor::protocol::ReadLe16(&image[velor::protocol::kFirmwarePlatformOffset]);
    descriptor.Version1 = image[velor::protocol::kFirmwareVersion1Offset];
    descriptor.Version2 = image[velor::protocol::kFirmwareVersion2Offset];
    descriptor.Version3 = image[velor::protocol::kFirmwareVersion3Offset];
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
