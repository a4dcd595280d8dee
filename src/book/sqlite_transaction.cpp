#include "book/sqlite_transaction.h"

#include <QSqlError>
#include <QSqlQuery>

SqliteTransaction::SqliteTransaction(QSqlDatabase& db) : db_(db) {
    open_ = Exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (open_) {
        Exec("ROLLBACK");
    }
}

QString SqliteTransaction::Commit() {
    if (!open_) {
        return error_;
    }
    if (Exec("COMMIT")) {
        open_ = false;
        return {};
    }
    return error_;
}

bool SqliteTransaction::Exec(const char* statement) {
    QSqlQuery query(db_);
    if (query.exec(QLatin1String(statement))) {
        return true;
    }
    error_ = query.lastError().databaseText().isEmpty() ? query.lastError().text()
                                                        : query.lastError().databaseText();
    return false;
}
