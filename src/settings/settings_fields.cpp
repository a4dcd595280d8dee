#include "settings/settings_fields.h"

#include "link/hex_text.h"
#include "settings/settings_texts.h"
#include "settings/window_captions.h"

#include <QCoreApplication>
#include <QStringList>

#include <iterator>
#include <utility>

namespace velor::settings {
namespace {

using velor::window::kWindowContext;

// A caption or list entry of the window, in the technician's language, with the blanks the
// window pads some of them with taken out.
QString WindowText(const char* source) {
    return velor::window::WindowText(source).simplified();
}

// Page captions as on the window's tabs.
constexpr const char* kPageCaptions[] = {
    QT_TRANSLATE_NOOP("TMainForm", "  Главная  "),
    QT_TRANSLATE_NOOP("TMainForm", "  Настройки ШС "),
    QT_TRANSLATE_NOOP("TMainForm", "Режимы реле и выходов ОК"),
    QT_TRANSLATE_NOOP("TMainForm", "Идентификаторы ТМ"),
};
constexpr const char* kPageKeys[] = {"main", "loops", "outputs", "keys"};

// The outputs' keys, output 1 ... 4.
constexpr const char* kOutputKeys[] = {"relay1", "relay2", "ok1", "ok2"};

// Record byte 1 of an output, bits 1..7, in the order of the boxes on its sub-page (that of
// kEventBoxPrefixes and kEventBoxCaptions).
struct EventField {
    OutputFlag flag;
    const char* key;
};
constexpr EventField kEventFields[] = {
    {OutputFlag::AlarmEvent, "alarm_fire"},        {OutputFlag::ErrorFire, "fire_fault"},
    {OutputFlag::AttentionFire, "fire_attention"}, {OutputFlag::OnOffLine, "arm_any_loop"},
    {OutputFlag::OnOffAllLine, "arm_all_loops"},   {OutputFlag::BoxDamage, "case_opened"},
    {OutputFlag::ErrorPower, "power_fault"},
};
static_assert(std::size(kEventFields) == velor::window::kEventBoxCount);

// Bytes 243..247: the loop's check boxes, as on the loop page.
struct LoopBoxField {
    LoopOption option;
    const char* key;
    const char* caption;
};
constexpr LoopBoxField kLoopBoxFields[] = {
    {LoopOption::DoubleTrigger, "double_trigger",
     QT_TRANSLATE_NOOP("TMainForm", "Двойная сработка")},
    {LoopOption::SilentAlarm, "silent_alarm", QT_TRANSLATE_NOOP("TMainForm", "Тихая тревога")},
    {LoopOption::AutoRearm, "auto_rearm", QT_TRANSLATE_NOOP("TMainForm", "Автоперевзятие")},
    {LoopOption::RoundTheClock, "round_the_clock", QT_TRANSLATE_NOOP("TMainForm", "Круглосуточно")},
    {LoopOption::WalkThrough, "walk_through", QT_TRANSLATE_NOOP("TMainForm", "Проходная зона")},
};

constexpr int kIntegrationShortMs = 70;
constexpr int kIntegrationLongMs = 300;
constexpr int kEntryLoops = 2;        // loops 1 and 2 have entry and exit delays
constexpr int kShortestLoopRange = 3; // three loops in a row or more are written as a range
constexpr int kByteDigits = 2;        // a byte in hexadecimal
constexpr int kCodeDigits = kByteDigits * static_cast<int>(kIdentifierCodeSize);

QString YesNo(bool on) {
    return on ? SettingsFields::tr("да") : SettingsFields::tr("нет");
}

QString Seconds() {
    return SettingsFields::tr("с");
}

// Collects the slots of one image in report order.
class SlotList {
public:
    explicit SlotList(const SettingsImage& image) : image_(image) {}

    std::vector<SettingsField> Build() {
        AddMainPage();
        AddLoopPage();
        AddOutputPage();
        AddKeyPage();
        return std::move(slots_);
    }

private:
    SettingsField& Add(const QString& key, const QString& name, const QString& value,
                       std::optional<qint64> raw) {
        SettingsField field;
        field.key = key;
        field.page = page_;
        field.name = name;
        field.value = value;
        field.raw = raw;
        slots_.push_back(field);
        return slots_.back();
    }

    void AddChoice(const QString& key, const QString& name, bool set, const QString& whenSet,
                   const QString& whenClear) {
        Add(key, name, set ? whenSet : whenClear, set ? 1 : 0);
    }

    void AddYesNo(const QString& key, const QString& name, bool on) {
        AddChoice(key, name, on, YesNo(true), YesNo(false));
    }

    void AddQuantity(const QString& key, const QString& name, int number, const QString& unit,
                     qint64 raw) {
        SettingsField& field = Add(key, name,
                                   unit.isEmpty() ? QString::number(number)
                                                  : QStringLiteral("%1 %2").arg(number).arg(unit),
                                   raw);
        field.unit = unit;
        field.number = number;
    }

    void AddMainPage() {
        page_ = SettingsPage::Main;
        AddChoice(QStringLiteral("general.sounder_mode"),
                  SettingsFields::tr("Режим внутреннего звукового оповещателя"),
                  image_.HasOptionFlag(OptionFlag::SounderAlarmOnly),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Только тревога")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Все извещения")));
        AddQuantity(QStringLiteral("general.sounder_duration_s"),
                    SettingsFields::tr("Длительность извещений внутреннего звукового оповещателя"),
                    image_.SounderDurationSeconds(), Seconds(), image_[kSounderDurationOffset]);
        AddChoice(QStringLiteral("general.tm_output_type"), SettingsFields::tr("Тип выхода ТМ"),
                  image_.HasOptionFlag(OptionFlag::TmIdentifierOutput),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Идентификатор ТМ")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Переключатель")));
        AddChoice(QStringLiteral("general.button_lock"), SettingsFields::tr("Блокирование кнопок"),
                  image_.HasOptionFlag(OptionFlag::ButtonLock),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Да")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Нет")));
        AddChoice(QStringLiteral("general.line_mode"), SettingsFields::tr("Режим линии расширения"),
                  image_.HasOptionFlag(OptionFlag::LineMaster),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Ведущий")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Ведомый")));
    }

    void AddLoopPage() {
        page_ = SettingsPage::Loops;
        for (int loop = 1; loop <= kLoopCount; ++loop) {
            AddLoop(loop);
        }
        const int rearm = image_.RearmTimeSeconds();
        AddQuantity(QStringLiteral("loops.rearm_time_s"),
                    SettingsFields::tr("Время автоперевзятия"), rearm, Seconds(),
                    image_[kRearmTimeOffset]);
    }

    void AddLoop(int loop) {
        const QString key = QStringLiteral("loops[%1].").arg(loop);
        const QString name = SettingsFields::tr("ШС%1").arg(loop) + QStringLiteral(": ");
        AddChoice(key + QStringLiteral("type"), name + SettingsFields::tr("Тип ШС"),
                  image_.HasLoopOption(LoopOption::Fire, loop),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "пожарный")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "охранный")));
        const bool longIntegration = image_.HasLoopOption(LoopOption::Integration300, loop);
        AddQuantity(key + QStringLiteral("integration_ms"),
                    name + SettingsFields::tr("Время интегрирования"),
                    longIntegration ? kIntegrationLongMs : kIntegrationShortMs,
                    SettingsFields::tr("мс"), longIntegration ? 1 : 0);
        for (const LoopBoxField& box : kLoopBoxFields) {
            AddYesNo(key + QLatin1String(box.key), name + WindowText(box.caption),
                     image_.HasLoopOption(box.option, loop));
        }
        if (loop <= kEntryLoops) {
            AddEntryLoop(loop, key, name);
        }
    }

    void AddEntryLoop(int loop, const QString& key, const QString& name) {
        const bool first = loop == 1;
        const Delay entry = first ? Delay::EntryLoop1 : Delay::EntryLoop2;
        const Delay exit = first ? Delay::ExitLoop1 : Delay::ExitLoop2;
        AddQuantity(key + QStringLiteral("entry_delay_s"),
                    name + SettingsFields::tr("Задержка на вход"), image_.DelaySeconds(entry),
                    Seconds(), image_.DelaySeconds(entry));
        AddQuantity(key + QStringLiteral("exit_delay_s"),
                    name + SettingsFields::tr("Задержка на выход"), image_.DelaySeconds(exit),
                    Seconds(), image_.DelaySeconds(exit));
        AddChoice(key + QStringLiteral("entry_relay_delay"),
                  name + SettingsFields::tr("Задержка на реле на время входа"),
                  image_.HasOptionFlag(first ? OptionFlag::EntryRelayDelayLoop1
                                             : OptionFlag::EntryRelayDelayLoop2),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Да ")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Нет")));
        AddChoice(key + QStringLiteral("tactic"), name + SettingsFields::tr("Тактика работы"),
                  image_.HasOptionFlag(first ? OptionFlag::AnyDoorLoop1 : OptionFlag::AnyDoorLoop2),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Любая дверь")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "Закрытая дверь")));
    }

    void AddOutputPage() {
        page_ = SettingsPage::Outputs;
        for (int output = 1; output <= kOutputCount; ++output) {
            AddOutput(output);
        }
    }

    static QString WorkModeText(int mode) {
        if (mode == kWorkModeNone) {
            return SettingsFields::tr("не выбран");
        }
        if (mode <= kWorkModeSpecial) {
            return WindowText(velor::window::kWorkModeCaptions[mode - 1]);
        }
        return SettingsFields::tr("неизвестный (%1)").arg(mode);
    }

    void AddOutput(int output) {
        const QString key = OutputFieldKey(output, "");
        const QString name =
            WindowText(velor::window::kOutputCaptions[output - 1]) + QStringLiteral(": ");
        const int mode = image_.WorkMode(output);
        Add(key + QStringLiteral("work_mode"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Режим работы")), WorkModeText(mode),
            mode);
        const uint8_t binding = image_.OutputBinding(output);
        Add(key + QStringLiteral("binding"), name + SettingsFields::tr("Привязки к ШС"),
            LoopSetText(binding), binding);
        for (std::size_t event = 0; event < std::size(kEventFields); ++event) {
            AddYesNo(key + QLatin1String(kEventFields[event].key),
                     name + WindowText(velor::window::kEventBoxCaptions[event]),
                     image_.HasOutputFlag(output, kEventFields[event].flag));
        }
        const int opening = image_.OpeningTimeIndex(output);
        Add(key + QStringLiteral("opening_time"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Размыкание на время")),
            WindowText(velor::window::kSwitchTimeCaptions[opening]), opening);
        const int closing = image_.ClosingTimeIndex(output);
        Add(key + QStringLiteral("closing_time"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Замыкание на время")),
            WindowText(velor::window::kSwitchTimeCaptions[closing]), closing);
        const int duration = image_.NotificationDurationIndex(output);
        Add(key + QStringLiteral("notification_duration"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Длительность извещения ")),
            WindowText(velor::window::kDurationCaptions[duration]), duration);
        const bool inverse = image_.HasOutputFlag(output, OutputFlag::Inverse);
        AddChoice(key + QStringLiteral("inverse"),
                  name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Инверсный режим")), inverse,
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "да")),
                  WindowText(QT_TRANSLATE_NOOP("TMainForm", "нет ")));
        const uint8_t reserved = image_.OutputReservedBits(output);
        Add(key + QStringLiteral("reserved_bits"), name + SettingsFields::tr("Резервные биты"),
            QStringLiteral("0x") + HexText(reserved, kByteDigits), reserved)
            .present = reserved != 0;
    }

    void AddKeyPage() {
        page_ = SettingsPage::Keys;
        const int count = image_.IdentifierCount();
        AddQuantity(QStringLiteral("keys.count"), SettingsFields::tr("Число ключей ТМ"), count,
                    QString(), count);
        for (int record = 1; record <= kMaxIdentifiers; ++record) {
            AddKey(record, record <= image_.UsedIdentifierRecords());
        }
    }

    void AddKey(int record, bool registered) {
        const QString key = KeyFieldKey(record, "");
        const QString name = SettingsFields::tr("Ключ %1").arg(record) + QStringLiteral(": ");
        qint64 code = 0;
        for (const uint8_t byte : image_.IdentifierCodeAt(record)) {
            code = code * (qint64{1} << 8) + byte;
        }
        Add(key + QStringLiteral("code"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Код ТМ")),
            HexText(static_cast<uint64_t>(code), kCodeDigits), code)
            .present = registered;
        const uint8_t arm = image_.ArmRights(record);
        Add(key + QStringLiteral("arm"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Взятие ")), LoopSetText(arm), arm)
            .present = registered;
        const uint8_t disarm = image_.DisarmRights(record);
        Add(key + QStringLiteral("disarm"),
            name + WindowText(QT_TRANSLATE_NOOP("TMainForm", "Снятие")), LoopSetText(disarm),
            disarm)
            .present = registered;
        QString bytes;
        bool zero = true;
        const std::size_t first = SettingsImage::IdentifierRecordOffset(record);
        for (std::size_t i = 0; i < kIdentifierRecordSize; ++i) {
            bytes += HexText(image_[first + i], kByteDigits);
            zero = zero && image_[first + i] == 0;
        }
        Add(key + QStringLiteral("unused_record"),
            SettingsFields::tr("Запись %1 вне числа ключей").arg(record), bytes, std::nullopt)
            .present = !registered && !zero;
    }

    const SettingsImage& image_;
    SettingsPage page_ = SettingsPage::Main;
    std::vector<SettingsField> slots_;
};

} // namespace

QString PageKey(SettingsPage page) {
    return QLatin1String(kPageKeys[static_cast<int>(page)]);
}

QString PageTitle(SettingsPage page) {
    return WindowText(kPageCaptions[static_cast<int>(page)]);
}

QString OutputKey(int output) {
    return QLatin1String(kOutputKeys[output - 1]);
}

QString OutputFieldKey(int output, const char* field) {
    return QStringLiteral("outputs.%1.%2").arg(OutputKey(output), QLatin1String(field));
}

QString KeyFieldKey(int record, const char* field) {
    return QStringLiteral("keys[%1].%2").arg(record).arg(QLatin1String(field));
}

QString AbsentValue() {
    return QStringLiteral("—");
}

QString LoopSetText(uint8_t loops) {
    const auto loopName = [](int loop) {
        return QCoreApplication::translate(kWindowContext, "ШС%1").arg(loop);
    };
    QStringList parts;
    int loop = 1;
    while (loop <= kLoopCount) {
        if (!HasLoop(loops, loop)) {
            ++loop;
            continue;
        }
        int last = loop;
        while (last < kLoopCount && HasLoop(loops, last + 1)) {
            ++last;
        }
        if (last - loop + 1 >= kShortestLoopRange) {
            parts << loopName(loop) + QStringLiteral("–") + loopName(last);
        } else {
            for (int each = loop; each <= last; ++each) {
                parts << loopName(each);
            }
        }
        loop = last + 1;
    }
    return parts.isEmpty() ? YesNo(false) : parts.join(QStringLiteral(", "));
}

std::vector<SettingsField> SettingsFieldSlots(const SettingsImage& image) {
    return SlotList(image).Build();
}

std::vector<SettingsField> DescribeSettings(const SettingsImage& image) {
    std::vector<SettingsField> fields;
    for (SettingsField& field : SettingsFieldSlots(image)) {
        if (field.present) {
            fields.push_back(std::move(field));
        }
    }
    return fields;
}

} // namespace velor::settings
