// The velor580-sim command line: what each option sets, and which values it refuses.

#include "sim/sim_options.h"

#include <QTest>

#include <functional>
#include <stdexcept>

using velor::sim::BlockResponse;
using velor::sim::ReplyFault;
using velor::sim::SimOptions;

using Expect = std::function<void(SimOptions&)>;
Q_DECLARE_METATYPE(Expect)

namespace {

// Every field the options can set, in one line, so two option sets compare as text.
QString Describe(const SimOptions& o) {
    const auto& s = o.state;
    QStringList parts;
    parts << QStringLiteral("id %1/%2/%3.%4.%5")
                 .arg(s.identity.type)
                 .arg(s.identity.platform)
                 .arg(s.identity.version[0])
                 .arg(s.identity.version[1])
                 .arg(s.identity.version[2]);
    for (const auto& sc : s.scenarios) {
        parts << QStringLiteral("sc %1/%2/%3").arg(sc.code).arg(sc.param).arg(sc.extra);
    }
    parts << (s.key ? QString::number(*s.key, 16) : QStringLiteral("no key"));
    for (const auto& [block, r] : s.behaviour.blockResponses) {
        parts << QStringLiteral("block %1 kind %2 polls %3 delay %4 poll refuses %5")
                     .arg(block)
                     .arg(int(r.kind))
                     .arg(r.busyPolls)
                     .arg(r.delayCode)
                     .arg(r.pollRefuses);
    }
    for (const ReplyFault& f : s.behaviour.faults) {
        parts
            << QStringLiteral("fault %1 cmd %2 nth %3").arg(int(f.kind)).arg(f.command).arg(f.nth);
    }
    for (const auto& c : s.behaviour.storeCorruptions) {
        parts << QStringLiteral("store %1 at %2").arg(c.value).arg(c.offset);
    }
    parts << (s.behaviour.hangUpAfterFrames
                  ? QStringLiteral("hang up %1").arg(*s.behaviour.hangUpAfterFrames)
                  : QStringLiteral("no hang-up"));
    parts << o.settingsFile << o.saveFile << QString::number(o.paced) << QString::number(o.verbose)
          << QString::number(o.help);
    return parts.join(QStringLiteral(", "));
}

SimOptions Parse(const QString& line) {
    QStringList args{QStringLiteral("velor580-sim")};
    if (!line.isEmpty()) {
        args << line.split(QLatin1Char(' '));
    }
    return velor::sim::ParseSimOptions(args);
}

} // namespace

class TestSimOptions : public QObject {
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void storedByteRefused_data();
    void storedByteRefused();
};

void TestSimOptions::accepted_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<Expect>("expect");

    QTest::newRow("defaults: paced, no key, no faults") << QString() << Expect([](SimOptions&) {});
    QTest::newRow("identity") << "--type 570 --platform 0x10 --device-version 2.1.0"
                              << Expect([](SimOptions& o) {
                                     o.state.identity.type = 570;
                                     o.state.identity.platform = 16;
                                     o.state.identity.version = {2, 1, 0};
                                 });
    QTest::newRow("scenario with and without further value")
        << "--scenario 2:0x1234:99:7 --scenario 4:1:2" << Expect([](SimOptions& o) {
               o.state.scenarios[1] = {0x1234, 99, 7};
               o.state.scenarios[3] = {1, 2, 0};
           });
    QTest::newRow("key, with and without 0x")
        << "--key 0x0123456789AB" << Expect([](SimOptions& o) { o.state.key = 0x0123456789ABull; });
    QTest::newRow("short key") << "--key ff"
                               << Expect([](SimOptions& o) { o.state.key = 0xFFull; });
    QTest::newRow("busy defaults and in full; refusal")
        << "--busy 2 --busy 3:4:5 --refuse 7" << Expect([](SimOptions& o) {
               auto& r = o.state.behaviour.blockResponses;
               r[2] = {BlockResponse::Kind::Busy, 1, 1};
               r[3] = {BlockResponse::Kind::Busy, 5, 4};
               r[7].kind = BlockResponse::Kind::Refuse;
           });
    QTest::newRow("busy with how the deciding poll ends")
        << "--busy 1:3:6:refuse --busy 4:2:1:accept" << Expect([](SimOptions& o) {
               auto& r = o.state.behaviour.blockResponses;
               r[1] = {BlockResponse::Kind::Busy, 6, 3, true};
               r[4] = {BlockResponse::Kind::Busy, 1, 2, false};
           });
    QTest::newRow("faults by name and by code")
        << "--fault bad-crc:read:3 --fault no-reply:0x80 --fault short:poll:2 "
           "--fault wrong-start:select"
        << Expect([](SimOptions& o) {
               auto& f = o.state.behaviour.faults;
               f.push_back({ReplyFault::Kind::BadCrc, 0x82, 3});
               f.push_back({ReplyFault::Kind::NoReply, 0x80, 1});
               f.push_back({ReplyFault::Kind::Short, 0x37, 2});
               f.push_back({ReplyFault::Kind::WrongStart, 0x81, 1});
           });
    QTest::newRow("hang-up, files, pacing, trace")
        << "--hang-up-after 12 --settings a.cfg --save b.cfg --no-pacing --verbose"
        << Expect([](SimOptions& o) {
               o.state.behaviour.hangUpAfterFrames = 12;
               o.settingsFile = QStringLiteral("a.cfg");
               o.saveFile = QStringLiteral("b.cfg");
               o.paced = false;
               o.verbose = true;
           });
    QTest::newRow("stored bytes kept wrong, at the first and the last offset")
        << "--store-corrupt 0:7 --store-corrupt 0x100:0xFF --store-corrupt 3:0"
        << Expect([](SimOptions& o) {
               o.state.behaviour.storeCorruptions = {{0, 7}, {256, 255}, {3, 0}};
           });
    QTest::newRow("help") << "--help" << Expect([](SimOptions& o) { o.help = true; });
}

void TestSimOptions::accepted() {
    QFETCH(QString, line);
    QFETCH(Expect, expect);

    SimOptions expected;
    expect(expected);
    QCOMPARE(Describe(Parse(line)), Describe(expected));
}

void TestSimOptions::refused_data() {
    QTest::addColumn<QString>("line");

    QTest::newRow("unknown option") << "--frobnicate";
    QTest::newRow("positional argument") << "extra";
    QTest::newRow("fault kind") << "--fault bogus:read";
    QTest::newRow("fault command") << "--fault bad-crc:talk";
    QTest::newRow("fault command beyond a byte") << "--fault bad-crc:0x100";
    QTest::newRow("fault without command") << "--fault bad-crc";
    QTest::newRow("delay code 8") << "--busy 1:2:8";
    QTest::newRow("busy block not a number") << "--busy x";
    QTest::newRow("busy poll ending neither accept nor refuse") << "--busy 1:2:1:maybe";
    QTest::newRow("busy with five fields") << "--busy 1:2:1:refuse:1";
    QTest::newRow("13-digit key") << "--key 1234567890ABC";
    QTest::newRow("key not hex") << "--key 12G4";
    QTest::newRow("scenario 5") << "--scenario 5:1:1";
    QTest::newRow("scenario 0") << "--scenario 0:1:1";
    QTest::newRow("scenario code beyond 16 bits") << "--scenario 1:0x10000:1";
    QTest::newRow("two version bytes") << "--device-version 1.2";
    QTest::newRow("type beyond 16 bits") << "--type 70000";
    QTest::newRow("negative frame count") << "--hang-up-after -1";
}

void TestSimOptions::refused() {
    QFETCH(QString, line);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Parse(line));
}

// A byte to keep wrong outside the table or beyond a byte is refused, saying which and why.
void TestSimOptions::storedByteRefused_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("said");
    QTest::newRow("offset beyond the table")
        << "257:1"
        << "--store-corrupt 257:1: bad offset (0 to 256) \"257\"";
    QTest::newRow("value beyond a byte") << "3:256"
                                         << "--store-corrupt 3:256: bad value (0 to 255) \"256\"";
    QTest::newRow("no value") << "3"
                              << "--store-corrupt 3: bad offset and value \"3\"";
    QTest::newRow("three fields") << "3:4:5"
                                  << "--store-corrupt 3:4:5: bad offset and value \"3:4:5\"";
    QTest::newRow("offset not a number") << "x:1"
                                         << "--store-corrupt x:1: bad offset (0 to 256) \"x\"";
    QTest::newRow("negative value") << "3:-1"
                                    << "--store-corrupt 3:-1: bad value (0 to 255) \"-1\"";
}

void TestSimOptions::storedByteRefused() {
    QFETCH(QString, value);
    QFETCH(QString, said);
    try {
        Parse("--store-corrupt " + value);
        QFAIL("accepted");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), said);
    }
}

QTEST_GUILESS_MAIN(TestSimOptions)
#include "tst_sim_options.moc"
