#pragma once

#include "book/book_records.h"
#include "settings/settings_image.h"

#include <QDateTime>
#include <QString>

#include <optional>

class SiteBook;

// The settings a visit left in the device and the last visit that left some: what the window
// compares a device's settings with when they are read.
namespace velor::book_window {

// The settings the device held when the visit ended: those written by a write that went through
// (read back equal, or not read back), otherwise those found; none for a visit without settings
// (an attach, a firmware upload).
std::optional<SettingsImage> ImageLeftBy(const VisitRecord& visit);

// The device's newest visit recorded before `before` that left settings; none when there is
// none or the book cannot answer.
std::optional<VisitRecord> LastVisitWithImage(SiteBook& book, const QString& serial,
                                              const QDateTime& before);

// A visit's time in the window language's short format, local time.
QString VisitTimeText(const VisitRecord& visit);

} // namespace velor::book_window
