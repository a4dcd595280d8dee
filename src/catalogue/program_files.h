#pragma once

#include <QCoreApplication>
#include <QString>

// Files named after the program: its INI file and its language libraries lie beside it and take
// the program file's name with its extension replaced, so renaming the program renames them too.
namespace velor {

// The running program's full path; every path helper takes it so that tests can "rename" it.
inline QString RunningProgramPath() {
    return QCoreApplication::applicationFilePath();
}

// The folder that holds the program, without a trailing separator.
QString ProgramFolder(const QString& programPath = RunningProgramPath());

// "<folder>/<name>.INI" for "<folder>/<name>[.<ext>]"; the user's INI file (program_layout.h)
// when the program keeps its state with the user.
QString IniFilePath(const QString& programPath = RunningProgramPath());

// "<data folder>/<name>.<locale>": the language library of that locale code; empty for a code
// that holds a path separator. The data folder is the program's own one in a runtime folder.
QString LanguageLibraryPath(const QString& programPath, const QString& locale);

} // namespace velor
