// The settings codec on the real main window, with its page rules running as the decoder sets
// the controls: images that decoding and encoding must reproduce, the identifier rows a decoded
// image leaves, and the trace lines that encoding adds to ListBox2.

#include "codec_test_support.h"
#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "settings/cfg_format.h"
#include "settings/settings_codec.h"
#include "ui/main_form.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {
constexpr uint8_t kLineMasterBit = 0x40;

using Window = WindowDriver;

SettingsImage FactoryImage() {
    return LoadCfgFile(FactoryDefaultsFile());
}

// Timing of an output in the special mode that its timing rule keeps: a constant opening or
// closing time with the other two unused, two times in use with any duration, or an unused time
// with an unused duration.
void SpecialModeTiming(QRandomGenerator& random, SettingsImage& image, int output) {
    constexpr int kConstant = 7;
    const int opening = random.bounded(kConstant + 1);
    const int closing = random.bounded(kConstant + 1);
    if (opening == kConstant || closing == kConstant) {
        image.SetOpeningTimeIndex(output, opening == kConstant ? kConstant : 0);
        image.SetClosingTimeIndex(output, opening == kConstant ? 0 : kConstant);
        image.SetNotificationDurationIndex(output, 0);
        return;
    }
    image.SetOpeningTimeIndex(output, opening);
    image.SetClosingTimeIndex(output, closing);
    const bool bothUsed = opening > 0 && closing > 0;
    image.SetNotificationDurationIndex(output, bothUsed ? random.bounded(16) : 0);
}

// An image that no page rule changes while it is decoded: no fire loop bound to an output in a
// mode for security loops only (3 and 6), special-mode timing that its rule keeps, a re-arm time
// above both entry delays, and no open-collector output in the sound mode (its note box).
SettingsImage ConsistentImage(quint32 seed) {
    QRandomGenerator random(seed);
    const auto byte = [&random] { return static_cast<uint8_t>(random.bounded(256)); };
    SettingsImage image;
    const int count = random.bounded(kKeys + 1);
    image.SetIdentifierCount(count);
    for (std::size_t offset = 1; offset < 1 + 8 * static_cast<std::size_t>(count); ++offset) {
        image[offset] = byte();
    }
    for (std::size_t offset = 241; offset <= 251; ++offset) {
        image[offset] = byte();
    }
    for (int output = 1; output <= kOutputs; ++output) {
        uint8_t mode = static_cast<uint8_t>(random.bounded(8));
        if (output > 2 && mode == kWorkModeSounder) {
            mode = kWorkModeSpecial;
        }
        image.SetWorkMode(output, mode);
        uint8_t binding = byte();
        if (mode == kWorkModeArmDisarm || mode == kWorkModeExecutive) {
            binding &= static_cast<uint8_t>(~image[241]);
        }
        image.SetOutputBinding(output, binding);
        image.SetOutputFlags(output, byte());
        if (mode == kWorkModeSpecial) {
            SpecialModeTiming(random, image, output);
        } else {
            image.SetClosingTimeIndex(output, random.bounded(8));
            image.SetOpeningTimeIndex(output, random.bounded(8));
            image.SetNotificationDurationIndex(output, random.bounded(16));
        }
    }
    const int longestEntry = std::max(image[248], image[250]);
    const int shortestRearm = longestEntry / 5 + 1;
    image[252] = static_cast<uint8_t>(shortestRearm + random.bounded(256 - shortestRearm));
    if (image[252] == 1) {
        image[252] = 0;
    }
    image[253] = byte();
    image[254] = byte() | kLineMasterBit;
    return image;
}

} // namespace

Q_DECLARE_METATYPE(SettingsImage)

class TestSettingsCodecWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void decodeThenEncodeReproducesImage_data();
    void decodeThenEncodeReproducesImage();
    void decodeSetsTimesAndFixedChoices();
    void decodeEmptiesRowsBeyondCount_data();
    void decodeEmptiesRowsBeyondCount();
    void decodeUnderOneKeyModes_data();
    void decodeUnderOneKeyModes();
    void encodePacksIdentifierRowsAndTracesInListBox2();

private:
    QTemporaryDir folder_;
};

void TestSettingsCodecWindow::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
}

void TestSettingsCodecWindow::decodeThenEncodeReproducesImage_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<SettingsImage>("expected");

    const SettingsImage factory = FactoryImage();
    QTest::newRow("factory settings") << factory << factory;
    const SettingsImage keys = WithBytes(factory, {{0, 2},
                                                   {1, 0x00},
                                                   {2, 0x01},
                                                   {3, 0x0A},
                                                   {4, 0x0F},
                                                   {5, 0x10},
                                                   {6, 0xFF},
                                                   {7, 0x81},
                                                   {8, 0x7E},
                                                   {9, 0x0B},
                                                   {15, 0x01},
                                                   {16, 0xFF}});
    QTest::newRow("identifiers with bytes below 16") << keys << keys;
    QTest::newRow("re-arm byte 1 decodes to 5 s and encodes as 0")
        << WithBytes(factory, {{248, 0}, {250, 0}, {252, 1}})
        << WithBytes(factory, {{248, 0}, {250, 0}, {252, 0}});
    QTest::newRow("relay nibble 0 stays 0")
        << WithBytes(factory, {{255, 0x50}}) << WithBytes(factory, {{255, 0x50}});
    QTest::newRow("expansion-line bit clear encodes set")
        << WithBytes(factory, {{254, 0x20}}) << WithBytes(factory, {{254, 0x60}});
    QTest::newRow("fire loops off the security-only outputs")
        << WithBytes(factory, {{241, 0x81}, {243, 0x81}, {229, 0x7E}, {255, 0x61}})
        << WithBytes(factory, {{241, 0x81}, {243, 0x81}, {229, 0x7E}, {255, 0x61}});
    for (quint32 seed = 1; seed <= 16; ++seed) {
        const SettingsImage image = ConsistentImage(seed);
        QTest::addRow("consistent image %u", seed) << image << image;
    }
}

void TestSettingsCodecWindow::decodeThenEncodeReproducesImage() {
    QFETCH(SettingsImage, image);
    QFETCH(SettingsImage, expected);
    Window window;
    window.form->DecodeSettings(image);
    const SettingsImage encoded = window.form->EncodeSettings();
    QVERIFY2(encoded == expected, qPrintable(Differences(encoded, expected)));
}

void TestSettingsCodecWindow::decodeSetsTimesAndFixedChoices() {
    Window window;
    TMainForm& form = *window.form;
    form.Control<PageControl>("PageControl2")->SetActivePageIndex(3);
    form.DecodeSettings(WithBytes(FactoryImage(), {{252, 1}, {253, 0}, {254, 0x00}}));

    QCOMPARE(form.Control<QLineEdit>("TimeAvEdit")->text(), QStringLiteral("5"));
    QCOMPARE(form.Control<QLineEdit>("TimeAlarmEdit")->text(), QStringLiteral("1"));
    QCOMPARE(form.Control<RadioGroup>("LineModeRadioGroup")->ItemIndex(), 1);
    QCOMPARE(form.Control<PageControl>("PageControl2")->ActivePageIndex(), 0);
}

void TestSettingsCodecWindow::decodeEmptiesRowsBeyondCount_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rowsFilled");

    QTest::newRow("fewer keys") << 3 << 3;
    QTest::newRow("no keys") << 0 << 0;
    QTest::newRow("count beyond 28") << 255 << 28;
}

void TestSettingsCodecWindow::decodeEmptiesRowsBeyondCount() {
    QFETCH(int, count);
    QFETCH(int, rowsFilled);
    Window window;
    TMainForm& form = *window.form;
    SettingsImage full = FactoryImage();
    full[0] = kKeys;
    for (std::size_t offset = 1; offset <= 224; ++offset) {
        full[offset] = static_cast<uint8_t>(offset % 8 == 0 || offset % 8 == 7 ? 0xFF : offset);
    }
    form.DecodeSettings(full);

    SettingsImage fewer = full;
    fewer[0] = static_cast<uint8_t>(count);
    form.DecodeSettings(fewer);

    for (int key = 1; key <= kKeys; ++key) {
        const bool filled = key <= rowsFilled;
        QString code;
        for (int i = 0; filled && i < 6; ++i) {
            code += ByteToHexPair(full[SettingsImage::IdentifierRecordOffset(key) + i]);
        }
        QCOMPARE(form.Control<QLineEdit>(N("CodeTM", key))->text(), code);
        for (int loop = 1; loop <= kLoops; ++loop) {
            QCOMPARE(form.Control<QCheckBox>(N("shvz", key, loop))->isChecked(), filled);
            QCOMPARE(form.Control<QCheckBox>(N("shsn", key, loop))->isChecked(), filled);
        }
    }
}

void TestSettingsCodecWindow::decodeUnderOneKeyModes_data() {
    QTest::addColumn<QList<int>>("oneKeyRows");
    QTest::addColumn<QByteArray>("armRights"); // one byte per key in the image
    QTest::addColumn<QByteArray>("disarmShown");

    // The decoder sets a row's disarm boxes after its arm boxes, and the one-key rule runs on
    // every toggle of an arm box: a one-key row shows its arm rights as disarm rights once a
    // later key's arm box has been ticked, the image's disarm rights otherwise.
    QTest::newRow("a later key ticks an arm box")
        << QList<int>{1} << QByteArray("\x81\x01") << QByteArray("\x81\x3C");
    QTest::newRow("the last key with arm rights")
        << QList<int>{2} << QByteArray("\x81\x01") << QByteArray("\x3C\x3C");
    QTest::newRow("later keys tick no arm box")
        << QList<int>{1} << QByteArray("\x81\x00", 2) << QByteArray("\x3C\x3C");
    QTest::newRow("no one-key row")
        << QList<int>{} << QByteArray("\x81\x01") << QByteArray("\x3C\x3C");
}

void TestSettingsCodecWindow::decodeUnderOneKeyModes() {
    QFETCH(QList<int>, oneKeyRows);
    QFETCH(QByteArray, armRights);
    QFETCH(QByteArray, disarmShown);
    constexpr uint8_t kDisarmRights = 0x3C;
    Window window;
    TMainForm& form = *window.form;
    for (const int key : oneKeyRows) {
        form.Control<QCheckBox>(N("onekeymode", key))->setChecked(true);
    }
    SettingsImage image = FactoryImage();
    image.SetIdentifierCount(static_cast<int>(armRights.size()));
    for (int key = 1; key <= armRights.size(); ++key) {
        image.SetIdentifierCodeByte(key, 0, static_cast<uint8_t>(key));
        image.SetArmRights(key, static_cast<uint8_t>(armRights[key - 1]));
        image.SetDisarmRights(key, kDisarmRights);
    }
    form.DecodeSettings(image);

    for (int key = 1; key <= armRights.size(); ++key) {
        const auto shown = static_cast<uint8_t>(disarmShown[key - 1]);
        for (int loop = 1; loop <= kLoops; ++loop) {
            const auto* disarm = form.Control<QCheckBox>(N("shsn", key, loop));
            QCOMPARE(disarm->isChecked(), HasLoop(shown, loop));
            QCOMPARE(disarm->isEnabled(), !oneKeyRows.contains(key));
        }
    }
}

void TestSettingsCodecWindow::encodePacksIdentifierRowsAndTracesInListBox2() {
    Window window;
    TMainForm& form = *window.form;
    form.Control<QLineEdit>("CodeTM2")->setText("010203040506");
    form.Control<QLineEdit>("CodeTM5")->setText("a1a2a3a4a5a6");
    form.Control<QLineEdit>("CodeTM9")->setText("FFFEFDFCFBFA");
    form.Control<QCheckBox>("shvz53")->setChecked(true);
    auto* trace = form.Control<QListWidget>("ListBox2");
    trace->addItem("earlier line");

    const SettingsImage image = form.EncodeSettings();

    QCOMPARE(image[0], uint8_t{3});
    const QByteArray records(reinterpret_cast<const char*>(image.data()) + 1, 24);
    QCOMPARE(records.toHex(' '), QByteArray("01 02 03 04 05 06 00 00 "
                                            "a1 a2 a3 a4 a5 a6 04 00 "
                                            "ff fe fd fc fb fa 00 00"));
    QVERIFY(std::all_of(image.data() + 25, image.data() + 225, [](uint8_t b) { return b == 0; }));
    // The earlier line, the count, 3 x 8 record lines, the unused count, 200 zero bytes, four
    // output lines and two section lines.
    QCOMPARE(trace->count(), 1 + 1 + 24 + 1 + 200 + 4 + 2);
    QCOMPARE(trace->item(1)->text(), QStringLiteral("Number of TMs = 3"));
    QCOMPARE(trace->item(10)->text(),
             QStringLiteral("TMNumber -  5; tempStr - A1; j - 9; c[j] - 161"));
    QCOMPARE(trace->item(trace->count() - 1)->text(), QStringLiteral("Index j is 254"));
}

QTEST_MAIN(TestSettingsCodecWindow)
#include "tst_settings_codec_window.moc"
