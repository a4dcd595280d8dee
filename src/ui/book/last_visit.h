#pragma once

#include "book/book_records.h"
#include "settings/settings_image.h"

#include <QDateTime>
#include <QString>

#include <optional>

class SiteBook;

// The last visit that left settings in a device (as SettingsLeftBy, recording/visit_recorder.h,
// tells them): what the window compares a device's settings with when they are read.
namespace velor::book_window {

// The device's newest visit recorded before `before` that left settings; none when there is
// none or the book cannot answer.
std::optional<VisitRecord> LastVisitWithImage(SiteBook& book, const QString& serial,
                                              const QDateTime& before);

// A visit's time in the window language's short format, local time.
QString VisitTimeText(const VisitRecord& visit);

} // namespace velor::book_window
