// Finding the FTDI bridges in sysfs: which ttys are bridges, in what order, with what USB serial
// number and place on the bus, and whether the current user can open each one's node.

#include "fake_sysfs.h"

#include "link/bridge_discovery.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "name vendor listing [serial [location]]", listing c: class/tty, b: usb-serial; "-" for none.
void AddTtys(FakeSysfs& sysfs, const QStringList& ttys) {
    for (const QString& tty : ttys) {
        const QStringList parts = tty.split(' ');
        const auto part = [&parts](int i) {
            return parts.size() > i && parts[i] != "-" ? parts[i] : QString();
        };
        sysfs.AddTty(parts[0], part(1), parts[2].contains('c'), parts[2].contains('b'), part(3),
                     part(4));
    }
}

} // namespace

class TestBridgeDiscovery : public QObject {
    Q_OBJECT

private slots:
    void findsFtdiBridges_data();
    void findsFtdiBridges();
    void listsEachBridgesIdentity_data();
    void listsEachBridgesIdentity();
    void accessNamesTheNodesGroup();
    void accessRefusedForAnotherUser();
};

void TestBridgeDiscovery::findsFtdiBridges_data() {
    QTest::addColumn<QStringList>("ttys");
    QTest::addColumn<QStringList>("bridges");
    QTest::newRow("none") << QStringList() << QStringList();
    QTest::newRow("only a non-FTDI adapter") << QStringList{"ttyUSB0 067b cb"} << QStringList();
    QTest::newRow("numbers compared by value")
        << QStringList{"ttyUSB10 0403 cb", "ttyUSB2 0403 cb", "ttyUSB1 0403 cb"}
        << QStringList{"ttyUSB1", "ttyUSB2", "ttyUSB10"};
    QTest::newRow("listed in either place")
        << QStringList{"ttyUSB3 0403 b", "ttyUSB2 0403 c"} << QStringList{"ttyUSB2", "ttyUSB3"};
    QTest::newRow("foreign vendor and no USB parent skipped")
        << QStringList{"ttyUSB0 067b cb", "ttyUSB1 0403 cb", "ttyUSB4 - c", "ttyS0 0403 c"}
        << QStringList{"ttyUSB1"};
}

void TestBridgeDiscovery::findsFtdiBridges() {
    QFETCH(QStringList, ttys);
    QFETCH(QStringList, bridges);
    FakeSysfs sysfs;
    AddTtys(sysfs, ttys);
    QStringList found;
    for (const std::string& name : velor::link::FindFtdiBridges(sysfs.root().toStdString())) {
        found << QString::fromStdString(name);
    }
    QCOMPARE(found, bridges);
}

// Each bridge as "node|serial|location|open" (open: "yes" or the refusal's errno); nodes exist
// under the device folder for the names in "nodes".
void TestBridgeDiscovery::listsEachBridgesIdentity_data() {
    QTest::addColumn<QStringList>("ttys");
    QTest::addColumn<QStringList>("nodes");
    QTest::addColumn<QStringList>("bridges");
    QTest::newRow("serial number and place on the bus of each, in the order they are opened")
        << QStringList{"ttyUSB1 0403 cb FT5XK2QA 1-2", "ttyUSB0 0403 cb A10K1234 1-1.4"}
        << QStringList{"ttyUSB0", "ttyUSB1"}
        << QStringList{"%dev/ttyUSB0|A10K1234|1-1.4|yes", "%dev/ttyUSB1|FT5XK2QA|1-2|yes"};
    QTest::newRow("found through the usb-serial bus alone")
        << QStringList{"ttyUSB0 0403 b A10K1234 3-1"} << QStringList{"ttyUSB0"}
        << QStringList{"%dev/ttyUSB0|A10K1234|3-1|yes"};
    QTest::newRow("a bridge without a serial number")
        << QStringList{"ttyUSB0 0403 cb - 1-1"} << QStringList{"ttyUSB0"}
        << QStringList{"%dev/ttyUSB0||1-1|yes"};
    QTest::newRow("sysfs knows the bridge, the device folder has no node")
        << QStringList{"ttyUSB0 0403 cb A10K1234 1-1"} << QStringList{}
        << QStringList{QStringLiteral("%dev/ttyUSB0|A10K1234|1-1|%1").arg(ENOENT)};
    QTest::newRow("a foreign adapter beside a bridge is not listed")
        << QStringList{"ttyUSB0 067b cb PL2303 1-1", "ttyUSB1 0403 cb A10K1234 1-2"}
        << QStringList{"ttyUSB0", "ttyUSB1"} << QStringList{"%dev/ttyUSB1|A10K1234|1-2|yes"};
}

void TestBridgeDiscovery::listsEachBridgesIdentity() {
    QFETCH(QStringList, ttys);
    QFETCH(QStringList, nodes);
    QFETCH(QStringList, bridges);
    FakeSysfs sysfs;
    AddTtys(sysfs, ttys);
    QTemporaryDir dev;
    for (const QString& node : nodes) {
        QFile file(dev.filePath(node));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QStringList found;
    for (const velor::link::FtdiBridge& bridge :
         velor::link::ListFtdiBridges(sysfs.root().toStdString(), dev.path().toStdString())) {
        found << QStringList{QString::fromStdString(bridge.devicePath),
                             QString::fromStdString(bridge.serial),
                             QString::fromStdString(bridge.usbLocation),
                             bridge.access.canOpen ? QStringLiteral("yes")
                                                   : QString::number(bridge.access.error)}
                     .join('|');
    }
    for (QString& bridge : bridges) {
        bridge.replace("%dev", dev.path());
    }
    QCOMPARE(found, bridges);
}

// The group is named whether or not the node can be opened: it is what the technician joins.
void TestBridgeDiscovery::accessNamesTheNodesGroup() {
    QTemporaryDir dir;
    const QString node = dir.filePath("ttyUSB0");
    QFile file(node);
    QVERIFY(file.open(QIODevice::WriteOnly));
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(node).constData(), &status), 0);
    const group* owner = ::getgrgid(status.st_gid);
    QVERIFY(owner != nullptr);

    const velor::link::NodeAccess access = velor::link::CheckNodeAccess(node.toStdString());
    QVERIFY(access.canOpen);
    QCOMPARE(access.error, 0);
    QCOMPARE(QString::fromStdString(access.group), QString::fromLocal8Bit(owner->gr_name));
    QVERIFY(access.inGroup); // the file was made with this process's group
    QVERIFY(!access.groupAtNextLogin);
}

void TestBridgeDiscovery::accessRefusedForAnotherUser() {
    if (::geteuid() == 0) {
        QSKIP("permissions do not bind the superuser");
    }
    QTemporaryDir dir;
    const QString node = dir.filePath("ttyUSB0");
    QFile file(node);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
    const velor::link::NodeAccess access = velor::link::CheckNodeAccess(node.toStdString());
    QVERIFY(!access.canOpen);
    QCOMPARE(access.error, EACCES);
    QVERIFY(!access.group.empty());
}

QTEST_GUILESS_MAIN(TestBridgeDiscovery)
#include "tst_bridge_discovery.moc"
