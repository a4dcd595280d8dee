#pragma once

#include <QString>

#include <functional>
#include <memory>

class SiteBook;

// The window's site book: opened at its first use (start-up never waits for it), kept open for
// the window's life. A book that cannot be used is reported once, naming its file and the
// reason, and the window goes on without it: device work never waits for the book.
class WindowBook {
public:
    using Report = std::function<void(const QString& message)>;

    // location: the book's file; empty: the window keeps no book and says nothing about it.
    WindowBook(QString location, Report report);
    ~WindowBook();
    WindowBook(const WindowBook&) = delete;
    WindowBook& operator=(const WindowBook&) = delete;

    // The book, opened at the first call; null when there is none or it cannot be read. A book
    // written by a newer program is returned: it can be read, and refuses changes itself.
    SiteBook* Get();
    bool Configured() const { return !location_.isEmpty(); }
    const QString& Location() const { return location_; }
    // Why the book is not writable, naming its file; empty when it is (or not opened yet).
    QString Problem() const;

private:
    QString location_;
    Report report_;
    std::unique_ptr<SiteBook> book_;
    bool opened_ = false;
};
