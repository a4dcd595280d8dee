#pragma once

#include <QSqlDatabase>
#include <QString>

// One write transaction on a SQLite book: taken at once (BEGIN IMMEDIATE, waiting up to the busy
// time-out for another program's), so that two programs writing at once each wait their turn
// instead of failing half-way; rolled back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(QSqlDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    bool Began() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }
    // Empty, or why the commit failed (then it is rolled back).
    QString Commit();

private:
    bool Exec(const char* statement);

    QSqlDatabase& db_;
    QString error_;
    bool open_ = false;
};
