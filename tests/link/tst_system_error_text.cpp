// The system's reasons as the technician reads them: the program's own texts for the errors a
// file or the port meets, in the built-in language and in the English library the build makes;
// the system's own text for any other error.

#include "link/system_error_text.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {
constexpr int kLastErrorNumber = 133; // EHWPOISON, the highest the system knows

QString SystemsOwn(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

class TestSystemErrorText : public QObject {
    Q_OBJECT
private slots:
    void builtInLanguage_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("no such file") << ENOENT << "Нет такого файла или папки";
        QTest::newRow("access refused") << EACCES << "Отказано в доступе";
        QTest::newRow("disk full") << ENOSPC << "На устройстве не осталось свободного места";
        QTest::newRow("quota") << EDQUOT << "Превышена дисковая квота";
        QTest::newRow("read-only") << EROFS << "Файловая система доступна только для чтения";
        QTest::newRow("device gone") << ENODEV << "Нет такого устройства";
        QTest::newRow("not a tty") << ENOTTY << "Неподходящий ioctl для устройства";
        QTest::newRow("another error: the system's text") << EDOM << SystemsOwn(EDOM);
        QTest::newRow("no error number at all") << 0 << SystemsOwn(0);
    }
    void builtInLanguage() {
        QFETCH(int, error);
        QFETCH(QString, text);
        QCOMPARE(velor::SystemErrorText(error), text);
    }

    // The English edition reads exactly as the system words its reasons, for every error the
    // program words itself.
    void englishLibraryUsesTheSystemsWords() {
        QTranslator english;
        QVERIFY(english.load(qEnvironmentVariable("VELOR_RUNTIME_DIR") +
                             QStringLiteral("/velor580.EN")));
        QStringList own;
        for (int error = 1; error <= kLastErrorNumber; ++error) {
            if (velor::SystemErrorText(error) != SystemsOwn(error)) {
                own << QString::number(error);
            }
        }
        QVERIFY(own.size() > 20);
        QVERIFY(QCoreApplication::installTranslator(&english));
        QStringList differing;
        for (const QString& number : own) {
            const int error = number.toInt();
            if (velor::SystemErrorText(error) != SystemsOwn(error)) {
                differing << number + ": " + velor::SystemErrorText(error);
            }
        }
        QCoreApplication::removeTranslator(&english);
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestSystemErrorText)
#include "tst_system_error_text.moc"
