#include "settings/settings_image.h"

#include <QTest>

#include <functional>
#include <map>
#include <stdexcept>

using ImageEdit = std::function<void(SettingsImage&)>;
using ImageRead = std::function<int(const SettingsImage&)>;
using ByteMap = std::map<int, int>; // offset -> value
Q_DECLARE_METATYPE(ImageEdit)
Q_DECLARE_METATYPE(ImageRead)
Q_DECLARE_METATYPE(ByteMap)

namespace {

SettingsImage Filled(uint8_t fill) {
    SettingsImage image;
    image.bytes().fill(fill);
    return image;
}

SettingsImage WithBytes(const ByteMap& bytes) {
    SettingsImage image;
    for (const auto& [offset, value] : bytes) {
        image[static_cast<std::size_t>(offset)] = static_cast<uint8_t>(value);
    }
    return image;
}

} // namespace

class TestSettingsImage : public QObject {
    Q_OBJECT

private slots:
    void writesFieldBytes_data();
    void writesFieldBytes();
    void readsFields_data();
    void readsFields();
    void secondsEncodings_data();
    void secondsEncodings();
    void refusesValuesOutsideTheirField_data();
    void refusesValuesOutsideTheirField();
};

// Each edit is applied to an image filled with `fill`; `changed` lists every byte that must then
// differ from the fill (all others must keep it), so a setter that touches a neighbour fails.
void TestSettingsImage::writesFieldBytes_data() {
    QTest::addColumn<int>("fill");
    QTest::addColumn<ImageEdit>("edit");
    QTest::addColumn<ByteMap>("changed");

    auto rearm = [](int s) {
        return ImageEdit([s](SettingsImage& i) { i.SetRearmTimeSeconds(s); });
    };
    auto sounder = [](int s) {
        return ImageEdit([s](SettingsImage& i) { i.SetSounderDurationSeconds(s); });
    };
    QTest::newRow("re-arm 5 s -> 0") << 0xAA << rearm(5) << ByteMap{{252, 0}};
    QTest::newRow("re-arm 10 s -> 2") << 0 << rearm(10) << ByteMap{{252, 2}};
    QTest::newRow("re-arm 1275 s -> 255") << 0 << rearm(1275) << ByteMap{{252, 255}};
    QTest::newRow("sounder 180 s -> 36") << 0 << sounder(180) << ByteMap{{253, 36}};
    QTest::newRow("sounder 4 s -> 0") << 0xAA << sounder(4) << ByteMap{{253, 0}};

    QTest::newRow("relay 1 Специальный, relay 2 ПЦН тревога -> 0x17")
        << 0 << ImageEdit([](SettingsImage& i) {
               i.SetWorkMode(kRelay1, WorkModeNibble(kSpecialMode));
               i.SetWorkMode(kRelay2, WorkModeNibble(kPcnAlarmMode));
           })
        << ByteMap{{255, 0x17}};
    QTest::newRow("OK1 nibble cleared keeps OK2 nibble")
        << 0xFF << ImageEdit([](SettingsImage& i) { i.SetWorkMode(kOpenCollector1, 0); })
        << ByteMap{{256, 0xF0}};
    QTest::newRow("OK2 Тревога over junk")
        << 0xFF << ImageEdit([](SettingsImage& i) { i.SetWorkMode(kOpenCollector2, 5); })
        << ByteMap{{256, 0x5F}};

    for (int output = 1; output <= kOutputCount; ++output) {
        const int record = 225 + 4 * (output - 1);
        QTest::addRow("output %d: closing 5, opening 3, duration 15 -> 0x40 0xF7", output)
            << 0 << ImageEdit([output](SettingsImage& i) {
                   i.SetClosingTimeIndex(output, 5);
                   i.SetOpeningTimeIndex(output, 3);
                   i.SetNotificationDurationIndex(output, 15);
               })
            << ByteMap{{record + 2, 0x40}, {record + 3, 0xF7}};
    }
    QTest::newRow("closing index 4 is bit 0 of byte 3 only")
        << 0 << ImageEdit([](SettingsImage& i) { i.SetClosingTimeIndex(kRelay2, 4); })
        << ByteMap{{232, 0x01}};
    QTest::newRow("closing 0 over junk keeps reserved bits and byte 3 rest")
        << 0xFF << ImageEdit([](SettingsImage& i) { i.SetClosingTimeIndex(kRelay1, 0); })
        << ByteMap{{227, 0x3F}, {228, 0xFE}};
    QTest::newRow("opening 0 over junk")
        << 0xFF << ImageEdit([](SettingsImage& i) { i.SetOpeningTimeIndex(kOpenCollector1, 0); })
        << ByteMap{{236, 0xF1}};
    QTest::newRow("duration 0 over junk") << 0xFF << ImageEdit([](SettingsImage& i) {
        i.SetNotificationDurationIndex(kOpenCollector2, 0);
    }) << ByteMap{{240, 0x0F}};
    QTest::newRow("output 4: inverse and power fault, loop 8 binding")
        << 0 << ImageEdit([](SettingsImage& i) {
               i.SetOutputFlag(kOpenCollector2, OutputFlag::Inverse, true);
               i.SetOutputFlag(kOpenCollector2, OutputFlag::ErrorPower, true);
               i.SetOutputBinding(kOpenCollector2, LoopBit(8));
           })
        << ByteMap{{237, 0x80}, {238, 0x81}};
    QTest::newRow("output 1: alarm event cleared over junk")
        << 0xFF << ImageEdit([](SettingsImage& i) {
               i.SetOutputFlag(kRelay1, OutputFlag::AlarmEvent, false);
           })
        << ByteMap{{226, 0xF7}};

    QTest::newRow("loop 3 fire with integration 300") << 0 << ImageEdit([](SettingsImage& i) {
        i.SetLoopOption(LoopOption::Fire, 3, true);
        i.SetLoopOption(LoopOption::Integration300, 3, true);
    }) << ByteMap{{241, 0x04}, {242, 0x04}};
    QTest::newRow("loop 8 walk-through zone") << 0 << ImageEdit([](SettingsImage& i) {
        i.SetLoopOption(LoopOption::WalkThrough, 8, true);
    }) << ByteMap{{247, 0x80}};
    QTest::newRow("loop 1 security over junk")
        << 0xFF << ImageEdit([](SettingsImage& i) { i.SetLoopOption(LoopOption::Fire, 1, false); })
        << ByteMap{{241, 0xFE}};

    QTest::newRow("delays") << 0 << ImageEdit([](SettingsImage& i) {
        i.SetDelaySeconds(Delay::EntryLoop1, 1);
        i.SetDelaySeconds(Delay::ExitLoop1, 2);
        i.SetDelaySeconds(Delay::EntryLoop2, 3);
        i.SetDelaySeconds(Delay::ExitLoop2, 255);
    }) << ByteMap{{248, 1}, {249, 2}, {250, 3}, {251, 255}};
    QTest::newRow("flags: TM identifier output, line master")
        << 0 << ImageEdit([](SettingsImage& i) {
               i.SetOptionFlag(OptionFlag::TmIdentifierOutput, true);
               i.SetOptionFlag(OptionFlag::LineMaster, true);
           })
        << ByteMap{{254, 0x60}};
    QTest::newRow("flags: button lock cleared over junk")
        << 0xFF
        << ImageEdit([](SettingsImage& i) { i.SetOptionFlag(OptionFlag::ButtonLock, false); })
        << ByteMap{{254, 0x7F}};

    QTest::newRow("identifier record 3: code first to last, arm, disarm")
        << 0 << ImageEdit([](SettingsImage& i) {
               i.SetIdentifierCount(3);
               i.SetIdentifierCode(3, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB});
               i.SetArmRights(3, 0x81);
               i.SetDisarmRights(3, 0x42);
           })
        << ByteMap{{0, 3},     {17, 0x01}, {18, 0x23}, {19, 0x45}, {20, 0x67},
                   {21, 0x89}, {22, 0xAB}, {23, 0x81}, {24, 0x42}};
    QTest::newRow("identifier record 28 ends at 224") << 0 << ImageEdit([](SettingsImage& i) {
        i.SetIdentifierCodeByte(28, 0, 0x11);
        i.SetIdentifierCodeByte(28, 5, 0x66);
        i.SetDisarmRights(28, 0xFF);
    }) << ByteMap{{217, 0x11}, {222, 0x66}, {224, 0xFF}};
}

void TestSettingsImage::writesFieldBytes() {
    QFETCH(int, fill);
    QFETCH(ImageEdit, edit);
    QFETCH(ByteMap, changed);

    SettingsImage image = Filled(static_cast<uint8_t>(fill));
    edit(image);
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        const auto found = changed.find(static_cast<int>(offset));
        const int expected = found == changed.end() ? fill : found->second;
        QVERIFY2(image[offset] == expected, qPrintable(QStringLiteral("byte %1 is %2, expected %3")
                                                           .arg(offset)
                                                           .arg(image[offset])
                                                           .arg(expected)));
    }
}

void TestSettingsImage::readsFields_data() {
    QTest::addColumn<ByteMap>("bytes");
    QTest::addColumn<ImageRead>("read");
    QTest::addColumn<int>("expected");

    auto rearm = ImageRead([](const SettingsImage& i) { return i.RearmTimeSeconds(); });
    auto sounder = ImageRead([](const SettingsImage& i) { return i.SounderDurationSeconds(); });
    QTest::newRow("re-arm 0 -> 5 s") << ByteMap{} << rearm << 5;
    QTest::newRow("re-arm 1 -> 5 s") << ByteMap{{252, 1}} << rearm << 5;
    QTest::newRow("re-arm 2 -> 10 s") << ByteMap{{252, 2}} << rearm << 10;
    QTest::newRow("re-arm 255 -> 1275 s") << ByteMap{{252, 255}} << rearm << 1275;
    QTest::newRow("sounder 0 -> 1 s") << ByteMap{} << sounder << 1;
    QTest::newRow("sounder 36 -> 180 s") << ByteMap{{253, 36}} << sounder << 180;

    auto closing = [](int j) {
        return ImageRead([j](const SettingsImage& i) { return i.ClosingTimeIndex(j); });
    };
    QTest::newRow("closing 5 from 0x40/0xF7")
        << ByteMap{{235, 0x40}, {236, 0xF7}} << closing(kOpenCollector1) << 5;
    QTest::newRow("closing ignores reserved bits")
        << ByteMap{{231, 0x3F}, {232, 0x01}} << closing(kRelay2) << 4;
    QTest::newRow("closing 7") << ByteMap{{227, 0xC0}, {228, 0x01}} << closing(kRelay1) << 7;
    QTest::newRow("opening 3 from 0xF7")
        << ByteMap{{236, 0xF7}}
        << ImageRead([](const SettingsImage& i) { return i.OpeningTimeIndex(kOpenCollector1); })
        << 3;
    QTest::newRow("duration 15 from 0xF7")
        << ByteMap{{240, 0xF7}} << ImageRead([](const SettingsImage& i) {
               return i.NotificationDurationIndex(kOpenCollector2);
           })
        << 15;
    QTest::newRow("reserved bits of output 3")
        << ByteMap{{235, 0xFF}}
        << ImageRead([](const SettingsImage& i) { return i.OutputReservedBits(kOpenCollector1); })
        << 0x3F;

    auto mode = [](int j) {
        return ImageRead([j](const SettingsImage& i) { return i.WorkMode(j); });
    };
    QTest::newRow("relay 1 nibble") << ByteMap{{255, 0x17}} << mode(kRelay1) << 7;
    QTest::newRow("relay 2 nibble") << ByteMap{{255, 0x17}} << mode(kRelay2) << 1;
    QTest::newRow("OK1 nibble") << ByteMap{{256, 0x52}} << mode(kOpenCollector1) << 2;
    QTest::newRow("OK2 nibble above 7 as stored")
        << ByteMap{{256, 0xF2}} << mode(kOpenCollector2) << 15;

    QTest::newRow("loop 3 fire") << ByteMap{{241, 0x04}} << ImageRead([](const SettingsImage& i) {
        return i.HasLoopOption(LoopOption::Fire, 3);
    }) << 1;
    QTest::newRow("loop 4 not 300")
        << ByteMap{{242, 0xF7}} << ImageRead([](const SettingsImage& i) {
               return i.HasLoopOption(LoopOption::Integration300, 4);
           })
        << 0;
    QTest::newRow("exit delay loop 2")
        << ByteMap{{251, 200}}
        << ImageRead([](const SettingsImage& i) { return i.DelaySeconds(Delay::ExitLoop2); })
        << 200;
    QTest::newRow("power fault event of relay 2")
        << ByteMap{{230, 0x80}} << ImageRead([](const SettingsImage& i) {
               return i.HasOutputFlag(kRelay2, OutputFlag::ErrorPower);
           })
        << 1;
    QTest::newRow("line master clear among the other flags")
        << ByteMap{{254, 0xBF}}
        << ImageRead([](const SettingsImage& i) { return i.HasOptionFlag(OptionFlag::LineMaster); })
        << 0;

    auto used = ImageRead([](const SettingsImage& i) { return i.UsedIdentifierRecords(); });
    QTest::newRow("count 28 uses 28 records") << ByteMap{{0, 28}} << used << 28;
    QTest::newRow("count 200 uses no more than 28") << ByteMap{{0, 200}} << used << 28;
    QTest::newRow("arm rights of record 2")
        << ByteMap{{15, 0x5A}} << ImageRead([](const SettingsImage& i) { return i.ArmRights(2); })
        << 0x5A;
    QTest::newRow("code byte 5 of record 1")
        << ByteMap{{6, 0xEE}}
        << ImageRead([](const SettingsImage& i) { return i.IdentifierCodeAt(1)[5]; }) << 0xEE;
}

void TestSettingsImage::readsFields() {
    QFETCH(ByteMap, bytes);
    QFETCH(ImageRead, read);
    QFETCH(int, expected);

    QCOMPARE(read(WithBytes(bytes)), expected);
}

// Both directions of the two seconds encodings.
void TestSettingsImage::secondsEncodings_data() {
    QTest::addColumn<bool>("rearm");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("readBack");

    QTest::newRow("re-arm 5") << true << 5 << 0 << 5;
    QTest::newRow("re-arm 9 truncates to 5") << true << 9 << 0 << 5;
    QTest::newRow("re-arm 10") << true << 10 << 2 << 10;
    QTest::newRow("re-arm 17 truncates") << true << 17 << 3 << 15;
    QTest::newRow("re-arm 1275") << true << 1275 << 255 << 1275;
    QTest::newRow("re-arm 1279 truncates") << true << 1279 << 255 << 1275;
    QTest::newRow("sounder 1") << false << 1 << 0 << 1;
    QTest::newRow("sounder 4") << false << 4 << 0 << 1;
    QTest::newRow("sounder 5") << false << 5 << 1 << 5;
    QTest::newRow("sounder 180") << false << 180 << 36 << 180;
    QTest::newRow("sounder 1275") << false << 1275 << 255 << 1275;
}

void TestSettingsImage::secondsEncodings() {
    QFETCH(bool, rearm);
    QFETCH(int, seconds);
    QFETCH(int, code);
    QFETCH(int, readBack);

    const uint8_t encoded = rearm ? EncodeRearmTime(seconds) : EncodeSounderDuration(seconds);
    QCOMPARE(int(encoded), code);
    QCOMPARE(rearm ? DecodeRearmTime(encoded) : DecodeSounderDuration(encoded), readBack);
}

void TestSettingsImage::refusesValuesOutsideTheirField_data() {
    QTest::addColumn<ImageEdit>("edit");

    auto row = [](const char* name, ImageEdit edit) { QTest::newRow(name) << edit; };
    row("output 0", [](SettingsImage& i) { i.SetOutputBinding(0, 1); });
    row("output 5", [](SettingsImage& i) { i.SetWorkMode(5, 1); });
    row("loop 0", [](SettingsImage& i) { i.SetLoopOption(LoopOption::Fire, 0, true); });
    row("loop 9", [](SettingsImage& i) { i.SetLoopOption(LoopOption::Fire, 9, true); });
    row("record 0", [](SettingsImage& i) { i.SetArmRights(0, 1); });
    row("record 29", [](SettingsImage& i) { i.SetIdentifierCode(29, {1, 2, 3, 4, 5, 6}); });
    row("code byte 6", [](SettingsImage& i) { i.SetIdentifierCodeByte(1, 6, 1); });
    row("count 29", [](SettingsImage& i) { i.SetIdentifierCount(29); });
    row("closing index 8", [](SettingsImage& i) { i.SetClosingTimeIndex(kRelay1, 8); });
    row("closing index -1", [](SettingsImage& i) { i.SetClosingTimeIndex(kRelay1, -1); });
    row("opening index 8", [](SettingsImage& i) { i.SetOpeningTimeIndex(kRelay1, 8); });
    row("duration index 16", [](SettingsImage& i) { i.SetNotificationDurationIndex(kRelay1, 16); });
    row("work mode 16", [](SettingsImage& i) { i.SetWorkMode(kRelay1, 16); });
    row("delay 256", [](SettingsImage& i) { i.SetDelaySeconds(Delay::EntryLoop1, 256); });
    row("delay -1", [](SettingsImage& i) { i.SetDelaySeconds(Delay::ExitLoop2, -1); });
    row("re-arm 1280", [](SettingsImage& i) { i.SetRearmTimeSeconds(1280); });
    row("re-arm -5", [](SettingsImage& i) { i.SetRearmTimeSeconds(-5); });
    row("sounder 1280", [](SettingsImage& i) { i.SetSounderDurationSeconds(1280); });
    row("offset 257", [](SettingsImage& i) { i[257] = 1; });
}

void TestSettingsImage::refusesValuesOutsideTheirField() {
    QFETCH(ImageEdit, edit);

    const SettingsImage before = Filled(0x5A);
    SettingsImage image = before;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, edit(image));
    QVERIFY(image == before);
}

QTEST_GUILESS_MAIN(TestSettingsImage)
#include "tst_settings_image.moc"
