#include "book/history_entry.h"

#include "book/book_texts.h"
#include "settings/cfg_format.h"
#include "settings/settings_history.h"

#include <QFileInfo>
#include <QUuid>

namespace velor::book {

namespace {

// The namespace of the snapshots' visit uuids (name-based, version 5).
const QUuid kHistoryNamespace(QStringLiteral("{6b1f3c0e-58a0-4f0e-9d3a-580580580580}"));

VisitRecord VisitOf(const HistoryEntry& entry) {
    VisitRecord visit;
    visit.uuid = QUuid::createUuidV5(kHistoryNamespace, QFileInfo(entry.path).fileName())
                     .toString(QUuid::WithoutBraces);
    visit.time = entry.time.toUTC();
    visit.action = VisitAction::Write;
    try {
        visit.before = LoadCfgFile(entry.path);
    } catch (const std::exception&) {
        visit.before.reset(); // an unreadable snapshot still tells when a write was made
    }
    visit.beforeFingerprint = entry.fingerprint;
    visit.writtenFingerprint = entry.replacedBy;
    visit.snapshotPath = entry.path;
    visit.result = QLatin1String(kResultUnknown);
    visit.note = BookTexts::tr("из истории настроек: прибор %1, версия %2")
                     .arg(entry.deviceType)
                     .arg(entry.version);
    return visit;
}

} // namespace

int EnterHistoryOnce(SiteBook& book, const QString& historyFolder) {
    if (historyFolder.isEmpty() || book.State() != SiteBook::Availability::Writable) {
        return 0;
    }
    const auto mark = book.Mark(QLatin1String(kHistoryEnteredMark));
    if (!mark.Ok() || !mark.value.isEmpty()) {
        return 0;
    }
    const QDateTime created =
        QDateTime::fromString(book.Mark(QLatin1String(kCreatedMark)).value, Qt::ISODateWithMs);
    BookContents contents;
    for (const HistoryEntry& entry : SettingsHistory(historyFolder).List()) {
        // A snapshot's time has whole seconds: one of the book's first second may be a write
        // the book recorded itself.
        if (!created.isValid() || entry.time.addSecs(1) <= created) {
            contents.visits.push_back(VisitOf(entry));
        }
    }
    const auto merged = book.Merge(contents);
    if (!merged.Ok()) {
        return 0;
    }
    book.SetMark(QLatin1String(kHistoryEnteredMark),
                 QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    return merged.value.visitsAdded;
}

} // namespace velor::book
