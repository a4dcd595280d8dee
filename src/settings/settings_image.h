#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The 257-byte settings image of the model 580: one-byte fields at fixed offsets, no header,
// no length and no checksum. Bits are numbered from the least significant; in a per-loop set
// loop n (1..8) is bit n-1.

constexpr std::size_t kSettingsImageSize = 257;

constexpr int kLoopCount = 8;

// Byte 0: number of registered identifiers; records 1..28 of 8 bytes follow at offset 1.
constexpr std::size_t kIdentifierCountOffset = 0;
constexpr int kMaxIdentifiers = 28;
constexpr std::size_t kIdentifierRecordsOffset = 1;
constexpr std::size_t kIdentifierRecordSize = 8;
constexpr std::size_t kIdentifierCodeSize = 6; // record bytes 0..5, leftmost code digits first
constexpr std::size_t kIdentifierArmByte = 6;
constexpr std::size_t kIdentifierDisarmByte = 7;
// Bytes 0..224 travel apart from the output, loop and general settings (225..256).
constexpr std::size_t kIdentifierPartSize = 225;

using IdentifierCode = std::array<uint8_t, kIdentifierCodeSize>;

// Output records of 4 bytes from offset 225, in output-number order.
constexpr int kOutputCount = 4;
constexpr int kRelay1 = 1;
constexpr int kRelay2 = 2;
constexpr int kOpenCollector1 = 3;
constexpr int kOpenCollector2 = 4;
constexpr std::size_t kOutputRecordsOffset = 225;
constexpr std::size_t kOutputRecordSize = 4;

// Record byte 1 of an output: inverse mode and the notifications the output processes.
enum class OutputFlag : uint8_t {
    Inverse = 0x01,
    OnOffLine = 0x02,
    OnOffAllLine = 0x04,
    AlarmEvent = 0x08,
    ErrorFire = 0x10,
    AttentionFire = 0x20,
    BoxDamage = 0x40,
    ErrorPower = 0x80,
};

// Timing indices of an output record. Closing and opening time: 0 none, 1 = 0.5 s, 2 = 1 s,
// 3 = 5 s, 4 = 10 s, 5 = 20 s, 6 = 30 s, 7 constant. Notification duration: 0 none,
// 1..14 = index x 20 s, 15 constant.
constexpr int kConstantSwitchTimeIndex = 7;
constexpr int kConstantDurationIndex = 15;

// Per-loop option sets, one byte each; the enumerator is the byte's offset.
enum class LoopOption : std::size_t {
    Fire = 241,           // clear: security loop
    Integration300 = 242, // clear: integration time 70
    RoundTheClock = 243,
    DoubleTrigger = 244,
    AutoRearm = 245,
    SilentAlarm = 246,
    WalkThrough = 247,
};

// Entry and exit delays of loops 1 and 2 in seconds, 0..255; the enumerator is the offset.
enum class Delay : std::size_t {
    EntryLoop1 = 248,
    ExitLoop1 = 249,
    EntryLoop2 = 250,
    ExitLoop2 = 251,
};
constexpr int kMaxDelaySeconds = 255;
constexpr int kEntryLoops = 2; // loops 1 and 2 have entry and exit delays

constexpr std::size_t kRearmTimeOffset = 252;       // seconds / 5; 0 and 1 both mean 5 s
constexpr std::size_t kSounderDurationOffset = 253; // seconds / 5; 0 means 1 s
constexpr std::size_t kOptionFlagsOffset = 254;
constexpr std::size_t kRelayWorkModesOffset = 255;         // low nibble relay 1, high relay 2
constexpr std::size_t kOpenCollectorWorkModesOffset = 256; // low nibble OK1, high OK2

// Byte 254, general option flags (the meaning of the set bit).
enum class OptionFlag : uint8_t {
    SounderAlarmOnly = 0x01,     // clear: all notifications
    EntryRelayDelayLoop1 = 0x02, // relay held off for the entry time of loop 1
    EntryRelayDelayLoop2 = 0x04,
    AnyDoorLoop1 = 0x08, // clear: "closed door" tactic
    AnyDoorLoop2 = 0x10,
    TmIdentifierOutput = 0x20, // clear: switch
    LineMaster = 0x40,         // expansion line master; the configurator always writes it set
    ButtonLock = 0x80,
};

// An output's work mode: the items of its work-mode group on the window, top to bottom. This is
// the one list of the modes; the image holds a mode in a nibble of bytes 255 and 256 as
// WorkModeNibble(mode): 0 for none, the mode + 1 otherwise.
enum OutputWorkMode : int {
    kNoWorkMode = -1,
    kPcnAlarmMode = 0, // "ПЦН тревога"
    kControlLampMode,  // "Контр. лампа"
    kArmDisarmMode,    // "Взят/снят": security loops only
    kSoundMode,        // "Звуковой": the duration comes from TimeAlarmEdit
    kAlarmMode,        // "Тревога"
    kExecutiveMode,    // "Исполнительный": security loops only
    kSpecialMode,      // "Специальный": timing chosen by the user
};
constexpr int kWorkModeCount = kSpecialMode + 1;

// The nibble that holds mode (kNoWorkMode: 0).
constexpr uint8_t WorkModeNibble(int mode) {
    return static_cast<uint8_t>(mode + 1);
}

// The mode a nibble stands for: 0 none; 8 ... 15, which the window never writes, count as the
// special mode, as the window reads them.
constexpr int WorkModeOfNibble(uint8_t nibble) {
    const int mode = nibble - 1;
    return mode > kSpecialMode ? int{kSpecialMode} : mode;
}

constexpr uint8_t kMaxWorkModeNibble = 15;

// Per-loop sets: the bit of loop n, its test and a copy with it set or cleared.
uint8_t LoopBit(int loop);
bool HasLoop(uint8_t loops, int loop);
uint8_t WithLoop(uint8_t loops, int loop, bool on);

// Seconds encodings of bytes 252 and 253. Encoding accepts 0..1279 s (the quotient must fit a
// byte) and throws std::out_of_range otherwise.
uint8_t EncodeRearmTime(int seconds);
int DecodeRearmTime(uint8_t code);
uint8_t EncodeSounderDuration(int seconds);
int DecodeSounderDuration(uint8_t code);

// A plain value: all bytes zero when created. Every setter changes only the bits of its own
// field. A record, output, loop or value outside its field's range is a programming error and
// throws std::out_of_range, leaving the image unchanged.
class SettingsImage {
public:
    using Bytes = std::array<uint8_t, kSettingsImageSize>;

    SettingsImage() = default;
    explicit SettingsImage(const Bytes& bytes) : bytes_(bytes) {}

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }
    const uint8_t* data() const { return bytes_.data(); }
    uint8_t* data() { return bytes_.data(); }
    static constexpr std::size_t size() { return kSettingsImageSize; }
    uint8_t operator[](std::size_t offset) const { return bytes_.at(offset); }
    uint8_t& operator[](std::size_t offset) { return bytes_.at(offset); }

    bool operator==(const SettingsImage& other) const { return bytes_ == other.bytes_; }
    bool operator!=(const SettingsImage& other) const { return bytes_ != other.bytes_; }

    // Identifiers. The count byte is returned as stored; UsedIdentifierRecords() never
    // exceeds 28, so a reader never walks past offset 224.
    int IdentifierCount() const;
    void SetIdentifierCount(int count);
    int UsedIdentifierRecords() const;
    static std::size_t IdentifierRecordOffset(int record);
    IdentifierCode IdentifierCodeAt(int record) const;
    void SetIdentifierCode(int record, const IdentifierCode& code);
    uint8_t IdentifierCodeByte(int record, std::size_t index) const;
    void SetIdentifierCodeByte(int record, std::size_t index, uint8_t value);
    uint8_t ArmRights(int record) const;
    void SetArmRights(int record, uint8_t loops);
    uint8_t DisarmRights(int record) const;
    void SetDisarmRights(int record, uint8_t loops);

    // Output records.
    static std::size_t OutputRecordOffset(int output);
    uint8_t OutputBinding(int output) const;
    void SetOutputBinding(int output, uint8_t loops);
    uint8_t OutputFlags(int output) const;
    void SetOutputFlags(int output, uint8_t flags);
    bool HasOutputFlag(int output, OutputFlag flag) const;
    void SetOutputFlag(int output, OutputFlag flag, bool on);
    int ClosingTimeIndex(int output) const;
    void SetClosingTimeIndex(int output, int index);
    int OpeningTimeIndex(int output) const;
    void SetOpeningTimeIndex(int output, int index);
    int NotificationDurationIndex(int output) const;
    void SetNotificationDurationIndex(int output, int index);
    uint8_t OutputReservedBits(int output) const; // bits 0..5 of record byte 2, written as 0

    // Per-loop option sets.
    uint8_t LoopOptions(LoopOption option) const;
    void SetLoopOptions(LoopOption option, uint8_t loops);
    bool HasLoopOption(LoopOption option, int loop) const;
    void SetLoopOption(LoopOption option, int loop, bool on);

    // Delays and durations, in seconds.
    int DelaySeconds(Delay delay) const;
    void SetDelaySeconds(Delay delay, int seconds);
    int RearmTimeSeconds() const;
    void SetRearmTimeSeconds(int seconds);
    int SounderDurationSeconds() const;
    void SetSounderDurationSeconds(int seconds);

    // General option flags.
    uint8_t OptionFlags() const;
    void SetOptionFlags(uint8_t flags);
    bool HasOptionFlag(OptionFlag flag) const;
    void SetOptionFlag(OptionFlag flag, bool on);

    // Work-mode nibble of an output: 0 no mode, 1..7 a mode; 8..15 are stored as given.
    uint8_t WorkMode(int output) const;
    void SetWorkMode(int output, uint8_t mode);

private:
    static std::size_t OutputByte(int output, std::size_t recordByte);
    static std::size_t IdentifierByte(int record, std::size_t recordByte);
    void SetBits(std::size_t offset, uint8_t mask, uint8_t value);

    Bytes bytes_{};
};
