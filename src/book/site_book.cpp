#include "book/site_book.h"

#include "book/sqlite_site_book.h"

std::unique_ptr<SiteBook> OpenSiteBook(const QString& location) {
    return std::make_unique<SqliteSiteBook>(location);
}
