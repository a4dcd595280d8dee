#include "settings/settings_fields.h"

#include "link/hex_text.h"
#include "settings/field_records.h"
#include "settings/settings_texts.h"
#include "settings/window_captions.h"

#include <QCoreApplication>
#include <QStringList>

#include <iterator>
#include <utility>

namespace velor::settings {
namespace {

using velor::window::kWindowContext;
using namespace fields;

constexpr const char* kPageKeys[] = {"main", "loops", "outputs", "keys"};

// The outputs' keys, output 1 ... 4.
constexpr const char* kOutputKeys[] = {"relay1", "relay2", "ok1", "ok2"};

constexpr int kShortestLoopRange = 3; // three loops in a row or more are written as a range
constexpr int kByteDigits = 2;        // a byte in hexadecimal

QString YesNo(bool on) {
    return on ? SettingsFields::tr("да") : SettingsFields::tr("нет");
}

// A window list entry in the technician's language, without the blanks the window pads some
// entries with.
QString EntryText(const FieldRecord& record, int entry) {
    return record.entries.Text(entry).simplified();
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
    SettingsField& Add(const FieldRecord& record, int instance, const QString& value,
                       std::optional<qint64> raw) {
        SettingsField field;
        field.key = FieldKey(record, instance);
        field.page = page_;
        field.name = prefix_ + FieldName(record);
        field.value = value;
        field.raw = raw;
        slots_.push_back(field);
        return slots_.back();
    }

    // A one-bit choice: the entry the bit stands for.
    void AddChoice(const FieldRecord& record, int instance, bool set) {
        const int entry = set ? record.setEntry : 1 - record.setEntry;
        Add(record, instance, EntryText(record, entry), set ? 1 : 0);
    }

    void AddYesNo(const FieldRecord& record, int instance, bool on) {
        Add(record, instance, YesNo(on), on ? 1 : 0);
    }

    void AddQuantity(const FieldRecord& record, int instance, int number, qint64 raw) {
        const QString unit = FieldUnit(record);
        SettingsField& field = Add(record, instance,
                                   unit.isEmpty() ? QString::number(number)
                                                  : QStringLiteral("%1 %2").arg(number).arg(unit),
                                   raw);
        field.unit = unit;
        field.number = number;
    }

    void AddMainPage() {
        page_ = SettingsPage::Main;
        prefix_.clear();
        AddChoice(kSounderMode, 1, image_.HasOptionFlag(OptionFlag::SounderAlarmOnly));
        AddQuantity(kSounderDuration, 1, image_.SounderDurationSeconds(),
                    image_[kSounderDurationOffset]);
        AddChoice(kTmOutputType, 1, image_.HasOptionFlag(OptionFlag::TmIdentifierOutput));
        AddChoice(kButtonLock, 1, image_.HasOptionFlag(OptionFlag::ButtonLock));
        AddChoice(kLineMode, 1, image_.HasOptionFlag(OptionFlag::LineMaster));
    }

    void AddLoopPage() {
        page_ = SettingsPage::Loops;
        for (int loop = 1; loop <= kLoopCount; ++loop) {
            AddLoop(loop);
        }
        prefix_.clear();
        AddQuantity(kRearmTime, 1, image_.RearmTimeSeconds(), image_[kRearmTimeOffset]);
    }

    static LoopOption OptionOf(const FieldRecord& record) {
        return static_cast<LoopOption>(record.place.offset);
    }

    void AddLoop(int loop) {
        prefix_ = SettingsFields::tr("ШС%1").arg(loop) + QStringLiteral(": ");
        AddChoice(kLoopType, loop, image_.HasLoopOption(LoopOption::Fire, loop));
        const int integration = image_.HasLoopOption(LoopOption::Integration300, loop) ? 1 : 0;
        const int entry = integration == 1 ? kIntegration.setEntry : 1 - kIntegration.setEntry;
        AddQuantity(kIntegration, loop, QByteArray(kIntegration.entries.items[entry]).toInt(),
                    integration);
        for (const FieldRecord& box : kLoopBoxes) {
            AddYesNo(box, loop, image_.HasLoopOption(OptionOf(box), loop));
        }
        if (loop <= kEntryLoops) {
            AddEntryLoop(loop);
        }
    }

    void AddEntryLoop(int loop) {
        const bool first = loop == 1;
        const int entry = image_.DelaySeconds(first ? Delay::EntryLoop1 : Delay::EntryLoop2);
        AddQuantity(kEntryDelay, loop, entry, entry);
        const int exit = image_.DelaySeconds(first ? Delay::ExitLoop1 : Delay::ExitLoop2);
        AddQuantity(kExitDelay, loop, exit, exit);
        AddChoice(kEntryRelayDelay, loop,
                  image_.HasOptionFlag(first ? OptionFlag::EntryRelayDelayLoop1
                                             : OptionFlag::EntryRelayDelayLoop2));
        AddChoice(
            kTactic, loop,
            image_.HasOptionFlag(first ? OptionFlag::AnyDoorLoop1 : OptionFlag::AnyDoorLoop2));
    }

    void AddOutputPage() {
        page_ = SettingsPage::Outputs;
        for (int output = 1; output <= kOutputCount; ++output) {
            AddOutput(output);
        }
    }

    static QString WorkModeText(int nibble) {
        const int mode = WorkModeOfNibble(static_cast<uint8_t>(nibble));
        if (mode == kNoWorkMode) {
            return SettingsFields::tr("не выбран");
        }
        if (WorkModeNibble(mode) == nibble) {
            return EntryText(kWorkMode, mode);
        }
        return SettingsFields::tr("неизвестный (%1)").arg(nibble);
    }

    void AddTiming(const FieldRecord& record, int output, int index) {
        Add(record, output, EntryText(record, index), index);
    }

    void AddOutput(int output) {
        prefix_ =
            velor::window::WindowText(velor::window::kOutputCaptions[output - 1]).simplified() +
            QStringLiteral(": ");
        const int mode = image_.WorkMode(output);
        Add(kWorkMode, output, WorkModeText(mode), mode);
        const uint8_t binding = image_.OutputBinding(output);
        Add(kBinding, output, LoopSetText(binding), binding);
        for (const FieldRecord& event : kEvents) {
            AddYesNo(event, output, (image_.OutputFlags(output) & event.place.mask) != 0);
        }
        AddTiming(kOpeningTime, output, image_.OpeningTimeIndex(output));
        AddTiming(kClosingTime, output, image_.ClosingTimeIndex(output));
        AddTiming(kNotificationDuration, output, image_.NotificationDurationIndex(output));
        AddChoice(kInverse, output, image_.HasOutputFlag(output, OutputFlag::Inverse));
        const uint8_t reserved = image_.OutputReservedBits(output);
        Add(kReservedBits, output, QStringLiteral("0x") + HexText(reserved, kByteDigits), reserved)
            .present = reserved != 0;
    }

    void AddKeyPage() {
        page_ = SettingsPage::Keys;
        prefix_.clear();
        const int count = image_.IdentifierCount();
        AddQuantity(kKeyCount, 1, count, count);
        for (int record = 1; record <= kMaxIdentifiers; ++record) {
            AddKey(record, record <= image_.UsedIdentifierRecords());
        }
    }

    void AddKey(int record, bool registered) {
        prefix_ = SettingsFields::tr("Ключ %1").arg(record) + QStringLiteral(": ");
        qint64 code = 0;
        for (const uint8_t byte : image_.IdentifierCodeAt(record)) {
            code = code * (qint64{1} << 8) + byte;
        }
        Add(kKeyCode, record, KeyCodeText(image_, record), code).present = registered;
        const uint8_t arm = image_.ArmRights(record);
        Add(kArmRights, record, LoopSetText(arm), arm).present = registered;
        const uint8_t disarm = image_.DisarmRights(record);
        Add(kDisarmRights, record, LoopSetText(disarm), disarm).present = registered;
        QString bytes;
        bool zero = true;
        const std::size_t first = SettingsImage::IdentifierRecordOffset(record);
        for (std::size_t i = 0; i < kIdentifierRecordSize; ++i) {
            bytes += HexText(image_[first + i], kByteDigits);
            zero = zero && image_[first + i] == 0;
        }
        prefix_.clear();
        SettingsField& unused = Add(kUnusedRecord, record, bytes, std::nullopt);
        unused.name = unused.name.arg(record);
        unused.present = !registered && !zero;
    }

    const SettingsImage& image_;
    SettingsPage page_ = SettingsPage::Main;
    QString prefix_; // "ШС3: ", "Реле №1: ", "Ключ 2: "
    std::vector<SettingsField> slots_;
};

} // namespace

QString PageKey(SettingsPage page) {
    return QLatin1String(kPageKeys[static_cast<int>(page)]);
}

QString PageTitle(SettingsPage page) {
    return velor::window::WindowText(velor::window::kPageCaptions[static_cast<int>(page)])
        .simplified();
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

QString KeyCodeText(const SettingsImage& image, int record) {
    QString text;
    for (const uint8_t byte : image.IdentifierCodeAt(record)) {
        text += HexText(byte, kByteDigits);
    }
    return text;
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
