#include "settings/cfg_format.h"

#include <QFile>
#include <QTest>

#include <map>
#include <stdexcept>

namespace {

QString DefaultsPath() {
    return qEnvironmentVariable("VELOR_SOURCE_DIR") + QStringLiteral("/data/580default.cfg");
}

// What picking a work mode loads into its output (the presets of modes 1..6; mode 7 loads none).
struct Preset {
    uint8_t flags;
    int opening;
    int closing;
    int duration;
};

const std::map<int, Preset>& Presets() {
    constexpr auto kAlarm = static_cast<uint8_t>(OutputFlag::AlarmEvent);
    constexpr auto kAllLoops = static_cast<uint8_t>(OutputFlag::OnOffAllLine);
    constexpr auto kOneLoop = static_cast<uint8_t>(OutputFlag::OnOffLine);
    static const std::map<int, Preset> presets{
        {WorkModeNibble(kPcnAlarmMode), {kAlarm | kAllLoops, 7, 0, 0}},
        {WorkModeNibble(kControlLampMode), {kAlarm | kAllLoops, 1, 1, 15}},
        {WorkModeNibble(kArmDisarmMode), {kAllLoops, 0, 7, 0}},
        {WorkModeNibble(kSoundMode), {kAlarm, 0, 7, 0}},
        {WorkModeNibble(kAlarmMode), {kAlarm, 7, 0, 0}},
        {WorkModeNibble(kExecutiveMode), {kOneLoop, 0, 4, 0}},
    };
    return presets;
}

} // namespace

class TestFactoryDefaults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void isWrittenInTheFileFormat();
    void meetsTheEncoderInvariants();
    void startsAsATechnicianExpects();
    void outputsHoldTheirModePreset_data();
    void outputsHoldTheirModePreset();

private:
    SettingsImage image_;
};

void TestFactoryDefaults::initTestCase() {
    QVERIFY2(qEnvironmentVariableIsSet("VELOR_SOURCE_DIR"), "run through ctest");
    try {
        image_ = LoadCfgFile(DefaultsPath());
    } catch (const std::runtime_error& error) {
        QFAIL(error.what());
    }
}

void TestFactoryDefaults::isWrittenInTheFileFormat() {
    QFile file(DefaultsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), CfgText(image_));
}

void TestFactoryDefaults::meetsTheEncoderInvariants() {
    QCOMPARE(image_.IdentifierCount(), 0);
    for (std::size_t offset = 1; offset < kIdentifierPartSize; ++offset) {
        QCOMPARE(int(image_[offset]), 0);
    }
    for (int output = 1; output <= kOutputCount; ++output) {
        QCOMPARE(int(image_.OutputReservedBits(output)), 0);
        QVERIFY(image_.WorkMode(output) >= 1 &&
                image_.WorkMode(output) <= WorkModeNibble(kSpecialMode));
        QVERIFY(image_.ClosingTimeIndex(output) <= kConstantSwitchTimeIndex);
        QVERIFY(image_.OpeningTimeIndex(output) <= kConstantSwitchTimeIndex);
        QVERIFY(image_.NotificationDurationIndex(output) <= kConstantDurationIndex);
    }
    QVERIFY(image_[kRearmTimeOffset] != 1);
    QVERIFY(image_.HasOptionFlag(OptionFlag::LineMaster));
}

// Decoding these values at start-up must not make a page rule correct a value or show a box.
void TestFactoryDefaults::startsAsATechnicianExpects() {
    for (std::size_t offset = 241; offset <= 247; ++offset) {
        QCOMPARE(int(image_[offset]), 0); // security loops, integration time 70, no options
    }
    QVERIFY(image_.HasOptionFlag(OptionFlag::TmIdentifierOutput));
    QVERIFY(image_.DelaySeconds(Delay::EntryLoop1) < 5); // below the smallest re-arm time
    QVERIFY(image_.DelaySeconds(Delay::EntryLoop2) < 5);
    QVERIFY(image_.RearmTimeSeconds() > 5);
    QCOMPARE(image_.SounderDurationSeconds(), 180);
    QVERIFY(image_.WorkMode(kOpenCollector1) != WorkModeNibble(kSoundMode));
    QVERIFY(image_.WorkMode(kOpenCollector2) != WorkModeNibble(kSoundMode));
}

void TestFactoryDefaults::outputsHoldTheirModePreset_data() {
    QTest::addColumn<int>("output");
    QTest::newRow("relay 1") << kRelay1;
    QTest::newRow("relay 2") << kRelay2;
    QTest::newRow("OK1") << kOpenCollector1;
    QTest::newRow("OK2") << kOpenCollector2;
}

void TestFactoryDefaults::outputsHoldTheirModePreset() {
    QFETCH(int, output);

    const auto preset = Presets().find(image_.WorkMode(output));
    QVERIFY2(preset != Presets().end(), "the output's mode has a preset");
    QCOMPARE(int(image_.OutputBinding(output)), 0xFF);
    QCOMPARE(int(image_.OutputFlags(output)), int(preset->second.flags));
    QCOMPARE(image_.OpeningTimeIndex(output), preset->second.opening);
    QCOMPARE(image_.ClosingTimeIndex(output), preset->second.closing);
    QCOMPARE(image_.NotificationDurationIndex(output), preset->second.duration);
}

QTEST_GUILESS_MAIN(TestFactoryDefaults)
#include "tst_factory_defaults.moc"
