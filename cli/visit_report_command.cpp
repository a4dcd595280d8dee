#include "cli/visit_report_command.h"

#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/output_file.h"
#include "cli/report_sources.h"
#include "report/report_pages.h"
#include "report/visit_report.h"
#include "settings/regular_file.h"
#include "version/program_version.h"

#include <QDateTime>
#include <QGuiApplication>

#include <optional>
#include <vector>

namespace {

using velor::report::VisitReport;
using velor::report::VisitReportInput;

// The output files' folders are checked before any source is read: a report that could not be
// saved would only cost the technician the device's read.
bool OutputsPossible(const CliOptions& options, QTextStream& err) {
    for (const QString& path : {options.pdfFile, options.htmlFile}) {
        if (path.isEmpty()) {
            continue;
        }
        if (const QString problem = OutputFileProblem(path); !problem.isEmpty()) {
            PrintLine(err, Cli::tr("Отчет не сохранен: %1: %2").arg(path, problem));
            return false;
        }
    }
    return true;
}

bool Save(const QString& path, const QByteArray& content, QTextStream& err) {
    try {
        SaveFileReplacing(path, content);
    } catch (const FileSaveError& error) {
        PrintLine(err, Cli::tr("Отчет не сохранен: %1: %2").arg(path, error.Reason()));
        return false;
    }
    PrintLine(err, Cli::tr("Отчет сохранен: %1").arg(path));
    return true;
}

// The report's pages need Qt's text layout, which lives in a GUI application (the tool's main
// makes one on the offscreen platform for this command).
bool SavePdf(const VisitReport& report, const QString& path, QTextStream& err) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        PrintLine(err, Cli::tr("Отчет не сохранен: %1: нет графической подсистемы").arg(path));
        return false;
    }
    const QByteArray pdf = velor::report::ReportPdf(report);
    if (pdf.isEmpty()) {
        PrintLine(err, Cli::tr("Отчет не сохранен: %1: страницы не построены").arg(path));
        return false;
    }
    return Save(path, pdf, err);
}

} // namespace

int RunVisitReport(const CliOptions& options, const ReportContext& context, QTextStream& err) {
    if (!OutputsPossible(options, err)) {
        return kExitReportFailed;
    }
    SourceReader reader(context, err);
    std::vector<ReportSource> sources{reader.Source(options.sources.first())};
    if (!options.before.isEmpty()) {
        sources.push_back(reader.Source(options.before));
    }
    if (options.changedFromFactory) {
        sources.push_back(reader.Source(kFactorySource));
    }
    std::vector<SettingsImage> images;
    if (const int failed = reader.Read(sources, images); failed != kExitSuccess) {
        return failed;
    }
    VisitReportInput input;
    input.asLeft = images[0];
    std::size_t next = 1;
    if (!options.before.isEmpty()) {
        input.asFound = images[next++];
    }
    if (options.changedFromFactory) {
        input.onlyDifferentFrom = images[next];
    }
    const DeviceSettings& device = reader.DeviceRead();
    input.device = {device.type, device.version, device.usbSerial};
    input.technician = context.technician;
    input.when = QDateTime::currentDateTime();
    input.program = QStringLiteral("velor580 %1").arg(QLatin1String(velor::kProgramVersion));
    const VisitReport report = velor::report::BuildVisitReport(input);
    bool saved = true;
    if (!options.htmlFile.isEmpty()) {
        saved = Save(options.htmlFile, report.html.toUtf8(), err) && saved;
    }
    if (!options.pdfFile.isEmpty()) {
        saved = SavePdf(report, options.pdfFile, err) && saved;
    }
    return saved ? kExitSuccess : kExitReportFailed;
}

QString VisitReportHelpText() {
    return Cli::tr(
        "\n"
        "Отчет о визите:\n"
        "  report ИСТОЧНИК      отчет о настройках \"как оставлено\" (ИСТОЧНИК) для\n"
        "                       заказчика и архива: прибор, техник, дата, отпечатки,\n"
        "                       измененные поля, замечания проверки, все настройки по\n"
        "                       страницам окна, строки для подписей\n"
        "  --before ИСТОЧНИК    настройки \"как найдено\": отчет начинается с полей, в\n"
        "                       которых они отличаются\n"
        "  --changed-from-factory  перечислять только поля, отличные от заводских\n"
        "  --lang ru|en         язык отчета (и сообщений этого запуска)\n"
        "  --pdf ФАЙЛ           сохранить отчет в PDF (A4, номера страниц и отпечаток\n"
        "                       настроек внизу каждой страницы)\n"
        "  --html ФАЙЛ          сохранить тот же отчет одним файлом HTML\n"
        "Файл отчета заменяется только готовым новым. Код завершения: 0 отчет сохранен;\n"
        "2 ошибка в командной строке; 3 не удалось открыть порт; 4 не удалось прочитать\n"
        "файл настроек; 5 не удалось прочитать настройки прибора или сохранить отчет.\n");
}
