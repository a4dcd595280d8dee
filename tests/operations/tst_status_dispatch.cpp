// The status table as the window shows it, the identity and key texts, and the firmware-file
// match against the connected device.

#include "catalogue/message_catalogue.h"
#include "operations/firmware_check.h"
#include "operations/key_identifier.h"
#include "operations/status_dispatch.h"

#include <QTest>

Q_DECLARE_METATYPE(StatusIcon)
Q_DECLARE_METATYPE(StatusOwner)
Q_DECLARE_METATYPE(StatusEffect)
Q_DECLARE_METATYPE(FirmwareMatch)

class TestStatusDispatch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void statusShown_data();
    void statusShown();
    void unknownCodesShowNothing_data();
    void unknownCodesShowNothing();
    void deviceLabels();
    void keyIdentifierText_data();
    void keyIdentifierText();
    void firmwareDescriptor();
    void firmwareMatch_data();
    void firmwareMatch();
};

void TestStatusDispatch::initTestCase() {
    velor::LoadBuiltInCatalogue();
}

void TestStatusDispatch::statusShown_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QString>("caption"); // empty: no box
    QTest::addColumn<StatusIcon>("icon");
    QTest::addColumn<StatusOwner>("owner");
    QTest::addColumn<StatusEffect>("effect");

    const QString error = QStringLiteral("Ошибка!");
    const QString message = QStringLiteral("Сообщение");
    const auto E = StatusIcon::Error;
    const auto I = StatusIcon::Information;
    const auto W = StatusIcon::Warning;
    const auto M = StatusOwner::Main;
    const auto A = StatusOwner::Active;
    const auto none = StatusEffect::None;

    QTest::newRow("2") << 2 << "Подключен прибор несовместимого типа" << error << E << A << none;
    QTest::newRow("5") << 5 << "Вещественный идентификатор не подключен к разъему" << message << I
                       << M << none;
    QTest::newRow("8") << 8 << "Связь установлена. Обнаружен прибор 580" << QString() << I << M
                       << StatusEffect::DeviceLabels;
    QTest::newRow("9") << 9 << "Идентификатор уже существует в списке" << error << E << A << none;
    QTest::newRow("10") << 10 << "Запись настроек завершена" << message << I << M << none;
    QTest::newRow("11") << 11 << "Чтение настроек завершено" << message << I << M << none;
    QTest::newRow("12") << 12 << "Чтение идентификатора завершено" << QString() << I << M << none;
    QTest::newRow("15") << 15 << "Смена ПО завершена успешно" << message << I << A << none;
    QTest::newRow("32") << 32
                        << "Обнаружен прибор системы Велор-Ворсан. Режим настройки недоступен."
                        << message << W << A << StatusEffect::DisconnectAndHideTabs;
    QTest::newRow("33") << 33 << "Ошибка при инициализации связи" << error << E << A << none;
    QTest::newRow("34") << 34 << "Ошибка при записи ПО" << error << E << A << none;
    QTest::newRow("35") << 35 << "Ошибка отправки сценария" << error << E << A << none;
    QTest::newRow("36") << 36 << "Ошибка при записи настроек" << error << E << A << none;
    QTest::newRow("37") << 37 << "Ошибка при чтении настроек" << error << E << A << none;
    QTest::newRow("38") << 38 << "Ошибка при чтении вещественного идентификатора" << error << E << A
                        << none;
}

// Status-bar text, box text (the same message), caption, icon, owner and further effect.
void TestStatusDispatch::statusShown() {
    QFETCH(int, code);
    QFETCH(QString, statusText);
    QFETCH(QString, caption);
    QFETCH(StatusIcon, icon);
    QFETCH(StatusOwner, owner);
    QFETCH(StatusEffect, effect);

    const std::optional<StatusEntry> entry = StatusFor(code);
    QVERIFY(entry.has_value());
    QCOMPARE(StatusBarText(code), statusText);
    QCOMPARE(entry->Effect, effect);
    QCOMPARE(entry->HasBox(), !caption.isEmpty());
    if (entry->HasBox()) {
        QCOMPARE(velor::MessageText(entry->MessageId), statusText);
        QCOMPARE(velor::MessageText(*entry->BoxCaptionId), caption);
        QCOMPARE(entry->Icon, icon);
        QCOMPARE(entry->Owner, owner);
    }
}

void TestStatusDispatch::unknownCodesShowNothing_data() {
    QTest::addColumn<int>("code");
    for (const int code : {0, 1, 3, 13, 31, 39, -8}) {
        QTest::addRow("%d", code) << code;
    }
}

void TestStatusDispatch::unknownCodesShowNothing() {
    QFETCH(int, code);
    QVERIFY(!StatusFor(code).has_value());
    QVERIFY(StatusBarText(code).isEmpty());
}

void TestStatusDispatch::deviceLabels() {
    TVelorDevDesc descriptor;
    descriptor.Type = 580;
    descriptor.Version1 = 3;
    descriptor.Version2 = 0;
    descriptor.Version3 = 12;
    const DeviceLabelTexts labels = DeviceLabelsFor(descriptor);
    QCOMPARE(labels.SettingsType, QStringLiteral("580"));
    QCOMPARE(labels.Type, QStringLiteral("580"));
    QCOMPARE(labels.Version, QStringLiteral("3_0_12"));
}

void TestStatusDispatch::keyIdentifierText_data() {
    QTest::addColumn<QByteArray>("replyBytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("last byte received leftmost")
        << QByteArray::fromHex("010203040506") << "060504030201";
    QTest::newRow("upper-case digits") << QByteArray::fromHex("abcdef0a0b0c") << "0C0B0AEFCDAB";
    QTest::newRow("leading zeros kept") << QByteArray::fromHex("0a0000000000") << "00000000000A";
    QTest::newRow("all zero") << QByteArray::fromHex("000000000000") << "000000000000";
    QTest::newRow("all ones: empty") << QByteArray::fromHex("ffffffffffff") << "";
}

void TestStatusDispatch::keyIdentifierText() {
    QFETCH(QByteArray, replyBytes);
    QFETCH(QString, text);
    const uint64_t identifier =
        KeyIdentifierFromBytes(std::vector<uint8_t>(replyBytes.begin(), replyBytes.end()));
    QCOMPARE(KeyIdentifierText(identifier), text);
}

void TestStatusDispatch::firmwareDescriptor() {
    const QByteArray head = QByteArray::fromHex("44020500030107a1a2a3a4");
    const std::optional<TVelorDevDesc> descriptor =
        FirmwareDescriptor(std::vector<uint8_t>(head.begin(), head.end()));
    QVERIFY(descriptor.has_value());
    QCOMPARE(descriptor->Type, uint16_t(580));
    QCOMPARE(descriptor->Platform, uint16_t(5));
    QCOMPARE(VersionText(*descriptor), QStringLiteral("3_1_7"));
    QVERIFY(!FirmwareDescriptor(std::vector<uint8_t>(6, 0x44)).has_value());
}

void TestStatusDispatch::firmwareMatch_data() {
    QTest::addColumn<int>("fileType");
    QTest::addColumn<int>("filePlatform");
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<int>("devicePlatform");
    QTest::addColumn<FirmwareMatch>("match");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("same 580") << 580 << 5 << 580 << 5 << FirmwareMatch::Accepted << "";
    QTest::newRow("type differs, platform too")
        << 570 << 6 << 580 << 5 << FirmwareMatch::TypeMismatch
        << "Ошибка! Несовпадение типа устройства - запись недоступна";
    QTest::newRow("platform differs")
        << 580 << 6 << 580 << 5 << FirmwareMatch::PlatformMismatch
        << "Ошибка! Несовпадение платформы устройства - запись недоступна";
    QTest::newRow("same, but not a 580") << 570 << 5 << 570 << 5 << FirmwareMatch::UnknownType
                                         << "Ошибка! Тип прибора не определен - запись недоступна";
    QTest::newRow("no device identified yet")
        << 580 << 5 << 0 << 0 << FirmwareMatch::TypeMismatch
        << "Ошибка! Несовпадение типа устройства - запись недоступна";
}

void TestStatusDispatch::firmwareMatch() {
    QFETCH(int, fileType);
    QFETCH(int, filePlatform);
    QFETCH(int, deviceType);
    QFETCH(int, devicePlatform);
    QFETCH(FirmwareMatch, match);
    QFETCH(QString, refusal);

    TVelorDevDesc file;
    file.Type = static_cast<uint16_t>(fileType);
    file.Platform = static_cast<uint16_t>(filePlatform);
    TVelorDevDesc device;
    device.Type = static_cast<uint16_t>(deviceType);
    device.Platform = static_cast<uint16_t>(devicePlatform);

    QCOMPARE(MatchFirmware(file, device), match);
    QCOMPARE(FirmwareRefusalText(match), refusal);
}

QTEST_GUILESS_MAIN(TestStatusDispatch)
#include "tst_status_dispatch.moc"
