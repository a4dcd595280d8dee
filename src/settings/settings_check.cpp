#include "settings/settings_check.h"

#include "settings/field_records.h"
#include "settings/field_rules.h"
#include "settings/settings_diff.h"
#include "settings/settings_fields.h"
#include "settings/settings_texts.h"

#include <algorithm>
#include <map>

namespace velor::settings {
namespace {

// The kept image, with the reason for each field it changes.
class Normaliser {
public:
    explicit Normaliser(const SettingsImage& image) : kept_(image) {}

    SettingsImage Run() {
        Identifiers();
        for (int output = 1; output <= kOutputCount; ++output) {
            Output(output);
        }
        RearmTime();
        if (!kept_.HasOptionFlag(OptionFlag::LineMaster)) {
            kept_.SetOptionFlag(OptionFlag::LineMaster, true);
            reasons_[QStringLiteral("general.line_mode")] =
                SettingsFields::tr("окно всегда записывает режим линии расширения «Ведущий»");
        }
        return kept_;
    }

    const std::map<QString, QString>& Reasons() const { return reasons_; }

private:
    void Identifiers() {
        if (kept_.IdentifierCount() > kMaxIdentifiers) {
            kept_.SetIdentifierCount(kMaxIdentifiers);
            reasons_[QStringLiteral("keys.count")] =
                SettingsFields::tr("прибор хранит не больше 28 ключей; окно читает первые 28");
        }
        for (int record = kept_.UsedIdentifierRecords() + 1; record <= kMaxIdentifiers; ++record) {
            const std::size_t first = SettingsImage::IdentifierRecordOffset(record);
            for (std::size_t i = 0; i < kIdentifierRecordSize; ++i) {
                kept_[first + i] = 0;
            }
            reasons_[KeyFieldKey(record, "unused_record")] =
                SettingsFields::tr("запись за пределами числа ключей; окно записывает её нулями");
        }
    }

    void Output(int output) {
        if (kept_.OutputReservedBits(output) != 0) {
            const ImagePlace& reserved = fields::kReservedBits.place;
            const std::size_t timingLow =
                reserved.offset + static_cast<std::size_t>(reserved.byteStride * (output - 1));
            kept_[timingLow] =
                static_cast<uint8_t>(kept_[timingLow] & ~kept_.OutputReservedBits(output));
            reasons_[OutputFieldKey(output, "reserved_bits")] =
                SettingsFields::tr("резервные биты; окно записывает их нулями");
        }
        const int mode = WorkModeOfNibble(kept_.WorkMode(output));
        if (kept_.WorkMode(output) != WorkModeNibble(mode)) {
            kept_.SetWorkMode(output, WorkModeNibble(mode));
            reasons_[OutputFieldKey(output, "work_mode")] =
                SettingsFields::tr("неизвестный режим работы; окно выбирает «Специальный»");
        }
        if (ForSecurityLoopsOnly(mode)) {
            const uint8_t fire = kept_.LoopOptions(LoopOption::Fire);
            kept_.SetOutputBinding(output,
                                   static_cast<uint8_t>(kept_.OutputBinding(output) & ~fire));
            reasons_[OutputFieldKey(output, "binding")] = SettingsFields::tr(
                "в режимах «Взят/снят» и «Исполнительный» выход следует только за охранными ШС; "
                "окно снимает привязки пожарных ШС");
        }
        if (mode == kSpecialMode) {
            SpecialTiming(output);
        }
    }

    // The special mode's timing rule, as the window applies it when it loads the image.
    void SpecialTiming(int output) {
        const int opening = kept_.OpeningTimeIndex(output);
        const int closing = kept_.ClosingTimeIndex(output);
        const QString durationKey = OutputFieldKey(output, "notification_duration");
        if (opening == kConstantSwitchTimeIndex) {
            const QString reason = SettingsFields::tr(
                "в режиме «Специальный» постоянное размыкание исключает замыкание и "
                "длительность извещения");
            kept_.SetClosingTimeIndex(output, 0);
            kept_.SetNotificationDurationIndex(output, 0);
            reasons_[OutputFieldKey(output, "closing_time")] = reason;
            reasons_[durationKey] = reason;
        } else if (closing == kConstantSwitchTimeIndex) {
            const QString reason = SettingsFields::tr(
                "в режиме «Специальный» постоянное замыкание исключает размыкание и "
                "длительность извещения");
            kept_.SetOpeningTimeIndex(output, 0);
            kept_.SetNotificationDurationIndex(output, 0);
            reasons_[OutputFieldKey(output, "opening_time")] = reason;
            reasons_[durationKey] = reason;
        } else if (opening == 0 || closing == 0) {
            kept_.SetNotificationDurationIndex(output, 0);
            reasons_[durationKey] = SettingsFields::tr(
                "в режиме «Специальный» длительность извещения задается, только когда заданы и "
                "размыкание, и замыкание на время");
        }
    }

    // The re-arm time must be longer than both entry delays; code 1 reads as 5 s like code 0.
    void RearmTime() {
        const QString key = QStringLiteral("loops.rearm_time_s");
        const int longest =
            std::max(kept_.DelaySeconds(Delay::EntryLoop1), kept_.DelaySeconds(Delay::EntryLoop2));
        int seconds = kept_.RearmTimeSeconds();
        if (seconds <= longest) {
            seconds = static_cast<int>(RearmTimeAbove(longest, fields::kRearmTime.range.step));
            reasons_[key] =
                SettingsFields::tr(
                    "время автоперевзятия должно быть больше задержки на вход ШС1 и ШС2, %1 с")
                    .arg(longest);
        } else if (kept_[kRearmTimeOffset] == 1) {
            reasons_[key] = SettingsFields::tr("код 1 означает те же 5 с; окно записывает код 0");
        }
        kept_.SetRearmTimeSeconds(seconds);
    }

    SettingsImage kept_;
    std::map<QString, QString> reasons_;
};

// Two keys with one code, and keys that may neither arm nor disarm any loop.
std::vector<CheckFinding> KeptFindings(const SettingsImage& image) {
    std::vector<CheckFinding> findings;
    const int used = image.UsedIdentifierRecords();
    const std::vector<SettingsField> fields = SettingsFieldSlots(image);
    const auto nameOf = [&fields](const QString& key) {
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&key](const SettingsField& f) { return f.key == key; });
        return field->name;
    };
    for (int record = 1; record <= used; ++record) {
        const QString code = KeyCodeText(image, record);
        const QString key = KeyFieldKey(record, "code");
        for (int earlier = 1; earlier < record; ++earlier) {
            if (KeyCodeText(image, earlier) == code) {
                findings.push_back(
                    {FindingKind::Kept, key, nameOf(key), code, code,
                     SettingsFields::tr("тот же код, что у ключа %1; окно сохраняет оба")
                         .arg(earlier)});
                break;
            }
        }
        if (image.ArmRights(record) == 0 && image.DisarmRights(record) == 0) {
            findings.push_back(
                {FindingKind::Kept, key, nameOf(key), code, code,
                 SettingsFields::tr(
                     "у ключа нет прав ни на взятие, ни на снятие; окно сохраняет его")});
        }
    }
    return findings;
}

} // namespace

SettingsImage WindowKeptImage(const SettingsImage& image) {
    return Normaliser(image).Run();
}

SettingsCheck CheckSettings(const SettingsImage& image) {
    Normaliser normaliser(image);
    SettingsCheck check;
    check.kept = normaliser.Run();
    for (const FieldChange& change : DiffSettings(image, check.kept)) {
        const auto reason = normaliser.Reasons().find(change.key);
        check.findings.push_back(
            {FindingKind::Normalised, change.key, change.name, change.before, change.after,
             reason != normaliser.Reasons().end() ? reason->second : QString()});
    }
    std::vector<CheckFinding> kept = KeptFindings(image);
    check.findings.insert(check.findings.end(), kept.begin(), kept.end());
    // Report order: the order of the fields, normalised before kept within one field.
    std::map<QString, std::size_t> order;
    const std::vector<SettingsField> fields = SettingsFieldSlots(image);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        order[fields[i].key] = i;
    }
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [&order](const CheckFinding& a, const CheckFinding& b) {
                         return order[a.key] < order[b.key];
                     });
    return check;
}

QString FindingLine(const CheckFinding& finding) {
    if (finding.kind == FindingKind::Kept) {
        return QStringLiteral("%1: %2 (%3)").arg(finding.name, finding.value, finding.reason);
    }
    return QStringLiteral("%1: %2 → %3 (%4)")
        .arg(finding.name, finding.value, finding.kept, finding.reason);
}

} // namespace velor::settings
