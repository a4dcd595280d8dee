#include "cli/book_commands.h"

#include "book/book_file.h"
#include "book/book_json.h"
#include "book/book_texts.h"
#include "book/history_entry.h"
#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/quoted_name.h"
#include "recording/technician_name.h"
#include "settings/regular_file.h"
#include "settings/settings_fingerprint.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <map>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
// A book document larger than this is refused before it is read.
constexpr qint64 kMaxBookDocumentSize = qint64(4) * 1024 * 1024 * 1024;
const QString kNone = QStringLiteral("-");

// The user's history goes into the user's book only, not into another one named by --book.
QString HistoryFor(const CliOptions& options, const CliEnvironment& environment) {
    return options.book.bookPath.isEmpty() ? environment.historyFolder : QString();
}

QString Cell(const QString& text) {
    return text.isEmpty() ? kNone : QuotedName(text);
}

QString LocalTime(const QDateTime& time) {
    return time.isValid() ? time.toLocalTime().toString(kTimeFormat) : kNone;
}

QString Short(const QString& fingerprint) {
    return fingerprint.isEmpty() ? kNone
                                 : fingerprint.left(velor::settings::kShortFingerprintDigits);
}

bool PrintJson(QTextStream& out, const QJsonObject& object) {
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return true;
}

// The column of a verified mark: "проверено", "не проверено: why", or nothing.
QString VerifiedCell(const VisitRecord& visit) {
    if (!visit.verified) {
        return {};
    }
    return *visit.verified ? Cli::tr("проверено")
                           : Cli::tr("не проверено: %1").arg(QuotedName(visit.verifyNote));
}

QString VisitLine(const VisitRecord& visit, const QString& siteName) {
    QStringList columns{LocalTime(visit.time),
                        Cell(visit.technician),
                        VisitActionWord(visit.action),
                        Cell(visit.deviceSerial),
                        Cell(siteName),
                        Short(visit.beforeFingerprint) + QStringLiteral(" → ") +
                            Short(visit.writtenFingerprint),
                        visit.result};
    if (const QString mark = VerifiedCell(visit); !mark.isEmpty()) {
        columns << mark;
    }
    if (!visit.note.isEmpty()) {
        columns << QuotedName(visit.note);
    }
    return columns.join(QStringLiteral("  "));
}

class BookCommand {
public:
    BookCommand(const CliOptions& options, const CliEnvironment& environment, QTextStream& out,
                QTextStream& err)
        : options_(options), environment_(environment), out_(out), err_(err),
          book_(OpenSiteBook(BookPathFor(options, environment))) {}

    int Run() {
        if (book_->State() == SiteBook::Availability::Unavailable) {
            PrintLine(err_, book_->Problem());
            return kExitFailure;
        }
        velor::book::EnterHistoryOnce(*book_, HistoryFor(options_, environment_));
        if (book_->State() == SiteBook::Availability::ReadOnly) {
            PrintLine(err_, book_->Problem());
        }
        const QString& sub = options_.book.subcommand;
        if (options_.command == CliCommand::Visits) {
            return Visits();
        }
        const std::map<QString, std::function<int()>> commands{
            {"list", [this] { return List(); }},     {"add", [this] { return Add(); }},
            {"edit", [this] { return Edit(); }},     {"show", [this] { return Show(); }},
            {"attach", [this] { return Attach(); }}, {"export", [this] { return Export(); }},
            {"import", [this] { return Import(); }}, {"check", [this] { return Check(); }},
        };
        return commands.at(sub)();
    }

private:
    int Failed(const QString& error) {
        PrintLine(err_, error);
        return kExitFailure;
    }

    std::optional<SiteRecord> FindSite(const QString& name) {
        const auto found = book_->SiteByName(name);
        if (!found.Ok()) {
            Failed(found.error);
        } else if (!found.value) {
            Failed(Cli::tr("Объекта %1 нет в книге").arg(QuotedName(name)));
        }
        return found.value;
    }

    QString SiteName(const QString& uuid) {
        if (uuid.isEmpty()) {
            return {};
        }
        auto& name = siteNames_[uuid];
        if (name.isEmpty()) {
            const auto site = book_->SiteByUuid(uuid).value;
            name = site ? site->name : uuid;
        }
        return name;
    }

    int List() {
        const auto sites = book_->Sites(options_.book.search);
        if (!sites.Ok()) {
            return Failed(sites.error);
        }
        if (options_.json) {
            QJsonArray list;
            for (const SiteRecord& site : sites.value) {
                list.append(velor::book::SiteJson(site));
            }
            PrintJson(out_, {{"sites", list}});
            return kExitSuccess;
        }
        for (const SiteRecord& site : sites.value) {
            PrintLine(out_, QStringList{Cell(site.name), Cell(site.address), Cell(site.phone)}.join(
                                QStringLiteral("  ")));
        }
        return kExitSuccess;
    }

    SiteChanges Changes() const {
        const BookOptions& book = options_.book;
        return {book.name, book.address, book.contact, book.phone, book.notes};
    }

    int Add() {
        SiteRecord site;
        site.name = options_.book.target;
        const SiteChanges given = Changes();
        site.address = given.address.value_or(QString());
        site.contact = given.contact.value_or(QString());
        site.phone = given.phone.value_or(QString());
        site.notes = given.notes.value_or(QString());
        const auto added = book_->AddSite(site, TechnicianFor(options_, environment_));
        if (!added.Ok()) {
            return Failed(
                Cli::tr("Объект %1 не добавлен: %2").arg(QuotedName(site.name), added.error));
        }
        PrintLine(err_,
                  Cli::tr("Объект %1 добавлен в книгу %2")
                      .arg(QuotedName(site.name), QDir::toNativeSeparators(book_->Location())));
        return kExitSuccess;
    }

    int Edit() {
        const std::optional<SiteRecord> site = FindSite(options_.book.target);
        if (!site) {
            return kExitFailure;
        }
        if (Changes().Empty()) {
            return Failed(Cli::tr("Не задано, что изменить: --name, --address, --contact, "
                                  "--phone или --notes"));
        }
        const auto edited =
            book_->EditSite(site->uuid, Changes(), TechnicianFor(options_, environment_));
        if (!edited.Ok()) {
            return Failed(
                Cli::tr("Объект %1 не изменен: %2").arg(QuotedName(site->name), edited.error));
        }
        PrintLine(err_, Cli::tr("Объект %1 изменен").arg(QuotedName(edited.value.name)));
        return kExitSuccess;
    }

    int Show() {
        const std::optional<SiteRecord> site = FindSite(options_.book.target);
        if (!site) {
            return kExitFailure;
        }
        const auto devices = book_->DevicesOfSite(site->uuid);
        const auto visits = book_->Visits({site->uuid, {}, 0});
        if (!devices.Ok() || !visits.Ok()) {
            return Failed(devices.Ok() ? visits.error : devices.error);
        }
        if (options_.json) {
            QJsonArray deviceList;
            QJsonArray visitList;
            for (const DeviceRecord& device : devices.value) {
                deviceList.append(velor::book::DeviceJson(device));
            }
            for (const VisitRecord& visit : visits.value) {
                visitList.append(velor::book::VisitJson(visit));
            }
            PrintJson(out_, {{"site", velor::book::SiteJson(*site)},
                             {"devices", deviceList},
                             {"visits", visitList}});
            return kExitSuccess;
        }
        PrintCard(*site);
        PrintLine(out_, Cli::tr("Приборы:"));
        for (const DeviceRecord& device : devices.value) {
            PrintLine(out_, QStringLiteral("  %1  %2 %3  %4")
                                .arg(QuotedName(device.serial))
                                .arg(device.type)
                                .arg(device.version.isEmpty() ? kNone : device.version,
                                     LocalTime(device.lastSeen)));
        }
        PrintLine(out_, Cli::tr("Визиты:"));
        for (const VisitRecord& visit : visits.value) {
            PrintLine(out_, QStringLiteral("  ") + VisitLine(visit, site->name));
        }
        return kExitSuccess;
    }

    void PrintCard(const SiteRecord& site) {
        PrintLine(out_, Cli::tr("Объект: %1").arg(QuotedName(site.name)));
        PrintLine(out_, Cli::tr("Адрес: %1").arg(QuotedName(site.address)));
        PrintLine(out_, Cli::tr("Контактное лицо: %1").arg(QuotedName(site.contact)));
        PrintLine(out_, Cli::tr("Телефон: %1").arg(QuotedName(site.phone)));
        PrintLine(out_, Cli::tr("Заметки: %1").arg(QuotedName(site.notes)));
        PrintLine(
            out_,
            Cli::tr("Создан: %1, %2").arg(LocalTime(site.created), QuotedName(site.createdBy)));
        PrintLine(
            out_,
            Cli::tr("Изменен: %1, %2").arg(LocalTime(site.changed), QuotedName(site.changedBy)));
    }

    int Attach() {
        return AttachToSite(*book_, options_.book.target, options_.book.serial,
                            TechnicianFor(options_, environment_), err_);
    }

    int Visits() {
        VisitFilter filter;
        filter.deviceSerial = options_.book.device;
        if (!options_.book.site.isEmpty()) {
            const std::optional<SiteRecord> site = FindSite(options_.book.site);
            if (!site) {
                return kExitFailure;
            }
            filter.siteUuid = site->uuid;
        }
        const auto visits = book_->Visits(filter);
        if (!visits.Ok()) {
            return Failed(visits.error);
        }
        if (options_.json) {
            QJsonArray list;
            for (const VisitRecord& visit : visits.value) {
                QJsonObject object = velor::book::VisitJson(visit);
                object.insert(QLatin1String("site_name"), SiteName(visit.siteUuid));
                list.append(object);
            }
            PrintJson(out_, {{"visits", list}});
            return kExitSuccess;
        }
        for (const VisitRecord& visit : visits.value) {
            PrintLine(out_, VisitLine(visit, SiteName(visit.siteUuid)));
        }
        return kExitSuccess;
    }

    int Export() {
        const auto contents = book_->Contents();
        if (!contents.Ok()) {
            return Failed(contents.error);
        }
        try {
            SaveFileReplacing(options_.book.target, velor::book::BookDocument(contents.value));
        } catch (const FileSaveError& error) {
            return Failed(Cli::tr("Файл %1 не сохранен: %2")
                              .arg(QuotedName(options_.book.target), error.Reason()));
        }
        PrintLine(err_, Cli::tr("Книга выгружена в %1: объектов %2, приборов %3, визитов %4")
                            .arg(QuotedName(options_.book.target))
                            .arg(contents.value.sites.size())
                            .arg(contents.value.devices.size())
                            .arg(contents.value.visits.size()));
        return kExitSuccess;
    }

    int Import() {
        const FileRead read = ReadRegularFile(options_.book.target, kMaxBookDocumentSize);
        if (read.refusal != FileRefusal::None) {
            return Failed(Cli::tr("Файл %1 не прочитан: %2")
                              .arg(QuotedName(options_.book.target), read.reason));
        }
        const auto contents = velor::book::ReadBookDocument(read.content);
        if (!contents.Ok()) {
            return Failed(Cli::tr("Файл %1 не импортирован, книга не изменена: %2")
                              .arg(QuotedName(options_.book.target), contents.error));
        }
        const auto merged = book_->Merge(contents.value);
        if (!merged.Ok()) {
            return Failed(Cli::tr("Файл %1 не импортирован, книга не изменена: %2")
                              .arg(QuotedName(options_.book.target), merged.error));
        }
        const ImportCounts& counts = merged.value;
        PrintLine(out_, QStringLiteral("sites_added=%1 sites_updated=%2 devices_added=%3 "
                                       "devices_updated=%4 visits_added=%5")
                            .arg(counts.sitesAdded)
                            .arg(counts.sitesUpdated)
                            .arg(counts.devicesAdded)
                            .arg(counts.devicesUpdated)
                            .arg(counts.visitsAdded));
        return kExitSuccess;
    }

    int Check() {
        const auto check = book_->Check();
        if (!check.Ok()) {
            return Failed(check.error);
        }
        const BookCheck& c = check.value;
        PrintLine(out_, QStringLiteral("book=%1").arg(QuotedName(book_->Location())));
        PrintLine(out_,
                  QStringLiteral("schema=%1 known=%2").arg(c.schemaVersion).arg(c.knownVersion));
        PrintLine(out_, QStringLiteral("integrity=%1").arg(QuotedName(c.integrity)));
        PrintLine(out_, QStringLiteral("sites=%1 devices=%2 visits=%3")
                            .arg(c.sites)
                            .arg(c.devices)
                            .arg(c.visits));
        return c.integrity == QLatin1String("ok") ? kExitSuccess : kExitFailure;
    }

    const CliOptions& options_;
    const CliEnvironment& environment_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<SiteBook> book_;
    std::map<QString, QString> siteNames_;
};

} // namespace

QString BookPathFor(const CliOptions& options, const CliEnvironment& environment) {
    return options.book.bookPath.isEmpty() ? environment.bookPath : options.book.bookPath;
}

QString TechnicianFor(const CliOptions& options, const CliEnvironment& environment) {
    return velor::TechnicianName(options.book.technician, environment.configuratorPath);
}

std::unique_ptr<SiteBook> OpenBookForDevice(const CliOptions& options,
                                            const CliEnvironment& environment) {
    const QString path = BookPathFor(options, environment);
    if (path.isEmpty()) {
        return nullptr;
    }
    std::unique_ptr<SiteBook> book = OpenSiteBook(path);
    velor::book::EnterHistoryOnce(*book, HistoryFor(options, environment));
    return book;
}

int AttachToSite(SiteBook& book, const QString& siteName, const QString& serial,
                 const QString& technician, QTextStream& err) {
    const auto site = book.SiteByName(siteName);
    if (!site.Ok() || !site.value) {
        PrintLine(err, site.Ok() ? Cli::tr("Объекта %1 нет в книге").arg(QuotedName(siteName))
                                 : site.error);
        return kExitFailure;
    }
    const auto attached = book.AttachDevice(serial, site.value->uuid, technician);
    if (!attached.Ok()) {
        PrintLine(err,
                  Cli::tr("Прибор %1 не привязан: %2").arg(QuotedName(serial), attached.error));
        return kExitFailure;
    }
    PrintLine(err, Cli::tr("Прибор %1 привязан к объекту %2")
                       .arg(QuotedName(serial), QuotedName(site.value->name)));
    return kExitSuccess;
}

// The file is put aside whatever it holds (a damaged one is the usual reason) before the new
// book is made, so nothing of the old one is lost.
int StartNewBook(const QString& path, QTextStream& err) {
    if (path.isEmpty()) {
        PrintLine(err, BookTexts::tr("Книга объектов не задана"));
        return kExitFailure;
    }
    if (QFileInfo::exists(path)) {
        const auto aside = velor::book::KeepBookFileAside(path);
        if (!aside.Ok()) {
            PrintLine(err, Cli::tr("Новая книга не начата: %1").arg(aside.error));
            return kExitFailure;
        }
        PrintLine(err, Cli::tr("Прежняя книга отложена: %1").arg(QuotedName(aside.value)));
    }
    const std::unique_ptr<SiteBook> book = OpenSiteBook(path);
    if (book->State() != SiteBook::Availability::Writable) {
        PrintLine(err, book->Problem());
        return kExitFailure;
    }
    PrintLine(err, Cli::tr("Начата новая книга объектов: %1").arg(QuotedName(path)));
    return kExitSuccess;
}

QString SiteLine(const SiteRecord& site) {
    return QStringLiteral("site=") + QuotedName(site.name);
}

int RunBookCommand(const CliOptions& options, const CliEnvironment& environment, QTextStream& out,
                   QTextStream& err) {
    if (options.command == CliCommand::Book && options.book.subcommand == QLatin1String("new")) {
        return StartNewBook(BookPathFor(options, environment), err);
    }
    return BookCommand(options, environment, out, err).Run();
}
