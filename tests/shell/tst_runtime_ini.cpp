// The build's placing of the INI file in the runtime folder (data/merge_ini.cmake): a missing
// file is copied; an existing one keeps every value the program or run.sh wrote into it and only
// gains the sections and keys it lacks.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Values = QMap<QString, QString>; // "Section/Key" -> value

const QByteArray kShipped = "[Language]\nDefault=RU\n\n[Help]\nRU=velor580_ru.html\n"
                            "EN=velor580_en.html\n";
const QByteArray kNoFile = "<none>";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

Values IniValues(const QString& path) {
    const QSettings ini(path, QSettings::IniFormat);
    Values values;
    for (const QString& key : ini.allKeys()) {
        values.insert(key, ini.value(key).toString());
    }
    return values;
}

// Runs the build's merge of shipped into runtime, as a configure does.
bool Merge(const QTemporaryDir& dir, const QString& shipped, const QString& runtime) {
    const QString script = dir.filePath(QStringLiteral("merge.cmake"));
    const QString text =
        QStringLiteral("include(\"%1/data/merge_ini.cmake\")\nvelor_merge_ini(\"%2\" \"%3\")\n")
            .arg(qEnvironmentVariable("VELOR_SOURCE_DIR"), shipped, runtime);
    if (!WriteAll(script, text.toUtf8())) {
        return false;
    }
    QProcess cmake;
    cmake.start(QStringLiteral(VELOR_CMAKE_COMMAND), {QStringLiteral("-P"), script});
    return cmake.waitForFinished() && cmake.exitStatus() == QProcess::NormalExit &&
           cmake.exitCode() == 0;
}

} // namespace

class TestRuntimeIni : public QObject {
    Q_OBJECT

private slots:
    void merge_data() {
        QTest::addColumn<QByteArray>("runtime"); // kNoFile: none in the runtime folder yet
        QTest::addColumn<Values>("values");
        QTest::addColumn<bool>("untouched"); // the runtime file keeps its bytes
        const Values shipped{{"Language/Default", "RU"},
                             {"Help/RU", "velor580_ru.html"},
                             {"Help/EN", "velor580_en.html"}};
        QTest::newRow("first configure makes the folder and copies the file")
            << kNoFile << shipped << false;
        QTest::newRow("the technician's language stays")
            << QByteArray("[Language]\nDefault=EN\n\n[Help]\nRU=velor580_ru.html\n"
                          "EN=velor580_en.html\n")
            << Values{{"Language/Default", "EN"},
                      {"Help/RU", "velor580_ru.html"},
                      {"Help/EN", "velor580_en.html"}}
            << true;
        QTest::newRow("run.sh's port stays, a missing section is added")
            << QByteArray("[Language]\r\nDefault=EN\r\n\r\n[Port]\r\nDevice=/dev/pts/3\r\n")
            << Values{{"Language/Default", "EN"},
                      {"Port/Device", "/dev/pts/3"},
                      {"Help/RU", "velor580_ru.html"},
                      {"Help/EN", "velor580_en.html"}}
            << false;
        QTest::newRow("a changed value stays, a missing key is added")
            << QByteArray("[Help]\nRU=own.html\n")
            << Values{{"Language/Default", "RU"},
                      {"Help/RU", "own.html"},
                      {"Help/EN", "velor580_en.html"}}
            << false;
    }
    void merge() {
        QFETCH(QByteArray, runtime);
        QFETCH(Values, values);
        QFETCH(bool, untouched);
        const QTemporaryDir dir;
        const QString shippedPath = dir.filePath(QStringLiteral("shipped.INI"));
        // A fresh build has not made its runtime folder yet.
        const QString runtimePath = dir.filePath(QStringLiteral("bin/velor580.INI"));
        QVERIFY(WriteAll(shippedPath, kShipped));
        if (runtime != kNoFile) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("bin")));
            QVERIFY(WriteAll(runtimePath, runtime));
        }

        QVERIFY(Merge(dir, shippedPath, runtimePath));
        QCOMPARE(IniValues(runtimePath), values);
        if (untouched) {
            QCOMPARE(ReadAll(runtimePath), runtime);
        }
        // A second configure changes nothing more.
        const QByteArray once = ReadAll(runtimePath);
        QVERIFY(Merge(dir, shippedPath, runtimePath));
        QCOMPARE(ReadAll(runtimePath), once);
    }
};

QTEST_GUILESS_MAIN(TestRuntimeIni)
#include "tst_runtime_ini.moc"
