#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"
#include "catalogue/program_files.h"
#include "catalogue/program_layout.h"
#include "fake_program.h"
#include "link/tty_ftdi_driver.h"
#include "recording_dialogs.h"
#include "shell/about_box.h"
#include "shell/configurator_app.h"
#include "shell/startup.h"
#include "ui/main_form.h"
#include "ui/main_form_deps.h"
#include "ui/widgets/radio_group.h"
#include "version/program_version.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {

constexpr int kStuckRunMs = 10000;

// Throws from its event handler, as a failing command handler does.
class FailingHandler : public QObject {
public:
    explicit FailingHandler(bool knownKind) : knownKind_(knownKind) {}
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) {
            return QObject::event(event);
        }
        if (knownKind_) {
            throw std::runtime_error(u8"Ошибка чтения файла");
        }
        throw 42;
    }

private:
    bool knownKind_;
};

void ThrowKnownError() {
    throw std::runtime_error(u8"Файл 580default.cfg не найден");
}

void ThrowUnknownError() {
    throw 42;
}

// A label's text as it reads: the word joiners and the no-break space that keep "-->" on one line
// with the word before it read as nothing and as a space.
QString Text(QWidget* parent, const char* name) {
    if (auto* label = parent->findChild<QLabel*>(QString::fromLatin1(name))) {
        return label->text().remove(QChar(0x2060)).replace(QChar(0x00A0), QLatin1Char(' '));
    }
    if (auto* button = parent->findChild<QPushButton*>(QString::fromLatin1(name))) {
        return button->text();
    }
    return QStringLiteral("<no control %1>").arg(QString::fromLatin1(name));
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init() { dialogs_ = RecordingDialogs(); }
    void cleanup() { velor::SetNewResourceFile(QString(), {}, velor::kBaseLocale); }

    void startsInTheProgramFolderWithItsLanguage() {
        FakeProgram program;
        QVERIFY(prepare(program, "[Language]\nDefault=EN\n"));
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        QVERIFY(QDir::setCurrent(QDir::tempPath()));

        const StartedProgram started = StartConfigurator(context(program));
        QCOMPARE(QDir::currentPath(), QDir(program.folder()).canonicalPath());
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(program.path()), QStringLiteral("EN"));
        QCOMPARE(velor::CurrentResourceLocale(), QStringLiteral("EN"));
        QCOMPARE(velor::MessageText(10001), QStringLiteral("Test 10001"));
        QVERIFY(started.mainForm);
        QCOMPARE(mainWindow_, started.mainForm.get());
        QVERIFY(started.aboutBox);
        QVERIFY(!started.aboutBox->isVisible());
        QVERIFY(dialogs_.boxes.isEmpty());
    }

    // The window's driver opens the serial device the INI file names, if any.
    void windowGetsItsDependencies() {
        FakeProgram program;
        QVERIFY(prepare(program, "[Port]\nDevice=/dev/pts/42\n"));
        StartupContext c = context(program);
        MainFormDeps given;
        c.makeMainForm = [&given](MainFormDeps deps) {
            given = deps;
            return std::make_unique<TMainForm>(std::move(deps));
        };
        const StartedProgram started = StartConfigurator(c);
        QCOMPARE(given.dialogs, &dialogs_);
        QVERIFY(given.sleeper);
        QVERIFY(given.makeDriver);
        const std::unique_ptr<FtdiDriver> driver = given.makeDriver();
        auto* tty = dynamic_cast<TtyFtdiDriver*>(driver.get());
        QVERIFY(tty != nullptr);
        QCOMPARE(tty->DevicePath(0), std::string("/dev/pts/42"));
    }

    void startsWithBuiltInTextsWithoutIniFile() {
        FakeProgram program;
        QVERIFY(prepare(program, QByteArray()));
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        const StartedProgram started = StartConfigurator(context(program));
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(program.path()), QStringLiteral("RU"));
        QCOMPARE(velor::CurrentResourceLocale(), QString());
        QCOMPARE(velor::MessageText(10027), velor::BuiltInMessageText(10027));
    }

    void failedStartIsShownAndEndsNonZero_data() {
        QTest::addColumn<bool>("knownKind");
        QTest::addColumn<QString>("text");
        QTest::newRow("error with a text") << true << u8"Файл 580default.cfg не найден";
        QTest::newRow("error of unknown kind") << false << "";
    }
    void failedStartIsShownAndEndsNonZero() {
        QFETCH(bool, knownKind);
        QFETCH(QString, text);
        FakeProgram program;
        QVERIFY(prepare(program, QByteArray()));
        StartupContext failing = context(program);
        failing.makeMainForm = [knownKind](MainFormDeps) -> std::unique_ptr<TMainForm> {
            knownKind ? ThrowKnownError() : ThrowUnknownError();
            return nullptr;
        };

        QCOMPARE(RunConfigurator(failing), kStartupFailedExitCode);
        QCOMPARE(dialogs_.boxes.size(), 1);
        QCOMPARE(dialogs_.boxes.at(0).text, text);
        QCOMPARE(dialogs_.boxes.at(0).icon, BoxIcon::Error);
        QCOMPARE(mainWindow_, nullptr);
    }

    // The message loop runs until the main window has closed; a normal end returns 0.
    void closingTheWindowEndsTheRunWithZero() {
        FakeProgram program;
        QVERIFY(prepare(program, QByteArray()));
        // The window's settings changed, so closing asks whether to save them: "Отмена" to the
        // first close, "Не сохранять" to the second.
        dialogs_.onBox = [this](const MessageBoxRequest& box) {
            const bool confirmation = box.buttons == BoxButtons::SaveDiscardCancel;
            dialogs_.answers.enqueue(confirmation && ++confirmations_ == 2 ? BoxResult::Discard
                                                                           : BoxResult::Cancel);
        };
        confirmations_ = 0;
        QTimer::singleShot(0, this, [this] {
            QVERIFY(mainWindow_ != nullptr);
            auto* form = qobject_cast<TMainForm*>(mainWindow_);
            QVERIFY(form != nullptr);
            auto* buttonLock = form->Control<RadioGroup>(QStringLiteral("KBBlockRadioGroup"));
            buttonLock->SetItemIndex(1 - buttonLock->ItemIndex());
            mainWindow_->close();
            QVERIFY(mainWindow_->isVisible()); // answered No: the program goes on
            mainWindow_->close();
        });
        // Ends a run that fails to end, so that the test fails instead of hanging.
        bool stuck = false;
        QTimer stuckGuard;
        stuckGuard.setSingleShot(true);
        connect(&stuckGuard, &QTimer::timeout, this, [&stuck] {
            stuck = true;
            QCoreApplication::quit();
        });
        stuckGuard.start(kStuckRunMs);

        QCOMPARE(RunConfigurator(context(program)), 0);
        QVERIFY(!stuck);
        QCOMPARE(confirmations_, 2);
        QCOMPARE(mainWindow_, nullptr);
    }

    void handlerErrorIsShownAndTheLoopGoesOn_data() {
        QTest::addColumn<bool>("knownKind");
        QTest::addColumn<QString>("text");
        QTest::newRow("error with a text") << true << u8"Ошибка чтения файла";
        QTest::newRow("error of unknown kind") << false << "";
    }
    void handlerErrorIsShownAndTheLoopGoesOn() {
        QFETCH(bool, knownKind);
        QFETCH(QString, text);
        auto* app = qobject_cast<ConfiguratorApp*>(QCoreApplication::instance());
        QVERIFY(app != nullptr);
        app->SetExceptionDialogs(&dialogs_);
        FailingHandler handler(knownKind);
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&handler, &event));
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        app->SetExceptionDialogs(nullptr);

        QCOMPARE(dialogs_.boxes.size(), 2);
        for (const MessageBoxRequest& box : dialogs_.boxes) {
            QCOMPARE(box.text, text);
            QCOMPARE(box.icon, BoxIcon::Error);
        }
    }

    // Installed (data in share/velor580), start-up works in the data folder, seeds the user's INI
    // file from the shipped template, takes its language from there, puts the firmware folder
    // with the user and writes nothing into the installed tree.
    void startsInstalledWithTheUsersFiles() {
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(prepare(program, {}));
        FakeProgram::WriteFile(velor::IniTemplatePath(program.path()),
                               "[Language]\nDefault=EN\n\n[Help]\nEN=velor580_en.html\n");
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        const QStringList shippedFiles = QDir(program.dataFolder()).entryList(QDir::AllEntries);
        const QStringList programFiles = QDir(program.folder()).entryList(QDir::AllEntries);

        const StartedProgram started = StartConfigurator(context(program));
        QCOMPARE(QDir::currentPath(), QDir(program.dataFolder()).canonicalPath());
        const QString userIni = velor::IniFilePath(program.path());
        QVERIFY2(userIni.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")), qPrintable(userIni));
        QVERIFY(QFileInfo::exists(userIni));
        QCOMPARE(velor::CurrentResourceLocale(), QStringLiteral("EN"));
        QCOMPARE(velor::MessageText(10001), QStringLiteral("Test 10001"));
        QVERIFY(QDir(velor::FirmwareFolder(program.path())).exists());
        QVERIFY(velor::FirmwareFolder(program.path())
                    .startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        QCOMPARE(QDir(program.dataFolder()).entryList(QDir::AllEntries), shippedFiles);
        QCOMPARE(QDir(program.folder()).entryList(QDir::AllEntries), programFiles);
    }

    // A user INI file that cannot be created is reported in the status bar, once: a second
    // failure leaves the first report as it is.
    void unwritableUserIniIsReportedOnce() {
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(prepare(program, {}));
        FakeProgram::WriteFile(velor::IniTemplatePath(program.path()), "[Language]\nDefault=RU\n");
        const QString blocker = qEnvironmentVariable("XDG_CONFIG_HOME") + "/velor580";
        QVERIFY(QDir(blocker).removeRecursively());
        FakeProgram::WriteFile(blocker, "a file where the folder belongs");
        QVERIFY(QFileInfo(blocker).isFile());
        const StartedProgram started = StartConfigurator(context(program));
        QFile::remove(blocker);

        const QString report = QStringLiteral("Настройки программы не сохраняются: нет записи в %1")
                                   .arg(velor::UserIniPath(program.path()));
        QCOMPARE(started.mainForm->StatusText(), report);
        started.mainForm->ReportIniWriteFailure(QStringLiteral("/elsewhere/velor580.INI"));
        QCOMPARE(started.mainForm->StatusText(), report);
    }

    // A user INI file of binary junk is kept aside and named in the status bar; the program
    // starts from the template and does not claim the file cannot be written.
    void damagedUserIniIsNamedInTheStatusBar() {
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(prepare(program, {}));
        FakeProgram::WriteFile(velor::IniTemplatePath(program.path()), "[Language]\nDefault=RU\n");
        const QString userIni = velor::UserIniPath(program.path());
        QVERIFY(QDir().mkpath(QFileInfo(userIni).absolutePath()));
        FakeProgram::WriteFile(userIni, QByteArray("\x00\x01\x02\xff binary junk", 17));

        const StartedProgram started = StartConfigurator(context(program));
        const QString status = started.mainForm->StatusText();
        QVERIFY2(status.startsWith("Файл настроек программы был поврежден: он сохранен как " +
                                   userIni + ".damaged-"),
                 qPrintable(status));
        QVERIFY2(!status.contains("нет записи"), qPrintable(status));
    }

    void aboutBoxContent_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("ProductName") << "ProductName"
                                     << "Программа настройки прибора 580 в автономном режиме";
        // The project's version (CMake), the same that every program's --version prints.
        QTest::newRow("Version")
            << "Version" << QStringLiteral("Версия %1").arg(QLatin1String(velor::kProgramVersion));
        QTest::newRow("Comments") << "Comments"
                                  << "Для начала работы с программой выберите в меню <Режим "
                                     "работы> нужный (меню справа -->)";
        QTest::newRow("OKButton") << "OKButton"
                                  << "OK";
    }
    void aboutBoxContent() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(Text(&box, control.toLatin1().constData()), text);
    }

    void aboutBoxPictureAndOkButton() {
        TAboutBox box;
        auto* picture = box.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
        QVERIFY(picture != nullptr);
        QVERIFY(!picture->pixmap().isNull());
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("OKButton"));
        QVERIFY(ok != nullptr);
        QVERIFY(ok->isDefault());

        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        ok->click();
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void aboutBoxFollowsTheLanguage() {
        FakeProgram program;
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        TAboutBox box;
        velor::SetNewResourceFile(QStringLiteral("EN"), {}, velor::kBaseLocale, program.path());
        QTRY_COMPARE(box.windowTitle(), QStringLiteral("About (test)"));
        velor::SetNewResourceFile(velor::kBaseLocale, {}, velor::kBaseLocale, program.path());
        QTRY_COMPARE(box.windowTitle(), QStringLiteral("О программе"));
    }

private:
    // The program's folder as the build lays it out: the factory defaults beside the program.
    static bool prepare(const FakeProgram& program, const QByteArray& ini) {
        const QString defaults = qEnvironmentVariable("VELOR_SOURCE_DIR") + "/data/580default.cfg";
        if (!ini.isEmpty()) {
            program.WriteIni(ini);
        }
        return program.CopyIntoFolder(defaults, QStringLiteral("580default.cfg"));
    }

    StartupContext context(const FakeProgram& program) {
        StartupContext c;
        c.programPath = program.path();
        c.dialogs = &dialogs_;
        c.setMainWindow = [this](QWidget* window) { mainWindow_ = window; };
        return c;
    }

    RecordingDialogs dialogs_;
    QWidget* mainWindow_ = nullptr;
    int confirmations_ = 0;
};

int main(int argc, char** argv) {
    const IsolatedUserSettings isolation; // before anything reads settings
    ConfiguratorApp app(argc, argv);
    if (!isolation.InEffect()) {
        qFatal("per-user settings are not isolated");
    }
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
