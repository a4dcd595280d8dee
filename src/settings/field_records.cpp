#include "settings/field_records.h"

#include "settings/settings_fields.h"
#include "settings/window_captions.h"

#include <QCoreApplication>

#include <iterator>
#include <optional>

namespace velor::settings {
namespace {

constexpr char kFieldsContext[] = "SettingsFields";
constexpr int kBitsPerByte = 8;
constexpr uint64_t kByteMask = 0xFF;
constexpr uint64_t kNibbleMask = 0x0F;
constexpr uint64_t kCodeMask = 0xFFFF'FFFF'FFFF; // six bytes
constexpr uint64_t kRecordMask = ~uint64_t{0};   // eight bytes
constexpr uint64_t kClosingTimeMask = 0x01C0;    // record byte 2 bits 6-7, byte 3 bit 0
constexpr uint64_t kOpeningTimeMask = 0x0E;      // record byte 3 bits 1-3
constexpr uint64_t kDurationMask = 0xF0;         // record byte 3 bits 4-7
constexpr uint64_t kReservedMask = 0x3F;         // record byte 2 bits 0-5
constexpr std::size_t kBindingRecordByte = 0;
constexpr std::size_t kFlagsRecordByte = 1;
constexpr std::size_t kTimingLowRecordByte = 2;
constexpr std::size_t kTimingHighRecordByte = 3;
constexpr int kRecordStride = static_cast<int>(kIdentifierRecordSize);
constexpr int kOutputStride = static_cast<int>(kOutputRecordSize);

constexpr uint64_t Bit(OptionFlag flag) {
    return static_cast<uint8_t>(flag);
}

constexpr uint64_t Bit(OutputFlag flag) {
    return static_cast<uint8_t>(flag);
}

constexpr std::size_t OutputByte(std::size_t recordByte) {
    return kOutputRecordsOffset + recordByte;
}

constexpr std::size_t KeyByte(std::size_t recordByte) {
    return kIdentifierRecordsOffset + recordByte;
}

constexpr ImagePlace Byte(std::size_t offset) {
    return {offset, kByteMask, 1, 0, 0};
}

constexpr ImagePlace OptionBit(OptionFlag flag, int count = 1) {
    return {kOptionFlagsOffset, Bit(flag), count, 0, 1};
}

constexpr ImagePlace LoopBits(LoopOption option) {
    return {static_cast<std::size_t>(option), 1, kLoopCount, 0, 1};
}

constexpr ImagePlace OutputBits(std::size_t recordByte, uint64_t mask) {
    return {OutputByte(recordByte), mask, kOutputCount, kOutputStride, 0};
}

constexpr ImagePlace KeyBytes(std::size_t recordByte, uint64_t mask) {
    return {KeyByte(recordByte), mask, kMaxIdentifiers, kRecordStride, 0};
}

template <std::size_t N> constexpr EntryList Entries(const char* const (&items)[N]) {
    return {items, static_cast<int>(N)};
}

// --- Entry lists ---------------------------------------------------------------------------------

constexpr const char* kSounderModeEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Все извещения"),
    QT_TRANSLATE_NOOP("TMainForm", "Только тревога"),
};
constexpr const char* kTmOutputTypeEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Идентификатор ТМ"),
    QT_TRANSLATE_NOOP("TMainForm", "Переключатель"),
};
constexpr const char* kButtonLockEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Нет"),
    QT_TRANSLATE_NOOP("TMainForm", "Да"),
};
constexpr const char* kLineModeEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Ведомый"),
    QT_TRANSLATE_NOOP("TMainForm", "Ведущий"),
};
// The labels beside the two type buttons of each loop, top to bottom.
constexpr const char* kLoopTypeEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "пожарный"),
    QT_TRANSLATE_NOOP("TMainForm", "охранный"),
};
// Milliseconds: the report reads the numbers from these source texts.
constexpr const char* kIntegrationEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "70"),
    QT_TRANSLATE_NOOP("TMainForm", "300"),
};
constexpr const char* kRelayDelayEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Да "),
    QT_TRANSLATE_NOOP("TMainForm", "Нет"),
};
constexpr const char* kTacticEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Закрытая дверь"),
    QT_TRANSLATE_NOOP("TMainForm", "Любая дверь"),
};
// The items of an output's work-mode group, top to bottom (OutputWorkMode).
constexpr const char* kWorkModeEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "ПЦН тревога"),
    QT_TRANSLATE_NOOP("TMainForm", "Контр. лампа"),
    QT_TRANSLATE_NOOP("TMainForm", "Взят/снят ( для охранного ШС)"),
    QT_TRANSLATE_NOOP("TMainForm", "Звуковой"),
    QT_TRANSLATE_NOOP("TMainForm", "Тревога"),
    QT_TRANSLATE_NOOP("TMainForm", "Исполнительный   ( для охранного ШС)"),
    QT_TRANSLATE_NOOP("TMainForm", "Специальный"),
};
static_assert(std::size(kWorkModeEntries) == kWorkModeCount);
// Opening and closing times, timing index 0 ... 7.
constexpr const char* kSwitchTimeEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "---"),    QT_TRANSLATE_NOOP("TMainForm", "0.5 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "1 сек"),  QT_TRANSLATE_NOOP("TMainForm", "5 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "10 сек"), QT_TRANSLATE_NOOP("TMainForm", "20 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "30 сек"), QT_TRANSLATE_NOOP("TMainForm", "пост."),
};
static_assert(std::size(kSwitchTimeEntries) == kConstantSwitchTimeIndex + 1);
// Notification durations, index 0 ... 15.
constexpr const char* kDurationEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "---"),      QT_TRANSLATE_NOOP("TMainForm", "20 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "40 сек"),   QT_TRANSLATE_NOOP("TMainForm", "1 мин"),
    QT_TRANSLATE_NOOP("TMainForm", "1 м 20 с"), QT_TRANSLATE_NOOP("TMainForm", "1 м 40 с"),
    QT_TRANSLATE_NOOP("TMainForm", "2 мин "),   QT_TRANSLATE_NOOP("TMainForm", "2 м 20 с"),
    QT_TRANSLATE_NOOP("TMainForm", "2 м 40 с"), QT_TRANSLATE_NOOP("TMainForm", "3 мин "),
    QT_TRANSLATE_NOOP("TMainForm", "3 м 20 с"), QT_TRANSLATE_NOOP("TMainForm", "3 м 40 с"),
    QT_TRANSLATE_NOOP("TMainForm", "4 мин "),   QT_TRANSLATE_NOOP("TMainForm", "4 м 20 с"),
    QT_TRANSLATE_NOOP("TMainForm", "4 м 40 с"), QT_TRANSLATE_NOOP("TMainForm", "пост."),
};
static_assert(std::size(kDurationEntries) == kConstantDurationIndex + 1);
constexpr const char* kInverseEntries[] = {
    QT_TRANSLATE_NOOP("TMainForm", "нет "),
    QT_TRANSLATE_NOOP("TMainForm", "да"),
};

FieldRecord LoopBox(const char* key, const char* control, const char* caption, LoopOption option) {
    FieldRecord record;
    record.family = FieldFamily::Loop;
    record.key = key;
    record.control = control;
    record.caption = {{caption}};
    record.factory = 0;
    record.place = LoopBits(option);
    return record;
}

FieldRecord Event(const char* key, const char* control, const char* caption, OutputFlag flag) {
    FieldRecord record;
    record.family = FieldFamily::Output;
    record.key = key;
    record.control = control;
    record.caption = {{caption}};
    record.factory = 0;
    record.place = OutputBits(kFlagsRecordByte, Bit(flag));
    return record;
}

FieldRecord Timing(const char* key, const char* control, const char* caption, EntryList entries,
                   ImagePlace place) {
    FieldRecord record;
    record.family = FieldFamily::Output;
    record.key = key;
    record.control = control;
    record.caption = {{caption}};
    record.entries = entries;
    record.place = place;
    return record;
}

FieldRecord KeyPart(const char* key, const char* control, const char* caption, ImagePlace place) {
    FieldRecord record;
    record.family = FieldFamily::Key;
    record.key = key;
    record.control = control;
    record.caption = {{caption}};
    record.place = place;
    return record;
}

// Bit b of byte offset as a bit of a field's mask that starts at byte first.
std::optional<int> MaskBit(std::size_t first, std::size_t offset, int bit) {
    if (offset < first) {
        return std::nullopt;
    }
    const std::size_t byte = offset - first;
    if (byte >= sizeof(uint64_t)) {
        return std::nullopt;
    }
    return static_cast<int>(byte) * kBitsPerByte + bit;
}

} // namespace

QString CaptionLines::Text() const {
    QStringList texts;
    for (const char* line : lines) {
        if (line != nullptr) {
            texts << velor::window::WindowText(line);
        }
    }
    return texts.join(QLatin1Char('\n'));
}

QStringList EntryList::Texts() const {
    QStringList texts;
    for (int entry = 0; entry < count; ++entry) {
        texts << Text(entry);
    }
    return texts;
}

QString EntryList::Text(int entry) const {
    return velor::window::WindowText(items[entry]);
}

QString FieldName(const FieldRecord& record) {
    if (record.name != nullptr) {
        return QCoreApplication::translate(kFieldsContext, record.name);
    }
    return record.caption.Text().simplified();
}

QString FieldUnit(const FieldRecord& record) {
    return record.unit != nullptr ? QCoreApplication::translate(kFieldsContext, record.unit)
                                  : QString();
}

QString FieldKey(const FieldRecord& record, int instance) {
    switch (record.family) {
    case FieldFamily::Loop:
        return QStringLiteral("loops[%1].%2").arg(instance).arg(QLatin1String(record.key));
    case FieldFamily::Output:
        return OutputFieldKey(instance, record.key);
    case FieldFamily::Key:
        return KeyFieldKey(instance, record.key);
    case FieldFamily::Single:
        break;
    }
    return QLatin1String(record.key);
}

bool HoldsBit(const FieldRecord& record, int instance, std::size_t offset, int bit) {
    const ImagePlace& place = record.place;
    const std::size_t first =
        place.offset + static_cast<std::size_t>(place.byteStride) * (instance - 1);
    const std::optional<int> maskBit = MaskBit(first, offset, bit);
    if (!maskBit) {
        return false;
    }
    const int shift = place.bitStride * (instance - 1);
    return ((place.mask << shift) >> *maskBit & 1) != 0;
}

namespace fields {

const FieldRecord kSounderMode = [] {
    FieldRecord r;
    r.key = "general.sounder_mode";
    r.control = "Sound";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Режим внутреннего звукового оповещателя: ")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Режим внутреннего звукового оповещателя");
    r.entries = Entries(kSounderModeEntries);
    r.setEntry = 1;
    r.factory = 0;
    r.place = OptionBit(OptionFlag::SounderAlarmOnly);
    return r;
}();

const FieldRecord kSounderDuration = [] {
    FieldRecord r;
    r.key = "general.sounder_duration_s";
    r.control = "TimeAlarm";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Длительность извещений внутреннего звукового")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields",
                               "Длительность извещений внутреннего звукового оповещателя");
    r.unit = QT_TRANSLATE_NOOP("SettingsFields", "с");
    r.rangeCaption = QT_TRANSLATE_NOOP("TMainForm", "(1 сек--21 мин)");
    r.range = {1, 1275, 5};
    r.factory = 180;
    r.place = Byte(kSounderDurationOffset);
    return r;
}();

const FieldRecord kTmOutputType = [] {
    FieldRecord r;
    r.key = "general.tm_output_type";
    r.control = "TypeTMRadioGroup";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Тип выхода ТМ:")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Тип выхода ТМ");
    r.entries = Entries(kTmOutputTypeEntries);
    r.setEntry = 0;
    r.factory = 0;
    r.place = OptionBit(OptionFlag::TmIdentifierOutput);
    return r;
}();

const FieldRecord kButtonLock = [] {
    FieldRecord r;
    r.key = "general.button_lock";
    r.control = "KBBlockRadioGroup";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Блокирование кнопок:")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Блокирование кнопок");
    r.entries = Entries(kButtonLockEntries);
    r.setEntry = 1;
    r.factory = 0;
    r.place = OptionBit(OptionFlag::ButtonLock);
    return r;
}();

const FieldRecord kLineMode = [] {
    FieldRecord r;
    r.key = "general.line_mode";
    r.control = "LineModeRadioGroup";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Режим линии расширения: ")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Режим линии расширения");
    r.entries = Entries(kLineModeEntries);
    r.setEntry = 1;
    r.factory = 1;
    r.place = OptionBit(OptionFlag::LineMaster);
    return r;
}();

const FieldRecord kLoopType = [] {
    FieldRecord r;
    r.family = FieldFamily::Loop;
    r.key = "type";
    r.control = "ts";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Тип ШС:")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Тип ШС");
    r.entries = Entries(kLoopTypeEntries);
    r.setEntry = 0;
    r.factory = 1;
    r.place = LoopBits(LoopOption::Fire);
    return r;
}();

const FieldRecord kIntegration = [] {
    FieldRecord r;
    r.family = FieldFamily::Loop;
    r.key = "integration_ms";
    r.control = "it";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Время"),
                  QT_TRANSLATE_NOOP("TMainForm", "интегрирования ")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Время интегрирования");
    r.unit = QT_TRANSLATE_NOOP("SettingsFields", "мс");
    r.entries = Entries(kIntegrationEntries);
    r.setEntry = 1;
    r.place = LoopBits(LoopOption::Integration300);
    return r;
}();

// In the order of the rows on the loop page.
const std::array<FieldRecord, kLoopBoxCount> kLoopBoxes = {
    LoopBox("double_trigger", "ds", QT_TRANSLATE_NOOP("TMainForm", "Двойная сработка"),
            LoopOption::DoubleTrigger),
    LoopBox("silent_alarm", "tt", QT_TRANSLATE_NOOP("TMainForm", "Тихая тревога"),
            LoopOption::SilentAlarm),
    LoopBox("auto_rearm", "av", QT_TRANSLATE_NOOP("TMainForm", "Автоперевзятие"),
            LoopOption::AutoRearm),
    LoopBox("round_the_clock", "ks", QT_TRANSLATE_NOOP("TMainForm", "Круглосуточно"),
            LoopOption::RoundTheClock),
    LoopBox("walk_through", "pz", QT_TRANSLATE_NOOP("TMainForm", "Проходная зона"),
            LoopOption::WalkThrough),
};

const FieldRecord kEntryDelay = [] {
    FieldRecord r;
    r.family = FieldFamily::Loop;
    r.key = "entry_delay_s";
    r.control = "DelayIn";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Вход")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Задержка на вход");
    r.unit = QT_TRANSLATE_NOOP("SettingsFields", "с");
    r.rangeCaption = QT_TRANSLATE_NOOP("TMainForm", "[0 сек-255 сек]");
    r.range = {0, kMaxDelaySeconds, 1};
    r.factory = 1;
    r.place = {static_cast<std::size_t>(Delay::EntryLoop1), kByteMask, kEntryLoops, 2, 0};
    return r;
}();

const FieldRecord kExitDelay = [] {
    FieldRecord r = kEntryDelay;
    r.key = "exit_delay_s";
    r.control = "DelayOut";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Вых")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Задержка на выход");
    r.place.offset = static_cast<std::size_t>(Delay::ExitLoop1);
    return r;
}();

const FieldRecord kEntryRelayDelay = [] {
    FieldRecord r;
    r.family = FieldFamily::Loop;
    r.key = "entry_relay_delay";
    r.control = "EnDelaySh";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Задержка на"),
                  QT_TRANSLATE_NOOP("TMainForm", "реле на время"),
                  QT_TRANSLATE_NOOP("TMainForm", "входа")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Задержка на реле на время входа");
    r.entries = Entries(kRelayDelayEntries);
    r.setEntry = 0;
    r.place = OptionBit(OptionFlag::EntryRelayDelayLoop1, kEntryLoops);
    return r;
}();

const FieldRecord kTactic = [] {
    FieldRecord r;
    r.family = FieldFamily::Loop;
    r.key = "tactic";
    r.control = "Taktik";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Тактика работы ")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Тактика работы");
    r.entries = Entries(kTacticEntries);
    r.setEntry = 1;
    r.place = OptionBit(OptionFlag::AnyDoorLoop1, kEntryLoops);
    return r;
}();

const FieldRecord kRearmTime = [] {
    FieldRecord r;
    r.key = "loops.rearm_time_s";
    r.control = "TimeAv";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Автоперевзятие")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Время автоперевзятия");
    r.unit = QT_TRANSLATE_NOOP("SettingsFields", "с");
    r.rangeCaption = QT_TRANSLATE_NOOP("TMainForm", "[5с-21м]");
    r.range = {5, 1275, 5};
    r.factory = 5;
    r.place = Byte(kRearmTimeOffset);
    return r;
}();

const FieldRecord kWorkMode = [] {
    FieldRecord r;
    r.family = FieldFamily::Output;
    r.key = "work_mode";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Режим работы")}};
    r.entries = Entries(kWorkModeEntries);
    r.factory = kSpecialMode;
    r.place = {kRelayWorkModesOffset, kNibbleMask, kOutputCount, 0, 4};
    return r;
}();

const FieldRecord kBinding = [] {
    FieldRecord r;
    r.family = FieldFamily::Output;
    r.key = "binding";
    r.control = "shl";
    r.caption = {{QT_TRANSLATE_NOOP("TMainForm", "Привязки к ШС:")}};
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Привязки к ШС");
    r.place = OutputBits(kBindingRecordByte, kByteMask);
    return r;
}();

// Top to bottom on an output's sub-page.
const std::array<FieldRecord, kEventCount> kEvents = {
    Event("alarm_fire", "AlarmEvent", QT_TRANSLATE_NOOP("TMainForm", "Тревога/пожар"),
          OutputFlag::AlarmEvent),
    Event("fire_fault", "ErrorFire", QT_TRANSLATE_NOOP("TMainForm", "Неисправность пожарного ШС"),
          OutputFlag::ErrorFire),
    Event("fire_attention", "AttentionFire",
          QT_TRANSLATE_NOOP("TMainForm", "Внимание для пожарного ШС"), OutputFlag::AttentionFire),
    Event("arm_any_loop", "OnOffLine",
          QT_TRANSLATE_NOOP("TMainForm", "Взятие по одному из ШС/Снятие "), OutputFlag::OnOffLine),
    Event("arm_all_loops", "OnOffAllLine",
          QT_TRANSLATE_NOOP("TMainForm", "Взятие по всем ШС/Снятие "), OutputFlag::OnOffAllLine),
    Event("case_opened", "BoxDamage", QT_TRANSLATE_NOOP("TMainForm", "Вскрытие корпуса"),
          OutputFlag::BoxDamage),
    Event("power_fault", "ErrorPower", QT_TRANSLATE_NOOP("TMainForm", "Неисправность питания"),
          OutputFlag::ErrorPower),
};

const FieldRecord kOpeningTime =
    Timing("opening_time", "TimeRzmk", QT_TRANSLATE_NOOP("TMainForm", "Размыкание на время"),
           Entries(kSwitchTimeEntries), OutputBits(kTimingHighRecordByte, kOpeningTimeMask));

const FieldRecord kClosingTime =
    Timing("closing_time", "TimeZmk", QT_TRANSLATE_NOOP("TMainForm", "Замыкание на время"),
           Entries(kSwitchTimeEntries), OutputBits(kTimingLowRecordByte, kClosingTimeMask));

const FieldRecord kNotificationDuration =
    Timing("notification_duration", "TimePeriod",
           QT_TRANSLATE_NOOP("TMainForm", "Длительность извещения "), Entries(kDurationEntries),
           OutputBits(kTimingHighRecordByte, kDurationMask));

const FieldRecord kInverse = [] {
    FieldRecord r =
        Timing("inverse", "InvRele", QT_TRANSLATE_NOOP("TMainForm", "Инверсный режим"),
               Entries(kInverseEntries), OutputBits(kFlagsRecordByte, Bit(OutputFlag::Inverse)));
    r.setEntry = 1;
    return r;
}();

const std::array<const FieldRecord*, kTimingListCount> kTimingLists = {
    &kOpeningTime, &kClosingTime, &kNotificationDuration, &kInverse};

const FieldRecord kReservedBits = [] {
    FieldRecord r;
    r.family = FieldFamily::Output;
    r.key = "reserved_bits";
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Резервные биты");
    r.place = OutputBits(kTimingLowRecordByte, kReservedMask);
    return r;
}();

const FieldRecord kKeyCount = [] {
    FieldRecord r;
    r.key = "keys.count";
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Число ключей ТМ");
    r.range = {0, kMaxIdentifiers, 1};
    r.factory = 0;
    r.place = Byte(kIdentifierCountOffset);
    return r;
}();

const FieldRecord kKeyCode =
    KeyPart("code", "CodeTM", QT_TRANSLATE_NOOP("TMainForm", "Код ТМ"), KeyBytes(0, kCodeMask));
const FieldRecord kArmRights = KeyPart("arm", "shvz", QT_TRANSLATE_NOOP("TMainForm", "Взятие "),
                                       KeyBytes(kIdentifierArmByte, kByteMask));
const FieldRecord kDisarmRights =
    KeyPart("disarm", "shsn", QT_TRANSLATE_NOOP("TMainForm", "Снятие"),
            KeyBytes(kIdentifierDisarmByte, kByteMask));

const FieldRecord kUnusedRecord = [] {
    FieldRecord r;
    r.family = FieldFamily::Key;
    r.key = "unused_record";
    r.name = QT_TRANSLATE_NOOP("SettingsFields", "Запись %1 вне числа ключей");
    r.place = KeyBytes(0, kRecordMask);
    return r;
}();

} // namespace fields

std::vector<const FieldRecord*> FieldRecords() {
    using namespace fields;
    std::vector<const FieldRecord*> records = {&kSounderMode, &kSounderDuration, &kTmOutputType,
                                               &kButtonLock,  &kLineMode,        &kLoopType,
                                               &kIntegration};
    for (const FieldRecord& box : kLoopBoxes) {
        records.push_back(&box);
    }
    records.insert(records.end(), {&kEntryDelay, &kExitDelay, &kEntryRelayDelay, &kTactic,
                                   &kRearmTime, &kWorkMode, &kBinding});
    for (const FieldRecord& event : kEvents) {
        records.push_back(&event);
    }
    records.insert(records.end(),
                   {&kOpeningTime, &kClosingTime, &kNotificationDuration, &kInverse, &kReservedBits,
                    &kKeyCount, &kKeyCode, &kArmRights, &kDisarmRights, &kUnusedRecord});
    return records;
}

} // namespace velor::settings
