#pragma once

#include "book/site_book.h"

#include <QDateTime>
#include <QString>

// A book file's own handling, beside the SiteBook calls.
namespace velor::book {

// Puts the book file at path aside (a damaged one, or any the technician wants to start anew
// from) with its journal files: renamed to "<file>.old-<yyyyMMdd-HHmmss>" ("-wal" and "-shm"
// after it), never deleted, so a new book can start at path. Returns the name it now has; an
// error when there is no such file or it cannot be renamed (then nothing has moved).
BookResult<QString> KeepBookFileAside(const QString& path,
                                      const QDateTime& when = QDateTime::currentDateTime());

} // namespace velor::book
