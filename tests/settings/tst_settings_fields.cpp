// The readable settings model: the fingerprint, each field's value as text and as stored, the
// slots that only some images hold, the change list between two images, and that every bit of
// the image belongs to a field, so no difference goes unreported.

#include "settings/settings_diff.h"
#include "settings/settings_fields.h"
#include "settings/settings_fingerprint.h"

#include <QSet>
#include <QTest>

#include <functional>

using namespace velor::settings;

using ImageEdit = std::function<void(SettingsImage&)>;
Q_DECLARE_METATYPE(SettingsImage)

namespace {

SettingsImage Filled(uint8_t fill) {
    SettingsImage image;
    image.bytes().fill(fill);
    return image;
}

SettingsImage Pattern() {
    SettingsImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 5 + 1);
    }
    return image;
}

SettingsImage With(std::initializer_list<std::pair<int, int>> bytes, SettingsImage image = {}) {
    for (const auto& [offset, value] : bytes) {
        image[static_cast<std::size_t>(offset)] = static_cast<uint8_t>(value);
    }
    return image;
}

// One registered key with code 01 23 45 67 89 AB, arming loops 1 and 8, disarming loop 2.
SettingsImage OneKey() {
    return With({{0, 1},
                 {1, 0x01},
                 {2, 0x23},
                 {3, 0x45},
                 {4, 0x67},
                 {5, 0x89},
                 {6, 0xAB},
                 {7, 0x81},
                 {8, 0x02}});
}

std::optional<SettingsField> Field(const SettingsImage& image, const QString& key) {
    for (const SettingsField& field : DescribeSettings(image)) {
        if (field.key == key) {
            return field;
        }
    }
    return std::nullopt;
}

QStringList Lines(const std::vector<FieldChange>& changes) {
    QStringList lines;
    for (const FieldChange& change : changes) {
        lines << ChangeLine(change);
    }
    return lines;
}

} // namespace

class TestSettingsFields : public QObject {
    Q_OBJECT
private slots:
    void fingerprintIsTheSha256OfTheBytes_data();
    void fingerprintIsTheSha256OfTheBytes();
    void fieldValues_data();
    void fieldValues();
    void fieldsAnImageHoldsOrNot_data();
    void fieldsAnImageHoldsOrNot();
    void loopSets_data();
    void loopSets();
    void changeLines_data();
    void changeLines();
    void everyBitBelongsToAField_data();
    void everyBitBelongsToAField();
};

void TestSettingsFields::fingerprintIsTheSha256OfTheBytes_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QString>("sha256");

    QTest::newRow("all zero") << SettingsImage()
                              << "6c934d0cdf9dba94b474d6d1929f16739bd9a8ed31d0c3bcaf82c283fb7a3568";
    QTest::newRow("all 0xFF") << Filled(0xFF)
                              << "4212c75089aa25b5734dd67583cd3952fb35492d3c38285225e66a2d70403600";
    QTest::newRow("byte i holds 5i+1")
        << Pattern() << "29adb4e94e54702f5f4137357345515c5cf4e08fe8922e9c3989d81ce2a84464";
}

void TestSettingsFields::fingerprintIsTheSha256OfTheBytes() {
    QFETCH(SettingsImage, image);
    QFETCH(QString, sha256);
    QCOMPARE(Fingerprint(image), sha256);
    QCOMPARE(ShortFingerprint(image), sha256.left(12));
    QCOMPARE(kShortFingerprintDigits, 12);
}

void TestSettingsFields::fieldValues_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<qint64>("raw");

    const SettingsImage zero;
    QTest::newRow("sounder duration code 0 is 1 s")
        << zero << "general.sounder_duration_s"
        << "Длительность извещений внутреннего звукового оповещателя"
        << "1 с" << qint64(0);
    QTest::newRow("sounder duration code 36 is 180 s")
        << With({{253, 36}}) << "general.sounder_duration_s"
        << "Длительность извещений внутреннего звукового оповещателя"
        << "180 с" << qint64(36);
    QTest::newRow("sounder alarms only") << With({{254, 0x01}}) << "general.sounder_mode"
                                         << "Режим внутреннего звукового оповещателя"
                                         << "Только тревога" << qint64(1);
    QTest::newRow("TM output: identifier") << With({{254, 0x20}}) << "general.tm_output_type"
                                           << "Тип выхода ТМ"
                                           << "Идентификатор ТМ" << qint64(1);
    QTest::newRow("TM output: switch") << zero << "general.tm_output_type"
                                       << "Тип выхода ТМ"
                                       << "Переключатель" << qint64(0);
    QTest::newRow("button lock") << With({{254, 0x80}}) << "general.button_lock"
                                 << "Блокирование кнопок"
                                 << "Да" << qint64(1);
    QTest::newRow("expansion line slave") << zero << "general.line_mode"
                                          << "Режим линии расширения"
                                          << "Ведомый" << qint64(0);
    QTest::newRow("re-arm code 0 is 5 s") << zero << "loops.rearm_time_s"
                                          << "Время автоперевзятия"
                                          << "5 с" << qint64(0);
    QTest::newRow("re-arm code 1 is 5 s") << With({{252, 1}}) << "loops.rearm_time_s"
                                          << "Время автоперевзятия"
                                          << "5 с" << qint64(1);
    QTest::newRow("re-arm code 255 is 1275 s") << With({{252, 255}}) << "loops.rearm_time_s"
                                               << "Время автоперевзятия"
                                               << "1275 с" << qint64(255);
    QTest::newRow("loop 3 fire") << With({{241, 0x04}}) << "loops[3].type"
                                 << "ШС3: Тип ШС"
                                 << "пожарный" << qint64(1);
    QTest::newRow("loop 4 security") << With({{241, 0xF7}}) << "loops[4].type"
                                     << "ШС4: Тип ШС"
                                     << "охранный" << qint64(0);
    QTest::newRow("loop 8 integration 300 ms") << With({{242, 0x80}}) << "loops[8].integration_ms"
                                               << "ШС8: Время интегрирования"
                                               << "300 мс" << qint64(1);
    QTest::newRow("loop 5 walk-through zone") << With({{247, 0x10}}) << "loops[5].walk_through"
                                              << "ШС5: Проходная зона"
                                              << "да" << qint64(1);
    QTest::newRow("loop 2 entry delay") << With({{250, 255}}) << "loops[2].entry_delay_s"
                                        << "ШС2: Задержка на вход"
                                        << "255 с" << qint64(255);
    QTest::newRow("loop 1 exit delay") << With({{249, 30}}) << "loops[1].exit_delay_s"
                                       << "ШС1: Задержка на выход"
                                       << "30 с" << qint64(30);
    QTest::newRow("loop 2 relay delay on") << With({{254, 0x04}}) << "loops[2].entry_relay_delay"
                                           << "ШС2: Задержка на реле на время входа"
                                           << "Да" << qint64(1);
    QTest::newRow("loop 1 relay delay off") << With({{254, 0x04}}) << "loops[1].entry_relay_delay"
                                            << "ШС1: Задержка на реле на время входа"
                                            << "Нет" << qint64(0);
    QTest::newRow("loop 1 any door") << With({{254, 0x08}}) << "loops[1].tactic"
                                     << "ШС1: Тактика работы"
                                     << "Любая дверь" << qint64(1);
    QTest::newRow("relay 1 special") << With({{255, 0x17}}) << "outputs.relay1.work_mode"
                                     << "Реле №1: Режим работы"
                                     << "Специальный" << qint64(7);
    QTest::newRow("relay 2 CMS alarm") << With({{255, 0x17}}) << "outputs.relay2.work_mode"
                                       << "Реле №2: Режим работы"
                                       << "ПЦН тревога" << qint64(1);
    QTest::newRow("OK 1 executive: window's blanks simplified")
        << With({{256, 0x06}}) << "outputs.ok1.work_mode"
        << "OK №1: Режим работы"
        << "Исполнительный ( для охранного ШС)" << qint64(6);
    QTest::newRow("OK 2 no mode") << zero << "outputs.ok2.work_mode"
                                  << "OK №2: Режим работы"
                                  << "не выбран" << qint64(0);
    QTest::newRow("OK 2 nibble 12") << With({{256, 0xC0}}) << "outputs.ok2.work_mode"
                                    << "OK №2: Режим работы"
                                    << "неизвестный (12)" << qint64(12);
    // Closing time 20 s (index 5), opening 5 s (3), constant duration (15): bytes 0x40, 0xF7.
    const SettingsImage timing = With({{235, 0x40}, {236, 0xF7}});
    QTest::newRow("OK 1 closing time split over two bytes") << timing << "outputs.ok1.closing_time"
                                                            << "OK №1: Замыкание на время"
                                                            << "20 сек" << qint64(5);
    QTest::newRow("OK 1 opening time") << timing << "outputs.ok1.opening_time"
                                       << "OK №1: Размыкание на время"
                                       << "5 сек" << qint64(3);
    QTest::newRow("OK 1 constant duration") << timing << "outputs.ok1.notification_duration"
                                            << "OK №1: Длительность извещения"
                                            << "пост." << qint64(15);
    QTest::newRow("relay 2 duration 2 min")
        << With({{232, 0x60}}) << "outputs.relay2.notification_duration"
        << "Реле №2: Длительность извещения"
        << "2 мин" << qint64(6);
    QTest::newRow("relay 2 bindings") << With({{229, 0xB7}}) << "outputs.relay2.binding"
                                      << "Реле №2: Привязки к ШС"
                                      << "ШС1–ШС3, ШС5, ШС6, ШС8" << qint64(0xB7);
    QTest::newRow("relay 1 inverse") << With({{226, 0x01}}) << "outputs.relay1.inverse"
                                     << "Реле №1: Инверсный режим"
                                     << "да" << qint64(1);
    QTest::newRow("OK 2 case opened") << With({{238, 0x40}}) << "outputs.ok2.case_opened"
                                      << "OK №2: Вскрытие корпуса"
                                      << "да" << qint64(1);
    QTest::newRow("OK 2 power fault off") << With({{238, 0x40}}) << "outputs.ok2.power_fault"
                                          << "OK №2: Неисправность питания"
                                          << "нет" << qint64(0);
    QTest::newRow("relay 1 reserved bits") << With({{227, 0x05}}) << "outputs.relay1.reserved_bits"
                                           << "Реле №1: Резервные биты"
                                           << "0x05" << qint64(5);
    QTest::newRow("key count") << OneKey() << "keys.count"
                               << "Число ключей ТМ"
                               << "1" << qint64(1);
    QTest::newRow("key code, leftmost digits first") << OneKey() << "keys[1].code"
                                                     << "Ключ 1: Код ТМ"
                                                     << "0123456789AB" << qint64(0x0123456789AB);
    QTest::newRow("key arms loops 1 and 8") << OneKey() << "keys[1].arm"
                                            << "Ключ 1: Взятие"
                                            << "ШС1, ШС8" << qint64(0x81);
    QTest::newRow("key disarms loop 2") << OneKey() << "keys[1].disarm"
                                        << "Ключ 1: Снятие"
                                        << "ШС2" << qint64(0x02);
}

void TestSettingsFields::fieldValues() {
    QFETCH(SettingsImage, image);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(qint64, raw);
    const std::optional<SettingsField> field = Field(image, key);
    QVERIFY2(field, qPrintable(key));
    QCOMPARE(field->name, name);
    QCOMPARE(field->value, value);
    QCOMPARE(field->raw, std::optional<qint64>(raw));
}

void TestSettingsFields::fieldsAnImageHoldsOrNot_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QStringList>("held");
    QTest::addColumn<QStringList>("notHeld");

    QTest::newRow("no keys") << SettingsImage() << QStringList{"keys.count"}
                             << QStringList{"keys[1].code", "keys[1].unused_record",
                                            "outputs.relay1.reserved_bits"};
    QTest::newRow("two keys") << With({{0, 2}})
                              << QStringList{"keys[2].code", "keys[2].arm", "keys[2].disarm"}
                              << QStringList{"keys[3].code", "keys[2].unused_record"};
    QTest::newRow("count beyond 28: 28 records")
        << Filled(0xFF) << QStringList{"keys[28].code"} << QStringList{"keys[29].code"};
    QTest::newRow("bytes in a record beyond the count")
        << With({{0, 1}, {20, 5}}) << QStringList{"keys[3].unused_record"}
        << QStringList{"keys[3].code", "keys[2].unused_record"};
    QTest::newRow("reserved bits set")
        << With({{239, 0x20}}) << QStringList{"outputs.ok2.reserved_bits"}
        << QStringList{"outputs.ok1.reserved_bits"};
}

void TestSettingsFields::fieldsAnImageHoldsOrNot() {
    QFETCH(SettingsImage, image);
    QFETCH(QStringList, held);
    QFETCH(QStringList, notHeld);
    for (const QString& key : held) {
        QVERIFY2(Field(image, key), qPrintable(key));
    }
    for (const QString& key : notHeld) {
        QVERIFY2(!Field(image, key), qPrintable(key));
    }
}

void TestSettingsFields::loopSets_data() {
    QTest::addColumn<int>("loops");
    QTest::addColumn<QString>("text");

    QTest::newRow("none") << 0x00 << "нет";
    QTest::newRow("one") << 0x10 << "ШС5";
    QTest::newRow("two in a row stay apart") << 0x03 << "ШС1, ШС2";
    QTest::newRow("three in a row are a range") << 0x07 << "ШС1–ШС3";
    QTest::newRow("all") << 0xFF << "ШС1–ШС8";
    QTest::newRow("ranges and singles") << 0xDD << "ШС1, ШС3–ШС5, ШС7, ШС8";
}

void TestSettingsFields::loopSets() {
    QFETCH(int, loops);
    QFETCH(QString, text);
    QCOMPARE(LoopSetText(static_cast<uint8_t>(loops)), text);
}

void TestSettingsFields::changeLines_data() {
    QTest::addColumn<SettingsImage>("before");
    QTest::addColumn<SettingsImage>("after");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("equal images") << Pattern() << Pattern() << QStringList{};
    QTest::newRow("in page order")
        << SettingsImage() << With({{255, 0x02}, {241, 0x01}, {253, 36}})
        << QStringList{"Длительность извещений внутреннего звукового оповещателя: 1 с → 180 с",
                       "ШС1: Тип ШС: охранный → пожарный",
                       "Реле №1: Режим работы: не выбран → Контр. лампа"};
    QTest::newRow("re-arm codes that read the same")
        << With({{252, 0}}) << With({{252, 1}})
        << QStringList{"Время автоперевзятия: 5 с (код 0) → 5 с (код 1)"};
    QTest::newRow("a key added") << SettingsImage() << OneKey()
                                 << QStringList{"Число ключей ТМ: 0 → 1",
                                                "Ключ 1: Код ТМ: — → 0123456789AB",
                                                "Ключ 1: Взятие: — → ШС1, ШС8",
                                                "Ключ 1: Снятие: — → ШС2"};
    QTest::newRow("a key's record left beyond the count")
        << OneKey() << With({{0, 0}}, OneKey())
        << QStringList{"Число ключей ТМ: 1 → 0", "Ключ 1: Код ТМ: 0123456789AB → —",
                       "Ключ 1: Взятие: ШС1, ШС8 → —", "Ключ 1: Снятие: ШС2 → —",
                       "Запись 1 вне числа ключей: — → 0123456789AB8102"};
    QTest::newRow("one binding bit") << With({{237, 0xFF}}) << With({{237, 0xFB}})
                                     << QStringList{"OK №2: Привязки к ШС: ШС1–ШС8 → ШС1, ШС2, "
                                                    "ШС4–ШС8"};
}

void TestSettingsFields::changeLines() {
    QFETCH(SettingsImage, before);
    QFETCH(SettingsImage, after);
    QFETCH(QStringList, lines);
    QCOMPARE(Lines(DiffSettings(before, after)), lines);
}

// Flipping any single bit of an image changes at least one field, and the slots of any two
// images have the same keys in the same order, none twice: so DiffSettings, which compares the
// slots one for one, misses no difference.
void TestSettingsFields::everyBitBelongsToAField_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::newRow("all zero: keys and reserved bits absent") << SettingsImage();
    QTest::newRow("all 0xFF: count beyond 28, reserved bits set") << Filled(0xFF);
}

void TestSettingsFields::everyBitBelongsToAField() {
    QFETCH(SettingsImage, image);
    const std::vector<SettingsField> fields = SettingsFieldSlots(image);
    QSet<QString> keys;
    for (const SettingsField& field : fields) {
        keys.insert(field.key);
    }
    QCOMPARE(keys.size(), static_cast<qsizetype>(fields.size()));
    QVERIFY(DiffSettings(image, image).empty());
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        for (int bit = 0; bit < 8; ++bit) {
            SettingsImage flipped = image;
            flipped[offset] = static_cast<uint8_t>(flipped[offset] ^ (1u << bit));
            const std::vector<SettingsField> flippedFields = SettingsFieldSlots(flipped);
            QCOMPARE(flippedFields.size(), fields.size());
            bool changed = false;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const SettingsField& a = fields[i];
                const SettingsField& b = flippedFields[i];
                QCOMPARE(b.key, a.key);
                changed = changed || a.present != b.present ||
                          (a.present && (a.raw != b.raw || a.value != b.value));
            }
            QVERIFY2(changed, qPrintable(QStringLiteral("byte %1 bit %2").arg(offset).arg(bit)));
        }
    }
}

QTEST_APPLESS_MAIN(TestSettingsFields)
#include "tst_settings_fields.moc"
