#include "report/visit_report.h"

#include "settings/settings_check.h"
#include "settings/settings_diff.h"
#include "settings/settings_fields.h"
#include "settings/settings_fingerprint.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <vector>

namespace velor::report {

namespace {

using velor::settings::SettingsField;
using velor::settings::SettingsPage;

QString Tr(const char* text) {
    return QCoreApplication::translate("VisitReport", text);
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

QString OrDash(const QString& text) {
    return text.isEmpty() ? QStringLiteral("—") : text;
}

// Black on white with thin ruled tables: readable from a black-and-white printer.
const char* const kStyle = "body { font-family: 'DejaVu Sans', sans-serif; font-size: 9pt; }"
                           "h1 { font-size: 15pt; margin-bottom: 6pt; }"
                           "h2 { font-size: 11pt; margin-top: 12pt; margin-bottom: 4pt; }"
                           "h3 { font-size: 10pt; margin-top: 8pt; margin-bottom: 2pt; }"
                           "table { border-collapse: collapse; }"
                           "th { text-align: left; background-color: #e6e6e6; }"
                           "td, th { border: 1px solid black; padding: 2px 4px; }"
                           "td.label { width: 30%; }";

QString Row(const QStringList& cells, const char* tag = "td") {
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells) {
        row += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), cell);
    }
    return row + QStringLiteral("</tr>\n");
}

QString TableStart() {
    return QStringLiteral(
        "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
}

QString LabelRow(const char* label, const QString& value) {
    return QStringLiteral("<tr><td class=\"label\">%1</td><td>%2</td></tr>\n")
        .arg(Escaped(Tr(label)), Escaped(OrDash(value)));
}

QString HeaderSection(const VisitReportInput& input) {
    QString html = TableStart();
    if (input.site) {
        html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Объект"), input.site->name);
        html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Адрес"), input.site->address);
        html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Контактное лицо"), input.site->contact);
    }
    html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Прибор"), input.device.type);
    html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Версия ПО прибора"),
                     input.device.firmwareVersion);
    html +=
        LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Серийный номер USB"), input.device.usbSerial);
    html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Техник"), input.technician);
    html +=
        LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Дата и время"),
                 QLocale().toString(input.when.toLocalTime(), QStringLiteral("dd.MM.yyyy HH:mm")));
    html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Программа"), input.program);
    return html + QStringLiteral("</table>\n");
}

QString LeftByText(LeftBy leftBy) {
    switch (leftBy) {
    case LeftBy::WrittenVerified:
        return Tr("записаны в прибор и проверены чтением");
    case LeftBy::WrittenNotVerified:
        return Tr("записаны в прибор, не проверены чтением");
    case LeftBy::NotWritten:
        break;
    }
    return Tr("не записывались");
}

QString FingerprintSection(const VisitReportInput& input) {
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(Escaped(Tr("Настройки"))) + TableStart();
    if (input.asFound) {
        html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Как найдено: отпечаток"),
                         velor::settings::ShortFingerprint(*input.asFound));
    }
    html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Как оставлено: отпечаток"),
                     velor::settings::ShortFingerprint(input.asLeft));
    html += LabelRow(QT_TRANSLATE_NOOP("VisitReport", "Настройки"), LeftByText(input.leftBy));
    return html + QStringLiteral("</table>\n");
}

QString ChangesSection(const VisitReportInput& input) {
    if (!input.asFound) {
        return {};
    }
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(Escaped(Tr("Изменённые поля")));
    const std::vector<velor::settings::FieldChange> changes =
        velor::settings::DiffSettings(*input.asFound, input.asLeft);
    if (changes.empty()) {
        return html + QStringLiteral("<p>%1</p>\n").arg(Escaped(Tr("Изменений нет.")));
    }
    html +=
        TableStart() +
        Row({Escaped(Tr("Поле")), Escaped(Tr("Как найдено")), Escaped(Tr("Как оставлено"))}, "th");
    for (const velor::settings::FieldChange& change : changes) {
        html += Row({Escaped(change.name), Escaped(change.before), Escaped(change.after)});
    }
    return html + QStringLiteral("</table>\n");
}

QString WarningsSection(const SettingsImage& image) {
    const velor::settings::SettingsCheck check = velor::settings::CheckSettings(image);
    if (check.findings.empty()) {
        return {};
    }
    QString html = QStringLiteral("<h2>%1</h2>\n<ul>\n").arg(Escaped(Tr("Замечания проверки")));
    for (const velor::settings::CheckFinding& finding : check.findings) {
        html += QStringLiteral("<li>%1</li>\n").arg(Escaped(velor::settings::FindingLine(finding)));
    }
    return html + QStringLiteral("</ul>\n");
}

// The fields to list: all that the image holds, or those whose value differs from the reference.
std::vector<SettingsField> ListedFields(const VisitReportInput& input) {
    if (!input.onlyDifferentFrom) {
        return velor::settings::DescribeSettings(input.asLeft);
    }
    // Both slot lists have the same keys in the same order.
    const std::vector<SettingsField> fields = velor::settings::SettingsFieldSlots(input.asLeft);
    const std::vector<SettingsField> reference =
        velor::settings::SettingsFieldSlots(*input.onlyDifferentFrom);
    std::vector<SettingsField> listed;
    for (std::size_t i = 0; i < fields.size() && i < reference.size(); ++i) {
        const bool differs = fields[i].present != reference[i].present ||
                             fields[i].value != reference[i].value ||
                             fields[i].raw != reference[i].raw;
        if (fields[i].present && differs) {
            listed.push_back(fields[i]);
        }
    }
    return listed;
}

QString SettingsSection(const VisitReportInput& input) {
    const bool onlyDifferent = input.onlyDifferentFrom.has_value();
    QString html = QStringLiteral("<h2>%1</h2>\n")
                       .arg(Escaped(onlyDifferent ? Tr("Настройки, отличные от заводских")
                                                  : Tr("Все настройки")));
    const std::vector<SettingsField> fields = ListedFields(input);
    if (fields.empty()) {
        return html + QStringLiteral("<p>%1</p>\n")
                          .arg(Escaped(Tr("Все настройки совпадают с заводскими.")));
    }
    for (const SettingsPage page : velor::settings::kSettingsPages) {
        QString rows;
        for (const SettingsField& field : fields) {
            if (field.page == page) {
                rows += Row({Escaped(field.name), Escaped(field.value)});
            }
        }
        if (!rows.isEmpty()) {
            html += QStringLiteral("<h3>%1</h3>\n").arg(Escaped(velor::settings::PageTitle(page))) +
                    TableStart() + rows + QStringLiteral("</table>\n");
        }
    }
    return html;
}

QString SignaturesSection() {
    const QString line = QStringLiteral("______________________________");
    return QStringLiteral("<h2>%1</h2>\n").arg(Escaped(Tr("Подписи"))) +
           QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"8\">\n") +
           QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(Escaped(Tr("Техник:")), line) +
           QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(Escaped(Tr("Заказчик:")), line) +
           QStringLiteral("</table>\n");
}

} // namespace

VisitReport BuildVisitReport(const VisitReportInput& input) {
    VisitReport report;
    report.title = Tr("Отчёт о визите");
    report.footer =
        Tr("Отпечаток настроек %1").arg(velor::settings::ShortFingerprint(input.asLeft));
    report.html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                 "<title>%1</title><style>%2</style></head><body>\n")
                      .arg(Escaped(report.title), QLatin1String(kStyle)) +
                  QStringLiteral("<h1>%1</h1>\n").arg(Escaped(report.title)) +
                  HeaderSection(input) + FingerprintSection(input) + ChangesSection(input) +
                  WarningsSection(input.asLeft) + SettingsSection(input) + SignaturesSection() +
                  QStringLiteral("</body></html>\n");
    return report;
}

QString PageNumberText(int page, int pages) {
    return Tr("стр. %1 из %2").arg(page).arg(pages);
}

} // namespace velor::report
