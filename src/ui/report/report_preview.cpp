#include "ui/report/report_preview.h"

#include "report/report_pages.h"
#include "settings/regular_file.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("ReportPreview", text);
}

} // namespace

QString SuggestedReportPath(const QString& folder, const QString& site,
                            const velor::report::ReportDevice& device, const QString& day) {
    QString name = site;
    if (name.isEmpty()) {
        name = device.type.isEmpty() ? QStringLiteral("velor580")
                                     : QStringLiteral("velor%1").arg(device.type);
        if (!device.usbSerial.isEmpty()) {
            name += QLatin1Char('-') + device.usbSerial;
        }
    }
    // A name is one path element: no folder separators, no leading dot.
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    while (name.startsWith(QLatin1Char('.'))) {
        name.remove(0, 1);
    }
    return QDir(folder).filePath(name + QLatin1Char('_') + day + QStringLiteral(".pdf"));
}

bool SaveReportPdf(DialogService& dialogs, const ReportPreviewRequest& request) {
    FileDialogRequest dialog;
    dialog.caption = Tr("Сохранить отчёт в PDF");
    dialog.directory = request.suggestedPdf;
    dialog.filters = {Tr("Документы PDF (*.pdf)")};
    dialog.defaultSuffix = QStringLiteral("pdf");
    const QString path = dialogs.SaveFileName(dialog);
    if (path.isEmpty()) {
        return false;
    }
    const QByteArray pdf = velor::report::ReportPdf(request.report);
    try {
        if (pdf.isEmpty()) {
            throw FileSaveError(Tr("страницы отчёта не построены"));
        }
        SaveFileReplacing(path, pdf);
    } catch (const FileSaveError& error) {
        ShowErrorBox(dialogs, Tr("Отчёт не сохранён в %1: %2").arg(path, error.Reason()));
        return false;
    }
    return true;
}

void ShowReportPreview(QWidget* owner, DialogService& dialogs,
                       const ReportPreviewRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(request.report.title);
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("ReportPreview"));
    preview.setWindowTitle(request.report.title);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview,
        [&request](QPrinter* paper) { velor::report::PaintReport(request.report, *paper); });
    if (auto* tools = preview.findChild<QToolBar*>()) {
        QAction* save = tools->addAction(Tr("Сохранить PDF…"));
        save->setObjectName(QStringLiteral("SaveReportPdf"));
        QObject::connect(save, &QAction::triggered, &preview,
                         [&dialogs, &request] { SaveReportPdf(dialogs, request); });
    }
    preview.exec();
}
