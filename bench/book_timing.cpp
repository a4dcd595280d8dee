#include "bench/book_timing.h"

#include "book/sqlite_site_book.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSites = 10000;
constexpr int kDevicesPerSite = 2;
constexpr int kVisitsPerDevice = 10;
constexpr double kGoalMs = 20.0;
constexpr int kSearchLimit = 100;     // a list as one types shows no more
constexpr int kTypedNameLength = 11;  // "Объект 0103": ten sites' names start with it
constexpr int kTypedSerialLength = 7; // "FT00206": five sites' devices start with it
constexpr char kTechnician[] = "Bench";

QString SiteName(int i) {
    return QStringLiteral("Объект %1 «Магазин»").arg(i, 5, 10, QLatin1Char('0'));
}

QString Serial(int site, int device) {
    return QStringLiteral("FT%1").arg(site * kDevicesPerSite + device, 6, 10, QLatin1Char('0'));
}

SettingsImage Image(int seed) {
    SettingsImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(seed + i * 13);
    }
    return image;
}

VisitRecord Visit(const QString& site, const QString& serial, const QDateTime& time, int seed) {
    VisitRecord visit;
    visit.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    visit.time = time;
    visit.technician = QLatin1String(kTechnician);
    visit.siteUuid = site;
    visit.deviceSerial = serial;
    visit.action = VisitAction::Write;
    visit.before = Image(seed);
    visit.beforeFingerprint = QStringLiteral("%1").arg(seed, 64, 16, QLatin1Char('0'));
    visit.written = Image(seed + 1);
    visit.writtenFingerprint = QStringLiteral("%1").arg(seed + 1, 64, 16, QLatin1Char('0'));
    visit.verified = true;
    visit.result = QStringLiteral("succeeded");
    return visit;
}

BookContents Generated() {
    BookContents contents;
    const QDateTime start = QDateTime::currentDateTimeUtc().addYears(-2);
    for (int s = 0; s < kSites; ++s) {
        SiteRecord site;
        site.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        site.name = SiteName(s);
        site.address = QStringLiteral("ул. Садовая, д. %1, кв. %2").arg(s % 300).arg(s);
        site.contact = QStringLiteral("Петров П. П.");
        site.phone = QStringLiteral("+7 900 %1").arg(s, 7, 10, QLatin1Char('0'));
        site.created = site.changed = start;
        contents.sites.push_back(site);
        for (int d = 0; d < kDevicesPerSite; ++d) {
            DeviceRecord device{Serial(s, d), 580,   5,        QStringLiteral("3_1_7"),
                                start,        start, site.uuid};
            contents.devices.push_back(device);
            for (int v = 0; v < kVisitsPerDevice; ++v) {
                contents.visits.push_back(
                    Visit(site.uuid, device.serial, start.addSecs((s * 31 + v) * 60), s + v));
            }
        }
    }
    return contents;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median of runs of op in ms; negative when a run failed.
double MedianMs(int runs, const std::function<bool(int)>& op) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!op(i)) {
            return -1;
        }
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

bool Print(const char* name, double ms) {
    if (ms < 0) {
        std::printf("%-26s FAILED\n", name);
        return false;
    }
    std::printf("%-26s %9.2f %7.0f  %s\n", name, ms, kGoalMs, ms <= kGoalMs ? "met" : "MISSED");
    return true;
}

} // namespace

bool RunBookTimings(int runs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sites.sqlite"));
    QElapsedTimer made;
    made.start();
    {
        SqliteSiteBook book(path);
        const auto merged = book.Merge(Generated());
        if (!merged.Ok()) {
            std::fprintf(stderr, "velor580-bench: the book was not made: %s\n",
                         qPrintable(merged.error));
            return false;
        }
    }
    std::printf("book of %d sites, %d devices, %d visits made in %.1f s: %s\n", kSites,
                kSites * kDevicesPerSite, kSites * kDevicesPerSite * kVisitsPerDevice,
                static_cast<double>(made.elapsed()) / 1000.0, qPrintable(path));
    std::printf("%-26s %9s %7s\n", "book", "median ms", "goal");
    const auto open = [&path](int) {
        SqliteSiteBook book(path);
        return book.State() == SiteBook::Availability::Writable;
    };
    bool ok = Print("open", MedianMs(runs, open));
    SqliteSiteBook book(path);
    const auto record = [&book](int i) {
        return book.RecordVisit(Visit({}, Serial(i, 0), {}, i)).Ok();
    };
    const auto byName = [&book](int i) {
        const auto found = book.Sites(SiteName(1000 + i * 37).left(kTypedNameLength), kSearchLimit);
        return found.Ok() && !found.value.empty();
    };
    const auto bySerial = [&book](int i) {
        const auto found =
            book.Sites(Serial(1000 + i * 37, 0).left(kTypedSerialLength), kSearchLimit);
        return found.Ok() && !found.value.empty();
    };
    const auto card = [&book](int i) {
        const auto site = book.SiteByName(SiteName(i * 97 % kSites));
        return site.Ok() && site.value && book.DevicesOfSite(site.value->uuid).Ok() &&
               book.Visits({site.value->uuid, {}, 0}).Ok();
    };
    ok = Print("record a visit", MedianMs(runs, record)) && ok;
    ok = Print("search by name prefix", MedianMs(runs, byName)) && ok;
    ok = Print("search by serial", MedianMs(runs, bySerial)) && ok;
    ok = Print("open a site's card", MedianMs(runs, card)) && ok;
    return ok;
}
