#pragma once

#include <QSqlDatabase>
#include <QString>

// The SQLite book's schema: its version table and the forward migrations that bring a book of
// any older version to the one this program knows, applied in one transaction.
namespace velor::book {

// The newest schema this program knows.
int KnownSchemaVersion();

// The book's schema version: 0 for a new (empty) file; -1 with *error when the file holds a
// database that is not a site book, or cannot be read.
int ReadSchemaVersion(QSqlDatabase& db, QString* error);

// Brings the book to KnownSchemaVersion() in one write transaction that reads the version again
// first (two programs opening one new book at once migrate it once). Empty, or why not.
QString MigrateToKnownVersion(QSqlDatabase& db);

} // namespace velor::book
