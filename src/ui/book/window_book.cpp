#include "ui/book/window_book.h"

#include "book/site_book.h"

#include <utility>

WindowBook::WindowBook(QString location, Report report)
    : location_(std::move(location)), report_(std::move(report)) {}

WindowBook::~WindowBook() = default;

SiteBook* WindowBook::Get() {
    if (!Configured()) {
        return nullptr;
    }
    if (!opened_) {
        opened_ = true;
        book_ = OpenSiteBook(location_);
        if (book_->State() != SiteBook::Availability::Writable && report_) {
            report_(book_->Problem());
        }
    }
    return book_->State() == SiteBook::Availability::Unavailable ? nullptr : book_.get();
}

QString WindowBook::Problem() const {
    return book_ ? book_->Problem() : QString();
}
