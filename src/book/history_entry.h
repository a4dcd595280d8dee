#pragma once

#include "book/site_book.h"

#include <QString>

// The snapshots of the settings history made before the book, entered into it once as visits
// without a site (the later ones were recorded as visits when they were made): one
// "write" visit per snapshot (its time, the settings it kept as found, the recorded fingerprint of
// the settings written over it, its path, the result "unknown"). Each visit's uuid comes from the
// snapshot's file name, so entering them twice (two books merged later) records each once.
namespace velor::book {

// The mark a book keeps once the history has been entered.
inline constexpr char kHistoryEnteredMark[] = "history_entered";

// Enters the folder's snapshots unless the book is marked as having had them; does nothing for
// a book that is not writable or an empty folder name. Returns how many visits were added.
int EnterHistoryOnce(SiteBook& book, const QString& historyFolder);

} // namespace velor::book
