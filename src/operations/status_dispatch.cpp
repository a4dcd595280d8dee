#include "operations/status_dispatch.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "operations/status_codes.h"

#include <array>

namespace {

constexpr int kCaptionError = velor::msg::kError;
constexpr int kCaptionMessage = velor::msg::kMessage;

struct StatusRow {
    int code;
    StatusEntry entry;
};

namespace st = velor::status;
namespace msg = velor::msg;

// Message ids, in order: status-bar and box text, box caption.
const std::array<StatusRow, 15>& StatusTable() {
    static const std::array<StatusRow, 15> table{{
        {st::kIncompatibleDevice,
         {msg::kIncompatibleDevice, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kNoKey,
         {msg::kNoKeyOnReader, kCaptionMessage, StatusIcon::Information, StatusOwner::Main,
          StatusEffect::None}},
        {st::kConnected,
         {msg::kConnected, std::nullopt, StatusIcon::Information, StatusOwner::Main,
          StatusEffect::DeviceLabels}},
        {st::kDuplicateKey,
         {msg::kKeyListed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kSettingsWritten,
         {msg::kSettingsWritten, kCaptionMessage, StatusIcon::Information, StatusOwner::Main,
          StatusEffect::None}},
        {st::kSettingsRead,
         {msg::kSettingsRead, kCaptionMessage, StatusIcon::Information, StatusOwner::Main,
          StatusEffect::None}},
        {st::kKeyRead,
         {msg::kKeyRead, std::nullopt, StatusIcon::Information, StatusOwner::Main,
          StatusEffect::None}},
        {st::kFirmwareWritten,
         {msg::kFirmwareWritten, kCaptionMessage, StatusIcon::Information, StatusOwner::Active,
          StatusEffect::None}},
        {st::kVorsanDevice,
         {msg::kVorsanDevice, kCaptionMessage, StatusIcon::Warning, StatusOwner::Active,
          StatusEffect::DisconnectAndHideTabs}},
        {st::kConnectFailed,
         {msg::kConnectFailed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kFirmwareWriteFailed,
         {msg::kFirmwareWriteFailed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kScenarioFailed,
         {msg::kScenarioFailed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kSettingsWriteFailed,
         {msg::kSettingsWriteFailed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kSettingsReadFailed,
         {msg::kSettingsReadFailed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
        {st::kKeyReadFailed,
         {msg::kKeyReadFailed, kCaptionError, StatusIcon::Error, StatusOwner::Active,
          StatusEffect::None}},
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
    return code == st::kConnected ? velor::MessageText(entry->MessageId, {DeviceModelText()})
                                  : velor::MessageText(entry->MessageId);
}

QString DeviceModelText() {
    return QStringLiteral("580");
}

DeviceLabelTexts DeviceLabelsFor(const TVelorDevDesc& descriptor) {
    return {DeviceModelText(), QString::number(descriptor.Type), VersionText(descriptor)};
}
