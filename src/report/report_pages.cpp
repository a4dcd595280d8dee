#include "report/report_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace velor::report {

namespace {

constexpr qreal kMarginMm = 15.0;
constexpr qreal kFooterPt = 8.0;       // the footer's font size
constexpr qreal kFooterGapLines = 2.5; // room kept for the footer below the text, in lines
constexpr int kPdfResolutionDpi = 300;

// The text's pages and the room under them for the footer, in the device's pixels.
struct PageFrame {
    QSizeF body;
    qreal footerHeight = 0;
};

PageFrame FrameFor(QPagedPaintDevice& device, const QFont& footerFont) {
    const QFontMetricsF metrics(footerFont, &device);
    PageFrame frame;
    frame.footerHeight = metrics.height() * kFooterGapLines;
    frame.body = QSizeF(device.width(), device.height() - frame.footerHeight);
    return frame;
}

void PaintFooter(QPainter& painter, const PageFrame& frame, const QFont& font, const QString& left,
                 const QString& right) {
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF area(0, frame.body.height(), frame.body.width(), frame.footerHeight);
    painter.drawLine(area.topLeft() + QPointF(0, area.height() / 4),
                     area.topRight() + QPointF(0, area.height() / 4));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, left);
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, right);
    painter.restore();
}

} // namespace

int PaintReport(const VisitReport& report, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(kFooterPt);
    const PageFrame frame = FrameFor(device, footerFont);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setHtml(report.html);
    document.setPageSize(frame.body);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            device.newPage();
        }
        painter.save();
        const QRectF clip(0, page * frame.body.height(), frame.body.width(), frame.body.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        PaintFooter(painter, frame, footerFont, report.footer, PageNumberText(page + 1, pages));
    }
    painter.end();
    return pages;
}

QByteArray ReportPdf(const VisitReport& report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolutionDpi);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("velor580"));
        if (PaintReport(report, writer) == 0) {
            return {};
        }
    }
    return bytes;
}

} // namespace velor::report
