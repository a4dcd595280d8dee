#include "catalogue/program_files.h"

#include "catalogue/program_layout.h"

#include <QFileInfo>

namespace velor {
namespace {

const QString kIniExtension = QStringLiteral("INI");

// "<folder>/<program name without its last extension>.<extension>".
QString WithExtension(const QString& folder, const QString& programPath, const QString& extension) {
    return folder + QLatin1Char('/') + QFileInfo(programPath).completeBaseName() +
           QLatin1Char('.') + extension;
}

} // namespace

QString ProgramFolder(const QString& programPath) {
    return QFileInfo(programPath).absolutePath();
}

QString IniFilePath(const QString& programPath) {
    if (KeepsStateWithUser(programPath)) {
        return UserIniPath(programPath);
    }
    return WithExtension(ProgramFolder(programPath), programPath, kIniExtension);
}

QString LanguageLibraryPath(const QString& programPath, const QString& locale) {
    // The code comes from the INI file; one with a path separator must not lead elsewhere.
    if (locale.contains(QLatin1Char('/')) || locale.contains(QLatin1Char('\\'))) {
        return {};
    }
    return WithExtension(DataFolder(programPath), programPath, locale);
}

} // namespace velor
