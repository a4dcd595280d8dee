#pragma once

#include "book/book_records.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <optional>

// How the SQLite book's rows hold the records: times as ISO 8601 UTC text with milliseconds
// (they sort as text), images as 257-byte blobs, the columns in the order of the k...Columns
// lists below.
namespace velor::book::rows {

inline constexpr char kSiteColumns[] =
    "uuid, name, address, contact, phone, notes, created, created_by, changed, changed_by";
inline constexpr char kDeviceColumns[] =
    "serial, type, platform, version, first_seen, last_seen, site_uuid";
inline constexpr char kVisitColumns[] =
    "uuid, time, technician, site_uuid, device_serial, action, before_image, "
    "before_fingerprint, written_image, written_fingerprint, verified, verify_note, "
    "snapshot_path, result, note";

QString TimeText(const QDateTime& time);
QDateTime TimeOf(const QVariant& text);
QVariant ImageValue(const std::optional<SettingsImage>& image);
std::optional<SettingsImage> ImageOf(const QVariant& blob);

// What the search looks in, and the keys it compares: lower case in any script.
QString SearchKey(const QString& text);
QString SiteSearchText(const SiteRecord& site);

SiteRecord SiteAt(const QSqlQuery& query);
DeviceRecord DeviceAt(const QSqlQuery& query);
VisitRecord VisitAt(const QSqlQuery& query);

// Binds the record's values in column order, from the first placeholder on.
void BindSite(QSqlQuery& query, const SiteRecord& site);
void BindDevice(QSqlQuery& query, const DeviceRecord& device);
void BindVisit(QSqlQuery& query, const VisitRecord& visit);

} // namespace velor::book::rows
