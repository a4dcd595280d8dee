#pragma once

#include "settings/settings_image.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The visit report: on one sheet what the device held when the technician arrived ("as found")
// and what it holds when they leave ("as left"), the fields that changed, the full settings by
// page, the check's warnings and lines for two signatures. Built as HTML in the technician's
// language (the texts of the context "VisitReport" and the settings fields' own), for the screen,
// paper, PDF and e-mail alike.
namespace velor::report {

// The site the device serves, when the site book knows it.
struct ReportSite {
    QString name;
    QString address;
    QString contact;
};

// What is known of the device; an empty text is shown as "—".
struct ReportDevice {
    QString type;            // "580"
    QString firmwareVersion; // "3_1_7"
    QString usbSerial;       // the FTDI bridge's serial number
};

// How the "as left" settings came to be.
enum class LeftBy {
    NotWritten,         // nothing was written: "as left" is what was found (or the window's)
    WrittenVerified,    // written and read back equal
    WrittenNotVerified, // written, not read back
};

struct VisitReportInput {
    std::optional<ReportSite> site;
    ReportDevice device;
    QString technician;
    QDateTime when;  // shown in local time
    QString program; // "velor580 2.3.0"
    // The device's settings when the technician arrived; none: the report shows "as left" alone.
    std::optional<SettingsImage> asFound;
    SettingsImage asLeft;
    LeftBy leftBy = LeftBy::NotWritten;
    // Given: the full settings list only the fields whose value differs from these (the factory
    // settings); none: every field.
    std::optional<SettingsImage> onlyDifferentFrom;
};

struct VisitReport {
    QString title;  // "Отчёт о визите"
    QString html;   // a complete, self-contained HTML document
    QString footer; // what every printed page's footer says besides its number
};

VisitReport BuildVisitReport(const VisitReportInput& input);

// "стр. N из M": the page number of a printed page's footer.
QString PageNumberText(int page, int pages);

} // namespace velor::report
