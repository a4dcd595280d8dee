#include "book/book_file.h"

#include "book/book_texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velor::book {

namespace {

const QString kAsideFormat = QStringLiteral("yyyyMMdd-HHmmss");
const char* const kJournalSuffixes[] = {"-wal", "-shm"};

} // namespace

BookResult<QString> KeepBookFileAside(const QString& path, const QDateTime& when) {
    BookResult<QString> result;
    if (!QFileInfo::exists(path)) {
        result.error = BookTexts::tr("файла %1 нет").arg(QDir::toNativeSeparators(path));
        return result;
    }
    QString aside = path + QStringLiteral(".old-") + when.toString(kAsideFormat);
    for (int repeat = 2; QFileInfo::exists(aside); ++repeat) {
        aside = path + QStringLiteral(".old-%1-%2").arg(when.toString(kAsideFormat)).arg(repeat);
    }
    if (!QFile::rename(path, aside)) {
        result.error =
            BookTexts::tr("файл %1 нельзя переименовать").arg(QDir::toNativeSeparators(path));
        return result;
    }
    for (const char* suffix : kJournalSuffixes) {
        const QString journal = path + QLatin1String(suffix);
        if (QFileInfo::exists(journal)) {
            QFile::rename(journal, aside + QLatin1String(suffix));
        }
    }
    result.value = aside;
    return result;
}

} // namespace velor::book
