#pragma once

#include "catalogue/program_files.h"

#include <QString>

// The keys of the program's INI file (the file beside the program, named after it with ".INI").
namespace velor {

// [Language] Default: the interface language to start with, "RU" when missing.
QString ReadStartupLocale(const QString& programPath = RunningProgramPath());
// [Language] Default as the file holds it: empty when the file, the section or the key is missing.
QString ReadChosenLocale(const QString& programPath);
bool WriteStartupLocale(const QString& locale, const QString& programPath = RunningProgramPath());

// [Help] <current locale>: the help file name inside "help/" for the locale the runtime records
// ("RU" when none is recorded), empty when missing.
QString ReadHelpFileName(const QString& programPath = RunningProgramPath());

// [Port] Device: a serial device to use instead of the first FTDI bridge, empty when missing.
QString ReadPortDevice(const QString& programPath = RunningProgramPath());

// [Write] Review: whether the window lists the changes before every settings write; on unless
// the key holds "0".
bool ReadReviewBeforeWrite(const QString& programPath = RunningProgramPath());
bool WriteReviewBeforeWrite(bool review, const QString& programPath = RunningProgramPath());

// [SiteBook] Technician: the name visits are recorded under, empty when missing.
QString ReadTechnicianName(const QString& programPath = RunningProgramPath());
bool WriteTechnicianName(const QString& name, const QString& programPath = RunningProgramPath());

} // namespace velor
