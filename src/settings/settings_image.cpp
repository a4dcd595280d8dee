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

int SettingsImage::identifierCount() const {
    return m_bytes[kIdentifierCountOffset];
}

void SettingsImage::setIdentifierCount(int count) {
    CheckRange("identifier count", count, 0, kMaxIdentifiers);
    m_bytes[kIdentifierCountOffset] = static_cast<uint8_t>(count);
}

int SettingsImage::usedIdentifierRecords() const {
    return identifierCount() < kMaxIdentifiers ? identifierCount() : kMaxIdentifiers;
}

std::size_t SettingsImage::identifierRecordOffset(int record) {
    CheckRange("identifier record", record, 1, kMaxIdentifiers);
    return kIdentifierRecordsOffset + kIdentifierRecordSize * static_cast<std::size_t>(record - 1);
}

std::size_t SettingsImage::identifierByte(int record, std::size_t recordByte) {
    return identifierRecordOffset(record) + recordByte;
}

IdentifierCode SettingsImage::identifierCode(int record) const {
    IdentifierCode code{};
    for (std::size_t i = 0; i < kIdentifierCodeSize; ++i) {
        code[i] = m_bytes[identifierByte(record, i)];
    }
    return code;
}

void SettingsImage::setIdentifierCode(int record, const IdentifierCode& code) {
    const std::size_t first = identifierRecordOffset(record);
    for (std::size_t i = 0; i < kIdentifierCodeSize; ++i) {
        m_bytes[first + i] = code[i];
    }
}

uint8_t SettingsImage::identifierCodeByte(int record, std::size_t index) const {
    CheckRange("identifier code byte", static_cast<int>(index), 0, kLastCodeByte);
    return m_bytes[identifierByte(record, index)];
}

void SettingsImage::setIdentifierCodeByte(int record, std::size_t index, uint8_t value) {
    CheckRange("identifier code byte", static_cast<int>(index), 0, kLastCodeByte);
    m_bytes[identifierByte(record, index)] = value;
}

uint8_t SettingsImage::armRights(int record) const {
    return m_bytes[identifierByte(record, kIdentifierArmByte)];
}

void SettingsImage::setArmRights(int record, uint8_t loops) {
    m_bytes[identifierByte(record, kIdentifierArmByte)] = loops;
}

uint8_t SettingsImage::disarmRights(int record) const {
    return m_bytes[identifierByte(record, kIdentifierDisarmByte)];
}

void SettingsImage::setDisarmRights(int record, uint8_t loops) {
    m_bytes[identifierByte(record, kIdentifierDisarmByte)] = loops;
}

// Output records.

std::size_t SettingsImage::outputRecordOffset(int output) {
    CheckRange("output", output, 1, kOutputCount);
    return kOutputRecordsOffset + kOutputRecordSize * static_cast<std::size_t>(output - 1);
}

std::size_t SettingsImage::outputByte(int output, std::size_t recordByte) {
    return outputRecordOffset(output) + recordByte;
}

uint8_t SettingsImage::outputBinding(int output) const {
    return m_bytes[outputByte(output, kBindingByte)];
}

void SettingsImage::setOutputBinding(int output, uint8_t loops) {
    m_bytes[outputByte(output, kBindingByte)] = loops;
}

uint8_t SettingsImage::outputFlags(int output) const {
    return m_bytes[outputByte(output, kFlagsByte)];
}

void SettingsImage::setOutputFlags(int output, uint8_t flags) {
    m_bytes[outputByte(output, kFlagsByte)] = flags;
}

bool SettingsImage::outputFlag(int output, OutputFlag flag) const {
    return (outputFlags(output) & static_cast<uint8_t>(flag)) != 0;
}

void SettingsImage::setOutputFlag(int output, OutputFlag flag, bool on) {
    const auto mask = static_cast<uint8_t>(flag);
    setBits(outputByte(output, kFlagsByte), mask, on ? mask : 0);
}

int SettingsImage::closingTimeIndex(int output) const {
    const int low = m_bytes[outputByte(output, kTimingLowByte)] >> kClosingLowShift;
    const int high = m_bytes[outputByte(output, kTimingHighByte)] & kClosingHighMask;
    return low | (high << kClosingHighShift);
}

void SettingsImage::setClosingTimeIndex(int output, int index) {
    CheckRange("closing time index", index, 0, kConstantSwitchTimeIndex);
    const std::size_t low = outputByte(output, kTimingLowByte);
    const std::size_t high = outputByte(output, kTimingHighByte);
    setBits(low, kClosingLowMask, static_cast<uint8_t>(index << kClosingLowShift));
    setBits(high, kClosingHighMask, static_cast<uint8_t>(index >> kClosingHighShift));
}

int SettingsImage::openingTimeIndex(int output) const {
    return (m_bytes[outputByte(output, kTimingHighByte)] & kOpeningMask) >> kOpeningShift;
}

void SettingsImage::setOpeningTimeIndex(int output, int index) {
    CheckRange("opening time index", index, 0, kConstantSwitchTimeIndex);
    const std::size_t offset = outputByte(output, kTimingHighByte);
    setBits(offset, kOpeningMask, static_cast<uint8_t>(index << kOpeningShift));
}

int SettingsImage::notificationDurationIndex(int output) const {
    return (m_bytes[outputByte(output, kTimingHighByte)] & kDurationMask) >> kDurationShift;
}

void SettingsImage::setNotificationDurationIndex(int output, int index) {
    CheckRange("notification duration index", index, 0, kConstantDurationIndex);
    const std::size_t offset = outputByte(output, kTimingHighByte);
    setBits(offset, kDurationMask, static_cast<uint8_t>(index << kDurationShift));
}

uint8_t SettingsImage::outputReservedBits(int output) const {
    return m_bytes[outputByte(output, kTimingLowByte)] & kReservedMask;
}

// Per-loop option sets.

uint8_t SettingsImage::loopOptions(LoopOption option) const {
    return m_bytes[static_cast<std::size_t>(option)];
}

void SettingsImage::setLoopOptions(LoopOption option, uint8_t loops) {
    m_bytes[static_cast<std::size_t>(option)] = loops;
}

bool SettingsImage::loopOption(LoopOption option, int loop) const {
    return HasLoop(loopOptions(option), loop);
}

void SettingsImage::setLoopOption(LoopOption option, int loop, bool on) {
    setLoopOptions(option, WithLoop(loopOptions(option), loop, on));
}

// Delays and durations.

int SettingsImage::delaySeconds(Delay delay) const {
    return m_bytes[static_cast<std::size_t>(delay)];
}

void SettingsImage::setDelaySeconds(Delay delay, int seconds) {
    CheckRange("delay", seconds, 0, kMaxDelaySeconds);
    m_bytes[static_cast<std::size_t>(delay)] = static_cast<uint8_t>(seconds);
}

int SettingsImage::rearmTimeSeconds() const {
    return DecodeRearmTime(m_bytes[kRearmTimeOffset]);
}

void SettingsImage::setRearmTimeSeconds(int seconds) {
    m_bytes[kRearmTimeOffset] = EncodeRearmTime(seconds);
}

int SettingsImage::sounderDurationSeconds() const {
    return DecodeSounderDuration(m_bytes[kSounderDurationOffset]);
}

void SettingsImage::setSounderDurationSeconds(int seconds) {
    m_bytes[kSounderDurationOffset] = EncodeSounderDuration(seconds);
}

// General option flags.

uint8_t SettingsImage::optionFlags() const {
    return m_bytes[kOptionFlagsOffset];
}

void SettingsImage::setOptionFlags(uint8_t flags) {
    m_bytes[kOptionFlagsOffset] = flags;
}

bool SettingsImage::optionFlag(OptionFlag flag) const {
    return (optionFlags() & static_cast<uint8_t>(flag)) != 0;
}

void SettingsImage::setOptionFlag(OptionFlag flag, bool on) {
    const auto mask = static_cast<uint8_t>(flag);
    setBits(kOptionFlagsOffset, mask, on ? mask : 0);
}

// Work modes.

uint8_t SettingsImage::workMode(int output) const {
    CheckRange("output", output, 1, kOutputCount);
    return (m_bytes[WorkModeOffset(output)] >> WorkModeShift(output)) & kLowNibble;
}

void SettingsImage::setWorkMode(int output, uint8_t mode) {
    CheckRange("output", output, 1, kOutputCount);
    CheckRange("work mode", mode, 0, kMaxWorkModeNibble);
    const int shift = WorkModeShift(output);
    setBits(WorkModeOffset(output), static_cast<uint8_t>(kLowNibble << shift),
            static_cast<uint8_t>(mode << shift));
}

void SettingsImage::setBits(std::size_t offset, uint8_t mask, uint8_t value) {
    m_bytes[offset] = static_cast<uint8_t>((m_bytes[offset] & ~mask) | (value & mask));
}
