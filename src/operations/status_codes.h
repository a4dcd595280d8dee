#pragma once

// Status codes an operation reports to the dispatcher, and the device-type code it hands on.
namespace velor::status {

constexpr int kIncompatibleDevice = 2; // connected device has another type than 580
constexpr int kNoKey = 5;              // the key reader holds no key
constexpr int kConnected = 8;          // a model 580 answered the identification
constexpr int kDuplicateKey = 9;       // the identifier list already holds the key read
constexpr int kSettingsWritten = 10;
constexpr int kSettingsRead = 11;
constexpr int kKeyRead = 12; // identifier read and placed
constexpr int kFirmwareWritten = 15;
constexpr int kVorsanDevice = 32;  // Velor-Vorsan device: no settings change
constexpr int kConnectFailed = 33; // identification exchange failed
constexpr int kFirmwareWriteFailed = 34;
constexpr int kScenarioFailed = 35; // scenario selection failed
constexpr int kSettingsWriteFailed = 36;
constexpr int kSettingsReadFailed = 37;
constexpr int kKeyReadFailed = 38;

// Device-type code of a connected model 580; the window adapts itself to it.
constexpr int kDeviceType580 = 10;

// Whether a status is the successful end of an operation.
constexpr bool IsSuccess(int code) {
    return code == kConnected || code == kSettingsWritten || code == kSettingsRead ||
           code == kKeyRead || code == kFirmwareWritten;
}

// Whether a status is the failure of an operation's exchange with the device.
constexpr bool IsFailure(int code) {
    return code == kConnectFailed || code == kFirmwareWriteFailed || code == kScenarioFailed ||
           code == kSettingsWriteFailed || code == kSettingsReadFailed || code == kKeyReadFailed;
}

} // namespace velor::status
