#pragma once

#include "catalogue/program_files.h"

#include <QFlags>
#include <QString>

#include <vector>

// The locale runtime: remembers each program's per-user default interface language and switches
// the running program to a language library (a Qt translation installed on the application).
// Installing or removing a library makes Qt send LanguageChange to every open window.
// Main thread only.
namespace velor {

// The program's built-in language; its texts are compiled into the program.
extern const QString kBaseLocale;   // "RU"
extern const QString kBaseLanguage; // "ru_RU": the language those texts are written in

enum class ResourceOption {
    KeepFormats = 0x1, // do not apply the language's number and date formats
};
Q_DECLARE_FLAGS(ResourceOptions, ResourceOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(ResourceOptions)

// Records locale as the per-user default locale of the program at programPath.
void SetDefaultLocaleReg(const QString& programPath, const QString& locale);

// The per-user default locale recorded for the program, or empty when none is recorded.
QString GetCurrentDefaultLocaleReg(const QString& programPath = RunningProgramPath());

// Switches the application to the language library of locale. An empty code, the base locale or
// a library that cannot be loaded return to the built-in texts. Unless options hold KeepFormats,
// a loaded library's language also becomes the default QLocale (number and date formats); the
// reading direction follows the library's own translation of Qt's layout direction.
// Qt's own texts (box buttons, file dialogs) follow: Qt's translation for the library's language,
// or for the base language with the built-in texts, when Qt's translations hold one.
// Returns whether a library was loaded.
bool SetNewResourceFile(const QString& locale, ResourceOptions options, const QString& baseLocale,
                        const QString& programPath = RunningProgramPath());

// The locale whose library is installed now, empty for the built-in texts.
QString CurrentResourceLocale();

// The file of Qt's own texts installed with the language now in use ("…/qtbase_ru.qm"), empty
// when Qt has none for it.
QString CurrentQtTextsFile();

// Records the locale whose library is installed now as the program's per-user default locale (the
// empty text while the built-in texts are in use).
void SetCurrentDefaultLocaleReg(const QString& programPath = RunningProgramPath());

// A language library beside the program.
struct LanguageLibraryEntry {
    QString locale;   // the code its file name carries ("EN" for "velor580.EN")
    QString language; // the language it was written for ("en_GB"), empty when it does not say
};

// The language libraries beside the program, ordered by locale code: every file named after the
// program with a code as extension that loads as a translation. A file for the base locale is
// never one (the base language's texts are built in).
std::vector<LanguageLibraryEntry>
FindLanguageLibraries(const QString& programPath = RunningProgramPath());

// The error raised when the program has no language library to switch to.
extern const char kNoLanguageLibrariesError[];

// Throws std::runtime_error(kNoLanguageLibrariesError) when no language library lies beside the
// program.
void CheckResourceCount(const QString& programPath = RunningProgramPath());

// Where the per-user default locales are kept (for diagnostics and test isolation checks).
QString DefaultLocaleStorePath();

} // namespace velor
