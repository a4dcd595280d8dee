#include "operations/status_dispatch.h"

#include "catalogue/message_catalogue.h"
#include "operations/status_codes.h"

#include <array>

namespace {

constexpr int kCaptionError = 10001;   // "Ошибка!"
constexpr int kCaptionMessage = 10026; // "Сообщение"
constexpr int kMsgConnected = 10033; // "Связь установлена. Обнаружен прибор %s"
const QLatin1String kArgument("%s"); // where a message takes its argument

struct StatusRow {
    int code;
    StatusEntry entry;
};

namespace st = velor::status;

// Message ids, in order: status-bar and box text, box caption.
const std::array<StatusRow, 15>& StatusTable() {
    static const std::array<StatusRow, 15> table{{
        {st::kIncompatibleDevice,
         {10029, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kNoKey,
         {10031, kCaptionMessage, StatusIcon::Information, StatusOwner::Main, StatusEffect::None}},
        {st::kConnected,
         {kMsgConnected, std::nullopt, StatusIcon::Information, StatusOwner::Main,
          StatusEffect::DeviceLabels}},
        {st::kDuplicateKey,
         {10034, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kSettingsWritten,
         {10035, kCaptionMessage, StatusIcon::Information, StatusOwner::Main, StatusEffect::None}},
        {st::kSettingsRead,
         {10036, kCaptionMessage, StatusIcon::Information, StatusOwner::Main, StatusEffect::None}},
        {st::kKeyRead,
         {10037, std::nullopt, StatusIcon::Information, StatusOwner::Main, StatusEffect::None}},
        {st::kFirmwareWritten,
         {10040, kCaptionMessage, StatusIcon::Information, StatusOwner::Active,
          StatusEffect::None}},
        {st::kVorsanDevice,
         {10053, kCaptionMessage, StatusIcon::Warning, StatusOwner::Active,
          StatusEffect::DisconnectAndHideTabs}},
        {st::kConnectFailed,
         {10042, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kFirmwareWriteFailed,
         {10048, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kScenarioFailed,
         {10052, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kSettingsWriteFailed,
         {10057, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kSettingsReadFailed,
         {10058, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
        {st::kKeyReadFailed,
         {10059, kCaptionError, StatusIcon::Error, StatusOwner::Active, StatusEffect::None}},
    }};
    return table;
}

} // namespace

std::optional<StatusEntry> StatusFor(int code) {
    for (const StatusRow& row : StatusTable()) {
        if (row.code == code) {
            return row.entry;
        }
    }
    return std::nullopt;
}

QString StatusBarText(int code) {
    const std::optional<StatusEntry> entry = StatusFor(code);
    if (!entry) {
        return {};
    }
    QString text = velor::MessageText(entry->MessageId);
    const int placeholder = text.indexOf(kArgument);
    if (code == st::kConnected && placeholder >= 0) {
        text.replace(placeholder, kArgument.size(), DeviceModelText());
    }
    return text;
}

QString DeviceModelText() {
    return QStringLiteral("580");
}

QString VersionText(const TVelorDevDesc& descriptor) {
    return QStringLiteral("%1_%2_%3")
        .arg(descriptor.Version1)
        .arg(descriptor.Version2)
        .arg(descriptor.Version3);
}

DeviceLabelTexts DeviceLabelsFor(const TVelorDevDesc& descriptor) {
    return {DeviceModelText(), QString::number(descriptor.Type), VersionText(descriptor)};
}
