#include "settings/settings_codec.h"

#include "link/hex_text.h"
#include "settings/control_names.h"
#include "settings/str_to_int.h"

#include <algorithm>
#include <vector>

using namespace velor::window;

namespace {

constexpr int kHexPairLength = 2;
constexpr int kNoItem = -1;
constexpr int kInverseItem = 1;        // InvRele item "да"
constexpr int kIntegration300Item = 1; // it<n> item "300"
constexpr std::size_t kLoopOptionsTraceOffset = 241;
constexpr std::size_t kOptionFlagsTraceOffset = 254;

QString CodeEditName(int row) {
    return Name("CodeTM", row);
}

// Record byte 1 of an output, bits 1..7: the notification boxes.
struct EventBox {
    const char* prefix;
    OutputFlag flag;
};
constexpr EventBox kEventBoxes[] = {
    {"OnOffLine", OutputFlag::OnOffLine},         {"OnOffAllLine", OutputFlag::OnOffAllLine},
    {"AlarmEvent", OutputFlag::AlarmEvent},       {"ErrorFire", OutputFlag::ErrorFire},
    {"AttentionFire", OutputFlag::AttentionFire}, {"BoxDamage", OutputFlag::BoxDamage},
    {"ErrorPower", OutputFlag::ErrorPower},
};

// Bytes 243..247: the per-loop check boxes.
struct LoopBox {
    const char* prefix;
    LoopOption option;
};
constexpr LoopBox kLoopBoxes[] = {
    {"ks", LoopOption::RoundTheClock}, {"ds", LoopOption::DoubleTrigger},
    {"av", LoopOption::AutoRearm},     {"tt", LoopOption::SilentAlarm},
    {"pz", LoopOption::WalkThrough},
};

// Bytes 248..251: the delays' up-downs and their edits.
struct DelayField {
    Delay delay;
    const char* upDown;
    const char* edit;
};
constexpr DelayField kDelays[] = {
    {Delay::EntryLoop1, "DelayIn1", "DelayInEdit1"},
    {Delay::ExitLoop1, "DelayOut1", "DelayOutEdit1"},
    {Delay::EntryLoop2, "DelayIn2", "DelayInEdit2"},
    {Delay::ExitLoop2, "DelayOut2", "DelayOutEdit2"},
};

// Byte 254: the radio groups and lists of the general options, with the item that a set bit
// stands for and the item a clear bit gives when decoding. The expansion-line mode is written
// but not read back: decoding always selects "Ведущий".
struct OptionItem {
    OptionFlag flag;
    const char* control;
    int itemWhenSet;
    int itemWhenClear;
    bool readBack;
};
constexpr OptionItem kOptionItems[] = {
    {OptionFlag::SounderAlarmOnly, "Sound", 1, 0, true},
    {OptionFlag::EntryRelayDelayLoop1, "EnDelaySh1", 0, 1, true},
    {OptionFlag::EntryRelayDelayLoop2, "EnDelaySh2", 0, 1, true},
    {OptionFlag::AnyDoorLoop1, "Taktik1", 1, 0, true},
    {OptionFlag::AnyDoorLoop2, "Taktik2", 1, 0, true},
    {OptionFlag::TmIdentifierOutput, "TypeTMRadioGroup", 0, 1, true},
    {OptionFlag::LineMaster, "LineModeRadioGroup", 1, 0, false},
    {OptionFlag::ButtonLock, "KBBlockRadioGroup", 1, 0, true},
};

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
    image.SetArmRights(record,
                       LoopBoxes(controls, [row](int loop) { return Name("shvz", row, loop); }));
    TraceRecordByte(controls, row, first + kIdentifierArmByte, image.ArmRights(record));
    image.SetDisarmRights(record,
                          LoopBoxes(controls, [row](int loop) { return Name("shsn", row, loop); }));
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
    image.SetOutputBinding(
        output, LoopBoxes(controls, [output](int loop) { return Name("shl", loop, output); }));
    image.SetOutputFlag(output, OutputFlag::Inverse,
                        controls.ItemIndex(Name("InvRele", output)) == kInverseItem);
    for (const EventBox& box : kEventBoxes) {
        image.SetOutputFlag(output, box.flag, controls.Checked(Name(box.prefix, output)));
    }
    image.SetClosingTimeIndex(output, TimingIndex(controls, Name("TimeZmk", output)));
    image.SetOpeningTimeIndex(output, TimingIndex(controls, Name("TimeRzmk", output)));
    image.SetNotificationDurationIndex(output, TimingIndex(controls, Name("TimePeriod", output)));
    controls.AddTrace(QStringLiteral("Index k is %1 Index j is %2")
                          .arg(output)
                          .arg(SettingsImage::OutputRecordOffset(output)));
}

void EncodeLoops(const SettingsControls& controls, SettingsImage& image) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        image.SetLoopOption(LoopOption::Fire, loop, controls.Checked(Name("ts", loop)));
        image.SetLoopOption(LoopOption::Integration300, loop,
                            controls.ItemIndex(Name("it", loop)) == kIntegration300Item);
    }
    for (const LoopBox& box : kLoopBoxes) {
        image.SetLoopOptions(
            box.option, LoopBoxes(controls, [&box](int loop) { return Name(box.prefix, loop); }));
    }
}

void EncodeTimes(const SettingsControls& controls, SettingsImage& image) {
    for (const DelayField& field : kDelays) {
        image.SetDelaySeconds(field.delay, controls.Position(QLatin1String(field.upDown)));
    }
    image[kRearmTimeOffset] = EncodeRearmTime(controls.Position(QStringLiteral("TimeAv")));
    image[kSounderDurationOffset] =
        EncodeSounderDuration(controls.Position(QStringLiteral("TimeAlarm")));
}

void EncodeGeneralOptions(const SettingsControls& controls, SettingsImage& image) {
    for (const OptionItem& item : kOptionItems) {
        image.SetOptionFlag(item.flag,
                            controls.ItemIndex(QLatin1String(item.control)) == item.itemWhenSet);
    }
    for (int output = 1; output <= kOutputCount; ++output) {
        const int item = controls.ItemIndex(WorkModeGroupName(output));
        image.SetWorkMode(output, static_cast<uint8_t>(std::max(item, kNoItem) + 1));
    }
}

// --- Decoding ------------------------------------------------------------------------------------

QString CodeText(const SettingsImage& image, int record) {
    QString text;
    for (const uint8_t byte : image.IdentifierCodeAt(record)) {
        text += ByteToHexPair(byte);
    }
    return text;
}

void DecodeIdentifiers(SettingsControls& controls, const SettingsImage& image) {
    for (int row = 1; row <= kMaxIdentifiers; ++row) {
        SetLoopBoxes(controls, 0, [row](int loop) { return Name("shvz", row, loop); });
        SetLoopBoxes(controls, 0, [row](int loop) { return Name("shsn", row, loop); });
    }
    const int used = image.UsedIdentifierRecords();
    for (int row = 1; row <= kMaxIdentifiers; ++row) {
        controls.SetText(CodeEditName(row), QString());
        if (row > used) {
            continue;
        }
        controls.SetText(CodeEditName(row), CodeText(image, row));
        SetLoopBoxes(controls, image.ArmRights(row),
                     [row](int loop) { return Name("shvz", row, loop); });
        SetLoopBoxes(controls, image.DisarmRights(row),
                     [row](int loop) { return Name("shsn", row, loop); });
    }
}

void DecodeOutput(SettingsControls& controls, const SettingsImage& image, int output) {
    SetLoopBoxes(controls, image.OutputBinding(output),
                 [output](int loop) { return Name("shl", loop, output); });
    controls.SetItemIndex(Name("InvRele", output),
                          image.HasOutputFlag(output, OutputFlag::Inverse) ? kInverseItem : 0);
    for (const EventBox& box : kEventBoxes) {
        controls.SetChecked(Name(box.prefix, output), image.HasOutputFlag(output, box.flag));
    }
    controls.SetItemIndex(Name("TimeZmk", output), image.ClosingTimeIndex(output));
    controls.SetItemIndex(Name("TimeRzmk", output), image.OpeningTimeIndex(output));
    controls.SetItemIndex(Name("TimePeriod", output), image.NotificationDurationIndex(output));
}

// Loaded modes are set without their preset: the group's rule is detached meanwhile.
void DecodeWorkModes(SettingsControls& controls, const SettingsImage& image) {
    for (int output = 1; output <= kOutputCount; ++output) {
        const int mode = image.WorkMode(output);
        // Nibbles 8..15 select the special mode as well.
        const int item = mode == kWorkModeNone ? kNoItem : std::min(mode - 1, int{kSpecialMode});
        controls.SetItemIndexDetached(WorkModeGroupName(output), item);
    }
}

// The loop-type rule overwrites the loop's options, so it runs before they are set from the
// image; the image's values then win and the enabled states the rule set stay.
void DecodeLoopTypes(SettingsControls& controls, const SettingsImage& image) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        const bool fire = image.HasLoopOption(LoopOption::Fire, loop);
        controls.SetCheckedDetached(Name("ts", loop), fire);
        controls.SetCheckedDetached(Name("ts", loop, 1), !fire);
    }
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        controls.RunLoopTypeRule(Name("ts", loop));
        controls.RunLoopTypeRule(Name("ts", loop, 1));
    }
}

// One option byte for all loops before the next: every change of a 24-hour box runs its rule for
// all eight loops, which unticks the walk-through zone of each 24-hour loop, so all 24-hour boxes
// are set before any walk-through box.
void DecodeLoopOptions(SettingsControls& controls, const SettingsImage& image) {
    for (int loop = 1; loop <= kLoopCount; ++loop) {
        controls.SetItemIndex(
            Name("it", loop),
            image.HasLoopOption(LoopOption::Integration300, loop) ? kIntegration300Item : 0);
    }
    for (const LoopBox& box : kLoopBoxes) {
        SetLoopBoxes(controls, image.LoopOptions(box.option),
                     [&box](int loop) { return Name(box.prefix, loop); });
    }
}

void DecodeTimes(SettingsControls& controls, const SettingsImage& image) {
    for (const DelayField& field : kDelays) {
        const int seconds = image.DelaySeconds(field.delay);
        controls.SetPosition(QLatin1String(field.upDown), seconds);
        controls.SetText(QLatin1String(field.edit), QString::number(seconds));
    }
    const int rearm = DecodeRearmTime(image[kRearmTimeOffset]);
    controls.SetPosition(QStringLiteral("TimeAv"), rearm);
    controls.SetText(QStringLiteral("TimeAvEdit"), QString::number(rearm));
    controls.SetText(QStringLiteral("TimeAlarmEdit"),
                     QString::number(DecodeSounderDuration(image[kSounderDurationOffset])));
}

void DecodeGeneralOptions(SettingsControls& controls, const SettingsImage& image) {
    for (const OptionItem& item : kOptionItems) {
        const bool set = item.readBack ? image.HasOptionFlag(item.flag) : true;
        controls.SetItemIndex(QLatin1String(item.control),
                              set ? item.itemWhenSet : item.itemWhenClear);
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
