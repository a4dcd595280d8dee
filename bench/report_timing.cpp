#include "bench/report_timing.h"

#include "report/report_pages.h"
#include "report/visit_report.h"
#include "settings/cfg_format.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kReportGoalMs = 300.0;

// The factory settings with all 28 keys, each with a code of its own and every right.
SettingsImage LongestImage(const SettingsImage& factory) {
    SettingsImage image = factory;
    image[kIdentifierCountOffset] = kMaxIdentifiers;
    for (int record = 1; record <= kMaxIdentifiers; ++record) {
        image.SetIdentifierCode(record, {static_cast<uint8_t>(record), 0x5a, 0, 0, 0, 1});
        image.SetArmRights(record, 0xff);
        image.SetDisarmRights(record, 0xff);
    }
    return image;
}

template <typename F> double MedianMs(int runs, F&& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

bool RunReportTimings(const QString& factoryFile, int runs) {
    SettingsImage factory;
    try {
        factory = LoadCfgFile(factoryFile);
    } catch (const std::runtime_error& error) {
        std::fprintf(stderr, "velor580-bench: %s\n", error.what());
        return false;
    }
    velor::report::VisitReportInput input;
    input.asFound = factory;
    input.asLeft = LongestImage(factory);
    input.technician = QStringLiteral("bench");
    input.program = QStringLiteral("velor580-bench");
    velor::report::VisitReport report;
    const double htmlMs = MedianMs(runs, [&] { report = velor::report::BuildVisitReport(input); });
    QByteArray pdf;
    const double pdfMs = MedianMs(runs, [&] { pdf = velor::report::ReportPdf(report); });
    if (pdf.isEmpty()) {
        std::fprintf(stderr, "velor580-bench: the report's PDF could not be made\n");
        return false;
    }
    std::printf("%-34s %9s %7s\n", "visit report, 28 keys", "median ms", "goal");
    std::printf("%-34s %9.1f %7s\n", "HTML", htmlMs, "");
    std::printf("%-34s %9.1f %7.0f  (%lld KiB)\n", "PDF (layout, paint)", pdfMs, kReportGoalMs,
                static_cast<long long>(pdf.size() / 1024));
    return true;
}
