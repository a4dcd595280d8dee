#include "settings/settings_codec.h"

#include "link/hex_text.h"
#include "settings/control_names.h"
#include "settings/field_records.h"
#include "settings/settings_fields.h"
#include "settings/str_to_int.h"

#include <algorithm>
#include <vector>

using namespace velor::window;
using velor::settings::FieldRecord;
namespace fields = velor::settings::fields;

namespace {

constexpr int kHexPairLength = 2;
constexpr int kNoItem = -1;
constexpr std::size_t kLoopOptionsTraceOffset = 241;
constexpr std::size_t kOptionFlagsTraceOffset = 254;

QString CodeEditName(int row) {
    return Name(fields::kKeyCode.control, row);
}

// A one-bit choice's entry for the bit's state, and the bit of an entry.
int EntryOf(const FieldRecord& record, bool set) {
    return set ? record.setEntry : 1 - record.setEntry;
}

bool BitOf(const FieldRecord& record, int entry) {
    return entry == record.setEntry;
}

OutputFlag EventFlag(const FieldRecord& event) {
    return static_cast<OutputFlag>(event.place.mask);
}

LoopOption LoopOptionOf(const FieldRecord& box) {
    return static_cast<LoopOption>(box.place.offset);
}

// Bytes 248..251: the delays' up-downs and their edits, loop 1's entry and exit delay first.
struct DelayField {
    Delay delay;
    const FieldRecord& record;
    int loop;
};
const DelayField kDelays[] = {
    {Delay::EntryLoop1, fields::kEntryDelay, 1},
    {Delay::ExitLoop1, fields::kExitDelay, 1},
    {Delay::EntryLoop2, fields::kEntryDelay, 2},
    {Delay::ExitLoop2, fields::kExitDelay, 2},
};

QString DelayEditName(const DelayField& field) {
    return Name(field.record.control, field.loop)
        .insert(static_cast<qsizetype>(qstrlen(field.record.control)), QStringLiteral("Edit"));
}

// Byte 254: the radio groups and lists of the general options. The expansion-line mode is
// written but not read back: decoding always selects "Ведущий".
struct OptionItem {
    OptionFlag flag;
    const FieldRecord& record;
    QString control;
    bool readBack;
};
std::vector<OptionItem> OptionItems() {
    using namespace fields;
    const auto own = [](const FieldRecord& record) { return QLatin1String(record.control); };
    return {
        {OptionFlag::SounderAlarmOnly, kSounderMode, own(kSounderMode), true},
        {OptionFlag::EntryRelayDelayLoop1, kEntryRelayDelay, Name(kEntryRelayDelay.control, 1),
         true},
        {OptionFlag::EntryRelayDelayLoop2, kEntryRelayDelay, Name(kEntryRelayDelay.control, 2),
         true},
        {OptionFlag::AnyDoorLoop1, kTactic, Name(kTactic.control, 1), true},
        {OptionFlag::AnyDoorLoop2, kTactic, Name(kTactic.control, 2), true},
        {OptionFlag::TmIdentifierOutput, kTmOutputType, own(kTmOutputType), true},
        {OptionFlag::LineMaster, kLineMode, own(kLineMode), false},
        {OptionFlag::ButtonLock, kButtonLock, own(kButtonLock), true},
    };
}

int HexDigit(QChar c) {
    const std::optional<int> value = velor::HexDigitValue(c);
    if (!value) {
        throw InvalidIntegerError(QString(c));
    }
    return *value;
}

// A set of eight per-loop boxes ("shl" + loop + output, "shvz" + key + loop) as loop bits.
template <class NameOf> uint8_t LoopBoxes(const SettingsControls& controls, NameOf nameOf) {
    uint8_t loops = 0;
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        loops = WithLoop(loops, loop, controls.Checked(nameOf(loop)));
    }
    return loops;
}

template <class NameOf>
void SetLoopBoxes(SettingsControls& controls, uint8_t loops, NameOf nameOf) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        controls.SetChecked(nameOf(loop), HasLoop(loops, loop));
    }
}

// A timing list without a selection has no representation in the image; it is stored as "---".
int TimingIndex(const SettingsControls& controls, const QString& name) {
    return std::max(controls.ItemIndex(name), 0);
}

// --- Encoding ------------------------------------------------------------------------------------

void TraceRecordByte(SettingsControls& controls, int row, std::size_t offset, uint8_t value) {
    controls.AddTrace(
        QStringLiteral("TMNumber -  %1; c[j] - %2; j - %3").arg(row).arg(value).arg(offset));
}

void EncodeIdentifier(SettingsControls& controls, SettingsImage& image, int record, int row) {
    const QString code = controls.Text(CodeEditName(row));
    const std::size_t first = SettingsImage::IdentifierRecordOffset(record);
    for (std::size_t i = 0; i < kIdentifierCodeSize; ++i) {
        const QString pair = code.mid(static_cast<qsizetype>(i) * kHexPairLength, kHexPairLength);
        const uint8_t value = HexPairToByte(pair);
        image.SetIdentifierCodeByte(record, i, value);
        controls.AddTrace(QStringLiteral("TMNumber -  %1; tempStr - %2; j - %3; c[j] - %4")
                              .arg(row)
                              .arg(pair)
                              .arg(first + i)
                              .arg(value));
    }
    image.SetArmRights(record, LoopBoxes(controls, [row](int loop) {
                           return Name(fields::kArmRights.control, row, loop);
                       }));
    TraceRecordByte(controls, row, first + kIdentifierArmByte, image.ArmRights(record));
    image.SetDisarmRights(record, LoopBoxes(controls, [row](int loop) {
                              return Name(fields::kDisarmRights.control, row, loop);
                          }));
    TraceRecordByte(controls, row, first + kIdentifierDisarmByte, image.DisarmRights(record));
}

void EncodeIdentifiers(SettingsControls& controls, SettingsImage& image) {
    std::vector<int> rows;
    for (int row = 1; row <= kMaxIdentifiers; ++row) {
        if (!controls.Text(CodeEditName(row)).isEmpty()) {
            rows.push_back(row);
        }
    }
    const int count = static_cast<int>(rows.size());
    image.SetIdentifierCount(count);
    controls.AddTrace(QStringLiteral("Number of TMs = %1").arg(count));
    for (int record = 1; record <= count; ++record) {
        EncodeIdentifier(controls, image, record, rows[static_cast<std::size_t>(record - 1)]);
    }
    controls.AddTrace(QStringLiteral("We have %1 zero TMs").arg(kMaxIdentifiers - count));
    const std::size_t unused =
        kIdentifierRecordsOffset + kIdentifierRecordSize * static_cast<std::size_t>(count);
    for (std::size_t offset = unused; offset < kIdentifierPartSize; ++offset) {
        controls.AddTrace(QStringLiteral("TM #%1 is zero %2").arg(offset).arg(image[offset]));
    }
}

void EncodeOutput(SettingsControls& controls, SettingsImage& image, int output) {
    image.SetOutputBinding(output, LoopBoxes(controls, [output](int loop) {
                               return Name(fields::kBinding.control, loop, output);
                           }));
    image.SetOutputFlag(
        output, OutputFlag::Inverse,
        BitOf(fields::kInverse, controls.ItemIndex(Name(fields::kInverse.control, output))));
    for (const FieldRecord& event : fields::kEvents) {
        image.SetOutputFlag(output, EventFlag(event),
                            controls.Checked(Name(event.control, output)));
    }
    image.SetClosingTimeIndex(output,
                              TimingIndex(controls, Name(fields::kClosingTime.control, output)));
    image.SetOpeningTimeIndex(output,
                              TimingIndex(controls, Name(fields::kOpeningTime.control, output)));
    image.SetNotificationDurationIndex(
        output, TimingIndex(controls, Name(fields::kNotificationDuration.control, output)));
    controls.AddTrace(QStringLiteral("Index k is %1 Index j is %2")
                          .arg(output)
                          .arg(SettingsImage::OutputRecordOffset(output)));
}

void EncodeLoops(const SettingsControls& controls, SettingsImage& image) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        image.SetLoopOption(LoopOption::Fire, loop,
                            controls.Checked(Name(fields::kLoopType.control, loop)));
        image.SetLoopOption(LoopOption::Integration300, loop,
                            BitOf(fields::kIntegration,
                                  controls.ItemIndex(Name(fields::kIntegration.control, loop))));
    }
    for (const FieldRecord& box : fields::kLoopBoxes) {
        image.SetLoopOptions(LoopOptionOf(box), LoopBoxes(controls, [&box](int loop) {
                                 return Name(box.control, loop);
                             }));
    }
}

void EncodeTimes(const SettingsControls& controls, SettingsImage& image) {
    for (const DelayField& field : kDelays) {
        image.SetDelaySeconds(field.delay,
                              controls.Position(Name(field.record.control, field.loop)));
    }
    image[kRearmTimeOffset] =
        EncodeRearmTime(controls.Position(QLatin1String(fields::kRearmTime.control)));
    image[kSounderDurationOffset] =
        EncodeSounderDuration(controls.Position(QLatin1String(fields::kSounderDuration.control)));
}

void EncodeGeneralOptions(const SettingsControls& controls, SettingsImage& image) {
    for (const OptionItem& item : OptionItems()) {
        image.SetOptionFlag(item.flag, BitOf(item.record, controls.ItemIndex(item.control)));
    }
    for (int output = 1; output <= kOutputCount; ++output) {
        const int item = controls.ItemIndex(WorkModeGroupName(output));
        image.SetWorkMode(output, WorkModeNibble(std::max(item, kNoItem)));
    }
}

// --- Decoding ------------------------------------------------------------------------------------

void DecodeIdentifiers(SettingsControls& controls, const SettingsImage& image) {
    for (int row = 1; row <= kMaxIdentifiers; ++row) {
        SetLoopBoxes(controls, 0,
                     [row](int loop) { return Name(fields::kArmRights.control, row, loop); });
        SetLoopBoxes(controls, 0,
                     [row](int loop) { return Name(fields::kDisarmRights.control, row, loop); });
    }
    const int used = image.UsedIdentifierRecords();
    for (int row = 1; row <= kMaxIdentifiers; ++row) {
        controls.SetText(CodeEditName(row), QString());
        if (row > used) {
            continue;
        }
        controls.SetText(CodeEditName(row), velor::settings::KeyCodeText(image, row));
        SetLoopBoxes(controls, image.ArmRights(row),
                     [row](int loop) { return Name(fields::kArmRights.control, row, loop); });
        SetLoopBoxes(controls, image.DisarmRights(row),
                     [row](int loop) { return Name(fields::kDisarmRights.control, row, loop); });
    }
}

void DecodeOutput(SettingsControls& controls, const SettingsImage& image, int output) {
    SetLoopBoxes(controls, image.OutputBinding(output),
                 [output](int loop) { return Name(fields::kBinding.control, loop, output); });
    controls.SetItemIndex(
        Name(fields::kInverse.control, output),
        EntryOf(fields::kInverse, image.HasOutputFlag(output, OutputFlag::Inverse)));
    for (const FieldRecord& event : fields::kEvents) {
        controls.SetChecked(Name(event.control, output),
                            image.HasOutputFlag(output, EventFlag(event)));
    }
    controls.SetItemIndex(Name(fields::kClosingTime.control, output),
                          image.ClosingTimeIndex(output));
    controls.SetItemIndex(Name(fields::kOpeningTime.control, output),
                          image.OpeningTimeIndex(output));
    controls.SetItemIndex(Name(fields::kNotificationDuration.control, output),
                          image.NotificationDurationIndex(output));
}

// Loaded modes are set without their preset: the group's rule is detached meanwhile.
void DecodeWorkModes(SettingsControls& controls, const SettingsImage& image) {
    for (int output = 1; output <= kOutputCount; ++output) {
        controls.SetItemIndexDetached(WorkModeGroupName(output),
                                      WorkModeOfNibble(image.WorkMode(output)));
    }
}

// The loop-type rule overwrites the loop's options, so it runs before they are set from the
// image; the image's values then win and the enabled states the rule set stay.
void DecodeLoopTypes(SettingsControls& controls, const SettingsImage& image) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        const bool fire = image.HasLoopOption(LoopOption::Fire, loop);
        controls.SetCheckedDetached(Name(fields::kLoopType.control, loop), fire);
        controls.SetCheckedDetached(Name(fields::kLoopType.control, loop, 1), !fire);
    }
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        controls.RunLoopTypeRule(Name(fields::kLoopType.control, loop));
        controls.RunLoopTypeRule(Name(fields::kLoopType.control, loop, 1));
    }
}

// One option byte for all loops before the next: every change of a 24-hour box runs its rule for
// all eight loops, which unticks the walk-through zone of each 24-hour loop, so all 24-hour boxes
// are set before any walk-through box.
void DecodeLoopOptions(SettingsControls& controls, const SettingsImage& image) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        controls.SetItemIndex(
            Name(fields::kIntegration.control, loop),
            EntryOf(fields::kIntegration, image.HasLoopOption(LoopOption::Integration300, loop)));
    }
    for (const FieldRecord& box : fields::kLoopBoxes) {
        SetLoopBoxes(controls, image.LoopOptions(LoopOptionOf(box)),
                     [&box](int loop) { return Name(box.control, loop); });
    }
}

void DecodeTimes(SettingsControls& controls, const SettingsImage& image) {
    for (const DelayField& field : kDelays) {
        const int seconds = image.DelaySeconds(field.delay);
        controls.SetPosition(Name(field.record.control, field.loop), seconds);
        controls.SetText(DelayEditName(field), QString::number(seconds));
    }
    const int rearm = DecodeRearmTime(image[kRearmTimeOffset]);
    const QString rearmName = QLatin1String(fields::kRearmTime.control);
    controls.SetPosition(rearmName, rearm);
    controls.SetText(rearmName + QLatin1String("Edit"), QString::number(rearm));
    controls.SetText(QLatin1String(fields::kSounderDuration.control) + QLatin1String("Edit"),
                     QString::number(DecodeSounderDuration(image[kSounderDurationOffset])));
}

void DecodeGeneralOptions(SettingsControls& controls, const SettingsImage& image) {
    for (const OptionItem& item : OptionItems()) {
        const bool set = item.readBack ? image.HasOptionFlag(item.flag) : true;
        controls.SetItemIndex(item.control, EntryOf(item.record, set));
    }
}

} // namespace

uint8_t HexPairToByte(const QString& pair) {
    int value = 0;
    for (const QChar c : pair) {
        value = value * velor::kHexBase + HexDigit(c);
    }
    return static_cast<uint8_t>(value);
}

QString ByteToHexPair(uint8_t value) {
    return velor::HexText(value, kHexPairLength);
}

SettingsImage EncodeSettings(SettingsControls& controls) {
    SettingsImage image;
    EncodeIdentifiers(controls, image);
    for (int output = 1; output <= kOutputCount; ++output) {
        EncodeOutput(controls, image, output);
    }
    controls.AddTrace(QStringLiteral("Index j is %1").arg(kLoopOptionsTraceOffset));
    EncodeLoops(controls, image);
    EncodeTimes(controls, image);
    EncodeGeneralOptions(controls, image);
    controls.AddTrace(QStringLiteral("Index j is %1").arg(kOptionFlagsTraceOffset));
    return image;
}

void DecodeSettings(SettingsControls& controls, const SettingsImage& image) {
    DecodeIdentifiers(controls, image);
    for (int output = 1; output <= kOutputCount; ++output) {
        DecodeOutput(controls, image, output);
    }
    DecodeWorkModes(controls, image);
    controls.ShowFirstOutputTab();
    DecodeLoopTypes(controls, image);
    DecodeLoopOptions(controls, image);
    DecodeTimes(controls, image);
    DecodeGeneralOptions(controls, image);
    controls.RefreshAllOutputs();
}
