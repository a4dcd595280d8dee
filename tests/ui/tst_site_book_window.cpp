// The window's side of the site book: the connected device recognised by its bridge's serial
// number (the simulator presented as a bridge through a sysfs tree of the test's own), what
// changed since the last visit, attaching an unknown device, the site book window's search and
// card, and a visit's settings loaded into the window or saved to a file.

#include "fake_sysfs.h"
#include "recording_dialogs.h"
#include "sim_window_rig.h"
#include "window_driver.h"

#include "book/site_book.h"
#include "catalogue/program_layout.h"
#include "link/tty_ftdi_driver.h"
#include "settings/cfg_format.h"
#include "ui/book/site_book_window.h"
#include "ui/main_form.h"
#include "ui/window_locale.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using sim_window::Rig;

namespace {

constexpr char kSerial[] = "A10K1234";
constexpr char kTechnician[] = "Иван Петров";

// A site book file in a temporary folder, and the test's own connection to it.
struct BookFile {
    BookFile() : path(dir.filePath("sites.sqlite")), book(OpenSiteBook(path)) {}

    SiteRecord AddSite(const QString& name, const QString& address = {},
                       const QString& phone = {}) {
        SiteRecord site;
        site.name = name;
        site.address = address;
        site.phone = phone;
        return book->AddSite(site, kTechnician).value;
    }
    void Attach(const QString& serial, const SiteRecord& site) {
        QVERIFY(book->AttachDevice(serial, site.uuid, kTechnician).Ok());
    }
    // A visit an hour ago that left image in the device.
    VisitRecord RecordRead(const QString& serial, const SettingsImage& image,
                           const QString& siteUuid = {}, int minutesAgo = 60) {
        VisitRecord visit;
        visit.time = QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo);
        visit.technician = kTechnician;
        visit.siteUuid = siteUuid;
        visit.deviceSerial = serial;
        visit.action = VisitAction::Read;
        visit.before = image;
        visit.beforeFingerprint = QStringLiteral("ab12cd34ef56ab12");
        visit.result = velor::book::kResultSucceeded;
        return book->RecordVisit(visit).value;
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<SiteBook> book;
};

// An environment variable set for the life of the scope.
class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const QString& value) : name_(name) {
        qputenv(name_, value.toUtf8());
    }
    ~EnvironmentScope() { qunsetenv(name_); }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    const char* name_;
};

// The window on the simulator, which is presented as an FTDI bridge with the serial number
// kSerial (a sysfs tree and a ttyUSB0 link to the simulator's terminal) or reached through its
// terminal alone (no serial number), with the site book at bookPath.
class BridgeRig {
public:
    BridgeRig(bool withSerial, const QString& bookPath, velor::sim::SimState state = {})
        : sysfsScope_("VELOR580_SYSFS_ROOT", sysfs_.root()),
          devScope_("VELOR580_DEV_ROOT", dev_.path()), link_(dev_.filePath("ttyUSB0")) {
        sysfs_.AddTty("ttyUSB0", "0403", true, true, kSerial, "1-1.4");
        rig = std::make_unique<Rig>(std::move(state), [&](MainFormDeps& deps) {
            if (withSerial) {
                deps.makeDriver = [this] { return std::make_unique<TtyFtdiDriver>(link_); };
            }
            deps.siteBookPath = bookPath;
        });
        QFile::link(rig->PortPath(), link_);
    }
    ~BridgeRig() { rig.reset(); }
    BridgeRig(const BridgeRig&) = delete;
    BridgeRig& operator=(const BridgeRig&) = delete;

    QString Text(const char* name) const { return rig->Label(QLatin1String(name)); }
    bool Shown(const char* name) const {
        return !rig->form->FindControl(QLatin1String(name))->isHidden();
    }
    [[nodiscard]] bool Read() {
        rig->Issue(sim_window::Command::Read);
        return rig->WaitIdle();
    }

private:
    FakeSysfs sysfs_;
    QTemporaryDir dev_;
    EnvironmentScope sysfsScope_;
    EnvironmentScope devScope_;
    QString link_;

public:
    std::unique_ptr<Rig> rig;
};

// Each delay is one field of the review's list.
constexpr Delay kDelays[] = {Delay::EntryLoop1, Delay::ExitLoop1, Delay::EntryLoop2};

SettingsImage WithDelaysChanged(SettingsImage image, int count) {
    for (int i = 0; i < count; ++i) {
        image.SetDelaySeconds(kDelays[i], image.DelaySeconds(kDelays[i]) + 1);
    }
    return image;
}

QStringList Listed(const QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row) {
        names << list->item(row)->text();
    }
    return names;
}

// Typed a character at a time, as a technician types (QTest's key clicks know Latin only).
void TypeInto(QLineEdit* edit, const QString& text) {
    for (const QChar character : text) {
        edit->insert(QString(character));
    }
}

QString Cell(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item != nullptr ? item->text() : QString();
}

template <class T> T* Child(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

// The site book window on the request, the site named in the list chosen and the given visit
// row chosen, then the button clicked; returns the window's choice.
SiteBookChoice DriveSiteBook(const SiteBookRequest& request, const QString& site, int visitRow,
                             const char* button) {
    SiteBookWindow window(request);
    auto* list = Child<QListWidget>(window, "SiteList");
    const QList<QListWidgetItem*> found = list->findItems(site, Qt::MatchStartsWith);
    if (!found.isEmpty()) {
        list->setCurrentItem(found.first());
    }
    if (visitRow >= 0) {
        Child<QTableWidget>(window, "VisitTable")->selectRow(visitRow);
    }
    Child<QPushButton>(window, button)->click();
    return window.Choice();
}

} // namespace

class TestSiteBookWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void recognitionShowsTheSite_data();
    void recognitionShowsTheSite();
    void sinceLastVisit_data();
    void sinceLastVisit();
    void attachUnknownDevice();
    void siteChosenForPortWithoutSerial();
    void unreadableBookLeavesDeviceWork();
    void siteWindowSearch_data();
    void siteWindowSearch();
    void siteCard();
    void visitIntoWindow_data();
    void visitIntoWindow();

private:
    std::unique_ptr<QTemporaryDir> folder_; // the current folder, with the factory settings
};

void TestSiteBookWindow::init() {
    LoadBuiltInCatalogue();
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
}

void TestSiteBookWindow::recognitionShowsTheSite_data() {
    QTest::addColumn<bool>("withSerial");
    QTest::addColumn<bool>("attached");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("attachOffered");
    QTest::addColumn<bool>("chooseOffered");
    QTest::newRow("device of a site") << true << true << "Объект: Школа №5"
                                      << "ул. Ленина, 1" << false << false;
    QTest::newRow("device of no site") << true << false << "Прибор A10K1234 не привязан к объекту"
                                       << "" << true << false;
    QTest::newRow("port without a serial number")
        << false << true << "Порт без серийного номера: объект не выбран"
        << "" << false << true;
}

void TestSiteBookWindow::recognitionShowsTheSite() {
    QFETCH(bool, withSerial);
    QFETCH(bool, attached);
    BookFile book;
    const SiteRecord site = book.AddSite("Школа №5", "ул. Ленина, 1");
    if (attached) {
        book.Attach(kSerial, site);
    }
    BridgeRig bridge(withSerial, book.path);
    QVERIFY(bridge.rig->Connect(sim_window::kSettingsMode));

    QTEST(bridge.Text("SiteNameLabel"), "site");
    QTEST(bridge.Text("SiteAddressLabel"), "address");
    QTEST(bridge.Shown("AttachSiteButton"), "attachOffered");
    QTEST(bridge.Shown("ChooseSiteButton"), "chooseOffered");

    bridge.rig->form->CancelButtonClick();
    QCOMPARE(bridge.Text("SiteNameLabel"), QString());
}

// The last visit left the device's settings with changedFields fields different (none: no
// earlier visit); the device's settings are read.
void TestSiteBookWindow::sinceLastVisit_data() {
    QTest::addColumn<int>("changedFields");
    QTest::addColumn<QString>("message");
    QTest::newRow("no earlier visit") << -1 << "Прежних визитов к прибору нет";
    QTest::newRow("unchanged") << 0 << "С последнего визита (%1, Иван Петров) изменений нет";
    QTest::newRow("one field") << 1 << "С последнего визита изменено полей: 1";
    QTest::newRow("three fields") << 3 << "С последнего визита изменено полей: 3";
}

void TestSiteBookWindow::sinceLastVisit() {
    QFETCH(int, changedFields);
    QFETCH(QString, message);
    const SettingsImage device = LoadCfgFile(QLatin1String(velor::kFactoryDefaultsFile));
    BookFile book;
    if (changedFields >= 0) {
        const VisitRecord visit =
            book.RecordRead(kSerial, WithDelaysChanged(device, changedFields));
        message = message.contains("%1") ? message.arg(WindowLocale().toString(
                                               visit.time.toLocalTime(), QLocale::ShortFormat))
                                         : message;
    }
    velor::sim::SimState state;
    state.settings.assign(device.bytes().begin(), device.bytes().end());
    BridgeRig bridge(true, book.path, std::move(state));
    QVERIFY(bridge.rig->Connect(sim_window::kSettingsMode));
    QVERIFY(bridge.Read());

    QCOMPARE(bridge.Text("SinceLastVisitLabel"), message);
    QCOMPARE(bridge.Shown("SinceLastVisitButton"), changedFields > 0);
    if (changedFields > 0) {
        bridge.rig->form->Control<QPushButton>("SinceLastVisitButton")->click();
        QCOMPARE(bridge.rig->dialogs.changeLists.size(), 1);
        QCOMPARE(static_cast<int>(bridge.rig->dialogs.changeLists[0].changes.size()),
                 changedFields);
    }
    // The read is a visit of its own, newest, with the settings found; a read after it compares
    // with it.
    const std::vector<VisitRecord> visits = book.book->Visits({{}, kSerial, 0}).value;
    QCOMPARE(visits.size(), std::size_t(changedFields >= 0 ? 2 : 1));
    QCOMPARE(visits[0].action, VisitAction::Read);
    QVERIFY(visits[0].before == device);
    QVERIFY(bridge.Read());
    QVERIFY2(bridge.Text("SinceLastVisitLabel").endsWith("изменений нет"),
             qPrintable(bridge.Text("SinceLastVisitLabel")));
}

// An unknown device is attached to a site created in the site book window; the technician's
// name is asked once and recorded with the site and the attach.
void TestSiteBookWindow::attachUnknownDevice() {
    BookFile book;
    BridgeRig bridge(true, book.path);
    RecordingDialogs& dialogs = bridge.rig->dialogs;
    dialogs.textAnswers << QString(kTechnician) << QStringLiteral("Дача \"Петрова\"\nучасток 4");
    dialogs.onSiteBook = [](const SiteBookRequest& request) {
        SiteBookWindow window(request);
        Child<QPushButton>(window, "NewSiteButton")->click();
        Child<QPushButton>(window, "PurposeButton")->click();
        return window.Choice();
    };
    QVERIFY(bridge.rig->Connect(sim_window::kSettingsMode));
    QVERIFY(bridge.Shown("AttachSiteButton"));
    bridge.rig->form->Control<QPushButton>("AttachSiteButton")->click();

    const QString name = QStringLiteral("Дача \"Петрова\"\nучасток 4");
    const std::optional<SiteRecord> site = book.book->SiteByName(name).value;
    QVERIFY(site);
    QCOMPARE(site->createdBy, QString(kTechnician));
    QCOMPARE(book.book->DeviceBySerial(kSerial).value->siteUuid, site->uuid);
    const std::vector<VisitRecord> visits = book.book->Visits({site->uuid, kSerial, 0}).value;
    QCOMPARE(visits.size(), std::size_t(1));
    QCOMPARE(visits[0].action, VisitAction::Attach);
    QCOMPARE(visits[0].technician, QString(kTechnician));
    QCOMPARE(bridge.Text("SiteNameLabel"), "Объект: " + name);
    QVERIFY(!bridge.Shown("AttachSiteButton"));
    // The visits of the same connection are the site's from now on.
    QVERIFY(bridge.Read());
    const std::vector<VisitRecord> after = book.book->Visits({site->uuid, kSerial, 0}).value;
    QCOMPARE(after.size(), std::size_t(2));
    QCOMPARE(after[0].action, VisitAction::Read);

    // The name is not asked again.
    dialogs.onSiteBook = {};
    bridge.rig->form->SiteBookButtonClick();
    QCOMPARE(dialogs.textRequests.size(), 2); // the name, then the new site's
}

// A port without a serial number: the site chosen by hand is shown and the visits of that port
// are recorded under it.
void TestSiteBookWindow::siteChosenForPortWithoutSerial() {
    BookFile book;
    const SiteRecord site = book.AddSite("Школа №5");
    BridgeRig bridge(false, book.path);
    bridge.rig->dialogs.onSiteBook = [](const SiteBookRequest& request) {
        return DriveSiteBook(request, "Школа", -1, "PurposeButton");
    };
    QVERIFY(bridge.rig->Connect(sim_window::kSettingsMode));
    bridge.rig->form->Control<QPushButton>("ChooseSiteButton")->click();
    QCOMPARE(bridge.Text("SiteNameLabel"), QStringLiteral("Объект: Школа №5"));

    QVERIFY(bridge.Read());
    const std::vector<VisitRecord> visits = book.book->Visits({site.uuid, {}, 0}).value;
    QCOMPARE(visits.size(), std::size_t(1));
    QCOMPARE(visits[0].action, VisitAction::Read);
    QCOMPARE(visits[0].deviceSerial, QString());
}

// A book that is not a database: the window's start does not touch it, one status message names
// it once the window is up, and the device is connected and read as without a book.
void TestSiteBookWindow::unreadableBookLeavesDeviceWork() {
    QTemporaryDir dir;
    const QString path = dir.filePath("sites.sqlite");
    {
        QFile junk(path);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }
    const QByteArray before = [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    BridgeRig bridge(true, path);
    QVERIFY(!bridge.rig->form->StatusText().contains(path));
    QCoreApplication::processEvents();
    QVERIFY2(bridge.rig->form->StatusText().contains(path),
             qPrintable(bridge.rig->form->StatusText()));

    QVERIFY(bridge.rig->Connect(sim_window::kSettingsMode));
    QVERIFY(bridge.rig->form->IsConnected());
    QVERIFY(bridge.Read());
    QVERIFY(bridge.rig->form->Session().LastSettings());
    QCOMPARE(bridge.Text("SiteNameLabel"), QString());
    QCOMPARE(bridge.Text("SinceLastVisitLabel"), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

// Searching as one types: name prefix, address, phone, a device's serial number, letter case
// ignored.
void TestSiteBookWindow::siteWindowSearch_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listed");
    const QString school = QStringLiteral("Школа №5 — ул. Ленина, 1");
    const QString tyres = QStringLiteral("Шиномонтаж — Заводская, 7");
    const QString pharmacy = QStringLiteral("Аптека");
    QTest::newRow("nothing typed") << "" << QStringList{pharmacy, tyres, school};
    QTest::newRow("name prefix") << "Ш" << QStringList{tyres, school};
    QTest::newRow("address, other case") << "ЛЕНИНА" << QStringList{school};
    QTest::newRow("phone") << "111-22" << QStringList{school};
    QTest::newRow("serial number") << "a10k" << QStringList{pharmacy};
    QTest::newRow("no match") << "Кафе" << QStringList{};
}

void TestSiteBookWindow::siteWindowSearch() {
    QFETCH(QString, typed);
    BookFile book;
    book.AddSite("Школа №5", "ул. Ленина, 1", "+7 900 111-22-33");
    book.AddSite("Шиномонтаж", "Заводская, 7");
    book.Attach(kSerial, book.AddSite("Аптека"));
    RecordingDialogs dialogs;
    SiteBookRequest request;
    request.book = book.book.get();
    request.dialogs = &dialogs;
    SiteBookWindow window(request);

    TypeInto(Child<QLineEdit>(window, "SiteSearch"), typed);

    QTEST(Listed(Child<QListWidget>(window, "SiteList")), "listed");
    // The best match's card is shown.
    const QString name = Child<QLineEdit>(window, "SiteNameEdit")->text();
    QFETCH(QStringList, listed);
    QCOMPARE(name, listed.isEmpty() ? QString() : listed.first().section(" — ", 0, 0));
}

// A site's card: its devices, its visits newest first with their marks, and its details saved;
// a name another site has is refused and changes nothing.
void TestSiteBookWindow::siteCard() {
    BookFile book;
    book.AddSite("Школа №5");
    const SiteRecord site = book.AddSite("Аптека", "Садовая, 3");
    book.Attach(kSerial, site);
    book.RecordRead(kSerial, SettingsImage{}, site.uuid, 120);
    VisitRecord write;
    write.time = QDateTime::currentDateTimeUtc().addSecs(-60);
    write.technician = QStringLiteral("Сидоров");
    write.siteUuid = site.uuid;
    write.deviceSerial = kSerial;
    write.action = VisitAction::Write;
    write.before = SettingsImage{};
    write.beforeFingerprint = QStringLiteral("111111111111aaaa");
    write.written = WithDelaysChanged(SettingsImage{}, 1);
    write.writtenFingerprint = QStringLiteral("222222222222bbbb");
    write.verified = true;
    write.result = velor::book::kResultSucceeded;
    QVERIFY(book.book->RecordVisit(write).Ok());
    RecordingDialogs dialogs;
    SiteBookRequest request;
    request.book = book.book.get();
    request.dialogs = &dialogs;
    request.technician = kTechnician;
    SiteBookWindow window(request);
    TypeInto(Child<QLineEdit>(window, "SiteSearch"), "апт");

    const auto* devices = Child<QTableWidget>(window, "DeviceTable");
    QCOMPARE(devices->rowCount(), 1);
    QCOMPARE(Cell(devices, 0, 0), QString(kSerial));
    const auto* visits = Child<QTableWidget>(window, "VisitTable");
    QCOMPARE(visits->rowCount(), 3); // the attach (now), the write, the read
    QCOMPARE(Cell(visits, 0, 2), QStringLiteral("привязка"));
    QCOMPARE(Cell(visits, 1, 1), QStringLiteral("Сидоров"));
    QCOMPARE(Cell(visits, 1, 2), QStringLiteral("запись"));
    QCOMPARE(Cell(visits, 1, 4), QStringLiteral("111111111111 → 222222222222"));
    QCOMPARE(Cell(visits, 1, 5), QStringLiteral("✓ проверено"));
    QCOMPARE(Cell(visits, 2, 2), QStringLiteral("чтение"));
    QCOMPARE(Cell(visits, 2, 5), QString());

    auto* phone = Child<QLineEdit>(window, "SitePhoneEdit");
    phone->setText(QStringLiteral("+7 (900) 555-01-02"));
    Child<QPushButton>(window, "SaveSiteButton")->click();
    const SiteRecord saved = *book.book->SiteByUuid(site.uuid).value;
    QCOMPARE(saved.phone, QStringLiteral("+7 (900) 555-01-02"));
    QCOMPARE(saved.address, QStringLiteral("Садовая, 3"));
    QCOMPARE(saved.changedBy, QString(kTechnician));
    QVERIFY(dialogs.boxes.isEmpty());

    Child<QLineEdit>(window, "SiteNameEdit")->setText(QStringLiteral("Школа №5"));
    Child<QPushButton>(window, "SaveSiteButton")->click();
    QCOMPARE(dialogs.boxes.size(), 1);
    QCOMPARE(book.book->SiteByUuid(site.uuid).value->name, QStringLiteral("Аптека"));
}

// A visit's settings (those the write left) loaded into the window or saved to a file, through
// the window's own load and save.
void TestSiteBookWindow::visitIntoWindow_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("load into the window") << "LoadVisitButton";
    QTest::newRow("save to a file") << "SaveVisitButton";
}

void TestSiteBookWindow::visitIntoWindow() {
    QFETCH(QString, button);
    BookFile book;
    const SiteRecord site = book.AddSite("Аптека");
    WindowDriver driver([&](MainFormDeps& deps) { deps.siteBookPath = book.path; });
    driver.form->FormCreate();
    driver.form->FormActivate(); // the demo window mode
    const SettingsImage visitImage = WithDelaysChanged(driver.form->EncodeSettings(), 3);
    book.RecordRead(kSerial, visitImage, site.uuid);
    const QString savedPath = folder_->filePath("visit.cfg");
    driver.dialogs.saveAnswers << savedPath;
    const QByteArray buttonName = button.toLatin1();
    driver.dialogs.onSiteBook = [&](const SiteBookRequest& request) {
        return DriveSiteBook(request, "Аптека", 0, buttonName.constData());
    };

    driver.form->SiteBookButtonClick();

    if (button == "LoadVisitButton") {
        QVERIFY(driver.form->EncodeSettings() == visitImage);
        QVERIFY(driver.form->StatusText().contains(kTechnician));
    } else {
        QVERIFY(LoadCfgFile(savedPath) == visitImage);
    }
}

QTEST_MAIN(TestSiteBookWindow)
#include "tst_site_book_window.moc"
