// The settings codec against a stand-in for the window's controls: the hexadecimal conversions,
// the packing of identifier rows into records, every field's bytes, the trace lines, the order
// that lets the image's values win over the page rules, and decode-encode round trips.

#include "codec_test_support.h"

#include "settings/settings_codec.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

namespace {
// The window's controls as plain values, by kind, with up-downs bound to their edits. A name the
// window does not have throws, as the window does. The loop-type rule, when run, scribbles over
// the loop's options the way the real rule overwrites them, and notes which type it saw.
class FakeControls : public SettingsControls {
public:
    FakeControls() {
        for (int key = 1; key <= kKeys; ++key) {
            texts_[N("CodeTM", key)];
            for (int loop = 1; loop <= kLoops; ++loop) {
                checks_[N("shvz", key, loop)] = false;
                checks_[N("shsn", key, loop)] = false;
            }
        }
        for (int output = 1; output <= kOutputs; ++output) {
            for (int loop = 1; loop <= kLoops; ++loop) {
                checks_[N("shl", loop, output)] = false;
            }
            for (const char* box : {"OnOffLine", "OnOffAllLine", "AlarmEvent", "ErrorFire",
                                    "AttentionFire", "BoxDamage", "ErrorPower"}) {
                checks_[N(box, output)] = false;
            }
            for (const char* list : {"InvRele", "TimeZmk", "TimeRzmk", "TimePeriod"}) {
                items_[N(list, output)] = 0;
            }
        }
        for (int loop = 1; loop <= kLoops; ++loop) {
            checks_[N("ts", loop)] = false;
            checks_[N("ts", loop, 1)] = true;
            items_[N("it", loop)] = 0;
            for (const char* box : {"ks", "ds", "av", "tt", "pz"}) {
                checks_[N(box, loop)] = false;
            }
        }
        for (const char* name :
             {"ReleWorkMode1", "ReleWorkMode2", "OKWorkMode1", "OKWorkMode2", "Sound",
              "TypeTMRadioGroup", "LineModeRadioGroup", "KBBlockRadioGroup", "EnDelaySh1",
              "EnDelaySh2", "Taktik1", "Taktik2"}) {
            items_[QLatin1String(name)] = 0;
        }
        BindUpDown("DelayIn1", "DelayInEdit1", 0);
        BindUpDown("DelayOut1", "DelayOutEdit1", 0);
        BindUpDown("DelayIn2", "DelayInEdit2", 0);
        BindUpDown("DelayOut2", "DelayOutEdit2", 0);
        BindUpDown("TimeAv", "TimeAvEdit", 5);
        BindUpDown("TimeAlarm", "TimeAlarmEdit", 1);
    }

    // "name=value": a text, 0/1 for a box, an item index, or an up-down position.
    void Set(const QString& assignment) {
        const QString name = assignment.section('=', 0, 0);
        const QString value = assignment.section('=', 1);
        if (texts_.contains(name)) {
            SetText(name, value);
        } else if (checks_.contains(name)) {
            checks_[name] = value == QLatin1String("1");
        } else if (items_.contains(name)) {
            items_[name] = value.toInt();
        } else {
            SetPosition(name, value.toInt());
        }
    }

    QString Value(const QString& name) const {
        if (texts_.contains(name)) {
            return texts_.value(name);
        }
        if (checks_.contains(name)) {
            return checks_.value(name) ? QStringLiteral("1") : QStringLiteral("0");
        }
        if (items_.contains(name)) {
            return QString::number(items_.value(name));
        }
        return QString::number(Position(name));
    }

    QString Text(const QString& name) const override { return texts_.value(Known(texts_, name)); }
    void SetText(const QString& name, const QString& text) override {
        texts_[Known(texts_, name)] = text;
        const QString upDown = editUpDown_.value(name);
        bool number = false;
        const int value = text.toInt(&number);
        if (!upDown.isEmpty() && number) {
            positions_[upDown] = value;
        }
        log.append("text " + name);
    }
    bool Checked(const QString& name) const override { return checks_.value(Known(checks_, name)); }
    void SetChecked(const QString& name, bool checked) override {
        Store(checks_, name, checked, "check ");
    }
    void SetCheckedDetached(const QString& name, bool checked) override {
        Store(checks_, name, checked, "detached ");
    }
    int ItemIndex(const QString& name) const override { return items_.value(Known(items_, name)); }
    void SetItemIndex(const QString& name, int index) override {
        Store(items_, name, index, "item ");
    }
    void SetItemIndexDetached(const QString& name, int index) override {
        Store(items_, name, index, "detached ");
    }
    int Position(const QString& name) const override {
        return positions_.value(Known(positions_, name));
    }
    void SetPosition(const QString& name, int position) override {
        positions_[Known(positions_, name)] = position;
        texts_[upDownEdit_.value(name)] = QString::number(position);
        log.append("position " + name);
    }
    void RunLoopTypeRule(const QString& buttonName) override {
        const int loop = buttonName.mid(2, 1).toInt();
        typesSeenByRule.append(checks_.value(N("ts", loop)) ? 'F' : 'S');
        items_[N("it", loop)] = items_[N("it", loop)] == 1 ? 0 : 1;
        for (const char* box : {"ks", "ds", "av", "tt", "pz"}) {
            checks_[N(box, loop)] = !checks_[N(box, loop)];
        }
        log.append("rule " + buttonName);
    }
    void ShowFirstOutputTab() override { log.append(QStringLiteral("first tab")); }
    void RefreshAllOutputs() override { log.append(QStringLiteral("refresh")); }
    void AddTrace(const QString& line) override { trace.append(line); }

    QStringList trace;
    QStringList log;
    QString typesSeenByRule; // one F or S per rule run, by the fire button's state
private:
    template <class Map> static QString Known(const Map& map, const QString& name) {
        if (!map.contains(name)) {
            throw std::logic_error("no control " + name.toStdString() + " of that kind");
        }
        return name;
    }

    // Sets a known control's value and logs the call as "<kind> <name>".
    template <class Map, class Value>
    void Store(Map& map, const QString& name, Value value, const char* kind) {
        map[Known(map, name)] = value;
        log.append(QLatin1String(kind) + name);
    }

    void BindUpDown(const char* upDown, const char* edit, int position) {
        upDownEdit_[QLatin1String(upDown)] = QLatin1String(edit);
        editUpDown_[QLatin1String(edit)] = QLatin1String(upDown);
        positions_[QLatin1String(upDown)] = position;
        texts_[QLatin1String(edit)] = QString::number(position);
    }

    QHash<QString, QString> texts_;
    QHash<QString, bool> checks_;
    QHash<QString, int> items_;
    QHash<QString, int> positions_;
    QHash<QString, QString> upDownEdit_;
    QHash<QString, QString> editUpDown_;
};

// The image the fake's initial state encodes to: relay-delay lists and the TM output type at item
// 0 (bits 1, 2 and 5 of byte 254), every output in work mode 1, re-arm and sounder at their
// shortest.
SettingsImage BaseImage() {
    SettingsImage image;
    image[254] = 0x26;
    image[255] = 0x11;
    image[256] = 0x11;
    return image;
}

QString ErrorText(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

// An image that decoding and encoding reproduce: the layout's invariants hold (byte 252 not 1,
// bit 6 of byte 254 set, reserved bits and unused records zero, work modes 0 to 7).
SettingsImage RandomValidImage(quint32 seed) {
    QRandomGenerator random(seed);
    const auto byte = [&random] { return static_cast<uint8_t>(random.bounded(256)); };
    SettingsImage image;
    const int count = random.bounded(kKeys + 1);
    image.SetIdentifierCount(count);
    for (std::size_t offset = 1; offset < 1 + 8 * static_cast<std::size_t>(count); ++offset) {
        image[offset] = byte();
    }
    for (int output = 1; output <= kOutputs; ++output) {
        image.SetOutputBinding(output, byte());
        image.SetOutputFlags(output, byte());
        image.SetClosingTimeIndex(output, random.bounded(8));
        image.SetOpeningTimeIndex(output, random.bounded(8));
        image.SetNotificationDurationIndex(output, random.bounded(16));
        image.SetWorkMode(output, static_cast<uint8_t>(random.bounded(8)));
    }
    for (std::size_t offset = 241; offset <= 253; ++offset) {
        image[offset] = byte();
    }
    if (image[252] == 1) {
        image[252] = 0;
    }
    image[254] = byte() | 0x40;
    return image;
}
} // namespace

Q_DECLARE_METATYPE(SettingsImage)

class TestSettingsCodec : public QObject {
    Q_OBJECT
private slots:
    void hexPairToByte_data();
    void hexPairToByte();
    void byteToHexPair();

    void encodeIdentifierRows_data();
    void encodeIdentifierRows();
    void encodeFailsOnNonHexCode_data();
    void encodeFailsOnNonHexCode();
    void encodeTraceLines();
    void encodeFields_data();
    void encodeFields();

    void decodeFields_data();
    void decodeFields();
    void decodeShowsExactlyTheImageKeys_data();
    void decodeShowsExactlyTheImageKeys();
    void decodeLetsImageValuesWinOverLoopTypeRule();
    void decodeSetsModesAndTypesWithRulesDetached();

    void decodeThenEncodeReproducesImage_data();
    void decodeThenEncodeReproducesImage();
};

void TestSettingsCodec::hexPairToByte_data() {
    QTest::addColumn<QString>("pair");
    QTest::addColumn<int>("value");   // -1: conversion error
    QTest::addColumn<QString>("bad"); // the character the error names

    QTest::newRow("empty") << "" << 0 << "";
    QTest::newRow("one digit") << "7" << 7 << "";
    QTest::newRow("one letter") << "A" << 10 << "";
    QTest::newRow("leading zero") << "0A" << 10 << "";
    QTest::newRow("lower case") << "ab" << 0xAB << "";
    QTest::newRow("mixed case") << "fF" << 0xFF << "";
    QTest::newRow("left digit is high half") << "1F" << 0x1F << "";
    QTest::newRow("blank") << " " << -1 << " ";
    QTest::newRow("blank after digit") << "1 " << -1 << " ";
    QTest::newRow("letter beyond F") << "G0" << -1 << "G";
    QTest::newRow("sign") << "-1" << -1 << "-";
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("١") << -1 << QString::fromUtf8("١");
}

void TestSettingsCodec::hexPairToByte() {
    QFETCH(QString, pair);
    QFETCH(int, value);
    QFETCH(QString, bad);
    if (value >= 0) {
        QCOMPARE(int(HexPairToByte(pair)), value);
        return;
    }
    try {
        HexPairToByte(pair);
        QFAIL("no conversion error");
    } catch (const std::runtime_error& error) {
        QCOMPARE(ErrorText(error), "''" + bad + "'' не является целым числом");
    }
}

void TestSettingsCodec::byteToHexPair() {
    for (int value = 0; value <= 255; ++value) {
        const QString pair = ByteToHexPair(static_cast<uint8_t>(value));
        QCOMPARE(pair, QString::number(value, 16).toUpper().rightJustified(2, '0'));
        QCOMPARE(int(HexPairToByte(pair)), value);
    }
}

void TestSettingsCodec::encodeIdentifierRows_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<SettingsImage>("expected");

    QTest::newRow("no identifiers") << QStringList{} << BaseImage();
    QTest::newRow("rows 2, 5 and 9 pack into records 1 to 3")
        << QStringList{"CodeTM2=010203040506",
                       "CodeTM5=A1A2A3A4A5A6",
                       "CodeTM9=FFFEFDFCFBFA",
                       "shvz21=1",
                       "shvz98=1",
                       "shsn53=1"}
        << WithBytes(BaseImage(), {{0, 3},     {1, 1},     {2, 2},     {3, 3},     {4, 4},
                                   {5, 5},     {6, 6},     {7, 1},     {8, 0},     {9, 0xA1},
                                   {10, 0xA2}, {11, 0xA3}, {12, 0xA4}, {13, 0xA5}, {14, 0xA6},
                                   {15, 0},    {16, 4},    {17, 0xFF}, {18, 0xFE}, {19, 0xFD},
                                   {20, 0xFC}, {21, 0xFB}, {22, 0xFA}, {23, 0x80}, {24, 0}});
    QTest::newRow("bytes below 16")
        << QStringList{"CodeTM1=00010A0B0C0F"}
        << WithBytes(BaseImage(), {{0, 1}, {2, 0x01}, {3, 0x0A}, {4, 0x0B}, {5, 0x0C}, {6, 0x0F}});
    QTest::newRow("three characters")
        << QStringList{"CodeTM1=AB5"} << WithBytes(BaseImage(), {{0, 1}, {1, 0xAB}, {2, 0x05}});
    QTest::newRow("lower case as upper case")
        << QStringList{"CodeTM1=abcdef0a1b2c"}
        << WithBytes(BaseImage(),
                     {{0, 1}, {1, 0xAB}, {2, 0xCD}, {3, 0xEF}, {4, 0x0A}, {5, 0x1B}, {6, 0x2C}});
    QTest::newRow("characters beyond the twelfth ignored")
        << QStringList{"CodeTM1=112233445566778"}
        << WithBytes(BaseImage(),
                     {{0, 1}, {1, 0x11}, {2, 0x22}, {3, 0x33}, {4, 0x44}, {5, 0x55}, {6, 0x66}});
    QTest::newRow("all rows with rights") <<
        [] {
            QStringList setup;
            for (int key = 1; key <= kKeys; ++key) {
                setup << N("CodeTM", key) + "=0000000000" +
                             ByteToHexPair(static_cast<uint8_t>(key));
                setup << N("shvz", key, (key - 1) % 8 + 1) + "=1";
                setup << N("shsn", key, 8 - (key - 1) % 8) + "=1";
            }
            return setup;
        }() <<
        [] {
            SettingsImage image = BaseImage();
            image[0] = kKeys;
            for (int key = 1; key <= kKeys; ++key) {
                image[8 * key - 2] = static_cast<uint8_t>(key);
                image[8 * key - 1] = LoopBit((key - 1) % 8 + 1);
                image[8 * key] = LoopBit(8 - (key - 1) % 8);
            }
            return image;
        }();
}

void TestSettingsCodec::encodeIdentifierRows() {
    QFETCH(QStringList, setup);
    QFETCH(SettingsImage, expected);
    FakeControls controls;
    for (const QString& assignment : setup) {
        controls.Set(assignment);
    }
    const SettingsImage image = EncodeSettings(controls);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()), 225).toHex(' '),
             QByteArray(reinterpret_cast<const char*>(expected.data()), 225).toHex(' '));
    QVERIFY(image == expected);
}

void TestSettingsCodec::encodeFailsOnNonHexCode_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QStringList>("traceBefore");

    QTest::newRow("blanks only register the row") << "   "
                                                  << " " << QStringList{"Number of TMs = 2"};
    QTest::newRow("letter in the second pair")
        << "12G4"
        << "G" << QStringList{"Number of TMs = 2", "TMNumber -  1; tempStr - 12; j - 1; c[j] - 18"};
    QTest::newRow("blank in the last pair")
        << "0102030405 6"
        << " "
        << QStringList{"Number of TMs = 2",
                       "TMNumber -  1; tempStr - 01; j - 1; c[j] - 1",
                       "TMNumber -  1; tempStr - 02; j - 2; c[j] - 2",
                       "TMNumber -  1; tempStr - 03; j - 3; c[j] - 3",
                       "TMNumber -  1; tempStr - 04; j - 4; c[j] - 4",
                       "TMNumber -  1; tempStr - 05; j - 5; c[j] - 5"};
}

void TestSettingsCodec::encodeFailsOnNonHexCode() {
    QFETCH(QString, code);
    QFETCH(QString, bad);
    QFETCH(QStringList, traceBefore);
    FakeControls controls;
    controls.Set("CodeTM1=" + code);
    controls.Set("CodeTM7=0102030405FF");
    try {
        EncodeSettings(controls);
        QFAIL("encoding succeeded");
    } catch (const std::runtime_error& error) {
        QCOMPARE(ErrorText(error), "''" + bad + "'' не является целым числом");
    }
    QCOMPARE(controls.trace, traceBefore);
}

void TestSettingsCodec::encodeTraceLines() {
    FakeControls controls;
    controls.Set("CodeTM3=0A0B0C0D0EFF");
    controls.Set("shvz31=1");
    controls.Set("shvz32=1");
    controls.Set("shsn38=1");
    EncodeSettings(controls);

    QStringList expected{"Number of TMs = 1"};
    const QStringList pairs{"0A", "0B", "0C", "0D", "0E", "FF"};
    for (int i = 0; i < pairs.size(); ++i) {
        expected << QStringLiteral("TMNumber -  3; tempStr - %1; j - %2; c[j] - %3")
                        .arg(pairs[i])
                        .arg(1 + i)
                        .arg(pairs[i].toInt(nullptr, 16));
    }
    expected << "TMNumber -  3; c[j] - 3; j - 7"
             << "TMNumber -  3; c[j] - 128; j - 8"
             << "We have 27 zero TMs";
    for (int offset = 9; offset <= 224; ++offset) {
        expected << QStringLiteral("TM #%1 is zero 0").arg(offset);
    }
    expected << "Index k is 1 Index j is 225"
             << "Index k is 2 Index j is 229"
             << "Index k is 3 Index j is 233"
             << "Index k is 4 Index j is 237"
             << "Index j is 241"
             << "Index j is 254";
    QCOMPARE(controls.trace, expected);
}

void TestSettingsCodec::encodeFields_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<SettingsImage>("expected");

    QTest::newRow("re-arm 5 s") << QStringList{"TimeAv=5"} << BaseImage();
    QTest::newRow("re-arm 10 s") << QStringList{"TimeAv=10"} << WithBytes(BaseImage(), {{252, 2}});
    QTest::newRow("re-arm 1274 s truncates")
        << QStringList{"TimeAv=1274"} << WithBytes(BaseImage(), {{252, 254}});
    QTest::newRow("re-arm 1275 s")
        << QStringList{"TimeAv=1275"} << WithBytes(BaseImage(), {{252, 255}});
    QTest::newRow("sounder 180 s")
        << QStringList{"TimeAlarm=180"} << WithBytes(BaseImage(), {{253, 36}});
    QTest::newRow("sounder 4 s") << QStringList{"TimeAlarm=4"} << BaseImage();
    QTest::newRow("delays") << QStringList{"DelayIn1=1", "DelayOut1=255", "DelayIn2=17",
                                           "DelayOut2=0"}
                            << WithBytes(BaseImage(), {{248, 1}, {249, 255}, {250, 17}});
    QTest::newRow("relay 1 special, relay 2 PCN alarm")
        << QStringList{"ReleWorkMode1=6", "ReleWorkMode2=0"}
        << WithBytes(BaseImage(), {{255, 0x17}});
    QTest::newRow("open-collector modes, one without selection")
        << QStringList{"OKWorkMode1=-1", "OKWorkMode2=3"} << WithBytes(BaseImage(), {{256, 0x40}});
    QTest::newRow("closing 20 s, opening 5 s, constant duration")
        << QStringList{"TimeZmk2=5", "TimeRzmk2=3", "TimePeriod2=15"}
        << WithBytes(BaseImage(), {{231, 0x40}, {232, 0xF7}});
    QTest::newRow("closing constant splits across two bytes")
        << QStringList{"TimeZmk4=7"} << WithBytes(BaseImage(), {{239, 0xC0}, {240, 0x01}});
    QTest::newRow("timing lists without selection store none")
        << QStringList{"TimeZmk1=-1", "TimeRzmk1=-1", "TimePeriod1=-1", "InvRele1=-1"}
        << BaseImage();
    QTest::newRow("bindings and events of open-collector output 1")
        << QStringList{"shl13=1", "shl83=1", "InvRele3=1", "OnOffLine3=1", "ErrorPower3=1"}
        << WithBytes(BaseImage(), {{233, 0x81}, {234, 0x83}});
    QTest::newRow("every event of relay 1")
        << QStringList{"OnOffLine1=1",     "OnOffAllLine1=1", "AlarmEvent1=1", "ErrorFire1=1",
                       "AttentionFire1=1", "BoxDamage1=1",    "ErrorPower1=1"}
        << WithBytes(BaseImage(), {{226, 0xFE}});
    QTest::newRow("loop 3 fire with integration 300")
        << QStringList{"ts3=1", "it3=1"} << WithBytes(BaseImage(), {{241, 0x04}, {242, 0x04}});
    QTest::newRow("loop option boxes")
        << QStringList{"ks1=1", "ds2=1", "av3=1", "tt4=1", "pz8=1"}
        << WithBytes(BaseImage(),
                     {{243, 0x01}, {244, 0x02}, {245, 0x04}, {246, 0x08}, {247, 0x80}});
    QTest::newRow("general options all set") << QStringList{"Sound=1",
                                                            "EnDelaySh1=0",
                                                            "EnDelaySh2=0",
                                                            "Taktik1=1",
                                                            "Taktik2=1",
                                                            "TypeTMRadioGroup=0",
                                                            "LineModeRadioGroup=1",
                                                            "KBBlockRadioGroup=1"}
                                             << WithBytes(BaseImage(), {{254, 0xFF}});
    QTest::newRow("general options all clear") << QStringList{"Sound=0",
                                                              "EnDelaySh1=1",
                                                              "EnDelaySh2=1",
                                                              "Taktik1=0",
                                                              "Taktik2=0",
                                                              "TypeTMRadioGroup=1",
                                                              "LineModeRadioGroup=0",
                                                              "KBBlockRadioGroup=0"}
                                               << WithBytes(BaseImage(), {{254, 0x00}});
}

void TestSettingsCodec::encodeFields() {
    QFETCH(QStringList, setup);
    QFETCH(SettingsImage, expected);
    FakeControls controls;
    for (const QString& assignment : setup) {
        controls.Set(assignment);
    }
    const SettingsImage image = EncodeSettings(controls);
    QVERIFY2(image == expected, qPrintable(Differences(image, expected)));
}

void TestSettingsCodec::decodeFields_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QStringList>("expected"); // name=value

    QTest::newRow("re-arm 0 and sounder 0")
        << WithBytes(BaseImage(), {{252, 0}, {253, 0}})
        << QStringList{"TimeAv=5", "TimeAvEdit=5", "TimeAlarmEdit=1", "TimeAlarm=1"};
    QTest::newRow("re-arm 1 reads as 5 s")
        << WithBytes(BaseImage(), {{252, 1}}) << QStringList{"TimeAv=5", "TimeAvEdit=5"};
    QTest::newRow("re-arm and sounder at the top")
        << WithBytes(BaseImage(), {{252, 255}, {253, 255}})
        << QStringList{"TimeAv=1275", "TimeAvEdit=1275", "TimeAlarmEdit=1275"};
    QTest::newRow("sounder 36") << WithBytes(BaseImage(), {{253, 36}})
                                << QStringList{"TimeAlarmEdit=180"};
    QTest::newRow("delays in positions and edits")
        << WithBytes(BaseImage(), {{248, 7}, {249, 255}, {250, 0}, {251, 30}})
        << QStringList{"DelayIn1=7", "DelayInEdit1=7", "DelayOut1=255", "DelayOutEdit1=255",
                       "DelayIn2=0", "DelayInEdit2=0", "DelayOut2=30",  "DelayOutEdit2=30"};
    QTest::newRow("expansion line always master") << WithBytes(BaseImage(), {{254, 0x00}})
                                                  << QStringList{"LineModeRadioGroup=1",
                                                                 "Sound=0",
                                                                 "EnDelaySh1=1",
                                                                 "EnDelaySh2=1",
                                                                 "Taktik1=0",
                                                                 "Taktik2=0",
                                                                 "TypeTMRadioGroup=1",
                                                                 "KBBlockRadioGroup=0"};
    QTest::newRow("general options all set") << WithBytes(BaseImage(), {{254, 0xBF}})
                                             << QStringList{"LineModeRadioGroup=1",
                                                            "Sound=1",
                                                            "EnDelaySh1=0",
                                                            "EnDelaySh2=0",
                                                            "Taktik1=1",
                                                            "Taktik2=1",
                                                            "TypeTMRadioGroup=0",
                                                            "KBBlockRadioGroup=1"};
    QTest::newRow("work-mode nibble 0 selects nothing, above 7 the last item")
        << WithBytes(BaseImage(), {{255, 0x70}, {256, 0xF9}})
        << QStringList{"ReleWorkMode1=-1", "ReleWorkMode2=6", "OKWorkMode1=6", "OKWorkMode2=6"};
    QTest::newRow("output record of relay 2")
        << WithBytes(BaseImage(), {{229, 0x81}, {230, 0x55}, {231, 0x7F}, {232, 0xF7}})
        << QStringList{"shl12=1",          "shl22=0",         "shl82=1",       "InvRele2=1",
                       "OnOffLine2=0",     "OnOffAllLine2=1", "AlarmEvent2=0", "ErrorFire2=1",
                       "AttentionFire2=0", "BoxDamage2=1",    "ErrorPower2=0", "TimeZmk2=5",
                       "TimeRzmk2=3",      "TimePeriod2=15"};
    QTest::newRow("closing index from both bytes")
        << WithBytes(BaseImage(), {{239, 0xC0}, {240, 0x01}})
        << QStringList{"TimeZmk4=7", "TimeRzmk4=0", "TimePeriod4=0", "InvRele4=0"};
    QTest::newRow("loop types and options")
        << WithBytes(BaseImage(), {{241, 0x05}, {242, 0x04}, {243, 0x01}, {247, 0x80}})
        << QStringList{"ts1=1", "ts11=0", "ts2=0", "ts21=1", "ts3=1", "ts31=0",
                       "it3=1", "it1=0",  "ks1=1", "ks2=0",  "pz8=1", "pz1=0"};
}

void TestSettingsCodec::decodeFields() {
    QFETCH(SettingsImage, image);
    QFETCH(QStringList, expected);
    FakeControls controls;
    DecodeSettings(controls, image);
    for (const QString& assignment : expected) {
        const QString name = assignment.section('=', 0, 0);
        QCOMPARE(name + "=" + controls.Value(name), assignment);
    }
}

void TestSettingsCodec::decodeShowsExactlyTheImageKeys_data() {
    QTest::addColumn<int>("count"); // byte 0
    QTest::addColumn<int>("rowsFilled");

    QTest::newRow("three keys") << 3 << 3;
    QTest::newRow("no keys") << 0 << 0;
    QTest::newRow("all keys") << 28 << 28;
    QTest::newRow("count beyond 28 reads 28 records") << 200 << 28;
}

void TestSettingsCodec::decodeShowsExactlyTheImageKeys() {
    QFETCH(int, count);
    QFETCH(int, rowsFilled);
    FakeControls controls;
    for (int key = 1; key <= kKeys; ++key) {
        controls.Set(N("CodeTM", key) + "=EEEEEEEEEEEE");
        for (int loop = 1; loop <= kLoops; ++loop) {
            controls.Set(N("shvz", key, loop) + "=1");
            controls.Set(N("shsn", key, loop) + "=1");
        }
    }
    SettingsImage image = BaseImage();
    image[0] = static_cast<uint8_t>(count);
    for (int record = 1; record <= std::min(count, kKeys); ++record) {
        const std::size_t first = SettingsImage::IdentifierRecordOffset(record);
        image[first] = static_cast<uint8_t>(record);
        image[first + 5] = 0x0F;
        image[first + 6] = LoopBit((record - 1) % 8 + 1);
        image[first + 7] = 0x80;
    }
    DecodeSettings(controls, image);

    for (int key = 1; key <= kKeys; ++key) {
        const bool filled = key <= rowsFilled;
        const QString code =
            filled ? ByteToHexPair(static_cast<uint8_t>(key)) + "00000000" + "0F" : QString();
        QCOMPARE(controls.Value(N("CodeTM", key)), code);
        for (int loop = 1; loop <= kLoops; ++loop) {
            const bool arm = filled && loop == (key - 1) % 8 + 1;
            const bool disarm = filled && loop == 8;
            QCOMPARE(controls.Checked(N("shvz", key, loop)), arm);
            QCOMPARE(controls.Checked(N("shsn", key, loop)), disarm);
        }
    }
}

// The loop-type rule overwrites a loop's options; decoding runs it for both buttons of every loop
// after all types are set and before the options, so the rule sees the loaded types and the
// image's options win.
void TestSettingsCodec::decodeLetsImageValuesWinOverLoopTypeRule() {
    FakeControls controls;
    const SettingsImage image = WithBytes(BaseImage(), {{241, 0xA5},
                                                        {242, 0x0F},
                                                        {243, 0x33},
                                                        {244, 0x55},
                                                        {245, 0xF0},
                                                        {246, 0x81},
                                                        {247, 0x18}});
    DecodeSettings(controls, image);

    QString types;
    for (int loop = 1; loop <= kLoops; ++loop) {
        const QString type = HasLoop(image[241], loop) ? "F" : "S";
        types += type + type;
    }
    QCOMPARE(controls.typesSeenByRule, types);
    const QList<QPair<const char*, std::size_t>> boxes{
        {"ks", 243}, {"ds", 244}, {"av", 245}, {"tt", 246}, {"pz", 247}};
    for (int loop = 1; loop <= kLoops; ++loop) {
        QCOMPARE(controls.ItemIndex(N("it", loop)), HasLoop(image[242], loop) ? 1 : 0);
        for (const auto& [prefix, offset] : boxes) {
            QCOMPARE(controls.Checked(N(prefix, loop)), HasLoop(image[offset], loop));
        }
    }
}

// Work modes are loaded without their presets and loop types without their rule; the outputs'
// enabling is refreshed once everything is set.
void TestSettingsCodec::decodeSetsModesAndTypesWithRulesDetached() {
    FakeControls controls;
    DecodeSettings(controls, RandomValidImage(7));
    for (const QString& entry : controls.log) {
        const QString name = entry.section(' ', 1);
        const bool ruled =
            name.contains("WorkMode") || QRegularExpression("^ts\\d").match(name).hasMatch();
        if (ruled && !entry.startsWith("rule ")) {
            QVERIFY2(entry.startsWith("detached "), qPrintable(entry));
        }
    }
    QCOMPARE(controls.log.count("refresh"), 1);
    QCOMPARE(controls.log.constLast(), QStringLiteral("refresh"));
    QCOMPARE(controls.log.count("first tab"), 1);
}

void TestSettingsCodec::decodeThenEncodeReproducesImage_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<SettingsImage>("expected");

    const SettingsImage base = WithBytes(BaseImage(), {{254, 0x66}});
    QTest::newRow("base") << base << base;
    QTest::newRow("re-arm byte 1 encodes as 0")
        << WithBytes(base, {{252, 1}}) << WithBytes(base, {{252, 0}});
    QTest::newRow("expansion-line bit clear encodes set")
        << WithBytes(base, {{254, 0x00}}) << WithBytes(base, {{254, 0x40}});
    QTest::newRow("relay nibble 0 stays 0")
        << WithBytes(base, {{255, 0x50}}) << WithBytes(base, {{255, 0x50}});
    QTest::newRow("work-mode nibble above 7 encodes 7")
        << WithBytes(base, {{256, 0x9F}}) << WithBytes(base, {{256, 0x77}});
    QTest::newRow("reserved output bits are dropped")
        << WithBytes(base, {{227, 0x3F}, {231, 0x41}}) << WithBytes(base, {{231, 0x40}});
    QTest::newRow("records after the count are dropped")
        << WithBytes(base, {{0, 1}, {1, 0xAB}, {9, 0xCD}}) << WithBytes(base, {{0, 1}, {1, 0xAB}});
    QTest::newRow("identifier with bytes below 16")
        << WithBytes(base, {{0, 1}, {1, 0x00}, {2, 0x01}, {3, 0x0A}, {4, 0x0F}, {6, 0x09}})
        << WithBytes(base, {{0, 1}, {1, 0x00}, {2, 0x01}, {3, 0x0A}, {4, 0x0F}, {6, 0x09}});
    for (quint32 seed = 1; seed <= 12; ++seed) {
        const SettingsImage image = RandomValidImage(seed);
        QTest::addRow("valid image %u", seed) << image << image;
    }
}

void TestSettingsCodec::decodeThenEncodeReproducesImage() {
    QFETCH(SettingsImage, image);
    QFETCH(SettingsImage, expected);
    FakeControls controls;
    DecodeSettings(controls, image);
    const SettingsImage encoded = EncodeSettings(controls);
    QVERIFY2(encoded == expected, qPrintable(Differences(encoded, expected)));
}

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settings_codec.moc"
