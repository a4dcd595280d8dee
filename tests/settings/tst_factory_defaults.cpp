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
        {kWorkModePcnAlarm, {kAlarm | kAllLoops, 7, 0, 0}},
        {kWorkModeControlLamp, {kAlarm | kAllLoops, 1, 1, 15}},
        {kWorkModeArmDisarm, {kAllLoops, 0, 7, 0}},
        {kWorkModeSounder, {kAlarm, 0, 7, 0}},
        {kWorkModeAlarm, {kAlarm, 7, 0, 0}},
        {kWorkModeExecutive, {kOneLoop, 0, 4, 0}},
    };
    return presets;
}

} // namespace

class FactoryDefaultsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void isWrittenInTheFileFormat();
    void meetsTheEncoderInvariants();
    void startsAsATechnicianExpects();
    void outputsHoldTheirModePreset_data();
    void outputsHoldTheirModePreset();

private:
    SettingsImage m_image;
};

void FactoryDefaultsTest::initTestCase() {
    QVERIFY2(qEnvironmentVariableIsSet("VELOR_SOURCE_DIR"), "run through ctest");
    try {
        m_image = LoadCfgFile(DefaultsPath());
    } catch (const std::runtime_error& error) {
        QFAIL(error.what());
    }
}

void FactoryDefaultsTest::isWrittenInTheFileFormat() {
    QFile file(DefaultsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), CfgText(m_image));
}

void FactoryDefaultsTest::meetsTheEncoderInvariants() {
    QCOMPARE(m_image.identifierCount(), 0);
    for (std::size_t offset = 1; offset < kIdentifierPartSize; ++offset) {
        QCOMPARE(int(m_image[offset]), 0);
    }
    for (int output = 1; output <= kOutputCount; ++output) {
        QCOMPARE(int(m_image.outputReservedBits(output)), 0);
        QVERIFY(m_image.workMode(output) >= 1 && m_image.workMode(output) <= kWorkModeSpecial);
        QVERIFY(m_image.closingTimeIndex(output) <= kConstantSwitchTimeIndex);
        QVERIFY(m_image.openingTimeIndex(output) <= kConstantSwitchTimeIndex);
        QVERIFY(m_image.notificationDurationIndex(output) <= kConstantDurationIndex);
    }
    QVERIFY(m_image[kRearmTimeOffset] != 1);
    QVERIFY(m_image.optionFlag(OptionFlag::LineMaster));
}

// Decoding these values at start-up must not make a page rule correct a value or show a box.
void FactoryDefaultsTest::startsAsATechnicianExpects() {
    for (std::size_t offset = 241; offset <= 247; ++offset) {
        QCOMPARE(int(m_image[offset]), 0); // security loops, integration time 70, no options
    }
    QVERIFY(m_image.optionFlag(OptionFlag::TmIdentifierOutput));
    QVERIFY(m_image.delaySeconds(Delay::EntryLoop1) < 5); // below the smallest re-arm time
    QVERIFY(m_image.delaySeconds(Delay::EntryLoop2) < 5);
    QVERIFY(m_image.rearmTimeSeconds() > 5);
    QCOMPARE(m_image.sounderDurationSeconds(), 180);
    QVERIFY(m_image.workMode(kOpenCollector1) != kWorkModeSounder);
    QVERIFY(m_image.workMode(kOpenCollector2) != kWorkModeSounder);
}

void FactoryDefaultsTest::outputsHoldTheirModePreset_data() {
    QTest::addColumn<int>("output");
    QTest::newRow("relay 1") << kRelay1;
    QTest::newRow("relay 2") << kRelay2;
    QTest::newRow("OK1") << kOpenCollector1;
    QTest::newRow("OK2") << kOpenCollector2;
}

void FactoryDefaultsTest::outputsHoldTheirModePreset() {
    QFETCH(int, output);

    const auto preset = Presets().find(m_image.workMode(output));
    QVERIFY2(preset != Presets().end(), "the output's mode has a preset");
    QCOMPARE(int(m_image.outputBinding(output)), 0xFF);
    QCOMPARE(int(m_image.outputFlags(output)), int(preset->second.flags));
    QCOMPARE(m_image.openingTimeIndex(output), preset->second.opening);
    QCOMPARE(m_image.closingTimeIndex(output), preset->second.closing);
    QCOMPARE(m_image.notificationDurationIndex(output), preset->second.duration);
}

QTEST_GUILESS_MAIN(FactoryDefaultsTest)
#include "tst_factory_defaults.moc"
