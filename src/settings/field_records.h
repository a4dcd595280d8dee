#pragma once

#include "settings/settings_image.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One record per settings field: the one home of a field's facts. The window's pages build their
// controls' captions, ranges and entries from these records; the readable field model
// (DescribeSettings), its diff and check and the command line's reports name the fields and their
// values with them. Window texts are Russian source texts under the window's translation context
// "TMainForm", exactly as the window shows them (trailing blanks included); report names that are
// no window caption are under the context "SettingsFields".
namespace velor::settings {

// How many instances a field has and how its key is composed.
enum class FieldFamily {
    Single, // one field: the key as written ("general.sounder_mode", "loops.rearm_time_s")
    Loop,   // per loop from 1: "loops[<n>]." + key
    Output, // per output, relay 1 ... OK 2: "outputs.<relay1|relay2|ok1|ok2>." + key
    Key,    // per identifier record from 1: "keys[<n>]." + key
};

// The field's bits in the image for its first instance: the bits set in mask, bit 8i + b standing
// for bit b of byte offset + i (a field may span bytes). Instance n (0-based) lies byteStride * n
// bytes further and its mask bitStride * n bits further up (per-loop sets, work-mode nibbles).
struct ImagePlace {
    std::size_t offset = 0;
    uint64_t mask = 0;
    int count = 1; // instances
    int byteStride = 0;
    int bitStride = 0;
};

// A window caption of up to three lines, each a source text translated on its own.
struct CaptionLines {
    std::array<const char*, 3> lines{};
    bool Empty() const { return lines[0] == nullptr; }
    // The lines translated and joined with '\n'; empty when there is no caption.
    QString Text() const;
};

// A choice field's entries as the window lists them, top to bottom.
struct EntryList {
    const char* const* items = nullptr;
    int count = 0;
    QStringList Texts() const; // translated
    QString Text(int entry) const;
};

// A number field's range: the window's spinner bounds and step.
struct NumberRange {
    int min = 0;
    int max = 0;
    int step = 0;
};

// The entry index that stands for "no entry chosen" in a window list.
constexpr int kNoEntry = -1;

struct FieldRecord {
    FieldFamily family = FieldFamily::Single;
    const char* key = nullptr;     // stable English key, or its last part in a family
    const char* control = nullptr; // the window control's name, or its family prefix ("ts", "shl")
    CaptionLines caption;          // the window's caption of the field (context TMainForm)
    const char* name = nullptr;    // the report's name (context SettingsFields); none: the caption
    const char* unit = nullptr;    // the report's unit (context SettingsFields): "с", "мс"
    const char* rangeCaption = nullptr; // the window's text that states the range
    NumberRange range;                  // numbers
    EntryList entries;                  // choices
    int setEntry = kNoEntry;            // one-bit choices: the entry a set bit stands for
    int factory = kNoEntry; // the value (number or entry index) the window builds the control with
    ImagePlace place;
};

// The report's name of a field: its name, else its caption on one line.
QString FieldName(const FieldRecord& record);
// The report's unit of a field; empty when it has none.
QString FieldUnit(const FieldRecord& record);
// The stable key of instance n (from 1) of a field.
QString FieldKey(const FieldRecord& record, int instance);
// Whether the field's instance n (from 1) holds bit of byte offset.
bool HoldsBit(const FieldRecord& record, int instance, std::size_t offset, int bit);

namespace fields {
// Main page.
extern const FieldRecord kSounderMode;     // Sound
extern const FieldRecord kSounderDuration; // TimeAlarm, TimeAlarmEdit
extern const FieldRecord kTmOutputType;    // TypeTMRadioGroup
extern const FieldRecord kButtonLock;      // KBBlockRadioGroup
extern const FieldRecord kLineMode;        // LineModeRadioGroup
// Loop page: each loop's type and options, loops 1 and 2 with their delays, the re-arm time.
extern const FieldRecord kLoopType;    // ts<n> (fire), ts<n>1 (security)
extern const FieldRecord kIntegration; // it<n>
constexpr int kLoopBoxCount = 5;
extern const std::array<FieldRecord, kLoopBoxCount> kLoopBoxes; // ds, tt, av, ks, pz
extern const FieldRecord kEntryDelay;                           // DelayIn<n>, DelayInEdit<n>
extern const FieldRecord kExitDelay;                            // DelayOut<n>, DelayOutEdit<n>
extern const FieldRecord kEntryRelayDelay;                      // EnDelaySh<n>
extern const FieldRecord kTactic;                               // Taktik<n>
extern const FieldRecord kRearmTime;                            // TimeAv, TimeAvEdit
// Output page, per output.
extern const FieldRecord kWorkMode; // ReleWorkMode<n>, OKWorkMode<n>
extern const FieldRecord kBinding;  // shl<loop><output>
constexpr int kEventCount = 7;
extern const std::array<FieldRecord, kEventCount> kEvents; // the notification boxes, top to bottom
extern const FieldRecord kOpeningTime;                     // TimeRzmk<n>
extern const FieldRecord kClosingTime;                     // TimeZmk<n>
extern const FieldRecord kNotificationDuration;            // TimePeriod<n>
extern const FieldRecord kInverse;                         // InvRele<n>
extern const FieldRecord kReservedBits;
// The timing lists of an output, top to bottom on its sub-page: opening time, closing time,
// notification duration, inverse mode.
constexpr int kTimingListCount = 4;
extern const std::array<const FieldRecord*, kTimingListCount> kTimingLists;
// Key page.
extern const FieldRecord kKeyCount;
extern const FieldRecord kKeyCode;      // CodeTM<n>
extern const FieldRecord kArmRights;    // shvz<n><loop>
extern const FieldRecord kDisarmRights; // shsn<n><loop>
// The eight bytes of a record beyond the key count (the same bytes as code and rights).
extern const FieldRecord kUnusedRecord;
} // namespace fields

// Every record, in report order.
std::vector<const FieldRecord*> FieldRecords();

} // namespace velor::settings
