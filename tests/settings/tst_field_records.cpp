// The field records: their places cover the 257 bytes bit for bit, each field of the readable
// model has one record and each record its fields, a bit changes the field whose place holds it,
// and each record's range, entries and factory value fit together.

#include "settings/field_records.h"
#include "settings/settings_fields.h"

#include <QSet>
#include <QTest>

using namespace velor::settings;

Q_DECLARE_METATYPE(SettingsImage)

namespace {

constexpr int kBitsPerByte = 8;

struct Holder {
    const FieldRecord* record;
    int instance;
};

// The fields whose place holds the bit; the records beyond the key count are left out when
// alternatives is false (their bytes are also the code and the rights of a key).
std::vector<Holder> HoldersOf(std::size_t offset, int bit, bool alternatives) {
    std::vector<Holder> holders;
    for (const FieldRecord* record : FieldRecords()) {
        if (!alternatives && record == &fields::kUnusedRecord) {
            continue;
        }
        for (int instance = 1; instance <= record->place.count; ++instance) {
            if (HoldsBit(*record, instance, offset, bit)) {
                holders.push_back({record, instance});
            }
        }
    }
    return holders;
}

QString BitName(std::size_t offset, int bit) {
    return QStringLiteral("byte %1 bit %2").arg(offset).arg(bit);
}

SettingsImage Filled(uint8_t fill) {
    SettingsImage image;
    image.bytes().fill(fill);
    return image;
}

} // namespace

class TestFieldRecords : public QObject {
    Q_OBJECT
private slots:
    void placesCoverEveryBitOnce();
    void everySlotHasItsRecord();
    void aBitChangesTheFieldThatHoldsIt_data();
    void aBitChangesTheFieldThatHoldsIt();
    void rangesEntriesAndFactoryValuesFit();
};

void TestFieldRecords::placesCoverEveryBitOnce() {
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        for (int bit = 0; bit < kBitsPerByte; ++bit) {
            const std::vector<Holder> holders = HoldersOf(offset, bit, false);
            QVERIFY2(holders.size() == 1, qPrintable(BitName(offset, bit)));
            const bool inKeyRecords =
                offset >= kIdentifierRecordsOffset && offset < kIdentifierPartSize;
            QCOMPARE(HoldersOf(offset, bit, true).size(), holders.size() + (inKeyRecords ? 1 : 0));
        }
    }
}

// The keys of the records' instances are the keys of the readable model's slots, in its order.
void TestFieldRecords::everySlotHasItsRecord() {
    QStringList slotKeys;
    for (const SettingsField& field : SettingsFieldSlots(Filled(0xFF))) {
        slotKeys << field.key;
    }
    QSet<QString> recordKeys;
    for (const FieldRecord* record : FieldRecords()) {
        for (int instance = 1; instance <= record->place.count; ++instance) {
            recordKeys.insert(FieldKey(*record, instance));
        }
    }
    QCOMPARE(recordKeys.size(), slotKeys.size());
    QCOMPARE(recordKeys, QSet<QString>(slotKeys.begin(), slotKeys.end()));
}

void TestFieldRecords::aBitChangesTheFieldThatHoldsIt_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::newRow("all zero") << SettingsImage();
    QTest::newRow("all 0xFF") << Filled(0xFF);
    SettingsImage threeKeys = Filled(0x5A);
    threeKeys[kIdentifierCountOffset] = 3;
    QTest::newRow("three keys, the rest 0x5A") << threeKeys;
}

void TestFieldRecords::aBitChangesTheFieldThatHoldsIt() {
    QFETCH(SettingsImage, image);
    const std::vector<SettingsField> before = SettingsFieldSlots(image);
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        for (int bit = 0; bit < kBitsPerByte; ++bit) {
            SettingsImage flipped = image;
            flipped[offset] = static_cast<uint8_t>(flipped[offset] ^ (1u << bit));
            const std::vector<SettingsField> after = SettingsFieldSlots(flipped);
            QSet<QString> changed;
            for (std::size_t i = 0; i < before.size(); ++i) {
                const SettingsField& a = before[i];
                const SettingsField& b = after[i];
                if (a.present != b.present || a.raw != b.raw || a.value != b.value) {
                    changed.insert(a.key);
                }
            }
            bool holderChanged = false;
            for (const Holder& holder : HoldersOf(offset, bit, true)) {
                holderChanged =
                    holderChanged || changed.contains(FieldKey(*holder.record, holder.instance));
            }
            QVERIFY2(holderChanged, qPrintable(BitName(offset, bit)));
        }
    }
}

void TestFieldRecords::rangesEntriesAndFactoryValuesFit() {
    for (const FieldRecord* record : FieldRecords()) {
        const QString key = FieldKey(*record, 1);
        QVERIFY2(!FieldName(*record).isEmpty(), qPrintable(key));
        if (record->entries.count > 0) {
            QVERIFY2(record->factory >= kNoEntry && record->factory < record->entries.count,
                     qPrintable(key));
            QCOMPARE(record->entries.Texts().size(), record->entries.count);
        }
        if (record->setEntry != kNoEntry) {
            QCOMPARE(record->entries.count, 2); // a one-bit choice
            QVERIFY2(record->setEntry == 0 || record->setEntry == 1, qPrintable(key));
        }
        if (record->range.step > 0) {
            QVERIFY2(record->range.min < record->range.max, qPrintable(key));
            QVERIFY2(record->factory >= record->range.min && record->factory <= record->range.max,
                     qPrintable(key));
        }
    }
}

QTEST_APPLESS_MAIN(TestFieldRecords)
#include "tst_field_records.moc"
