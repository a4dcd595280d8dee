#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The site book's part of the velor580-cli command line: the book and technician options every
// command takes, and the words and options of "site", "visits" and "book".
struct BookOptions {
    QString bookPath;   // --book PATH: another book file than the user's
    QString technician; // --technician NAME
    QString subcommand; // site: list, add, edit, show, attach; book: export, import, check, new
    QString target; // the site's NAME (site add/edit/show/attach), the FILE (book export/import)
    QString search; // site list --search
    QString serial; // site attach --serial
    QString site;   // visits --site
    QString device; // visits --device
    std::optional<QString> name; // site edit --name: the new name
    std::optional<QString> address;
    std::optional<QString> contact;
    std::optional<QString> phone;
    std::optional<QString> notes;
};

struct CliOptions;

// Takes the book option at arguments[index] (and its value, moving index past it); false when
// the argument is none of them. Throws std::runtime_error when its value is missing.
bool TakeBookOption(const QStringList& arguments, int& index, BookOptions& book);

// Takes the subcommand and its NAME or FILE from the command's words. Throws when one is
// missing or unknown.
void TakeBookWords(CliOptions& options, QStringList& words);

// Refuses a book option given to a command it does not belong to.
void CheckBookOptionsFit(const CliOptions& options);

// Whether the command works on the book alone (site, visits, book), and whether it needs the
// device as well (site attach --port).
bool IsBookCommand(const CliOptions& options);
bool BookCommandUsesDevice(const CliOptions& options);

QString BookHelpText();
