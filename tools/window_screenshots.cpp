// Pictures of the main window for the documentation: the window built offscreen as the program
// builds it, one PNG per window mode (and the key page), the Russian open dialog that Ctrl+O
// shows, and the window on the screen of a laptop at 125 % and of a full HD screen at 200 %. Run
// from the runtime folder (it reads 580default.cfg there):
//   cd build/bin && ../tools/velor580-screenshots ../../docs
// The screen pictures come from the same program run again with "--screen WxH@SCALE <folder>".

#include "fake_sysfs.h"
#include "offscreen_screen.h"

#include "book/site_book.h"
#include "ui/book/site_book_window.h"
#include "ui/dialogs.h"
#include "ui/help_window.h"
#include "ui/main_form.h"
#include "ui/pages/port_list.h"
#include "ui/safety/history_dialog.h"
#include "ui/safety/write_review_dialog.h"
#include "ui/screen_fit.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/program_layout.h"
#include "settings/cfg_format.h"
#include "settings/settings_check.h"
#include "settings/settings_diff.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <exception>
#include <memory>
#include <utility>

namespace {
constexpr int kUsageError = 2;
constexpr int kFailure = 1;
constexpr int kDialogLoadMs = 5000; // the file dialog lists its folder on a thread of its own
constexpr char kDialogPicture[] = "file-dialog-russian.png";
constexpr QSize kDialogSize(760, 440);

constexpr int kDemoWindowMode = 2;
constexpr int kKeyPage = 3;
constexpr uint16_t kModel580 = 580;
constexpr uint16_t kPlatform = 5;

// Work-mode item, page and the picture it goes to, in the order a technician meets them: the demo
// mode the program opens in, its key page, then the settings and the firmware window modes
// (with a firmware file loaded from a deep folder).
struct Shot {
    int workMode;
    int page; // -1: the page the window mode opens
    const char* file;
};
constexpr Shot kShots[] = {
    {kDemoWindowMode, -1, "window-demo.png"},
    {kDemoWindowMode, kKeyPage, "window-identifiers.png"},
    {0, -1, "window-settings.png"},
    {1, -1, "window-firmware.png"},
};
constexpr int kFirmwareWindowMode = 1;

// The program's own dialogs, except that the next open dialog may be answered here.
class ShotDialogs : public QtDialogs {
public:
    QString OpenFileName(const FileDialogRequest& request) override {
        return nextOpen.isEmpty() ? QtDialogs::OpenFileName(request) : std::exchange(nextOpen, {});
    }
    QString nextOpen;
};

// A firmware file for a model 580 on kPlatform, version 3_1_7, in a folder as deep as a
// technician's archive gets, dated 14 March 2024, 09:30.
QString WriteFirmwareFile(const QDir& root) {
    const QString folder = root.filePath(
        QStringLiteral("Объекты/Склад 4, ул. Заводская 17/Прибор 580 зал 2/Обновления 2024"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/velor580-3_1_7.tsk");
    QByteArray content;
    content += char(kModel580 & 0xFF);
    content += char(kModel580 >> 8);
    content += char(kPlatform);
    content += char(0);
    content += QByteArray("\x03\x01\x07\xA1\xA2\xA3\xA4", 7);
    content += QByteArray(64 * 16, '\x5A');
    content += QByteArray("\xEE\xEF", 2);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return {};
    }
    file.close();
    if (file.open(QIODevice::ReadWrite)) {
        file.setFileTime(QDateTime(QDate(2024, 3, 14), QTime(9, 30)),
                         QFileDevice::FileModificationTime);
    }
    return path;
}

// The screens of the screen pictures: physical size, scale factor, picture.
struct ScreenShot {
    const char* screen;
    const char* file;
};
constexpr ScreenShot kScreenShots[] = {
    {"1366x768@1.25", "window-1366x768-125.png"},
    {"1920x1080@2", "window-1920x1080-200.png"},
};

bool Save(const QPixmap& picture, const QString& path) {
    if (!picture.save(path)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

// Qt's own Russian texts (buttons and labels of the file dialog), where the system has them, and
// Russian formats and file type names, as on a Russian desktop.
void LoadQtRussian(QTranslator& translator) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator.load(QStringLiteral("qtbase_ru"), folder)) {
        QCoreApplication::installTranslator(&translator);
    } else {
        QTextStream(stderr) << "no qtbase_ru.qm in " << folder
                            << " (Debian: qt6-translations-l10n): the dialog stays English\n";
    }
}

// The open dialog the load command shows, pictured once it has listed its folder, then cancelled.
// Runs while the dialog's own event loop does.
void PictureNextDialog(const QString& path, bool& saved) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path, &saved] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->deleteLater();
        poll->stop();
        dialog->resize(kDialogSize); // wide enough for the columns of the list
        auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        QElapsedTimer waited;
        waited.start();
        while (list != nullptr && list->model()->rowCount(list->rootIndex()) == 0 &&
               waited.elapsed() < kDialogLoadMs) {
            QTest::qWait(50);
        }
        if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
            details->header()->resizeSections(QHeaderView::ResizeToContents);
        }
        QTest::qWait(200);
        saved = Save(dialog->grab(), path);
        dialog->reject();
    });
    poll->start(50);
}

// A folder of saved settings beside the firmware archive: two configuration files.
QString PrepareSettingsFolder(const QDir& root) {
    const QString folder = root.filePath(QStringLiteral("Объекты"));
    QDir().mkpath(folder + QStringLiteral("/Склад 4, ул. Заводская 17"));
    for (const char* name : {"Склад 4, ул. Заводская 17.cfg", "Офис, 2-й этаж.cfg"}) {
        QFile::copy(QLatin1String(velor::kFactoryDefaultsFile),
                    folder + QLatin1Char('/') + QString::fromUtf8(name));
    }
    return folder;
}

// Ctrl+O in the demo mode the window opens in, as a technician opens a configuration file, in a
// folder of saved settings (the dialog opens in the current folder).
bool SaveDialogShot(TMainForm& form, const QDir& archive, const QDir& folder) {
    const QString programFolder = QDir::currentPath();
    if (!QDir::setCurrent(PrepareSettingsFolder(archive))) {
        QTextStream(stderr) << "cannot change to the settings folder\n";
        return false;
    }
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        QTextStream(stderr) << "the window did not become active\n";
        return false;
    }
    bool saved = false;
    PictureNextDialog(folder.filePath(QLatin1String(kDialogPicture)), saved);
    QTest::keyClick(form.windowHandle(), Qt::Key_O, Qt::ControlModifier);
    QDir::setCurrent(programFolder); // where the screen pictures find 580default.cfg
    return saved;
}

bool SaveShots(const QDir& folder) {
    ShotDialogs dialogs;
    MainFormDeps deps;
    deps.dialogs = &dialogs;
    TMainForm form(std::move(deps));
    dialogs.SetMainWindow(&form);
    form.FormCreate();
    form.show();
    const QTemporaryDir archive;
    if (!SaveDialogShot(form, QDir(archive.path()), folder)) {
        return false;
    }
    for (const Shot& shot : kShots) {
        form.Control<ComboList>(QStringLiteral("WorkMode"))->SetItemIndex(shot.workMode);
        form.WorkModeClick();
        if (shot.page >= 0) {
            form.Control<PageControl>(QStringLiteral("PageControl1"))
                ->SetActivePageIndex(shot.page);
        }
        if (shot.workMode == kFirmwareWindowMode) {
            form.Device().Descriptor.Type = kModel580;
            form.Device().Descriptor.Platform = kPlatform;
            dialogs.nextOpen = WriteFirmwareFile(QDir(archive.path()));
            form.LoadButtonClick();
        }
        QApplication::processEvents();
        if (!Save(form.grab(), folder.filePath(QLatin1String(shot.file)))) {
            return false;
        }
    }
    return true;
}

// The port list open under "USB - порт" in the settings window mode, over two FTDI bridges in a
// sysfs tree of the tool's own: the first one's node is /dev/null (which anyone may open), the
// second has none. The list's popup is a window of its own, drawn over the main window.
bool SavePortListShot(const QDir& folder) {
    FakeSysfs sysfs;
    const QTemporaryDir dev(QDir::temp().filePath(QStringLiteral("dev-XXXXXX")));
    sysfs.AddTty(QStringLiteral("ttyUSB0"), QStringLiteral("0403"), true, true,
                 QStringLiteral("FT4XK2A1"), QStringLiteral("1-1.4"));
    sysfs.AddTty(QStringLiteral("ttyUSB1"), QStringLiteral("0403"), true, true,
                 QStringLiteral("FT6BQ9Z3"), QStringLiteral("1-1.2"));
    QFile::link(QStringLiteral("/dev/null"), dev.filePath(QStringLiteral("ttyUSB0")));
    qputenv("VELOR580_SYSFS_ROOT", sysfs.root().toUtf8());
    qputenv("VELOR580_DEV_ROOT", dev.path().toUtf8());
    ShotDialogs dialogs;
    MainFormDeps deps;
    deps.dialogs = &dialogs;
    TMainForm form(std::move(deps));
    qunsetenv("VELOR580_SYSFS_ROOT");
    qunsetenv("VELOR580_DEV_ROOT");
    form.FormCreate();
    form.show();
    form.Control<ComboList>(QStringLiteral("WorkMode"))->SetItemIndex(0); // "Смена настроек"
    form.WorkModeClick();
    auto* ports = form.Control<PortList>(QStringLiteral("UsbPortList"));
    ports->showPopup();
    ports->view()->setCurrentIndex(ports->model()->index(1, 0));
    QApplication::processEvents();
    const QWidget* popup = ports->view()->window();
    const QRect area = form.frameGeometry().united(popup->frameGeometry());
    QPixmap picture(area.size());
    picture.fill(QColor(0x3a, 0x4a, 0x5c));
    QPainter painter(&picture);
    painter.drawPixmap(form.geometry().topLeft() - area.topLeft(), form.grab());
    painter.drawPixmap(popup->geometry().topLeft() - area.topLeft(),
                       const_cast<QWidget*>(popup)->grab());
    painter.end();
    ports->hidePopup();
    return Save(picture, folder.filePath(QStringLiteral("port-list.png")));
}

// The settings a device held before a write in the pictures of the write's safeguards: the
// factory settings with a few fields a technician changes.
SettingsImage EarlierSettings() {
    SettingsImage image = LoadCfgFile(QLatin1String(velor::kFactoryDefaultsFile));
    image.SetDelaySeconds(Delay::EntryLoop1, 20);
    image.SetLoopOption(LoopOption::Fire, 3, true);
    image.SetRearmTimeSeconds(120);
    return image;
}

// The change list before a settings write, and the history with a snapshot shown.
bool SaveSafetyShots(const QDir& folder) {
    const SettingsImage device = EarlierSettings();
    // A key registered without any right: the check warns of it above the changes.
    SettingsImage window = LoadCfgFile(QLatin1String(velor::kFactoryDefaultsFile));
    window.SetIdentifierCount(1);
    window.SetIdentifierCode(1, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB});
    window.SetArmRights(1, 0);
    window.SetDisarmRights(1, 0);
    WriteReviewRequest review;
    review.device = TMainForm::DeviceText(kModel580, QStringLiteral("3_1_7"));
    review.deviceFingerprint = velor::settings::ShortFingerprint(device);
    review.windowFingerprint = velor::settings::ShortFingerprint(window);
    review.changes = velor::settings::DiffSettings(device, window);
    for (const velor::settings::CheckFinding& finding :
         velor::settings::CheckSettings(window).findings) {
        review.warnings << velor::settings::FindingLine(finding);
    }
    WriteReviewDialog reviewDialog(review, nullptr);
    reviewDialog.show();
    QApplication::processEvents();
    if (!Save(reviewDialog.grab(), folder.filePath(QStringLiteral("write-review.png")))) {
        return false;
    }
    HistoryRequest history;
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 36, 42));
    for (int day = 0; day < 3; ++day) {
        const QDateTime saved = when.addDays(-7 * day);
        history.entries.push_back(
            {QLocale().toString(saved, QLocale::ShortFormat), review.device,
             velor::settings::ShortFingerprint(device),
             saved.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral("_580_3_1_7.cfg")});
    }
    history.report = [&device](int) {
        return TMainForm::tr("Отпечаток: %1").arg(velor::settings::ShortFingerprint(device)) +
               QStringLiteral("\n\n") + velor::settings::SettingsPagesText(device);
    };
    HistoryDialog historyDialog(history, nullptr);
    historyDialog.show();
    historyDialog.findChild<QPushButton*>(QStringLiteral("ShowButton"))->click();
    QApplication::processEvents();
    return Save(historyDialog.grab(), folder.filePath(QStringLiteral("history.png")));
}

// The help window at the identifier page's section, as F1 on that page opens it.
bool SaveHelpShot(const QDir& folder) {
    HelpWindow help(nullptr, nullptr);
    help.ShowSection(QDir::current().filePath(QStringLiteral("help/velor580_ru.html")),
                     QStringLiteral("keys"));
    QApplication::processEvents();
    return Save(help.grab(), folder.filePath(QStringLiteral("help-window.png")));
}

// A site in the site book window: a book of a few sites in a temporary folder, the search
// typed, the site's card with its devices and visits, the newest visit's settings shown.
bool SaveSiteBookShot(const QDir& folder) {
    QTemporaryDir dir;
    const std::unique_ptr<SiteBook> book =
        OpenSiteBook(dir.filePath(QStringLiteral("sites.sqlite")));
    const QString technician = QStringLiteral("Иван Петров");
    const struct {
        const char* name;
        const char* address;
        const char* phone;
    } kSites[] = {
        {"Школа №5", "ул. Ленина, 1", "+7 900 111-22-33"},
        {"Школьный стадион", "ул. Спортивная, 12", ""},
        {"Аптека «Здоровье»", "Садовая, 3", "+7 900 555-01-02"},
    };
    for (const auto& design : kSites) {
        SiteRecord site;
        site.name = QString::fromUtf8(design.name);
        site.address = QString::fromUtf8(design.address);
        site.phone = QString::fromUtf8(design.phone);
        site.contact = QStringLiteral("Мария Сергеевна");
        book->AddSite(site, technician);
    }
    const SiteRecord school = *book->SiteByName(QString::fromUtf8(kSites[0].name)).value;
    const QString serial = QStringLiteral("A10K1234");
    book->NoteDevice({serial, kModel580, kPlatform, QStringLiteral("3_1_7"), {}});
    book->AttachDevice(serial, school.uuid, technician);
    const SettingsImage before = EarlierSettings();
    const SettingsImage written = LoadCfgFile(QLatin1String(velor::kFactoryDefaultsFile));
    VisitRecord read;
    read.time = QDateTime(QDate(2026, 11, 26), QTime(10, 5), Qt::UTC);
    read.technician = QStringLiteral("Сидоров");
    read.siteUuid = school.uuid;
    read.deviceSerial = serial;
    read.before = before;
    read.beforeFingerprint = velor::settings::Fingerprint(before);
    read.result = QLatin1String(velor::book::kResultSucceeded);
    book->RecordVisit(read);
    VisitRecord write = read;
    write.time = QDateTime(QDate(2026, 12, 10), QTime(14, 36), Qt::UTC);
    write.technician = technician;
    write.action = VisitAction::Write;
    write.written = written;
    write.writtenFingerprint = velor::settings::Fingerprint(written);
    write.verified = true;
    book->RecordVisit(write);

    QtDialogs dialogs;
    SiteBookRequest request;
    request.book = book.get();
    request.dialogs = &dialogs;
    request.technician = technician;
    SiteBookWindow window(request);
    window.findChild<QLineEdit*>(QStringLiteral("SiteSearch"))->setText(QStringLiteral("Шк"));
    window.findChild<QTableWidget*>(QStringLiteral("VisitTable"))->selectRow(1);
    window.findChild<QPushButton*>(QStringLiteral("ShowVisitButton"))->click();
    window.show();
    QApplication::processEvents();
    return Save(window.grab(), folder.filePath(QStringLiteral("site-book.png")));
}

// The window as it opens on the screen, with the title bar a window manager adds drawn above it
// (the offscreen platform has none) on an empty desktop.
bool SaveScreenShot(const QString& path) {
    QtDialogs dialogs;
    MainFormDeps deps;
    deps.dialogs = &dialogs;
    TMainForm form(std::move(deps));
    form.FormCreate();
    form.show();
    QApplication::processEvents();
    const QScreen* screen = form.screen();
    const qreal scale = screen->devicePixelRatio();
    QImage desktop((QSizeF(screen->geometry().size()) * scale).toSize(), QImage::Format_RGB32);
    desktop.fill(QColor(0x3a, 0x4a, 0x5c));
    QPainter painter(&desktop);
    painter.scale(scale, scale);
    const int title = velor::window::kFrameAllowance.top();
    const QRect titleBar(form.pos(), QSize(form.width(), title));
    painter.fillRect(titleBar, QColor(0x30, 0x30, 0x30));
    painter.setPen(Qt::white);
    painter.drawText(titleBar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     form.windowTitle());
    painter.drawPixmap(form.pos() + QPoint(0, title), form.grab());
    painter.end();
    return Save(QPixmap::fromImage(desktop), path);
}

// The offscreen platform with one screen of that physical size and Qt's scale factor, with no
// window frame (the title bar is drawn), before the application exists. False for a screen
// given otherwise than WxH@SCALE.
bool UseScreen(const QString& screen) {
    return UseOffscreenScreen(
        screen, QDir::temp().filePath(QStringLiteral("velor580-screenshot-screen.json")));
}

int Usage() {
    QTextStream(stderr) << "usage: velor580-screenshots [--screen WxH@SCALE] <output folder>\n";
    return kUsageError;
}
} // namespace

int main(int argc, char** argv) {
    const bool screenShot = argc == 4 && QByteArray(argv[1]) == "--screen";
    if (screenShot && !UseScreen(QString::fromLocal8Bit(argv[2]))) {
        return Usage();
    }
    if (!screenShot) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The file dialog lists sizes and dates in the system's formats: those of a Russian desktop.
    qputenv("LC_ALL", "ru_RU.UTF-8");
    QApplication app(argc, argv);
    if (argc != 2 && !screenShot) {
        return Usage();
    }
    const QDir folder(QDir(QString::fromLocal8Bit(argv[argc - 1])).absolutePath());
    if (!folder.exists()) {
        QTextStream(stderr) << "no folder " << folder.path() << '\n';
        return kUsageError;
    }
    velor::LoadBuiltInCatalogue();
    QTranslator qtRussian;
    LoadQtRussian(qtRussian);
    try {
        if (screenShot) {
            const QString file = QString::fromLocal8Bit(argv[2]);
            for (const ScreenShot& shot : kScreenShots) {
                if (file == QLatin1String(shot.screen)) {
                    return SaveScreenShot(folder.filePath(QLatin1String(shot.file))) ? 0 : kFailure;
                }
            }
            return SaveScreenShot(folder.filePath(QStringLiteral("window-%1.png").arg(file)))
                       ? 0
                       : kFailure;
        }
        if (!SaveShots(folder) || !SavePortListShot(folder) || !SaveSafetyShots(folder) ||
            !SaveHelpShot(folder) || !SaveSiteBookShot(folder)) {
            return kFailure;
        }
        for (const ScreenShot& shot : kScreenShots) {
            const int result = QProcess::execute(
                QCoreApplication::applicationFilePath(),
                {QStringLiteral("--screen"), QLatin1String(shot.screen), folder.path()});
            if (result != 0) {
                return kFailure;
            }
        }
        return 0;
    } catch (const std::exception& error) {
        QTextStream(stderr) << QString::fromUtf8(error.what()) << '\n';
        return kFailure;
    }
}
