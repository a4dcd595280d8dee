#include "book/sqlite_rows.h"

#include <QByteArray>

#include <algorithm>

namespace velor::book::rows {

QString TimeText(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime TimeOf(const QVariant& text) {
    QDateTime time = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : time;
}

QVariant ImageValue(const std::optional<SettingsImage>& image) {
    if (!image) {
        return QVariant(QMetaType::fromType<QByteArray>());
    }
    return QByteArray(reinterpret_cast<const char*>(image->data()),
                      static_cast<qsizetype>(image->size()));
}

std::optional<SettingsImage> ImageOf(const QVariant& blob) {
    const QByteArray bytes = blob.toByteArray();
    if (blob.isNull() || bytes.size() != static_cast<qsizetype>(SettingsImage::size())) {
        return std::nullopt;
    }
    SettingsImage image;
    std::copy(bytes.begin(), bytes.end(), image.data());
    return image;
}

QString SearchKey(const QString& text) {
    return text.isNull() ? QLatin1String("") : text.toCaseFolded(); // a null one binds as NULL
}

QString SiteSearchText(const SiteRecord& site) {
    return SearchKey(
        QStringList{site.name, site.address, site.contact, site.phone}.join(QLatin1Char('\n')));
}

SiteRecord SiteAt(const QSqlQuery& query) {
    SiteRecord site;
    site.uuid = query.value(0).toString();
    site.name = query.value(1).toString();
    site.address = query.value(2).toString();
    site.contact = query.value(3).toString();
    site.phone = query.value(4).toString();
    site.notes = query.value(5).toString();
    site.created = TimeOf(query.value(6));
    site.createdBy = query.value(7).toString();
    site.changed = TimeOf(query.value(8));
    site.changedBy = query.value(9).toString();
    return site;
}

DeviceRecord DeviceAt(const QSqlQuery& query) {
    DeviceRecord device;
    device.serial = query.value(0).toString();
    device.type = query.value(1).toInt();
    device.platform = query.value(2).toInt();
    device.version = query.value(3).toString();
    device.firstSeen = TimeOf(query.value(4));
    device.lastSeen = TimeOf(query.value(5));
    device.siteUuid = query.value(6).toString();
    return device;
}

VisitRecord VisitAt(const QSqlQuery& query) {
    VisitRecord visit;
    visit.uuid = query.value(0).toString();
    visit.time = TimeOf(query.value(1));
    visit.technician = query.value(2).toString();
    visit.siteUuid = query.value(3).toString();
    visit.deviceSerial = query.value(4).toString();
    visit.action = VisitActionOfWord(query.value(5).toString()).value_or(VisitAction::Read);
    visit.before = ImageOf(query.value(6));
    visit.beforeFingerprint = query.value(7).toString();
    visit.written = ImageOf(query.value(8));
    visit.writtenFingerprint = query.value(9).toString();
    if (!query.value(10).isNull()) {
        visit.verified = query.value(10).toInt() != 0;
    }
    visit.verifyNote = query.value(11).toString();
    visit.snapshotPath = query.value(12).toString();
    visit.result = query.value(13).toString();
    visit.note = query.value(14).toString();
    return visit;
}

namespace {

// Qt binds a null QString as NULL; the book's text columns hold empty text instead.
QString Text(const QString& text) {
    return text.isNull() ? QLatin1String("") : text;
}

} // namespace

void BindSite(QSqlQuery& query, const SiteRecord& site) {
    for (const QString& value :
         {site.uuid, site.name, site.address, site.contact, site.phone, site.notes,
          TimeText(site.created), site.createdBy, TimeText(site.changed), site.changedBy}) {
        query.addBindValue(Text(value));
    }
}

void BindDevice(QSqlQuery& query, const DeviceRecord& device) {
    query.addBindValue(Text(device.serial));
    query.addBindValue(device.type);
    query.addBindValue(device.platform);
    query.addBindValue(Text(device.version));
    query.addBindValue(Text(TimeText(device.firstSeen)));
    query.addBindValue(Text(TimeText(device.lastSeen)));
    query.addBindValue(Text(device.siteUuid));
}

void BindVisit(QSqlQuery& query, const VisitRecord& visit) {
    query.addBindValue(Text(visit.uuid));
    query.addBindValue(Text(TimeText(visit.time)));
    query.addBindValue(Text(visit.technician));
    query.addBindValue(Text(visit.siteUuid));
    query.addBindValue(Text(visit.deviceSerial));
    query.addBindValue(VisitActionWord(visit.action));
    query.addBindValue(ImageValue(visit.before));
    query.addBindValue(Text(visit.beforeFingerprint));
    query.addBindValue(ImageValue(visit.written));
    query.addBindValue(Text(visit.writtenFingerprint));
    query.addBindValue(visit.verified ? QVariant(*visit.verified ? 1 : 0)
                                      : QVariant(QMetaType::fromType<int>()));
    query.addBindValue(Text(visit.verifyNote));
    query.addBindValue(Text(visit.snapshotPath));
    query.addBindValue(Text(visit.result));
    query.addBindValue(Text(visit.note));
}

} // namespace velor::book::rows
