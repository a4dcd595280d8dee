#include "operations/firmware_check.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/firmware_image.h"
#include "link/protocol.h"

#include <QCoreApplication>

namespace {

int RefusalMessage(FirmwareMatch match) {
    switch (match) {
    case FirmwareMatch::TypeMismatch:
        return velor::msg::kTypeMismatch;
    case FirmwareMatch::PlatformMismatch:
        return velor::msg::kPlatformMismatch;
    case FirmwareMatch::UnknownType:
        return velor::msg::kUnknownType;
    default:
        return 0;
    }
}

} // namespace

QString FirmwareSizeRefusal(std::size_t length) {
    namespace protocol = velor::protocol;
    const QString bytes = QString::number(length);
    switch (protocol::CheckFirmwareSize(length)) {
    case protocol::FirmwareSizeFault::TooShort:
        return QCoreApplication::translate("FirmwareCheck",
                                           "файл поврежден или это не файл ПО прибора (%1 байт, "
                                           "меньше заголовка и конца файла ПО: %2 байт)")
            .arg(bytes, QString::number(protocol::kFirmwareMinSize));
    case protocol::FirmwareSizeFault::TooManyBlocks:
        return QCoreApplication::translate(
                   "FirmwareCheck",
                   "%1 байт: %2 блоков, а число блоков должно уместиться в 16 бит (не больше %3)")
            .arg(bytes, QString::number(protocol::FirmwareBlockCount(length)),
                 QString::number(protocol::kMaxBlockCount));
    case protocol::FirmwareSizeFault::PartialBlock:
        return QCoreApplication::translate("FirmwareCheck",
                                           "файл поврежден или это не файл ПО прибора (%1 байт, а "
                                           "данные ПО идут целыми блоками по %2 байта)")
            .arg(bytes, QString::number(protocol::kBlockSize));
    case protocol::FirmwareSizeFault::None:
        break;
    }
    return {};
}

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
    return velor::MessageText(velor::msg::kError) + QLatin1Char(' ') + velor::MessageText(message);
}
