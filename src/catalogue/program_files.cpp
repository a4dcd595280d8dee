#include "catalogue/program_files.h"

#include <QFileInfo>

namespace velor {
namespace {

const QString kIniExtension = QStringLiteral("INI");

// The program's path with its last extension (if any) replaced by the given one.
QString WithExtension(const QString& programPath, const QString& extension) {
    const QFileInfo program(programPath);
    return program.absolutePath() + QLatin1Char('/') + program.completeBaseName() +
           QLatin1Char('.') + extension;
}

} // namespace

QString ProgramFolder(const QString& programPath) {
    return QFileInfo(programPath).absolutePath();
}

QString IniFilePath(const QString& programPath) {
    return WithExtension(programPath, kIniExtension);
}

QString LanguageLibraryPath(const QString& programPath, const QString& locale) {
    // The code comes from the INI file; one with a path separator must not lead elsewhere.
    if (locale.contains(QLatin1Char('/')) || locale.contains(QLatin1Char('\\'))) {
        return {};
    }
    return WithExtension(programPath, locale);
}

} // namespace velor
