#include "settings/settings_image.h"

#include <stdexcept>
#include <string>

namespace {

// Output record byte 2 holds closing-time index bits 0-1 in bits 6-7; bits 0-5 are reserved.
constexpr std::size_t kTimingLowByte = 2;
constexpr uint8_t kClosingLowMask = 0xC0;
constexpr int kClosingLowShift = 6;
constexpr uint8_t kReservedMask = 0x3F;
// Record byte 3: closing-time index bit 2 in bit 0, opening time in bits 1-3, duration in 4-7.
constexpr std::size_t kTimingHighByte = 3;
constexpr uint8_t kClosingHighMask = 0x01;
constexpr int kClosingHighShift = 2; // index bit moved to byte 3
constexpr uint8_t kOpeningMask = 0x0E;
constexpr int kOpeningShift = 1;
constexpr uint8_t kDurationMask = 0xF0;
constexpr int kDurationShift = 4;

constexpr std::size_t kBindingByte = 0;
constexpr std::size_t kFlagsByte = 1;

constexpr int kSecondsPerStep = 5;
constexpr int kMaxEncodableSeconds = 255 * kSecondsPerStep + kSecondsPerStep - 1;
constexpr int kShortestRearmSeconds = 5;
constexpr int kShortestSounderSeconds = 1;
constexpr uint8_t kLowNibble = 0x0F;
constexpr int kNibbleShift = 4;

void CheckRange(const char* what, int value, int low, int high) {
    if (value < low || value > high) {
        throw std::out_of_range(std::string("SettingsImage: ") + what + " " +
                                std::to_string(value) + " outside " + std::to_string(low) + ".." +
                                std::to_string(high));
    }
}

constexpr int kLastCodeByte = static_cast<int>(kIdentifierCodeSize) - 1;

std::size_t WorkModeOffset(int output) {
    const bool relay = output == kRelay1 || output == kRelay2;
    return relay ? kRelayWorkModesOffset : kOpenCollectorWorkModesOffset;
}

// Relay 1 and OK1 use the low nibble, relay 2 and OK2 the high one.
int WorkModeShift(int output) {
    return output % 2 == 1 ? 0 : kNibbleShift;
}

} // namespace

uint8_t LoopBit(int loop) {
    CheckRange("loop", loop, 1, kLoopCount);
    return static_cast<uint8_t>(1u << (loop - 1));
}

bool HasLoop(uint8_t loops, int loop) {
    return (loops & LoopBit(loop)) != 0;
}

uint8_t WithLoop(uint8_t loops, int loop, bool on) {
    const uint8_t bit = LoopBit(loop);
    return static_cast<uint8_t>(on ? loops | bit : loops & ~bit);
}

uint8_t EncodeRearmTime(int seconds) {
    CheckRange("re-arm time", seconds, 0, kMaxEncodableSeconds);
    const int quotient = seconds / kSecondsPerStep;
    // The device reads both 0 and 1 as 5 s; the configurator writes 0.
    return static_cast<uint8_t>(quotient == 1 ? 0 : quotient);
}

int DecodeRearmTime(uint8_t code) {
    return code <= 1 ? kShortestRearmSeconds : code * kSecondsPerStep;
}

uint8_t EncodeSounderDuration(int seconds) {
    CheckRange("sounder duration", seconds, 0, kMaxEncodableSeconds);
    return static_cast<uint8_t>(seconds / kSecondsPerStep);
}

int DecodeSounderDuration(uint8_t code) {
    return code == 0 ? kShortestSounderSeconds : code * kSecondsPerStep;
}

// Identifiers.

int SettingsImage::IdentifierCount() const {
    return bytes_[kIdentifierCountOffset];
}

void SettingsImage::SetIdentifierCount(int count) {
    CheckRange("identifier count", count, 0, kMaxIdentifiers);
    bytes_[kIdentifierCountOffset] = static_cast<uint8_t>(count);
}

int SettingsImage::UsedIdentifierRecords() const {
    return IdentifierCount() < kMaxIdentifiers ? IdentifierCount() : kMaxIdentifiers;
}

std::size_t SettingsImage::IdentifierRecordOffset(int record) {
    CheckRange("identifier record", record, 1, kMaxIdentifiers);
    return kIdentifierRecordsOffset + kIdentifierRecordSize * static_cast<std::size_t>(record - 1);
}

std::size_t SettingsImage::IdentifierByte(int record, std::size_t recordByte) {
    return IdentifierRecordOffset(record) + recordByte;
}

IdentifierCode SettingsImage::IdentifierCodeAt(int record) const {
    IdentifierCode code{};
    for (std::size_t i = 0; i < kIdentifierCodeSize; ++i) {
        code[i] = bytes_[IdentifierByte(record, i)];
    }
    return code;
}

void SettingsImage::SetIdentifierCode(int record, const IdentifierCode& code) {
    const std::size_t first = IdentifierRecordOffset(record);
    for (std::size_t i = 0; i < kIdentifierCodeSize; ++i) {
        bytes_[first + i] = code[i];
    }
}

uint8_t SettingsImage::IdentifierCodeByte(int record, std::size_t index) const {
    CheckRange("identifier code byte", static_cast<int>(index), 0, kLastCodeByte);
    return bytes_[IdentifierByte(record, index)];
}

void SettingsImage::SetIdentifierCodeByte(int record, std::size_t index, uint8_t value) {
    CheckRange("identifier code byte", static_cast<int>(index), 0, kLastCodeByte);
    bytes_[IdentifierByte(record, index)] = value;
}

uint8_t SettingsImage::ArmRights(int record) const {
    return bytes_[IdentifierByte(record, kIdentifierArmByte)];
}

void SettingsImage::SetArmRights(int record, uint8_t loops) {
    bytes_[IdentifierByte(record, kIdentifierArmByte)] = loops;
}

uint8_t SettingsImage::DisarmRights(int record) const {
    return bytes_[IdentifierByte(record, kIdentifierDisarmByte)];
}

void SettingsImage::SetDisarmRights(int record, uint8_t loops) {
    bytes_[IdentifierByte(record, kIdentifierDisarmByte)] = loops;
}

// Output records.

std::size_t SettingsImage::OutputRecordOffset(int output) {
    CheckRange("output", output, 1, kOutputCount);
    return kOutputRecordsOffset + kOutputRecordSize * static_cast<std::size_t>(output - 1);
}

std::size_t SettingsImage::OutputByte(int output, std::size_t recordByte) {
    return OutputRecordOffset(output) + recordByte;
}

uint8_t SettingsImage::OutputBinding(int output) const {
    return bytes_[OutputByte(output, kBindingByte)];
}

void SettingsImage::SetOutputBinding(int output, uint8_t loops) {
    bytes_[OutputByte(output, kBindingByte)] = loops;
}

uint8_t SettingsImage::OutputFlags(int output) const {
    return bytes_[OutputByte(output, kFlagsByte)];
}

void SettingsImage::SetOutputFlags(int output, uint8_t flags) {
    bytes_[OutputByte(output, kFlagsByte)] = flags;
}

bool SettingsImage::HasOutputFlag(int output, OutputFlag flag) const {
    return (OutputFlags(output) & static_cast<uint8_t>(flag)) != 0;
}

void SettingsImage::SetOutputFlag(int output, OutputFlag flag, bool on) {
    const auto mask = static_cast<uint8_t>(flag);
    SetBits(OutputByte(output, kFlagsByte), mask, on ? mask : 0);
}

int SettingsImage::ClosingTimeIndex(int output) const {
    const int low = bytes_[OutputByte(output, kTimingLowByte)] >> kClosingLowShift;
    const int high = bytes_[OutputByte(output, kTimingHighByte)] & kClosingHighMask;
    return low | (high << kClosingHighShift);
}

void SettingsImage::SetClosingTimeIndex(int output, int index) {
    CheckRange("closing time index", index, 0, kConstantSwitchTimeIndex);
    const std::size_t low = OutputByte(output, kTimingLowByte);
    const std::size_t high = OutputByte(output, kTimingHighByte);
    SetBits(low, kClosingLowMask, static_cast<uint8_t>(index << kClosingLowShift));
    SetBits(high, kClosingHighMask, static_cast<uint8_t>(index >> kClosingHighShift));
}

int SettingsImage::OpeningTimeIndex(int output) const {
    return (bytes_[OutputByte(output, kTimingHighByte)] & kOpeningMask) >> kOpeningShift;
}

void SettingsImage::SetOpeningTimeIndex(int output, int index) {
    CheckRange("opening time index", index, 0, kConstantSwitchTimeIndex);
    const std::size_t offset = OutputByte(output, kTimingHighByte);
    SetBits(offset, kOpeningMask, static_cast<uint8_t>(index << kOpeningShift));
}

int SettingsImage::NotificationDurationIndex(int output) const {
    return (bytes_[OutputByte(output, kTimingHighByte)] & kDurationMask) >> kDurationShift;
}

void SettingsImage::SetNotificationDurationIndex(int output, int index) {
    CheckRange("notification duration index", index, 0, kConstantDurationIndex);
    const std::size_t offset = OutputByte(output, kTimingHighByte);
    SetBits(offset, kDurationMask, static_cast<uint8_t>(index << kDurationShift));
}

uint8_t SettingsImage::OutputReservedBits(int output) const {
    return bytes_[OutputByte(output, kTimingLowByte)] & kReservedMask;
}

// Per-loop option sets.

uint8_t SettingsImage::LoopOptions(LoopOption option) const {
    return bytes_[static_cast<std::size_t>(option)];
}

void SettingsImage::SetLoopOptions(LoopOption option, uint8_t loops) {
    bytes_[static_cast<std::size_t>(option)] = loops;
}

bool SettingsImage::HasLoopOption(LoopOption option, int loop) const {
    return HasLoop(LoopOptions(option), loop);
}

void SettingsImage::SetLoopOption(LoopOption option, int loop, bool on) {
    SetLoopOptions(option, WithLoop(LoopOptions(option), loop, on));
}

// Delays and durations.

int SettingsImage::DelaySeconds(Delay delay) const {
    return bytes_[static_cast<std::size_t>(delay)];
}

void SettingsImage::SetDelaySeconds(Delay delay, int seconds) {
    CheckRange("delay", seconds, 0, kMaxDelaySeconds);
    bytes_[static_cast<std::size_t>(delay)] = static_cast<uint8_t>(seconds);
}

int SettingsImage::RearmTimeSeconds() const {
    return DecodeRearmTime(bytes_[kRearmTimeOffset]);
}

void SettingsImage::SetRearmTimeSeconds(int seconds) {
    bytes_[kRearmTimeOffset] = EncodeRearmTime(seconds);
}

int SettingsImage::SounderDurationSeconds() const {
    return DecodeSounderDuration(bytes_[kSounderDurationOffset]);
}

void SettingsImage::SetSounderDurationSeconds(int seconds) {
    bytes_[kSounderDurationOffset] = EncodeSounderDuration(seconds);
}

// General option flags.

uint8_t SettingsImage::OptionFlags() const {
    return bytes_[kOptionFlagsOffset];
}

void SettingsImage::SetOptionFlags(uint8_t flags) {
    bytes_[kOptionFlagsOffset] = flags;
}

bool SettingsImage::HasOptionFlag(OptionFlag flag) const {
    return (OptionFlags() & static_cast<uint8_t>(flag)) != 0;
}

void SettingsImage::SetOptionFlag(OptionFlag flag, bool on) {
    const auto mask = static_cast<uint8_t>(flag);
    SetBits(kOptionFlagsOffset, mask, on ? mask : 0);
}

// Work modes.

uint8_t SettingsImage::WorkMode(int output) const {
    CheckRange("output", output, 1, kOutputCount);
    return (bytes_[WorkModeOffset(output)] >> WorkModeShift(output)) & kLowNibble;
}

void SettingsImage::SetWorkMode(int output, uint8_t mode) {
    CheckRange("output", output, 1, kOutputCount);
    CheckRange("work mode", mode, 0, kMaxWorkModeNibble);
    const int shift = WorkModeShift(output);
    SetBits(WorkModeOffset(output), static_cast<uint8_t>(kLowNibble << shift),
            static_cast<uint8_t>(mode << shift));
}

void SettingsImage::SetBits(std::size_t offset, uint8_t mask, uint8_t value) {
    bytes_[offset] = static_cast<uint8_t>((bytes_[offset] & ~mask) | (value & mask));
}
