#include "cli/output_file.h"

#include "cli/cli_texts.h"

#include <QDir>
#include <QFileInfo>

QString OutputFileProblem(const QString& path) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) {
        return Cli::tr("папка %1 не существует").arg(QDir::toNativeSeparators(folder.filePath()));
    }
    if (!folder.isDir()) {
        return Cli::tr("%1 — не папка").arg(QDir::toNativeSeparators(folder.filePath()));
    }
    if (target.isDir()) {
        return Cli::tr("это папка, а не файл");
    }
    // The new file is written beside the old one and then put in its place: the folder must take
    // a new file, and an existing file must be one the technician may change.
    if (!folder.isWritable()) {
        return Cli::tr("нет права записи в папку %1")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    }
    if (target.exists() && !target.isWritable()) {
        return Cli::tr("нет права записи в файл");
    }
    return {};
}
