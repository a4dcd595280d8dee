#pragma once

#include "book/site_book.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"

#include <QTextStream>

#include <memory>

// velor580-cli site (list, add, edit, show; attach --serial), visits and book (export, import,
// check): the site book without the device. Results on standard output, what was done and why
// not on standard error; 0 success, 1 failure (the book could not be opened or changed, no such
// site, a bad file).
int RunBookCommand(const CliOptions& options, const CliEnvironment& environment, QTextStream& out,
                   QTextStream& err);

// The book a command uses: --book, else the environment's (the user's sites.sqlite); the
// technician visits and changes are recorded under.
QString BookPathFor(const CliOptions& options, const CliEnvironment& environment);
QString TechnicianFor(const CliOptions& options, const CliEnvironment& environment);

// Opens the book for a device command; null when there is none to use (no book named). The
// history snapshots are entered into a new book once.
std::unique_ptr<SiteBook> OpenBookForDevice(const CliOptions& options,
                                            const CliEnvironment& environment);

// Attaches the serial's device to the site NAME, records the "attach" visit and says so.
int AttachToSite(SiteBook& book, const QString& siteName, const QString& serial,
                 const QString& technician, QTextStream& err);

// book new: the file put aside (KeepBookFileAside) and a new book made at its place.
int StartNewBook(const QString& path, QTextStream& err);

// identify's line for a recognised device: "site=NAME", one line whatever the name holds.
QString SiteLine(const SiteRecord& site);
