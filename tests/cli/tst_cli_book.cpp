// velor580-cli's site book commands in-process on a book in a temporary folder: the command
// line's rules, what site, visits and book print and exit with, whose name changes are recorded
// under, and that nothing reaches a book that refused a change.

#include "cli/cli_session.h"
#include "settings/settings_history.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

class BookBench {
public:
    QString Dir() const { return dir_.path(); }
    QString File(const QString& name) const { return dir_.filePath(name); }
    QString Book() const { return File("sites.sqlite"); }

    Run Cli(const QStringList& arguments, CliEnvironment environment = {}) const {
        if (environment.bookPath.isNull()) {
            environment.bookPath = Book();
        }
        Run run;
        QTextStream out(&run.out);
        QTextStream err(&run.err);
        run.exitCode = RunCli(QStringList{"velor580-cli"} + arguments, out, err, environment);
        return run;
    }

    QJsonObject Json(const QStringList& arguments) const {
        return QJsonDocument::fromJson(Cli(arguments + QStringList{"--json"}).out.toUtf8())
            .object();
    }

private:
    QTemporaryDir dir_;
};

// Sets an environment variable for as long as it lives.
class VariableScope {
public:
    VariableScope(const char* name, const QString& value) : name_(name) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value.toUtf8());
        }
    }
    ~VariableScope() { qunsetenv(name_); }
    VariableScope(const VariableScope&) = delete;
    VariableScope& operator=(const VariableScope&) = delete;

private:
    const char* name_;
};

} // namespace

class TestCliBook : public QObject {
    Q_OBJECT
private slots:
    void commandLineErrors_data();
    void commandLineErrors();
    void sitesAreAddedEditedAndShown();
    void refusedChangesLeaveTheBook_data();
    void refusedChangesLeaveTheBook();
    void technicianName_data();
    void technicianName();
    void unusableBookIsNamed_data();
    void unusableBookIsNamed();
    void historyGoesIntoTheUsersBookOnce();
    void newBookKeepsTheOldOneAside();
};

void TestCliBook::commandLineErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    const QString sites = "после site нужно одно из: list, add, edit, show, attach";
    QTest::newRow("site alone") << QStringList{"site"} << sites;
    QTest::newRow("unknown site command") << QStringList{"site", "fly"} << sites;
    QTest::newRow("site add without a name")
        << QStringList{"site", "add"} << "команде site add нужно название объекта";
    QTest::newRow("book export without a file")
        << QStringList{"book", "export"} << "команде book export нужен файл";
    QTest::newRow("site attach without a device")
        << QStringList{"site", "attach", "X"} << "команде site attach нужен --port";
    QTest::newRow("--json of book export")
        << QStringList{"book", "export", "f.json", "--json"} << "параметр --json есть у";
    QTest::newRow("--search of site show")
        << QStringList{"site", "show", "X", "--search", "a"} << "--search есть только у";
    QTest::newRow("--address of identify")
        << QStringList{"identify", "--address", "a"} << "--address, --contact";
    QTest::newRow("--name of site add")
        << QStringList{"site", "add", "X", "--name", "Y"} << "--name есть только у";
    QTest::newRow("--serial of visits")
        << QStringList{"visits", "--serial", "S"} << "--serial есть только у";
    QTest::newRow("--site of identify")
        << QStringList{"identify", "--site", "X"} << "--site есть только у";
    QTest::newRow("--device of read-settings")
        << QStringList{"read-settings", "f.cfg", "--device", "X"} << "--device есть только у";
    QTest::newRow("--book without its value")
        << QStringList{"site", "list", "--book"} << "после --book нужно значение";
    QTest::newRow("a word too many") << QStringList{"site", "show", "X", "Y"} << "лишний аргумент";
}

void TestCliBook::commandLineErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    BookBench bench;
    const Run run = bench.Cli(arguments);
    QCOMPARE(run.exitCode, kExitUsage);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(!QFile::exists(bench.Book()));
}

void TestCliBook::sitesAreAddedEditedAndShown() {
    BookBench bench;
    QCOMPARE(bench
                 .Cli({"site", "add", "Банк", "--address", "ул. Ленина, 3", "--phone", "555",
                       "--technician", "Иванов"})
                 .exitCode,
             0);
    QCOMPARE(bench.Cli({"--technician=Петров", "site", "add", "Аптека", "--notes=a\nb"}).exitCode,
             0);
    QCOMPARE(bench.Cli({"site", "list"}).out, QString("Аптека  -  -\nБанк  ул. Ленина, 3  555\n"));
    QCOMPARE(bench.Cli({"site", "list", "--search", "ленин"}).out,
             QString("Банк  ул. Ленина, 3  555\n"));

    const Run edit = bench.Cli({"site", "edit", "Банк", "--name", "Банк №2", "--contact", "Сидоров",
                                "--technician", "Петров"});
    QVERIFY2(edit.exitCode == 0, qPrintable(edit.err));
    const QJsonObject card = bench.Json({"site", "show", "Банк №2"});
    const QJsonObject site = card["site"].toObject();
    QCOMPARE(site["contact"].toString(), QString("Сидоров"));
    QCOMPARE(site["address"].toString(), QString("ул. Ленина, 3"));
    QCOMPARE(site["created_by"].toString(), QString("Иванов"));
    QCOMPARE(site["changed_by"].toString(), QString("Петров"));

    QCOMPARE(bench.Cli({"site", "attach", "Банк №2", "--serial", "A10K"}).exitCode, 0);
    const Run show = bench.Cli({"site", "show", "Банк №2"});
    QVERIFY2(show.out.startsWith("Объект: Банк №2\nАдрес: ул. Ленина, 3\n"), qPrintable(show.out));
    QVERIFY2(show.out.contains("Приборы:\n  A10K  0 -  "), qPrintable(show.out));
    QVERIFY2(show.out.contains("  attach  A10K  Банк №2  - → -  succeeded"), qPrintable(show.out));
    QCOMPARE(bench.Cli({"site", "show", "Аптека"}).out.count("Заметки: $'a\\nb'"), 1);
    QCOMPARE(bench.Json({"visits", "--site", "Банк №2"})["visits"].toArray().size(), 1);
    QCOMPARE(bench.Json({"visits", "--device", "B"})["visits"].toArray().size(), 0);
}

void TestCliBook::refusedChangesLeaveTheBook_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("a name taken") << QStringList{"site", "add", "Банк"} << "уже есть в книге";
    QTest::newRow("renamed onto another")
        << QStringList{"site", "edit", "Аптека", "--name", "Банк"} << "уже есть в книге";
    QTest::newRow("nothing to change") << QStringList{"site", "edit", "Банк"} << "Не задано";
    QTest::newRow("an empty name")
        << QStringList{"site", "edit", "Банк", "--name", " "} << "должно быть название";
    QTest::newRow("no such site") << QStringList{"site", "show", "Почта"} << "Объекта Почта нет";
    QTest::newRow("attach to no such site")
        << QStringList{"site", "attach", "Почта", "--serial", "S"} << "Объекта Почта нет";
    QTest::newRow("visits of no such site")
        << QStringList{"visits", "--site", "Почта"} << "Объекта Почта нет";
    QTest::newRow("import of a missing file")
        << QStringList{"book", "import", "%dir/missing.json"} << "не прочитан";
    QTest::newRow("import of a bad document")
        << QStringList{"book", "import", "%dir/bad.json"} << "визит 1: поле time";
}

void TestCliBook::refusedChangesLeaveTheBook() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    BookBench bench;
    QCOMPARE(bench.Cli({"site", "add", "Банк"}).exitCode, 0);
    QCOMPARE(bench.Cli({"site", "add", "Аптека"}).exitCode, 0);
    QFile bad(bench.File("bad.json"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"format": "velor580-site-book", "format_version": 1,
                 "sites": [{"uuid": "u1", "name": "Новый"}],
                 "visits": [{"uuid": "v1", "time": "вчера", "action": "read"}]})");
    bad.close();
    const QString exported = bench.File("before.json");
    QCOMPARE(bench.Cli({"book", "export", exported}).exitCode, 0);
    const QJsonObject before = bench.Json({"site", "list"});

    for (QString& argument : arguments) {
        argument.replace("%dir", bench.Dir());
    }
    const Run run = bench.Cli(arguments);
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QCOMPARE(bench.Json({"site", "list"}), before);
    QCOMPARE(bench.Cli({"book", "check"}).out.split('\n').value(3),
             QString("sites=2 devices=0 visits=0"));
}

void TestCliBook::technicianName_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("--technician first") << "Иванов"
                                        << "Петров"
                                        << "Сидоров"
                                        << "Иванов";
    QTest::newRow("then VELOR580_TECHNICIAN") << ""
                                              << "Петров"
                                              << "Сидоров"
                                              << "Петров";
    QTest::newRow("then [SiteBook] Technician") << ""
                                                << ""
                                                << "Сидоров"
                                                << "Сидоров";
    QTest::newRow("a blank name counts as none") << "  "
                                                 << " "
                                                 << ""
                                                 << "%login";
}

void TestCliBook::technicianName() {
    QFETCH(QString, given);
    QFETCH(QString, variable);
    QFETCH(QString, ini);
    QFETCH(QString, recorded);
    BookBench bench;
    QFile iniFile(bench.File("velor580.INI"));
    QVERIFY(iniFile.open(QIODevice::WriteOnly));
    iniFile.write(("[SiteBook]\nTechnician=" + ini + "\n").toUtf8());
    iniFile.close();
    const VariableScope scope("VELOR580_TECHNICIAN", variable);
    CliEnvironment environment;
    environment.configuratorPath = bench.File("velor580");
    QStringList arguments{"site", "add", "Объект"};
    if (!given.isEmpty()) {
        arguments << "--technician" << given;
    }
    QCOMPARE(bench.Cli(arguments, environment).exitCode, 0);
    const QString createdBy =
        bench.Json({"site", "show", "Объект"})["site"].toObject()["created_by"].toString();
    if (recorded == "%login") {
        QVERIFY(!createdBy.trimmed().isEmpty());
        QVERIFY(createdBy != "Иванов" && createdBy != "Петров" && createdBy != "Сидоров");
    } else {
        QCOMPARE(createdBy, recorded);
    }
}

void TestCliBook::unusableBookIsNamed_data() {
    QTest::addColumn<QString>("book");
    QTest::addColumn<QString>("error");
    QTest::newRow("no book") << ""
                             << "Книга объектов не задана";
    QTest::newRow("damaged") << "%dir/sites.sqlite"
                             << "не открывается";
    QTest::newRow("a folder") << "%dir"
                              << "это не файл";
}

void TestCliBook::unusableBookIsNamed() {
    QFETCH(QString, book);
    QFETCH(QString, error);
    BookBench bench;
    QFile damaged(bench.File("sites.sqlite"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a database");
    damaged.close();
    CliEnvironment environment;
    environment.bookPath = book.replace("%dir", bench.Dir());
    for (const QStringList& arguments :
         {QStringList{"site", "list"}, QStringList{"book", "check"}, QStringList{"visits"}}) {
        const Run run = bench.Cli(arguments, environment);
        QCOMPARE(run.exitCode, kExitFailure);
        QVERIFY2(run.err.contains(error) && run.err.contains(environment.bookPath),
                 qPrintable(run.err));
    }
    QCOMPARE(bench.Cli({"--book", bench.File("sites.sqlite"), "site", "list"}).exitCode,
             kExitFailure);
}

// The snapshots saved before the book: visits without a site in the user's book, once; another
// book named by --book is no place for them.
void TestCliBook::historyGoesIntoTheUsersBookOnce() {
    BookBench bench;
    CliEnvironment environment;
    environment.historyFolder = bench.File("history");
    TVelorDevDesc device;
    device.Type = 580;
    QVERIFY(SettingsHistory(environment.historyFolder)
                .Save(SettingsImage(), device, SettingsImage(),
                      QDateTime::currentDateTime().addDays(-1))
                .Saved());
    const QString other = bench.File("other.sqlite");
    QCOMPARE(bench.Cli({"--book", other, "visits"}, environment).out, QString());
    for (int run = 0; run < 2; ++run) {
        const Run visits = bench.Cli({"visits"}, environment);
        QCOMPARE(visits.out.count('\n'), 1);
        QVERIFY2(visits.out.contains("  write  -  -  ") && visits.out.contains("unknown"),
                 qPrintable(visits.out));
    }
}

void TestCliBook::newBookKeepsTheOldOneAside() {
    BookBench bench;
    QFile damaged(bench.Book());
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a database");
    damaged.close();
    QCOMPARE(bench.Cli({"site", "list"}).exitCode, kExitFailure);
    const Run fresh = bench.Cli({"book", "new"});
    QCOMPARE(fresh.exitCode, 0);
    const QString kept = fresh.err.section("Прежняя книга отложена: ", 1).section('\n', 0, 0);
    QVERIFY2(kept.startsWith(bench.Book() + ".old-"), qPrintable(fresh.err));
    QFile old(kept);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("not a database"));
    QCOMPARE(bench.Cli({"site", "add", "Новый"}).exitCode, 0);
    QCOMPARE(bench.Cli({"site", "list"}).out, QString("Новый  -  -\n"));
    QCOMPARE(bench.Cli({"book", "new", "--json"}).exitCode, kExitUsage);
}

QTEST_GUILESS_MAIN(TestCliBook)
#include "tst_cli_book.moc"
