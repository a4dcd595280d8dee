#include "ui/book/last_visit.h"

#include "book/site_book.h"
#include "recording/visit_recorder.h"
#include "ui/window_locale.h"

#include <QLocale>

namespace velor::book_window {

namespace {
// Enough visits to pass over the attaches and firmware uploads since the last settings.
constexpr int kVisitsLookedAt = 50;
} // namespace

std::optional<VisitRecord> LastVisitWithImage(SiteBook& book, const QString& serial,
                                              const QDateTime& before) {
    if (serial.isEmpty()) {
        return std::nullopt;
    }
    VisitFilter filter;
    filter.deviceSerial = serial;
    filter.limit = kVisitsLookedAt;
    const BookResult<std::vector<VisitRecord>> visits = book.Visits(filter);
    if (!visits.Ok()) {
        return std::nullopt;
    }
    for (const VisitRecord& visit : visits.value) {
        if ((!before.isValid() || visit.time < before) && SettingsLeftBy(visit)) {
            return visit;
        }
    }
    return std::nullopt;
}

QString VisitTimeText(const VisitRecord& visit) {
    return WindowLocale().toString(visit.time.toLocalTime(), QLocale::ShortFormat);
}

} // namespace velor::book_window
