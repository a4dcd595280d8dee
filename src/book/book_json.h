#pragma once

#include "book/book_records.h"
#include "book/site_book.h"

#include <QByteArray>
#include <QJsonObject>

// The site book as one JSON document (book export, book import) and its records as JSON objects
// (the command line's --json). The keys are stable:
//
//   document: format ("velor580-site-book"), format_version (1), exported (time),
//             sites [site...], devices [device...], visits [visit...]
//   site:     uuid, name, address, contact, phone, notes, created, created_by, changed,
//             changed_by
//   device:   serial, type, platform, version, first_seen, last_seen, site (a site's uuid or "")
//   visit:    uuid, time, technician, site (uuid or ""), device (serial or ""), action ("read",
//             "write", "firmware", "attach"), before_fingerprint, before_image,
//             written_fingerprint, written_image, verified (true, false or null), verify_note,
//             snapshot, result
//             ("succeeded", "failed", "mismatch", "unverified", "unknown"), note
//
// Times are ISO 8601 in UTC with milliseconds ("2026-12-11T16:33:12.000Z"); images are their 257
// bytes as 514 lower-case hexadecimal digits, or null when there is none.
namespace velor::book {

inline constexpr char kBookFormat[] = "velor580-site-book";
inline constexpr int kBookFormatVersion = 1;

QJsonObject SiteJson(const SiteRecord& site);
QJsonObject DeviceJson(const DeviceRecord& device);
QJsonObject VisitJson(const VisitRecord& visit);

// The whole document, indented.
QByteArray BookDocument(const BookContents& contents);
// The contents of a document; an error names what is wrong (the first bad record and why).
BookResult<BookContents> ReadBookDocument(const QByteArray& document);

} // namespace velor::book
