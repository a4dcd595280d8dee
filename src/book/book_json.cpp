#include "book/book_json.h"

#include "book/book_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>

namespace velor::book {

namespace {

constexpr int kImageHexDigits = static_cast<int>(kSettingsImageSize) * 2;

QString TimeText(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QJsonValue ImageJson(const std::optional<SettingsImage>& image) {
    if (!image) {
        return QJsonValue::Null;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(image->data()),
                           static_cast<qsizetype>(image->size()));
    return QString::fromLatin1(bytes.toHex());
}

// Reads one record's fields, noting the first that is wrong.
class Fields {
public:
    Fields(const QJsonValue& value, QString what) : object_(value.toObject()), what_(what) {
        if (!value.isObject()) {
            Fail(BookTexts::tr("не объект JSON"));
        }
    }

    QString Text(const char* key, bool required = false) {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (!value.isString() && !(value.isUndefined() && !required)) {
            Fail(BookTexts::tr("поле %1 должно быть строкой").arg(QLatin1String(key)));
        }
        if (required && value.toString().isEmpty()) {
            Fail(BookTexts::tr("поле %1 не может быть пустым").arg(QLatin1String(key)));
        }
        return value.toString();
    }

    int Number(const char* key) {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (!value.isDouble() && !value.isUndefined()) {
            Fail(BookTexts::tr("поле %1 должно быть числом").arg(QLatin1String(key)));
        }
        return value.toInt();
    }

    QDateTime Time(const char* key, bool required = false) {
        const QString text = Text(key, required);
        const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!text.isEmpty() && !time.isValid()) {
            Fail(BookTexts::tr("поле %1 -- не время ISO 8601").arg(QLatin1String(key)));
        }
        return time.isValid() ? time.toUTC() : time;
    }

    std::optional<SettingsImage> Image(const char* key) {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isNull() || value.isUndefined()) {
            return std::nullopt;
        }
        const QByteArray hex = value.toString().toLatin1();
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (!value.isString() || hex.size() != kImageHexDigits ||
            bytes.size() != static_cast<qsizetype>(kSettingsImageSize) ||
            bytes.toHex() != hex.toLower()) {
            Fail(BookTexts::tr("поле %1 должно содержать 514 шестнадцатеричных цифр")
                     .arg(QLatin1String(key)));
            return std::nullopt;
        }
        SettingsImage image;
        std::copy(bytes.begin(), bytes.end(), image.data());
        return image;
    }

    std::optional<bool> Flag(const char* key) {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isBool()) {
            return value.toBool();
        }
        if (!value.isNull() && !value.isUndefined()) {
            Fail(BookTexts::tr("поле %1 должно быть true, false или null").arg(QLatin1String(key)));
        }
        return std::nullopt;
    }

    void Fail(const QString& why) {
        if (error_.isEmpty()) {
            error_ = QStringLiteral("%1: %2").arg(what_, why);
        }
    }
    const QString& Error() const { return error_; }

private:
    QJsonObject object_;
    QString what_;
    QString error_;
};

SiteRecord ReadSite(Fields& fields) {
    SiteRecord site;
    site.uuid = fields.Text("uuid", true);
    site.name = fields.Text("name", true);
    site.address = fields.Text("address");
    site.contact = fields.Text("contact");
    site.phone = fields.Text("phone");
    site.notes = fields.Text("notes");
    site.created = fields.Time("created");
    site.createdBy = fields.Text("created_by");
    site.changed = fields.Time("changed");
    site.changedBy = fields.Text("changed_by");
    return site;
}

DeviceRecord ReadDevice(Fields& fields) {
    DeviceRecord device;
    device.serial = fields.Text("serial", true);
    device.type = fields.Number("type");
    device.platform = fields.Number("platform");
    device.version = fields.Text("version");
    device.firstSeen = fields.Time("first_seen");
    device.lastSeen = fields.Time("last_seen");
    device.siteUuid = fields.Text("site");
    return device;
}

VisitRecord ReadVisit(Fields& fields) {
    VisitRecord visit;
    visit.uuid = fields.Text("uuid", true);
    visit.time = fields.Time("time", true);
    visit.technician = fields.Text("technician");
    visit.siteUuid = fields.Text("site");
    visit.deviceSerial = fields.Text("device");
    const std::optional<VisitAction> action = VisitActionOfWord(fields.Text("action", true));
    if (!action) {
        fields.Fail(BookTexts::tr("неизвестное действие в поле action"));
    }
    visit.action = action.value_or(VisitAction::Read);
    visit.before = fields.Image("before_image");
    visit.beforeFingerprint = fields.Text("before_fingerprint");
    visit.written = fields.Image("written_image");
    visit.writtenFingerprint = fields.Text("written_fingerprint");
    visit.verified = fields.Flag("verified");
    visit.verifyNote = fields.Text("verify_note");
    visit.snapshotPath = fields.Text("snapshot");
    visit.result = fields.Text("result");
    visit.note = fields.Text("note");
    return visit;
}

template <class Record, class Read>
QString ReadAll(const QJsonObject& document, const char* key, const QString& what, Read read,
                std::vector<Record>& records) {
    const QJsonValue list = document.value(QLatin1String(key));
    if (!list.isArray() && !list.isUndefined()) {
        return BookTexts::tr("поле %1 должно быть списком").arg(QLatin1String(key));
    }
    const QJsonArray array = list.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        Fields fields(array.at(i), what.arg(i + 1));
        records.push_back(read(fields));
        if (!fields.Error().isEmpty()) {
            return fields.Error();
        }
    }
    return {};
}

} // namespace

QJsonObject SiteJson(const SiteRecord& site) {
    return {{"uuid", site.uuid},
            {"name", site.name},
            {"address", site.address},
            {"contact", site.contact},
            {"phone", site.phone},
            {"notes", site.notes},
            {"created", TimeText(site.created)},
            {"created_by", site.createdBy},
            {"changed", TimeText(site.changed)},
            {"changed_by", site.changedBy}};
}

QJsonObject DeviceJson(const DeviceRecord& device) {
    return {{"serial", device.serial},
            {"type", device.type},
            {"platform", device.platform},
            {"version", device.version},
            {"first_seen", TimeText(device.firstSeen)},
            {"last_seen", TimeText(device.lastSeen)},
            {"site", device.siteUuid}};
}

QJsonObject VisitJson(const VisitRecord& visit) {
    return {{"uuid", visit.uuid},
            {"time", TimeText(visit.time)},
            {"technician", visit.technician},
            {"site", visit.siteUuid},
            {"device", visit.deviceSerial},
            {"action", VisitActionWord(visit.action)},
            {"before_fingerprint", visit.beforeFingerprint},
            {"before_image", ImageJson(visit.before)},
            {"written_fingerprint", visit.writtenFingerprint},
            {"written_image", ImageJson(visit.written)},
            {"verified", visit.verified ? QJsonValue(*visit.verified) : QJsonValue::Null},
            {"verify_note", visit.verifyNote},
            {"snapshot", visit.snapshotPath},
            {"result", visit.result},
            {"note", visit.note}};
}

QByteArray BookDocument(const BookContents& contents) {
    QJsonArray sites;
    QJsonArray devices;
    QJsonArray visits;
    for (const SiteRecord& site : contents.sites) {
        sites.append(SiteJson(site));
    }
    for (const DeviceRecord& device : contents.devices) {
        devices.append(DeviceJson(device));
    }
    for (const VisitRecord& visit : contents.visits) {
        visits.append(VisitJson(visit));
    }
    const QJsonObject document{{"format", QLatin1String(kBookFormat)},
                               {"format_version", kBookFormatVersion},
                               {"exported", TimeText(QDateTime::currentDateTimeUtc())},
                               {"sites", sites},
                               {"devices", devices},
                               {"visits", visits}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

BookResult<BookContents> ReadBookDocument(const QByteArray& document) {
    BookResult<BookContents> result;
    QJsonParseError parse{};
    const QJsonDocument json = QJsonDocument::fromJson(document, &parse);
    if (parse.error != QJsonParseError::NoError) {
        result.error = BookTexts::tr("не документ JSON: %1 (смещение %2)")
                           .arg(parse.errorString())
                           .arg(parse.offset);
        return result;
    }
    const QJsonObject root = json.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kBookFormat)) {
        result.error = BookTexts::tr("это не выгрузка книги объектов (нет \"format\": \"%1\")")
                           .arg(QLatin1String(kBookFormat));
        return result;
    }
    if (root.value(QLatin1String("format_version")).toInt() > kBookFormatVersion) {
        result.error = BookTexts::tr("выгрузка сделана более новой версией программы (формат %1)")
                           .arg(root.value(QLatin1String("format_version")).toInt());
        return result;
    }
    if ((result.error =
             ReadAll(root, "sites", BookTexts::tr("объект %1"), ReadSite, result.value.sites))
            .isEmpty() &&
        (result.error =
             ReadAll(root, "devices", BookTexts::tr("прибор %1"), ReadDevice, result.value.devices))
            .isEmpty()) {
        result.error =
            ReadAll(root, "visits", BookTexts::tr("визит %1"), ReadVisit, result.value.visits);
    }
    return result;
}

} // namespace velor::book
