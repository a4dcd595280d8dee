// The settings check without a window: which fields each image gets findings for, the lines a
// technician reads, and that what the window keeps checks clean when it is loaded again. That the
// kept image is exactly what the window stores is tested against the window itself
// (tests/ui/tst_settings_check_window).

#include "check_cases.h"
#include "settings_model_support.h"

#include "settings/settings_check.h"

#include <QTest>

using namespace velor::settings;

Q_DECLARE_METATYPE(SettingsImage)

namespace {

QStringList Lines(const SettingsCheck& check) {
    QStringList lines;
    for (const CheckFinding& finding : check.findings) {
        lines << FindingLine(finding);
    }
    return lines;
}

} // namespace

class TestSettingsCheck : public QObject {
    Q_OBJECT
private slots:
    void findingsPerField_data();
    void findingsPerField();
    void findingLines_data();
    void findingLines();
    void keptImageChecksClean_data();
    void keptImageChecksClean();
};

void TestSettingsCheck::findingsPerField_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QStringList>("normalised");
    QTest::addColumn<QStringList>("kept");
    for (const CheckCase& row : CheckCases()) {
        QTest::newRow(row.name) << row.image << row.normalised << row.kept;
    }
}

void TestSettingsCheck::findingsPerField() {
    QFETCH(SettingsImage, image);
    QFETCH(QStringList, normalised);
    QFETCH(QStringList, kept);
    const SettingsCheck check = CheckSettings(image);
    QCOMPARE(FindingKeys(check, FindingKind::Normalised), normalised);
    QCOMPARE(FindingKeys(check, FindingKind::Kept), kept);
    QCOMPARE(check.kept == image, normalised.isEmpty());
    QCOMPARE(WindowKeptImage(image), check.kept);
}

void TestSettingsCheck::findingLines_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QStringList>("lines");

    const SettingsImage factory = CheckFactoryImage();
    const auto with = [&factory](std::size_t offset, uint8_t value) {
        SettingsImage image = factory;
        image[offset] = value;
        return image;
    };
    QTest::newRow("expansion line")
        << with(254, 0x20)
        << QStringList{"Режим линии расширения: Ведомый → Ведущий (окно всегда записывает режим "
                       "линии расширения «Ведущий»)"};
    QTest::newRow("re-arm time not above an entry delay")
        << with(250, 62)
        << QStringList{"Время автоперевзятия: 60 с → 70 с (время автоперевзятия должно быть "
                       "больше задержки на вход ШС1 и ШС2, 62 с)"};
    QTest::newRow("re-arm code 1")
        << with(252, 1)
        << QStringList{"Время автоперевзятия: 5 с (код 1) → 5 с (код 0) (код 1 означает те же "
                       "5 с; окно записывает код 0)"};
    QTest::newRow("unknown work mode")
        << with(255, 0x5A)
        << QStringList{"Реле №1: Режим работы: неизвестный (10) → Специальный (неизвестный режим "
                       "работы; окно выбирает «Специальный»)"};
    QTest::newRow("count beyond 28")
        << WithKeys(factory, 30)
        << QStringList{"Число ключей ТМ: 30 → 28 (прибор хранит не больше 28 ключей; окно читает "
                       "первые 28)"};
    SettingsImage twins = WithKeys(factory, 2);
    twins.SetIdentifierCode(2, twins.IdentifierCodeAt(1));
    twins.SetArmRights(2, 0);
    twins.SetDisarmRights(2, 0);
    QTest::newRow("a twin without rights")
        << twins
        << QStringList{"Ключ 2: Код ТМ: 110000000001 (тот же код, что у ключа 1; окно сохраняет "
                       "оба)",
                       "Ключ 2: Код ТМ: 110000000001 (у ключа нет прав ни на взятие, ни на "
                       "снятие; окно сохраняет его)"};
}

void TestSettingsCheck::findingLines() {
    QFETCH(SettingsImage, image);
    QFETCH(QStringList, lines);
    QCOMPARE(Lines(CheckSettings(image)), lines);
}

// A save right after a load stores the kept image; loading that again changes nothing more.
void TestSettingsCheck::keptImageChecksClean_data() {
    QTest::addColumn<SettingsImage>("image");
    for (const CheckCase& row : CheckCases()) {
        QTest::newRow(row.name) << row.image;
    }
    for (quint32 seed = 1; seed <= 64; ++seed) {
        QTest::addRow("random image %u", seed) << RandomCheckImage(seed);
    }
}

void TestSettingsCheck::keptImageChecksClean() {
    QFETCH(SettingsImage, image);
    const SettingsCheck again = CheckSettings(WindowKeptImage(image));
    QVERIFY(FindingKeys(again, FindingKind::Normalised).isEmpty());
    QCOMPARE(again.kept, WindowKeptImage(image));
}

QTEST_APPLESS_MAIN(TestSettingsCheck)
#include "tst_settings_check.moc"
